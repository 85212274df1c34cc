#include "core/deploy_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "db/db_accounts.h"

namespace {

// A run directory of its own, and no XINGHE_* variable leaking in from the
// test command's environment.
class DeploySettingsTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("xinghe-deploy-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        for (const char* name : kVariables) {
            if (const char* value = getenv(name)) {
                saved_.emplace_back(name, value);
            }
            unsetenv(name);
        }
        setenv("XINGHE_RUN_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XINGHE_RUN_DIR");
        for (const char* name : kVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : saved_) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        std::filesystem::remove_all(dir_);
    }
    void write_deploy_ini(const std::string& text) {
        std::ofstream(dir_ / "deploy.ini", std::ios::binary) << text;
    }

    static constexpr const char* kVariables[] = {
        "XINGHE_DB_HOST",          "XINGHE_DB_PORT",        "XINGHE_PAYMENTS_DB_PASSWORD",
        "XINGHE_MALL_DB_PASSWORD", "XINGHE_UPDATE_HOST",    "XINGHE_DECODE_HOST",
        "XINGHE_SUPPORT_PHONE",    "XINGHE_SUPPORT_ACCOUNT"};
    std::filesystem::path dir_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(DeploySettingsTest, built_in_defaults_without_file_or_environment) {
    DeploySettings settings = load_deploy_settings();
    EXPECT_EQ(settings.db_host, "127.0.0.1");
    EXPECT_EQ(settings.db_port, 3306);
    EXPECT_EQ(settings.payments_db_password, kPaymentsDbPassword);
    EXPECT_EQ(settings.mall_db_password, kMallDbPassword);
    EXPECT_FALSE(settings.update_host.empty());
    EXPECT_FALSE(settings.decode_host.empty());
}

TEST_F(DeploySettingsTest, deploy_ini_replaces_defaults_and_environment_replaces_both) {
    write_deploy_ini(
        "[deploy]\r\ndb_host=db.internal\r\ndb_port=3307\r\n"
        "update_host=updates.internal:8080\r\n");
    setenv("XINGHE_DB_PORT", "4406", 1);
    DeploySettings settings = load_deploy_settings();
    EXPECT_EQ(settings.db_host, "db.internal");
    EXPECT_EQ(settings.db_port, 4406);
    EXPECT_EQ(settings.update_host, "updates.internal:8080");
    EXPECT_EQ(settings.payments_db_password, kPaymentsDbPassword);
}

TEST_F(DeploySettingsTest, a_port_that_is_not_a_port_falls_back_to_3306) {
    write_deploy_ini("[deploy]\ndb_port=abc\n");
    EXPECT_EQ(load_deploy_settings().db_port, 3306);
    write_deploy_ini("[deploy]\ndb_port=70000\n");
    EXPECT_EQ(load_deploy_settings().db_port, 3306);
}

}  // namespace
