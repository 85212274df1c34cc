#include "core/task_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "core/detached_thread.h"
#include "core/sync_events.h"

namespace {

constexpr int kDefaultMinThreads = 5;
constexpr int kDefaultIdleTimeoutMs = 10000;
constexpr int kShortestIdleTimeoutMs = 100;
constexpr int kWaitStepMs = 20;
constexpr int kManagerWaitSteps = 21;
constexpr int kFailedStartWaitSteps = 11;
constexpr int kFailuresInARow = 5;

struct Packet {
    TaskPool::Task task;
    bool stop_marker = false;
};

// Stands in for the completion queue: packets in order, workers waiting on it.
class PacketQueue {
public:
    bool post(Packet packet) {
        {
            std::lock_guard lock(mutex_);
            if (closed_) {
                return false;
            }
            packets_.push_back(std::move(packet));
        }
        posted_.notify_one();
        return true;
    }

    // Nothing when the time ran out or the queue is closed.
    std::optional<Packet> take(int timeout_ms) {
        std::unique_lock lock(mutex_);
        auto ready = [this] { return closed_ || !packets_.empty(); };
        if (timeout_ms < 0) {
            posted_.wait(lock, ready);
        } else if (!posted_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready)) {
            return std::nullopt;
        }
        if (closed_) {
            return std::nullopt;
        }
        Packet packet = std::move(packets_.front());
        packets_.pop_front();
        return packet;
    }

    // Drops what is left and turns every waiter and every later take away.
    void close() {
        std::deque<Packet> dropped;
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
            dropped.swap(packets_);
        }
        posted_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<Packet> packets_;
    bool closed_ = false;
};

using Clock = std::chrono::steady_clock;

int64_t elapsed_ms(Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

}  // namespace

// What one start made: its queue, events and counters. Threads of an earlier
// run that are still finishing keep their own run, so they never touch the
// queue or the counters of a later one.
struct TaskPoolRun {
    PacketQueue queue;
    AutoResetEvent wake;
    AutoResetEvent started;
    AutoResetEvent task_done;
    ManualResetEvent pause_gate{true};
    ManualResetEvent manager_ended{false};
    // Set once the run is closed; stop waits on it, where no other waiter can
    // take the signal away.
    ManualResetEvent closed_event{false};
    std::atomic<int> accepting{0};
    std::atomic<int> live{0};
    // Workers made and not yet gone, counting those still coming up, which
    // live does not yet count: the manager's measure, so that a slow thread
    // start never lets it pass the maximum.
    std::atomic<int> workers{0};
    std::atomic<int> busy{0};
    std::atomic<int> queued{0};
    // Tells the manager to end even if a later start has made the pool run again.
    std::atomic<bool> stopping{false};
    // Set by whoever makes the pool idle after this run, so that happens once.
    std::atomic<bool> closed{false};
};

struct TaskPoolShared {
    explicit TaskPoolShared(TaskPool::ThreadStarter starter) : start_thread(std::move(starter)) {}

    std::shared_ptr<TaskPoolRun> current_run() const {
        std::lock_guard lock(run_mutex);
        return run;
    }

    const TaskPool::ThreadStarter start_thread;
    std::atomic<int> state{TaskPool::kIdle};
    std::atomic<int> max_threads{0};
    std::atomic<int> idle_timeout_ms{0};
    std::atomic<std::size_t> stack_size{0};
    mutable std::mutex run_mutex;
    // Null while idle.
    std::shared_ptr<TaskPoolRun> run;
};

