// The desktop host as a user drives it: the module loaded, the sample
// drawing opened, standards applied from the menu with the command line in
// the window, the drawing saved where the user said, and the question on
// closing with unsaved changes.
#include "HostFixture.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using hosttest::HostWindowTest;

TEST_F(HostWindowTest, StandardsAppliedFromTheMenuAndTheDrawingSavedWhereAsked) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.moduleLoaded()) << host.commandLine().text();
    ASSERT_TRUE(window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd"));
    QAction* apply = action(&window, "&Standards", "FP-1");
    ASSERT_NE(apply, nullptr) << "a macro with standards is in the apply menu";
    apply->trigger();
    EXPECT_TRUE(window.session().isModified());
    const QString shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("Applied")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("*Error*")) << shown.toStdString();
    EXPECT_TRUE(window.windowTitle().startsWith("sample.vtxd *"));

    // The first save asks where; the shipped drawing stays as it is.
    const fs::path target = folder / "mine.vtxd";
    prompter.queueFileAnswer(corePath(target));
    action(&window, "&File", "&Save drawing")->trigger();
    EXPECT_TRUE(fs::exists(target));
    EXPECT_FALSE(window.session().isModified());
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("Drawing saved to"));
    Vtx_Database reread;
    Vtx_String reason;
    EXPECT_EQ(readDrawingFile(corePath(target), reread, reason), eOk) << reason.c_str();
}

TEST_F(HostWindowTest, ClosingWithChangesAsksAndCancelKeepsTheWindow) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd"));
    window.applyStandards({});
    ASSERT_TRUE(window.session().isModified());
    prompter.queueMessageAnswer(MessageResult::Cancel);
    QCloseEvent close;
    QApplication::sendEvent(&window, &close);
    EXPECT_FALSE(close.isAccepted());
    prompter.queueMessageAnswer(MessageResult::No);
    QCloseEvent again;
    QApplication::sendEvent(&window, &again);
    EXPECT_TRUE(again.isAccepted()) << "No closes without saving";
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNoCancel);
}

TEST_F(HostWindowTest, AnUnreadableDrawingIsSaidOnTheCommandLine) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    EXPECT_FALSE(window.openDrawing(corePath(folder / "missing.vtxd")));
    EXPECT_TRUE(window.commandLine()->toPlainText().contains("*Error*"));
    EXPECT_FALSE(window.session().isOpen());
}

} // namespace
