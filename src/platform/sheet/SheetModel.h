#pragma once

/// The grid model of the spreadsheet control: cells with their four text
/// forms, cell types and styles, spans, sizes, numbered options, the sheet
/// tag, cursor state, formulas with automatic recalculation, custom
/// functions, structural editing and the control's file.
///
///     vtx::sheet::SheetModel sheet;
///     sheet.setMaxCols(4);
///     sheet.setMaxRows(10);
///     sheet.setData(1, 1, "2");
///     sheet.setFormula(1, 2, "A1*21", true);
///     std::string shown;
///     sheet.getText(1, 2, TextForm::Value, shown);   // "42"
///
/// Addressing: columns and rows count from 1; row 0 is the column-header row
/// and column 0 the row-header column; kHeaderIndex (-32767) may be given for
/// 0. Cell (0, 0) holds the sheet's tag text. There are no cells beyond the
/// counts: every call that addresses one returns false, and making a count
/// smaller erases the cells beyond it.
///
/// Nothing throws; calls return false (or -1 for counts) when refused.

#include "platform/sheet/CellStyle.h"
#include "platform/sheet/FormulaError.h"
#include "platform/sheet/SheetTypes.h"
#include "platform/sheet/Value.h"
#include "platform/sheet/ValueRecord.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::sheet {

class SheetImpl;

/// Limits of the sheet file reader (docs/sheet-file-format.md): a file of
/// more bytes, or a line of more bytes (without its line end), is refused.
/// The file limit is the core library's limit for files read whole. The line
/// limit holds every cell the model can hold: a cell's texts are bounded
/// (kMaxTextLength, kMaxTagLength, kMaxFormulaLength) and each byte takes at
/// most two in the file.
constexpr std::size_t kMaxSheetFile = std::size_t{256} << 20;
constexpr std::size_t kMaxSheetLine = std::size_t{16} << 20;
/// The longest tag text of a cell (the sheet's tag holds its print settings).
constexpr std::size_t kMaxTagLength = std::size_t{1} << 20;

/// Presentation settings of the control that the model only keeps (for the
/// view and the file); colours are 0x00BBGGRR, kDefaultColor for the default,
/// or 0x80000000 + n for the system colour n, which the view resolves.
struct SheetAppearance {
    int appearance = 0;        ///< border style of the control (1 = flat)
    int backColorStyle = 0;    ///< how cell colours and grid lines combine
    int cellNoteIndicator = 0; ///< how cells with notes are marked
    int textTipMode = 0;       ///< 0 off, 1 fixed, 2 floating, ...
    int textTipDelay = 500;    ///< milliseconds
    int scrollBarWidth = 17;   ///< vertical scroll bar width, pixels
    int scrollBarHeight = 17;  ///< horizontal scroll bar height, pixels
    std::uint32_t selectionBack = kDefaultColor;
    std::uint32_t selectionFore = kDefaultColor;
    std::uint32_t gridColor = kDefaultColor;      ///< grid line colour
    std::uint32_t gridColorAlt = kDefaultColor;   ///< second colour of the grid colour pair
    int gridStyleA = 0;                           ///< the control's two-value setting, first value
    int gridStyleB = 0;                           ///< the control's two-value setting, second value
    int styleSetting = 0;                         ///< the control's one-value style setting
    std::uint32_t secondColor = kDefaultColor;    ///< the control's second colour pair, first
    std::uint32_t secondColorAlt = kDefaultColor; ///< the control's second colour pair, second
    /// Action keys (action 0..2): shift and control flags and the key code;
    /// key 0 means no key triggers the action.
    struct ActionKey {
        bool shift = false;
        bool control = false;
        int key = 0;
        bool operator==(const ActionKey&) const = default;
    };
    ActionKey actionKeys[3];
    bool operator==(const SheetAppearance& o) const {
        return appearance == o.appearance && backColorStyle == o.backColorStyle &&
               cellNoteIndicator == o.cellNoteIndicator && textTipMode == o.textTipMode &&
               textTipDelay == o.textTipDelay && scrollBarWidth == o.scrollBarWidth &&
               scrollBarHeight == o.scrollBarHeight && selectionBack == o.selectionBack &&
               selectionFore == o.selectionFore && gridColor == o.gridColor &&
               gridColorAlt == o.gridColorAlt && gridStyleA == o.gridStyleA &&
               gridStyleB == o.gridStyleB && styleSetting == o.styleSetting &&
               secondColor == o.secondColor && secondColorAlt == o.secondColorAlt &&
               actionKeys[0] == o.actionKeys[0] && actionKeys[1] == o.actionKeys[1] &&
               actionKeys[2] == o.actionKeys[2];
    }
};

