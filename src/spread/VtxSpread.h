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

#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "platform/sheet/CellStyle.h"
#include "platform/sheet/ValueRecord.h"
#include "spread/DialogHost.h"
#include "spread/GridMeasure.h"

#include <functional>
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
/// Combo styles: a plain drop-down list, and the one the style flag selects.
constexpr unsigned kComboStyleList = 0x100000;
constexpr unsigned kComboStyleFlagged = 0x100002;
/// The module bitmaps a check-box cell shows; a picture is named in the
/// model by its resource number in decimal.
constexpr int kCheckBoxPictureOff = 8134;
constexpr int kCheckBoxPictureOn = 8136;
/// The control's type number of a check-box cell.
constexpr int kCellTypeCheckBox = 12;
/// The menu ids of the context menu, handed out in this order to the entries
/// that are not separators.
constexpr int kContextMenuIds[10] = {32811, 32812, 32816, 32817, 32818,
                                     32800, 32801, 32802, 32803, 32804};
/// Context command codes set by a grid's owner.
enum Vtx_ContextCode : int {
    kContextSeparator = 1,
    kContextClearCells = 2,   ///< empties the selected cells (text 1154)
    kContextRecalculate = 3,  ///< recalculates the grid (text 1155)
    kContextInsertRow = 4,    ///< text 774
    kContextDeleteRow = 5,    ///< text 775
    kContextInsertColumn = 6, ///< text 1156
    kContextDeleteColumn = 7, ///< text 1157
    kContextCheckAll = 8,     ///< text 1400
    kContextUncheckAll = 9,   ///< text 1401
};
/// One entry of the context menu: a separator has menu id 0 and text 0.
struct Vtx_ContextEntry {
    int code = 0;
    int menuId = 0;
    int textNumber = 0;
    bool operator==(const Vtx_ContextEntry&) const = default;
};
/// Colours of the standard look (applyGridStyle), 0x00BBGGRR; 0x80000000 + n
/// names the system colour n, which the view resolves: the button-face colour
/// (n = 15) and the system colour value the control pairs with each colour
/// of the look (n = 11).
constexpr std::uint32_t kSystemColorButtonFace = 0x8000000F;
constexpr std::uint32_t kGridSystemColor = 0x8000000B;
constexpr std::uint32_t kGridSelectionBack = 6956042; ///< a dark blue
constexpr std::uint32_t kGridSelectionFore = 0x00FFFFFF;
constexpr std::uint32_t kGridSecondColor = 15132390; ///< a light grey
/// Results of the Tab key in a grid.
enum Vtx_TabResult : int { kTabKeep = 0, kTabLeaveForward = 2, kTabLeaveBackward = 3 };
/// Column-layout modes: none, equal, fit to contents, a share for the first
/// or last n columns, one fixed column, a list of fixed columns.
enum Vtx_LayoutMode : int {
    kLayoutNone = 0,
    kLayoutEqual = 1,
    kLayoutFit = 2,
    kLayoutShare = 3,
    kLayoutFixedColumn = 4,
    kLayoutColumnList = 5,
};

class VTX_MODULE_API Vtx_Spread {
public:
    Vtx_Spread();
    virtual ~Vtx_Spread();
    Vtx_Spread(const Vtx_Spread&) = delete;
    Vtx_Spread& operator=(const Vtx_Spread&) = delete;

