#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QPrinter>

ScriptedPrompts::ScriptedPrompts() {
    set_prompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    set_prompts(nullptr);
}

QStringList ScriptedPrompts::message_texts() const {
    QStringList texts;
    for (const Message& m : messages) {
        texts << m.text;
    }
    return texts;
}

void ScriptedPrompts::message(QWidget*, const QString& text, const QString& caption,
                              QMessageBox::Icon icon) {
    messages.push_back({caption, text, icon});
}

bool ScriptedPrompts::ask_yes_no(QWidget*, const QString& text, const QString& caption) {
    questions.push_back({caption, text});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedPrompts::ask_save_file(QWidget*, const QString& title, const QString&,
                                       const QString& filters, const QString&) {
    save_dialogs.push_back({title, filters});
    if (save_paths.empty()) {
        ADD_FAILURE() << "unexpected save dialog: " << title.toStdString();
        return {};
    }
    QString path = save_paths.front();
    save_paths.pop_front();
    return path;
}

std::unique_ptr<QPrinter> ScriptedPrompts::default_printer() {
    if (printer_pdf.isEmpty()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printer_pdf);
    return printer;
}
