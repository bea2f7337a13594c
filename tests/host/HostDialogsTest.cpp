// The host's Dialogs menu as a user drives it: the dialog designer opens on
// the library's sample design, Escape leaves it open, OK and the close box
// are told on the command line.
#include "HostFixture.h"

#include "platform/ui/VtxDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using vtx::ui::VtxDialog;

class HostDialogsTest : public hosttest::HostWindowTest {
protected:
    static void inDesigner(std::function<void(VtxDialog*)> what) {
        QTimer::singleShot(0, [what = std::move(what)] {
            auto* dialog = qobject_cast<VtxDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no designer came up";
            what(dialog);
        });
    }
};

TEST_F(HostDialogsTest, TheDesignerOpensOnTheSampleDesign) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.moduleLoaded());
    inDesigner([](VtxDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Dialog designer - <EndPlate\\EndPlate>");
        EXPECT_EQ(dialog->sizeKey(), "DLG_DLGDESIGNER");
        // The design's controls carry the designer's window ids.
        EXPECT_NE(dialog->control(33000), nullptr);
        EXPECT_NE(dialog->control(33014), nullptr);
        EXPECT_EQ(dialog->control(33015), nullptr);
        QTest::keyClick(dialog, Qt::Key_Escape);
        ASSERT_TRUE(dialog->isVisible());
        dialog->controlAs<QPushButton>(1)->click();
    });
    action(&window, "&Dialogs", "Dialog &designer...")->trigger();
    QString shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("The dialog designer was left with OK.")) << shown.toStdString();

    inDesigner([](VtxDialog* dialog) { dialog->close(); });
    EXPECT_FALSE(window.openDesigner(corePath(folder / "none.txt")));
    shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("opens on an empty one")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("left with the close box")) << shown.toStdString();
    EXPECT_TRUE(prompter.messages().empty()) << "an unchanged design asks nothing";
}

} // namespace
