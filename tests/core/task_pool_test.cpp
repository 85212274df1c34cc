#include "core/task_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "core/detached_thread.h"
#include "core/sync_events.h"

namespace {

using namespace std::chrono_literals;

// Generous: the tests wait for states, they never time them.
constexpr auto kPatience = 30s;
constexpr int kPatienceMs = 30000;

template <typename Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Every thread the pool asks for, counted until its body has returned; the
// attempts from index `allowed` on are refused, and those whose bit is set in
// `late` come up only after the pool has given up waiting for them.
struct ThreadLog {
    std::atomic<int> attempts{0};
    std::atomic<int> allowed{INT_MAX};
    std::atomic<unsigned> late{0};
    std::atomic<int> running{0};
    std::atomic<int> begun{0};
    std::atomic<std::size_t> last_stack_size{0};
};

TaskPool::ThreadStarter logged_starter(std::shared_ptr<ThreadLog> log) {
    return [log](std::size_t stack_size, std::function<void()> body) {
        const int attempt = log->attempts.fetch_add(1);
        if (attempt >= log->allowed.load()) {
            return false;
        }
        const bool late = attempt < 32 && (log->late.load() >> attempt & 1u) != 0;
        log->last_stack_size.store(stack_size);
        log->running.fetch_add(1);
        bool started = start_detached_thread(stack_size, [log, late, body = std::move(body)] {
            if (late) {
                std::this_thread::sleep_for(1500ms);
            }
            log->begun.fetch_add(1);
            body();
            log->running.fetch_sub(1);
        });
        if (!started) {
            log->running.fetch_sub(1);
        }
        return started;
    };
}

// What the tasks of one test share. Tasks hold it, so it outlives a late thread.
struct Work {
    ManualResetEvent release{false};
    std::atomic<int> held_finished{0};
    std::atomic<int> counted{0};
    std::atomic<int> running{0};
    std::atomic<int> most_running{0};
};

// Runs until the test releases it.
TaskPool::Task held_task(std::shared_ptr<Work> work) {
    return [work] {
        int now = work->running.fetch_add(1) + 1;
        int most = work->most_running.load();
        while (now > most && !work->most_running.compare_exchange_weak(most, now)) {
        }
        work->release.wait(-1);
        work->running.fetch_sub(1);
        work->held_finished.fetch_add(1);
    };
}

TaskPool::Task counted_task(std::shared_ptr<Work> work) {
    return [work] { work->counted.fetch_add(1); };
}

// Each test ends with the pool destroyed and every thread it made gone.
class TaskPoolTest : public testing::Test {
protected:
    void TearDown() override {
        work->release.set();
        pool.reset();
        EXPECT_TRUE(eventually([&] { return threads->running.load() == 0; }))
            << threads->running.load() << " threads left";
    }

    void submit_held(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(pool->submit(held_task(work)));
        }
    }

    std::shared_ptr<ThreadLog> threads = std::make_shared<ThreadLog>();
    std::unique_ptr<TaskPool> pool = std::make_unique<TaskPool>(logged_starter(threads));
    std::shared_ptr<Work> work = std::make_shared<Work>();
};

TEST_F(TaskPoolTest, start_twice_keeps_the_first_settings_and_restarts_once_stopped) {
    ASSERT_TRUE(pool->start({.min_threads = 2, .max_threads = 4}));
    EXPECT_EQ(pool->state(), TaskPool::kRunning);
    EXPECT_FALSE(pool->start({.min_threads = 3, .max_threads = 9}));
    EXPECT_EQ(pool->max_threads(), 4);
    EXPECT_EQ(pool->state(), TaskPool::kRunning);

    EXPECT_TRUE(pool->stop(TaskPool::kStopDropQueued));
    EXPECT_EQ(pool->state(), TaskPool::kIdle);
    EXPECT_EQ(pool->thread_count(), 0);
    EXPECT_TRUE(pool->stop(TaskPool::kStopDropQueued));

    ASSERT_TRUE(pool->start({.min_threads = 1}));
    ASSERT_TRUE(pool->submit(counted_task(work)));
    EXPECT_TRUE(eventually([&] { return work->counted.load() == 1; }));
}

struct SettingsCase {
    TaskPoolSettings given;
    int threads;
    int max_threads;
    int idle_timeout_ms;
};

class TaskPoolSettingsTest : public TaskPoolTest,
                             public testing::WithParamInterface<SettingsCase> {};

