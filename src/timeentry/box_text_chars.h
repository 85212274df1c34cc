#pragma once

#include <string>
#include <string_view>

// Box texts are edited at character offsets while they live as UTF-8: these
// cut them by characters, so that a typed non-ASCII character never splits.
// A byte that is not valid UTF-8 counts as one character.

int char_count(std::string_view text);
// At most count characters from the character offset from; empty beyond the end.
std::string_view char_slice(std::string_view text, int from, int count);
// The characters from the character offset from to the end.
std::string_view char_tail(std::string_view text, int from);
