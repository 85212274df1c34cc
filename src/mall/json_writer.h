#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

// Compact JSON in the form the service's script-based programs write it: no
// whitespace, members in insertion order, numbers as JavaScript writes them
// (1.5, 100, 1e+21; not finite: null), texts in double quotes with exactly
// these escapes: \b \t \n \f \r \\ \" and \u00xx (lower-case hexadecimal)
// for the other control and format characters (U+0000-U+001F,
// U+007F-U+009F, U+00AD, U+0600-U+0604, U+070F, U+17B4, U+17B5,
// U+200C-U+200F, U+2028-U+202F, U+2060-U+206F, U+FEFF, U+FFF0-U+FFFF).
// Every other character, the slash included, is written as it is.
std::string write_json(const nlohmann::ordered_json& value);

// The text in double quotes with the escapes above. Bytes that are not
// UTF-8 are written as U+FFFD so the result is always valid JSON.
void write_json_text(std::string_view utf8, std::string& out);

// A number as JavaScript's Number#toString writes it; "null" when it is not
// finite.
std::string json_number_text(double value);
