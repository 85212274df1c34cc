#include "chrome/text_table_model.h"

TextTableModel::TextTableModel(std::vector<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

void TextTableModel::clear_rows() {
    if (rows_.empty()) {
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void TextTableModel::append_rows(const std::vector<std::vector<std::string>>& rows) {
    if (rows.empty()) {
        return;
    }
    const int first = row_count();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (const auto& row : rows) {
        QVector<QString> cells(column_count());
        for (int c = 0; c < column_count() && c < static_cast<int>(row.size()); ++c) {
            cells[c] = QString::fromStdString(row[static_cast<size_t>(c)]);
        }
        rows_.push_back(std::move(cells));
    }
    endInsertRows();
}

void TextTableModel::append_row(const std::vector<std::string>& row) { append_rows({row}); }

std::string TextTableModel::cell(int row, int column) const {
    if (row < 0 || row >= row_count() || column < 0 || column >= column_count()) {
        return {};
    }
    return rows_[static_cast<size_t>(row)][column].toStdString();
}

void TextTableModel::set_cell(int row, int column, const std::string& text) {
    if (row < 0 || row >= row_count() || column < 0 || column >= column_count()) {
        return;
    }
    rows_[static_cast<size_t>(row)][column] = QString::fromStdString(text);
    emit dataChanged(index(row, column), index(row, column));
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : row_count();
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count();
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= row_count() || index.column() >= column_count()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return rows_[static_cast<size_t>(index.row())][index.column()];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(columns_[static_cast<size_t>(index.column())].alignment |
                                       Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= column_count()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columns_[static_cast<size_t>(section)].title;
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(columns_[static_cast<size_t>(section)].alignment |
                                   Qt::AlignVCenter);
    }
    return {};
}
