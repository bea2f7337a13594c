// The three tolerance functions: the cases of tests/data/standards/
// tolerance-cases.txt (one named test each) against real size files, and
// the warning for tolerances whose sum is not positive.

#include "MacroFixture.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "standards/DataFiles.h"
#include "standards/StandardsFunctionTolerance.h"
#include "standards/StandardsFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ToleranceCase {
    std::string name;
    std::string function;
    std::string file;
    double step = 0;
    std::string thickness;
    double value = 0;
    double down = 0;
    double up = 0;
    double expected = 0;
};

std::vector<ToleranceCase> loadToleranceCases() {
    std::vector<ToleranceCase> cases;
    std::ifstream in(std::string(VTX_TEST_DATA) + "/standards/tolerance-cases.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ToleranceCase c;
        if (fields >> c.name >> c.function >> c.file >> c.step >> c.thickness >> c.value >>
            c.down >> c.up >> c.expected)
            cases.push_back(c);
    }
    return cases;
}

/// A library folder with the size files of tests/data/standards, a scripted
/// prompter and the diagnostics switch off.
class ToleranceLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        libDir = makeTempDir("vtx-tolerance");
        std::filesystem::create_directories(libDir / "Connection Standards");
        std::filesystem::copy(std::filesystem::path(VTX_TEST_DATA) / "standards" / "Data",
                              libDir / "Connection Standards" / "Data");
        gSettings.setLibDir(libDir.string() + "/");
        gSettings.current.standardsDiagnostics = false;
        dataFileCache().clear();
        host.setPrompter(&prompter);
    }
    void TearDown() override {
        gSettings.current.standardsDiagnostics = false;
        std::filesystem::remove_all(libDir);
    }

    /// Calls the function with the file as a text and the rest as numbers;
    /// false when it produced no number.
    bool callSizes(const std::string& function, const std::string& file,
                   const std::vector<double>& numbers, double& result) {
        const StandardsFunctionDef* def = findStandardsFunction(function);
        if (def == nullptr)
            return false;
        std::vector<StandardsArgument> args{StandardsArgument::ofText(file)};
        for (double n : numbers)
            args.push_back(StandardsArgument::ofNumber(n));
        StandardsCall call(std::move(args));
        if (!callStandardsFunction(*def, call) || call.resultKind() != StandardsResultKind::Number)
            return false;
        result = call.resultNumber();
        return true;
    }

    Host host;
    HostScope scope{host};
    ScriptedPrompter prompter;
    std::filesystem::path libDir;
};

class ToleranceCaseTest : public ToleranceLibrary,
                          public ::testing::WithParamInterface<ToleranceCase> {};

} // namespace

TEST_P(ToleranceCaseTest, GivesTheExpectedSize) {
    const ToleranceCase& c = GetParam();
    std::vector<double> numbers{c.step};
    if (c.thickness != "-")
        numbers.push_back(std::stod(c.thickness));
    numbers.insert(numbers.end(), {c.value, c.down, c.up});
    double result = 0;
    ASSERT_TRUE(callSizes("STD" + c.function + "WITHTOLERANCE", c.file, numbers, result));
    EXPECT_NEAR(result, c.expected, 1e-9);
    EXPECT_TRUE(prompter.messages().empty()) << "diagnostics are off";
}

INSTANTIATE_TEST_SUITE_P(Cases, ToleranceCaseTest, ::testing::ValuesIn(loadToleranceCases()),
                         [](const ::testing::TestParamInfo<ToleranceCase>& param) {
                             return param.param.name;
                         });

TEST(ToleranceCases, FileHoldsEveryCase) {
    EXPECT_EQ(loadToleranceCases().size(), 23u) << "a line of tolerance-cases.txt did not parse";
}

TEST_F(ToleranceLibrary, NonPositiveToleranceSumWarnsOncePerCallWhenDiagnosticsAreOn) {
    gSettings.current.standardsDiagnostics = true;
    prompter.queueMessageAnswer(MessageResult::Ok);
    prompter.queueMessageAnswer(MessageResult::Ok);
    double result = 0;
    ASSERT_TRUE(callSizes("STDSIZEWITHTOLERANCE", "plate-sizes.txt", {2, 20.6, 0.5, -0.5}, result));
    EXPECT_DOUBLE_EQ(result, 20.1) << "the computation goes on: the window is [20.1, 20.1]";
    ASSERT_TRUE(callSizes("STDTHICKNESSWITHTOLERANCE", "flat-bars.txt", {1, 10, 0, 0}, result));
    EXPECT_DOUBLE_EQ(result, 10);

    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Invalid tolerances provided.\n DownTolerance is :0.5UpTolerance is :-0.5\n"
              "Adding both tolerances should result in a positive value.");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompter.messages()[1].text,
              "Invalid tolerances provided.\n DownTolerance is :0UpTolerance is :0\n"
              "Adding both tolerances should result in a positive value.");
    EXPECT_TRUE(prompter.faults().empty());
    EXPECT_EQ(prompter.pendingAnswers(), 0);
}

TEST_F(ToleranceLibrary, NonPositiveToleranceSumIsSilentWhenDiagnosticsAreOff) {
    double result = 0;
    ASSERT_TRUE(callSizes("STDWIDTHWITHTOLERANCE", "flat-bars.txt", {10, 10, 121, 0, 0}, result));
    EXPECT_DOUBLE_EQ(result, 121);
    gSettings.current.standardsDiagnostics = true;
    ASSERT_TRUE(callSizes("STDSIZEWITHTOLERANCE", "plate-sizes.txt", {2, 10, 0.01, 0}, result));
    EXPECT_DOUBLE_EQ(result, 10) << "a positive sum does not warn";
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(ToleranceLibrary, ArgumentsOfTheWrongKindFail) {
    const StandardsFunctionDef* def = findStandardsFunction("STDSIZEWITHTOLERANCE");
    ASSERT_NE(def, nullptr);
    StandardsCall fileAsNumber({StandardsArgument::ofNumber(1), StandardsArgument::ofNumber(5),
                                StandardsArgument::ofNumber(10), StandardsArgument::ofNumber(1),
                                StandardsArgument::ofNumber(1)});
    EXPECT_FALSE(callStandardsFunction(*def, fileAsNumber));
    StandardsCall missingUp({StandardsArgument::ofText("plate-sizes.txt"),
                             StandardsArgument::ofNumber(5), StandardsArgument::ofNumber(10),
                             StandardsArgument::ofNumber(1), StandardsArgument::none()});
    EXPECT_FALSE(callStandardsFunction(*def, missingUp));
    EXPECT_EQ(missingUp.resultKind(), StandardsResultKind::None);
}

TEST(ToleranceSelection, EarlierOfEqualCandidatesIsKept) {
    // Which 10 is taken is invisible in the value; the window check is not.
    double result = 0;
    ASSERT_TRUE(nearestStandardValue({12, 8, 12, 8}, {10, 2, 2, 5}, result));
    EXPECT_EQ(result, 8) << "a tie between sides goes below";
    EXPECT_FALSE(nearestStandardValue({}, {10, 2, 2, 5}, result));
    EXPECT_FALSE(nearestStandardValue({std::nan("")}, {10, 2, 2, 5}, result));
}
