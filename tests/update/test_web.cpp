#include "test_web.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

namespace {

const char* services_variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        ADD_FAILURE() << name << " is not set: the test services are not running (run "
                      << "scripts/test, or scripts/services/start and source its env)";
        return nullptr;
    }
    return value;
}

}  // namespace

std::string test_web_host() {
    const char* host = services_variable("XINGHE_TEST_WEB_HOST");
    return host ? host : "";
}

WebFolder::WebFolder() {
    static std::atomic<int> counter{0};
    name_ = "t" + std::to_string(::getpid()) + "x" + std::to_string(++counter);
    if (const char* root = services_variable("XINGHE_TEST_WEB_ROOT")) {
        path_ = std::filesystem::path(root) / name_;
        std::filesystem::create_directories(path_);
    }
}

WebFolder::~WebFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

std::string WebFolder::host() const {
    return test_web_host() + "/" + name_;
}

void WebFolder::write(std::string_view relative_path, std::string_view bytes) const {
    ASSERT_FALSE(path_.empty());
    std::filesystem::path file = path_ / relative_path;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

int refused_port() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);  // bound but never listening: the port is free again and refuses
    return ntohs(address.sin_port);
}
