#include <QApplication>

#include "bills/main_window.h"
#include "core/program.h"
#include "login/login_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    register_exit_cleanup();

    auto* login = new LoginWindow;
    QObject::connect(login, &LoginWindow::signed_in, [] { (new MainWindow)->show(); });
    login->show();

    app.exec();
    return 0;
}
