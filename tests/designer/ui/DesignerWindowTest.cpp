// The designer window as a user drives it: mouse drags that move, resize and
// snap, the rubber band, the tool buttons, the property strip, undo and the
// arrow keys, the save prompt, saving outside the designer folder, the
// background picture and the size store. Designs are real files below a
// library folder of the test's own, starting from the sample design.
#include "UiFixture.h"

#include "designer/DesignFiles.h"
#include "designer/DesignerDialogs.h"
#include "designer/ui/DesignArea.h"
#include "designer/ui/DesignTracker.h"
#include "designer/ui/DesignerWindow.h"
#include "platform/core/DlgSizeStore.h"
#include "platform/core/Files.h"
#include "platform/ui/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <cmath>
#include <fstream>

namespace {

using namespace vtx::designui;
namespace fs = std::filesystem;

class DesignerWindowTest : public uitest::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        m_savedLibDir = gSettings.libDir;
        const fs::path sample = fs::path(VTX_SAMPLE_DIR) / "library" / "Dialog Templates";
        m_designs = m_root / "library" / "Dialog Templates" / "Dialog Design";
        fs::create_directories(m_designs / "EndPlate");
        fs::copy(sample / "Lists", m_root / "library" / "Dialog Templates" / "Lists");
        for (const char* file : {"EndPlate.txt", "EndPlate.bmp"})
            fs::copy_file(sample / "Dialog Design" / "EndPlate" / file,
                          m_designs / "EndPlate" / file);
        gSettings.setLibDir(corePathOf(m_root / "library") + "\\");
    }
    void TearDown() override {
        gSettings.libDir = m_savedLibDir;
        UiFixture::TearDown();
    }
    Vtx_String endPlate() const { return corePathOf(m_designs / "EndPlate" / "EndPlate.txt"); }
    static std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    /// The centre of control i as the mouse layer sees it.
    static QPoint centreOf(DesignerWindow& window, int i) {
        const Vtx_DlgDesignerData& design = window.design();
        const Vtx_DesignRect rect = design.drawRect(*design.getControl(i));
        return QPoint(int((rect.left + rect.right) / 2), int((rect.top + rect.bottom) / 2));
    }
    static void mouse(QWidget* target, QEvent::Type type, const QPoint& point,
                      Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, target->mapToGlobal(point), button, held, keys);
        QApplication::sendEvent(target, &event);
    }
    /// Presses at from, moves in two steps to to and releases there.
    static void drag(DesignerWindow& window, const QPoint& from, const QPoint& to,
                     Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QWidget* tracker = window.tracker();
        mouse(tracker, QEvent::MouseButtonPress, from, keys);
        mouse(tracker, QEvent::MouseMove, (from + to) / 2, keys);
        mouse(tracker, QEvent::MouseMove, to, keys);
        mouse(tracker, QEvent::MouseButtonRelease, to, keys);
    }
    static Vtx_DesignRect pixels(DesignerWindow& window, int i) {
        return window.design().pixelRect(*window.design().getControl(i));
    }
    static void press(DesignerWindow& window, int id) {
        auto* button = window.controlAs<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    fs::path m_designs;

private:
    Vtx_String m_savedLibDir;
};

void expectNear(const Vtx_DesignRect& actual, const Vtx_DesignRect& expected) {
    EXPECT_NEAR(actual.left, expected.left, 1e-6);
    EXPECT_NEAR(actual.top, expected.top, 1e-6);
    EXPECT_NEAR(actual.right, expected.right, 1e-6);
    EXPECT_NEAR(actual.bottom, expected.bottom, 1e-6);
}