TEST_P(TaskPoolSettingsTest, start_holds_the_settings_to_their_bounds) {
    const SettingsCase& c = GetParam();
    ASSERT_TRUE(pool->start(c.given));
    EXPECT_TRUE(eventually([&] { return pool->thread_count() == c.threads; }))
        << pool->thread_count();
    EXPECT_EQ(pool->max_threads(), c.max_threads);
    EXPECT_EQ(pool->idle_timeout_ms(), c.idle_timeout_ms);
    EXPECT_EQ(pool->idle_thread_count(), c.threads);
    EXPECT_TRUE(pool->is_idle());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TaskPoolSettingsTest,
    testing::Values(
        SettingsCase{{}, 5, 5, 10000},
        SettingsCase{{.min_threads = 0, .max_threads = 0, .idle_timeout_ms = 99}, 1, 1, 100},
        SettingsCase{{.min_threads = -2, .idle_timeout_ms = -5}, 1, 1, 100},
        SettingsCase{{.min_threads = 2, .max_threads = 8, .idle_timeout_ms = 250}, 2, 8, 250},
        SettingsCase{{.min_threads = 3, .max_threads = 1}, 3, 3, 10000}));

TEST_F(TaskPoolTest, manager_adds_extra_workers_up_to_the_maximum_and_they_leave_when_idle) {
    ASSERT_TRUE(pool->start({.min_threads = 5, .max_threads = 100, .idle_timeout_ms = 200}));
    submit_held(200);

    EXPECT_TRUE(eventually([&] { return pool->thread_count() == 100; })) << pool->thread_count();
    EXPECT_TRUE(eventually([&] { return pool->busy_count() == 100; })) << pool->busy_count();
    EXPECT_EQ(pool->queued_count(), 100);
    EXPECT_EQ(pool->idle_thread_count(), 0);
    EXPECT_FALSE(pool->is_idle());

    work->release.set();
    EXPECT_TRUE(eventually([&] { return work->held_finished.load() == 200; }));
    EXPECT_TRUE(eventually([&] { return pool->is_idle(); }));
    EXPECT_TRUE(eventually([&] { return pool->thread_count() == 5; })) << pool->thread_count();
    EXPECT_EQ(work->most_running.load(), 100);
    EXPECT_EQ(pool->max_threads(), 100);

    // Core workers outlast several idle time-outs.
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(pool->thread_count(), 5);
    EXPECT_EQ(pool->state(), TaskPool::kRunning);
}

// The manager waits about a second for each extra worker to come up; one that
// comes up later still counts against the maximum.
TEST_F(TaskPoolTest, worker_that_comes_up_late_never_takes_the_pool_past_its_maximum) {
    threads->late = 1u << 2;  // the first extra worker, after the manager and the core worker
    ASSERT_TRUE(pool->start({.min_threads = 1, .max_threads = 3}));
    submit_held(10);
    EXPECT_TRUE(eventually([&] { return pool->busy_count() == 3; })) << pool->busy_count();
    work->release.set();
    EXPECT_TRUE(eventually([&] { return work->held_finished.load() == 10; }));
    EXPECT_EQ(work->most_running.load(), 3);
    EXPECT_EQ(threads->attempts.load(), 1 + 3);
    EXPECT_EQ(pool->thread_count(), 3);
}

struct StopCase {
    int mode;
    int queued_tasks_run;
};

class TaskPoolStopTest : public TaskPoolTest, public testing::WithParamInterface<StopCase> {};

// Two running tasks hold both workers while ten more wait in the queue.
TEST_P(TaskPoolStopTest, stop_finishes_running_tasks_and_runs_or_drops_the_queued_ones) {
    const StopCase& c = GetParam();
    auto token = std::make_shared<int>(0);
    ASSERT_TRUE(pool->start({.min_threads = 2, .max_threads = 2}));
    submit_held(2);
    ASSERT_TRUE(eventually([&] { return pool->busy_count() == 2; }));
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(pool->submit([work = work, token] { work->counted.fetch_add(1); }));
    }
    EXPECT_EQ(pool->queued_count(), 10);

    const bool waits = c.mode == TaskPool::kStopDropQueued || c.mode == TaskPool::kStopRunQueued ||
                       c.mode < 0 || c.mode > 3;
    if (waits) {
        // Release the running tasks from inside stop, once it has begun.
        Work* shared = work.get();
        pool->set_message_pump([shared] { shared->release.set(); });
        EXPECT_TRUE(pool->stop(c.mode, 0, true));
        EXPECT_EQ(pool->state(), TaskPool::kIdle);
    } else {
        EXPECT_TRUE(pool->stop(c.mode));
        // The held tasks keep the workers, so stop cannot have waited for them.
        EXPECT_EQ(pool->state(), TaskPool::kStopping);
        EXPECT_FALSE(pool->submit(counted_task(work)));
        work->release.set();
        EXPECT_TRUE(eventually([&] { return pool->state() == TaskPool::kIdle; }));
    }
    EXPECT_EQ(work->held_finished.load(), 2);
    EXPECT_EQ(work->counted.load(), c.queued_tasks_run);
    // Tasks that were dropped have been destroyed with what they carried.
    EXPECT_EQ(token.use_count(), 1);
    EXPECT_FALSE(pool->submit(counted_task(work)));
}

