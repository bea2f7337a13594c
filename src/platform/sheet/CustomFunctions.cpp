// Custom functions of a grid: registration and the call through 24-byte
// value records, texts travelling in the host's movable global memory.
#include "platform/sheet/SheetImpl.h"

#include "platform/host/CommandLine.h"
#include "platform/host/GlobalMemory.h"
#include "platform/host/Host.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vtx::sheet {

namespace {

// A new movable block holding text and its terminating zero; 0 on failure,
// which is reported on the host's command line.
GlobalHandle textToBlock(const std::string& text) {
    HostGlobalMemory& memory = Host::current().memory();
    GlobalHandle h = memory.alloc(kGlobalMovable, text.size() + 1);
    char* p = h ? static_cast<char*>(memory.lock(h)) : nullptr;
    if (!p) {
        Host::current().commandLine().printf("Reallocate failed\n");
        return h;
    }
    std::memcpy(p, text.c_str(), text.size() + 1);
    memory.unlock(h);
    return h;
}

// The text of a block (up to its zero or its end), freeing the block.
bool blockToText(GlobalHandle h, std::string& text) {
    HostGlobalMemory& memory = Host::current().memory();
    const char* p = static_cast<const char*>(memory.lock(h));
    if (!p)
        return false;
    std::size_t size = memory.size(h);
    text.assign(p, strnlen(p, size));
    memory.unlock(h);
    memory.free(h);
    return true;
}

void putValue(ValueRecord& rec, const Value& v) {
    switch (v.type()) {
    case ValueType::Empty:
        rec.setStatus(kValueNone);
        rec.setType(kValueInt);
        break;
    case ValueType::Boolean:
        rec.setType(kValueInt);
        rec.setInt(v.asBoolean() ? 1 : 0);
        break;
    case ValueType::Number: {
        double n = v.asNumber();
        if (n == std::trunc(n) && n >= std::numeric_limits<std::int32_t>::min() &&
            n <= std::numeric_limits<std::int32_t>::max()) {
            rec.setType(kValueInt);
            rec.setInt(static_cast<std::int32_t>(n));
        } else {
            rec.setType(kValueDouble);
            rec.setDouble(n);
        }
        break;
    }
    case ValueType::Text:
        rec.setType(kValueText);
        rec.setHandle(textToBlock(v.asText()));
        break;
    case ValueType::Error:
        rec.setStatus(kValueError);
        rec.setType(kValueInt);
        rec.setInt(static_cast<std::int32_t>(v.asError()));
        break;
    }
}

Value operandAsValue(const Operand& op, const CellStore& cells) {
    if (op.kind == OperandKind::Missing)
        return Value();
    return operandValue(op, cells);
}

} // namespace

bool SheetModel::addCustomFunction(std::string_view name, int minArgs, int maxArgs,
                                   CustomFunctionHandler handler, unsigned flags,
                                   const AddressArguments& addresses) {
    if (name.empty() || minArgs < 0 || maxArgs < minArgs || maxArgs > 255 || !handler)
        return false;
    SheetImpl& s = *m_impl;
    std::string upper = upperText(name);
    auto it = s.m_custom.find(upper);
    // Formulas calling the function are marked by its address arguments;
    // when they change, so do those formulas' links, which must not change
    // under a running recalculation.
    const bool remark = it == s.m_custom.end()
                            ? !addresses.empty() || s.m_markedNames.count(upper) > 0
                            : !(it->second.addresses == addresses);
    if (remark && s.m_recalcDepth > 0)
        return false;
    // Parsed formulas depend on a function's arguments, flags and address
    // arguments, not on its handler: registering the same function again
    // keeps them.
    const bool sameShape = it != s.m_custom.end() && it->second.minArgs == minArgs &&
                           it->second.maxArgs == maxArgs && it->second.flags == flags &&
                           it->second.addresses == addresses;
    if (!sameShape)
        s.m_textCache.clear();
    s.m_custom[upper] =
        CustomFunction{std::string(name), minArgs, maxArgs, std::move(handler), flags, addresses};
    if (remark)
        s.remarkCallsOf(upper);
    return true;
}

bool SheetModel::removeCustomFunction(std::string_view name) {
    m_impl->m_textCache.clear();
    return m_impl->m_custom.erase(upperText(name)) > 0;
}

void SheetModel::clearCustomFunctions() {
    m_impl->m_textCache.clear();
    m_impl->m_custom.clear();
}

bool SheetModel::hasCustomFunction(std::string_view name) const {
    return m_impl->findCustom(upperText(name)) != nullptr;
}