Vtx_DesignRect shifted(Vtx_DesignRect rect, double dx, double dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

TEST_F(DesignerWindowTest, OpensTheDesignWithItsPictureAndTitle) {
    DesignerWindow window(endPlate());
    window.show();
    EXPECT_TRUE(vtx::ui::missingTexts(&window).isEmpty())
        << vtx::ui::missingTexts(&window).join(", ").toStdString();
    EXPECT_EQ(window.windowTitle(), "Dialog designer - <EndPlate\\EndPlate>");
    EXPECT_EQ(window.area()->drawnCount(), 15);
    EXPECT_FALSE(window.area()->picture().isNull());
    EXPECT_EQ(window.design().firstDynId(), 33000);
    EXPECT_FALSE(window.design().isModified());
    // Nothing selected: the strip is empty and disabled.
    EXPECT_FALSE(window.control(kDesignerType)->isEnabled());
    EXPECT_EQ(window.controlAs<QComboBox>(kDesignerType)->count(), 31);
    EXPECT_FALSE(window.control(2)->isVisible());

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Escape leaves the designer open";

    DesignerWindow empty(Vtx_String{});
    EXPECT_EQ(empty.windowTitle(), "Dialog designer");
    EXPECT_EQ(empty.design().getNrControls(), 0);
}

TEST_F(DesignerWindowTest, DraggingMovesAndResizesControlsAsOneUndoStepEach) {
    DesignerWindow window(endPlate());
    window.show();
    const Vtx_DesignRect before = pixels(window, 1);
    // Alt: no snapping, so the control goes exactly where it is dragged.
    drag(window, centreOf(window, 1), centreOf(window, 1) + QPoint(-30, 40), Qt::AltModifier);
    EXPECT_EQ(window.design().getSelectedIds(), (Vtx_Array<int>{33001}));
    expectNear(pixels(window, 1), shifted(before, -30, 40));
    EXPECT_EQ(window.area()->controlWidget(1)->geometry().topLeft(),
              QPoint(int(std::lround(before.left - 30)), int(std::lround(before.top + 40))));
    EXPECT_TRUE(window.design().isModified());
    // The strip shows the control selected alone.
    EXPECT_EQ(window.controlAs<QLineEdit>(kDesignerContents)->text(), "Thickness:");

    // The bottom-right handle resizes it; the top-left corner stays.
    const Vtx_DesignRect moved = pixels(window, 1);
    const QRect handle = DesignTracker::handleRect(window.area()->controlWidget(1)->geometry(), 4);
    drag(window, handle.center(), handle.center() + QPoint(12, 6), Qt::AltModifier);
    expectNear(pixels(window, 1), {moved.left, moved.top, moved.right + 12, moved.bottom + 6});

    QTest::keyClick(window.tracker(), Qt::Key_Z, Qt::ControlModifier);
    expectNear(pixels(window, 1), moved);
    QTest::keyClick(window.tracker(), Qt::Key_Z, Qt::ControlModifier);
    expectNear(pixels(window, 1), before);
    EXPECT_FALSE(window.design().isModified()) << "back at the state that was read";
    QTest::keyClick(window.tracker(), Qt::Key_Y, Qt::ControlModifier);
    expectNear(pixels(window, 1), moved);
}

TEST_F(DesignerWindowTest, DraggingSnapsToOtherControlsUnlessAltIsHeld) {
    DesignerWindow window(endPlate());
    window.show();
    // Label 1 lies at x 0.52 of the picture, label 3 below it at the same x.
    const Vtx_DesignRect label = pixels(window, 3);
    const Vtx_DesignRect above = pixels(window, 1);
    const QPoint start = centreOf(window, 3);
    drag(window, start, start + QPoint(-3, 0));
    EXPECT_NEAR(pixels(window, 3).left, above.left, 1e-6) << "snapped back onto the edge above";
    QTest::keyClick(window.tracker(), Qt::Key_Z, Qt::ControlModifier);
    expectNear(pixels(window, 3), label);
    drag(window, start, start + QPoint(-3, 0), Qt::AltModifier);
    EXPECT_NEAR(pixels(window, 3).left, label.left - 3, 1e-6);
}

TEST_F(DesignerWindowTest, ClicksAndTheRubberBandSelect) {
    DesignerWindow window(endPlate());
    window.show();
    QWidget* tracker = window.tracker();
    mouse(tracker, QEvent::MouseButtonPress, centreOf(window, 1));
    mouse(tracker, QEvent::MouseButtonRelease, centreOf(window, 1));
    mouse(tracker, QEvent::MouseButtonPress, centreOf(window, 3), Qt::ShiftModifier);
    mouse(tracker, QEvent::MouseButtonRelease, centreOf(window, 3), Qt::ShiftModifier);
    EXPECT_EQ(window.design().getSelectedIds(), (Vtx_Array<int>{33001, 33003}));
    // Two selected: the strip is empty and disabled.
    EXPECT_FALSE(window.control(kDesignerContents)->isEnabled());
    EXPECT_TRUE(window.controlAs<QLineEdit>(kDesignerContents)->text().isEmpty());
    mouse(tracker, QEvent::MouseButtonPress, centreOf(window, 1), Qt::ControlModifier);
    mouse(tracker, QEvent::MouseButtonRelease, centreOf(window, 1), Qt::ControlModifier);
    EXPECT_EQ(window.design().getSelectedIds(), (Vtx_Array<int>{33003}));

    // A band from left of the frame around labels 1 and 3 and their edits,
    // but not round the whole frame.
    const Vtx_DesignRect first = pixels(window, 1);
    const Vtx_DesignRect last = pixels(window, 4);
    drag(window, QPoint(int(pixels(window, 0).left) - 4, int(first.top) - 2),
         QPoint(int(last.right) + 2, int(last.bottom) + 2));
    EXPECT_EQ(window.design().getSelectedIds(), (Vtx_Array<int>{33001, 33002, 33003, 33004}));
    EXPECT_FALSE(window.design().isModified()) << "selecting changes nothing";
}

TEST_F(DesignerWindowTest, ToolButtonsAddCopyRemoveAndAlign) {
    DesignerWindow window(endPlate());
    window.show();
    press(window, kDesignerAdd);
    ASSERT_EQ(window.design().getNrControls(), 16);
    EXPECT_EQ(window.design().getControl(15)->type, ctVarEdit);
    EXPECT_NE(qobject_cast<QLineEdit*>(window.area()->controlWidget(15)), nullptr);

    window.design().selectCtrls({33001, 33003});
    press(window, kDesignerCopy);
    EXPECT_EQ(window.design().getNrControls(), 18);
    EXPECT_EQ(window.design().getSelectedIds().length(), 2);
    expectNear(pixels(window, 16), shifted(pixels(window, 1), 20, 20));
    press(window, kDesignerRemove);
    EXPECT_EQ(window.design().getNrControls(), 16);
    EXPECT_EQ(window.area()->drawnCount(), 16);

    window.design().selectCtrls({33001, 33005});
    press(window, kDesignerStickRight);
    EXPECT_NEAR(pixels(window, 5).left, pixels(window, 1).right, 1e-6);
    EXPECT_NEAR(pixels(window, 5).top, pixels(window, 1).top, 1e-6);

    // The width button asks for pixels through the text-input dialog.
    prompter.queueTextAnswer("45");
    press(window, kDesignerWidth);
    EXPECT_NEAR(pixels(window, 1).right - pixels(window, 1).left, 45, 1e-6);
    EXPECT_NEAR(pixels(window, 5).right - pixels(window, 5).left, 45, 1e-6);
    prompter.queueTextCancel();
    press(window, kDesignerHeight);

    // The right-click commands: lines the tops up with the first selected.
    window.design().selectCtrls({33003, 33001});
    window.commandAction(DesignerCommand::AlignTop)->trigger();
    EXPECT_NEAR(pixels(window, 1).top, pixels(window, 3).top, 1e-6);
    window.commandAction(DesignerCommand::Undo)->trigger();
    EXPECT_GT(std::abs(pixels(window, 1).top - pixels(window, 3).top), 10);
}

TEST_F(DesignerWindowTest, ArrowKeysNudgeTheSelection) {
    DesignerWindow window(endPlate());
    window.show();
    const Vtx_DesignRect before = pixels(window, 2);
    window.design().selectCtrls({33002});
    QTest::keyClick(window.tracker(), Qt::Key_Right);
    QTest::keyClick(window.tracker(), Qt::Key_Down, Qt::ShiftModifier);
    expectNear(pixels(window, 2), shifted(before, 1, 10));
    EXPECT_EQ(window.area()->controlWidget(2)->geometry().topLeft(),
              QPoint(int(std::lround(before.left + 1)), int(std::lround(before.top + 10))));
}

TEST_F(DesignerWindowTest, TheStripChangesTypeAndContentsAtOnce) {
    DesignerWindow window(endPlate());
    window.show();
    const QPoint label = centreOf(window, 1);
    mouse(window.tracker(), QEvent::MouseButtonPress, label);
    mouse(window.tracker(), QEvent::MouseButtonRelease, label);
    auto* type = window.controlAs<QComboBox>(kDesignerType);
    auto* contents = window.controlAs<QLineEdit>(kDesignerContents);
    ASSERT_TRUE(contents->isEnabled());
    EXPECT_EQ(type->currentIndex(), int(ctLabel));

    contents->setFocus();
    contents->selectAll();
    typeText(contents, "Plate t:");
    EXPECT_EQ(window.design().getControl(1)->contents, "Plate t:");
    EXPECT_EQ(qobject_cast<QLabel*>(window.area()->controlWidget(1))->text(), "Plate t:");

    // Choosing a type re-creates the control with its new window class; the
    // hints follow the type.
    type->setFocus();
    type->setCurrentIndex(int(ctVarCombo));
    emit type->activated(int(ctVarCombo));
    EXPECT_EQ(window.design().getControl(1)->type, ctVarCombo);
    EXPECT_NE(qobject_cast<QComboBox*>(window.area()->controlWidget(1)), nullptr);
    EXPECT_EQ(window.controlAs<QGroupBox>(kDesignerComboFrame)->title(),
              vtx::ui::qtText(comboListHint(ctVarCombo)));
    EXPECT_TRUE(window.control(kDesignerComboList)->isEnabled());
    EXPECT_EQ(window.design().getSelectedIds(), (Vtx_Array<int>{33001}));

    // The typing was one step, the type another.
    window.commandAction(DesignerCommand::Undo)->trigger();
    EXPECT_EQ(window.design().getControl(1)->type, ctLabel);
    EXPECT_EQ(window.design().getControl(1)->contents, "Plate t:");
    window.commandAction(DesignerCommand::Undo)->trigger();
    EXPECT_EQ(window.design().getControl(1)->contents, "Thickness:");
    EXPECT_EQ(contents->text(), "Thickness:");
}

TEST_F(DesignerWindowTest, TheSavePromptOnLeavingAChangedDesign) {
    const std::string original = bytesOf(m_designs / "EndPlate" / "EndPlate.txt");
    const auto changeAndOk = [this](MessageResult answer) {
        whenModal([answer, this](QWidget* modal) {
            auto& window = *static_cast<DesignerWindow*>(modal);
            window.design().selectCtrls({33001});
            QTest::keyClick(window.tracker(), Qt::Key_Left);
            prompter.queueMessageAnswer(answer);
            press(window, 1);
            if (window.isVisible()) {
                // Cancel kept it open: leave through the close box, unsaved.
                prompter.queueMessageAnswer(MessageResult::No);
                window.close();
            }
        });
        return StartDlgDesigner(endPlate());
    };
    EXPECT_FALSE(changeAndOk(MessageResult::Cancel));
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text,
              "The design has been changed. Save it?\n<EndPlate\\EndPlate>");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(changeAndOk(MessageResult::No));
    EXPECT_EQ(bytesOf(m_designs / "EndPlate" / "EndPlate.txt"), original);
    EXPECT_TRUE(changeAndOk(MessageResult::Yes));
    EXPECT_NE(bytesOf(m_designs / "EndPlate" / "EndPlate.txt"), original);

    // An unchanged design leaves without a question.
    prompter.clearLog();
    whenModal([](QWidget* modal) { press(*static_cast<DesignerWindow*>(modal), 1); });
    EXPECT_TRUE(StartDlgDesigner(endPlate()));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(DesignerWindowTest, SavingOutsideTheDesignerFolderIsRefusedAndShown) {
    DesignerWindow window(endPlate());
    window.show();
    press(window, kDesignerAdd);
    const fs::path outside = m_root / "library" / "Elsewhere.txt";
    prompter.queueFileAnswer(corePathOf(outside));
    prompter.queueMessageAnswer(MessageResult::Ok);
    EXPECT_FALSE(window.saveDesignAs());
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_TRUE(window.design().isModified());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].text.find("not a design below the designer folder"), -1);
    EXPECT_EQ(window.windowTitle(), "Dialog designer - <EndPlate\\EndPlate>");

    // Below the folder it is saved with its picture and takes the new name.
    prompter.queueFileAnswer(corePathOf(m_designs / "Copies" / "Plate.txt"));
    EXPECT_TRUE(window.saveDesignAs());
    EXPECT_TRUE(fs::exists(m_designs / "Copies" / "Plate.bmp"));
    EXPECT_FALSE(window.design().isModified());
    EXPECT_EQ(window.windowTitle(), "Dialog designer - <Copies\\Plate>");
    EXPECT_EQ(prompter.fileDialogs()[1].request.caption, "Save as");
    EXPECT_EQ(prompter.fileDialogs()[1].request.filter, "Dialog designs (*.txt)|*.txt");
}

