// Times how long the window thread is held when a bill list receives
// 100 000 rows: the rows appended to the list's model, then the list
// painted once (offscreen).
//
//   list_fill_bench [rows]

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include "bills/bill_lists.h"
#include "chrome/report_view.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;

    std::vector<std::vector<std::string>> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back({"10086", "支付宝", "P10086T1772812800N" + std::to_string(i), "123.45",
                        "2026-3-07 09:05:00", "张三", "0.47", "商户承担", "星河演示门店", "D0001"});
    }
    ReportView list(payment_list_columns());
    list.resize(911, 266);
    list.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    list.rows()->clear_rows();
    list.rows()->append_rows(rows);
    const qint64 filled = timer.elapsed();
    list.repaint();
    QApplication::processEvents();
    const qint64 painted = timer.elapsed();
    std::printf("list of %d rows: filled in %lld ms, filled and painted in %lld ms\n", count,
                static_cast<long long>(filled), static_cast<long long>(painted));

    timer.restart();
    list.scrollToBottom();
    list.repaint();
    QApplication::processEvents();
    std::printf("scrolled to the last row and painted in %lld ms\n",
                static_cast<long long>(timer.elapsed()));
    return 0;
}
