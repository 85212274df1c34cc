#include "timeentry/time_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

// ctest runs this program under several zones (TZ); every seconds text below
// must come out the same under each.

namespace {

TEST(UnixSecondsText, counts_from_local_1970_01_01_08_00_in_ten_characters) {
    struct Case {
        DateTime t;
        std::string seconds;
    };
    const Case cases[] = {
        {{2025, 12, 9, 0, 0, 0}, "1765209600"},
        {{2025, 12, 9, 23, 59, 59}, "1765295999"},
        {{2001, 9, 9, 9, 46, 39}, "0999999999"},  // nine digits padded
        {{1990, 1, 1, 8, 0, 0}, "0631152000"},
        {{1970, 1, 1, 8, 0, 0}, "0000000000"},
        {{1970, 1, 1, 7, 59, 55}, "00000000-5"},
        {{2024, 2, 29, 12, 0, 0}, "1709179200"},
        {{2286, 11, 20, 17, 46, 40}, "9999971200"},
        {{9999, 12, 31, 23, 59, 59}, "2534022719"},  // cut to the first ten
        {kEarliestDateTime, "-590114880"},
        {{2025, 2, 29, 0, 0, 0}, "-590114880"},  // not a date: the earliest value
        {{2025, 12, 9, 24, 0, 0}, "-590114880"},
        {{}, "-590114880"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unix_seconds_text(c.t), c.seconds) << format_time_text(c.t, true, 1);
    }
}

TEST(ParseTime, reads_box_texts_and_the_other_spellings_the_client_feeds_it) {
    struct Case {
        std::string text;
        DateTime t;
    };
    const Case cases[] = {
        {"2025-12-09 18:20:12", {2025, 12, 9, 18, 20, 12}},
        {"2025-12-9 0:0:0", {2025, 12, 9, 0, 0, 0}},
        {"2025/12/9 00:00:00", {2025, 12, 9, 0, 0, 0}},
        {"1970-01-01 08:00:00", {1970, 1, 1, 8, 0, 0}},
        {"1970.01.01 08:00:00", {1970, 1, 1, 8, 0, 0}},
        {"2025-12-09", {2025, 12, 9, 0, 0, 0}},
        {"2025-12-09 7:05", {2025, 12, 9, 7, 5, 0}},
        {"  2025-12-09   18:20:12 ", {2025, 12, 9, 18, 20, 12}},
        {"2024-02-29 23:59:59", {2024, 2, 29, 23, 59, 59}},
        {"0100-01-01 00:00:00", kEarliestDateTime},
        {"9999-12-31 23:59:59", {9999, 12, 31, 23, 59, 59}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse_time(c.text), c.t) << c.text;
    }
}

TEST(ParseTime, anything_else_gives_the_earliest_value) {
    const std::string texts[] = {
        "",
        "   ",
        "abc",
        "2025-13-01 00:00:00",
        "2025-00-01",
        "2025-12-32",
        "2025-02-29",
        "2025-12-09 24:00:00",
        "2025-12-09 23:60:00",
        "2025-12-09 23:59:60",
        "2025-12-09 23",
        "2025-12-09 23:",
        "2025-12-09 1:2:3:4",
        "2025-12-09T18:20:12",
        "2025-12/09",
        "2025-123-09",
        "25-12-09",
        "12025-12-09",
        "0099-12-31 23:59:59",
        "2025-12-09 18:20:12x",
        "-2025-12-09",
        "２０２５-12-09",
        std::string("2025-12-09\0 00:00:00", 20),
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(parse_time(text), kEarliestDateTime) << text;
    }
}

TEST(BoxTextSeconds, spellings_of_one_time_give_one_seconds_text) {
    for (const char* text : {"2025-12-09 00:00:00", "2025-12-9 0:0:0", "2025/12/9 00:00:00",
                             "2025.12.09", "2025-12-09"}) {
        EXPECT_EQ(box_text_seconds(text), "1765209600") << text;
    }
    EXPECT_EQ(box_text_seconds("1970-01-01 08:00:00"), box_text_seconds("1970.01.01 08:00:00"));
    EXPECT_EQ(box_text_seconds("1970-01-01 08:00:00"), "0000000000");
    EXPECT_EQ(box_text_seconds(""), "-590114880");
    EXPECT_EQ(box_text_seconds("not a time"), "-590114880");
}

TEST(TodayStartSeconds, is_the_seconds_text_of_todays_local_midnight) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ASSERT_NE(localtime_r(&now, &local), nullptr);
    const std::string expected =
        unix_seconds_text({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0});
    const std::string today = today_start_seconds();
    EXPECT_EQ(today, expected);
    ASSERT_EQ(today.size(), 10u);
    EXPECT_EQ(std::stoll(today) % 86400, 16 * 3600);  // midnight is 16 hours after 08:00
}

