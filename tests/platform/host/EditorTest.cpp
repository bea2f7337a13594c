#include "platform/host/Host.h"

#include <gtest/gtest.h>

namespace {

class EditorTest : public ::testing::Test {
protected:
    Host m_host;
    HostScope m_scope{m_host};
    HostEditor& editor() { return m_host.editor(); }
};

TEST_F(EditorTest, BracketNestsAndBalances) {
    hostBeginEditorCommand();
    hostBeginEditorCommand();
    EXPECT_EQ(editor().depth(), 2);
    EXPECT_EQ(hostCompleteEditorCommand(), eOk);
    EXPECT_EQ(editor().cancelEditorCommand(), eOk);
    EXPECT_FALSE(editor().inEditorCommand());
    EXPECT_EQ(editor().beginCount(), 2);
    EXPECT_EQ(editor().completeCount(), 1);
    EXPECT_EQ(editor().cancelCount(), 1);
    EXPECT_FALSE(m_host.commandLine().hasErrors());
}

TEST_F(EditorTest, CompleteWithoutBeginIsReportedNotCounted) {
    EXPECT_EQ(hostCompleteEditorCommand(), eNotApplicable);
    EXPECT_EQ(editor().depth(), 0) << "depth must not go negative";
    EXPECT_EQ(editor().unbalancedCount(), 1);
    EXPECT_EQ(editor().completeCount(), 0);
    EXPECT_EQ(m_host.commandLine().errorLines().length(), 1);
    // A later proper bracket still works.
    hostBeginEditorCommand();
    EXPECT_EQ(hostCompleteEditorCommand(), eOk);
}

TEST_F(EditorTest, DisplayUpdatesAreCounted) {
    hostUpdateDisplay();
    hostUpdateDisplay();
    EXPECT_EQ(editor().displayUpdateCount(), 2);
    editor().reset();
    EXPECT_EQ(editor().displayUpdateCount(), 0);
}

TEST_F(EditorTest, MainWindowIsStableAndNewWindowsAreDistinct) {
    HostWindow main = hostMainWindow();
    EXPECT_TRUE(main.isValid());
    EXPECT_EQ(main, editor().mainWindow());
    HostWindow a = editor().newWindow();
    HostWindow b = editor().newWindow();
    EXPECT_NE(a, main);
    EXPECT_NE(a, b);
    EXPECT_TRUE(editor().setFocus(a));
    EXPECT_EQ(editor().focusWindow(), a);
    EXPECT_FALSE(editor().setFocus(HostWindow{}));
    EXPECT_EQ(editor().focusWindow(), a);
    editor().reset();
    EXPECT_EQ(editor().focusWindow(), main);
    EXPECT_NE(editor().newWindow(), b) << "handles are not reused after a reset";
}

TEST(CommandStackTest, GroupsHoldCommandsUniqueAcrossGroupsIgnoringCase) {
    HostCommandStack stack;
    int runs = 0;
    EXPECT_EQ(stack.addCommand("VORTEX_SS", "SSEDIT", [&] { ++runs; }), eOk);
    EXPECT_EQ(stack.addCommand("OTHER", "ssedit", [] {}), eDuplicateKey);
    EXPECT_FALSE(stack.hasGroup("OTHER")) << "a refused command must not leave a group";
    EXPECT_EQ(stack.addCommand("vortex_ss", "SSVIEW", [] {}), eOk);
    EXPECT_EQ(stack.groupNames().length(), 1);
    EXPECT_EQ(stack.commandNames("VORTEX_SS").length(), 2);
    EXPECT_EQ(stack.groupOf("ssview"), "VORTEX_SS");
    EXPECT_EQ(stack.runCommand("SsEdit"), eOk);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(stack.addGroup("VORTEX_SS"), eDuplicateKey);
    EXPECT_EQ(stack.addCommand("", "X", [] {}), eInvalidName);
    EXPECT_EQ(stack.addCommand("G", "X", {}), eInvalidName);
}

TEST(CommandStackTest, RemovingAGroupRemovesItsCommands) {
    HostCommandStack stack;
    stack.addCommand("VORTEX_SS", "SSEDIT", [] {});
    EXPECT_EQ(stack.removeGroup("VORTEX_SS"), eOk);
    EXPECT_FALSE(stack.hasGroup("VORTEX_SS"));
    EXPECT_FALSE(stack.hasCommand("SSEDIT"));
    EXPECT_EQ(stack.runCommand("SSEDIT"), eKeyNotFound);
    EXPECT_EQ(stack.removeGroup("VORTEX_SS"), eKeyNotFound);
    EXPECT_EQ(stack.removeCommand("VORTEX_SS", "SSEDIT"), eKeyNotFound);
}

TEST(CommandStackTest, ACommandMayRemoveItsOwnGroupWhileRunning) {
    HostCommandStack stack;
    int runs = 0;
    stack.addCommand("ONCE", "RUNONCE", [&] {
        ++runs;
        stack.removeGroup("ONCE");
    });
    EXPECT_EQ(stack.runCommand("RUNONCE"), eOk);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(stack.hasGroup("ONCE"));
}

} // namespace
