// The registration table of the standards functions and the one place where
// value records become arguments and a result becomes a value record.

#include "standards/StandardsFunctions.h"

#include "platform/host/GlobalText.h"
#include "platform/host/Host.h"
#include "standards/KsTrace.h"
#include "standards/StandardsFunctionBodies.h"

#include <array>

using vtx::sheet::kValueDouble;
using vtx::sheet::kValueInt;
using vtx::sheet::kValueNone;
using vtx::sheet::kValueOk;
using vtx::sheet::kValueText;
using vtx::sheet::ValueRecord;

namespace {

namespace body = standards_bodies;

// Arguments arrive as values; a function's "no value" is the empty text, so
// that a variable given no value is empty and ISNULL of it is 1.
constexpr unsigned kFlags = vtx::sheet::kCustomValues | vtx::sheet::kCustomNoValueIsEmptyText;

constexpr std::array<StandardsFunctionDef, 12> kFunctions{{
    {"ROUNDTO", 2, 2, kFlags, body::roundTo},
    {"GETCELL", 2, 7, kFlags, body::getCell},
    {"GETPROFCELL", 2, 7, kFlags, body::getProfCell},
    {"SECTIONSIZE", 2, 2, kFlags, body::sectionSize},
    {"GETSYSNAME", 1, 1, kFlags, body::getSysName},
    {"STDWIDTHWITHTOLERANCE", 6, 6, kFlags, body::stdWidthWithTolerance},
    {"STDTHICKNESSWITHTOLERANCE", 5, 5, kFlags, body::stdThicknessWithTolerance},
    {"STDSIZEWITHTOLERANCE", 5, 5, kFlags, body::stdSizeWithTolerance},
    {"GETARRAYITEM", 2, 2, kFlags, body::getArrayItem},
    {"TONUMBER", 1, 1, kFlags, body::toNumber},
    {"ISNULL", 1, 1, kFlags, body::isNull},
    {"ISPOSITIVE", 1, 1, kFlags, body::isPositive},
}};

/// Decodes one record; a text's block is read and freed, since the handler
/// owns it.
StandardsArgument decode(const ValueRecord& record) {
    StandardsArgument argument;
    argument.status = record.status();
    argument.type = record.type();
    if (argument.status != kValueOk)
        return argument;
    switch (argument.type) {
    case kValueInt:
        argument.number = record.intValue();
        break;
    case kValueDouble:
        argument.number = record.doubleValue();
        break;
    case kValueText:
        // A block that cannot be read makes the argument an error, not "".
        if (!getGlobalStr(record.handle(), argument.text))
            argument.status = vtx::sheet::kValueError;
        else
            Host::current().memory().free(record.handle());
        break;
    default:
        break;
    }
    return argument;
}

// An argument or result as the trace shows it.
Vtx_String shownArgument(const StandardsArgument& argument) {
    if (argument.isNumber())
        return traceNumber(argument.number);
    if (argument.isText())
        return Vtx_String("\"") + withoutQuotes(argument.text) + "\"";
    return argument.isNone() ? "(no value)" : "(error)";
}

// callStandardsFunction with the call recorded in the trace.
bool callTraced(KsTrace& trace, const StandardsFunctionDef& def, StandardsCall& call) {
    KsTraceCall traced;
    traced.function = def.name;
    for (int i = 0; i < call.count(); ++i)
        traced.arguments.push_back(shownArgument(call.at(i)));
    call.setTrace(&traced);
    traced.ok = callStandardsFunction(def, call);
    call.setTrace(nullptr);
    if (call.count() < def.minArgs || call.count() > def.maxArgs)
        traced.detail = Vtx_String("takes ") + Vtx_String::fromInt(def.minArgs) + " to " +
                        Vtx_String::fromInt(def.maxArgs) + " arguments";
    if (call.resultKind() == StandardsResultKind::Number)
        traced.result = traceNumber(call.resultNumber());
    else if (call.resultKind() == StandardsResultKind::Text)
        traced.result = Vtx_String("\"") + call.resultText() + "\"";
    trace.functionCalled(traced);
    return traced.ok;
}

void setNoValue(ValueRecord& result) {
    result = ValueRecord{};
    result.setStatus(kValueNone);
    result.setType(kValueInt);
}

} // namespace

std::span<const StandardsFunctionDef> standardsFunctions() {
    return kFunctions;
}

const StandardsFunctionDef* findStandardsFunction(std::string_view name) {
    for (const StandardsFunctionDef& def : kFunctions)
        if (Vtx_String(def.name).equal(Vtx_String(name), false))
            return &def;
    return nullptr;
}

bool callStandardsFunction(const StandardsFunctionDef& def, StandardsCall& call) {
    if (call.count() < def.minArgs || call.count() > def.maxArgs)
        return false;
    if (!def.body(call)) {
        call.setText(Vtx_String());
        return false;
    }
    return true;
}

int callStandardsFunction(const StandardsFunctionDef& def, ValueRecord* result, ValueRecord* args,
                          int count) {
    if (result == nullptr || (args == nullptr && count > 0) || count < 0)
        return 0;
    setNoValue(*result);
    std::vector<StandardsArgument> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(decode(args[i]));
    StandardsCall call(std::move(arguments));
    KsTrace* trace = gKsTrace;
    if (!(trace ? callTraced(*trace, def, call) : callStandardsFunction(def, call)))
        return 0;
    switch (call.resultKind()) {
    case StandardsResultKind::Number:
        result->setStatus(kValueOk);
        result->setType(kValueDouble);
        result->setDouble(call.resultNumber());
        break;
    case StandardsResultKind::Text: {
        const GlobalHandle handle = setGlobalStr(call.resultText());
        if (handle == 0)
            return 0;
        result->setStatus(kValueOk);
        result->setType(kValueText);
        result->setHandle(handle);
        break;
    }
    case StandardsResultKind::None:
        break;
    }
    return 1;
}

vtx::sheet::CustomFunctionHandler standardsHandler(const StandardsFunctionDef& def) {
    const StandardsFunctionDef* function = &def;
    return [function](ValueRecord* result, ValueRecord* args, int count) {
        return callStandardsFunction(*function, result, args, count);
    };
}
