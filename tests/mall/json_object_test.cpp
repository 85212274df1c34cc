#include "mall/json_object.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/text_encoding.h"

namespace {

std::string yes_no(bool value) {
    return value ? "true" : "false";
}

JsonObject parsed(std::string_view text) {
    JsonObject json;
    json.parse(text);
    return json;
}

// One behaviour: what the steps observe on a new object, and what they must
// observe.
struct Case {
    const char* name;
    std::function<std::string(JsonObject&)> steps;
    std::string expected;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class JsonObjectCase : public testing::TestWithParam<Case> {};

TEST_P(JsonObjectCase, gives_the_stated_result) {
    JsonObject json;
    EXPECT_EQ(GetParam().steps(json), GetParam().expected);
}

const Case kCases[] = {
    // Construction, clear, parse.
    {"a_new_object_is_empty_braces", [](JsonObject& j) { return j.to_text(); }, "{}"},
    {"clear_gives_empty_braces_again",
     [](JsonObject& j) {
         j.parse("[1,2]");
         j.clear();
         return j.to_text();
     },
     "{}"},
    {"parse_of_empty_text_is_false_and_writes_nothing",
     [](JsonObject& j) {
         bool result = j.parse("");
         return yes_no(result) + "|" + j.to_text();
     },
     "false|"},
    {"parse_of_invalid_text_is_false_and_writes_null",
     [](JsonObject& j) {
         bool result = j.parse("{\"a\":");
         return yes_no(result) + "|" + j.to_text();
     },
     "false|null"},
    {"parse_of_null_is_false", [](JsonObject& j) { return yes_no(j.parse("null")); }, "false"},
    {"parse_keeps_the_member_order_of_the_text",
     [](JsonObject& j) {
         bool result = j.parse(R"( {"b":1, "a":[true,null]} )");
         return yes_no(result) + "|" + j.to_text();
     },
     R"(true|{"b":1,"a":[true,null]})"},
    {"parse_leaves_nothing_of_the_previous_document",
     [](JsonObject& j) {
         j.set_member("old", "x");
         j.parse("{oops");
         return j.get_text("old") + "|" + j.to_text();
     },
     "|null"},
    {"clear_after_a_failed_parse_gives_an_object",
     [](JsonObject& j) {
         j.parse("");
         j.clear();
         j.set_member("a", "1");
         return j.to_text();
     },
     R"({"a":"1"})"},

    // get_text.
    {"text_member_reads_as_it_is",
     [](JsonObject&) { return parsed(R"({"version":"1.0.3"})").get_text("version"); }, "1.0.3"},
    {"number_2_reads_as_2",
     [](JsonObject&) { return parsed(R"({"version":2})").get_text("version"); }, "2"},
    {"number_1_5_reads_as_1_5",
     [](JsonObject&) { return parsed(R"({"version":1.5})").get_text("version"); }, "1.5"},
    {"numbers_read_with_13_significant_digits",
     [](JsonObject&) { return parsed(R"({"v":0.1234567890123456})").get_text("v"); },
     "0.1234567890123"},
    {"a_missing_member_reads_empty", [](JsonObject& j) { return j.get_text("version"); }, ""},
    {"a_null_member_reads_empty", [](JsonObject&) { return parsed(R"({"v":null})").get_text("v"); },
     ""},
    {"as_json_a_text_comes_back_quoted",
     [](JsonObject&) { return parsed(R"({"v":"a\"b"})").get_text("v", true); }, R"("a\"b")"},
    {"as_json_a_missing_member_is_empty",
     [](JsonObject&) { return parsed(R"({"v":1})").get_text("w", true); }, ""},
    {"paths_reach_into_members_and_elements",
     [](JsonObject&) {
         return parsed(R"({"data":{"list":[{"name":"a"},{"name":"b"}]}})")
             .get_text("data.list[1].name");
     },
     "b"},
    {"a_path_beginning_with_an_index_reads_the_root_array",
     [](JsonObject&) { return parsed(R"(["x",{"n":"y"}])").get_text("[1].n"); }, "y"},
    {"a_path_through_a_missing_member_reads_empty",
     [](JsonObject&) { return parsed(R"({"a":{}})").get_text("a.b.c"); }, ""},
    {"an_empty_path_reads_empty", [](JsonObject&) { return parsed(R"({"a":1})").get_text(""); },
     ""},
    {"a_malformed_path_reads_empty",
     [](JsonObject&) {
         return parsed(R"({"a":[1]})").get_text("a[x]") + parsed(R"({"a":1})").get_text("a..");
     },
     ""},

    // count.
    {"count_of_an_array_of_three",
     [](JsonObject&) { return std::to_string(parsed("[1,2,3]").count()); }, "3"},
    {"count_of_an_object_of_two",
     [](JsonObject&) { return std::to_string(parsed(R"({"a":1,"b":2})").count()); }, "2"},
    {"count_of_empty_object_and_array",
     [](JsonObject&) {
         return std::to_string(parsed("{}").count()) + std::to_string(parsed("[]").count());
     },
     "00"},
    {"count_of_a_member_and_of_a_root_element",
     [](JsonObject&) {
         JsonObject j = parsed(R"([{"list":[1,2,3,4]}])");
         return std::to_string(j.count("[0].list")) + std::to_string(j.count("[0]"));
     },
     "41"},
    {"count_of_anything_else_is_0",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"t":"text","n":5})");
         return std::to_string(j.count("t")) + std::to_string(j.count("n")) +
                std::to_string(j.count("none")) + std::to_string(parsed("").count());
     },
     "0000"},

