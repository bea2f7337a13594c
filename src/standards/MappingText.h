#pragma once

/// The separator bytes and header of mapping files. They are single bytes of
/// the file's 8-bit text and are never escaped, so names must not hold them.

/// Between a mapped object's group and its kind word.
constexpr char kObjectSeparator = static_cast<char>(0x95);
/// Between a spreadsheet variable's name and its object text.
constexpr char kVarSeparator = static_cast<char>(0x83);
/// Between the items of one mapping line.
constexpr char kItemSeparator = static_cast<char>(0xBF);
/// The first line of every mapping file.
constexpr const char* kMappingHeader = "Mapping version 1.0";
/// The prefix of a mapping key that selects module-group mode.
constexpr const char* kModuleKeyPrefix = "Module.";
