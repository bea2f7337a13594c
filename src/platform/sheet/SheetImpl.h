#pragma once

/// The inside of a SheetModel, shared by the engine's own files (cells,
/// styles, recalculation, structure, custom functions, file). Not a public
/// header.

#include "platform/sheet/CellStore.h"
#include "platform/sheet/DependencyGraph.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/SpanList.h"
#include "platform/sheet/formula/FormulaPool.h"
#include "platform/sheet/formula/FormulaTextCache.h"
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/LookupIndex.h"

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vtx::sheet {

struct CustomFunction {
    std::string name; ///< as registered
    int minArgs = 0;
    int maxArgs = 0;
    CustomFunctionHandler handler;
    unsigned flags = 0;
    AddressArguments addresses;
};

/// Maps old positions to new ones in a structural change.
class PositionMap {
public:
    virtual ~PositionMap() = default;
    /// The new position of a cell; false when the cell is gone.
    virtual bool mapCell(CellPos& p) const = 0;
    /// The new extent of a range used by a formula; false when it is gone.
    virtual bool mapRange(CellRange& r) const = 0;
};

/// An existing cell with its position.
struct PlacedCell {
    const Cell* cell;
    int col;
    int row;
};

class SheetImpl : public NamedFunctionHost {
public:
    SheetImpl();
    ~SheetImpl() override;

    // ---- addressing ----
    static int normalize(int index) { return index == kHeaderIndex ? 0 : index; }
    bool inRange(int col, int row) const {
        return col >= 0 && row >= 0 && col <= m_maxCols && row <= m_maxRows;
    }
    bool rangeInGrid(CellRange& r) const;

    // ---- cells ----
    const CellStyle& styleOf(const Cell* c) const { return m_styles[c ? c->style : 0]; }
    const CellStyle& styleAt(int col, int row) const { return styleOf(m_cells.find(col, row)); }
    /// The style at a position as callers give it (kHeaderIndex allowed);
    /// the default style (m_styles[0]) out of range.
    const CellStyle& styleIn(int col, int row) const {
        col = normalize(col);
        row = normalize(row);
        return inRange(col, row) ? styleAt(col, row) : m_styles[0];
    }
    std::uint32_t internStyle(const CellStyle& style);
    /// Applies the cell type's rules to a typed text; false when refused.
    bool valueForType(const CellType& type, std::string_view text, Value& value,
                      std::string& entered) const;
    bool storeConstant(int col, int row, std::string_view text, bool keepEntered);
    void storeValue(int col, int row, Value value, std::string entered);
    /// Drops the formula of a cell (unlinks it, keeps its value).
    void dropFormula(Cell& cell, CellPos at);
    void installFormula(CellPos at, FormulaCode* code);
    /// Parses a formula of the grid, its address arguments marked.
    bool parse(std::string_view text, CellPos at, FormulaCode& code, ParseError& error);
    std::string shownText(const Cell* cell) const;
    std::string dataText(const Cell* cell) const;
    void eraseIfBlank(int col, int row);
    /// The existing cells of a range row by row, left to right in each row;
    /// the cost follows the cells, not the range's area.
    std::vector<PlacedCell> cellsByRow(const CellRange& range) const;

    // ---- counts ----
    /// Sets the column (cols) or row count; a smaller count erases the cells
    /// beyond it (values, formulas, texts, styles), cuts spans, sizes and the
    /// cursor, and recalculates what read the erased values. False out of
    /// range, or when cells would be erased during a recalculation.
    bool setCount(bool cols, int count);
    /// True when a cell of the area holds a value, formula, text or style.
    bool hasContent(const CellRange& area) const;
    /// Empties every cell of the area (formulas unlinked); the positions
    /// whose value or formula went are added to `changed`.
    void eraseCells(const CellRange& area, std::vector<std::uint64_t>& changed);
    /// Values changed at these positions outside a single-cell edit:
    /// recalculated now (automatic recalculation) or remembered.
    void sourcesChanged(const std::vector<std::uint64_t>& changed);

    // ---- recalculation ----
    /// A constant changed at p: recalculate its dependents now (automatic
    /// recalculation) or remember it.
    void valueChanged(CellPos p);
    void recalcFrom(const std::vector<std::uint64_t>& sources);
    void recalcAll();
    bool recalcCell(CellPos p);
    /// Computes a new formula cell; its dependents only with automatic
    /// recalculation on. Cycles through it are found either way.
    void computeNewFormula(CellPos p);
    /// Evaluates the formula cells in `set` in dependency order. Cells of a
    /// cycle get #CIRC!. `onlyCell`: when given, only that cell (and cycle
    /// members) are evaluated. `cells`: the cells of `set` in its order when
    /// the caller has them (taken over), else they are looked up.
    void evaluateSet(std::vector<std::uint64_t>& set, const std::uint64_t* onlyCell,
                     std::vector<Cell*>* cells = nullptr);
    /// Adds to the compressed edge list of evaluateSet the edges from members
    /// of the (sorted) set to the formulas whose ranges hold them.
    void addRangeEdges(const std::vector<std::uint64_t>& set, const std::vector<Cell*>& cellOf,
                       std::vector<std::uint32_t>& first, std::vector<std::uint32_t>& succ,
                       std::vector<std::uint32_t>& indegree) const;
    /// Adds to `set` (flag kCellInSet) every formula depending on `sources`,
    /// transitively; their direct dependents are flagged kCellChanged.
    void collectDependents(const std::vector<std::uint64_t>& sources,
                           std::vector<std::uint64_t>& set);
    void runDeferred();
    void rebuildGraph();

    // ---- structure ----
    /// Rewrites every formula for a structural change and moves the cells
    /// (`move` is called between the two).
    template <typename MoveCells> void restructure(const PositionMap& map, MoveCells&& move);
    void structureChanged();

    // ---- custom functions ----
    void callNamed(std::string_view name, Operand* args, int argc, CellPos at,
                   Operand& result) override;
    const CustomFunction* findCustom(std::string_view upperName) const;
    /// Marks the reference arguments of the program's custom calls that the
    /// registered functions take as addresses (FormulaCode::addressRefs),
    /// unmarking all others.
    void markAddresses(FormulaCode& code);
    /// Marks the formulas that call a function again after its address
    /// arguments changed, relinking those whose precedents change.
    void remarkCallsOf(const std::string& upperName);

    // ---- state ----
    CellStore m_cells;
    FormulaPool m_pool;
    FormulaTextCache m_textCache{m_pool};
    DependencyGraph m_graph;
    LookupIndex m_lookups;
    std::vector<CellStyle> m_styles;
    std::unordered_map<std::string, std::uint32_t> m_styleIds;
    SpanList m_spans;
    std::map<int, double> m_colWidths;
    std::map<int, double> m_rowHeights;
    std::unordered_map<std::string, CustomFunction> m_custom;
    /// Functions whose address arguments programs of the grid may carry.
    std::unordered_set<std::string> m_markedNames;
    int m_maxCols = 0;
    int m_maxRows = 0;
    std::uint64_t m_options = 0;
    RefStyle m_refStyle = RefStyle::Default;
    SheetAppearance m_appearance;
    CellPos m_active{0, 0};
    bool m_hasSelection = false;
    CellRange m_selection;
    bool m_editMode = false;
    int m_editStart = 0;
    int m_editLength = 0;

    std::vector<std::uint64_t> m_pending; ///< changed sources while recalculation is off
    bool m_needFullRecalc = false;
    int m_recalcDepth = 0;
    bool m_inDeferred = false;
    std::vector<std::uint64_t> m_deferred; ///< changes made by handlers during a recalculation
    std::vector<std::uint64_t> m_volatile; ///< formula cells with volatile functions
    FormulaCode m_scratch;                 ///< parse buffer, reused between formulas
    ShapeKey m_shapeKey;                   ///< shape-key buffer

    static constexpr double kDefaultWidth = kDefaultColumnWidth;
    static constexpr double kDefaultHeight = kDefaultRowHeight;
    static std::uint64_t defaultOptions();
};

} // namespace vtx::sheet
