#include "core/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "core/ini_text.h"
#include "core/replacing_file.h"

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

struct FileContent {
    enum State { Read, Missing, Unreadable } state = Missing;
    std::string bytes;
    struct stat info {};
};

FileContent load(const std::string& path) {
    FileContent content;
    // Non-blocking, so that a pipe put where the file should be cannot hang
    // the program; only regular files are read.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        content.state = (errno == ENOENT) ? FileContent::Missing : FileContent::Unreadable;
        return content;
    }
    content.state = FileContent::Unreadable;
    if (::fstat(fd.get(), &content.info) != 0 || !S_ISREG(content.info.st_mode)) {
        return content;
    }
    char buffer[16384];
    for (;;) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return content;
        }
        content.bytes.append(buffer, static_cast<size_t>(got));
    }
    content.state = FileContent::Read;
    return content;
}

// A new file is readable and writable by its owner only: Conf.ini holds the
// remembered password in a form that can be undone.
bool replace_file(const std::string& path, const std::string& bytes, const FileContent& old) {
    ReplacingFile file(path, 0600);
    if (old.state == FileContent::Read) {
        file.take_owner_and_mode_of(old.info);
    }
    file.write(bytes);
    return file.commit();
}

// The file a write should replace: the target of a symbolic link rather than
// the link itself.
std::optional<std::string> write_target(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) {
        return std::nullopt;
    }
    return std::string(resolved);
}

}  // namespace

std::string read_setting(const std::string& path, std::string_view section, std::string_view key) {
    FileContent content = load(path);
    if (content.state != FileContent::Read) {
        return {};
    }
    return ini_value(content.bytes, section, key);
}

bool write_setting(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    std::optional<std::string> target = write_target(path);
    if (!target) {
        return false;
    }
    FileContent old = load(*target);
    if (old.state == FileContent::Unreadable) {
        return false;  // never replace a file whose lines could not be kept
    }
    std::optional<std::string> bytes = ini_with_value(old.bytes, section, key, value);
    if (!bytes) {
        return false;
    }
    if (old.state == FileContent::Read && *bytes == old.bytes) {
        return true;
    }
    return replace_file(*target, *bytes, old);
}
