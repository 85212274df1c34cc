#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The local web server of the test services (scripts/services/start), as
// the HTTP tests reach it.

// host:port of the server; empty (and the test failed) when the services
// are not running.
std::string test_web_host();

// A folder of the server's document root that no other test process uses,
// served under "/" + name(); removed when the object goes.
class WebFolder {
public:
    WebFolder();
    ~WebFolder();
    WebFolder(const WebFolder&) = delete;
    WebFolder& operator=(const WebFolder&) = delete;

    const std::string& name() const { return name_; }
    // host:port/name: what the update host must be for this folder to stand
    // in for the update server.
    std::string host() const;
    // Writes bytes to relative_path under the folder, making folders as needed.
    void write(std::string_view relative_path, std::string_view bytes) const;

private:
    std::string name_;
    std::filesystem::path path_;
};

// A loopback port that refuses connections (nothing listens there).
int refused_port();
