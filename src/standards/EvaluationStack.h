#pragma once

/// The spreadsheets whose evaluation is under way, outermost first. A child
/// call that would evaluate one of them again (A calls B, B calls A) is a
/// cycle and is refused, as is nesting deeper than kMaxChildDepth.

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

namespace evaluation {

/// The spreadsheets being evaluated, outermost first.
const Vtx_StringArray& activeSheets();
/// A comparable form of a spreadsheet path (absolute, normalised).
Vtx_String canonicalSheetPath(const Vtx_String& path);
/// True when path is among the active sheets.
bool isActive(const Vtx_String& path);
/// "A.kss -> B.kss -> A.kss": the chain that calling path would close.
Vtx_String describeCycle(const Vtx_String& path);

/// Reads a child call "CallChild(file,var,...)" out of an equation's
/// expression: the text between the first "(" after "CallChild" and the next
/// ")" split at ",", the file with one leading and one trailing double quote
/// removed, each variable name with its blanks stripped. False when there is
/// no such parenthesis or fewer than a file and one variable.
bool splitChildCall(const Vtx_String& expression, Vtx_String& file, Vtx_StringArray& variables);

/// The file of a child spreadsheet that a CallChild names, resolved from
/// the calling sheet at callerPath: the name as it is; beside the caller (a
/// leading "\\" dropped); then the library folder's "Connection Standards\\"
/// and its "Childs", "Data" and "Parents" folders. The first existing file
/// wins; false when there is none.
bool resolveChild(const Vtx_String& name, const Vtx_String& callerPath, Vtx_String& path);

/// Marks a spreadsheet as under evaluation for the life of the scope.
class ActiveSheet {
public:
    explicit ActiveSheet(const Vtx_String& path);
    ~ActiveSheet();
    ActiveSheet(const ActiveSheet&) = delete;
    ActiveSheet& operator=(const ActiveSheet&) = delete;
};

} // namespace evaluation
