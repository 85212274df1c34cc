#pragma once

#include <QMessageBox>
#include <QString>
#include <deque>
#include <vector>

#include "chrome/prompts.h"

// Stands in for every modal question while it exists: records each message,
// answers queued yes/no questions and save dialogs, and fails the test on a
// prompt nobody queued an answer for instead of waiting for a hand.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
    };
    struct Question {
        QString caption;
        QString text;
    };
    struct SaveDialog {
        QString title;
        QString filters;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    std::vector<Message> messages;
    std::vector<Question> questions;
    std::vector<SaveDialog> save_dialogs;
    std::deque<bool> answers;
    // An empty path answers as a cancelled dialog.
    std::deque<QString> save_paths;
    // When set, the default printer prints to this PDF file; else there is none.
    QString printer_pdf;

    // The texts of the messages shown so far.
    QStringList message_texts() const;

    void message(QWidget* owner, const QString& text, const QString& caption,
                 QMessageBox::Icon icon) override;
    bool ask_yes_no(QWidget* owner, const QString& text, const QString& caption) override;
    QString ask_save_file(QWidget* owner, const QString& title, const QString& directory,
                          const QString& filters, const QString& selected_filter) override;
    std::unique_ptr<QPrinter> default_printer() override;
};
