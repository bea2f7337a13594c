#include "standards/StandardsTimers.h"

Vtx_Timer gLoadFile("gLoadFile");
Vtx_Timer gInitSSForInput("gInitSSForInput");
Vtx_Timer gSSSGetFromMacro("gSSSGetFromMacro");
Vtx_Timer gInitMapping("gInitMapping");
Vtx_Timer gInitFromMacro("gInitFromMacro");
Vtx_Timer gSetMacroValuelsToSS("gSetMacroValuelsToSS");
Vtx_Timer gSSSreplaceGenVars("gSSSreplaceGenVars");
Vtx_Timer gGetFromVars("gGetFromVars");
Vtx_Timer gCalcMain("gCalcMain");
Vtx_Timer gSetToMacro("gSetToMacro");
Vtx_Timer gCalcChild("gCalcChild");
Vtx_Timer gSetToVars("gSetToVars");
Vtx_Timer gRegisterFuntions("gRegisterFuntions");
Vtx_Timer gFindDuplicates("gFindDuplicates");
Vtx_Timer gCalcCells("gCalcCells");
Vtx_Timer gCalcCellSplitSymbol("gCalcCellSplitSymbol");
Vtx_Timer gCalcCellFindVarCell("gCalcCellFindVarCell");
Vtx_Timer gCalcCellFindFunctions("gCalcCellFindFunctions");
Vtx_Timer gCalcCellCalcNativeFunctions("gCalcCellCalcNativeFunctions");
Vtx_Timer gCalcCellCalcFunctionsPrepare("gCalcCellCalcFunctionsPrepare");
Vtx_Timer gCalcCellCalcFunctions("gCalcCellCalcFunctions");
Vtx_Timer gCalcCellGetVarNames("gCalcCellGetVarNames");
Vtx_Timer gCalcCellGetVarCoords("gCalcCellGetVarCoords");
Vtx_Timer gCalcCellGetVarCoordName("gCalcCellGetVarCoordName");
Vtx_Timer gCalcCellReplaceVariables("gCalcCellReplaceVariables");

namespace {

Vtx_Timer* const kTimers[] = {
    &gLoadFile,
    &gInitSSForInput,
    &gSSSGetFromMacro,
    &gInitMapping,
    &gInitFromMacro,
    &gSetMacroValuelsToSS,
    &gSSSreplaceGenVars,
    &gGetFromVars,
    &gCalcMain,
    &gSetToMacro,
    &gCalcChild,
    &gSetToVars,
    &gRegisterFuntions,
    &gFindDuplicates,
    &gCalcCells,
    &gCalcCellSplitSymbol,
    &gCalcCellFindVarCell,
    &gCalcCellFindFunctions,
    &gCalcCellCalcNativeFunctions,
    &gCalcCellCalcFunctionsPrepare,
    &gCalcCellCalcFunctions,
    &gCalcCellGetVarNames,
    &gCalcCellGetVarCoords,
    &gCalcCellGetVarCoordName,
    &gCalcCellReplaceVariables,
};

} // namespace

Vtx_Timer* const* standardsTimers(int& count) {
    count = static_cast<int>(sizeof kTimers / sizeof kTimers[0]);
    return kTimers;
}

void resetStandardsTimers() {
    for (Vtx_Timer* timer : kTimers)
        timer->reset();
}
