// Every control type becomes the right Qt control at its rectangle, combos
// get their lists, and the picture shows the dialog through its white.

#include "DesignUiFixture.h"

#include "designer/DesignFiles.h"
#include "designer/ui/DesignWidgets.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <fstream>

using namespace vtx::designui;

namespace {

// The Qt class each control type is shown as.
const char* expectedClass(Vtx_ControlType type) {
    switch (type) {
    case ctLabel:
        return "QLabel";
    case ctGroupBox:
        return "QGroupBox";
    case ctBoltCount1:
    case ctBoltCount2:
        return "QPlainTextEdit";
    case ctVarCheck:
        return "QCheckBox";
    case ctFlexBtn:
        return "vtx::designui::FlexButton";
    default:
        break;
    }
    switch (windowClassOf(type)) {
    case DesignWindowClass::Edit:
        return "QLineEdit";
    case DesignWindowClass::ComboBox:
        return "QComboBox";
    case DesignWindowClass::Button:
        return "QPushButton";
    default:
        return "QLabel";
    }
}

} // namespace

TEST_F(DesignUiTest, EveryTypeBecomesItsControlAtItsRectangle) {
    for (int t = 0; t < kControlTypeCount; ++t)
        add(static_cast<Vtx_ControlType>(t), 10 + t, 5 + 8 * t, 110 + t, 27 + 8 * t, "x");
    area->redrawAllControls();
    ASSERT_EQ(area->drawnCount(), kControlTypeCount);
    for (int t = 0; t < kControlTypeCount; ++t) {
        const auto type = static_cast<Vtx_ControlType>(t);
        QWidget* control = area->controlWidget(t);
        ASSERT_NE(control, nullptr) << t;
        EXPECT_STREQ(control->metaObject()->className(), expectedClass(type)) << t;
        EXPECT_EQ(control->geometry(), QRect(10 + t, 5 + 8 * t, 100, 22)) << t;
        EXPECT_EQ(control->parentWidget(), area.get());
        EXPECT_EQ(vtx::ui::VtxDialog::controlId(control), 33000 + t);
        EXPECT_TRUE(control->isEnabled()) << t;
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            EXPECT_EQ(combo->isEditable(), type == ctVarCombo || type == ctProfListCombo) << t;
        }
    }
    // Drawing again replaces the controls rather than adding a second set.
    area->redrawAllControls();
    int direct = 0;
    for (QObject* child : area->children())
        direct += child->isWidgetType() ? 1 : 0;
    EXPECT_EQ(direct, kControlTypeCount);
}

TEST_F(DesignUiTest, DesignModeDisablesAllButLabelsAndRunTimeHonoursReadOnly) {
    vtx::designui::DesignArea designer(nullptr, true);
    designer.design().setDynIdRange(33000, 33099);
    for (Vtx_ControlType type : {ctLabel, ctVarEdit, ctVarCombo, ctGroupBox}) {
        Vtx_DesignerControl control;
        control.type = type;
        designer.design().setTopLeftX(control, 10);
        designer.design().setBottomRightX(control, 90);
        designer.design().setBottomRightY(control, 22);
        designer.design().append(control);
    }
    designer.redrawAllControls();
    EXPECT_TRUE(designer.controlWidget(0)->isEnabled());
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(designer.controlWidget(i)->isEnabled()) << i;

    const int edit = add(ctVarEdit, 0, 0, 50, 20, "Width");
    area->design().getControlWrite(0)->readOnly = true;
    area->redrawAllControls();
    EXPECT_FALSE(area->widgetOfId(edit)->isEnabled());
}

TEST_F(DesignUiTest, CombosKeepTheirHeightAndTakeTheirLists) {
    std::ofstream(m_root / "library" / "Lists" / "Sizes.txt") << "8\r\n10\r\nTwelve\r\n";
    const int fromFile = add(ctVarCombo, 10, 10, 100, 32, "twelve", "Lists\\Sizes.txt");
    const int notListed = add(ctVarCombo, 10, 40, 100, 62, "14", "Lists\\Sizes.txt");
    const int noFile = add(ctVarCombo, 10, 70, 100, 92, "Weld", "Lists\\Missing.txt");
    const int bound = add(ctProfCombo, 10, 100, 100, 122, "IPE 200");
    area->design().getControlWrite(3)->comboItems = {"HEA 200", "IPE 200"};
    area->redrawAllControls();

    auto* combo = widget<QComboBox>(fromFile);
    ASSERT_NE(combo, nullptr);
    // A combo keeps the height it is designed with; its list has the room.
    EXPECT_EQ(combo->height(), 22);
    EXPECT_GE(combo->maxVisibleItems(), 5);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Twelve");
    EXPECT_EQ(combo->currentIndex(), 2) << "the item is found with case ignored";

    combo = widget<QComboBox>(notListed);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "14");
    EXPECT_EQ(valueOf(notListed), "14");

    EXPECT_EQ(widget<QComboBox>(noFile)->count(), 0);
    combo = widget<QComboBox>(bound);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), "IPE 200");
    EXPECT_FALSE(area->setCtrlValue(bound, "UPN 100")) << "a list-only combo has no such item";
    EXPECT_TRUE(area->setCtrlValue(bound, "hea 200"));
    EXPECT_EQ(valueOf(bound), "HEA 200");
}

