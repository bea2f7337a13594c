// Values exchanged with a design's live controls by window id, read-back of
// geometry and focus, and the flex-button groups.

#include "DesignUiFixture.h"

#include "designer/ui/DesignWidgets.h"
#include "platform/host/Resources.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vtx::designui;

TEST_F(DesignUiTest, ValuesRoundTripByWindowId) {
    const int label = add(ctLabel, 0, 0, 80, 20, "Width:");
    const int edit = add(ctVarEdit, 90, 0, 180, 20, "Width");
    const int combo = add(ctVarCombo, 90, 30, 180, 52, "Weld");
    const int bolts = add(ctBoltCount1, 90, 60, 180, 100, "3");
    const int calc = add(ctCalcButton1, 0, 110, 80, 130, "Calc");
    const int group = add(ctGroupBox, 0, 140, 180, 200, "Plate");
    area->redrawAllControls();

    for (int id : {label, edit, combo, bolts, group}) {
        ASSERT_TRUE(area->setCtrlValue(id, "12.5 \xE9")) << id;
        EXPECT_EQ(valueOf(id), "12.5 \xE9") << id;
    }
    EXPECT_EQ(widget<QLineEdit>(edit)->text(), QString::fromUtf8("12.5 é"));
    EXPECT_EQ(widget<QComboBox>(combo)->currentText(), QString::fromUtf8("12.5 é"));
    ASSERT_TRUE(area->setCtrlValue(bolts, "2\r\n4"));
    EXPECT_EQ(widget<QPlainTextEdit>(bolts)->toPlainText(), "2\n4");

    // A calculation button keeps its caption whatever it is given.
    EXPECT_TRUE(area->setCtrlValue(calc, "99"));
    EXPECT_EQ(valueOf(calc), "Calc");

    // A text the module cannot hold is not handed out as a value.
    widget<QLineEdit>(edit)->setText(QString::fromUtf8("\u4e2d"));
    Vtx_String value = "kept";
    EXPECT_FALSE(area->getCtrlValue(edit, value));

    EXPECT_FALSE(area->getCtrlValue(33099, value));
    EXPECT_FALSE(area->setCtrlValue(1, "x"));
    EXPECT_TRUE(area->isADynControl(edit));
    EXPECT_FALSE(area->isADynControl(33050));
    EXPECT_TRUE(area->isTypeBoltCount(bolts));
    EXPECT_FALSE(area->isTypeBoltCount(edit));
    Vtx_ControlType type = ctLabel;
    ASSERT_TRUE(area->getDynControlType(combo, type));
    EXPECT_EQ(type, ctVarCombo);
}

TEST_F(DesignUiTest, ReadOnlyOnlyForVariableEditsAndCombos) {
    const int edit = add(ctVarEdit, 0, 0, 50, 20);
    const int combo = add(ctVarCombo, 0, 30, 50, 52);
    const int label = add(ctLabel, 0, 60, 50, 80);
    area->redrawAllControls();
    EXPECT_TRUE(area->setCtrlReadOnly(edit, true));
    EXPECT_TRUE(area->setCtrlReadOnly(combo, true));
    EXPECT_FALSE(area->widgetOfId(edit)->isEnabled());
    EXPECT_FALSE(area->widgetOfId(combo)->isEnabled());
    EXPECT_FALSE(area->design().getControl(0)->readOnly) << "the model's field stays";
    EXPECT_TRUE(area->setCtrlReadOnly(edit, false));
    EXPECT_TRUE(area->widgetOfId(edit)->isEnabled());
    EXPECT_FALSE(area->setCtrlReadOnly(label, true));
    EXPECT_TRUE(area->widgetOfId(label)->isEnabled());
}

TEST_F(DesignUiTest, CheckBoxTakesTwoOrThreeStates) {
    const int check = add(ctVarCheck, 0, 0, 100, 20, "Welded", "1");
    const int unset = add(ctVarCheck, 0, 30, 100, 50, "Painted", "");
    area->redrawAllControls();
    auto* box = widget<QCheckBox>(check);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->checkState(), Qt::Checked) << "the initial value is the combo list";
    EXPECT_EQ(valueOf(unset), "0");

    ASSERT_TRUE(area->setCtrlValue(check, "(NONE)"));
    EXPECT_TRUE(box->isTristate());
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(valueOf(check), "(none)");

    ASSERT_TRUE(area->setCtrlValue(check, "1"));
    EXPECT_FALSE(box->isTristate());
    EXPECT_EQ(box->checkState(), Qt::Checked);
    EXPECT_EQ(valueOf(check), "1");
    for (const char* off : {"0.0", "-1", "abc"}) {
        area->setCtrlValue(check, "1");
        ASSERT_TRUE(area->setCtrlValue(check, off));
        EXPECT_EQ(box->checkState(), Qt::Unchecked) << off;
    }
    EXPECT_TRUE(area->setCtrlValue(check, "2.5abc"));
    EXPECT_EQ(valueOf(check), "1") << "the leading number counts";
}

