#include "core/run_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

std::string run_directory() {
    if (const char* dir = std::getenv("XINGHE_RUN_DIR"); dir && *dir) {
        std::string path = dir;
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return path;
    }
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return ".";
    }
    std::string exe(buffer, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string run_file(std::string_view name) {
    std::string dir = run_directory();
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir + std::string(name);
}

bool file_exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
