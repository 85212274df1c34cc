#pragma once

#include "db/database.h"

struct DeploySettings;

// The service's two databases and the client's built-in accounts on them.
inline constexpr char kPaymentsDbUser[] = "mrlanbo";
inline constexpr char kPaymentsDbName[] = "xinghe";
inline constexpr char kPaymentsDbPassword[] = "Tq7wLm2RbX9kVd4s";
inline constexpr char kMallDbUser[] = "app_hdyqm_net_c";
inline constexpr char kMallDbName[] = "app_hdyqm_net_c";
inline constexpr char kMallDbPassword[] = "Hs3uYe8PzK1cWa6n";

// Both on the deployment's database server; nullptr when it cannot be reached
// or refuses the account.
DbConnection* open_payments_db(const DeploySettings& settings);
DbConnection* open_mall_db(const DeploySettings& settings);
