#include "chrome/busy_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <atomic>
#include <thread>

void run_busy_work(QWidget* owner, const QString& text, const std::function<void()>& work) {
    QProgressDialog dialog(text, QString(), 0, 0, owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(400);
    dialog.setAutoClose(false);
    dialog.setValue(0);

    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!done) {
        // Input to other windows is held back by the modal dialog once it
        // shows; until then the loop only paints and runs timers.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    worker.join();
    dialog.reset();
}