TEST_F(DesignUiTest, CutComboValueIsTheIndex) {
    const int cut = add(ctCutCombo, 0, 0, 120, 22, "2");
    area->redrawAllControls();
    auto* combo = widget<QComboBox>(cut);
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(4), "(none)");
    EXPECT_EQ(vtx::ui::missingTexts(area.get()), QStringList());
    EXPECT_EQ(valueOf(cut), "2");
    EXPECT_TRUE(area->setCtrlValue(cut, "4"));
    EXPECT_EQ(combo->currentText(), "(none)");
    EXPECT_TRUE(area->setCtrlValue(cut, "9"));
    EXPECT_EQ(valueOf(cut), "-1") << "an index beyond the list selects nothing";
}

// White (255, 255, 255) shows what is behind the picture, a colour one step
// from it is drawn.
TEST_F(DesignUiTest, PictureIsTransparentWhereWhite) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, qRgb(254, 255, 255));
    const std::filesystem::path file = m_root / "library" / "Picture.bmp";
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));

    QWidget back;
    back.setAutoFillBackground(true);
    QPalette palette = back.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    back.setPalette(palette);
    area->setParent(&back);
    EXPECT_FALSE(area->attachBitmap(corePathOf(m_root / "library" / "None.bmp")));
    ASSERT_TRUE(area->attachBitmap(corePathOf(file)));
    int width = 0, height = 0;
    area->design().getImageSize(width, height);
    EXPECT_EQ(QSize(width, height), QSize(40, 30));
    EXPECT_EQ(area->sizeHint(), QSize(40, 30));
    area->resize(60, 40);
    back.resize(60, 40);
    const QImage shown = back.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(0, 128, 0));
    EXPECT_EQ(shown.pixelColor(30, 5), QColor(254, 255, 255));
    EXPECT_EQ(shown.pixelColor(50, 35), QColor(0, 128, 0)) << "drawn in its own size";

    // A file that is no bitmap leaves no picture.
    std::ofstream(m_root / "library" / "Broken.bmp") << "not a picture";
    EXPECT_FALSE(area->attachBitmap(corePathOf(m_root / "library" / "Broken.bmp")));
    EXPECT_TRUE(area->picture().isNull());
    area->setParent(nullptr);
}

TEST_F(DesignUiTest, SampleDesignShowsItsVariables) {
    gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
    ASSERT_TRUE(area->readFromFile(getDesignerRootFolder() + "EndPlate\\EndPlate.txt"));
    area->redrawAllControls();
    ASSERT_EQ(area->drawnCount(), 15);
    EXPECT_EQ(area->picture().size(), QSize(480, 300));
    int i = -1;
    ASSERT_TRUE(area->findEditCtrlWithContents("width", i));
    EXPECT_STREQ(area->controlWidget(i)->metaObject()->className(), "QLineEdit");
    EXPECT_EQ(area->controlWidget(i)->geometry(), QRect(365, 69, 96, 24));
    ASSERT_TRUE(area->findEditCtrlWithContents("Thickness", i));
    auto* thickness = qobject_cast<QComboBox*>(area->controlWidget(i));
    ASSERT_NE(thickness, nullptr);
    EXPECT_GT(thickness->count(), 3) << "filled from Lists\\PlateThickness.txt";
    EXPECT_FALSE(area->findEditCtrlWithContents("Thickness:", i)) << "labels are no variables";
    for (int k = 0; k < area->drawnCount(); ++k)
        EXPECT_TRUE(QRect(0, 0, 480, 300).contains(area->controlWidget(k)->geometry())) << k;
    EXPECT_EQ(vtx::ui::missingTexts(area.get()), QStringList());
}
