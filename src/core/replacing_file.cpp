#include "core/replacing_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

// The temporary file sits beside the target, so that the final rename stays
// within one file system, under a short name of its own so that a long target
// name cannot make it too long.
std::string temp_name_in_folder_of(const std::string& path) {
    std::string folder;
    size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        folder = path.substr(0, slash + 1);
    }
    uint64_t unique = 0;
    if (::getrandom(&unique, sizeof unique, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof unique)) {
        // Uniqueness comes from O_EXCL; this only makes retries rare.
        static std::atomic<uint32_t> counter = 0;
        unique = static_cast<uint64_t>(::getpid()) << 32 | counter++;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(unique));
    return folder + ".xinghe-" + hex + ".tmp";
}

}  // namespace

ReplacingFile::ReplacingFile(std::string path, unsigned mode) : path_(std::move(path)) {
    if (path_.empty()) {
        return;
    }
    for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
        temp_path_ = temp_name_in_folder_of(path_);
        fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                     static_cast<mode_t>(mode));
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temp_path_.clear();
    }
}

ReplacingFile::~ReplacingFile() {
    discard();
}

bool ReplacingFile::take_owner_and_mode_of(const struct stat& replaced) {
    if (!ok()) {
        return false;
    }
    // Only root may give a file away; anyone else's new file stays theirs.
    [[maybe_unused]] bool owner_kept = ::fchown(fd_, replaced.st_uid, replaced.st_gid) == 0;
    if (::fchmod(fd_, replaced.st_mode & 07777) != 0) {
        failed_ = true;
    }
    return ok();
}

bool ReplacingFile::write(std::string_view bytes) {
    while (ok() && !bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno != EINTR) {
                failed_ = true;
            }
            continue;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return ok();
}

bool ReplacingFile::commit() {
    if (!ok()) {
        discard();
        return false;
    }
    bool done = ::fsync(fd_) == 0;
    done = ::close(fd_) == 0 && done;
    fd_ = -1;
    if (done && ::rename(temp_path_.c_str(), path_.c_str()) == 0) {
        temp_path_.clear();
        const size_t slash = path_.rfind('/');
        const std::string folder = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : path_.substr(0, slash);
        const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder_fd >= 0) {
            ::fsync(folder_fd);
            ::close(folder_fd);
        }
        return true;
    }
    failed_ = true;
    discard();
    return false;
}

void ReplacingFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_path_.empty()) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
}

bool replace_file_contents(const std::string& path, std::string_view bytes, unsigned mode) {
    ReplacingFile file(path, mode);
    file.write(bytes);
    return file.commit();
}
