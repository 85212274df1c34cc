#pragma once

#include <condition_variable>
#include <mutex>

// Events in the manner of the window system's event objects, for threads
// that signal each other. A wait takes milliseconds; a negative time waits
// without limit, 0 only looks.

// Signalled until one waiter has seen it; each set releases at most one wait.
class AutoResetEvent {
public:
    void set();
    // True when the event was signalled within the time; the wait resets it.
    bool wait(int timeout_ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

// Stays signalled, releasing every waiter, until reset.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initially_set) : signalled_(initially_set) {}

    void set();
    void reset();
    // True when the event was signalled within the time; the event stays as it is.
    bool wait(int timeout_ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_;
};
