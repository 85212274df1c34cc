#include "bills/receipt_printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "bills/receipt_text.h"

bool print_receipt(QPrinter& printer, const std::string& text) {
    printer.setDocName(QString::fromUtf8(kReceiptDocumentName));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), painter.device());
    const int line_height = metrics.lineSpacing();
    const int page_height = painter.viewport().height();
    int top = 0;
    for (const std::string& line : receipt_lines(text)) {
        if (top > 0 && top + line_height > page_height) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            top = 0;
        }
        painter.drawText(0, top + metrics.ascent(), QString::fromStdString(line));
        top += line_height;
    }
    return painter.end();
}