TEST(FormatTimeText, pads_and_picks_parts) {
    const DateTime t{2025, 1, 9, 8, 5, 3};
    struct Case {
        bool pad;
        int part;
        std::string text;
    };
    const Case cases[] = {
        {true, 1, "2025-01-09 08:05:03"}, {false, 1, "2025-1-9 8:5:3"}, {true, 2, "2025-01-09"},
        {false, 2, "2025-1-9"},           {true, 3, "08:05:03"},        {false, 3, "8:5:3"},
        {true, 0, "2025-01-09 08:05:03"}, {false, 7, "2025-1-9 8:5:3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format_time_text(t, c.pad, c.part), c.text) << c.pad << " " << c.part;
    }
    EXPECT_EQ(format_time_text({2025, 12, 19, 18, 20, 12}, true, 1), "2025-12-19 18:20:12");
    EXPECT_EQ(format_time_text(kEarliestDateTime, true, 1), "100-01-01 00:00:00");  // year unpadded
}

TEST(FormatByPicture, writes_picture_letters_and_copies_the_rest) {
    const DateTime evening{2025, 1, 9, 20, 5, 3};
    const DateTime midnight{2025, 12, 19, 0, 7, 0};
    struct Case {
        DateTime t;
        std::string date_picture;
        std::string time_picture;
        bool force_24_hour;
        std::string text;
    };
    const Case cases[] = {
        {evening, "yyyy-M-dd ", "HH:mm:ss", false, "2025-1-09 20:05:03"},
        {evening, "yyyy-M-dd ", "hh:mm:ss", false, "2025-1-09 08:05:03"},
        {evening, "yyyy-M-dd ", "hh:mm:ss", true, "2025-1-09 20:05:03"},
        {evening, "yyyy/M/d", "", false, "2025/1/9"},
        {evening, "yyyy/MM/dd", "H:m:s", false, "2025/01/0920:5:3"},
        {evening, "", "h:mm", false, "8:05"},
        {evening, "yy", "HH:mm", false, "20:05"},  // a picture under 3 characters is left out
        {evening, "yyyy年M月d日", "", false, "2025年1月9日"},
        {evening, "yy.M", "", false, "25.1"},
        {midnight, "", "hh:mm:ss", false, "12:07:00"},
        {midnight, "", "h", false, ""},
        {midnight, "dd-MM-yyyy ", "HH.mm", false, "19-12-2025 00.07"},
        {kEarliestDateTime, "yyyy-MM-dd", "", false, "0100-01-01"},
        {{2025, 2, 29, 0, 0, 0}, "yyyy-MM-dd", "HH:mm:ss", false, ""},
        {{}, "yyyy-MM-dd", "HH:mm:ss", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format_by_picture(c.t, c.date_picture, c.time_picture, c.force_24_hour), c.text)
            << c.date_picture << "|" << c.time_picture;
    }
}

TEST(DisplayTimeText, ten_characters_are_service_seconds_in_the_locale_clock) {
    struct Case {
        std::string stored;
        std::string on_24_hour_clock;
        std::string on_12_hour_clock;
    };
    const Case cases[] = {
        {"1736381103", "2025-1-09 08:05:03", "2025-1-09 08:05:03"},
        {"1736424303", "2025-1-09 20:05:03", "2025-1-09 08:05:03"},
        {"1736352303", "2025-1-09 00:05:03", "2025-1-09 12:05:03"},
        {"0000000000", "1970-1-01 08:00:00", "1970-1-01 08:00:00"},
        {"abcdefghij", "1970-1-01 08:00:00", "1970-1-01 08:00:00"},
        {"星河财务时间一二三四", "1970-1-01 08:00:00", "1970-1-01 08:00:00"},
        {"17363811xx", "1970-7-21 07:16:51", "1970-7-21 07:16:51"},
        {"  12345678", "1970-5-24 05:21:18", "1970-5-24 05:21:18"},
        {"-999999999", "1938-4-25 06:13:21", "1938-4-25 06:13:21"},
        {"2147483648", "2038-1-19 11:14:08", "2038-1-19 11:14:08"},  // past the 32-bit range
        {"9999999999", "2286-11-21 01:46:39", "2286-11-21 01:46:39"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(display_time_text(c.stored, true), c.on_24_hour_clock) << c.stored;
        EXPECT_EQ(display_time_text(c.stored, false), c.on_12_hour_clock) << c.stored;
    }
}

// Sets the machine's zone for one test and puts the old one back.
class ZoneTest : public testing::Test {
protected:
    void TearDown() override {
        if (old_zone_) {
            setenv("TZ", old_zone_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    void use_zone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> old_zone_ =
        std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

TEST_F(ZoneTest, other_texts_are_milliseconds_shown_in_the_machine_zone) {
    struct Case {
        const char* zone;
        std::string stored;
        std::string text;
    };
    const Case cases[] = {
        {"Asia/Shanghai", "1736381103000", "2025-1-9 08:05:03"},
        {"UTC", "1736381103000", "2025-1-9 00:05:03"},
        {"America/New_York", "1736381103000", "2025-1-8 19:05:03"},
        {"America/New_York", "1720000000000", "2024-7-3 05:46:40"},  // summer time
        {"Asia/Shanghai", "", "1970-1-1 08:00:00"},
        {"UTC", "", "1970-1-1 00:00:00"},
        {"Asia/Shanghai", " \t1736381103999\r\n", "2025-1-9 08:05:03"},
        {"Asia/Shanghai",
         "\xE3\x80\x80"
         "0\xC2\xA0",
         "1970-1-1 08:00:00"},
        {"Asia/Shanghai", "1.736381103e12", "2025-1-9 08:05:03"},
        {"Asia/Shanghai", "+1736381103000.", "2025-1-9 08:05:03"},
        {"Asia/Shanghai", ".5", "1970-1-1 08:00:00"},
        {"Asia/Shanghai", "-0.5", "1970-1-1 08:00:00"},
        {"Asia/Shanghai", "-1", "1970-1-1 07:59:59"},
        {"Asia/Shanghai", "-999", "1970-1-1 07:59:59"},
        {"Asia/Shanghai", "1e-400", "1970-1-1 08:00:00"},
        {"Asia/Shanghai", "8.64e15", "275760-9-13 08:00:00"},
        {"Asia/Shanghai", "8640000000000001", ""},
        {"Asia/Shanghai", "-8.64e15x", ""},
        {"Asia/Shanghai", "1e400", ""},
        {"Asia/Shanghai", "abc", ""},
        {"Asia/Shanghai", "12 34", ""},
        {"Asia/Shanghai", "0x10", ""},
        {"Asia/Shanghai", "NaN", ""},
        {"Asia/Shanghai", "Infinity", ""},
        {"Asia/Shanghai", "1e", ""},
        {"Asia/Shanghai", "-", ""},
        {"Asia/Shanghai", ".", ""},
        {"Asia/Shanghai", "1,5", ""},
        {"Asia/Shanghai",
         "\xC0\xA0"
         "5",
         ""},  // an overlong blank is no blank
    };
    for (const Case& c : cases) {
        use_zone(c.zone);
        EXPECT_EQ(display_time_text(c.stored, true), c.text) << c.zone << " " << c.stored;
    }
}

TEST_F(ZoneTest, seconds_texts_do_not_follow_the_machine_zone) {
    for (const char* zone : {"UTC", "America/New_York", "Asia/Shanghai", "Pacific/Kiritimati"}) {
        use_zone(zone);
        EXPECT_EQ(box_text_seconds("2025-12-09 23:59:59"), "1765295999") << zone;
        EXPECT_EQ(display_time_text("1736381103", true), "2025-1-09 08:05:03") << zone;
    }
}

}  // namespace