INSTANTIATE_TEST_SUITE_P(Modes, TaskPoolStopTest,
                         testing::Values(StopCase{TaskPool::kStopDropQueued, 0},
                                         StopCase{TaskPool::kStopRunQueued, 10},
                                         StopCase{TaskPool::kStopDropQueuedNoWait, 0},
                                         StopCase{TaskPool::kStopRunQueuedNoWait, 10},
                                         StopCase{7, 0}, StopCase{-1, 0}));

// Start waits about a second for its core workers; two that come up later,
// while stop is under way, still find a stop marker each and leave.
TEST_F(TaskPoolTest, stop_ends_core_workers_that_came_up_after_it_counted_the_workers) {
    threads->late = 1u << 3 | 1u << 4;  // after the manager and two core workers
    ASSERT_TRUE(pool->start({.min_threads = 4}));
    ASSERT_EQ(pool->thread_count(), 2);
    submit_held(2);
    ASSERT_TRUE(eventually([&] { return pool->busy_count() == 2; }));

    ThreadLog* log = threads.get();
    Work* shared = work.get();
    pool->set_message_pump([log, shared] {
        if (log->begun.load() == 5) {
            shared->release.set();
        }
    });
    EXPECT_TRUE(pool->stop(TaskPool::kStopDropQueued, kPatienceMs, true));
    EXPECT_EQ(pool->state(), TaskPool::kIdle);
    EXPECT_EQ(work->held_finished.load(), 2);
}

TEST_F(TaskPoolTest, paused_pool_takes_tasks_and_holds_them_until_resumed) {
    ASSERT_TRUE(pool->start({.min_threads = 2, .max_threads = 2}));
    EXPECT_TRUE(pool->wait_until_resumed(0));
    pool->pause();
    EXPECT_FALSE(pool->wait_until_resumed(0));
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(pool->submit(counted_task(work)));
    }
    EXPECT_FALSE(pool->wait_for_finished_task(200));
    EXPECT_EQ(work->counted.load(), 0);
    EXPECT_EQ(pool->queued_count(), 5);
    EXPECT_FALSE(pool->is_idle());

    pool->resume();
    EXPECT_TRUE(pool->wait_until_resumed(0));
    EXPECT_TRUE(eventually([&] { return work->counted.load() == 5; }));
    EXPECT_TRUE(eventually([&] { return pool->is_idle(); }));
}

TEST_F(TaskPoolTest, stop_opens_the_pause_gate) {
    ASSERT_TRUE(pool->start({.min_threads = 2}));
    pool->pause();
    ASSERT_TRUE(pool->submit(counted_task(work)));
    EXPECT_TRUE(pool->stop(TaskPool::kStopRunQueued, kPatienceMs));
    EXPECT_EQ(work->counted.load(), 1);
}

TEST_F(TaskPoolTest, pool_that_is_not_running_refuses_tasks_and_settings) {
    int calls = 0;
    EXPECT_FALSE(pool->submit(counted_task(work)));
    EXPECT_FALSE(pool->submit([](int, int) {}, 1, 2));
    pool->set_max_threads(9);
    pool->set_idle_timeout(500);
    pool->set_stack_size(1 << 20);
    EXPECT_EQ(pool->max_threads(), 0);
    EXPECT_EQ(pool->idle_timeout_ms(), 0);
    EXPECT_EQ(pool->stack_size(), 0u);
    pool->pause();
    EXPECT_FALSE(pool->wait_until_resumed(0));
    pool->signal_task_done();
    EXPECT_FALSE(pool->wait_for_finished_task(0));
    pool->set_message_pump([&] { ++calls; });
    EXPECT_FALSE(pool->wait_for_finished_task(0, true));
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(pool->is_idle());
    EXPECT_EQ(pool->thread_count(), 0);
    EXPECT_EQ(pool->state(), TaskPool::kIdle);
    EXPECT_TRUE(pool->stop(TaskPool::kStopRunQueued));
    EXPECT_EQ(threads->attempts.load(), 0);
}

