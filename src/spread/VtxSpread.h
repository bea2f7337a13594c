#pragma once

/// Vtx_Spread: the one spreadsheet grid of the system. It wraps a grid of the
/// spreadsheet control and adds a created state that makes every call safe
/// before the grid exists, 1-based access by text, number and flag, whole
/// rows and columns, and structural editing.
///
///     HiddenDialogHost dialog;
///     dialog.addPlaceholder(1196, {0, 0, 400, 300});
///     Vtx_Spread grid;
///     grid.createInDialog(&dialog, 1196, true);
///     grid.setMaxCols(3, false);
///     grid.setMaxRows(10, false);
///     grid.setCellText(1, 1, "Width");
///     Vtx_String shown;
///     grid.getCellText(1, 1, shown, kTextValue);
///
/// Addressing: columns and rows count from 1; row 0 is the column-header row,
/// column 0 the row-header column, and kHeaderIndex (-32767) addresses a
/// header. Cell (0, 0) holds the sheet's tag text. Every call returns false
/// (or -1 for counts, or does nothing) while the grid is not created or when
/// a cell lies outside the counts.

#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "platform/sheet/ValueRecord.h"
#include "spread/DialogHost.h"

#include <memory>

namespace vtx::sheet {
class SheetModel;
}

/// The four text forms of a cell.
enum Vtx_TextKind : int { kTextData = 0, kTextFormula = 1, kTextTag = 2, kTextValue = 3 };
/// The index that addresses a header row or column.
constexpr int kHeaderIndex = -32767;
/// Edit-cell styles used by the system's grids.
constexpr unsigned kEditStyleDefault = 0x110000;
constexpr unsigned kEditStyleSettings = 4;

class Vtx_Spread {
public:
    Vtx_Spread();
    virtual ~Vtx_Spread();
    Vtx_Spread(const Vtx_Spread&) = delete;
    Vtx_Spread& operator=(const Vtx_Spread&) = delete;

    // ---- creation and state ----
    /// Replaces placeholder id of the dialog by the grid. Without exactRect
    /// the rectangle moves 5 left and 20 up. The grid starts with 0 columns
    /// and 0 rows. False without dialog or placeholder.
    bool createInDialog(Vtx_DialogHost* parent, int placeholderId, bool exactRect);
    bool isCreated() const { return m_created; }
    int controlId() const { return m_controlId; }
    const Vtx_Rect& rect() const { return m_rect; }
    /// The standard look: preset 1 for the system's grids (cells editable,
    /// option 13 on), preset 0 for the section-library value grid.
    bool applyGridStyle(int preset);
    /// The changed flag (option 30).
    void setModified(bool modified);
    bool isModified() const;
    /// True for a window class name of a grid ("SPR32...", "fpSpr...", case ignored).
    static bool isSpreadWindowClass(const Vtx_String& className);

    const Vtx_String& defaultFontName() const { return m_fontName; }
    int defaultFontHeight() const { return m_fontHeight; }
    void setDefaultFont(const Vtx_String& name, int height);

    // ---- size ----
    int getMaxCols() const;
    int getMaxRows() const;
    /// Sets the count. When it grows: with keepStyle the new columns take the
    /// formatting of the last old one; headers of the new band get the bold
    /// default font, body cells the normal one.
    bool setMaxCols(int count, bool keepStyle);
    bool setMaxRows(int count, bool keepStyle);
    /// Adds one row at the end, cleared and styled; with copyFromAbove the
    /// row above is copied into it. Returns the new row number, -1 on failure.
    int appendRow(bool copyFromAbove);
    /// Inserts a row before row (1..count+1). With askHeader the dialog asks
    /// for the new header text; with copyFromBelow the new row takes the
    /// formatting of the row that moved down.
    bool insertRow(int row, bool askHeader, bool copyFromBelow);
    bool insertColumn(int column, bool askHeader, bool copyFromRight);
    bool deleteRow(int row);
    bool deleteColumn(int column);
    /// Moves rows first..last so that they begin at row to; the rows in
    /// between close up (nothing is overwritten). Selects row to.
    bool moveRows(int first, int last, int to);
    bool moveRowUp();
    bool moveRowDown();

    // ---- cells ----
    bool getCellText(int column, int row, Vtx_String& text, int kind = kTextValue) const;
    bool setCellText(int column, int row, const Vtx_String& text);
    bool setCellValue(int column, int row, const Vtx_String& text);
    /// Stores a formula; buildDependencies computes it and lets its
    /// dependents follow it. False when the formula is refused.
    bool setCellFormula(int column, int row, const Vtx_String& formula, bool buildDependencies);
    bool setCellTag(int column, int row, const Vtx_String& tag);
    /// The sheet's tag text (cell 0, 0).
    bool getSheetTag(Vtx_String& tag) const;
    bool setSheetTag(const Vtx_String& tag);
    bool getCellInt(int column, int row, int& value) const;
    bool getCellDouble(int column, int row, double& value) const;
    /// True for "1", false for "0"; any other text fails.
    bool getCellBool(int column, int row, bool& value) const;
    bool setCellInt(int column, int row, int value);
    bool setCellDouble(int column, int row, double value);
    bool setCellBool(int column, int row, bool value);
    /// The control's type number of a cell (8 picture, 10 integer, 12 check
    /// box, 14-16 floating); -1 outside.
    int getCellTypeNumber(int column, int row) const;
    bool recalcCell(int column, int row);
    void recalcAll();

