// The main of every window test: offscreen windows, one application object.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

bool tests_finished = false;

// A window test must never end the process on its own (for example through
// the updater hand-over): that would pass for success with tests unrun.
void refuse_early_exit() {
    if (!tests_finished) {
        std::fputs("the test program ended before its tests finished\n", stderr);
        ::_exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Before the application object: ctest's environment does not reach
    // test discovery.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::atexit(refuse_early_exit);
    testing::InitGoogleTest(&argc, argv);
    int status = RUN_ALL_TESTS();
    tests_finished = true;
    return status;
}
