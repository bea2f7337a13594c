// Benchmarks of the standards engine on the shipped sample library: one
// evaluation of the bolted end-plate standard against its macro, cold (every
// file read, a new evaluation dialog) and warm, and a batch of 1,000
// evaluations over different macros.

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "standards/DataFiles.h"
#include "standards/FileTextCache.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsSSMapping.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char* const kLibrary = VTX_BENCH_SAMPLE "/library/";
const char* const kDrawing = VTX_BENCH_SAMPLE "/library/Drawings/sample.vtxd";
const char* const kBeams[] = {"IPE 240", "IPE 270", "IPE 300", "IPE 330", "IPE 360", "IPE 400"};

struct Sample {
    Vtx_Database db;
    Vtx_DbMacro* macro = nullptr;
    MacroData macroData;
    std::unique_ptr<Vtx_Transaction> transaction;
    KsDlgStandardsData data;

    bool load(const char* macroName) {
        gSettings.setLibDir(kLibrary);
        Vtx_String reason;
        if (readDrawingFile(kDrawing, db, reason) != eOk) {
            std::fprintf(stderr, "%s\n", reason.c_str());
            return false;
        }
        macro = db.findMacro(macroName);
        if (!macro || macroData.initFromMacro(macro) != eOk)
            return false;
        transaction = std::make_unique<Vtx_Transaction>(&db);
        const Vtx_StandardAssignment& standard = macro->macro()->standards().front();
        data.initialize(macro, standard.spreadsheet, standard.mappingKey, &macroData);
        data.transaction = transaction.get();
        macro->macro()->getGeneralVariableTexts(data.genVarNames, data.genVarValues);
        return true;
    }
};

void forgetEverything() {
    standards::forgetCachedFile();
    forgetParsedMappings();
    dataFileCache().clear();
    resetSectionTableManager();
    gSSDlgsMgr.destroyAll();
}

void EndPlateCold(benchmark::State& state) {
    Sample sample;
    if (!sample.load("EP-1")) {
        state.SkipWithError("cannot load the sample drawing");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        forgetEverything();
        KsDlgStandardsData data = sample.data;
        state.ResumeTiming();
        if (!StartDlgStandardsSS(data))
            state.SkipWithError("evaluation failed");
    }
}
BENCHMARK(EndPlateCold)->Unit(benchmark::kMicrosecond);

void EndPlateWarm(benchmark::State& state) {
    Sample sample;
    if (!sample.load("EP-1")) {
        state.SkipWithError("cannot load the sample drawing");
        return;
    }
    KsDlgStandardsData warmUp = sample.data;
    StartDlgStandardsSS(warmUp);
    for (auto _ : state) {
        KsDlgStandardsData data = sample.data;
        if (!StartDlgStandardsSS(data))
            state.SkipWithError("evaluation failed");
    }
}
BENCHMARK(EndPlateWarm)->Unit(benchmark::kMicrosecond);

// 1,000 copies of the end-plate macro with different beams and bolts, each
// evaluated once per iteration.
void EndPlateBatch1000(benchmark::State& state) {
    std::vector<std::unique_ptr<Sample>> samples;
    for (int i = 0; i < 1000; ++i) {
        auto sample = std::make_unique<Sample>();
        if (!sample->load("EP-1")) {
            state.SkipWithError("cannot load the sample drawing");
            return;
        }
        Vtx_ObjectId beam = sample->macro->macro()->baseProfiles().front();
        sample->db.profile(beam)->sectionName = kBeams[i % 6];
        auto* bolts =
            static_cast<Vtx_BoltModule*>(sample->macro->macroWrite()->findModuleWrite("Bolts"));
        bolts->boltData().diameter = i % 2 ? "20" : "24";
        samples.push_back(std::move(sample));
    }
    for (auto _ : state) {
        for (auto& sample : samples) {
            KsDlgStandardsData data = sample->data;
            if (!StartDlgStandardsSS(data))
                state.SkipWithError("evaluation failed");
        }
    }
}
BENCHMARK(EndPlateBatch1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