TEST_F(TaskPoolTest, running_pool_refuses_an_empty_task) {
    ASSERT_TRUE(pool->start({.min_threads = 1}));
    EXPECT_FALSE(pool->submit(nullptr, 1, 2));
    EXPECT_FALSE(pool->submit(TaskPool::Task{}));
    EXPECT_EQ(pool->queued_count(), 0);
}

std::atomic<int> routine_result{0};

TEST_F(TaskPoolTest, routine_gets_its_two_arguments_in_order) {
    ASSERT_TRUE(pool->start({.min_threads = 1}));
    ASSERT_TRUE(
        pool->submit([](int first, int second) { routine_result = first * 100 + second; }, 6, 7));
    EXPECT_TRUE(eventually([] { return routine_result.load() == 607; }));
}

TEST_F(TaskPoolTest, task_carries_its_own_copy_of_a_text) {
    ASSERT_TRUE(pool->start({.min_threads = 1}));
    std::string text = "星河";
    auto seen = std::make_shared<std::string>();
    ASSERT_TRUE(pool->submit([text, seen, work = work] {
        *seen = text;
        work->counted.fetch_add(1);
    }));
    text = "changed";
    ASSERT_TRUE(eventually([&] { return work->counted.load() == 1; }));
    EXPECT_EQ(*seen, "星河");
}

TEST_F(TaskPoolTest, setters_hold_their_bounds_while_running) {
    ASSERT_TRUE(pool->start({.min_threads = 1, .max_threads = 4, .idle_timeout_ms = 1000}));
    const struct {
        int given;
        int max_threads;
    } max_cases[] = {{0, 1}, {-5, 1}, {7, 7}, {1, 1}};
    for (const auto& c : max_cases) {
        pool->set_max_threads(c.given);
        EXPECT_EQ(pool->max_threads(), c.max_threads) << c.given;
    }
    const struct {
        int given;
        int timeout_ms;
    } timeout_cases[] = {{99, 100}, {-1, 100}, {100, 100}, {250, 250}};
    for (const auto& c : timeout_cases) {
        pool->set_idle_timeout(c.given);
        EXPECT_EQ(pool->idle_timeout_ms(), c.timeout_ms) << c.given;
    }
    pool->set_stack_size(1 << 20);
    EXPECT_EQ(pool->stack_size(), std::size_t{1} << 20);
}

TEST_F(TaskPoolTest, raising_max_threads_lets_the_manager_add_workers_for_waiting_tasks) {
    ASSERT_TRUE(pool->start({.min_threads = 1, .max_threads = 1}));
    submit_held(3);
    ASSERT_TRUE(eventually([&] { return pool->busy_count() == 1; }));
    EXPECT_EQ(pool->thread_count(), 1);
    pool->set_max_threads(3);
    EXPECT_TRUE(eventually([&] { return pool->busy_count() == 3; })) << pool->busy_count();
    EXPECT_EQ(pool->thread_count(), 3);
}

TEST_F(TaskPoolTest, workers_get_the_given_stack_size) {
    ASSERT_TRUE(pool->start({.min_threads = 1, .max_threads = 2, .stack_size = 256 * 1024}));
    EXPECT_EQ(threads->last_stack_size.load(), 256u * 1024);
    ASSERT_TRUE(pool->submit([work = work] {
        volatile char buffer[64 * 1024];
        std::memset(const_cast<char*>(buffer), 1, sizeof buffer);
        work->counted.fetch_add(buffer[100]);
    }));
    EXPECT_TRUE(eventually([&] { return work->counted.load() == 1; }));

    pool->set_stack_size(512 * 1024);
    submit_held(2);
    EXPECT_TRUE(eventually([&] { return pool->thread_count() == 2; }));
    EXPECT_EQ(threads->last_stack_size.load(), 512u * 1024);
}

TEST_F(TaskPoolTest, waiting_for_a_finished_task_sees_tasks_and_signals) {
    ASSERT_TRUE(pool->start({.min_threads = 1}));
    int pumped = 0;
    pool->set_message_pump([&] { ++pumped; });
    EXPECT_FALSE(pool->wait_for_finished_task(0));
    EXPECT_FALSE(pool->wait_for_finished_task(30, true));
    EXPECT_GE(pumped, 1);
    ASSERT_TRUE(pool->submit(counted_task(work)));
    EXPECT_TRUE(pool->wait_for_finished_task(kPatienceMs, true));
    pool->signal_task_done();
    EXPECT_TRUE(pool->wait_for_finished_task(0));
}

