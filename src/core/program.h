#pragma once

// The process around the windows: its program-wide objects and its end.

// Registers the exit clean-up, which runs once whenever the process ends:
// it releases the session's texts and destroys the task pool without
// waiting for its workers.
void register_exit_cleanup();

class TaskPool;

// The program's one task pool: created unstarted at process start, started
// by the main window, destroyed by the exit clean-up.
TaskPool& task_pool();

// Ends the process at once with exit code 0; the exit clean-up still runs.
[[noreturn]] void end_program();