    // ---- creation and state ----
    /// Replaces placeholder id of the dialog by the grid. Without exactRect
    /// the rectangle moves 5 left and 20 up. The grid starts with 0 columns
    /// and 0 rows, appearance style 1 (flat) and no action keys. False
    /// without dialog or placeholder.
    bool createInDialog(Vtx_DialogHost* parent, int placeholderId, bool exactRect);
    bool isCreated() const { return m_created; }
    int controlId() const { return m_controlId; }
    const Vtx_Rect& rect() const { return m_rect; }
    /// The standard look: preset 1 for the system's grids (option 13 on),
    /// preset 0 for the section-library value grid. In this order: options
    /// 8 off, 12 off, 7 off, 21 on, 26 off, 34 on, 32 on, 18 off, 21 on, 22
    /// on, 21 on; the grid colour pair (button face, kGridSystemColor); the
    /// two-value setting (1, -1); the selection colours (dark blue, white);
    /// options 11, 3, 4, 18 on; the second colour pair (kGridSecondColor,
    /// kGridSystemColor); then preset 1: option 13 on, 10 off, the one-value
    /// style setting 0; preset 0: 13 off, 10 on, setting 5; at last option 8
    /// on again. False when the grid is not created.
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
    /// default font, body cells the normal one. When it shrinks, the cells
    /// beyond the count are erased (see SheetModel::setMaxCols).
    bool setMaxCols(int count, bool keepStyle);
    bool setMaxRows(int count, bool keepStyle);
    /// Adds one row at the end, cleared and styled; with copyFromAbove the
    /// row above is copied into it. Returns the new row number, -1 on failure.
    int appendRow(bool copyFromAbove);
    /// Inserts a row before row (1..count+1). With askHeader the dialog asks
    /// for the new header text; with copyFromBelow the new row takes the
    /// formatting of the row that moved down. False, with the grid as it was,
    /// when the grid refuses the insertion (while it is being recalculated).
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
    /// The typed readers read the shown text (kind 3) the same way in every
    /// locale (vtx::sheet::readLeadingNumber): the number the text starts
    /// with, thousands separators ("1,234.50") allowed and the rest ignored
    /// ("12 mm", "13%"); a text that does not start with a number ("",
    /// "abc", "nan", "inf") gives 0. getCellInt truncates toward zero. A
    /// number beyond the range (beyond int for getCellInt: "1e20",
    /// "3000000000"; beyond double: "1e400") gives 0 and false.
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
    /// One entry per row, read as getCellInt (getCellDouble) reads; an entry
    /// beyond the range is 0 and makes the result false (every entry is
    /// still given).
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
    /// Number cells in a number style (plain, with thousands separators,
    /// percent).
    bool setNumberCells(int column1, int row1, int column2, int row2, int decimals, double minimum,
                        double maximum, vtx::sheet::NumberStyle style);
    /// Edit cells of the control's edit style (kEditStyleDefault, ...),
    /// keeping at most maxLength characters (0: no limit).
    bool setEditCells(int column1, int row1, int column2, int row2, unsigned style, int maxLength);
    bool setCellColors(int column, int row, unsigned back, unsigned fore);
    bool setLocked(int column1, int row1, int column2, int row2, bool locked);
    bool isLocked(int column, int row) const;
    /// The font text tips take (set by setRangeFont with fitTextTip).
    const vtx::sheet::CellFont& textTipFont() const { return m_textTipFont; }
    /// Combo-box cells listing items (joined by tabs) in combo style
    /// kComboStyleList, or kComboStyleFlagged with styleFlag.
    bool setComboCells(int column1, int row1, int column2, int row2, const Vtx_StringArray& items,
                       bool styleFlag);
    /// A check-box cell showing the two module pictures; with border it is
    /// framed all round.
    bool setCheckBoxCell(int column, int row, bool border);
    /// Check boxes in rows 1..count of column; with spanHeader the header
    /// cell spans this column and the next (when there is a next).
    bool setCheckBoxColumn(int column, bool border, bool spanHeader);
    /// A cell showing module bitmap (or icon) resourceId stretched and
    /// centred. False when the current host has no such resource.
    bool setPictureCell(int column, int row, int resourceId, bool isIcon);

    // ---- spans of equal cells ----
    /// Removes the spans in column (0..count), then merges every run of two
    /// or more rows whose value texts are equal (case ignored) and not empty
    /// into one span anchored at the run's first row.
    bool mergeEqualCells(int column);
    /// Removes every span that covers a cell of column.
    bool unmergeColumn(int column);
    bool unmergeAll();

