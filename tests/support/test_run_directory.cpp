#include "support/test_run_directory.h"

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

TestRunDirectory::TestRunDirectory() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("xinghe-run-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    write("version.json", "[system]\r\nversion=2.0.4\r\n");
    if (const char* previous = getenv("XINGHE_RUN_DIR")) {
        previous_ = previous;
        had_previous_ = true;
    }
    setenv("XINGHE_RUN_DIR", path_.c_str(), 1);
}

TestRunDirectory::~TestRunDirectory() {
    if (had_previous_) {
        setenv("XINGHE_RUN_DIR", previous_.c_str(), 1);
    } else {
        unsetenv("XINGHE_RUN_DIR");
    }
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TestRunDirectory::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void TestRunDirectory::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
}
