#include "core/sync_events.h"

#include <chrono>

namespace {

template <typename Predicate>
bool wait_until_signalled(std::condition_variable& changed, std::unique_lock<std::mutex>& lock,
                          int timeout_ms, Predicate signalled) {
    if (timeout_ms < 0) {
        changed.wait(lock, signalled);
        return true;
    }
    return changed.wait_for(lock, std::chrono::milliseconds(timeout_ms), signalled);
}

}  // namespace

void AutoResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_one();
}

bool AutoResetEvent::wait(int timeout_ms) {
    std::unique_lock lock(mutex_);
    if (!wait_until_signalled(changed_, lock, timeout_ms, [this] { return signalled_; })) {
        return false;
    }
    signalled_ = false;
    return true;
}

void ManualResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool ManualResetEvent::wait(int timeout_ms) {
    std::unique_lock lock(mutex_);
    return wait_until_signalled(changed_, lock, timeout_ms, [this] { return signalled_; });
}
