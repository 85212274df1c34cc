#include "chrome/prompts.h"

#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class DesktopPrompts : public Prompts {
public:
    void message(QWidget* owner, const QString& text, const QString& caption,
                 QMessageBox::Icon icon) override {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
        box.exec();
    }

    bool ask_yes_no(QWidget* owner, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        owner);
        return box.exec() == QMessageBox::Yes;
    }

    QString ask_save_file(QWidget* owner, const QString& title, const QString& directory,
                          const QString& filters, const QString& selected_filter) override {
        QString chosen_filter = selected_filter;
        // No overwrite question: an existing file is replaced, as the
        // client always did.
        return QFileDialog::getSaveFileName(owner, title, directory, filters, &chosen_filter,
                                            QFileDialog::DontConfirmOverwrite);
    }

    std::unique_ptr<QPrinter> default_printer() override {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            return nullptr;
        }
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
};

DesktopPrompts desktop_prompts;
Prompts* current = nullptr;

}  // namespace

Prompts& prompts() { return current ? *current : desktop_prompts; }

void set_prompts(Prompts* stand_in) { current = stand_in; }

void show_message(QWidget* owner, const QString& text) {
    prompts().message(owner, text, QStringLiteral("信息："), QMessageBox::Information);
}
