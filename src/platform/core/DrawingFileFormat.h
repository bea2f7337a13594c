#pragma once

/// Private to the drawing file reader and writer: the names the format uses
/// for enumerations, and the map from JSON paths to the lines they start on.
/// The format itself is described in docs/drawing-format.md.

#include "platform/core/MacroModel.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <string_view>

namespace drawing_file {

inline constexpr const char* kFormatName = "vtx-drawing";
inline constexpr int kVersion = 1;
/// Deepest nesting of arrays and objects a drawing file may have.
inline constexpr int kMaxNesting = 32;

/// "straight", "polygon", ... for a Vtx_CutType; nullptr when unknown.
const char* cutTypeName(int cutType);
/// The cut type of a name; -1 when unknown.
int cutTypeFromName(std::string_view name);
/// "cut", "poly", ... for a KsCutOffsetType; nullptr when unknown.
const char* offsetName(int offsetType);
/// The offset type of a name; -1 when unknown.
int offsetFromName(std::string_view name);
/// "general", "plate", "bolt", "profile".
const char* moduleKindName(Vtx_ModuleKind kind);
/// False when the name is none of the four.
bool moduleKindFromName(std::string_view name, Vtx_ModuleKind& kind);

/// The line on which each value of a JSON text starts, by path
/// ("macros[0].modules[2].name"; the root is ""). Built from text that
/// nlohmann has already accepted, so it needs to handle valid JSON only;
/// it also finds what nlohmann accepts silently: duplicate keys and
/// nesting deeper than kMaxNesting.
class LineIndex {
public:
    /// False with message and line set when the text has a duplicate key or
    /// is nested too deeply.
    bool build(std::string_view text, std::string& message, int& line);
    /// The line of path, or of its nearest enclosing value; 0 when unknown.
    int lineOf(const std::string& path) const;

private:
    std::map<std::string, int> m_lines;
};

/// JSON with keys kept in the order written, so files stay stable.
using Json = nlohmann::ordered_json;

/// Fills an empty database from a parsed drawing. False on the first fault,
/// with the JSON path of the faulty value ("" for the root) and a message.
bool buildDatabase(const Json& root, Vtx_Database& database, std::string& path,
                   std::string& message);

} // namespace drawing_file
