#pragma once

/// The formula dialog ("Formulas", resource 133) without its window: its
/// record, its opening steps and its buttons as functions. The Qt dialog
/// shows this record; FROMTABLE and ReadSSFile run it hidden.
///
///     KsFormulaDialog dialog(FormulaDialogMode::EvaluateCell, "c:\\a\\t3.sss");
///     dialog.setCell(1, 1);
///     dialog.initDialog();                 // loads, recalculates (1, 1)
///     Vtx_String shown = dialog.textResult();
///     dialog.onStyle(kFormulaStyleR1C1);   // the "&R1C1" radio button
///
/// The dialog owns one grid, created in a HiddenDialogHost over placeholder
/// kFormulaGridPlaceholder with the exact rectangle kFormulaGridRect.
///
/// Module state: the grid under evaluation (gridUnderEvaluation()). It is
/// null at load and set only while a mode-1 dialog runs its evaluation in
/// initDialog() or a FROMTABLE call (mode 2) evaluates in the working grid
/// of its table; it is restored afterwards, so a nested evaluation (a table
/// that itself uses FROMTABLE) sees its own grid and its caller sees its
/// own again.

#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "platform/sheet/ValueRecord.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

/// What a formula dialog is opened for.
enum class FormulaDialogMode : int {
    EvaluateCell = 1, ///< load a file, recalculate one cell, keep its data text
    FromTable = 2,    ///< evaluate one FROMTABLE call
    ReadTable = 4,    ///< read a whole file into string arrays, then close
};

/// Controls of the dialog resource.
enum FormulaDialogControl : int {
    kFormulaFileNameEdit = 1000,
    kFormulaSaveToFile = 1001,
    kFormulaGridPlaceholder = 1004,
    kFormulaStyleDefaultRadio = 1005,
    kFormulaStyleA1Radio = 1006,
    kFormulaStyleR1C1Radio = 1007,
    kFormulaSecondGridPlaceholder = 1008,
    kFormulaLoadFromFile = 1087,
    kFormulaAutoCalculate = 1106,
    kFormulaRecalculate = 1107,
};

/// The reference styles of the "Style" radio buttons.
enum FormulaStyle : int { kFormulaStyleDefault = 0, kFormulaStyleA1 = 1, kFormulaStyleR1C1 = 2 };

constexpr int kFormulaDialogResource = 133;
constexpr const char* kFormulaDialogCaption = "Formulas";
/// The rectangles of the two grid placeholders in the dialog resource.
constexpr Vtx_Rect kFormulaGridRect{7, 52, 487, 262};
constexpr Vtx_Rect kFormulaSecondGridRect{7, 268, 487, 368};
/// The size of the dialog's own grid before a file is loaded into it.
constexpr int kFormulaGridRows = 10;
constexpr int kFormulaGridColumns = 8;

/// The grid whose formulas a formula dialog is evaluating; null when none.
Vtx_Spread* gridUnderEvaluation();

/// Makes grid the grid under evaluation for the life of the scope, then puts
/// back the one before, so that nested evaluations unwind in order.
class GridUnderEvaluationScope {
public:
    explicit GridUnderEvaluationScope(Vtx_Spread* grid);
    ~GridUnderEvaluationScope();
    GridUnderEvaluationScope(const GridUnderEvaluationScope&) = delete;
    GridUnderEvaluationScope& operator=(const GridUnderEvaluationScope&) = delete;

private:
    Vtx_Spread* m_before;
};

class KsFormulaDialog {
public:
    /// A dialog record for mode on fileName (may be empty). The grid is not
    /// created before initDialog().
    explicit KsFormulaDialog(FormulaDialogMode mode, const Vtx_String& fileName = {});
    virtual ~KsFormulaDialog();
    KsFormulaDialog(const KsFormulaDialog&) = delete;
    KsFormulaDialog& operator=(const KsFormulaDialog&) = delete;

    /// Mode 1: the cell to evaluate.
    void setCell(int column, int row);
    /// Mode 2: the call to evaluate. callerGrid is the grid of the calling
    /// formula; the argument texts' blocks are taken by the evaluation.
    void setFromTableCall(vtx::sheet::ValueRecord* result, vtx::sheet::ValueRecord* args, int count,
                          Vtx_Spread* callerGrid);

