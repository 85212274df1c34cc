#include "export/list_export.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "chrome/prompts.h"
#include "chrome/text_table_model.h"
#include "export/export_file_name.h"
#include "export/save_dialog.h"
#include "export/xls_writer.h"

namespace {

TextTable copy_table(const TextTableModel& list) {
    TextTable table;
    table.reserve(static_cast<size_t>(list.row_count()) + 1);
    std::vector<std::string> header;
    for (const ListColumn& column : list.columns()) {
        header.push_back(column.title.toStdString());
    }
    table.push_back(std::move(header));
    for (int r = 0; r < list.row_count(); ++r) {
        std::vector<std::string> row;
        row.reserve(static_cast<size_t>(list.column_count()));
        for (int c = 0; c < list.column_count(); ++c) {
            row.push_back(list.cell(r, c));
        }
        table.push_back(std::move(row));
    }
    return table;
}

}  // namespace

ExportOutcome export_list(QWidget* owner, const TextTableModel& list) {
    if (static_cast<size_t>(list.row_count()) + 1 > XlsWriter::kMaxRows) {
        show_message(owner, QStringLiteral("列表共有 %1 行，超过 .xls 文件最多 %2 行的限制，"
                                           "请缩短时间范围后分次导出。")
                                .arg(list.row_count())
                                .arg(XlsWriter::kMaxRows - 1));
        return ExportOutcome::TooLarge;
    }
    const QString chosen =
        ask_save_path(owner, QStringLiteral("选择保存目录"), QStringLiteral("Excel表格(*.xls)"));
    if (chosen.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    const std::string path = xls_file_name(chosen.toStdString());
    const TextTable table = copy_table(list);

    QProgressDialog progress(QStringLiteral("正在导出..."), QString(), 0, 1000, owner);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    auto report = [&progress](size_t done, size_t total) {
        progress.setValue(total ? static_cast<int>(done * 1000 / total) : 1000);
        QCoreApplication::processEvents();
    };
    const bool written = XlsWriter().save_table(table, path, report);
    progress.reset();
    if (!written) {
        show_message(owner, QStringLiteral("文件无法写入：%1").arg(QString::fromStdString(path)));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}
