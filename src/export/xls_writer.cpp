#include "export/xls_writer.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "core/text_encoding.h"
#include "core/replacing_file.h"

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;

constexpr std::array<char, 12> kBof = {0x09, 0x08, 0x08, 0x00, 0x00, 0x00,
                                       0x10, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr std::array<char, 4> kEof = {0x0A, 0x00, 0x00, 0x00};
constexpr uint16_t kLabel = 0x0204;
constexpr uint16_t kBlank = 0x0201;
constexpr uint16_t kBlankFormat = 0x17;

bool fits_format(const TextTable& table) {
    if (table.size() > XlsWriter::kMaxRows) {
        return false;
    }
    for (const auto& row : table) {
        if (row.size() > XlsWriter::kMaxColumns) {
            return false;
        }
    }
    return true;
}

// The longest start of a GBK text that ends on a character boundary and
// holds at most limit bytes.
std::string_view gbk_prefix(std::string_view gbk, std::size_t limit) {
    if (gbk.size() <= limit) {
        return gbk;
    }
    std::size_t end = 0;
    while (end < gbk.size()) {
        std::size_t length = static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
        if (end + length > limit) {
            break;
        }
        end += length;
    }
    return gbk.substr(0, end);
}

char* put_word(char* out, uint16_t word) {
    out[0] = static_cast<char>(word & 0xFF);
    out[1] = static_cast<char>(word >> 8);
    return out + 2;
}

// Encodes the table into out, handing it to flush whenever it has grown past
// kFlushSize (never when flush is empty); false as soon as flush fails.
bool encode_table(const TextTable& table, std::string& out,
                  const std::function<bool(std::string&)>& flush, const ExportProgress& progress) {
    std::size_t total = 0;
    for (const auto& row : table) {
        total += row.size();
    }
    out.append(kBof.data(), kBof.size());
    std::size_t done = 0;
    std::string gbk;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const auto& row = table[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string& cell = row[c];
            char header[12];
            if (cell.empty()) {
                char* p = put_word(header, kBlank);
                p = put_word(p, 6);
                p = put_word(p, static_cast<uint16_t>(r));
                p = put_word(p, static_cast<uint16_t>(c));
                put_word(p, kBlankFormat);
                out.append(header, 10);
            } else {
                std::string_view text = cell;
                if (!is_ascii(text)) {
                    gbk = to_gbk(text);
                    text = gbk;
                }
                text = gbk_prefix(text, XlsWriter::kMaxCellBytes);
                auto length = static_cast<uint16_t>(text.size());
                char* p = put_word(header, kLabel);
                p = put_word(p, static_cast<uint16_t>(length + 8));
                p = put_word(p, static_cast<uint16_t>(r));
                p = put_word(p, static_cast<uint16_t>(c));
                p = put_word(p, 0);
                put_word(p, length);
                out.append(header, 12);
                out.append(text);
            }
            ++done;
            if (flush && out.size() >= kFlushSize && !flush(out)) {
                return false;
            }
            if (progress && done % XlsWriter::kProgressStep == 0) {
                progress(done, total);
            }
        }
    }
    out.append(kEof.data(), kEof.size());
    if (progress) {
        progress(total, total);
    }
    return true;
}

}  // namespace

bool XlsWriter::save_table(const TextTable& table, const std::string& path,
                           const ExportProgress& progress) const {
    if (!fits_format(table)) {
        return false;
    }
    ReplacingFile file(path);
    if (!file.ok()) {
        return false;
    }
    std::string buffer;
    buffer.reserve(kFlushSize + kMaxCellBytes + 12);
    auto flush = [&file](std::string& bytes) {
        bool written = file.write(bytes);
        bytes.clear();
        return written;
    };
    if (!encode_table(table, buffer, flush, progress) || !flush(buffer)) {
        return false;
    }
    return file.commit();
}

std::optional<std::string> XlsWriter::table_bytes(const TextTable& table) {
    if (!fits_format(table)) {
        return std::nullopt;
    }
    std::string bytes;
    encode_table(table, bytes, {}, {});
    return bytes;
}
