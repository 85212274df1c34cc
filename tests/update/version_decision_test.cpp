#include <gtest/gtest.h>

#include "update/version_check.h"

namespace {

TEST(VersionDecision, only_byte_for_byte_equal_versions_skip_the_updater) {
    struct Case {
        const char* installed;
        const char* published;
        bool updater;
    };
    const Case cases[] = {
        {"2.0.4", "2.0.4", false},  {"2.0.4", "2.0.5", true},  // newer
        {"2.0.4", "2.0.3", true},                              // older
        {"2", "2", false},          {"2.0", "2", true},        // no ordering or numeric reading
        {"2.0.4", "2.0.4 ", true},                             // nor trimming
        {"v2.0.4", "V2.0.4", true}, {"", "", false},  // nothing installed, nothing published
        {"2.0.4", "", true},                          // a failed download
        {"", "2.0.4", true},        {"2.0.4测试版", "2.0.4测试版", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(updater_must_run(c.installed, c.published), c.updater)
            << '"' << c.installed << "\" against \"" << c.published << '"';
    }
}

TEST(VersionDecision, the_published_version_lies_under_app_on_the_update_host) {
    EXPECT_EQ(published_version_url("updates.example:8080"),
              "http://updates.example:8080/app/riraz_version.txt");
    EXPECT_EQ(published_version_url("127.0.0.1:4000/t1x2"),
              "http://127.0.0.1:4000/t1x2/app/riraz_version.txt");
}

}  // namespace
