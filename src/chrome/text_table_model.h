#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <string>
#include <vector>

// A column of a report-style list: its title, its width in pixels and its
// alignment. A width of 1 or 10 keeps a column that is read and exported but
// practically invisible.
struct ListColumn {
    QString title;
    int width = 80;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// The rows of texts behind every list of the program. Queries fill it,
// exports and receipts read it; views only show it.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextTableModel(std::vector<ListColumn> columns, QObject* parent = nullptr);

    const std::vector<ListColumn>& columns() const { return columns_; }
    int row_count() const { return static_cast<int>(rows_.size()); }
    int column_count() const { return static_cast<int>(columns_.size()); }

    void clear_rows();
    // Appends rows of UTF-8 texts; missing cells are empty, extra ones dropped.
    void append_rows(const std::vector<std::vector<std::string>>& rows);
    void append_row(const std::vector<std::string>& row);
    // Empty text outside the table.
    std::string cell(int row, int column) const;
    void set_cell(int row, int column, const std::string& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ListColumn> columns_;
    std::vector<QVector<QString>> rows_;
};
