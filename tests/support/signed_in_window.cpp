#include "support/signed_in_window.h"

#include "bills/main_window.h"
#include "core/deploy_settings.h"
#include "core/session.h"
#include "db/db_accounts.h"
#include "support/test_database.h"

void SignedInTest::SetUp() {
    clear_session();
    db_ = connect_payments_db();
    ASSERT_NE(db_, nullptr);
    shop_ = std::make_unique<TestShop>(db_.get());
    // The window closes the session's connection when it goes: give it one
    // of its own.
    session_db_ = open_payments_db(load_deploy_settings());
    ASSERT_NE(session_db_, nullptr);
    sign_in_session(*shop_, session_db_);
}

void SignedInTest::TearDown() {
    delete window_;
    window_ = nullptr;
    if (session().payments_db) {
        db_close(session().payments_db);
    }
    clear_session();
    shop_.reset();
}

MainWindow* SignedInTest::main_window() {
    if (!window_) {
        window_ = new MainWindow;
        window_->show();
    }
    return window_;
}

QWidget* main_window_control(MainWindow* window, const QString& name) {
    return window->findChild<QWidget*>(name);
}
