// The tool's pieces in-process: the progress line (with a clock the test
// turns), the split of the module's command-line messages and the timers'
// names.
#include "Progress.h"
#include "Apply.h"
#include "Output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class ProgressLine : public ::testing::Test {
protected:
    cli::Progress make(bool show, long long total = 200) {
        return cli::Progress("apply", "evaluations", total, show, out, [this] { return now; });
    }
    std::ostringstream out;
    double now = 100;
};

TEST_F(ProgressLine, AppearsAfterASecondAndIsThrottled) {
    cli::Progress progress = make(true);
    now += 0.5;
    progress.update(10);
    EXPECT_EQ(out.str(), "") << "quick work shows nothing";
    now += 0.6;
    progress.update(50);
    EXPECT_EQ(out.str(), "\rvtxss apply: 50 of 200 evaluations (25%)\x1b[K");
    now += 0.1;
    progress.update(60);
    EXPECT_EQ(out.str().find("60 of"), std::string::npos)
        << "rewritten at most five times a second";
    now += 0.2;
    progress.update(200);
    EXPECT_NE(out.str().find("\rvtxss apply: 200 of 200 evaluations (100%)\x1b[K"),
              std::string::npos);
    out.str("");
    progress.finish();
    EXPECT_EQ(out.str(), "\r\x1b[K") << "the line is erased at the end";
    progress.finish();
    EXPECT_EQ(out.str(), "\r\x1b[K") << "once";
}

TEST_F(ProgressLine, HiddenWhenNotWantedAndSilentWhenQuick) {
    {
        cli::Progress progress = make(false);
        now += 5;
        progress.update(100);
    }
    EXPECT_EQ(out.str(), "");
    {
        cli::Progress progress = make(true, 0);
        now += 0.9;
        progress.update(1);
    }
    EXPECT_EQ(out.str(), "") << "nothing shown, nothing to erase";
    // Without a terminal on stderr (as under the test runner), or quiet.
    EXPECT_FALSE(cli::Progress::wanted(true));
}

TEST(ModuleMessages, SplitIntoErrorsWarningsAndNotes) {
    const auto messages =
        cli::splitModuleMessages("Loading spreadsheet:C:\\Lib\\a.kss\r\n"
                                 "*Error* The bill variable \"P\xE9\" is left out.\n"
                                 "Warning: The following Input variable couldn't be retrieved : \n"
                                 "BoltDia\n"
                                 "Spreadsheet : FinPlate\\FP-Standard\n"
                                 "*Error* second\n");
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].kind, cli::ModuleMessage::Kind::Note);
    EXPECT_EQ(messages[0].text, "Loading spreadsheet:C:/Lib/a.kss");
    EXPECT_EQ(messages[1].kind, cli::ModuleMessage::Kind::Error);
    EXPECT_EQ(messages[1].text, "The bill variable \"P\xC3\xA9\" is left out.");
    EXPECT_EQ(messages[2].kind, cli::ModuleMessage::Kind::Warning);
    EXPECT_EQ(messages[2].text, "The following Input variable couldn't be retrieved : \nBoltDia\n"
                                "Spreadsheet : FinPlate/FP-Standard");
    EXPECT_EQ(messages[2].oneLine(), "The following Input variable couldn't be retrieved : "
                                     "BoltDia Spreadsheet : FinPlate/FP-Standard");
    EXPECT_EQ(messages[3].text, "second");
}

TEST(TimerLabels, ReadableNamesForEveryStage) {
    EXPECT_EQ(cli::timerLabel("gRegisterFuntions"), "register the functions");
    EXPECT_EQ(cli::timerLabel("gSetMacroValuelsToSS"), "put the macro values into the cells");
    // A name the table does not know yet is split into words.
    EXPECT_EQ(cli::timerLabel("gRegisterFunctions"), "register functions");
    EXPECT_EQ(cli::timerLabel("gCalcSomething"), "calc something");
}

} // namespace
