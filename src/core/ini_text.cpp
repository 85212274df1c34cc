#include "core/ini_text.h"

#include <vector>

#include "core/text_encoding.h"
#include "core/utf8.h"

namespace {

constexpr size_t kValueLimit = 10239;  // a 10240-byte buffer with its terminating zero
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

enum class Encoding { Gbk, Utf8 };

struct Line {
    std::string_view raw;     // the line's bytes as stored, without its line break
    std::string_view ending;  // "\r\n", "\n", "\r" or "" (last line without one)
};

struct Document {
    Encoding encoding = Encoding::Gbk;
    std::string_view bom;  // kept in front of the lines when the file is rewritten
    std::vector<Line> lines;
};

Document split(std::string_view bytes) {
    Document document;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        document.encoding = Encoding::Utf8;
        document.bom = bytes.substr(0, kUtf8Bom.size());
        bytes.remove_prefix(kUtf8Bom.size());
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            document.lines.push_back({bytes.substr(start), {}});
            break;
        }
        size_t width =
            (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        document.lines.push_back({bytes.substr(start, end - start), bytes.substr(end, width)});
        start = end + width;
    }
    return document;
}

std::string decode(std::string_view raw, Encoding encoding) {
    return encoding == Encoding::Gbk ? from_gbk(raw) : valid_utf8(raw);
}

std::string encode(std::string_view text, Encoding encoding) {
    return encoding == Encoding::Gbk ? to_gbk(text) : valid_utf8(text);
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Both texts UTF-8, where no byte of a multi-byte character is ASCII, so
// folding ASCII letters byte by byte is safe.
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

// What a stored line means.
struct Entry {
    enum Kind { Other, Section, Key } kind = Other;
    bool blank = true;
    std::string name;
    std::string value;  // keys only
};

Entry read_entry(std::string_view raw, Encoding encoding) {
    Entry entry;
    const std::string text = decode(raw, encoding);
    std::string_view view = trim(text);
    entry.blank = view.empty();
    if (view.empty() || view.front() == ';') {
        return entry;
    }
    if (view.front() == '[') {
        size_t close = view.find(']');
        if (close != std::string_view::npos) {  // an unclosed "[" starts no section
            entry.kind = Entry::Section;
            entry.name = trim(view.substr(1, close - 1));
        }
        return entry;
    }
    entry.kind = Entry::Key;
    size_t equals = view.find('=');
    entry.name = trim(view.substr(0, equals));
    if (equals != std::string_view::npos) {
        entry.value = trim(view.substr(equals + 1));
    }
    return entry;
}

// How many bytes the character at the start of text (valid UTF-8) takes in
// the GBK buffer the value is read into.
size_t gbk_width(std::string_view text, size_t& utf8_length) {
    utf8_length = utf8_sequence_length(text);
    if (utf8_length <= 1) {
        utf8_length = 1;
        return 1;
    }
    if (text.substr(0, kReplacement.size()) == kReplacement) {
        return 1;  // stood for one byte that was not GBK
    }
    return to_gbk(text.substr(0, utf8_length)).size();
}

std::string limit_value(std::string_view value) {
    // No character takes more bytes in GBK than in UTF-8.
    if (value.size() <= kValueLimit) {
        return std::string(value);
    }
    size_t used = 0;
    size_t at = 0;
    while (at < value.size()) {
        size_t length;
        size_t width = gbk_width(value.substr(at), length);
        if (used + width > kValueLimit) {
            break;
        }
        used += width;
        at += length;
    }
    return std::string(value.substr(0, at));
}

std::string value_text(std::string_view value) {
    value = trim(value.substr(0, value.find('\0')));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return limit_value(value);
}

bool holds_any(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

}  // namespace

std::string ini_value(std::string_view bytes, std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    Document document = split(bytes);
    bool in_section = false;
    for (const Line& line : document.lines) {
        Entry entry = read_entry(line.raw, document.encoding);
        if (entry.kind == Entry::Section) {
            if (in_section) {
                break;  // the first section of that name is the one looked in
            }
            in_section = same_name(entry.name, section);
        } else if (in_section && entry.kind == Entry::Key && same_name(entry.name, key)) {
            return value_text(entry.value);
        }
    }
    return {};
}

std::optional<std::string> ini_with_value(std::string_view bytes, std::string_view section,
                                          std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    const std::string_view breaks("\r\n\0", 3);
    if (section.empty() || key.empty() || holds_any(section, breaks) || holds_any(key, breaks) ||
        holds_any(value, breaks) || holds_any(section, "]") || holds_any(key, "=") ||
        key.front() == '[' || key.front() == ';') {
        return std::nullopt;
    }
    Document document = split(bytes);
    Encoding encoding = document.encoding;
    if (decode(encode(section, encoding), encoding) != section ||
        decode(encode(key, encoding), encoding) != key) {
        return std::nullopt;
    }

    std::string_view newline = "\r\n";
    for (const Line& line : document.lines) {
        if (!line.ending.empty()) {
            newline = line.ending;
            break;
        }
    }
    const std::string key_line = encode(std::string(key) + "=" + std::string(value), encoding);
    const std::string section_line = encode("[" + std::string(section) + "]", encoding);

    // The first section of that name, the key in it, and the section's last
    // line that is not blank (where a new key goes).
    std::optional<size_t> section_at, key_at, last_in_section;
    for (size_t i = 0; i < document.lines.size() && !key_at; ++i) {
        Entry entry = read_entry(document.lines[i].raw, encoding);
        if (entry.kind == Entry::Section) {
            if (section_at) {
                break;
            }
            if (same_name(entry.name, section)) {
                section_at = i;
                last_in_section = i;
            }
        } else if (section_at) {
            if (!entry.blank) {
                last_in_section = i;
            }
            if (entry.kind == Entry::Key && same_name(entry.name, key)) {
                key_at = i;
            }
        }
    }

    std::vector<Line>& lines = document.lines;
    if (key_at) {
        lines[*key_at].raw = key_line;
    } else if (section_at) {
        size_t after = *last_in_section;
        if (lines[after].ending.empty()) {
            lines[after].ending = newline;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                     Line{key_line, newline});
    } else {
        if (!lines.empty() && lines.back().ending.empty()) {
            lines.back().ending = newline;
        }
        lines.push_back({section_line, newline});
        lines.push_back({key_line, newline});
    }

    std::string out(document.bom);
    for (const Line& line : lines) {
        out += line.raw;
        out += line.ending;
    }
    return out;
}
