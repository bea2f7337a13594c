// Cell texts and values of SheetModel.
#include "platform/sheet/SheetImpl.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/formula/Parser.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace vtx::sheet {

std::uint64_t SheetImpl::defaultOptions() {
    return (std::uint64_t{1} << kOptionColumnHeaders) | (std::uint64_t{1} << kOptionRowHeaders) |
           (std::uint64_t{1} << kOptionAutoCalc) | (std::uint64_t{1} << kOptionRedraw);
}

SheetImpl::SheetImpl() : m_styles(1), m_options(defaultOptions()) {}

SheetImpl::~SheetImpl() = default;

bool SheetImpl::rangeInGrid(CellRange& r) const {
    r.col0 = normalize(r.col0);
    r.row0 = normalize(r.row0);
    r.col1 = normalize(r.col1);
    r.row1 = normalize(r.row1);
    if (r.col0 > r.col1)
        std::swap(r.col0, r.col1);
    if (r.row0 > r.row1)
        std::swap(r.row0, r.row1);
    return inRange(r.col0, r.row0) && inRange(r.col1, r.row1);
}

std::uint32_t SheetImpl::internStyle(const CellStyle& given) {
    // Every style kept goes through here: what the file cannot hold is
    // brought within its limits once, so that every saved grid loads back.
    CellStyle s = given;
    makeStorable(s);
    if (s == m_styles[0])
        return 0;
    // Most grids use a handful of styles: compare those directly before
    // building the key.
    const std::size_t direct = std::min<std::size_t>(m_styles.size(), 16);
    for (std::size_t i = 1; i < direct; ++i)
        if (m_styles[i] == s)
            return static_cast<std::uint32_t>(i);
    // The key lists every field; styles are few, so a text key is cheap enough.
    std::string key =
        std::to_string(static_cast<int>(s.type.kind)) + '|' + std::to_string(s.type.maxLength) +
        '|' + std::to_string(s.type.decimals) + '|' + formatShortest(s.type.minimum) + '|' +
        formatShortest(s.type.maximum) + '|' +
        std::to_string(static_cast<int>(s.type.numberStyle)) + '|' + std::to_string(s.type.spin) +
        '|' + std::to_string(static_cast<int>(s.type.pictureStyle)) + '|' +
        std::to_string(s.type.controlStyle) + '|' + s.type.text + '\x01' + s.type.pictureOff +
        '\x01' + s.type.pictureOn + '\x01' + s.font.name + '\x01' + std::to_string(s.font.height) +
        '|' + std::to_string(s.font.bold) + std::to_string(s.font.italic) +
        std::to_string(s.font.underline) + '|' + std::to_string(s.backColor) + '|' +
        std::to_string(s.foreColor) + '|' + std::to_string(s.locked);
    for (const auto& b : s.borders)
        key += '|' + std::to_string(b.style) + ',' + std::to_string(b.color);
    auto it = m_styleIds.find(key);
    if (it != m_styleIds.end())
        return it->second;
    auto id = static_cast<std::uint32_t>(m_styles.size());
    m_styles.push_back(s);
    m_styleIds.emplace(std::move(key), id);
    return id;
}

bool SheetImpl::valueForType(const CellType& type, std::string_view text, Value& value,
                             std::string& entered) const {
    entered.clear();
    if (text.empty()) {
        value = Value();
        return true;
    }
    double n = 0;
    bool isNumber = parseNumber(text, n);
    switch (type.kind) {
    case CellKind::Number:
    case CellKind::Integer:
        if (!isNumber || n < type.minimum || n > type.maximum)
            return false;
        if (type.kind == CellKind::Integer)
            n = std::round(n);
        value = Value::number(n);
        return true;
    case CellKind::CheckBox:
        if (isNumber) {
            value = Value::number(n != 0 ? 1 : 0);
            return true;
        }
        if (compareTextNoCase(text, "TRUE") == 0 || compareTextNoCase(text, "FALSE") == 0) {
            value = Value::number(compareTextNoCase(text, "TRUE") == 0 ? 1 : 0);
            return true;
        }
        return false;
    case CellKind::Edit:
        if (type.maxLength > 0 && text.size() > static_cast<std::size_t>(type.maxLength))
            text = text.substr(0, static_cast<std::size_t>(type.maxLength));
        value = Value::text(std::string(text));
        return true;
    case CellKind::Combo:
    case CellKind::Picture:
    case CellKind::Header:
        value = Value::text(std::string(text));
        return true;
    case CellKind::General:
        break;
    }
    if (isNumber) {
        value = Value::number(n);
        if (formatShortest(n) != text)
            entered = std::string(text);
    } else {
        value = Value::text(std::string(text));
    }
    return true;
}

