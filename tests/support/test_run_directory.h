#pragma once

#include <filesystem>
#include <string>

// A run directory of the test's own (XINGHE_RUN_DIR points at it while the
// object lives), holding version.json with the version the test web server
// publishes, so the start-up's version check lets the client run.
class TestRunDirectory {
public:
    TestRunDirectory();
    ~TestRunDirectory();
    TestRunDirectory(const TestRunDirectory&) = delete;
    TestRunDirectory& operator=(const TestRunDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // The file's bytes, or empty when it does not exist.
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
    std::string previous_;
    bool had_previous_ = false;
};