/// A merged block of cells: the anchor cell and its size.
struct CellSpan {
    int col = 0;
    int row = 0;
    int cols = 1;
    int rows = 1;
    bool operator==(const CellSpan&) const = default;
};

/// Numbered boolean options with a meaning in the model; every number 0..63
/// can be stored (see docs/sheet-file-format.md for the whole list).
enum SheetOption : int {
    kOptionColumnHeaders = 3, ///< the column-header row is shown
    kOptionRowHeaders = 4,    ///< the row-header column is shown
    kOptionAutoCalc = 7,      ///< automatic recalculation
    kOptionRedraw = 8,        ///< the view repaints on every change
    kOptionProtect = 13,      ///< locked cells refuse user edits
    kOptionChanged = 30,      ///< the changed flag
};

/// The size of a column (characters of the default font) and of a row
/// (points) whose size was never set.
constexpr double kDefaultColumnWidth = 8.0;
constexpr double kDefaultRowHeight = 12.0;

/// What a change touched, as bits of SheetChange::kinds.
enum SheetChangeKind : unsigned {
    kChangeCells = 1, ///< values, texts or styles in the range (dependents may follow anywhere)
    kChangeStructure =
        2, ///< counts, rows or columns inserted, deleted or moved, or everything replaced
    kChangeSizes = 4,    ///< column widths or row heights
    kChangeSpans = 8,    ///< spans added or removed
    kChangeCursor = 16,  ///< active cell, selection, edit mode or edit selection
    kChangeOptions = 32, ///< numbered options or the reference style
};

/// One change: its kinds and the cells it touched (an invalid range: the
/// whole grid, or not tied to cells).
struct SheetChange {
    unsigned kinds = 0;
    CellRange range;
};
using SheetChangeListener = std::function<void(const SheetChange&)>;

class SheetModel {
public:
    SheetModel();
    ~SheetModel();
    SheetModel(const SheetModel&) = delete;
    SheetModel& operator=(const SheetModel&) = delete;

    // ---- size and reset ----
    int maxCols() const;
    int maxRows() const;
    /// 0..kMaxCols (kMaxRows). A smaller count erases the cells beyond it
    /// (values, formulas with their dependency links, styles, tags), cuts
    /// spans, sizes, the active cell and the selection at it, and
    /// recalculates the formulas that read the erased values (with automatic
    /// recalculation on; else they wait as after any other change). Growing
    /// again gives empty cells. False out of range, and while the grid is
    /// being recalculated when cells would be erased.
    bool setMaxCols(int count);
    bool setMaxRows(int count);
    /// Empties the grid: cells, styles, spans, sizes, functions; options and
    /// counts back to their defaults.
    void reset();

    // ---- options ----
    bool setOption(int number, bool on);
    bool option(int number) const;
    void setRefStyle(RefStyle style);
    RefStyle refStyle() const;
    /// Presentation settings, kept and saved as given.
    SheetAppearance& appearance();
    const SheetAppearance& appearance() const;

