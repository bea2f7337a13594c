#pragma once

/// The checks a standards author runs before a standard is used: everything
/// in a standards spreadsheet, its child spreadsheets, its data and size
/// files and its mapping file that would make an evaluation go wrong or
/// quietly do something else than meant. Nothing is written.
///
///     StandardsCheckOptions options;
///     options.drawing = &db;            // mapping keys and objects against its macros
///     std::vector<CheckProblem> found = checkLibraryStandards(options);
///     for (const CheckProblem& p : found)
///         print(p.text());              // "FP-Standard.kss:19: A14: ..."
///
/// What is checked (docs/vtxss-check.md lists each problem with its text):
/// the Input, Output and Calc labels (missing, or given twice, Local twice);
/// declarations (unknown type words, empty names, a name declared twice);
/// every Calc cell (not an assignment, an undeclared target, a formula the
/// formula engine refuses after the variables are replaced by their cells
/// as an evaluation replaces them, names that are neither declared nor
/// general variables, unknown functions and wrong argument counts); outputs
/// that no equation or child call assigns; child calls (a file that does not
/// exist, undeclared arguments, a count that differs from the child's
/// variables, an output of the child written into an input, spreadsheets
/// that call each other in a cycle); data files (not found, duplicate keys,
/// keys without a value, values that TONUMBER reads and that are no number);
/// size files (parts that are no number, sizes not in ascending order);
/// mapping files (lines without key, items that do not read, variables the
/// spreadsheet does not declare or declares with another type, and, with a
/// drawing, keys and objects that no macro of the drawing has).

#include "platform/core/VtxString.h"

#include <string>
#include <vector>

class Vtx_Database;

/// One problem: where it is and what it is.
struct CheckProblem {
    Vtx_String file; ///< the file the problem is in
    int line = 0;    ///< 1-based line of that file; 0 when the whole file is meant
    Vtx_String cell; ///< the spreadsheet cell ("A14"); empty for other files
    Vtx_String message;

    /// "file:line: cell: message" (the parts that are there).
    Vtx_String text() const;
    bool operator==(const CheckProblem&) const = default;
};

struct StandardsCheckOptions {
    /// Mapping keys and mapped objects are compared with this drawing's
    /// macros when given; otherwise mapping files are checked on their own.
    Vtx_Database* drawing = nullptr;
    /// The drawing's path, for the messages.
    Vtx_String drawingName;
};

/// Checks the standards spreadsheets at paths (and what they use: children,
/// data files, mapping files), each file once. The problems come in the
/// order the files are met, each file's in line order.
std::vector<CheckProblem> checkStandards(const std::vector<Vtx_String>& paths,
                                         const StandardsCheckOptions& options);

/// Every standards spreadsheet (.kss) under the library folder's
/// "Connection Standards" tree, sorted by path.
std::vector<Vtx_String> libraryStandards();

/// checkStandards over libraryStandards().
std::vector<CheckProblem> checkLibraryStandards(const StandardsCheckOptions& options);