    // keys.
    {"keys_keep_the_member_order",
     [](JsonObject&) {
         std::vector<std::string> list{"stale"};
         int n = parsed(R"({"b":1,"a":2})").keys(list);
         return std::to_string(n) + ":" + list.at(0) + "," + list.at(1);
     },
     "2:b,a"},
    {"keys_of_an_array_are_its_indexes",
     [](JsonObject&) {
         std::vector<std::string> list;
         int n = parsed(R"({"l":["x","y"]})").keys(list, "l");
         return std::to_string(n) + ":" + list.at(0) + list.at(1);
     },
     "2:01"},
    {"keys_of_an_empty_object",
     [](JsonObject&) {
         std::vector<std::string> list{"stale"};
         int n = parsed("{}").keys(list);
         return std::to_string(n) + std::to_string(list.size());
     },
     "00"},

    // type_of.
    {"type_codes",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"a":[1],"o":{},"t":"x","n":1.5,"b":false,"z":null})");
         std::string codes;
         for (const char* path : {"a", "o", "t", "n", "b", "z", "missing", "a.b.c"}) {
             codes += std::to_string(j.type_of(path)) + ",";
         }
         return codes + std::to_string(j.type_of()) + "," + std::to_string(parsed("[]").type_of());
     },
     "5,4,6,2,1,0,0,0,4,5"},

    // append.
    {"appending_a_literal_to_a_text_member_makes_it_an_array",
     [](JsonObject& j) {
         j.set_member("m", "text");
         j.append("7", "m", true);
         return j.to_text();
     },
     R"({"m":[7]})"},
    {"appending_texts_and_literals_to_a_new_member",
     [](JsonObject& j) {
         j.append("a", "l");
         j.append(R"({"k":[1]})", "l", true);
         j.append("", "e", true);
         return j.to_text();
     },
     R"({"l":["a",{"k":[1]}],"e":[]})"},
    {"appending_to_the_root_makes_it_an_array",
     [](JsonObject& j) {
         j.append("1", "", true);
         j.append("x");
         return j.to_text();
     },
     R"([1,"x"])"},
    {"appending_an_invalid_literal_changes_nothing",
     [](JsonObject& j) {
         j.set_member("m", "text");
         j.append("{nope", "m", true);
         j.append("1", "a.b", true);
         return j.to_text();
     },
     R"({"m":"text"})"},

    // remove_by_path and elements.
    {"remove_by_path_removes_one_element",
     [](JsonObject& j) {
         j.parse(R"({"list":[1,2,3],"other":"x"})");
         j.remove_by_path("list[0]");
         return j.to_text();
     },
     R"({"list":[2,3],"other":"x"})"},
    {"remove_by_path_without_an_index_changes_nothing",
     [](JsonObject& j) {
         j.parse(R"({"list":[1,2,3]})");
         j.remove_by_path("list");
         j.remove_by_path("none[0]");
         j.remove_by_path("list[9]");
         return j.to_text();
     },
     R"({"list":[1,2,3]})"},
    {"elements_of_the_root_array",
     [](JsonObject& j) {
         j.reset(JsonObject::kArray);
         j.set_element(0, "a");
         j.set_element(2, "5", true);
         std::string before = j.to_text();
         j.remove_element(0);
         j.remove_element(-1);
         return before + j.to_text();
     },
     R"(["a",null,5][null])"},
    {"element_reads",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"l":[{"a":1},"t",2.5]})");
         return j.get_element_text(1, "l") + "|" + j.get_element_text(2, "l") + "|" +
                j.get_element_text(0, "l", true) + "|" + j.get_element_object(0, "l").to_text() +
                "|" + j.get_element_text(9, "l") + "|" + parsed("[7]").get_element_text(0);
     },
     R"(t|2.5|{"a":1}|{"a":1}||7)"},
    {"removing_an_element_of_an_object_changes_nothing",
     [](JsonObject& j) {
         j.set_member("a", "1");
         j.remove_element(0);
         return j.to_text();
     },
     R"({"a":"1"})"},

    // Setting members and the root.
    {"set_member_as_json",
     [](JsonObject& j) {
         j.set_member("a", R"({"x":[1,"2"]})", true);
         j.set_member("e", "", true);
         j.set_member("bad", "{x", true);
         j.set_member("a.x", "", false);
         return j.to_text();
     },
     R"({"a":{"x":""},"e":{}})"},
    {"set_member_needs_a_path_through_existing_members",
     [](JsonObject& j) {
         j.set_member("", "x");
         j.set_member("[0]", "x");
         j.set_member("a.b", "x");
         j.set_member_expression("c", "");
         return j.to_text();
     },
     "{}"},
    {"set_number_keeps_13_significant_digits",
     [](JsonObject& j) {
         j.set_number("third", 1.0 / 3.0);
         j.set_number("big", 1e21);
         j.set_number("whole", 20);
         return j.to_text() + "|" + j.get_text("third");
     },
     R"({"third":0.3333333333333,"big":1e+21,"whole":20}|0.3333333333333)"},
    {"get_number_reads_numbers_and_number_texts",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"n":2.5,"t":" 12 ","x":"12abc","b":true})");
         std::string out;
         for (const char* path : {"n", "t", "x", "b", "missing", ""}) {
             out += std::to_string(j.get_number(path)) + ",";
         }
         return out;
     },
     "2.500000,12.000000,0.000000,1.000000,0.000000,0.000000,"},
    {"has_member_is_false_for_null_and_missing",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"a":0,"z":null})");
         return yes_no(j.has_member("a")) + yes_no(j.has_member("z")) + yes_no(j.has_member("m")) +
                yes_no(j.has_member(""));
     },
     "truefalsefalsefalse"},
    {"get_member_json",
     [](JsonObject&) {
         JsonObject j = parsed(R"({"a":{"b":[1,"/"]}})");
         return j.get_member_json("a") + "|" + j.get_member_json("none") + "|" +
                j.get_member_json("");
     },
     R"({"b":[1,"/"]}||)"},
    {"reset_and_set_root",
     [](JsonObject& j) {
         j.reset(5);
         std::string out = j.to_text();
         j.reset(0);
         out += j.to_text();
         j.reset(3);  // no such code
         out += j.to_text();
         j.set_root("it's");
         out += j.to_text();
         j.set_root("[1,{}]", true);
         out += j.to_text();
         j.set_root("", true);
         j.set_root("{bad", true);
         return out + j.to_text();
     },
     R"([]{}{}"it's"[1,{}][1,{}])"},

    // Objects and copies.
    {"get_object_returns_an_independent_copy",
     [](JsonObject& j) {
         j.parse(R"({"inner":{"a":1}})");
         JsonObject inner = j.get_object("inner");
         inner.set_member("a", "changed");
         return inner.to_text() + j.to_text();
     },
     R"({"a":"changed"}{"inner":{"a":1}})"},
    {"get_object_of_a_missing_member_has_no_root",
     [](JsonObject& j) {
         JsonObject none = j.get_object("none");
         return "[" + none.to_text() + "]" + std::to_string(none.type_of());
     },
     "[]0"},
    {"get_object_of_a_root_element",
     [](JsonObject&) { return parsed(R"([0,{"k":"v"}])").get_object("[1]").get_text("k"); }, "v"},
    {"a_copy_shares_the_document",
     [](JsonObject& j) {
         JsonObject copy = j.copy();
         copy.set_member("seen", "yes");
         JsonObject second = j;
         j.clear();
         second.set_member("after", "1");
         return copy.to_text();
     },
     R"({"after":"1"})"},
    {"parse_gives_the_holder_a_document_of_its_own",
     [](JsonObject& j) {
         JsonObject copy = j;
         copy.parse(R"({"own":1})");
         return j.to_text() + copy.to_text();
     },
     R"({}{"own":1})"},

    // Text values are stored character for character.
    {"quotes_backslashes_and_line_breaks_read_back_unchanged",
     [](JsonObject& j) {
         const std::string text = "it's \\ \"q\"\r\nnext\tline ' \\' \\\\n";
         j.set_member("t", text);
         JsonObject again = parsed(j.to_text());
         return yes_no(j.get_text("t") == text) + yes_no(again.get_text("t") == text);
     },
     "truetrue"},
    {"deeply_nested_text_is_refused",
     [](JsonObject& j) {
         std::string deep = std::string(100000, '[') + std::string(100000, ']');
         bool result = j.parse(deep);
         return yes_no(result) + j.to_text();
     },
     "falsenull"},
};

