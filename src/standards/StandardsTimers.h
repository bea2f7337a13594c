#pragma once

/// The 25 evaluation timers of the standards engine, for diagnostics: each
/// stage of a run adds its time to its timer (see docs/standards-engine.md
/// for the stages).

#include "platform/Exports.h"
#include "platform/core/Timer.h"

extern VTX_MODULE_API Vtx_Timer gLoadFile;
extern VTX_MODULE_API Vtx_Timer gInitSSForInput;
extern VTX_MODULE_API Vtx_Timer gSSSGetFromMacro;
extern VTX_MODULE_API Vtx_Timer gInitMapping;
extern VTX_MODULE_API Vtx_Timer gInitFromMacro;
extern VTX_MODULE_API Vtx_Timer gSetMacroValuelsToSS;
extern VTX_MODULE_API Vtx_Timer gSSSreplaceGenVars;
extern VTX_MODULE_API Vtx_Timer gGetFromVars;
extern VTX_MODULE_API Vtx_Timer gCalcMain;
extern VTX_MODULE_API Vtx_Timer gSetToMacro;
extern VTX_MODULE_API Vtx_Timer gCalcChild;
extern VTX_MODULE_API Vtx_Timer gSetToVars;
extern VTX_MODULE_API Vtx_Timer gRegisterFuntions;
extern VTX_MODULE_API Vtx_Timer gFindDuplicates;
extern VTX_MODULE_API Vtx_Timer gCalcCells;
extern VTX_MODULE_API Vtx_Timer gCalcCellSplitSymbol;
extern VTX_MODULE_API Vtx_Timer gCalcCellFindVarCell;
extern VTX_MODULE_API Vtx_Timer gCalcCellFindFunctions;
extern VTX_MODULE_API Vtx_Timer gCalcCellCalcNativeFunctions;
extern VTX_MODULE_API Vtx_Timer gCalcCellCalcFunctionsPrepare;
extern VTX_MODULE_API Vtx_Timer gCalcCellCalcFunctions;
extern VTX_MODULE_API Vtx_Timer gCalcCellGetVarNames;
extern VTX_MODULE_API Vtx_Timer gCalcCellGetVarCoords;
extern VTX_MODULE_API Vtx_Timer gCalcCellGetVarCoordName;
extern VTX_MODULE_API Vtx_Timer gCalcCellReplaceVariables;

/// All 25 timers, in the order above.
VTX_MODULE_API Vtx_Timer* const* standardsTimers(int& count);
/// Resets every timer.
VTX_MODULE_API void resetStandardsTimers();

/// Times a scope with a timer. A child evaluation re-enters the stages of
/// its parent; only the outermost scope of a timer counts, so nested runs
/// are not counted twice.
class TimerScope {
public:
    explicit TimerScope(Vtx_Timer& timer) : m_timer(timer), m_outer(!timer.isRunning()) {
        if (m_outer)
            m_timer.start();
    }
    ~TimerScope() {
        if (m_outer)
            m_timer.end();
    }
    TimerScope(const TimerScope&) = delete;
    TimerScope& operator=(const TimerScope&) = delete;

private:
    Vtx_Timer& m_timer;
    bool m_outer;
};