void SheetImpl::markAddresses(FormulaCode& code) {
    // For every operand on the evaluation stack: the index of the reference
    // when the operand is a reference written as it is, else -1. The jumps
    // of IF and IFERROR leave the stack as evaluating every branch would.
    std::vector<std::int64_t> stack;
    std::vector<std::uint8_t> address(code.refs.size(), 0);
    bool known = true;
    for (const Instr& in : code.code) {
        const std::size_t argc =
            in.op == Op::Call || in.op == Op::CallName                              ? in.argc
            : in.op >= Op::Add && in.op <= Op::GreaterEqual                         ? 2
            : in.op == Op::Negate || in.op == Op::UnaryPlus || in.op == Op::Percent ? 1
                                                                                    : 0;
        if (stack.size() < argc) {
            known = false;
            break;
        }
        switch (in.op) {
        case Op::Ref:
            stack.push_back(in.index);
            continue;
        case Op::Number:
        case Op::Text:
        case Op::Boolean:
        case Op::Error:
        case Op::Missing:
        case Op::Range:
            stack.push_back(-1);
            continue;
        case Op::Paren:
        case Op::JumpIfFalse:
        case Op::Jump:
        case Op::JumpIfNotError:
        case Op::Nop:
            continue;
        case Op::CallName:
            if (const CustomFunction* fn = findCustom(code.names[in.index]);
                fn && !fn->addresses.empty()) {
                m_markedNames.insert(code.names[in.index]);
                for (std::size_t i = 0; i < argc; ++i) {
                    const std::int64_t ref = stack[stack.size() - argc + i];
                    if (ref >= 0 &&
                        fn->addresses.isAddress(static_cast<int>(argc), static_cast<int>(i) + 1))
                        address[static_cast<std::size_t>(ref)] = 1;
                }
            }
            break;
        case Op::Call:
        case Op::Negate:
        case Op::UnaryPlus:
        case Op::Percent:
            break;
        default:
            if (in.op >= Op::Add && in.op <= Op::GreaterEqual)
                break;
            known = false; // an instruction this walk does not know
            break;
        }
        if (!known)
            break;
        stack.resize(stack.size() - argc);
        stack.push_back(-1);
    }
    if (!known)
        std::fill(address.begin(), address.end(), 0);
    // The precedents first, the addresses last, each in their order.
    std::vector<std::uint32_t> newIndex(code.refs.size());
    std::vector<CellRef> refs;
    refs.reserve(code.refs.size());
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < code.refs.size(); ++i)
            if (address[i] == pass) {
                newIndex[i] = static_cast<std::uint32_t>(refs.size());
                refs.push_back(code.refs[i]);
            }
    for (Instr& in : code.code)
        if (in.op == Op::Ref)
            in.index = newIndex[in.index];
    code.refs.swap(refs);
    code.addressRefs =
        static_cast<std::uint32_t>(std::count(address.begin(), address.end(), std::uint8_t{1}));
}

void SheetImpl::remarkCallsOf(const std::string& upperName) {
    std::vector<CellPos> callers;
    m_cells.forEachCell([&](int col, int row, Cell& c) {
        if (c.formula && std::find(c.formula->names.begin(), c.formula->names.end(), upperName) !=
                             c.formula->names.end())
            callers.push_back({col, row});
    });
    if (callers.empty())
        m_markedNames.erase(upperName);
    // Cells share programs: each is marked once. The map holds a use of
    // every new program until all cells have taken theirs.
    std::unordered_map<FormulaCode*, FormulaCode*> marked;
    for (CellPos p : callers) {
        FormulaCode* old = m_cells.find(p.col, p.row)->formula;
        auto [it, first] = marked.emplace(old, nullptr);
        if (first) {
            FormulaCode code = *old;
            markAddresses(code);
            if (!code.sameProgram(*old))
                it->second = m_pool.intern(code);
        }
        FormulaCode* fresh = it->second;
        if (!fresh)
            continue;
        // The value stays; the new links count from the next recalculation.
        m_graph.unlink(m_cells, p, *old);
        m_pool.retain(fresh);
        m_cells.find(p.col, p.row)->formula = fresh;
        m_graph.link(m_cells, p, *fresh);
        m_pool.release(old);
    }
    for (const auto& [old, fresh] : marked)
        if (fresh)
            m_pool.release(fresh);
}

void SheetImpl::callNamed(std::string_view name, Operand* args, int argc, CellPos,
                          Operand& result) {
    const CustomFunction* fn = findCustom(name);
    if (!fn) {
        result.setError(FormulaError::Name);
        return;
    }
    if (argc < fn->minArgs || argc > fn->maxArgs) {
        result.setError(FormulaError::Value);
        return;
    }
    // Copy what is needed: the handler may change the grid's functions.
    CustomFunctionHandler handler = fn->handler;
    bool references = (fn->flags & kCustomReferences) != 0;
    const bool noValueIsEmptyText = (fn->flags & kCustomNoValueIsEmptyText) != 0;
    std::vector<ValueRecord> records(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        ValueRecord& rec = records[static_cast<std::size_t>(i)];
        const Operand& a = args[i];
        if (references && a.kind == OperandKind::Ref) {
            rec.setType(kValueCell);
            rec.setCell(a.range.col0, a.range.row0);
        } else if (references && a.kind == OperandKind::Range) {
            rec.setType(kValueRange);
            rec.setRange(a.range.col0, a.range.row0, a.range.col1, a.range.row1);
        } else if (a.kind == OperandKind::Range &&
                   !(a.range.col0 == a.range.col1 && a.range.row0 == a.range.row1)) {
            rec.setStatus(kValueError);
            rec.setType(kValueRange);
        } else {
            putValue(rec, operandAsValue(a, m_cells));
        }
    }
    ValueRecord out;
    out.setStatus(kValueNone);
    int ok = handler(&out, records.empty() ? nullptr : records.data(), argc);
    if (!ok && out.status() == kValueOk && out.type() == kValueText)
        ok = 1; // a text was handed over: take it so its block is freed
    if (out.status() == kValueOk) {
        switch (out.type()) {
        case kValueInt:
            result.setNumber(out.intValue());
            break;
        case kValueDouble:
            if (std::isfinite(out.doubleValue()))
                result.setNumber(out.doubleValue());
            else
                result.setError(FormulaError::Num);
            break;
        case kValueText: {
            std::string text;
            if (out.handle() && blockToText(out.handle(), text))
                result.setText(std::move(text));
            else
                result.setError(FormulaError::Value);
            break;
        }
        default:
            result.setError(FormulaError::Value);
            break;
        }
        if (!ok)
            result.setError(FormulaError::Value);
        return;
    }
    if (out.status() == kValueNone && ok && noValueIsEmptyText)
        result.setText(std::string());
    else
        result.setError(out.status() == kValueNone && ok ? FormulaError::NA : FormulaError::Value);
}

} // namespace vtx::sheet
