#pragma once

/// The 25 evaluation timers of the standards engine, for diagnostics: each
/// stage of a run adds its time to its timer (see docs/standards-engine.md
/// for the stages).

#include "platform/core/Timer.h"

extern Vtx_Timer gLoadFile;
extern Vtx_Timer gInitSSForInput;
extern Vtx_Timer gSSSGetFromMacro;
extern Vtx_Timer gInitMapping;
extern Vtx_Timer gInitFromMacro;
extern Vtx_Timer gSetMacroValuelsToSS;
extern Vtx_Timer gSSSreplaceGenVars;
extern Vtx_Timer gGetFromVars;
extern Vtx_Timer gCalcMain;
extern Vtx_Timer gSetToMacro;
extern Vtx_Timer gCalcChild;
extern Vtx_Timer gSetToVars;
extern Vtx_Timer gRegisterFuntions;
extern Vtx_Timer gFindDuplicates;
extern Vtx_Timer gCalcCells;
extern Vtx_Timer gCalcCellSplitSymbol;
extern Vtx_Timer gCalcCellFindVarCell;
extern Vtx_Timer gCalcCellFindFunctions;
extern Vtx_Timer gCalcCellCalcNativeFunctions;
extern Vtx_Timer gCalcCellCalcFunctionsPrepare;
extern Vtx_Timer gCalcCellCalcFunctions;
extern Vtx_Timer gCalcCellGetVarNames;
extern Vtx_Timer gCalcCellGetVarCoords;
extern Vtx_Timer gCalcCellGetVarCoordName;
extern Vtx_Timer gCalcCellReplaceVariables;

/// All 25 timers, in the order above.
Vtx_Timer* const* standardsTimers(int& count);
/// Resets every timer.
void resetStandardsTimers();

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