void SheetImpl::eraseIfBlank(int col, int row) {
    Cell* c = m_cells.find(col, row);
    if (c && c->isBlank() && !c->flags)
        m_cells.erase(col, row);
}

void SheetImpl::dropFormula(Cell& cell, CellPos at) {
    if (!cell.formula)
        return;
    FormulaCode* code = cell.formula;
    cell.formula = nullptr;
    cell.flags &= static_cast<std::uint8_t>(~kCellStale);
    m_graph.unlink(m_cells, at, *code);
    m_pool.release(code);
}

void SheetImpl::installFormula(CellPos at, FormulaCode* code) {
    Cell* cell = &m_cells.ensure(at.col, at.row);
    if (cell->formula) {
        dropFormula(*cell, at);
        cell = &m_cells.ensure(at.col, at.row); // unlinking may have erased it
    }
    cell->formula = code;
    cell->flags |= kCellStale;
    if (cell->extra)
        cell->extra->enteredText.clear();
    m_graph.link(m_cells, at, *code);
    if (code->isVolatile)
        m_volatile.push_back(at.key());
}

void SheetImpl::storeValue(int col, int row, Value value, std::string entered) {
    Cell* found = &m_cells.ensure(col, row);
    bool hadFormula = found->formula != nullptr;
    if (hadFormula) {
        dropFormula(*found, {col, row});
        found = &m_cells.ensure(col, row); // unlinking may have erased it
    }
    Cell& cell = *found;
    bool same = !hadFormula && cell.value == value;
    cell.value = std::move(value);
    if (!entered.empty() || cell.extra) {
        if (!cell.extra)
            cell.extra = std::make_unique<CellExtra>();
        cell.extra->enteredText = std::move(entered);
        if (cell.extra->tag.empty() && cell.extra->enteredText.empty())
            cell.extra.reset();
    }
    if (same)
        return;
    m_cells.touch(col);
    if (cell.isBlank() && !cell.flags) // eraseIfBlank(), the cell at hand
        m_cells.erase(col, row);
    valueChanged({col, row});
}

bool SheetImpl::storeConstant(int col, int row, std::string_view text, bool keepEntered) {
    Value v;
    std::string entered;
    if (!valueForType(styleAt(col, row).type, text, v, entered))
        return false;
    // Checked once an edit cell has cut the text to its own length.
    if ((v.isText() && v.asText().size() > kMaxTextLength) || entered.size() > kMaxTextLength)
        return false;
    storeValue(col, row, std::move(v), keepEntered ? std::move(entered) : std::string());
    return true;
}

bool SheetImpl::parse(std::string_view text, CellPos at, FormulaCode& code, ParseError& error) {
    CustomNameTest test;
    if (!m_custom.empty())
        test = [this](std::string_view upper) { return findCustom(upper) != nullptr; };
    if (!parseFormula(text, at, m_refStyle, test, code, error))
        return false;
    if (!code.names.empty())
        markAddresses(code);
    return true;
}

const CustomFunction* SheetImpl::findCustom(std::string_view upperName) const {
    auto it = m_custom.find(std::string(upperName));
    return it == m_custom.end() ? nullptr : &it->second;
}

std::string SheetImpl::dataText(const Cell* c) const {
    if (!c)
        return {};
    if (!c->formula && c->value.isNumber()) {
        if (c->extra && !c->extra->enteredText.empty())
            return c->extra->enteredText;
        return formatShortest(c->value.asNumber());
    }
    return c->value.toText();
}

