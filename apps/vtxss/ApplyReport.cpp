// The report of vtxss apply: a table per standard, the summary, the timers,
// as text or as one JSON document.

#include "Apply.h"

#include "standards/StandardsTimers.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <utility>

namespace cli {

namespace {

std::size_t appliedCount(const ApplyRun& run) {
    std::size_t applied = 0;
    for (const ApplyOutcome& outcome : run.outcomes)
        applied += outcome.ok ? 1 : 0;
    return applied;
}

// A message's lines, the first marked and the others indented below it.
void printMessage(std::ostream& out, const ModuleMessage& message) {
    const char* mark = message.kind == ModuleMessage::Kind::Error     ? "error: "
                       : message.kind == ModuleMessage::Kind::Warning ? "warning: "
                                                                      : "";
    std::string text = message.text;
    std::size_t at = 0;
    while ((at = text.find('\n', at)) != std::string::npos) {
        text.insert(at + 1, "      ");
        at += 7;
    }
    out << "  ! " << mark << text << "\n";
}

void printOutcome(std::ostream& out, const ApplyOutcome& outcome) {
    out << "\n" << outcome.macro << ": " << outcome.standard << "  (" << outcome.key << ")\n";
    if (!outcome.variables.empty()) {
        out << "  " << padded("Variable", 24) << padded("Section", 8) << padded("Type", 8)
            << padded("Before", 16) << "After\n";
        for (const ApplyVariable& variable : outcome.variables)
            out << (variable.changed ? "* " : "  ") << padded(variable.name, 24)
                << padded(variable.section, 8) << padded(variable.type, 8)
                << padded(variable.before, 16) << variable.after << "\n";
    }
    for (const ApplyFlag& flag : outcome.flags)
        out << "  flex/fix: " << flag.variable << " is now " << (flag.fixed ? "fixed" : "free")
            << ", so that the macro keeps the value written\n";
    for (const ModuleMessage& message : outcome.messages)
        printMessage(out, message);
    if (!outcome.ok)
        out << "  failed: " << outcome.error << "\n";
}

// The timers that ran, as (label, runs, microseconds).
std::vector<std::pair<std::string, std::pair<long long, double>>> timerRows() {
    std::vector<std::pair<std::string, std::pair<long long, double>>> rows;
    int count = 0;
    Vtx_Timer* const* timers = standardsTimers(count);
    for (int i = 0; i < count; ++i)
        rows.push_back({timerLabel(timers[i]->name().str()),
                        {timers[i]->count(), timers[i]->totalSeconds() * 1e6}});
    return rows;
}

std::string milliseconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds * 1000);
    return text;
}

} // namespace

void printApplyText(std::ostream& out, const ApplyRun& run, bool quiet) {
    if (!quiet)
        for (const ApplyOutcome& outcome : run.outcomes)
            printOutcome(out, outcome);
    out << "\n"
        << appliedCount(run) << " of " << run.outcomes.size() << " standard(s) applied; "
        << run.evaluations << " evaluation(s) in " << milliseconds(run.seconds) << " ms\n";
    if (run.timers) {
        out << "\nTime per stage (all evaluations, child calls included):\n";
        for (const auto& [label, figures] : timerRows()) {
            char line[160];
            std::snprintf(line, sizeof line, "  %-36s %8lld run(s) %14.3f ms\n", label.c_str(),
                          figures.first, figures.second / 1000);
            out << line;
        }
    }
    if (run.dryRun)
        out << "Dry run: the drawing was not written.\n";
    else if (!run.written.empty())
        out << "Written: " << (run.written == "-" ? "stdout" : run.written) << "\n";
}

void printApplyJson(const ApplyRun& run) {
    Json standards = Json::array();
    for (const ApplyOutcome& outcome : run.outcomes) {
        Json variables = Json::array();
        for (const ApplyVariable& variable : outcome.variables)
            variables.push_back(
                {{"name", variable.name},
                 {"section", variable.section},
                 {"type", variable.type},
                 {"before", variable.section == "Local" || !variable.readable
                                ? Json(nullptr)
                                : Json(variable.before)},
                 {"after", variable.readable ? Json(variable.after) : Json(nullptr)},
                 {"changed", variable.changed}});
        Json flags = Json::array();
        for (const ApplyFlag& flag : outcome.flags)
            flags.push_back({{"variable", flag.variable}, {"fixed", flag.fixed}});
        Json messages = Json::array();
        for (const ModuleMessage& message : outcome.messages)
            messages.push_back(message.text);
        standards.push_back({{"macro", outcome.macro},
                             {"standard", outcome.standard},
                             {"key", outcome.key},
                             {"applied", outcome.ok},
                             {"error", outcome.ok ? Json(nullptr) : Json(outcome.error)},
                             {"variables", std::move(variables)},
                             {"flexFix", std::move(flags)},
                             {"messages", std::move(messages)}});
    }
    Json report = {{"drawing", run.drawing},
                   {"standards", std::move(standards)},
                   {"applied", appliedCount(run)},
                   {"failed", run.outcomes.size() - appliedCount(run)},
                   {"evaluations", run.evaluations},
                   {"milliseconds", std::round(run.seconds * 1e6) / 1000},
                   {"dryRun", run.dryRun},
                   {"written", run.written.empty() ? Json(nullptr) : Json(run.written)}};
    if (run.timers) {
        Json timers = Json::array();
        for (const auto& [label, figures] : timerRows())
            timers.push_back({{"stage", label},
                              {"runs", figures.first},
                              {"microseconds", std::llround(figures.second)}});
        report["timers"] = std::move(timers);
    }
    printJson(report);
}

} // namespace cli
