#pragma once

#include <QString>
#include <functional>

class QWidget;

// Runs long database work on a thread of its own while the window thread
// keeps painting behind a modal "please wait" dialog, so that the window
// does not freeze and takes no other action meanwhile. Returns when the work
// is done. The work must not touch widgets.
void run_busy_work(QWidget* owner, const QString& text, const std::function<void()>& work);
