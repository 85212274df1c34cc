#pragma once

#include <string>
#include <string_view>

struct stat;

// A file written whole or not at all: the bytes go to a temporary file in the
// same folder, which replaces the file at the path only once every byte is on
// disk. Until then an existing file at the path stays as it was; a failure or
// an abandoned write leaves nothing behind.
class ReplacingFile {
public:
    // Opens the temporary file; mode is the new file's permission bits before
    // the umask is applied.
    explicit ReplacingFile(std::string path, unsigned mode = 0666);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Gives the new file the owner (where that is allowed: root) and the mode
    // of the file it replaces.
    bool take_owner_and_mode_of(const struct stat& replaced);

    // False once anything has failed.
    bool ok() const { return fd_ >= 0 && !failed_; }
    bool write(std::string_view bytes);
    // Flushes to disk and puts the file in place (its folder flushed too, so
    // the rename survives a crash); false when the file could
    // not be completed, in which case the temporary file is gone too.
    bool commit();

private:
    void discard();

    std::string path_;
    std::string temp_path_;
    int fd_ = -1;
    bool failed_ = false;
};

// The file at path replaced by bytes through a ReplacingFile.
bool replace_file_contents(const std::string& path, std::string_view bytes, unsigned mode = 0666);
