#include "db/db_accounts.h"

#include "core/deploy_settings.h"

DbConnection* open_payments_db(const DeploySettings& settings) {
    return db_connect(settings.db_host, kPaymentsDbUser, settings.payments_db_password,
                      kPaymentsDbName, settings.db_port);
}

DbConnection* open_mall_db(const DeploySettings& settings) {
    return db_connect(settings.db_host, kMallDbUser, settings.mall_db_password, kMallDbName,
                      settings.db_port);
}