    // ---- cursor ----
    /// The active cell; (1, 1) is made active when there is none.
    bool getActiveCell(int& column, int& row);
    bool setActiveCell(int column, int row);
    /// The selection's corners; the active cell when nothing is selected.
    bool getSelection(int& column1, int& row1, int& column2, int& row2);
    bool selectRange(int column1, int row1, int column2, int row2);
    /// Selects the row from its header to the last column.
    bool selectRow(int row);
    int firstSelectedRow();
    int firstSelectedColumn();

    // ---- rows and columns ----
    bool setColumn(int column, const Vtx_StringArray& texts, bool asValue = false);
    bool setColumnInts(int column, const Vtx_Array<int>& values);
    bool setColumnDoubles(int column, const Vtx_Array<double>& values);
    bool setColumnBools(int column, const Vtx_Array<bool>& values);
    bool setRow(int row, const Vtx_StringArray& texts, bool asValue = false);
    /// Writes indices as values; one below 0 or above the row count as 0.
    bool setColumnIndices(int column, const Vtx_Array<int>& indices);
    bool clearRow(int row);
    bool clearRowsFrom(int row, int lastRow);
    bool setHeaderRow(const Vtx_StringArray& texts);
    bool setHeaderColumn(const Vtx_StringArray& texts);
    bool getHeaderRow(Vtx_StringArray& texts) const;
    bool getColumn(int column, Vtx_StringArray& texts, int kind = kTextValue) const;
    bool getColumnInts(int column, Vtx_Array<int>& values) const;
    bool getColumnDoubles(int column, Vtx_Array<double>& values) const;
    bool getColumnBools(int column, Vtx_Array<bool>& values) const;
    bool getRow(int row, Vtx_StringArray& texts) const;
    bool getTable(Vtx_Array<Vtx_StringArray>& rows) const;

    // ---- fonts and cell types ----
    bool setRangeFont(int column1, int row1, int column2, int row2, const Vtx_String& name,
                      int height, bool bold, bool fitTextTip = false);
    bool styleHeaders();
    bool resetFonts(bool textTips = false);
    bool styleColumn(int column, bool headerBold);
    bool styleRow(int row, bool headerBold);
    bool setNumberCells(int column1, int row1, int column2, int row2, int decimals, double minimum,
                        double maximum);
    bool setEditCells(int column1, int row1, int column2, int row2, unsigned style, int maxLength);
    bool setCellColors(int column, int row, unsigned back, unsigned fore);
    bool setLocked(int column1, int row1, int column2, int row2, bool locked);
    bool isLocked(int column, int row) const;

    // ---- finding text ----
    /// Compares value texts of row from fromColumn (at least 1) to the last
    /// column: equal (case ignored), or containing text with substring.
    bool findInRow(const Vtx_String& text, bool substring, int row, int fromColumn,
                   int& foundColumn) const;
    /// Searches row from column, then every following row from column 1.
    bool findNext(const Vtx_String& text, bool substring, int column, int row, int& foundColumn,
                  int& foundRow) const;

    // ---- formulas and files ----
    /// 0 default, 1 A1, 2 R1C1.
    bool setRefStyle(int style);
    /// Numbered boolean options of the control.
    bool setOption(int number, bool on);
    bool getOption(int number) const;
    bool addCustomFunction(const Vtx_String& name, int minArgs, int maxArgs,
                           vtx::sheet::CustomFunctionHandler handler, unsigned flags);
    /// Loads a sheet file (custom functions are dropped); reason tells why not.
    bool loadFile(const Vtx_String& path, Vtx_String* reason = nullptr);
    bool saveFile(const Vtx_String& path, Vtx_String* reason = nullptr) const;
    /// Loads the bytes of a sheet file already read; name stands for the
    /// file in reasons.
    bool loadText(std::string_view bytes, const Vtx_String& name, Vtx_String* reason = nullptr);
    /// Empties the grid.
    bool reset();

    /// The grid model underneath (valid only while created).
    vtx::sheet::SheetModel* model() { return m_created ? m_model.get() : nullptr; }
    const vtx::sheet::SheetModel* model() const { return m_created ? m_model.get() : nullptr; }

private:
    bool inRange(int column, int row) const;
    bool styleBand(bool columns, int from, int to);
    int normalizeIndex(int index) const { return index == kHeaderIndex ? 0 : index; }
    bool copyFormat(bool rows, int from, int to);
    bool grow(bool columns, int count, bool keepStyle);
    bool insertLine(bool rows, int index, bool askHeader, bool copyFormatting);
    bool deleteLine(bool rows, int index);

    std::unique_ptr<vtx::sheet::SheetModel> m_model;
    bool m_created = false;
    int m_controlId = 0;
    Vtx_Rect m_rect;
    Vtx_DialogHost* m_dialog = nullptr;
    Vtx_String m_fontName = "Tahoma";
    int m_fontHeight = 15;
};
