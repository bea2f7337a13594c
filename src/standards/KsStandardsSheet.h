#pragma once

/// A standards spreadsheet loaded for evaluation: the grid with the loaded
/// file's path, its declared variables and the general variables of the run.
///
/// Layout: four label cells "Input", "Output", "Local" and "Calc". A section
/// runs from the row after its label to the row of the nearest label below
/// (included), or to the last row. Input and Output hold declarations
/// ("Double Width"), Local is optional, Calc holds one equation per cell
/// ("Width=Height*2", or a "CallChild(file,var,...)" call).

#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "platform/sheet/SheetTypes.h"
#include "spread/VtxSpread.h"
#include "standards/KsVarCells.h"

/// Deepest nesting of child spreadsheets in one evaluation.
constexpr int kMaxChildDepth = 32;

class KsStandardsSheet : public Vtx_Spread {
public:
    /// The section labels.
    enum Section : int { kInput = 0, kOutput = 1, kLocal = 2, kCalc = 3 };

    const Vtx_String& path() const { return m_path; }
    /// The cells of rows firstRow..lastRow that hold something, row by row
    /// and left to right: the cost follows the cells, not the declared grid.
    std::vector<vtx::sheet::CellPos> usedCells(int firstRow, int lastRow) const;
    void setPath(const Vtx_String& path) { m_path = path; }
    KsVarCells& varCells() { return m_varCells; }
    const KsVarCells& varCells() const { return m_varCells; }
    const Vtx_StringArray& genVarNames() const { return m_genVarNames; }
    const Vtx_StringArray& genVarValues() const { return m_genVarValues; }
    void setGenVars(const Vtx_StringArray& names, const Vtx_StringArray& values);

    /// The row of a section's label and its last row; false when the label
    /// is missing. The labels are found once per load (scanLabels).
    bool findSection(int section, int& firstRow, int& lastRow) const;
    /// Finds the four labels; called after every load.
    void scanLabels();
    /// Empties the variable list and reads the declarations of the Input,
    /// Output and Local sections. With requireSections a missing Input or
    /// Output label fails (eKeyNotFound); otherwise the variables read until
    /// then stay.
    ErrorStatus readVariables(bool requireSections);
    /// Replaces whole-word general-variable names in every cell by their
    /// values; a value that is no number is put in double quotes.
    void replaceGenVars();
    /// Removes every later variable of a name that occurs more than once and
    /// reports the duplicates (always shown).
    void removeDuplicates();

private:
    int m_labelRows[4] = {-1, -1, -1, -1};
    bool m_labelsScanned = false;
    Vtx_String m_path;
    KsVarCells m_varCells;
    Vtx_StringArray m_genVarNames;
    Vtx_StringArray m_genVarValues;
};
