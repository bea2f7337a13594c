#pragma once

/// A new section made by example, the work behind the new-section dialog
/// (window-less, so that the rules can be used and tested without it).
///
/// The example's system name shows how names are made from values: each part
/// of it between "x"s is one of the example's values ("200x100x10" from the
/// values 200, 100 and 10). The pattern records which values, so that new
/// values give a new name in the same way, and the user names get the
/// example's prefix per language ("RHS " of "RHS 200x100x10").
///
///     NewSectionByExample example(table, "200x100x10");
///     Vtx_String name = example.composeName({"250", "100", "10"});  // "250x100x10"
///     int row = -1;
///     if (example.addSection(table, name, true, {"250", "100", "10"}, row) ==
///     NewSectionResult::Added)
///         ...   // table.rows[row] is the new section

#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "sectionlib/ProfValuesTable.h"

/// How many values the dialog shows and edits.
constexpr int kNewSectionValueCount = 11;

enum class NewSectionResult {
    Added,
    NoExample,   ///< the table has no usable example row
    EmptyName,   ///< the name is empty
    BadName,     ///< the name or a value holds a tab or another control character
    NameExists,  ///< another section has the system name
    FailedCheck, ///< the values break the rule of the section type
};

class NewSectionByExample {
public:
    /// The example is the row whose system name is exampleName (case
    /// ignored), the first row when there is none.
    NewSectionByExample(const Vtx_ProfValuesTable& table, const Vtx_String& exampleName);

    int exampleRow() const { return m_exampleRow; }
    /// Value positions (from 0) of the name's parts; -1 for a part no value
    /// gave.
    const Vtx_Array<int>& pattern() const { return m_pattern; }
    /// Per language: the user name of the row the pattern came from, up to
    /// its first digit (empty without a digit).
    const Vtx_StringArray& prefixes() const { return m_prefixes; }
    /// The current work language among the languages, -1 when the table has
    /// no column for it.
    int currentLanguage() const { return m_currentLanguage; }
    /// The prefix of the current language (empty when there is none).
    Vtx_String currentPrefix() const;

    /// The values of the example row (at most kNewSectionValueCount).
    Vtx_StringArray exampleValues() const;
    /// The example's user name in the current language (empty when none).
    Vtx_String exampleUserName() const;
    /// The names of the value columns to show beside the values: of the
    /// standard section type when the template is its number, otherwise the
    /// table's value-column names.
    Vtx_StringArray dimensionNames() const;

    /// The system name that values make by the pattern: the value of each
    /// pattern position that values has, joined with "x".
    Vtx_String composeName(const Vtx_StringArray& values) const;

    /// Adds the section: a copy of the example, in use, named name (with
    /// prefixed user names when automatic, the same name in every language
    /// otherwise), holding values; placed where the name sorts among the
    /// table's names (a symmetric name such as "120x120x5" among the
    /// symmetric ones). row receives the new row's index. Anything but
    /// Added leaves the table unchanged.
    NewSectionResult addSection(Vtx_ProfValuesTable& table, const Vtx_String& name, bool automatic,
                                const Vtx_StringArray& values, int& row) const;

private:
    bool derivePatternFrom(int r);

    const Vtx_ProfValuesTable& m_table;
    int m_exampleRow = 0;
    int m_currentLanguage = -1;
    Vtx_Array<int> m_pattern;
    Vtx_StringArray m_prefixes;
};

/// The names of the dimension values of standard section type type (1 to
/// 24), as language texts; empty for any other type.
Vtx_StringArray standardDimensionNames(int type);

/// Compares two names in natural order: runs of digits by their value, the
/// rest by characters with case ignored ("90x90" before "100x100").
int compareSectionNames(const Vtx_String& a, const Vtx_String& b);
