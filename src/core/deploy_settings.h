#pragma once

#include <string>

// Where the service runs: read from deploy.ini (section "deploy") in the run
// directory, each key overridden by its XINGHE_* environment variable, else
// the built-in default.
struct DeploySettings {
    std::string db_host;
    int db_port = 3306;
    std::string payments_db_password;
    std::string mall_db_password;
    std::string update_host;    // host[:port] of the update server
    std::string decode_host;    // host[:port] of the order-data decoding service
    std::string support_phone;  // printed at the foot of a receipt
    // The support account the header's support link opens a chat with; no
    // link when empty.
    std::string support_account;
};

DeploySettings load_deploy_settings();