TEST_F(DesignerWindowTest, ABackgroundForANewDesignNeedsANameFirst) {
    DesignerWindow window(Vtx_String{});
    window.show();
    const Vtx_String picture = corePathOf(m_designs / "EndPlate" / "EndPlate.bmp");
    prompter.queueFileAnswer(picture);
    prompter.queueFileAnswer(""); // the name is not given
    EXPECT_FALSE(window.chooseBackground());
    EXPECT_TRUE(window.area()->picture().isNull());

    prompter.queueFileAnswer(picture);
    prompter.queueFileAnswer(corePathOf(m_designs / "New" / "Mine.txt"));
    EXPECT_TRUE(window.chooseBackground());
    EXPECT_FALSE(window.area()->picture().isNull());
    EXPECT_EQ(bytesOf(m_designs / "New" / "Mine.bmp"),
              bytesOf(m_designs / "EndPlate" / "EndPlate.bmp"));
    EXPECT_TRUE(window.design().isModified());
    int width = 0;
    int height = 0;
    window.design().getImageSize(width, height);
    EXPECT_EQ(QSize(width, height), QSize(480, 300));

    // Open asks about the changed design first, then opens the chosen file.
    prompter.queueMessageAnswer(MessageResult::No);
    prompter.queueFileAnswer(endPlate());
    EXPECT_TRUE(window.openDesign());
    EXPECT_EQ(window.design().designName(), "EndPlate\\EndPlate");
    EXPECT_EQ(prompter.fileDialogs().back().request.folder, corePathOf(m_designs / "New") + "\\");
}

TEST_F(DesignerWindowTest, TheSizeIsStoredAndRestored) {
    QSize least;
    {
        DesignerWindow window(endPlate());
        window.show();
        least = window.minimumSize();
        window.resize(least + QSize(120, 80));
        window.close(); // unchanged: no question
    }
    Vtx_DlgSize stored;
    ASSERT_TRUE(getDlgSize("DLG_DLGDESIGNER", stored));
    DesignerWindow again(endPlate());
    again.show();
    EXPECT_EQ(again.size(), least + QSize(120, 80));
    // The strip keeps its distance to the bottom; the area takes the rest.
    EXPECT_EQ(again.height() - again.control(1)->geometry().bottom(),
              least.height() - DesignerWindow(Vtx_String{}).control(1)->geometry().bottom());
    EXPECT_EQ(again.area()->width(), again.width());
}

} // namespace
