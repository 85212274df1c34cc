// Writes a demo shop into the databases of the deployment settings
// (XINGHE_DB_HOST, XINGHE_DB_PORT, ...):
//
//   xinghe_demo_data [--payments N] [--days D] [--shopid ID] [--shopname NAME]
//                    [--user USER] [--password PASSWORD] [--wxid ID]
//                    [--workid-prefix P] [--no-mall]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/deploy_settings.h"
#include "db/db_accounts.h"
#include "support/demo_data.h"

int main(int argc, char** argv) {
    DemoShopOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", flag.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (flag == "--payments") {
            options.payments = std::atoi(value().c_str());
        } else if (flag == "--days") {
            options.span_seconds = static_cast<int64_t>(std::atof(value().c_str()) * 86400);
        } else if (flag == "--shopid") {
            options.shopid = value();
        } else if (flag == "--shopname") {
            options.shopname = value();
        } else if (flag == "--user") {
            options.user = value();
        } else if (flag == "--password") {
            options.password = value();
        } else if (flag == "--wxid") {
            options.wxid = value();
        } else if (flag == "--workid-prefix") {
            options.workid_prefix = value();
        } else if (flag == "--no-mall") {
            options.with_mall = false;
        } else {
            std::fprintf(stderr, "unknown option %s\n", flag.c_str());
            return 2;
        }
    }
    if (options.span_seconds < 1) {
        options.span_seconds = 1;
    }
    DeploySettings settings = load_deploy_settings();
    DbConnectionOwner payments(open_payments_db(settings));
    DbConnectionOwner mall(open_mall_db(settings));
    if (!payments || (options.with_mall && !mall)) {
        std::fprintf(stderr, "cannot reach the databases at %s:%d\n", settings.db_host.c_str(),
                     settings.db_port);
        return 1;
    }
    DemoShop made;
    if (!generate_demo_shop(payments.get(), mall.get(), options, made)) {
        std::fprintf(stderr, "the database refused part of the demo data\n");
        return 1;
    }
    std::printf("shop %s: %d payments, %d refunds, %d coupons, %d mall orders, %zu staff\n",
                options.shopid.c_str(), made.payments, made.refunds, made.coupons, made.mall_orders,
                made.staff_names.size());
    return 0;
}
