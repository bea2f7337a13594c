// vtxss apply on the sample library: the report, the written drawing (which
// differs from the one read only where the report says so), the failures
// and the forms of the report.
#include "ToolRun.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

using namespace tooltest;
using Json = nlohmann::json;

namespace {

const std::string kDrawing = (kSample / "library" / "Drawings" / "sample.vtxd").string();

Json readJson(const std::filesystem::path& file) {
    return Json::parse(readFile(file));
}

// The leaves where two parsed drawings differ, as JSON pointers.
std::vector<std::string> differences(const Json& before, const Json& after) {
    const Json flatBefore = before.flatten();
    const Json flatAfter = after.flatten();
    std::vector<std::string> paths;
    for (auto it = flatAfter.begin(); it != flatAfter.end(); ++it)
        if (!flatBefore.contains(it.key()) || flatBefore[it.key()] != it.value())
            paths.push_back(it.key());
    for (auto it = flatBefore.begin(); it != flatBefore.end(); ++it)
        if (!flatAfter.contains(it.key()))
            paths.push_back(it.key());
    return paths;
}

class ApplyCommand : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ApplyCommand, SampleRunStarsTheChangedOutputs) {
    const ToolResult run = runTool({"apply", "--all", "--dry-run"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::regex_search(
        run.out, std::regex("\\* PlateThickness +Output +Double +15 +12\n[^]*"
                            "  HoleOffset +Output +Double +2 +2\n[^]*"
                            "flex/fix: EndPlate.Width is now fixed[^]*"
                            "3 of 3 standard\\(s\\) applied; 3 evaluation\\(s\\) in [0-9.]+ ms\n"
                            "Dry run: the drawing was not written.\n$")))
        << run.out;

    const ToolResult quiet = runTool({"apply", "--all", "--dry-run", "--quiet"});
    EXPECT_TRUE(std::regex_match(quiet.out, std::regex("\n3 of 3 standard\\(s\\) applied; 3 "
                                                       "evaluation\\(s\\) in [0-9.]+ ms\nDry "
                                                       "run: the drawing was not written.\n")))
        << quiet.out;
}

TEST_F(ApplyCommand, WrittenDrawingDiffersOnlyWhereTheReportSays) {
    const ToolResult run = runTool({"apply", "--all", "-o", folder.file("applied.vtxd"), "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json report = Json::parse(run.out);
    EXPECT_EQ(report["written"], folder.file("applied.vtxd"));

    // What the report says changed: the new values of starred outputs and
    // the flex/fix buttons that were fixed for them.
    std::multiset<double> newValues;
    std::size_t flags = 0;
    for (const Json& standard : report["standards"]) {
        EXPECT_TRUE(standard["applied"].get<bool>());
        for (const Json& variable : standard["variables"])
            if (variable["changed"].get<bool>())
                newValues.insert(std::stod(variable["after"].get<std::string>()));
        flags += standard["flexFix"].size();
    }
    ASSERT_EQ(newValues.size(), 14u);
    ASSERT_EQ(flags, 1u);

    const std::vector<std::string> changed =
        differences(readJson(kDrawing), readJson(folder.file("applied.vtxd")));
    const Json written = readJson(folder.file("applied.vtxd")).flatten();
    std::size_t flagChanges = 0;
    for (const std::string& path : changed) {
        SCOPED_TRACE(path);
        if (path.size() > 6 && path.substr(path.size() - 6) == "/fixed") {
            EXPECT_TRUE(written[path].get<bool>());
            ++flagChanges;
            continue;
        }
        // Every other difference is the new value of a starred output.
        ASSERT_TRUE(written[path].is_number()) << written[path];
        auto found = newValues.find(written[path].get<double>());
        ASSERT_NE(found, newValues.end());
        newValues.erase(found);
    }
    EXPECT_EQ(flagChanges, flags);
    EXPECT_TRUE(newValues.empty()) << "starred outputs not in the drawing: " << newValues.size();

    // Applied again, the standards find every output in place: nothing is
    // starred and the drawing is written back byte for byte.
    const ToolResult again = runTool({"apply", "--all", "--drawing", folder.file("applied.vtxd"),
                                      "-o", folder.file("again.vtxd"), "--json"});
    ASSERT_EQ(again.code, 0) << again.err;
    const Json againReport = Json::parse(again.out);
    for (const Json& standard : againReport["standards"]) {
        EXPECT_TRUE(standard["flexFix"].empty());
        for (const Json& variable : standard["variables"])
            EXPECT_FALSE(variable["changed"].get<bool>()) << variable;
    }
    EXPECT_EQ(readFile(folder.file("again.vtxd")), readFile(folder.file("applied.vtxd")));
}

TEST_F(ApplyCommand, FailuresAreNamedAndNothingIsStarredOrWritten) {
    struct Failure {
        std::vector<std::string> args;
        std::string reason;
    };
    const std::vector<Failure> failures = {
        {{"--macro", "EP-1", "--standard", "EndPlate\\EP-Bolted", "--key", "NOPE"},
         "EndPlate/EP-Bolted.map holds no key 'NOPE'"},
        {{"--macro", "EP-1", "--standard", "EndPlate\\EP-Bolted", "--key", "Module.Nope"},
         "the macro EP-1 has no module group 'Nope' (key Module.Nope)"},
        {{"--macro", "FP-1", "--standard", "EndPlate\\EP-Bolted", "--key",
          "Ep1kR7vQ2mXc9LtB4nWz8HsD"},
         "output(s) not written to the macro: PlateThickness (no such object in the macro)"},
        {{"--macro", "EP-1", "--standard", "FinPlate\\FP-Standard", "--key",
          "Fp1aG5hJ3kL8qW2eR6tY9uIo"},
         "input(s) not read from the macro: BoltDia"},
    };
    for (const Failure& failure : failures) {
        std::vector<std::string> args{"apply", "-o", folder.file("out.vtxd")};
        args.insert(args.end(), failure.args.begin(), failure.args.end());
        SCOPED_TRACE(failure.reason);
        const ToolResult run = runTool(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.errLines(), 1) << run.err;
        EXPECT_NE(run.err.find(failure.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("; the drawing was not written"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("\n* "), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("0 of 1 standard(s) applied"), std::string::npos) << run.out;
        EXPECT_FALSE(std::filesystem::exists(folder.file("out.vtxd")));
    }
}

TEST_F(ApplyCommand, MacroNamedOutsideAsciiIsFound) {
    Json drawing = readJson(kDrawing);
    drawing["macros"][1]["name"] = "FP-\xC3\x9C"
                                   "1";
    std::ofstream(folder.file("named.vtxd")) << drawing.dump(2);
    const ToolResult run = runTool({"apply", "--drawing", folder.file("named.vtxd"), "--macro",
                                    "FP-\xC3\x9C"
                                    "1",
                                    "--dry-run"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("FP-\xC3\x9C"
                           "1: FinPlate/FP-Standard"),
              std::string::npos)
        << run.out;
}

TEST_F(ApplyCommand, JsonReportAndTimers) {
    const ToolResult run =
        runTool({"apply", "--macro", "FP-1", "--dry-run", "--json", "--timers", "--repeat", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json report = Json::parse(run.out);
    EXPECT_EQ(report["evaluations"], 2);
    EXPECT_EQ(report["dryRun"], true);
    EXPECT_TRUE(report["written"].is_null());
    const Json& standard = report["standards"][0];
    EXPECT_EQ(standard["macro"], "FP-1");
    EXPECT_EQ(standard["standard"], "FinPlate/FP-Standard");
    bool seen = false;
    for (const Json& variable : standard["variables"])
        if (variable["name"] == "PlateHeight") {
            seen = true;
            EXPECT_EQ(variable["before"], "210");
            EXPECT_EQ(variable["after"], "250");
            EXPECT_EQ(variable["changed"], true);
        } else if (variable["section"] == "Local") {
            EXPECT_TRUE(variable["before"].is_null());
        }
    EXPECT_TRUE(seen);
    ASSERT_EQ(report["timers"].size(), 25u);
    long long microseconds = 0;
    for (const Json& timer : report["timers"]) {
        const std::string stage = timer["stage"];
        EXPECT_FALSE(std::regex_search(stage, std::regex("^g[A-Z]|Funtions|Valuels|SSS"))) << stage;
        microseconds += timer["microseconds"].get<long long>();
    }
    EXPECT_GT(microseconds, 0);

    const ToolResult text = runTool({"apply", "--macro", "FP-1", "--dry-run", "--timers"});
    EXPECT_TRUE(std::regex_search(
        text.out, std::regex("\n  register the functions +2 run\\(s\\) +[0-9]+\\.[0-9]{3} ms\n")))
        << text.out;
}

TEST_F(ApplyCommand, DrawingToStdoutAndReportToStderr) {
    const ToolResult run = runTool({"apply", "--all", "-o", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Json drawing = Json::parse(run.out);
    EXPECT_EQ(drawing["format"], "vtx-drawing");
    EXPECT_EQ(drawing["macros"].size(), 3u);
    EXPECT_NE(run.err.find("3 of 3 standard(s) applied"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Written: stdout"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("PlateThickness"), std::string::npos) << "the table stays out";
}

} // namespace
