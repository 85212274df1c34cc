#include "chrome/report_view.h"

#include <QHeaderView>

ReportView::ReportView(std::vector<ListColumn> columns, QWidget* parent)
    : QTableView(parent), model_(new TextTableModel(std::move(columns), this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    // Fixed row heights keep a list of a hundred thousand rows quick.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    // Columns of width 1 keep their texts out of sight.
    horizontalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < model_->column_count(); ++c) {
        setColumnWidth(c, model_->columns()[static_cast<size_t>(c)].width);
    }
}

int ReportView::selected_row() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}
