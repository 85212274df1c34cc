#include "update/version_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "core/text_encoding.h"
#include "test_web.h"
#include "version_check_probe.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A loopback port where connections are taken into the queue and never
// answered: what a hung update server looks like to the client.
class SilentServer {
public:
    SilentServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(fd_, 8);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(fd_); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    // A connection waits in the queue (even after the client has gone).
    bool was_contacted() const {
        pollfd waiting{fd_, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

enum class Server {
    kDefault,    // the test server's own version text, {"version":"2.0.4"}
    kPublished,  // the case's text, from a folder of its own
    kNoPage,     // a folder without a version text: an HTTP error page
    kRefused,
    kSilent,
};

struct Case {
    const char* name;
    std::optional<std::string> version_file;  // written as GBK; none: no version.json
    Server server;
    std::string published;  // for kPublished, written as GBK
    bool updater;           // whether the updater must run and the program end
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

struct ProbeEnd {
    bool ended = false;
    int exit_code = -1;
};

// A run directory of its own with a fake updater that records its start.
class VersionCheck : public testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        run_dir_ = fs::temp_directory_path() / ("xinghe-version-" + std::to_string(::getpid()) +
                                                "-" + std::to_string(++counter));
        fs::remove_all(run_dir_);
        fs::create_directories(run_dir_);
    }
    void TearDown() override { fs::remove_all(run_dir_); }

    void write_file(const std::string& name, std::string_view bytes) {
        std::ofstream(run_dir_ / name, std::ios::binary)
            .write(bytes.data(), static_cast<long>(bytes.size()));
    }
    void install_fake_updater() {
        write_file("updata",
                   "#!/bin/sh\n"
                   "# records its number of arguments, its process id and its session\n"
                   "dir=$(dirname \"$0\")\n"
                   "arguments=$#\n"
                   "set -- $(cat /proc/$$/stat)\n"
                   "echo \"$arguments $1 $6\" > \"$dir/updater.part\"\n"
                   "mv \"$dir/updater.part\" \"$dir/updater_ran\"\n");
        fs::permissions(run_dir_ / "updata", fs::perms::owner_all);
    }

    // Runs the check in a process of its own; ended is false when it had to
    // be killed.
    ProbeEnd run_check(const std::string& update_host) {
        std::vector<std::string> variables;
        for (char** e = environ; *e; ++e) {
            std::string_view v(*e);
            if (v.rfind("XINGHE_RUN_DIR=", 0) != 0 && v.rfind("XINGHE_UPDATE_HOST=", 0) != 0) {
                variables.emplace_back(v);
            }
        }
        variables.push_back("XINGHE_RUN_DIR=" + run_dir_.string());
        variables.push_back("XINGHE_UPDATE_HOST=" + update_host);
        std::vector<char*> envp;
        for (std::string& v : variables) {
            envp.push_back(v.data());
        }
        envp.push_back(nullptr);
        char* argv[] = {const_cast<char*>(XINGHE_VERSION_CHECK_PROBE), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, envp.data()) != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return {};
        }
        // Far beyond the download limit: only a check that hangs gets here.
        auto give_up = std::chrono::steady_clock::now() + 90s;
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > give_up) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return {};
            }
            std::this_thread::sleep_for(20ms);
        }
        return {WIFEXITED(status), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    }

    // The updater's record, waiting for the detached process when asked
    // to; none when it did not run.
    struct UpdaterRecord {
        std::string arguments;  // how many it got
        std::string pid;
        std::string session;
    };
    std::optional<UpdaterRecord> updater_record(bool wait) {
        auto give_up = std::chrono::steady_clock::now() + (wait ? 20s : 0s);
        do {
            std::ifstream record(run_dir_ / "updater_ran");
            UpdaterRecord ran;
            if (record >> ran.arguments >> ran.pid >> ran.session) {
                return ran;
            }
            if (wait) {
                std::this_thread::sleep_for(20ms);
            }
        } while (std::chrono::steady_clock::now() < give_up);
        return std::nullopt;
    }

    bool exit_cleanup_ran() const { return fs::exists(run_dir_ / "exit_cleanup_ran"); }

    fs::path run_dir_;
};

