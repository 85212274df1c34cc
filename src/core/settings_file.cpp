#include "core/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/text_encoding.h"

namespace {

constexpr size_t kValueLimit = 10239;  // a 10240-byte buffer with its terminating zero

struct Line {
    std::string raw;      // the line's bytes as stored, without its line break
    std::string ending;   // "\r\n", "\n" or "" (last line without one)
};

std::vector<Line> split_lines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        size_t content_end = end;
        std::string ending = "\n";
        if (content_end > start && bytes[content_end - 1] == '\r') {
            --content_end;
            ending = "\r\n";
        }
        lines.push_back({bytes.substr(start, content_end - start), ending});
        start = end + 1;
    }
    return lines;
}

std::string_view trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Both texts UTF-8: multi-byte sequences never hold ASCII bytes, so folding
// ASCII letters byte by byte is safe.
bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) {
            return false;
        }
    }
    return true;
}

// What a stored line means, decoded from GBK.
struct LineMeaning {
    enum Kind { Other, Section, Key } kind = Other;
    std::string name;
    std::string value;  // for keys: the value's text
};

LineMeaning read_line(const std::string& raw) {
    std::string text = from_gbk(raw);
    std::string_view view = trim(text);
    LineMeaning meaning;
    if (view.empty() || view.front() == ';') {
        return meaning;
    }
    if (view.front() == '[') {
        size_t close = view.find(']');
        std::string_view name = close == std::string_view::npos ? view.substr(1)
                                                                : view.substr(1, close - 1);
        meaning.kind = LineMeaning::Section;
        meaning.name = std::string(trim(name));
        return meaning;
    }
    size_t equals = view.find('=');
    if (equals == std::string_view::npos) {
        return meaning;
    }
    meaning.kind = LineMeaning::Key;
    meaning.name = std::string(trim(view.substr(0, equals)));
    meaning.value = std::string(trim(view.substr(equals + 1)));
    return meaning;
}

std::optional<std::string> read_file(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}

// Cuts GBK bytes to at most limit bytes without splitting a double-byte
// character.
std::string cut_gbk(const std::string& gbk, size_t limit) {
    if (gbk.size() <= limit) {
        return gbk;
    }
    size_t i = 0;
    while (i < limit) {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        size_t width = (c >= 0x81 && c <= 0xFE) ? 2 : 1;
        if (i + width > limit) {
            break;
        }
        i += width;
    }
    return gbk.substr(0, i);
}

bool has_line_break(std::string_view text) {
    return text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos;
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

// Writes through a temporary file in the same folder and a rename, so the
// file is either the old one or the new one, never half of either.
bool replace_file(const std::string& path, const std::string& bytes, mode_t mode) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && write_all(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
        return true;
    }
    ::unlink(temp.c_str());
    return false;
}

}  // namespace

std::string read_setting(const std::string& path, std::string_view section, std::string_view key) {
    std::optional<std::string> bytes = read_file(path);
    if (!bytes) {
        return {};
    }
    bool in_section = false;
    for (const Line& line : split_lines(*bytes)) {
        LineMeaning meaning = read_line(line.raw);
        if (meaning.kind == LineMeaning::Section) {
            if (in_section) {
                break;  // the first section of that name is the one looked in
            }
            in_section = same_name(meaning.name, section);
        } else if (in_section && meaning.kind == LineMeaning::Key && same_name(meaning.name, key)) {
            return from_gbk(cut_gbk(to_gbk(meaning.value), kValueLimit));
        }
    }
    return {};
}

bool write_setting(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (section.empty() || key.empty() || has_line_break(section) || has_line_break(key) ||
        has_line_break(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') {
        return false;
    }
    std::optional<std::string> old_bytes = read_file(path);
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat info;
    if (old_bytes && ::stat(path.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    }

    std::vector<Line> lines = old_bytes ? split_lines(*old_bytes) : std::vector<Line>{};
    std::string newline = "\r\n";
    if (!lines.empty() && lines.front().ending == "\n") {
        newline = "\n";
    }
    std::string key_line = to_gbk(std::string(key) + "=" + std::string(value));

    // Find the first section of that name, the key in it, and the last
    // non-blank line of the section (where a new key goes).
    std::optional<size_t> section_at, key_at, last_in_section;
    for (size_t i = 0; i < lines.size(); ++i) {
        LineMeaning meaning = read_line(lines[i].raw);
        if (meaning.kind == LineMeaning::Section) {
            if (section_at) {
                break;
            }
            if (same_name(meaning.name, section)) {
                section_at = i;
                last_in_section = i;
            }
            continue;
        }
        if (!section_at) {
            continue;
        }
        if (!trim(lines[i].raw).empty()) {
            last_in_section = i;
        }
        if (meaning.kind == LineMeaning::Key && same_name(meaning.name, key)) {
            key_at = i;
            break;
        }
    }

    if (key_at) {
        lines[*key_at].raw = key_line;
    } else if (section_at) {
        size_t after = *last_in_section;
        if (lines[after].ending.empty()) {
            lines[after].ending = newline;
        }
        lines.insert(lines.begin() + static_cast<long>(after) + 1, Line{key_line, newline});
    } else {
        if (!lines.empty() && lines.back().ending.empty()) {
            lines.back().ending = newline;
        }
        lines.push_back({to_gbk("[" + std::string(section) + "]"), newline});
        lines.push_back({key_line, newline});
    }

    std::string bytes;
    for (const Line& line : lines) {
        bytes += line.raw;
        bytes += line.ending;
    }
    return replace_file(path, bytes, mode);
}
