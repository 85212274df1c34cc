#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Rows of UTF-8 cell texts; row 0 is the header row.
using TextTable = std::vector<std::vector<std::string>>;

// Told (cells written, cells in the table) now and then while a table is
// written, so that a window can show progress and stay responsive.
using ExportProgress = std::function<void(std::size_t done, std::size_t total)>;

// Writes a list as the bare BIFF record stream that spreadsheet programs open
// as an .xls worksheet: BOF, then row by row and column by column one LABEL
// per non-empty cell (its GBK bytes) or one BLANK per empty cell, then EOF.
class XlsWriter {
public:
    // Row and column numbers are 16-bit words, and the LABEL length word
    // holds the text and 8 more bytes.
    static constexpr std::size_t kMaxRows = 65536;
    static constexpr std::size_t kMaxColumns = 256;
    static constexpr std::size_t kMaxCellBytes = 65527;
    static constexpr std::size_t kProgressStep = 4096;

    // Replaces the file at path with the table. False when the table has more
    // rows or columns than the format can number (nothing is written then)
    // or the file cannot be written completely; either way an existing file
    // stays as it was and no partial file is left. A cell longer than
    // kMaxCellBytes GBK bytes is cut at a character boundary. progress runs
    // on the calling thread; the table must not change while this runs.
    bool save_table(const TextTable& table, const std::string& path,
                    const ExportProgress& progress = {}) const;

    // The bytes save_table writes; nothing when the table is too large.
    static std::optional<std::string> table_bytes(const TextTable& table);
};
