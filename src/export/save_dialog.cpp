#include "export/save_dialog.h"

#include <QDir>
#include <QStringList>

#include "chrome/prompts.h"

QString dialog_filter(const QString& filter) {
    const QString text =
        filter.isEmpty() ? QStringLiteral("TXT文档(*.txt)|*.txt|所有文件(*.*)|*.*") : filter;
    const QStringList pieces = text.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i < pieces.size(); i += 2) {
        QString entry = pieces[i];
        if (i + 1 < pieces.size() && !pieces[i + 1].isEmpty()) {
            entry += QStringLiteral(" (") + pieces[i + 1] + QLatin1Char(')');
        }
        entries << entry;
    }
    return entries.join(QStringLiteral(";;"));
}

QString ask_save_path(QWidget* owner, const QString& title, const QString& filter,
                      const QString& directory) {
    const QString filters = dialog_filter(filter);
    return prompts().ask_save_file(owner, title.isEmpty() ? QStringLiteral("保存文件") : title,
                                   directory.isEmpty() ? QDir::currentPath() : directory, filters,
                                   filters.section(QStringLiteral(";;"), 0, 0));
}
