#pragma once

#include <QString>

class QWidget;

// The platform's save dialog. The filter is a list of description and
// pattern pairs separated by "|" ("TXT文档(*.txt)|*.txt|所有文件(*.*)|*.*");
// a single description such as "Excel表格(*.xls)" filters by the pattern in
// its parentheses. An empty title reads "保存文件", an empty filter offers
// text files and all files. An existing file is replaced without a question.
// Empty text when the user cancels.
QString ask_save_path(QWidget* owner, const QString& title = QString(),
                      const QString& filter = QString(), const QString& directory = QString());

// The filter in the form the dialog takes ("description (pattern);;...").
QString dialog_filter(const QString& filter);
