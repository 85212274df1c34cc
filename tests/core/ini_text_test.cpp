#include "core/ini_text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct ReadCase {
    std::string what;
    std::string bytes;
    std::string section;
    std::string key;
    std::string value;
};

TEST(IniValue, reads_private_profile_lines) {
    const ReadCase cases[] = {
        {"plain", "[Conf]\r\nUID=1\r\n", "Conf", "UID", "1"},
        {"names in other case", "[CONF]\nuid=1\n", "conf", "Uid", "1"},
        {"blanks around names and value", "  [ Conf ]  \n  UID \t=  1 \t\r\n", "Conf", "UID", "1"},
        {"blanks around the names asked for", "[Conf]\nUID=1\n", " Conf ", " UID", "1"},
        {"empty value", "[Conf]\r\nUID=\r\n", "Conf", "UID", ""},
        {"missing section", "[Other]\nUID=1\n", "Conf", "UID", ""},
        {"missing key", "[Conf]\nuser=1\n", "Conf", "UID", ""},
        {"empty file", "", "Conf", "UID", ""},
        {"key before every section", "UID=1\n[Conf]\n", "Conf", "UID", ""},
        {"key of a later section", "[Conf]\n[Other]\nUID=1\n", "Conf", "UID", ""},
        {"only the first section of a name", "[Conf]\nA=1\n[conf]\nB=2\n", "Conf", "B", ""},
        {"the first key of a name", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        {"equals sign in the value", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"comment line", "[s]\n;k=1\n k=2\n", "s", "k", "2"},
        {"key line without equals sign", "[s]\nk\nk=2\n", "s", "k", ""},
        {"unclosed section", "[s\nk=1\n", "s", "k", ""},
        {"text after the section's bracket", "[s] ; settings\nk=1\n", "s", "k", "1"},
        {"lone carriage returns", "[s]\rk=1\r", "s", "k", "1"},
        {"no final line break", "[s]\nk=1", "s", "k", "1"},
        {"double quotes", "[s]\nk=\" a \"\n", "s", "k", " a "},
        {"single quotes", "[s]\nk='a'\n", "s", "k", "a"},
        {"quotes that do not match", "[s]\nk=\"a'\n", "s", "k", "\"a'"},
        {"one quote", "[s]\nk=\"\n", "s", "k", "\""},
        {"empty quotes", "[s]\nk=\"\"\n", "s", "k", ""},
        {"zero byte ends the value", "[s]\nk=ab\0cd\n"s, "s", "k", "ab"},
        {"GBK value", "[s]\nk=\xD0\xC7\xBA\xD3\n", "s", "k", "星河"},
        {"invalid GBK", "[s]\nk=a\xFF\x81\n", "s", "k", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"GBK names", "[\xD0\xC7]\n\xBA\xD3=1\n", "星", "河", "1"},
        {"bracket as second byte of a name", "[\x81\x5D]\nk=1\n", "乚", "k", "1"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[system]\r\nversion=2.0.4\r\n", "system", "version",
         "2.0.4"},
        {"UTF-8 file", "\xEF\xBB\xBF[s]\nk=星河\n", "s", "k", "星河"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ini_value(c.bytes, c.section, c.key), c.value) << c.what;
    }
}

TEST(IniValue, value_is_limited_to_10239_gbk_bytes_without_splitting_a_character) {
    auto value_of = [](const std::string& stored) {
        return ini_value("[s]\nk=" + stored, "s", "k");
    };
    EXPECT_EQ(value_of(std::string(10239, 'a')).size(), 10239u);
    EXPECT_EQ(value_of(std::string(20000, 'a')), std::string(10239, 'a'));

    std::string hanzi;  // 12000 GBK bytes
    for (int i = 0; i < 6000; ++i) {
        hanzi += "\xD0\xC7";
    }
    std::string expected;
    for (int i = 0; i < 5119; ++i) {
        expected += "星";
    }
    EXPECT_EQ(value_of(hanzi), expected);
    EXPECT_EQ(value_of("a" + hanzi), "a" + expected);  // 1 + 5119 * 2 bytes

    std::string invalid(20000, '\xFF');
    std::string replacements;
    for (int i = 0; i < 10239; ++i) {
        replacements += "\xEF\xBF\xBD";
    }
    EXPECT_EQ(value_of(invalid), replacements);
}

TEST(IniValue, odd_files_read_without_harm) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 131) & 0xFF);
    }
    const std::string files[] = {
        std::string(100000, 'x'),
        "[" + std::string(50000, '[') + "\n" + std::string(50000, '='),
        binary,
        "\x81\n\x81[s]\n\x81k=1",
        std::string(1000, '\n'),
        "[s]\n" + std::string(30000, '\xB0'),
    };
    for (const std::string& file : files) {
        EXPECT_EQ(ini_value(file, "s", "k"), "");
    }
}