    // ---- cell texts ----
    /// Stores a constant as typed: a text that reads as a number becomes a
    /// number (see docs: number cells refuse other texts); "" empties the
    /// cell's value. Replaces a formula. Recalculates dependents when
    /// automatic recalculation is on. A text longer than kMaxTextLength is
    /// refused (false), here and in setValueText() and setText().
    bool setData(int col, int row, std::string_view text);
    /// Stores the text as the cell's value (as setData, but a number cell
    /// keeps only the number, not the typed text).
    bool setValueText(int col, int row, std::string_view text);
    /// Stores a text constant exactly as given: a text that reads as a number
    /// stays a text, and "" is an empty text, a value of its own (ISBLANK
    /// gives FALSE for it), unlike setData(""), which empties the cell. An
    /// edit cell cuts the text to its maximum length; number, integer and
    /// check-box cells refuse every text. Replaces a formula; recalculates
    /// dependents as setData does.
    bool setText(int col, int row, std::string_view text);
    /// Stores a number constant.
    bool setNumber(int col, int row, double value);
    /// Stores a formula (leading "=" optional), read in the reference style.
    /// `compute`: evaluate the cell now (its dependents follow only with
    /// automatic recalculation on); without it the cell waits for a
    /// recalculation, which with automatic recalculation on is at once.
    /// False, with the error when asked, when the text is refused; the cell
    /// is then unchanged.
    bool setFormula(int col, int row, std::string_view text, bool compute,
                    ParseError* error = nullptr);
    /// Sets a cell's tag text; one longer than kMaxTagLength is refused.
    bool setTag(int col, int row, std::string_view text);
    /// Reads one form: Data (a formula cell gives its result in general
    /// format), Formula ("" for constants; shown in the reference style, no
    /// "="), Tag, Value (as shown: number cells with their decimals). True
    /// whenever the cell is in range; the text is emptied first.
    bool getText(int col, int row, TextForm form, std::string& text) const;
    /// The length of a form, -1 when the cell is out of range.
    int textLength(int col, int row, TextForm form) const;
    /// The value; an empty value for an empty cell or one out of range.
    Value value(int col, int row) const;
    /// The type of the value, without copying it; Empty out of range.
    ValueType valueType(int col, int row) const;
    /// The number of the cell (numbers, booleans, number texts); false otherwise.
    bool getFloat(int col, int row, double& out) const;
    bool hasFormula(int col, int row) const;
    /// The cells of a range that hold something (a value, even an empty
    /// text, a formula, a tag or a style), row by row and left to right in
    /// each row. The cost follows the cells that exist, not the range's
    /// area, so a small file that declares a huge grid is walked quickly.
    /// Empty when the range leaves the grid.
    std::vector<CellPos> usedCells(const CellRange& range) const;
    /// Empties the values and formulas of a range (styles stay).
    bool clearRange(const CellRange& range);

    // ---- cell types and styles ----
    bool setCellType(const CellRange& range, const CellType& type);
    CellType cellType(int col, int row) const;
    /// The control's type number (CellKind); -1 out of range.
    int cellTypeNumber(int col, int row) const;
    bool setFont(const CellRange& range, const CellFont& font);
    CellFont font(int col, int row) const;
    /// Colours 0x00BBGGRR; kDefaultColor for the default.
    bool setColors(const CellRange& range, std::uint32_t back, std::uint32_t fore);
    bool colors(int col, int row, std::uint32_t& back, std::uint32_t& fore) const;
    /// Sets the sides named by `edges` (BorderEdge bits); with `outline` only
    /// the outer sides of the range.
    bool setBorder(const CellRange& range, unsigned edges, BorderSide side, bool outline = false);
    BorderSide border(int col, int row, BorderEdge edge) const;
    bool setLock(const CellRange& range, bool locked);
    bool isLocked(int col, int row) const;
    CellStyle style(int col, int row) const;
    bool setStyle(const CellRange& range, const CellStyle& style);

    // ---- spans ----
    /// False when the block leaves the grid or overlaps another span.
    bool addSpan(int col, int row, int cols, int rows);
    bool removeSpan(int col, int row);
    /// True when the cell lies in a span (anchor included), with the span.
    bool getSpan(int col, int row, CellSpan& span) const;
    const std::vector<CellSpan>& spans() const;