namespace {

using SharedPtr = std::shared_ptr<TaskPoolShared>;
using RunPtr = std::shared_ptr<TaskPoolRun>;

bool demand_exceeds_threads(const TaskPoolShared& shared, const TaskPoolRun& run) {
    int workers = run.workers.load();
    return workers < shared.max_threads.load() &&
           static_cast<int64_t>(run.busy.load()) + run.queued.load() > workers;
}

// Closes the run's resources and, if it is still the pool's run, returns the
// pool to idle. Whoever gets here first does it; later callers do nothing.
void close_run(TaskPoolShared& shared, TaskPoolRun& run) {
    if (run.closed.exchange(true)) {
        return;
    }
    run.queue.close();
    run.accepting.store(0);
    run.live.store(0);
    run.workers.store(0);
    run.busy.store(0);
    run.queued.store(0);
    bool current = false;
    {
        std::lock_guard lock(shared.run_mutex);
        if (shared.run.get() == &run) {
            shared.run.reset();
            current = true;
        }
    }
    if (current) {
        shared.state.exchange(TaskPool::kIdle);
    }
    // After the state change, so that a stop woken by it sees the pool idle.
    run.closed_event.set();
    run.started.set();
}

void run_worker(const SharedPtr& shared, const RunPtr& run, bool extra) {
    run->live.fetch_add(1);
    if (shared->state.load() != TaskPool::kStopping) {
        run->started.set();
    }
    for (;;) {
        std::optional<Packet> packet =
            run->queue.take(extra ? shared->idle_timeout_ms.load() : TaskPool::kWaitForever);
        run->pause_gate.wait(TaskPool::kWaitForever);
        if (packet && packet->stop_marker) {
            // Put back, so that a worker that came up after stop counted the
            // workers still finds one and leaves.
            run->queue.post(Packet{{}, true});
            break;
        }
        if (run->accepting.load() != 1 || !packet) {
            break;
        }
        run->busy.fetch_add(1);
        run->queued.fetch_sub(1);
        try {
            packet->task();
        } catch (...) {
            // A task's failures are its own; the worker goes on.
        }
        run->busy.fetch_sub(1);
        run->task_done.set();
    }
    run->workers.fetch_sub(1);
    if (run->live.fetch_sub(1) - 1 > 0) {
        return;
    }
    close_run(*shared, *run);
}

bool start_worker(const SharedPtr& shared, const RunPtr& run, bool extra) {
    run->workers.fetch_add(1);
    if (shared->start_thread(shared->stack_size.load(),
                             [shared, run, extra] { run_worker(shared, run, extra); })) {
        return true;
    }
    run->workers.fetch_sub(1);
    return false;
}

void run_manager(const SharedPtr& shared, const RunPtr& run) {
    int failures = 0;
    run->wake.wait(TaskPool::kWaitForever);
    while (shared->state.load() == TaskPool::kRunning && !run->stopping.load()) {
        if (demand_exceeds_threads(*shared, *run)) {
            if (start_worker(shared, run, true)) {
                failures = 0;
                run->started.wait(run->live.load() * 2 + 1000);
            } else if (++failures >= kFailuresInARow) {
                // The system will not give more threads: stop asking.
                shared->max_threads.store(run->live.load());
                failures = 0;
            }
        } else {
            run->wake.wait(TaskPool::kWaitForever);
        }
        run->pause_gate.wait(TaskPool::kWaitForever);
    }
    run->manager_ended.set();
}

}  // namespace

TaskPool::TaskPool() : TaskPool(start_detached_thread) {}

TaskPool::TaskPool(ThreadStarter starter)
    : shared_(std::make_shared<TaskPoolShared>(std::move(starter))) {}

TaskPool::~TaskPool() {
    stop(kStopDropQueuedNoWait, 0, false);
}

void TaskPool::set_message_pump(std::function<void()> pump) {
    pump_ = std::move(pump);
}

void TaskPool::pump_window_messages() const {
    if (pump_) {
        pump_();
    }
}

bool TaskPool::start(const TaskPoolSettings& settings) {
    int expected = kIdle;
    if (!shared_->state.compare_exchange_strong(expected, kStarting)) {
        return false;
    }
    const int min_threads = std::max(settings.min_threads.value_or(kDefaultMinThreads), 1);
    shared_->max_threads.store(std::max(settings.max_threads.value_or(0), min_threads));
    shared_->idle_timeout_ms.store(settings.idle_timeout_ms
                                       ? std::max(*settings.idle_timeout_ms, kShortestIdleTimeoutMs)
                                       : kDefaultIdleTimeoutMs);
    shared_->stack_size.store(settings.stack_size.value_or(0));

    auto run = std::make_shared<TaskPoolRun>();
    {
        std::lock_guard lock(shared_->run_mutex);
        shared_->run = run;
    }
    auto shared = shared_;
    if (!shared_->start_thread(0, [shared, run] { run_manager(shared, run); })) {
        close_run(*shared_, *run);
        return false;
    }
    run->accepting.store(1);

    int created = 0;
    int failures = 0;
    for (int i = 0; i < min_threads; ++i) {
        if (start_worker(shared_, run, false)) {
            ++created;
            failures = 0;
        } else {
            ++failures;
        }
        if (settings.pump_messages) {
            pump_window_messages();
        }
        if (failures >= kFailuresInARow) {
            break;
        }
    }
    while (created > 0 && run->live.load() < created) {
        bool signalled = run->started.wait(created * 2 + 1000);
        if (settings.pump_messages) {
            pump_window_messages();
        }
        if (!signalled) {
            break;
        }
    }
    if (run->live.load() != 0) {
        shared_->state.store(kRunning);
        return true;
    }

    // No worker came up: let the manager see that the pool does not run, then
    // undo the start. Workers that come up later find the queue closed.
    run->stopping.store(true);
    run->wake.set();
    for (int step = 0; step < kFailedStartWaitSteps; ++step) {
        bool ended = run->manager_ended.wait(kWaitStepMs);
        if (settings.pump_messages) {
            pump_window_messages();
        }
        if (ended) {
            break;
        }
    }
    close_run(*shared_, *run);
    return false;
}

