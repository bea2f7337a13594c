// .xlsx and .ods workbooks through the file reader's import interfaces,
// implemented here so that the reader hands over cells and formula texts
// and no second formula engine is needed: formulas are translated into the
// grid's language afterwards (FormulaTranslate.h).

#include "Workbook.h"

#ifdef VTX_HAVE_ORCUS

#include "platform/sheet/functions/DateSerial.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

namespace cli {

namespace {

namespace ss = orcus::spreadsheet;

class SharedStrings : public ss::iface::import_shared_strings {
public:
    const std::string& at(std::size_t index) const {
        static const std::string kNone;
        return index < m_strings.size() ? m_strings[index] : kNone;
    }
    std::size_t append(std::string_view s) override {
        m_strings.emplace_back(s);
        return m_strings.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { m_segments.append(s); }
    std::size_t commit_segments() override {
        std::size_t index = append(m_segments);
        m_segments.clear();
        return index;
    }

private:
    std::vector<std::string> m_strings;
    std::string m_segments;
};

class Sheet;

// A formula of one cell: the text, or the index of a formula shared from
// another cell, and the result the file keeps.
class Formula : public ss::iface::import_formula {
public:
    explicit Formula(Sheet& sheet) : m_sheet(sheet) {}
    void set_position(ss::row_t row, ss::col_t col) override {
        m_cell = {};
        m_cell.row = row;
        m_cell.col = col;
        m_cell.isFormula = true;
        m_shared = -1;
    }
    void set_formula(ss::formula_grammar_t, std::string_view formula) override {
        m_cell.formula = formula;
    }
    void set_shared_formula_index(std::size_t index) override {
        m_shared = static_cast<long>(index);
    }
    void set_result_string(std::string_view value) override {
        m_cell.value.kind = BookValue::Kind::Text;
        m_cell.value.text = value;
    }
    void set_result_value(double value) override {
        m_cell.value.kind = BookValue::Kind::Number;
        m_cell.value.number = value;
    }
    void set_result_bool(bool value) override {
        m_cell.value.kind = BookValue::Kind::Boolean;
        m_cell.value.boolean = value;
    }
    void set_result_empty() override { m_cell.value = {}; }
    void commit() override;

private:
    Sheet& m_sheet;
    BookCell m_cell;
    long m_shared = -1;
};

// An array formula: refused, with the results the file keeps for each cell.
class ArrayFormula : public ss::iface::import_array_formula {
public:
    explicit ArrayFormula(Sheet& sheet) : m_sheet(sheet) {}
    void set_range(const ss::range_t& range) override {
        m_range = range;
        m_results.clear();
    }
    void set_formula(ss::formula_grammar_t, std::string_view formula) override {
        m_formula = formula;
    }
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override {
        auto& v = m_results[{row, col}];
        v.kind = BookValue::Kind::Text;
        v.text = value;
    }
    void set_result_value(ss::row_t row, ss::col_t col, double value) override {
        auto& v = m_results[{row, col}];
        v.kind = BookValue::Kind::Number;
        v.number = value;
    }
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override {
        auto& v = m_results[{row, col}];
        v.kind = BookValue::Kind::Boolean;
        v.boolean = value;
    }
    void set_result_empty(ss::row_t row, ss::col_t col) override { m_results[{row, col}] = {}; }
    void commit() override;

private:
    Sheet& m_sheet;
    ss::range_t m_range{};
    std::string m_formula;
    std::map<std::pair<int, int>, BookValue> m_results;
};

class Sheet : public ss::iface::import_sheet {
public:
    Sheet(BookSheet* target, const SharedStrings& strings)
        : m_target(target), m_strings(strings), m_formula(*this), m_array(*this) {}

    bool active() const { return m_target != nullptr; }
    void put(BookCell cell) {
        if (!m_target)
            return;
        // A later write to the same cell replaces the earlier one.
        m_latest[{cell.row, cell.col}] = m_target->cells.size();
        m_target->cells.push_back(std::move(cell));
    }
    void putShared(BookCell cell, long index) {
        if (!cell.formula.empty())
            m_sharedFrom.emplace(index, cell);
        else
            m_sharedUses.emplace_back(m_target ? m_target->cells.size() : 0, index);
        put(std::move(cell));
    }
    // Gives the cells of shared formulas their text and offset, and drops
    // the cells written over.
    void finish() {
        if (!m_target)
            return;
        for (const auto& [at, index] : m_sharedUses) {
            BookCell& cell = m_target->cells[at];
            auto master = m_sharedFrom.find(index);
            if (master == m_sharedFrom.end()) {
                cell.refusal = "a shared formula whose first cell is missing";
                continue;
            }
            cell.formula = master->second.formula;
            cell.rowShift = cell.row - master->second.row;
            cell.colShift = cell.col - master->second.col;
        }
        std::vector<BookCell> kept;
        for (std::size_t i = 0; i < m_target->cells.size(); ++i)
            if (m_latest[{m_target->cells[i].row, m_target->cells[i].col}] == i)
                kept.push_back(std::move(m_target->cells[i]));
        m_target->cells = std::move(kept);
    }

