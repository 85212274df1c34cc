#include "core/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumberCase {
    double value;
    const char* text;
};

class NumberTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, writes_thirteen_significant_digits_without_trailing_zeros) {
    EXPECT_EQ(number_text(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    testing::Values(NumberCase{20.0, "20"}, NumberCase{12.5, "12.5"},
                    NumberCase{0.1 + 0.2, "0.3"}, NumberCase{0.0, "0"},
                    NumberCase{-7.25, "-7.25"}, NumberCase{12345.67, "12345.67"},
                    NumberCase{1234567890123.0, "1234567890123"},
                    NumberCase{12345678901234.0, "1.234567890123e+013"},
                    NumberCase{0.00005, "5e-005"}, NumberCase{0.0001, "0.0001"},
                    NumberCase{1.0 / 3.0, "0.3333333333333"}));

struct FloatCase {
    float value;
    const char* text;
};

class FloatTextTest : public testing::TestWithParam<FloatCase> {};

TEST_P(FloatTextTest, rounds_to_six_significant_digits) {
    EXPECT_EQ(float_text(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatTextTest,
    testing::Values(FloatCase{0.0038f, "0.0038"}, FloatCase{0.006f, "0.006"},
                    FloatCase{0.0f, "0"}, FloatCase{0.00005f, "5e-005"},
                    FloatCase{0.6f / 100.0f, "0.006"}, FloatCase{12345.67f, "12345.7"},
                    FloatCase{1.0f, "1"}, FloatCase{1234567.0f, "1.23457e+006"}));

struct ParseCase {
    const char* text;
    double value;
};

class TextToNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToNumberTest, reads_the_decimal_number_at_the_start) {
    EXPECT_DOUBLE_EQ(text_to_number(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToNumberTest,
    testing::Values(ParseCase{"", 0.0}, ParseCase{"abc", 0.0}, ParseCase{"12.50", 12.5},
                    ParseCase{"0.38%", 0.38}, ParseCase{"  7", 7.0}, ParseCase{"-3.5x", -3.5},
                    ParseCase{"+2", 2.0}, ParseCase{".5", 0.5}, ParseCase{"5.", 5.0},
                    ParseCase{"1e3", 1000.0}, ParseCase{"1.5E-2", 0.015},
                    ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0}, ParseCase{"-", 0.0},
                    ParseCase{".", 0.0}, ParseCase{"0x1A", 0.0}, ParseCase{"inf", 0.0},
                    ParseCase{"12,5", 12.0}, ParseCase{"1e-400", 0.0}));

TEST(TextToNumber, overflowing_exponent_is_infinite) {
    EXPECT_EQ(text_to_number("1e400"), std::numeric_limits<double>::infinity());
}

TEST(TextToInt, reads_the_whole_number_at_the_start_within_32_bits) {
    EXPECT_EQ(text_to_int(""), 0);
    EXPECT_EQ(text_to_int("12.7"), 12);
    EXPECT_EQ(text_to_int(" -42abc"), -42);
    EXPECT_EQ(text_to_int("99999999999"), 2147483647);
    EXPECT_EQ(text_to_int("-99999999999"), -2147483647 - 1);
}

}  // namespace