    /// The dialog whose placeholder kFormulaGridPlaceholder the grid is
    /// created over, instead of the record's own window-less one (set before
    /// initDialog(); the dialog must outlive the grid).
    void setDialogHost(Vtx_DialogHost* host) { m_dialogHost = host; }

    /// Opens the dialog (everything but its window): creates the grid (option
    /// 12 on, 7 off), "Auto calculate" off, "&Default" checked, registers
    /// FROMTABLE, 10 rows x 8 columns with number cells (1,1)..(6,6) (2
    /// decimals, -9999..9999); loads the file when one is named and prints
    /// "Loading spreadsheet:%s\n"; registers FROMTABLE again; then mode 4
    /// reads the table and closes, modes 1 and 2 evaluate. False only when
    /// the grid cannot be created.
    bool initDialog();

    // ---- buttons ----
    /// "&Default", "&A1", "&R1C1": sets the reference style, copies the
    /// formula texts of column 4, rows 1..4 (and 5 when not empty) into
    /// column 1 and fits column 1. False for another style.
    bool onStyle(int style);
    /// "Save to File": prints "Save failed\n" and returns false on failure.
    bool onSaveToFile();
    /// "Load from File": prints "Load failed\n" and returns false on failure;
    /// FROMTABLE is registered again either way.
    bool onLoadFromFile();
    /// "Auto calculate": automatic recalculation (option 7) on or off;
    /// "Recalculate" is disabled while it is on.
    void onAutoCalculate(bool on);
    /// "Recalculate": recalculates the whole grid.
    void onRecalculate();
    /// The text of the file-name field.
    void setFileName(const Vtx_String& fileName) { m_fileName = fileName; }

    // ---- the record ----
    FormulaDialogMode mode() const { return m_mode; }
    const Vtx_String& fileName() const { return m_fileName; }
    Vtx_Spread& grid() { return m_grid; }
    const Vtx_Spread& grid() const { return m_grid; }
    /// True once the named file was loaded, by initDialog() or "Load from File".
    bool fileLoaded() const { return m_fileLoaded; }
    /// Why the named file could not be loaded, by initDialog() or the last
    /// "Load from File" ("" when it was).
    const Vtx_String& loadReason() const { return m_loadReason; }
    /// Why the last "Save to File" failed ("" when it did not).
    const Vtx_String& saveReason() const { return m_saveReason; }
    int column() const { return m_column; }
    int row() const { return m_row; }
    /// Mode 1: the data text of the evaluated cell.
    const Vtx_String& textResult() const { return m_textResult; }
    Vtx_Spread* callerGrid() const { return m_callerGrid; }
    /// Mode 4: the data text of cell (1, 1), the column-header texts and one
    /// array of data texts per row.
    const Vtx_String& firstCellText() const { return m_firstCellText; }
    const Vtx_StringArray& headerRow() const { return m_headerRow; }
    const Vtx_Array<Vtx_StringArray>& rows() const { return m_rows; }
    /// Hands the mode-4 results over, leaving the record's arrays empty.
    void takeTable(Vtx_String& firstCell, Vtx_StringArray& header,
                   Vtx_Array<Vtx_StringArray>& rows);
    /// The checked "Style" radio button (a FormulaStyle).
    int styleChecked() const { return m_style; }
    bool autoCalculateChecked() const { return m_autoCalculate; }
    bool recalculateEnabled() const { return !m_autoCalculate; }
    /// True once the dialog has closed itself (mode 4).
    bool isClosed() const { return m_closed; }

private:
    void readTable();

    HiddenDialogHost m_host;
    Vtx_DialogHost* m_dialogHost = nullptr;
    Vtx_Spread m_grid;
    FormulaDialogMode m_mode;
    Vtx_String m_fileName;
    bool m_fileLoaded = false;
    Vtx_String m_loadReason;
    Vtx_String m_saveReason;
    // mode 1
    int m_column = 1;
    int m_row = 1;
    Vtx_String m_textResult;
    // mode 2
    vtx::sheet::ValueRecord* m_result = nullptr;
    vtx::sheet::ValueRecord* m_args = nullptr;
    int m_count = 0;
    Vtx_Spread* m_callerGrid = nullptr;
    // mode 4
    Vtx_String m_firstCellText;
    Vtx_StringArray m_headerRow;
    Vtx_Array<Vtx_StringArray> m_rows;
    // controls
    int m_style = kFormulaStyleDefault;
    bool m_autoCalculate = false;
    bool m_closed = false;
};
