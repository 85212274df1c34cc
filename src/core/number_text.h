#pragma once

#include <string>
#include <string_view>

// Numbers written as the service's other programs write them.

// A 64-bit number: at most 13 significant digits, no trailing zeros and no
// trailing point (20, 12.5, 0.3); the exponent form below 0.0001 or from
// 1e13 on, with at least three exponent digits (1e-005).
std::string number_text(double value);

// A 32-bit float: rounded to 6 significant digits and written with at most
// 6 (0.0038, 5e-005).
std::string float_text(float value);

// The decimal number at the start of the text (blanks before it skipped,
// sign, fraction and exponent allowed); 0 when the text does not start with
// one.
double text_to_number(std::string_view text);

// The whole number at the start of the text (blanks skipped, sign allowed),
// held to the 32-bit range; 0 when there is none.
int text_to_int(std::string_view text);
