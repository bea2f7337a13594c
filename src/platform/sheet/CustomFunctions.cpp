// Custom functions of a grid: registration and the call through 24-byte
// value records, texts travelling in the host's movable global memory.
#include "platform/sheet/SheetImpl.h"

#include "platform/host/CommandLine.h"
#include "platform/host/GlobalMemory.h"
#include "platform/host/Host.h"
#include "platform/sheet/functions/TextUtil.h"

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
                                   CustomFunctionHandler handler, unsigned flags) {
    if (name.empty() || minArgs < 0 || maxArgs < minArgs || maxArgs > 255 || !handler)
        return false;
    std::string upper = upperText(name);
    auto it = m_impl->m_custom.find(upper);
    // Parsed formulas depend on a function's arguments and flags, not on its
    // handler: registering the same function again keeps them.
    const bool sameShape = it != m_impl->m_custom.end() && it->second.minArgs == minArgs &&
                           it->second.maxArgs == maxArgs && it->second.flags == flags;
    if (!sameShape)
        m_impl->m_textCache.clear();
    m_impl->m_custom[upper] =
        CustomFunction{std::string(name), minArgs, maxArgs, std::move(handler), flags};
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
    result.setError(out.status() == kValueNone && ok ? FormulaError::NA : FormulaError::Value);
}

} // namespace vtx::sheet