    // ---- check cells ----
    /// Writes "1" (on) or "0" into every check-box cell of the selection (a
    /// negative end means up to the last column or row); marks modified.
    bool setAllChecks(bool on);
    /// Links a driver check column to a target column (both 1..count): a
    /// target cell is locked while the driver cell of its row is "0" and
    /// unlocked while it is "1"; other texts leave it alone.
    bool linkCheckColumns(int driverColumn, int targetColumn);
    int checkDriverColumn() const { return m_checkDriver; }
    int checkTargetColumn() const { return m_checkTarget; }
    /// What the view calls on every change notification: when a link is set
    /// and the active cell is in the driver column, the rule is repeated for
    /// the active row and the target cell of that row becomes active. True
    /// when it did so.
    bool cellChanged();

    // ---- context menu ----
    /// The command codes of the context menu (set by the grid's owner).
    void setContextCommands(const Vtx_Array<int>& codes) { m_contextCodes = codes; }
    const Vtx_Array<int>& contextCommands() const { return m_contextCodes; }
    /// The menu to show: one entry per known code; the entries that are not
    /// separators take the ids of kContextMenuIds in order (entries beyond
    /// the tenth are left out).
    Vtx_Array<Vtx_ContextEntry> contextMenuEntries() const;
    /// The code behind a chosen menu id; 0 when none.
    int contextCommandFor(int menuId) const;
    /// Runs the command behind a chosen menu id; false when there is none or
    /// the command fails.
    bool runContextMenuId(int menuId);
    /// Runs one command at the active cell: insert a row there (formatting
    /// of the row that moved down), delete the row, insert a column (asking
    /// for its header, formatting of the column that moved right), delete
    /// the column, check all, uncheck all; 2 empties the selected cells and
    /// 3 recalculates.
    bool runContextCommand(int code);

    // ---- keyboard and focus ----
    /// True when the cell can take the cursor: inside the body, not locked,
    /// not covered by a locked span, and not a covered (non-anchor) cell of a
    /// span.
    bool isEnterable(int column, int row) const;
    /// The first enterable cell row by row from the top left (fromStart),
    /// or the last from the bottom right. False when there is none.
    bool findEnterableCell(bool fromStart, int& column, int& row) const;
    /// The result of the Tab key (with Shift: backwards): kTabLeaveBackward
    /// on the first enterable cell, kTabLeaveForward on the last, kTabKeep
    /// otherwise. A grid with no enterable cell is always left.
    int tabKeyResult(bool shift);
    /// Makes the first (or last) enterable cell active and asks for the focus.
    bool focusFirstCell(bool fromStart);
    /// Called whenever the grid wants the keyboard focus (the view sets it).
    void setFocusHandler(std::function<void()> handler) { m_focusHandler = std::move(handler); }
    /// Lets F8 switch the grid between editable and protected (option 13).
    void setAllowEditToggle(bool allow) { m_allowEditToggle = allow; }
    bool allowEditToggle() const { return m_allowEditToggle; }
    /// F8: with the allow-edit-toggle flag set, switches option 13 to the
    /// opposite of its state; false (nothing changed) without the flag.
    bool toggleEditable();
    /// Called once from the destructor, so that a view showing the grid lets
    /// go of it (the view sets it and clears it when it goes first).
    void setDestroyHandler(std::function<void()> handler) { m_destroyHandler = std::move(handler); }

    // ---- text in cells ----
    /// The position of text in the cell's value text at or after fromPos
    /// (case counts); false when absent, empty, or out of range.
    bool findInCell(const Vtx_String& text, int column, int row, int fromPos, int& foundPos) const;
    /// Selects characters pos .. pos+length of text in the cell: asks for
    /// the focus, makes the cell active, enters edit mode and sets the edit
    /// selection.
    bool selectFound(const Vtx_String& text, int column, int row, int pos);
    /// Replaces every occurrence of text in the cell's value text and stores
    /// the result as data text; marks modified. False when nothing was found.
    bool replaceInCell(int column, int row, const Vtx_String& text, const Vtx_String& replacement);