struct WriteCase {
    std::string what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(IniWithValue, changes_only_the_key_line) {
    const WriteCase cases[] = {
        {"new file", "", "Conf", "UID", "", "[Conf]\r\nUID=\r\n"},
        {"value replaced in place", "[Conf]\r\nUID=\r\n", "Conf", "UID", "1",
         "[Conf]\r\nUID=1\r\n"},
        {"names in other case",
         "; remembered sign-in\r\n[CONF]\r\nuser=AB\r\n; "
         "flag\r\nuid=\r\nPasswd=CD\r\n[x]\r\nuid=2\r\n",
         "conf", "UID", "1",
         "; remembered sign-in\r\n[CONF]\r\nuser=AB\r\n; "
         "flag\r\nUID=1\r\nPasswd=CD\r\n[x]\r\nuid=2\r\n"},
        {"new key at the end of its section", "[Conf]\nUID=\n\n[sxf]\nweixin=0.6\n", "Conf", "user",
         "X", "[Conf]\nUID=\nuser=X\n\n[sxf]\nweixin=0.6\n"},
        {"new key in the last section without a final break", "[a]\nx=1", "a", "y", "2",
         "[a]\nx=1\ny=2\n"},
        {"new section after a last line without a break", "[a]\nx=1", "b", "y", "2",
         "[a]\nx=1\n[b]\ny=2\n"},
        {"new section in a file of lone carriage returns", "[a]\rx=1\r", "b", "y", "2",
         "[a]\rx=1\r[b]\ry=2\r"},
        {"key line without equals sign", "[s]\nk\n", "s", "k", "v", "[s]\nk=v\n"},
        {"only the first section of a name", "[s]\nk=1\n[S]\nk=2\n", "s", "k", "3",
         "[s]\nk=3\n[S]\nk=2\n"},
        {"GBK text", "", "星", "河", "星河", "[\xD0\xC7]\r\n\xBA\xD3=\xD0\xC7\xBA\xD3\r\n"},
        {"foreign bytes kept", "[s]\r\nbin=\xFF\0\x81\r\nk=1\r\n"s, "s", "k", "2",
         "[s]\r\nbin=\xFF\0\x81\r\nk=2\r\n"s},
        {"UTF-8 file stays UTF-8", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "星",
         "\xEF\xBB\xBF[s]\nk=星\n"},
        {"character GBK lacks", "", "s", "k", "a😀", "[s]\r\nk=a?\r\n"},
    };
    for (const WriteCase& c : cases) {
        std::optional<std::string> after = ini_with_value(c.before, c.section, c.key, c.value);
        ASSERT_TRUE(after) << c.what;
        EXPECT_EQ(*after, c.after) << c.what;
    }
}

TEST(IniWithValue, refuses_names_and_values_that_would_break_the_file) {
    struct Case {
        std::string section;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"", "k", "v"},     {" ", "k", "v"},     {"s", "", "v"},     {"a]b", "k", "v"},
        {"s", "a=b", "v"},  {"s", "[k", "v"},    {"s", ";k", "v"},   {"s", "k", "a\nb"},
        {"s", "k", "a\rb"}, {"s", "k", "a\0b"s}, {"a\nb", "k", "v"}, {"s", "a\rb", "v"},
        {"s😀", "k", "v"},   {"s", "k\xFF", "v"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ini_with_value("[s]\nk=1\n", c.section, c.key, c.value))
            << c.section << "/" << c.key << "/" << c.value;
    }
}

TEST(IniWithValue, a_written_value_reads_back_in_any_file) {
    const std::string files[] = {
        "",
        "[s]\nk=1\n",
        "k=0\n[s]",
        "[other]\nk=1\n; comment\n[s ]\n\n",
        "[s\nk=1\n",
        "[S]\r\nK\r\n[s]\r\nk=2\r\n",
        "\x81[s]\n\xFF\n",
        "\xEF\xBB\xBF[a]\rb=c",
    };
    const std::string values[] = {"", "1", "8F8E" + std::string(9, 'A'), "星河 财务", "0.38"};
    for (const std::string& file : files) {
        for (const std::string& value : values) {
            std::optional<std::string> after = ini_with_value(file, "s", "k", value);
            ASSERT_TRUE(after);
            EXPECT_EQ(ini_value(*after, "S", "K"), value) << file;
            EXPECT_EQ(ini_with_value(*after, "s", "k", value), after) << "written twice: " << file;
        }
    }
}

}  // namespace
