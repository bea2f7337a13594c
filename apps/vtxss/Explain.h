#pragma once

// vtxss explain, in two parts: the command (ExplainCommand.cpp) and the
// report of the traces it kept (ExplainReport.cpp).

#include "Output.h"

#include "standards/KsTraceRecorder.h"

#include <memory>
#include <string>
#include <vector>

namespace cli {

/// One standard evaluated with a trace.
struct Explanation {
    std::string macro; ///< empty for a sheet evaluated on given inputs
    std::string standard;
    std::string key;
    bool ok = false;
    std::string error; ///< why the evaluation failed (one line)
    std::vector<ModuleMessage> messages;
    std::unique_ptr<KsTraceRecorder> trace = std::make_unique<KsTraceRecorder>();

    /// The evaluation of the standard itself (the first sheet), or null.
    const KsTracedSheet* sheet() const;
    /// Whether anything failed: the evaluation or one of its equations.
    bool failed() const { return !ok || trace->firstFailure() != nullptr; }
};

/// The report as text; output names the one output to explain (empty: all).
void printExplainText(std::ostream& out, const std::vector<Explanation>& explanations,
                      const std::string& output);
/// The report as one JSON document on stdout.
void printExplainJson(const std::vector<Explanation>& explanations, const std::string& output);

} // namespace cli