TEST_F(DesignUiTest, GeometryAndFocusReadBackFromLiveControls) {
    const int label = add(ctLabel, 0, 0, 40, 20, "A");
    const int second = add(ctVarEdit, 200, 0, 300, 20);
    const int first = add(ctVarEdit, 50, 0, 150, 20);
    const int below = add(ctVarCombo, 50, 50, 150, 72);
    area->redrawAllControls();
    // Qt's Tab order follows the design's rows, left to right.
    EXPECT_EQ(area->widgetOfId(first)->nextInFocusChain(), area->widgetOfId(second));
    EXPECT_EQ(area->design().getControl(3)->tabOrder, 3);
    (void)below;

    area->show();
    area->activateWindow();
    ASSERT_TRUE(area->setFocusToCtrl(true));
    QApplication::processEvents();
    int id = 0;
    ASSERT_TRUE(area->getFocusedDynControl(id));
    EXPECT_EQ(id, first);

    area->widgetOfId(second)->setGeometry(100, 30, 60, 20);
    ASSERT_TRUE(area->getSizeFromControl(1));
    const Vtx_DesignerControl& moved = *area->design().getControl(1);
    EXPECT_DOUBLE_EQ(moved.topLeftX, 100.0 / kNoPictureWidth);
    EXPECT_DOUBLE_EQ(moved.bottomRightY, 50.0 / kNoPictureHeight);
    EXPECT_FALSE(area->getSizeFromControl(4));
    area->design().removeControl(0);
    EXPECT_FALSE(area->getSizeFromAllControls()) << "the controls are no longer as drawn";
    (void)label;
}

namespace {

// Resources with one bitmap: the flex buttons' icon.
class IconSource : public ResourceSource {
public:
    IconSource() {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(qRgb(255, 255, 255));
        image.setPixel(8, 8, qRgb(200, 0, 0));
        QBuffer buffer(&m_bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
    }
    Vtx_String resourceName() const override { return "icons"; }
    std::string_view findResource(ResourceKind kind, int id) const override {
        if (kind != ResourceKind::Bitmap || id != kFlexButtonIcon)
            return {};
        return std::string_view(m_bytes.constData(), static_cast<size_t>(m_bytes.size()));
    }

private:
    QByteArray m_bytes;
};

} // namespace

TEST_F(DesignUiTest, FlexButtonGroups) {
    IconSource icons;
    ASSERT_EQ(host.resources().registerSource(&icons), ErrorStatus::eOk);
    const int a = add(ctFlexBtn, 0, 0, 30, 30, "Stiffener", "Stiff;x;;");
    add(ctFlexBtn, 40, 0, 70, 30, "Doubler", "stiff;x;Part3;");
    add(ctVarEdit, 80, 0, 150, 20, "Width");
    add(ctFlexBtn, 0, 40, 30, 70, "Haunch", "Haunch;;;");
    area->redrawAllControls();
    host.resources().unregisterSource(&icons);

    auto* button = widget<FlexButton>(a);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull()) << "the module's icon";

    Vtx_StringArray groups;
    area->getFlexBtnsGroups(groups);
    EXPECT_EQ(groups, Vtx_StringArray({"Stiff", "Haunch"}));
    Vtx_Array<int> all, withPart3;
    all.append(7);
    ASSERT_TRUE(area->getFlexBtnsInGroup("", all, withPart3));
    EXPECT_EQ(all.length() + withPart3.length(), 0);
    ASSERT_TRUE(area->getFlexBtnsInGroup("STIFF", all, withPart3));
    EXPECT_EQ(all, Vtx_Array<int>({0, 1}));
    EXPECT_EQ(withPart3, Vtx_Array<int>({1}));
    Vtx_StringArray vars;
    area->getAllFlexVarsOfGroup("stiff", vars);
    EXPECT_EQ(vars, Vtx_StringArray({"Stiffener", "Doubler"}));
    Vtx_String group, contents;
    ASSERT_TRUE(area->getFlexBtnGroupName(a, group, contents));
    EXPECT_EQ(group, "Stiff");
    EXPECT_EQ(contents, "Stiffener");
    EXPECT_FALSE(area->getFlexBtnGroupName(a + 2, group, contents)) << "an edit";

    // The third state is reported as 2; setting 2 clears and says 0.
    ASSERT_TRUE(setCheckValue(button, "(none)"));
    int status = -1;
    ASSERT_TRUE(area->getFlexBtnStatus(0, status));
    EXPECT_EQ(status, 2);
    status = 2;
    ASSERT_TRUE(area->getSetFlexBtnStatus(true, 0, status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(button->checkState(), kUnchecked);
    ASSERT_TRUE(area->setFlexBtnStatus("stiff", "doubler", 1));
    ASSERT_TRUE(area->getFlexBtnStatus(1, status));
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(area->setFlexBtnStatus("Haunch", "Doubler", 1));
    EXPECT_FALSE(area->getFlexBtnStatus(2, status)) << "not a flex button";

    // A click moves on as a check box does: this one has three states since
    // it was given the undetermined value, the other two.
    button->click();
    EXPECT_EQ(button->checkState(), kChecked);
    button->click();
    EXPECT_EQ(button->checkState(), kUndetermined);
    button->click();
    EXPECT_EQ(button->checkState(), kUnchecked);
    auto* doubler = qobject_cast<FlexButton*>(area->controlWidget(1));
    doubler->click();
    EXPECT_EQ(doubler->checkState(), kUnchecked);

    area->show();
    ASSERT_TRUE(area->hideAllFlexBtns("STIFF"));
    EXPECT_TRUE(area->controlWidget(0)->isHidden());
    EXPECT_TRUE(area->controlWidget(1)->isHidden());
    EXPECT_FALSE(area->controlWidget(3)->isHidden());
}