    ss::iface::import_formula* get_formula() override { return &m_formula; }
    ss::iface::import_array_formula* get_array_formula() override { return &m_array; }
    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        BookCell cell{row, col, {}, false, {}, 0, 0, {}};
        cell.value.kind = BookValue::Kind::Text;
        cell.value.text = s;
        put(std::move(cell));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t index) override {
        set_auto(row, col, m_strings.at(index));
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override {
        BookCell cell{row, col, {}, false, {}, 0, 0, {}};
        cell.value.kind = BookValue::Kind::Number;
        cell.value.number = value;
        put(std::move(cell));
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override {
        BookCell cell{row, col, {}, false, {}, 0, 0, {}};
        cell.value.kind = BookValue::Kind::Boolean;
        cell.value.boolean = value;
        put(std::move(cell));
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour,
                       int minute, double second) override {
        set_value(row, col,
                  vtx::sheet::dateToSerial(year, month, day) +
                      vtx::sheet::timeToSerial(hour, minute, second));
    }
    void set_format(ss::row_t, ss::col_t, std::size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
        if (!m_target)
            return;
        auto found = m_latest.find({row, col});
        if (found == m_latest.end())
            return;
        const BookCell source = m_target->cells[found->second];
        for (ss::row_t i = 1; i <= count; ++i) {
            BookCell copy = source;
            copy.row = row + i;
            copy.rowShift = source.rowShift + i;
            put(std::move(copy));
        }
    }
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

private:
    BookSheet* m_target;
    const SharedStrings& m_strings;
    Formula m_formula;
    ArrayFormula m_array;
    std::map<std::pair<int, int>, std::size_t> m_latest;
    std::map<long, BookCell> m_sharedFrom;
    std::vector<std::pair<std::size_t, long>> m_sharedUses;
};

void Formula::commit() {
    if (m_shared >= 0)
        m_sheet.putShared(std::move(m_cell), m_shared);
    else
        m_sheet.put(std::move(m_cell));
}

void ArrayFormula::commit() {
    for (int row = m_range.first.row; row <= m_range.last.row; ++row)
        for (int col = m_range.first.column; col <= m_range.last.column; ++col) {
            BookCell cell{row, col, m_results[{row, col}], true, m_formula, 0, 0, {}};
            cell.refusal = "an array formula ({=" + m_formula + "}) is not in the formula language";
            m_sheet.put(std::move(cell));
        }
}

// Addresses and ranges the reader meets outside formulas (the cells a
// shared or array formula covers): A1 syntax, without a sheet.
class Resolver : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override {
        std::string_view cell = address.substr(
            address.rfind('!') == std::string_view::npos ? 0 : address.rfind('!') + 1);
        int col = 0;
        int row = 0;
        if (!readCellAddress(cell, col, row))
            throw std::invalid_argument("\"" + std::string(address) + "\" is no cell address");
        return {0, row - 1, col - 1};
    }
    ss::src_range_t resolve_range(std::string_view range) override {
        const std::size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t cell = resolve_address(range);
            return {cell, cell};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }
};

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

class Factory : public ss::iface::import_factory {
public:
    Factory(BookSheet& target, std::string wanted)
        : m_target(target), m_wanted(std::move(wanted)) {}

    ss::iface::import_shared_strings* get_shared_strings() override { return &m_strings; }
    ss::iface::import_reference_resolver*
    get_reference_resolver(ss::formula_ref_context_t) override {
        return &m_resolver;
    }
    ss::iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
        const bool chosen = !m_found && (m_wanted.empty() ? index == 0 : sameName(name, m_wanted));
        if (chosen) {
            m_found = true;
            m_target.name = name;
        }
        m_names.emplace_back(name);
        m_sheets.push_back(std::make_unique<Sheet>(chosen ? &m_target : nullptr, m_strings));
        return m_sheets.back().get();
    }
    ss::iface::import_sheet* get_sheet(std::string_view name) override {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name)
                return m_sheets[i].get();
        return nullptr;
    }
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override {
        return index >= 0 && static_cast<std::size_t>(index) < m_sheets.size()
                   ? m_sheets[index].get()
                   : nullptr;
    }
    void finalize() override {
        for (auto& sheet : m_sheets)
            sheet->finish();
    }
    bool found() const { return m_found; }
    std::string names() const {
        std::string list;
        for (const auto& name : m_names)
            list += (list.empty() ? "" : ", ") + name;
        return list;
    }

private:
    BookSheet& m_target;
    std::string m_wanted;
    bool m_found = false;
    SharedStrings m_strings;
    Resolver m_resolver;
    std::vector<std::string> m_names;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
};

} // namespace

bool canReadWorkbooks() {
    return true;
}

bool readWorkbook(const std::string& path, const std::string& wanted, BookSheet& sheet,
                  std::string& reason) {
    sheet = {};
    const bool ods = lowerExtension(path) == ".ods";
    sheet.syntax = ods ? FormulaSyntax::OpenFormula : FormulaSyntax::A1;
    Factory factory(sheet, wanted);
    try {
        if (ods) {
            orcus::orcus_ods reader(&factory);
            reader.read_file(path);
        } else {
            orcus::orcus_xlsx reader(&factory);
            reader.read_file(path);
        }
    } catch (const std::exception& error) {
        // The reader's messages may run over several lines: the first says it.
        const std::string what = error.what();
        reason = std::string("cannot be read as ") + (ods ? ".ods" : ".xlsx") + ": " +
                 what.substr(0, what.find('\n'));
        return false;
    }
    if (!factory.found()) {
        reason = wanted.empty() ? std::string("the workbook has no sheet")
                                : "the workbook has no sheet \"" + wanted +
                                      "\" (its sheets: " + factory.names() + ")";
        return false;
    }
    return true;
}

} // namespace cli

#else

namespace cli {

bool canReadWorkbooks() {
    return false;
}

bool readWorkbook(const std::string&, const std::string&, BookSheet&, std::string& reason) {
    reason = "this build reads no .xlsx/.ods (built without liborcus)";
    return false;
}

} // namespace cli

#endif
