#include "core/deploy_settings.h"

#include <cstdlib>

#include "core/number_text.h"
#include "core/run_directory.h"
#include "core/settings_file.h"
#include "db/db_accounts.h"

namespace {

std::string setting(const std::string& file, const char* key, const char* variable,
                    const std::string& fallback) {
    if (const char* value = std::getenv(variable); value && *value) {
        return value;
    }
    std::string value = read_setting(file, "deploy", key);
    return value.empty() ? fallback : value;
}

}  // namespace

DeploySettings load_deploy_settings() {
    const std::string file = run_file("deploy.ini");
    DeploySettings settings;
    settings.db_host = setting(file, "db_host", "XINGHE_DB_HOST", "127.0.0.1");
    int port = text_to_int(setting(file, "db_port", "XINGHE_DB_PORT", "3306"));
    settings.db_port = (port > 0 && port < 65536) ? port : 3306;
    settings.payments_db_password =
        setting(file, "payments_db_password", "XINGHE_PAYMENTS_DB_PASSWORD", kPaymentsDbPassword);
    settings.mall_db_password =
        setting(file, "mall_db_password", "XINGHE_MALL_DB_PASSWORD", kMallDbPassword);
    settings.update_host = setting(file, "update_host", "XINGHE_UPDATE_HOST", "127.0.0.1");
    settings.decode_host = setting(file, "decode_host", "XINGHE_DECODE_HOST", "127.0.0.1");
    settings.support_phone = setting(file, "support_phone", "XINGHE_SUPPORT_PHONE", "400-000-0000");
    settings.support_account = setting(file, "support_account", "XINGHE_SUPPORT_ACCOUNT", "");
    return settings;
}
