// Readable names for the standards engine's stage timers.

#include "Apply.h"

#include <cctype>
#include <string_view>

namespace cli {

namespace {

struct TimerLabel {
    const char* name;
    const char* label;
};

// The engine's names are kept as they are spelt there; the report says what
// each stage does.
constexpr TimerLabel kLabels[] = {
    {"gLoadFile", "load the spreadsheet"},
    {"gInitSSForInput", "set up the inputs"},
    {"gSSSGetFromMacro", "read the variables from the macro"},
    {"gInitMapping", "read the mapping"},
    {"gInitFromMacro", "read the macro values"},
    {"gSetMacroValuelsToSS", "put the macro values into the cells"},
    {"gSSSreplaceGenVars", "replace the general variables"},
    {"gGetFromVars", "child: take the passed inputs"},
    {"gCalcMain", "evaluate the equations"},
    {"gSetToMacro", "write the outputs to the macro"},
    {"gCalcChild", "child: evaluate the equations"},
    {"gSetToVars", "child: pass the outputs back"},
    {"gRegisterFuntions", "register the functions"},
    {"gFindDuplicates", "find duplicate variables"},
    {"gCalcCells", "evaluate the equation cells"},
    {"gCalcCellSplitSymbol", "equation: split at '='"},
    {"gCalcCellFindVarCell", "equation: find the variable"},
    {"gCalcCellFindFunctions", "equation: look for child calls"},
    {"gCalcCellCalcNativeFunctions", "equation: child calls"},
    {"gCalcCellCalcFunctionsPrepare", "equation: prepare the cell"},
    {"gCalcCellCalcFunctions", "equation: compute the formula"},
    {"gCalcCellGetVarNames", "equation: variable names"},
    {"gCalcCellGetVarCoords", "equation: variable cells"},
    {"gCalcCellGetVarCoordName", "equation: variable cell names"},
    {"gCalcCellReplaceVariables", "equation: replace the variable names"},
};

// A name the table does not know, in words: "gCalcSomething" gives
// "calc something".
std::string words(std::string_view name) {
    if (name.size() > 1 && name[0] == 'g' && std::isupper(static_cast<unsigned char>(name[1])))
        name.remove_prefix(1);
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool upper = std::isupper(c);
        const bool afterLower = i > 0 && std::islower(static_cast<unsigned char>(name[i - 1]));
        if (upper && afterLower)
            text += ' ';
        text += static_cast<char>(std::tolower(c));
    }
    return text;
}

} // namespace

std::string timerLabel(const std::string& internalName) {
    for (const TimerLabel& entry : kLabels)
        if (internalName == entry.name)
            return entry.label;
    return words(internalName);
}

} // namespace cli
