#pragma once

/// The twelve standards spreadsheet functions that every standards
/// spreadsheet may call besides the formula language's own: look-ups in data
/// files (GETCELL, GETPROFCELL), section data (SECTIONSIZE, GETSYSNAME),
/// standard sizes within a tolerance (STDSIZEWITHTOLERANCE,
/// STDTHICKNESSWITHTOLERANCE, STDWIDTHWITHTOLERANCE), rounding (ROUNDTO),
/// lists and tests (GETARRAYITEM, TONUMBER, ISNULL, ISPOSITIVE). Their
/// arguments and results are described in docs/standards-functions.md.
///
/// Each function is declared by a StandardsFunctionDef (name, argument
/// counts, flags, body) and registered on a grid as a custom function:
///
///     vtx::sheet::SheetModel sheet;
///     registerStandardsFunctions(sheet);     // all twelve, in table order
///     sheet.setFormula(1, 1, "ROUNDTO(12.3, 5)", true);
///
/// A grid calls a function through standardsHandler(def), which reads the
/// 24-byte value records, frees the text blocks of the arguments, runs the
/// body and writes the result record.

#include "platform/sheet/ValueRecord.h"
#include "standards/StandardsFunctionArgs.h"

#include <span>
#include <string_view>

/// The body of a standards function: reads call's arguments, sets its result
/// and returns true, or returns false when it cannot produce a result.
using StandardsFunctionBody = bool (*)(StandardsCall& call);

/// The registration record of one function.
struct StandardsFunctionDef {
    const char* name;
    int minArgs;
    int maxArgs;
    unsigned flags;
    StandardsFunctionBody body;
};

/// The twelve functions in registration order: ROUNDTO, GETCELL,
/// GETPROFCELL, SECTIONSIZE, GETSYSNAME, STDWIDTHWITHTOLERANCE,
/// STDTHICKNESSWITHTOLERANCE, STDSIZEWITHTOLERANCE, GETARRAYITEM, TONUMBER,
/// ISNULL, ISPOSITIVE. All have the same flags: arguments arrive as values,
/// and a result of no value is the empty text (kCustomNoValueIsEmptyText).
std::span<const StandardsFunctionDef> standardsFunctions();

/// The function of that name (case ignored), or null.
const StandardsFunctionDef* findStandardsFunction(std::string_view name);

/// Runs def on decoded arguments. Returns false (result left at no value)
/// when the count is outside def's limits or the body fails.
bool callStandardsFunction(const StandardsFunctionDef& def, StandardsCall& call);

/// Runs def on value records as a grid hands them over: the result is set to
/// status 2, type integer first; every text argument's global memory block is
/// read and freed (the handler owns it); a number result is status 0, type 1;
/// a text result is status 0, type 2 in a new global memory block, which the
/// grid frees. Returns 1 when a result was set, 0 otherwise (also for a null
/// result record, or a null argument array with count > 0).
int callStandardsFunction(const StandardsFunctionDef& def, vtx::sheet::ValueRecord* result,
                          vtx::sheet::ValueRecord* args, int count);

/// A grid handler that calls def; def must outlive it (the table's do).
vtx::sheet::CustomFunctionHandler standardsHandler(const StandardsFunctionDef& def);

/// Registers the twelve functions on grid, in table order, through its
/// addCustomFunction(name, minimum, maximum, handler, flags) (SheetModel and
/// the grid class offer it). True when every registration succeeded.
template <typename Grid> bool registerStandardsFunctions(Grid& grid) {
    bool all = true;
    for (const StandardsFunctionDef& def : standardsFunctions())
        all = grid.addCustomFunction(def.name, def.minArgs, def.maxArgs, standardsHandler(def),
                                     def.flags) &&
              all;
    return all;
}
