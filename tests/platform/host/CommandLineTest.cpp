#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    Host m_host;
    HostScope m_scope{m_host};
    HostCommandLine& line() { return m_host.commandLine(); }
};

TEST_F(CommandLineTest, PrintfFormatsAndKeepsEightBitBytes) {
    // 0xA4 and 0xE9 are not valid UTF-8 on their own; they must pass unchanged.
    hostPrintf("Loading spreadsheet:%s\n", "caf\xE9\xA4.kss");
    hostPrintf("Result is long: %i\n", 42);
    hostPrintf("Result is double: %f\n", 2.5);
    EXPECT_EQ(line().text(), "Loading spreadsheet:caf\xE9\xA4.kss\n"
                             "Result is long: 42\n"
                             "Result is double: 2.500000\n");
    Vtx_StringArray lines = line().lines();
    ASSERT_EQ(lines.length(), 3);
    EXPECT_EQ(lines[0], "Loading spreadsheet:caf\xE9\xA4.kss");
}

TEST_F(CommandLineTest, LongOutputIsNotCutAtTheStackBuffer) {
    std::string longText(5000, 'x');
    hostPrintf("%s|end\n", longText.c_str());
    EXPECT_EQ(line().text(), longText + "|end\n");
}

TEST_F(CommandLineTest, OnlyLinesBeginningWithTheErrorMarkAreErrors) {
    line().print("Save failed\n");
    line().print("note: *Error* inside a line is no error\n");
    line().print("*Error* Invalid index passed to insert.\n");
    line().print("*Error* last line without end");
    Vtx_StringArray errors = line().errorLines();
    ASSERT_EQ(errors.length(), 2);
    EXPECT_EQ(errors[0], "*Error* Invalid index passed to insert.");
    EXPECT_EQ(errors[1], "*Error* last line without end");
    line().clear();
    EXPECT_FALSE(line().hasErrors());
    EXPECT_TRUE(line().text().empty());
}

TEST_F(CommandLineTest, EchoSplitsErrorLinesToStderrEvenWhenPrintedInPieces) {
    line().setEcho(CommandLineEcho::Split);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    line().print("plain ");
    line().print("line\n*Err");
    line().print("or* broken\npartial");
    line().flushEcho();
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "plain line\npartial");
    EXPECT_EQ(err, "*Error* broken\n");
    EXPECT_EQ(line().text(), "plain line\n*Error* broken\npartial");
}

TEST_F(CommandLineTest, EchoOffWritesNothing) {
    testing::internal::CaptureStdout();
    line().print("quiet\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(CommandLineTest, BufferDropsOldestWholeLinesBeyondItsLimit) {
    std::string chunk(1023, 'a');
    chunk += '\n';
    std::size_t printed = 0;
    while (printed <= HostCommandLine::kMaxBufferBytes) {
        line().print(chunk);
        printed += chunk.size();
    }
    line().print("last\n");
    EXPECT_LE(line().text().size(), HostCommandLine::kMaxBufferBytes);
    EXPECT_GT(line().droppedBytes(), 0u);
    EXPECT_EQ(line().droppedBytes() % chunk.size(), 0u) << "cut inside a line";
    EXPECT_TRUE(line().text().ends_with("a\nlast\n"));
}

TEST(PostedCommandsTest, CommandsAndPromptsKeepTheirOrder) {
    Host host;
    HostScope scope(host);
    hostPostCommand("CANCELCMD");
    hostPostCommandPrompt();
    hostPostCommand("CANCELCMD");
    const auto& posted = host.commands().posted();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0], (PostedCommand{PostedCommand::Kind::Command, "CANCELCMD"}));
    EXPECT_EQ(posted[1].kind, PostedCommand::Kind::Prompt);
    EXPECT_EQ(host.commands().commandTexts().length(), 2);
    EXPECT_EQ(host.commands().promptCount(), 1);
    EXPECT_EQ(host.commands().takeAll().size(), 3u);
    EXPECT_TRUE(host.commands().posted().empty());
}

TEST(HostCurrentTest, ScopesNestAndRestore) {
    Host& before = Host::current();
    Host outer;
    {
        HostScope outerScope(outer);
        Host inner;
        {
            HostScope innerScope(inner);
            hostPrintf("inner\n");
        }
        hostPrintf("outer\n");
    }
    EXPECT_EQ(&Host::current(), &before);
    EXPECT_EQ(outer.commandLine().text(), "outer\n");
}

} // namespace
