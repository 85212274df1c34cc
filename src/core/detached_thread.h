#pragma once

#include <cstddef>
#include <functional>

// Runs body on a new detached thread: nobody joins it, and it ends when body
// returns. stack_size 0 takes the platform's default; any other size is
// raised to the platform's minimum and a whole number of pages. False when
// the thread cannot be made (body is then dropped without running).
bool start_detached_thread(std::size_t stack_size, std::function<void()> body);