TEST_F(TaskPoolTest, start_and_stop_pump_messages_only_when_asked) {
    int pumped = 0;
    pool->set_message_pump([&] { ++pumped; });
    ASSERT_TRUE(pool->start({.min_threads = 3}));
    ASSERT_TRUE(pool->stop(TaskPool::kStopDropQueued));
    EXPECT_EQ(pumped, 0);

    ASSERT_TRUE(pool->start({.min_threads = 3, .pump_messages = true}));
    EXPECT_GE(pumped, 3);  // at least once after each worker
    const int after_start = pumped;
    ASSERT_TRUE(pool->stop(TaskPool::kStopDropQueued, 0, true));
    EXPECT_GT(pumped, after_start);

    pool->set_message_pump({});
    EXPECT_TRUE(pool->start({.min_threads = 1, .pump_messages = true}));
}

struct FailureCase {
    int threads_allowed;
    int min_threads;
    int attempts;
    bool started;
};

class TaskPoolFailureTest : public TaskPoolTest, public testing::WithParamInterface<FailureCase> {};

// The manager is asked for first, then the core workers one by one.
TEST_P(TaskPoolFailureTest, start_gives_up_after_five_workers_fail_in_a_row) {
    const FailureCase& c = GetParam();
    threads->allowed = c.threads_allowed;
    EXPECT_EQ(pool->start({.min_threads = c.min_threads}), c.started);
    EXPECT_EQ(threads->attempts.load(), c.attempts);
    if (c.started) {
        EXPECT_EQ(pool->state(), TaskPool::kRunning);
        EXPECT_EQ(pool->thread_count(), c.threads_allowed - 1);
        return;
    }
    EXPECT_EQ(pool->state(), TaskPool::kIdle);
    EXPECT_EQ(pool->thread_count(), 0);
    EXPECT_FALSE(pool->submit(counted_task(work)));
    EXPECT_TRUE(eventually([&] { return threads->running.load() == 0; }));

    threads->allowed = INT_MAX;
    ASSERT_TRUE(pool->start({.min_threads = 1}));
    ASSERT_TRUE(pool->submit(counted_task(work)));
    EXPECT_TRUE(eventually([&] { return work->counted.load() == 1; }));
}

INSTANTIATE_TEST_SUITE_P(Cases, TaskPoolFailureTest,
                         testing::Values(FailureCase{0, 8, 1, false}, FailureCase{1, 8, 6, false},
                                         FailureCase{1, 3, 4, false}, FailureCase{3, 8, 8, true}));

TEST_F(TaskPoolTest, manager_lowers_max_threads_to_the_live_count_after_five_failures) {
    threads->allowed = 3;  // the manager and two core workers
    ASSERT_TRUE(pool->start({.min_threads = 2, .max_threads = 10}));
    submit_held(5);
    EXPECT_TRUE(eventually([&] { return pool->max_threads() == 2; })) << pool->max_threads();
    EXPECT_EQ(threads->attempts.load(), 3 + 5);
    EXPECT_EQ(pool->thread_count(), 2);
}

TEST_F(TaskPoolTest, destroy_returns_while_tasks_still_run_and_they_finish_afterwards) {
    ASSERT_TRUE(pool->start({.min_threads = 2}));
    submit_held(2);
    ASSERT_TRUE(eventually([&] { return pool->busy_count() == 2; }));
    ASSERT_TRUE(pool->submit(counted_task(work)));

    pool.reset();
    EXPECT_GT(threads->running.load(), 0);
    work->release.set();
    EXPECT_TRUE(eventually([&] { return threads->running.load() == 0; }));
    EXPECT_EQ(work->held_finished.load(), 2);
    EXPECT_EQ(work->counted.load(), 0);
}

TEST(TaskPool, destroy_of_a_pool_never_started_makes_no_thread) {
    auto threads = std::make_shared<ThreadLog>();
    {
        TaskPool pool(logged_starter(threads));
        EXPECT_EQ(pool.state(), TaskPool::kIdle);
    }
    EXPECT_EQ(threads->attempts.load(), 0);
}

TEST(TaskPool, default_pool_runs_tasks_on_real_threads) {
    TaskPool pool;
    ASSERT_TRUE(pool.start({.min_threads = 2, .max_threads = 3, .pump_messages = true}));
    auto work = std::make_shared<Work>();
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(pool.submit(counted_task(work)));
    }
    EXPECT_TRUE(pool.stop(TaskPool::kStopRunQueued, kPatienceMs));
    EXPECT_EQ(work->counted.load(), 20);
}

}  // namespace
