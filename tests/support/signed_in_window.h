#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "db/database.h"
#include "support/scripted_prompts.h"
#include "support/test_run_directory.h"
#include "support/test_shop.h"

class MainWindow;
class QWidget;

// A test of its own shop, signed in, with its own run directory and
// scripted prompts; main_window() opens the main window on demand. Each test
// gets a fresh one: nothing carries over between tests.
class SignedInTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    MainWindow* main_window();
    // The named control of the main window.
    template <typename Widget>
    Widget* control(const char* name) {
        Widget* widget = find_control<Widget>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    template <typename Widget>
    Widget* find_control(const char* name);

    DbConnection* db() const { return db_.get(); }

    TestRunDirectory run_dir_;
    ScriptedPrompts prompts_;
    DbConnectionOwner db_;
    // The connection the session uses; the window closes it at its end.
    DbConnection* session_db_ = nullptr;
    std::unique_ptr<TestShop> shop_;
    MainWindow* window_ = nullptr;
};

QWidget* main_window_control(MainWindow* window, const QString& name);

template <typename Widget>
Widget* SignedInTest::find_control(const char* name) {
    return qobject_cast<Widget*>(main_window_control(main_window(), QString::fromUtf8(name)));
}
