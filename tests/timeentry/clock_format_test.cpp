#include "timeentry/clock_format.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "timeentry/time_text.h"

namespace {

namespace fs = std::filesystem;

TEST(TimeFormat, twelve_hour_formats_are_those_writing_i_l_or_r) {
    struct Case {
        std::string format;
        bool is_24_hour;
    };
    const Case cases[] = {
        {"%H:%M:%S", true},  // C, most of Europe
        {"%T", true},
        {"%H时%M分%S秒", true},  // zh_CN
        {"", true},
        {"%r", false},  // en_US
        {"%I:%M:%S %p", false},
        {"%l:%M:%S %p %Z", false},
        {"%p %I時%M分%S秒", false},  // zh_TW
        {"%OI:%M", false},
        {"%-I:%M", false},
        {"%_2l:%M", false},
        {"%%I %H", true},  // a literal "%I"
        {"%", true},
        {"%E", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(time_format_is_24_hour(c.format), c.is_24_hour) << c.format;
    }
}

// Sets the locale variables for one test and puts the old ones back. Locales
// the machine lacks are compiled into a folder of the test's own.
class LocaleTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "xinghe-locales-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            locale_dir_ = pattern;
            for (const char* name : {"en_US", "zh_CN"}) {
                std::string command = "localedef -c -i " + std::string(name) + " -f UTF-8 '" +
                                      (*locale_dir_ / (std::string(name) + ".UTF-8")).string() +
                                      "' >/dev/null 2>&1";
                [[maybe_unused]] int status = std::system(command.c_str());
            }
        }
    }
    static void TearDownTestSuite() {
        if (locale_dir_) {
            fs::remove_all(*locale_dir_);
        }
    }
    void SetUp() override {
        for (const char* name : kVariables) {
            const char* value = getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    // Points the locale variables at a compiled locale; false when it could
    // not be compiled here.
    bool use_compiled_locale(const std::string& name) {
        if (!locale_dir_ || !fs::exists(*locale_dir_ / name)) {
            return false;
        }
        setenv("LOCPATH", locale_dir_->c_str(), 1);
        setenv("LANG", name.c_str(), 1);
        return true;
    }

    static constexpr const char* kVariables[] = {"LC_ALL", "LC_TIME", "LANG", "LOCPATH"};
    static inline std::optional<fs::path> locale_dir_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(LocaleTest, no_locale_setting_means_24_hours) {
    EXPECT_TRUE(clock_is_24_hour());
    setenv("LC_ALL", "C", 1);
    EXPECT_TRUE(clock_is_24_hour());
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_TRUE(clock_is_24_hour());
}

TEST_F(LocaleTest, american_locale_shows_stored_seconds_on_a_12_hour_clock) {
    if (!use_compiled_locale("en_US.UTF-8")) {
        GTEST_SKIP() << "en_US could not be compiled (localedef or its sources missing)";
    }
    EXPECT_FALSE(clock_is_24_hour());
    EXPECT_EQ(display_time_text("1736424303"), "2025-1-09 08:05:03");
    setenv("LC_TIME", "C", 1);  // the time category alone decides
    EXPECT_TRUE(clock_is_24_hour());
    EXPECT_EQ(display_time_text("1736424303"), "2025-1-09 20:05:03");
}

TEST_F(LocaleTest, chinese_locale_uses_the_24_hour_clock) {
    if (!use_compiled_locale("zh_CN.UTF-8")) {
        GTEST_SKIP() << "zh_CN could not be compiled (localedef or its sources missing)";
    }
    EXPECT_TRUE(clock_is_24_hour());
    EXPECT_EQ(display_time_text("1736424303"), "2025-1-09 20:05:03");
}

}  // namespace