bool TaskPool::stop(int mode, int timeout_ms, bool pump_messages) {
    int expected = kRunning;
    if (!shared_->state.compare_exchange_strong(expected, kStopping)) {
        return expected == kIdle;
    }
    if (mode < kStopDropQueued || mode > kStopRunQueuedNoWait) {
        mode = kStopDropQueued;
    }
    RunPtr run = shared_->current_run();
    if (!run) {
        // The run has already been closed; only the state was left behind.
        shared_->state.store(kIdle);
        return true;
    }
    if (mode == kStopDropQueued || mode == kStopDropQueuedNoWait) {
        run->accepting.store(0);
    }
    run->stopping.store(true);
    run->task_done.set();
    run->started.set();
    run->wake.set();
    run->pause_gate.set();

    for (int step = 0; step < kManagerWaitSteps; ++step) {
        bool ended = run->manager_ended.wait(kWaitStepMs);
        if (pump_messages) {
            pump_window_messages();
        }
        if (ended) {
            break;
        }
    }
    while (run->started.wait(0)) {
    }

    // One marker for every worker, and one more.
    const int live = run->live.load();
    run->queue.post(Packet{{}, true});
    for (int i = 1; i <= live; ++i) {
        run->queue.post(Packet{{}, true});
        if (pump_messages && i % 100 == 0) {
            pump_window_messages();
        }
    }
    if (mode == kStopDropQueuedNoWait || mode == kStopRunQueuedNoWait) {
        return true;
    }

    const Clock::time_point began = Clock::now();
    while (shared_->state.load() == kStopping) {
        if (pump_messages) {
            run->closed_event.wait(kWaitStepMs);
            pump_window_messages();
            if (shared_->state.load() != kStopping) {
                break;
            }
            if (timeout_ms > 0 && elapsed_ms(began) > timeout_ms) {
                return false;
            }
        } else if (!run->closed_event.wait(timeout_ms > 0 ? timeout_ms : kWaitForever)) {
            return false;
        }
    }
    return true;
}

void TaskPool::pause() {
    if (shared_->state.load() != kRunning) {
        return;
    }
    if (RunPtr run = shared_->current_run()) {
        run->pause_gate.reset();
    }
}

void TaskPool::resume() {
    if (shared_->state.load() != kRunning) {
        return;
    }
    if (RunPtr run = shared_->current_run()) {
        run->pause_gate.set();
    }
}

bool TaskPool::wait_until_resumed(int timeout_ms) {
    if (shared_->state.load() != kRunning) {
        return false;
    }
    RunPtr run = shared_->current_run();
    return run && run->pause_gate.wait(timeout_ms);
}

bool TaskPool::submit(Routine routine, int first, int second) {
    if (routine == nullptr) {
        return false;
    }
    return submit([routine, first, second] { routine(first, second); });
}

bool TaskPool::submit(Task task) {
    if (shared_->state.load() != kRunning || !task) {
        return false;
    }
    RunPtr run = shared_->current_run();
    if (!run) {
        return false;
    }
    run->queued.fetch_add(1);
    bool posted = run->queue.post(Packet{std::move(task), false});
    if (!posted) {
        run->queued.fetch_sub(1);
    }
    if (demand_exceeds_threads(*shared_, *run)) {
        run->wake.set();
    }
    return posted;
}

bool TaskPool::wait_for_finished_task(int timeout_ms, bool pump_messages) {
    RunPtr run = shared_->current_run();
    if (!run) {
        return false;
    }
    if (!pump_messages) {
        return run->task_done.wait(timeout_ms);
    }
    const Clock::time_point began = Clock::now();
    for (;;) {
        bool finished = run->task_done.wait(kWaitStepMs);
        pump_window_messages();
        if (finished) {
            return true;
        }
        if (timeout_ms >= 0 && elapsed_ms(began) > timeout_ms) {
            return false;
        }
    }
}

void TaskPool::signal_task_done() {
    if (shared_->state.load() != kRunning) {
        return;
    }
    if (RunPtr run = shared_->current_run()) {
        run->task_done.set();
    }
}

int TaskPool::idle_thread_count() const {
    RunPtr run = shared_->current_run();
    return run ? run->live.load() - run->busy.load() : 0;
}

int TaskPool::busy_count() const {
    RunPtr run = shared_->current_run();
    return run ? run->busy.load() : 0;
}

int TaskPool::queued_count() const {
    RunPtr run = shared_->current_run();
    return run ? run->queued.load() : 0;
}

int TaskPool::thread_count() const {
    RunPtr run = shared_->current_run();
    return run ? run->live.load() : 0;
}

int TaskPool::max_threads() const {
    return shared_->max_threads.load();
}

int TaskPool::idle_timeout_ms() const {
    return shared_->idle_timeout_ms.load();
}

std::size_t TaskPool::stack_size() const {
    return shared_->stack_size.load();
}

bool TaskPool::is_idle() const {
    return queued_count() == 0 && busy_count() == 0;
}

int TaskPool::state() const {
    return shared_->state.load();
}

void TaskPool::set_max_threads(int count) {
    if (shared_->state.load() != kRunning) {
        return;
    }
    shared_->max_threads.store(count > 0 ? count : 1);
    RunPtr run = shared_->current_run();
    if (run && demand_exceeds_threads(*shared_, *run)) {
        run->wake.set();
    }
}

void TaskPool::set_idle_timeout(int timeout_ms) {
    if (shared_->state.load() != kRunning) {
        return;
    }
    shared_->idle_timeout_ms.store(std::max(timeout_ms, kShortestIdleTimeoutMs));
}

void TaskPool::set_stack_size(std::size_t bytes) {
    if (shared_->state.load() != kRunning) {
        return;
    }
    shared_->stack_size.store(bytes);
}