INSTANTIATE_TEST_SUITE_P(JsonObject, JsonObjectCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string hex4(char32_t c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
    return buffer;
}

// The escaped ranges, each checked at both ends and just outside them.
TEST(JsonWriting, escapes_exactly_the_listed_characters) {
    struct Range {
        char32_t first, last;
    };
    const Range escaped[] = {{0x00, 0x07},     {0x0B, 0x0B},     {0x0E, 0x1F},     {0x7F, 0x9F},
                             {0xAD, 0xAD},     {0x600, 0x604},   {0x70F, 0x70F},   {0x17B4, 0x17B5},
                             {0x200C, 0x200F}, {0x2028, 0x202F}, {0x2060, 0x206F}, {0xFEFF, 0xFEFF},
                             {0xFFF0, 0xFFFF}};
    const char32_t as_they_are[] = {0x20,   0x2F,   0x7E,   0xA0,   0xAC,    0xAE,
                                    0x5FF,  0x605,  0x70E,  0x710,  0x17B3,  0x17B6,
                                    0x200B, 0x2010, 0x2027, 0x2030, 0x205F,  0x2070,
                                    0xFEFE, 0xFF00, 0xFFEF, 0x4E2D, 0x10000, 0x1F600};
    auto written = [](char32_t c) {
        JsonObject json;
        json.set_member("t", utf8(c));
        std::string text = json.to_text();  // {"t":"..."}
        EXPECT_EQ(json.get_member_json("t"), text.substr(5, text.size() - 6));
        EXPECT_EQ(json.get_text("t", true), text.substr(5, text.size() - 6));
        return text.substr(6, text.size() - 8);
    };
    for (const Range& range : escaped) {
        for (char32_t c : {range.first, range.last}) {
            EXPECT_EQ(written(c), hex4(c)) << std::hex << "U+" << static_cast<unsigned>(c);
        }
    }
    for (char32_t c : as_they_are) {
        EXPECT_EQ(written(c), utf8(c)) << std::hex << "U+" << static_cast<unsigned>(c);
    }
    const std::pair<char, const char*> named[] = {{'\b', "\\b"}, {'\t', "\\t"}, {'\n', "\\n"},
                                                  {'\f', "\\f"}, {'\r', "\\r"}, {'\\', "\\\\"},
                                                  {'"', "\\\""}, {'/', "/"}};
    for (const auto& [c, expected] : named) {
        EXPECT_EQ(written(static_cast<unsigned char>(c)), expected) << int(c);
    }
}

TEST(JsonWriting, member_names_are_escaped_like_texts) {
    JsonObject json;
    json.parse(R"({"a\"b\u0001\u2028":1})");
    EXPECT_EQ(json.to_text(), R"({"a\"b\u0001\u2028":1})");
}