std::string SheetImpl::shownText(const Cell* c) const {
    if (!c)
        return {};
    const CellType& type = styleOf(c).type;
    const Value& v = c->value;
    if (!v.isNumber())
        return v.toText();
    double n = v.asNumber();
    switch (type.kind) {
    case CellKind::Number:
        if (type.numberStyle == NumberStyle::Percent)
            return formatFixed(n * 100, type.decimals) + "%";
        if (type.numberStyle == NumberStyle::Thousands) {
            std::string s = formatFixed(n, type.decimals);
            bool negative = !s.empty() && s[0] == '-';
            std::string digits = s.substr(negative ? 1 : 0);
            std::size_t dot = digits.find('.');
            std::string intPart = digits.substr(0, dot);
            std::string out;
            for (std::size_t i = 0; i < intPart.size(); ++i) {
                out += intPart[i];
                std::size_t left = intPart.size() - i - 1;
                if (left > 0 && left % 3 == 0)
                    out += ',';
            }
            return (negative ? "-" : "") + out +
                   (dot == std::string::npos ? std::string() : digits.substr(dot));
        }
        return formatFixed(n, type.decimals);
    case CellKind::Integer:
        return formatFixed(n, 0);
    case CellKind::CheckBox:
        return n != 0 ? "1" : "0";
    default:
        if (!c->formula && c->extra && !c->extra->enteredText.empty())
            return c->extra->enteredText;
        return formatGeneral(n);
    }
}

// ---- SheetModel: cells ----

SheetModel::SheetModel() : m_impl(std::make_unique<SheetImpl>()) {}
SheetModel::~SheetModel() = default;

int SheetModel::maxCols() const {
    return m_impl->m_maxCols;
}
int SheetModel::maxRows() const {
    return m_impl->m_maxRows;
}

void SheetModel::reset() {
    if (m_impl->m_recalcDepth > 0)
        return;
    m_impl = std::make_unique<SheetImpl>();
    notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans | kChangeCursor |
                     kChangeOptions);
}

bool SheetModel::setOption(int number, bool on) {
    if (number < 0 || number >= 64)
        return false;
    auto bit = std::uint64_t{1} << number;
    bool was = (m_impl->m_options & bit) != 0;
    m_impl->m_options = on ? (m_impl->m_options | bit) : (m_impl->m_options & ~bit);
    if (number == kOptionAutoCalc && on && !was && m_impl->m_recalcDepth == 0) {
        if (m_impl->m_needFullRecalc) {
            m_impl->recalcAll();
        } else if (!m_impl->m_pending.empty()) {
            std::vector<std::uint64_t> pending;
            pending.swap(m_impl->m_pending);
            m_impl->recalcFrom(pending);
        }
    }
    return notify(true, kChangeOptions | (number == kOptionAutoCalc ? kChangeCells : 0u));
}

bool SheetModel::option(int number) const {
    if (number < 0 || number >= 64)
        return false;
    return (m_impl->m_options >> number) & 1u;
}

void SheetModel::setRefStyle(RefStyle style) {
    m_impl->m_refStyle = style;
    m_impl->m_textCache.clear();
    notify(true, kChangeOptions | kChangeCells);
}
RefStyle SheetModel::refStyle() const {
    return m_impl->m_refStyle;
}

SheetAppearance& SheetModel::appearance() {
    return m_impl->m_appearance;
}
const SheetAppearance& SheetModel::appearance() const {
    return m_impl->m_appearance;
}

bool SheetModel::setData(int col, int row, std::string_view text) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    return notify(m_impl->storeConstant(col, row, text, true), kChangeCells,
                  CellRange::cell(col, row));
}

bool SheetModel::setValueText(int col, int row, std::string_view text) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    return notify(m_impl->storeConstant(col, row, text, false), kChangeCells,
                  CellRange::cell(col, row));
}

bool SheetModel::setText(int col, int row, std::string_view text) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    const CellType& type = m_impl->styleAt(col, row).type;
    if (type.kind == CellKind::Number || type.kind == CellKind::Integer ||
        type.kind == CellKind::CheckBox)
        return false;
    if (type.kind == CellKind::Edit && type.maxLength > 0 &&
        text.size() > static_cast<std::size_t>(type.maxLength))
        text = text.substr(0, static_cast<std::size_t>(type.maxLength));
    if (text.size() > kMaxTextLength)
        return false;
    m_impl->storeValue(col, row, Value::text(std::string(text)), {});
    return notify(true, kChangeCells, CellRange::cell(col, row));
}

bool SheetModel::setNumber(int col, int row, double value) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row) || !std::isfinite(value))
        return false;
    const CellType& type = m_impl->styleAt(col, row).type;
    if (type.kind != CellKind::General)
        return notify(m_impl->storeConstant(col, row, formatShortest(value), false), kChangeCells,
                      CellRange::cell(col, row));
    m_impl->storeValue(col, row, Value::number(value), {});
    return notify(true, kChangeCells, CellRange::cell(col, row));
}

