#pragma once

#include <QTableView>
#include <vector>

#include "chrome/text_table_model.h"

// A report-style list view: one header row, whole rows selected one at a
// time, the columns of its form. It owns the model it shows.
class ReportView : public QTableView {
    Q_OBJECT
public:
    ReportView(std::vector<ListColumn> columns, QWidget* parent = nullptr);

    TextTableModel* rows() const { return model_; }
    // The selected row, or -1.
    int selected_row() const;

private:
    TextTableModel* model_;
};
