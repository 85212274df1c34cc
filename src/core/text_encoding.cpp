#include "core/text_encoding.h"

#include <iconv.h>

#include <cerrno>

#include "core/utf8.h"

namespace {

// iconv descriptors are costly to open and not shareable between threads, so
// every thread keeps its own pair.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; on a sequence it cannot take, calls
    // on_bad(input position) which appends a replacement and returns how many
    // input bytes to skip.
    template <typename OnBad>
    std::string convert(std::string_view in, OnBad on_bad) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t src_left = in.size();
        char buffer[1024];
        while (src_left > 0) {
            char* dst = buffer;
            size_t dst_left = sizeof buffer;
            size_t done = iconv(cd_, &src, &src_left, &dst, &dst_left);
            out.append(buffer, dst - buffer);
            if (done != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a truncated sequence at the end)
            size_t skip = on_bad(std::string_view(src, src_left), out);
            if (skip > src_left) {
                skip = src_left;
            }
            src += skip;
            src_left -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool is_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string to_gbk(std::string_view utf8) {
    if (is_ascii(utf8)) {
        return std::string(utf8);
    }
    thread_local Converter converter("GBK", "UTF-8");
    return converter.convert(utf8, [](std::string_view rest, std::string& out) {
        out.push_back('?');
        size_t length = utf8_sequence_length(rest);
        return length == 0 ? size_t{1} : length;
    });
}

std::string from_gbk(std::string_view gbk) {
    if (is_ascii(gbk)) {
        return std::string(gbk);
    }
    thread_local Converter converter("UTF-8", "GBK");
    return converter.convert(gbk, [](std::string_view, std::string& out) {
        out.append("\xEF\xBF\xBD");
        return size_t{1};
    });
}

std::string gbk_round_trip(std::string_view utf8) {
    return from_gbk(to_gbk(utf8));
}
