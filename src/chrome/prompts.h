#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

class QPrinter;
class QWidget;

// Every modal question the program asks goes through here: message boxes,
// the yes/no question, the save dialog and the printer. Tests install a
// scripted stand-in so that no window ever waits for a hand.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message with one OK button.
    virtual void message(QWidget* owner, const QString& text, const QString& caption,
                         QMessageBox::Icon icon) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool ask_yes_no(QWidget* owner, const QString& text, const QString& caption) = 0;
    // The platform's save dialog; empty text when cancelled.
    virtual QString ask_save_file(QWidget* owner, const QString& title, const QString& directory,
                                  const QString& filters, const QString& selected_filter) = 0;
    // The default printer with its default settings; nullptr when there is none.
    virtual std::unique_ptr<QPrinter> default_printer() = 0;
};

Prompts& prompts();
// Installs a stand-in (tests); nullptr restores the real one. Not owned.
void set_prompts(Prompts* stand_in);

// The program's usual message: caption "信息：", information icon, OK.
void show_message(QWidget* owner, const QString& text);