class VersionCheckTest : public VersionCheck, public testing::WithParamInterface<Case> {};

TEST_P(VersionCheckTest, ends_with_exit_code_0_exactly_when_the_updater_must_run) {
    const Case& c = GetParam();
    if (c.version_file) {
        write_file("version.json", to_gbk(*c.version_file));
    }
    install_fake_updater();
    WebFolder folder;
    SilentServer silent;
    std::string host;
    switch (c.server) {
        case Server::kDefault:
            host = test_web_host();
            break;
        case Server::kPublished:
            folder.write("app/riraz_version.txt", to_gbk(c.published));
            host = folder.host();
            break;
        case Server::kNoPage:
            host = folder.host();
            break;
        case Server::kRefused:
            host = "127.0.0.1:" + std::to_string(refused_port());
            break;
        case Server::kSilent:
            host = silent.host();
            break;
    }

    ProbeEnd end = run_check(host);
    ASSERT_TRUE(end.ended) << "the check did not end";
    if (c.updater) {
        EXPECT_EQ(end.exit_code, 0);
        std::optional<UpdaterRecord> ran = updater_record(true);
        ASSERT_TRUE(ran) << "the updater did not run";
        EXPECT_EQ(ran->arguments, "0");
        EXPECT_EQ(ran->session, ran->pid) << "the updater should lead a session of its own";
    } else {
        EXPECT_EQ(end.exit_code, kCheckReturned) << "the check should return";
        EXPECT_FALSE(updater_record(false)) << "the updater ran";
    }
    EXPECT_TRUE(exit_cleanup_ran()) << "the exit clean-up did not run";
    if (!c.version_file) {
        EXPECT_FALSE(silent.was_contacted()) << "downloaded although version.json is missing";
    }
}

const std::string kInstalled204 = "[system]\r\nversion=2.0.4\r\n";
const std::string kNoInstalledVersion = "[system]\r\n";

INSTANTIATE_TEST_SUITE_P(
    VersionCheck, VersionCheckTest,
    testing::Values(
        Case{"equal_versions_let_start_up_go_on", kInstalled204, Server::kDefault, "", false},
        Case{"a_newer_published_version_starts_the_updater", kInstalled204, Server::kPublished,
             R"({"version":"2.0.5"})", true},
        Case{"an_older_published_version_starts_the_updater", kInstalled204, Server::kPublished,
             R"({"version":"2.0.3"})", true},
        Case{"published_number_2_equals_installed_2", "[system]\r\nversion=2\r\n",
             Server::kPublished, R"({"version":2})", false},
        Case{"published_number_2_differs_from_installed_2_0", "[system]\r\nversion=2.0\r\n",
             Server::kPublished, R"({"version":2.0})", true},
        Case{"gbk_versions_compare_as_text", "[system]\r\nversion=2.0.4测试版\r\n",
             Server::kPublished, R"({"version":"2.0.4测试版"})", false},
        Case{"a_version_file_in_json_form_reads_as_no_version", R"({"system":{"version":"2.0.4"}})",
             Server::kDefault, "", true},
        Case{"no_installed_version_against_a_published_one", kNoInstalledVersion, Server::kDefault,
             "", true},
        Case{"both_empty_with_the_server_unreachable", kNoInstalledVersion, Server::kRefused, "",
             false},
        Case{"an_error_page_reads_as_no_version", kInstalled204, Server::kNoPage, "", true},
        Case{"a_reply_without_version_reads_as_no_version", kInstalled204, Server::kPublished,
             R"({"versions":"2.0.4"})", true},
        Case{"a_missing_version_file_starts_the_updater_without_downloading", std::nullopt,
             Server::kSilent, "", true},
        // The download is given up after its limit and reads as no version,
        // which equals the empty installed one.
        Case{"a_server_that_never_answers_reads_as_no_version", kNoInstalledVersion,
             Server::kSilent, "", false}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST_F(VersionCheck, a_missing_updater_still_ends_the_program_with_exit_code_0) {
    ProbeEnd end = run_check(test_web_host());  // no version.json and no updater
    ASSERT_TRUE(end.ended);
    EXPECT_EQ(end.exit_code, 0);
    EXPECT_TRUE(exit_cleanup_ran());
}

}  // namespace