bool SheetModel::setFormula(int col, int row, std::string_view text, bool compute,
                            ParseError* error) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    ParseError local;
    ParseError& e = error ? *error : local;
    e = ParseError();
    if (!m_impl->inRange(col, row))
        return false;
    SheetImpl& s = *m_impl;
    FormulaTextCache& cache = s.m_textCache;
    FormulaCode* program = cache.findLikeLast(text, {col, row}, s.m_refStyle);
    if (program) {
        s.m_pool.retain(program);
    } else {
        bool cacheable = FormulaTextCache::shapeKey(text, {col, row}, s.m_refStyle, s.m_shapeKey);
        if (cacheable && (program = cache.find(s.m_shapeKey.view())) != nullptr) {
            s.m_pool.retain(program);
        } else {
            FormulaCode& code = s.m_scratch;
            if (!s.parse(text, {col, row}, code, e))
                return false;
            program = s.m_pool.intern(code);
            if (cacheable)
                cache.remember(s.m_shapeKey.view(), program);
        }
        if (cacheable)
            cache.noteLast(text, {col, row}, s.m_refStyle, s.m_shapeKey, program);
    }
    m_impl->installFormula({col, row}, program);
    if (compute)
        m_impl->computeNewFormula({col, row});
    else
        m_impl->valueChanged({col, row});
    return notify(true, kChangeCells, CellRange::cell(col, row));
}

bool SheetModel::setTag(int col, int row, std::string_view text) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row) || text.size() > kMaxTagLength)
        return false;
    Cell& c = m_impl->m_cells.ensure(col, row);
    if (!c.extra)
        c.extra = std::make_unique<CellExtra>();
    c.extra->tag = std::string(text);
    if (c.extra->tag.empty() && c.extra->enteredText.empty())
        c.extra.reset();
    m_impl->eraseIfBlank(col, row);
    return notify(true, kChangeCells, CellRange::cell(col, row));
}

bool SheetModel::getText(int col, int row, TextForm form, std::string& text) const {
    text.clear();
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    const Cell* c = m_impl->m_cells.find(col, row);
    if (!c)
        return true;
    switch (form) {
    case TextForm::Data:
        text = m_impl->dataText(c);
        break;
    case TextForm::Formula:
        if (c->formula)
            text = c->formula->render({col, row}, m_impl->m_refStyle == RefStyle::R1C1);
        break;
    case TextForm::Tag:
        if (c->extra)
            text = c->extra->tag;
        break;
    case TextForm::Value:
        text = m_impl->shownText(c);
        break;
    }
    return true;
}

int SheetModel::textLength(int col, int row, TextForm form) const {
    std::string text;
    if (!getText(col, row, form, text))
        return -1;
    return static_cast<int>(text.size());
}

Value SheetModel::value(int col, int row) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return Value();
    return m_impl->m_cells.value(col, row);
}

ValueType SheetModel::valueType(int col, int row) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return ValueType::Empty;
    return m_impl->m_cells.value(col, row).type();
}

bool SheetModel::getFloat(int col, int row, double& out) const {
    Value v = value(col, row);
    if (v.isNumber() || v.isBoolean()) {
        out = v.asNumber();
        return true;
    }
    return v.isText() && parseNumber(v.asText(), out);
}

bool SheetModel::hasFormula(int col, int row) const {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    const Cell* c = m_impl->inRange(col, row) ? m_impl->m_cells.find(col, row) : nullptr;
    return c && c->formula;
}

bool SheetModel::clearRange(const CellRange& range) {
    CellRange r = range;
    if (!m_impl->rangeInGrid(r))
        return false;
    std::vector<CellPos> targets;
    m_impl->m_cells.forEach(r, [&](int c, int row, const Cell& cell) {
        if (cell.formula || !cell.value.isEmpty())
            targets.push_back({c, row});
    });
    for (CellPos p : targets)
        m_impl->storeValue(p.col, p.row, Value(), {});
    return notify(true, kChangeCells, r);
}

bool SheetModel::recalcCell(int col, int row) {
    col = SheetImpl::normalize(col);
    row = SheetImpl::normalize(row);
    if (!m_impl->inRange(col, row))
        return false;
    return notify(m_impl->recalcCell({col, row}), kChangeCells);
}

void SheetModel::recalcAll() {
    if (m_impl->m_recalcDepth == 0)
        m_impl->recalcAll();
    notify(true, kChangeCells);
}

} // namespace vtx::sheet
