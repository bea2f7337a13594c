// Running the regression cases of a standards spreadsheet through the real
// evaluation, with the inputs handed over as a child call hands them over.

#include "standards/StandardCases.h"

#include "platform/core/StringUtils.h"
#include "spread/DialogHost.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsStandardsSheet.h"

#include <cmath>

namespace {

constexpr int kPlaceholder = 1;

// The spreadsheet's inputs and outputs in the order the evaluation pairs
// them with the variables it is given.
bool readParameters(const Vtx_String& path, KsVarCells& parameters, Vtx_String& error) {
    HiddenDialogHost host;
    host.addPlaceholder(kPlaceholder, {0, 0, 600, 400});
    KsStandardsSheet sheet;
    Vtx_String reason;
    if (!sheet.createInDialog(&host, kPlaceholder, true) || !sheet.loadFile(path, &reason)) {
        error = path + ": cannot be read: " + reason;
        return false;
    }
    sheet.scanLabels();
    if (sheet.readVariables(true) != eOk) {
        error = path + ": has no Input or no Output section";
        return false;
    }
    for (int i = 0; i < sheet.varCells().length(); ++i)
        if (!sheet.varCells()[i].isLocal())
            parameters.append(sheet.varCells()[i]);
    return true;
}

// Each input and expected output must be one of the spreadsheet's.
bool checkNames(const CaseFile& cases, const KsVarCells& parameters, Vtx_String& error) {
    auto fail = [&](const CaseEntry& entry, const char* what) {
        error =
            cases.path + ":" + Vtx_String::fromInt(entry.line) + ": " + entry.name + " is " + what;
        return false;
    };
    for (const StandardCase& one : cases.cases) {
        for (const CaseEntry& input : one.inputs) {
            int index = -1;
            if (parameters.findVarCell(input.name, index) != eOk || !parameters[index].isInput())
                return fail(input, "not an input of the spreadsheet");
        }
        for (const CaseEntry& expect : one.expects) {
            int index = -1;
            if (parameters.findVarCell(expect.name, index) != eOk || !parameters[index].isOutput())
                return fail(expect, "not an output of the spreadsheet");
        }
    }
    return true;
}

// A number as a number cell gives it, without the zeros of its decimals.
Vtx_String shownValue(const KsVarCell& cell) {
    double number = 0;
    if (cell.valueType != static_cast<int>(KsValueType::String) && !cell.value.isEmpty() &&
        cell.value.toDouble(number))
        return Vtx_String(number, 7);
    return cell.value;
}

CaseResult runCase(const Vtx_String& path, const StandardCase& one, const KsVarCells& parameters) {
    KsDlgStandardsData data;
    data.callMode = KsDlgStandardsData::kChildEvaluation;
    data.spreadsheetName = path;
    for (const CaseEntry& general : one.generals) {
        data.genVarNames.append(general.name);
        data.genVarValues.append(general.value);
    }
    for (int i = 0; i < parameters.length(); ++i) {
        KsVarCell passed = parameters[i];
        passed.value.clear();
        for (const CaseEntry& input : one.inputs)
            if (passed.isInput() && input.name.equal(passed.name, false))
                passed.value = input.value;
        data.varCells.append(passed);
    }
    CaseResult result;
    result.name = one.name;
    result.line = one.line;
    result.evaluated = StartDlgStandardsSS(data);
    for (const CaseEntry& expect : one.expects) {
        CaseValue value{expect.name, expect.value, {}, false, expect.line};
        int index = -1;
        if (result.evaluated && data.varCells.findVarCell(expect.name, index) == eOk) {
            value.actual = shownValue(data.varCells[index]);
            value.matches = caseValuesMatch(expect.value, value.actual, one.tolerance);
        }
        result.values.push_back(value);
    }
    return result;
}

} // namespace

bool CaseResult::passed() const {
    if (!evaluated)
        return false;
    for (const CaseValue& value : values)
        if (!value.matches)
            return false;
    return true;
}

bool caseValuesMatch(const Vtx_String& expected, const Vtx_String& actual, double tolerance) {
    double e = 0;
    double a = 0;
    if (isNumber(expected) && isNumber(actual) && expected.toDouble(e) && actual.toDouble(a))
        return std::fabs(a - e) <= tolerance;
    return expected == actual;
}

bool runCases(const Vtx_String& path, const CaseFile& cases, std::vector<CaseResult>& results,
              Vtx_String& error) {
    results.clear();
    KsVarCells parameters;
    if (!readParameters(path, parameters, error) || !checkNames(cases, parameters, error))
        return false;
    for (const StandardCase& one : cases.cases)
        results.push_back(runCase(path, one, parameters));
    return true;
}
