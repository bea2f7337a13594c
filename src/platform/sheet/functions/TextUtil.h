#pragma once

#include <string>
#include <string_view>

namespace vtx::sheet {

struct FunctionCall;

/// Upper case of a Windows-1252 text.
std::string upperText(std::string_view text);
/// True when text matches pattern as a whole, case ignored; "?" stands for
/// one character, "*" for any run, "~" makes the next character literal.
bool wildcardMatch(std::string_view pattern, std::string_view text);
/// True when text holds a wildcard character ("?", "*" or "~").
inline bool hasWildcards(std::string_view text) {
    return text.find_first_of("?*~") != std::string_view::npos;
}
/// The first position >= from where pattern (wildcards as above) matches a
/// part of text, case ignored; npos when none. Sets length to the match length.
std::size_t wildcardFind(std::string_view pattern, std::string_view text, std::size_t from,
                         std::size_t& length);

/// CONCAT(value, ...): every value joined, ranges cell by cell, row by row.
void concatFunction(FunctionCall& c);
/// TEXTJOIN(delimiter, ignore empty, value, ...): the values joined with the
/// delimiter (a range of delimiters is used in turn), empty ones left out
/// when asked.
void textJoinFunction(FunctionCall& c);

} // namespace vtx::sheet
