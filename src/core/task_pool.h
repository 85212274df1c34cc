#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

// What start is given; whatever is left out takes the default shown.
struct TaskPoolSettings {
    // Core workers, which live as long as the pool runs: at least 1; 5 when not given.
    std::optional<int> min_threads{};
    // Upper bound for all workers: at least min_threads; min_threads when not given.
    std::optional<int> max_threads{};
    // How long an extra worker waits for a task before it leaves: at least 100; 10000 when not
    // given.
    std::optional<int> idle_timeout_ms{};
    // Keep the window responsive while start waits for its threads.
    bool pump_messages = false;
    // Stack of each worker in bytes; the platform's default when not given or 0.
    std::optional<std::size_t> stack_size{};
};

struct TaskPoolShared;

// Runs short tasks on worker threads so that the window thread does not wait
// for them. Core workers live while the pool runs; a manager thread adds extra
// workers while tasks outnumber the threads, up to the maximum, and an extra
// worker leaves after the idle time-out without a task. Tasks pass a pause
// gate before they run.
//
// The threads keep the pool's shared state alive themselves, so the object may
// be destroyed while they still finish.
class TaskPool {
public:
    using Routine = void (*)(int first, int second);
    using Task = std::function<void()>;
    // Makes one detached thread running body with the given stack size (0 = the
    // platform's default); false when it cannot.
    using ThreadStarter = std::function<bool(std::size_t stack_size, std::function<void()> body)>;

    // State values.
    static constexpr int kIdle = 0;
    static constexpr int kRunning = 1;
    static constexpr int kStarting = 2;
    static constexpr int kStopping = 3;

    // Stop modes: whether queued tasks still run, and whether stop waits for
    // the workers to leave. Any other value counts as kStopDropQueued.
    static constexpr int kStopDropQueued = 0;
    static constexpr int kStopRunQueued = 1;
    static constexpr int kStopDropQueuedNoWait = 2;
    static constexpr int kStopRunQueuedNoWait = 3;

    // A negative time-out waits without limit.
    static constexpr int kWaitForever = -1;

    TaskPool();
    // Threads come from starter (tests count and refuse them).
    explicit TaskPool(ThreadStarter starter);
    // Stops with kStopDropQueuedNoWait: returns without waiting for the workers.
    ~TaskPool();

    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    // Called on the calling thread wherever start, stop and
    // wait_for_finished_task are asked to pump messages; empty = nothing to pump.
    void set_message_pump(std::function<void()> pump);

    // True when the pool runs; false when it was not idle (nothing changes) or
    // no worker could be started (the pool stays idle).
    bool start(const TaskPoolSettings& settings = {});
    // True when stopped or not running; false when the pool was starting or
    // already stopping, or the wait for the workers ran out. Modes that wait
    // give up after timeout_ms (0 or less: never).
    bool stop(int mode, int timeout_ms = 0, bool pump_messages = false);

    // The pause gate, only while running: a paused pool takes tasks but holds them.
    void pause();
    void resume();
    bool wait_until_resumed(int timeout_ms = kWaitForever);

    // False when the pool is not running or there is no routine.
    bool submit(Routine routine, int first, int second);
    bool submit(Task task);

    // True when a task finished (or signal_task_done was called) within the time.
    bool wait_for_finished_task(int timeout_ms = kWaitForever, bool pump_messages = false);
    void signal_task_done();

    int idle_thread_count() const;
    int busy_count() const;
    int queued_count() const;
    int thread_count() const;
    int max_threads() const;
    int idle_timeout_ms() const;
    std::size_t stack_size() const;
    bool is_idle() const;
    int state() const;

    // Only while running: at least 1, and the manager adds workers at once if
    // tasks are waiting.
    void set_max_threads(int count);
    // Only while running: at least 100.
    void set_idle_timeout(int timeout_ms);
    // Only while running: for workers made from now on.
    void set_stack_size(std::size_t bytes);

private:
    void pump_window_messages() const;

    std::shared_ptr<TaskPoolShared> shared_;
    std::function<void()> pump_;
};
