#include "core/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "core/ini_text.h"

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
    // Closes now, so that a failing close can be seen.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

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

bool write_all(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes through a temporary file in the same folder and a rename, so the
// file is either the old one or the new one, never half of either, even when
// the machine stops in between.
bool replace_file(const std::string& path, const std::string& bytes, const FileContent& old) {
    std::string temp = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));  // created with mode 0600
    if (fd.get() < 0) {
        return false;
    }
    bool ok = true;
    if (old.state == FileContent::Read) {
        // Keep the old file's mode, and its owner where that is allowed (root);
        // otherwise the file becomes ours, as a new one would.
        [[maybe_unused]] bool owner_kept =
            ::fchown(fd.get(), old.info.st_uid, old.info.st_gid) == 0;
        ok = ::fchmod(fd.get(), old.info.st_mode & 07777) == 0;
    }
    ok = ok && write_all(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    FileDescriptor folder(::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return true;
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