TEST(JsonWriting, bytes_that_are_not_utf8_become_replacement_characters) {
    JsonObject json;
    json.set_member("t",
                    "a\xFF"
                    "b\xE6\x98");
    EXPECT_EQ(json.to_text(),
              "{\"t\":\"a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD\"}");
}

TEST(JsonWriting, numbers_are_written_as_javascript_writes_them) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},
        {"-0.0", "0"},
        {"1.50", "1.5"},
        {"100", "100"},
        {"1e20", "100000000000000000000"},
        {"1e21", "1e+21"},
        {"0.000001", "0.000001"},
        {"1e-7", "1e-7"},
        {"-2.5e-10", "-2.5e-10"},
        {"0.30000000000000004", "0.30000000000000004"},
        {"123456789012", "123456789012"},
        {"1.7976931348623157e308", "1.7976931348623157e+308"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(parsed(std::string("[") + in + "]").to_text(), std::string("[") + out + "]")
            << in;
    }
}

TEST(JsonTexts, chinese_and_gbk_only_characters_round_trip) {
    // GB2312 characters, then characters only GBK has (镕 喆 堃 玥 昇 €).
    const std::string texts[] = {"星河 - 财务端", "镕喆堃玥昇€", "订单号：2026-03-07"};
    for (const std::string& text : texts) {
        ASSERT_EQ(from_gbk(to_gbk(text)), text) << "not a GBK text: " << text;
        JsonObject json;
        json.set_member("name", text);
        EXPECT_EQ(json.get_text("name"), text);
        EXPECT_EQ(json.to_text(), "{\"name\":\"" + text + "\"}");  // written as they are
        EXPECT_EQ(parsed(json.to_text()).get_text("name"), text);
        json.set_member(text, "key");  // as a member name too
        EXPECT_EQ(json.get_text(text), "key");
    }
}

}  // namespace
