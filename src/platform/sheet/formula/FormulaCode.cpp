#include "platform/sheet/formula/FormulaCode.h"

#include "platform/sheet/Value.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vtx::sheet {

CellRange RangeRef::resolve(CellPos at) const {
    CellPos a = first.resolve(at);
    CellPos b = last.resolve(at);
    return {std::min(a.col, b.col), std::min(a.row, b.row), std::max(a.col, b.col),
            std::max(a.row, b.row)};
}

void FormulaCode::clear() {
    code.clear();
    numbers.clear();
    texts.clear();
    refs.clear();
    ranges.clear();
    names.clear();
    spellings.clear();
    addressRefs = 0;
    isVolatile = false;
    arithmeticOnly = false;
    scalarOnly = false;
    textOnly = false;
}

std::uint32_t FormulaCode::addNumber(double value, std::string_view written) {
    const auto index = static_cast<std::uint32_t>(numbers.size());
    numbers.push_back(value);
    // Most literals are written in their shortest form ("2", "0.5"): only
    // the others keep their text.
    char shortest[40];
    auto r = std::to_chars(shortest, shortest + sizeof shortest, value);
    if (!written.empty() &&
        std::string_view(shortest, static_cast<std::size_t>(r.ptr - shortest)) != written)
        spellings.emplace_back(index, std::string(written));
    return index;
}

std::string FormulaCode::numberText(std::uint32_t index) const {
    for (const auto& [at, text] : spellings)
        if (at == index)
            return text;
    return formatShortest(numbers[index]);
}

namespace {

struct Hasher {
    std::uint64_t h = 1469598103934665603ull;
    void add(std::uint64_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); }
    void add(const CellRef& r) {
        add((static_cast<std::uint64_t>(static_cast<std::uint32_t>(r.col)) << 32) |
            static_cast<std::uint32_t>(r.row));
        add((r.colAbs ? 1u : 0u) | (r.rowAbs ? 2u : 0u));
    }
    void add(std::string_view s) {
        add(s.size());
        for (char c : s)
            add(static_cast<unsigned char>(c));
    }
};

} // namespace

std::uint64_t FormulaCode::hash() const {
    Hasher h;
    for (const Instr& in : code)
        h.add((static_cast<std::uint64_t>(in.flags) << 48) |
              (static_cast<std::uint64_t>(in.op) << 40) |
              (static_cast<std::uint64_t>(in.argc) << 32) | in.index);
    for (double n : numbers) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &n, sizeof bits);
        h.add(bits);
    }
    for (const auto& t : texts)
        h.add(std::string_view(t));
    for (const auto& r : refs)
        h.add(r);
    for (const auto& r : ranges) {
        h.add(r.first);
        h.add(r.last);
        h.add(r.whole);
    }
    for (const auto& n : names)
        h.add(std::string_view(n));
    for (const auto& [index, text] : spellings) {
        h.add(index);
        h.add(std::string_view(text));
    }
    h.add(addressRefs);
    return h.h;
}

bool FormulaCode::sameProgram(const FormulaCode& o) const {
    if (code != o.code || refs != o.refs || ranges != o.ranges || texts != o.texts ||
        names != o.names || spellings != o.spellings || addressRefs != o.addressRefs ||
        numbers.size() != o.numbers.size())
        return false;
    // Compare numbers bit by bit: 0 and -0 are different programs.
    return numbers.empty() ||
           std::memcmp(numbers.data(), o.numbers.data(), numbers.size() * sizeof(double)) == 0;
}

bool FormulaCode::isShortProgramOf(std::uint64_t ops, bool (*callable)(std::uint32_t)) const {
    if (code.size() > kMaxArithmeticCode || isVolatile)
        return false;
    for (const Instr& in : code) {
        if (!(ops & opBit(in.op)) || (in.op == Op::Call && !callable(in.index)))
            return false;
    }
    return true;
}

bool FormulaCode::isArithmetic() const {
    if (code.size() > kMaxArithmeticCode)
        return false;
    // The operands each instruction finds must be there, and one value left.
    std::size_t depth = 0;
    for (const Instr& in : code) {
        switch (in.op) {
        case Op::Number:
        case Op::Ref:
            ++depth;
            break;
        case Op::Negate:
        case Op::UnaryPlus:
        case Op::Paren:
            if (depth < 1)
                return false;
            break;
        case Op::Add:
        case Op::Subtract:
        case Op::Multiply:
        case Op::Divide:
            if (depth < 2)
                return false;
            --depth;
            break;
        default:
            return false;
        }
    }
    return depth == 1;
}

std::string columnName(int col) {
    std::string name;
    while (col > 0) {
        int m = (col - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + m));
        col = (col - 1) / 26;
    }
    return name;
}

void appendA1(std::string& out, const CellRef& ref, CellPos at) {
    CellPos p = ref.resolve(at);
    if (!isInGrid(p)) {
        out += "#REF!";
        return;
    }
    if (ref.colAbs)
        out += '$';
    out += columnName(p.col);
    if (ref.rowAbs)
        out += '$';
    out += std::to_string(p.row);
}

void appendR1C1(std::string& out, const CellRef& ref, CellPos) {
    out += 'R';
    if (ref.rowAbs)
        out += std::to_string(ref.row);
    else if (ref.row != 0) {
        out += '[';
        out += std::to_string(ref.row);
        out += ']';
    }
    out += 'C';
    if (ref.colAbs)
        out += std::to_string(ref.col);
    else if (ref.col != 0) {
        out += '[';
        out += std::to_string(ref.col);
        out += ']';
    }
}

namespace {

// One side of a whole-column or whole-row range: "$C" / "3" in A1 style,
// "C3" / "C[-1]" / "R2" in R1C1 style; "" when it leaves the grid.
std::string bandSide(const CellRef& ref, CellPos at, bool columns, bool r1c1) {
    int value = columns ? ref.col : ref.row;
    bool absolute = columns ? ref.colAbs : ref.rowAbs;
    int resolved = absolute ? value : value + (columns ? at.col : at.row);
    if (resolved < 1 || resolved > (columns ? kMaxCols : kMaxRows))
        return {};
    std::string s;
    if (r1c1) {
        s += columns ? 'C' : 'R';
        if (absolute)
            s += std::to_string(value);
        else if (value != 0)
            s += "[" + std::to_string(value) + "]";
        return s;
    }
    if (absolute)
        s += '$';
    s += columns ? columnName(resolved) : std::to_string(resolved);
    return s;
}

} // namespace

std::string bandText(const RangeRef& r, CellPos at, bool r1c1) {
    bool columns = r.whole == kWholeColumns;
    std::string a = bandSide(r.first, at, columns, r1c1);
    std::string b = bandSide(r.last, at, columns, r1c1);
    if (a.empty() || b.empty())
        return "#REF!";
    if (r1c1 && a == b)
        return a;
    return a + ":" + b;
}

} // namespace vtx::sheet