    // ---- sizes ----
    /// Widths in characters of the default font, heights in points; index 0
    /// (or kHeaderIndex) is the header column / row.
    bool setColumnWidth(int col, double width);
    double columnWidth(int col) const;
    bool setRowHeight(int row, double height);
    double rowHeight(int row) const;
    /// The widest shown text of a column, in the units of columnWidth.
    double maxTextColumnWidth(int col) const;
    /// The highest text of a row in points: its font's line height times its
    /// lines (a text's line breaks each start a line); 0 for an empty row.
    double maxTextRowHeight(int row) const;

    // ---- structure ----
    /// Moves the rows from `row` down by `count`; references follow. Counts
    /// do not change: cells pushed beyond the row count are erased (grow the
    /// grid first to keep them). False out of range.
    bool insertRows(int row, int count);
    /// Deletes rows; references into them become #REF!.
    bool deleteRows(int row, int count);
    bool insertCols(int col, int count);
    bool deleteCols(int col, int count);
    /// Copies the cells of a range (texts, formulas with relative references
    /// shifted, styles) to the block starting at (col, row).
    bool copyRange(const CellRange& source, int col, int row);
    /// Moves a range; references to the moved cells follow, references to
    /// cells overwritten at the destination become #REF!.
    bool moveRange(const CellRange& source, int col, int row);

    // ---- cursor and edit state ----
    /// False when no cell is active.
    bool activeCell(int& col, int& row) const;
    bool setActiveCell(int col, int row);
    bool selection(CellRange& range) const;
    bool setSelection(const CellRange& range);
    void clearSelection();
    bool editMode() const;
    void setEditMode(bool on);
    void editSelection(int& start, int& length) const;
    void setEditSelection(int start, int length);

    // ---- recalculation ----
    /// Recalculates one cell, after every formula it depends on.
    bool recalcCell(int col, int row);
    void recalcAll();

    // ---- custom functions ----
    /// Registers (or replaces) a function of this grid; names compare without
    /// case. `addresses`: the reference arguments that name cells elsewhere
    /// and are no precedents of the calling formula (see AddressArguments);
    /// formulas already calling the function are linked anew when they
    /// change (their values follow at the next recalculation). False for an
    /// empty name, min > max, or max > 255, and when the address arguments
    /// change while the grid is being recalculated.
    bool addCustomFunction(std::string_view name, int minArgs, int maxArgs,
                           CustomFunctionHandler handler, unsigned flags,
                           const AddressArguments& addresses = {});
    bool removeCustomFunction(std::string_view name);
    void clearCustomFunctions();
    bool hasCustomFunction(std::string_view name) const;

    // ---- files ----
    /// Loads a grid file, replacing everything (custom functions are
    /// dropped). False with a reason naming the file and line.
    bool load(const std::string& path, std::string* reason = nullptr);
    /// Makes this grid a copy of other, replacing everything as a load does:
    /// cells with their values, formulas (and dependencies), styles and texts,
    /// spans, sizes, counts, options, appearance, cursor and selection. The
    /// grid keeps its own custom functions (other's are not copied) and the
    /// formula texts it has parsed. Much faster than saving and loading.
    /// False, with nothing changed, while this grid is being recalculated.
    bool copyFrom(const SheetModel& other);
    /// Saves whole to a temporary file beside path, then renames it over path.
    bool save(const std::string& path, std::string* reason = nullptr) const;
    bool loadFromText(std::string_view content, const std::string& name,
                      std::string* reason = nullptr);
    std::string saveToText() const;

    // ---- change notification ----
    /// Calls listener after every change made through this interface (null:
    /// none), for a view that shows the grid. Costs one test per change while
    /// nobody listens. The listener must not change the grid; it survives
    /// reset(), load() and copyFrom().
    void setChangeListener(SheetChangeListener listener) { m_listener = std::move(listener); }

    /// Internal access for the engine's own modules.
    SheetImpl& impl() { return *m_impl; }
    const SheetImpl& impl() const { return *m_impl; }

private:
    /// Tells the listener of a change when done; returns done.
    bool notify(bool done, unsigned kinds, const CellRange& range = {}) const {
        if (done && m_listener)
            m_listener({kinds, range});
        return done;
    }

    std::unique_ptr<SheetImpl> m_impl;
    SheetChangeListener m_listener;
};

} // namespace vtx::sheet
