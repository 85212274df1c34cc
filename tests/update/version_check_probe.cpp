// Runs the start-up version check as the program does, in a process of its
// own, so that a test can see how the process ends. The run directory and
// the update host come from XINGHE_RUN_DIR and XINGHE_UPDATE_HOST.
//
// Exit code kCheckReturned: the check returned and start-up would go on.
// The exit clean-up registered here leaves "exit_cleanup_ran" in the run
// directory, to show that it ran however the process ended.

#include "version_check_probe.h"

#include <cstdlib>
#include <fstream>

#include "core/run_directory.h"
#include "update/version_check.h"

int main() {
    std::atexit([] { std::ofstream(run_file("exit_cleanup_ran")) << "ran\n"; });
    run_version_check();
    return kCheckReturned;
}
