#pragma once

/// The built-in functions of the formula language: looked up by name, each
/// described by metadata (argument counts and kinds, volatility).

#include <cstdint>
#include <string_view>

namespace vtx::sheet {

/// The index of a built-in function (case ignored), or -1.
int findFunction(std::string_view name);
/// The upper-case name of a built-in function.
std::string_view functionName(std::uint32_t index);
/// The number of built-in functions.
int functionCount();

} // namespace vtx::sheet