    // ---- column layouts ----
    /// Sets layout mode 0..4 with its parameters and applies it: 1 equal
    /// widths; 2 fit to contents; 3 the first a columns (the last -a when a
    /// is negative) take b percent of the width; 4 column a (0 or
    /// kHeaderIndex: the header column) is b pixels wide. Widths are pixels.
    bool setColumnLayout(int mode, int a, int b);
    /// Mode 5: the listed columns (0: the header column) get the listed pixel
    /// widths, the others share the rest. Unequal lists are cut to the shorter.
    bool setColumnLayoutList(int mode, const Vtx_Array<int>& columns, const Vtx_Array<int>& widths);
    int columnLayoutMode() const { return m_layoutMode; }
    /// Applies the current layout again.
    bool applyColumnLayout();
    /// What the view calls after the grid window was resized (client size
    /// in pixels): the built-in measure takes the size and the layout is
    /// applied again.
    bool resized(int width, int height);
    /// Equal widths, or with width > 0 the first (or last) column width
    /// pixels and the others sharing the rest, unless the equal share is
    /// smaller than width.
    bool divideWidth(bool firstFixed, int width);
    /// Grows row so that all rows together fill the client height.
    bool fillHeight(int row);
    /// The width available to the columns: the client width less the
    /// vertical scroll bar when shown; -1 when not created.
    int availableWidth();
    /// A column's width (0: header) in pixels of the measure, rounded.
    int columnWidthPixels(int column);
    int rowHeightPixels(int row);
    /// The measure the layouts use: the one the view set, else the grid's
    /// own fixed measure (whose client size is the grid's rectangle until
    /// resized() says otherwise).
    GridMeasure& measure();
    /// Uses measure (null: the grid's own again); it must outlive its use.
    void setMeasure(GridMeasure* measure) { m_viewMeasure = measure; }

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
    /// See SheetModel::addCustomFunction.
    bool addCustomFunction(const Vtx_String& name, int minArgs, int maxArgs,
                           vtx::sheet::CustomFunctionHandler handler, unsigned flags,
                           const vtx::sheet::AddressArguments& addresses = {});
    /// The folder of the file the grid was last loaded from or saved to
    /// (core path; empty before either): a picture cell naming a file
    /// relative is shown from there.
    const Vtx_String& fileFolder() const { return m_fileFolder; }
    /// Loads a sheet file (custom functions are dropped); reason tells why not.
    bool loadFile(const Vtx_String& path, Vtx_String* reason = nullptr);
    bool saveFile(const Vtx_String& path, Vtx_String* reason = nullptr) const;
    /// Loads the bytes of a sheet file already read; name stands for the
    /// file in reasons.
    bool loadText(std::string_view bytes, const Vtx_String& name, Vtx_String* reason = nullptr);
    /// Makes the grid a copy of a grid loaded before (see
    /// SheetModel::copyFrom); false with a reason when it cannot.
    bool copyGrid(const vtx::sheet::SheetModel& sheet, Vtx_String* reason = nullptr);
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
    void applyCheckLink(int row);
    void requestFocus();
    // Layout helpers: the shown columns (header column first when shown) and
    // a width in pixels for one of them.
    Vtx_Array<int> layoutColumns() const;
    void setColumnPixels(int column, int pixels);
    bool layoutShare(int count, int percent);
    bool layoutFixedColumn(int column, int width);
    bool layoutColumnList();
    bool layoutFit();

    std::unique_ptr<vtx::sheet::SheetModel> m_model;
    bool m_created = false;
    mutable Vtx_String m_fileFolder;
    int m_controlId = 0;
    Vtx_Rect m_rect;
    Vtx_DialogHost* m_dialog = nullptr;
    Vtx_String m_fontName = "Tahoma";
    int m_fontHeight = 15;
    vtx::sheet::CellFont m_textTipFont;
    int m_layoutMode = kLayoutNone;
    int m_layoutA = 0;
    int m_layoutB = 0;
    Vtx_Array<int> m_layoutColumns;
    Vtx_Array<int> m_layoutWidths;
    FixedGridMeasure m_ownMeasure;
    GridMeasure* m_viewMeasure = nullptr;
    Vtx_Array<int> m_contextCodes;
    int m_checkDriver = -1;
    int m_checkTarget = -1;
    std::function<void()> m_focusHandler;
    std::function<void()> m_destroyHandler;
    bool m_allowEditToggle = false;
};
