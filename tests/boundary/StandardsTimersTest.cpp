// The 25 evaluation timers, read through the module's exported objects while
// the sample end-plate standard (which calls one child spreadsheet) is
// applied. The core library's timer observer sees every start and end of the
// module's timers, because both use the one core library of the process.

#include "ModuleBoundary.h"

#include "standards/KsSSDlgsMgr.h"
#include "standards/StandardsTimers.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Which timers may be running when a timer starts: the stages its own stage
// lies in. The child spreadsheet runs inside the calling equation, so there
// the calling sheet's stages run too (kCallingStages).
const std::map<std::string, std::set<std::string>> kEnclosing = [] {
    std::map<std::string, std::set<std::string>> enclosing;
    const std::set<std::string> calculation = {"gCalcMain", "gCalcChild"};
    std::set<std::string> equation = calculation;
    equation.insert("gCalcCells");
    enclosing["gInitMapping"] = enclosing["gInitFromMacro"] = {"gSSSGetFromMacro"};
    enclosing["gSSSreplaceGenVars"] = {"gGetFromVars"};
    for (const char* name : {"gRegisterFuntions", "gFindDuplicates", "gCalcCells"})
        enclosing[name] = calculation;
    for (const char* name :
         {"gCalcCellSplitSymbol", "gCalcCellFindVarCell", "gCalcCellFindFunctions",
          "gCalcCellCalcNativeFunctions", "gCalcCellCalcFunctionsPrepare", "gCalcCellCalcFunctions",
          "gCalcCellGetVarNames", "gCalcCellGetVarCoords", "gCalcCellGetVarCoordName"})
        enclosing[name] = equation;
    enclosing["gCalcCellReplaceVariables"] = equation;
    enclosing["gCalcCellReplaceVariables"].insert("gCalcCellCalcFunctionsPrepare");
    return enclosing;
}();
const std::set<std::string> kCallingStages = {"gCalcMain", "gCalcCells",
                                              "gCalcCellCalcNativeFunctions"};

class StandardsTimers : public ModuleBoundary {
protected:
    void SetUp() override {
        ModuleBoundary::SetUp();
        m_previous = Vtx_Timer::setObserver([this](const Vtx_Timer& timer, bool started) {
            const std::string name = timer.name().str();
            if (!started) {
                m_running.erase(name);
                return;
            }
            // Every running timer must be one whose stage holds this one.
            std::set<std::string> allowed;
            if (auto it = kEnclosing.find(name); it != kEnclosing.end())
                allowed = it->second;
            if (m_running.count("gCalcCellCalcNativeFunctions"))
                allowed.insert(kCallingStages.begin(), kCallingStages.end());
            for (const std::string& running : m_running)
                if (!allowed.count(running))
                    m_overlaps.push_back(name + " started while " + running + " ran");
            if (m_running.empty())
                m_evaluationStages.push_back(name);
            else if (m_running == kCallingStages)
                m_childStages.push_back(name);
            m_running.insert(name);
        });
    }
    void TearDown() override {
        Vtx_Timer::setObserver(m_previous);
        ModuleBoundary::TearDown();
    }

    Vtx_Timer::Observer m_previous;
    std::set<std::string> m_running;
    Names m_overlaps;
    Names m_evaluationStages; ///< timers started with none running
    Names m_childStages;      ///< timers started in the child call's stage
};

TEST_F(StandardsTimers, EveryTimerCountsWhenItsStageRuns) {
    int count = 0;
    Vtx_Timer* const* timers = standardsTimers(count);
    ASSERT_EQ(count, 25);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(timers[i]->count(), 0) << timers[i]->name().str() << ": reset by the load";

    KsDlgStandardsData data;
    fill(data, "EP-1");
    ASSERT_TRUE(StartDlgStandardsSS(data)) << m_host.commandLine().text();
    for (int i = 0; i < count; ++i) {
        EXPECT_GT(timers[i]->count(), 0) << timers[i]->name().str();
        EXPECT_FALSE(timers[i]->isRunning()) << timers[i]->name().str();
    }
    // Stages run once per sheet, or once for the calling sheet only.
    EXPECT_EQ(gLoadFile.count(), 2);
    EXPECT_EQ(gInitSSForInput.count(), 1);
    EXPECT_EQ(gGetFromVars.count(), 1);
    EXPECT_EQ(gSetToVars.count(), 1);
    EXPECT_EQ(gSSSreplaceGenVars.count(), 2);
    EXPECT_EQ(gRegisterFuntions.count(), 2);
    // The names, cells and addresses of the variables are looked up once per
    // sheet; the names are replaced in every equation of both sheets.
    EXPECT_EQ(gCalcCellGetVarNames.count(), 2);
    EXPECT_EQ(gCalcCellGetVarCoords.count(), 2);
    EXPECT_EQ(gCalcCellGetVarCoordName.count(), 2);
    EXPECT_GT(gCalcCellReplaceVariables.count(), 2);
    EXPECT_EQ(gCalcCellReplaceVariables.count(), gCalcCellCalcFunctionsPrepare.count());

    // A second run adds to the totals.
    const long long loads = gLoadFile.count();
    KsDlgStandardsData again;
    fill(again, "FP-1");
    ASSERT_TRUE(StartDlgStandardsSS(again)) << m_host.commandLine().text();
    EXPECT_GT(gLoadFile.count(), loads);
}

TEST_F(StandardsTimers, EachTimerMeasuresOnlyItsOwnStage) {
    KsDlgStandardsData data;
    fill(data, "EP-1");
    ASSERT_TRUE(StartDlgStandardsSS(data)) << m_host.commandLine().text();
    EXPECT_TRUE(m_running.empty());
    EXPECT_EQ(m_overlaps, Names{});
    EXPECT_EQ(m_evaluationStages,
              (Names{"gLoadFile", "gInitSSForInput", "gSSSGetFromMacro", "gSetMacroValuelsToSS",
                     "gSSSreplaceGenVars", "gCalcMain", "gSetToMacro"}));
    EXPECT_EQ(m_childStages, (Names{"gLoadFile", "gGetFromVars", "gCalcChild", "gSetToVars"}));
}

} // namespace
