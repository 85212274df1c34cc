#include "core/sync_events.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(AutoResetEvent, one_wait_takes_the_signal_however_often_it_was_set) {
    AutoResetEvent event;
    EXPECT_FALSE(event.wait(0));
    event.set();
    event.set();
    EXPECT_TRUE(event.wait(0));
    EXPECT_FALSE(event.wait(0));
}

TEST(AutoResetEvent, set_on_another_thread_wakes_a_waiter) {
    AutoResetEvent event;
    std::thread setter([&] { event.set(); });
    EXPECT_TRUE(event.wait(-1));
    setter.join();
}

TEST(ManualResetEvent, stays_set_for_every_waiter_until_reset) {
    ManualResetEvent event(false);
    EXPECT_FALSE(event.wait(0));
    std::vector<std::thread> waiters;
    std::atomic<int> woken{0};
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            if (event.wait(-1)) {
                ++woken;
            }
        });
    }
    event.set();
    for (std::thread& waiter : waiters) {
        waiter.join();
    }
    EXPECT_EQ(woken.load(), 3);
    EXPECT_TRUE(event.wait(0));
    event.reset();
    EXPECT_FALSE(event.wait(0));
    EXPECT_TRUE(ManualResetEvent(true).wait(0));
}

}  // namespace
