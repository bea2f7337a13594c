#pragma once

// vtxss apply, in three parts: the command (ApplyCommand.cpp), one standard
// applied to one macro (ApplyJob.cpp) and the report (ApplyReport.cpp).

#include "Output.h"

#include "platform/core/MacroModel.h"

#include <functional>
#include <string>
#include <vector>

namespace cli {

/// One standard to apply to one macro.
struct ApplyJob {
    Vtx_String macroName;
    Vtx_StandardAssignment standard;
};

/// A variable of the standard as the report shows it (UTF-8).
struct ApplyVariable {
    std::string name;
    std::string section;  ///< Input, Output or Local
    std::string type;     ///< Int, Double or String
    std::string before;   ///< in the drawing as read; empty for a local
    std::string after;    ///< in the macro after the run; a local's value
    bool readable = true; ///< a mapped variable's macro value could be read
    bool changed = false; ///< an output whose value in the macro changed
};

/// A flex/fix button that a written output fixed (or freed).
struct ApplyFlag {
    std::string variable; ///< "EndPlate.Width": the module's tab and the variable
    bool fixed = true;
};

/// What one job did.
struct ApplyOutcome {
    std::string macro;
    std::string standard;
    std::string key;
    bool ok = false;
    std::string error; ///< why it failed (one line)
    std::vector<ApplyVariable> variables;
    std::vector<ApplyFlag> flags;
    std::vector<ModuleMessage> messages; ///< what the engine printed on the host's command line
};

struct MacroOptions;

/// The jobs the options choose: each standard assigned to the macro (every
/// macro with all; by default the first), or --standard with --key. Fails
/// when that leaves none. path names the drawing in errors.
std::vector<ApplyJob> applyJobs(Vtx_Database& db, const MacroOptions& options, bool all,
                                const Vtx_String& path);

/// Runs a job repeat times on db (original is the drawing as read) and says
/// what it did; progress is called after each run.
ApplyOutcome runApplyJob(Vtx_Database& db, Vtx_Database& original, const ApplyJob& job, int repeat,
                         ModuleMessages& messages, const std::function<void()>& progress);

/// The whole run, for the report.
struct ApplyRun {
    std::string drawing;
    std::vector<ApplyOutcome> outcomes;
    int evaluations = 0;
    double seconds = 0;
    bool dryRun = false;
    std::string written; ///< where the drawing went ("-" for stdout); empty when not written
    bool timers = false;
};

/// The report as text: each job's table unless quiet, the summary line, the
/// timers and where the drawing went.
void printApplyText(std::ostream& out, const ApplyRun& run, bool quiet);
/// The report as one JSON document on stdout.
void printApplyJson(const ApplyRun& run);

/// A timer's name as the report shows it: "set macro values to sheet".
std::string timerLabel(const std::string& internalName);

} // namespace cli
