// The formula dialog and the bill window on the desktop, driven as a user
// does: the style radios, auto calculation, loading a damaged file (a
// message, the grid kept), saving and loading back, and a bill written into
// a window that shows it without taking the focus.
#include "GridWidgetFixture.h"

#include "platform/sheet/SheetModel.h"
#include "platform/ui/UiText.h"
#include "spread/BillOutput.h"
#include "spread/BillWindow.h"
#include "spread/ui/BillWindowView.h"
#include "spread/ui/FormulaWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using gridtest::GridWidgetFixture;
using vtx::spreadui::FormulaWindow;

class FormulaWindowTest : public GridWidgetFixture {
protected:
    // A formula window on file (may be empty), opened and shown.
    FormulaWindow* open(const Vtx_String& file) {
        auto* window = new FormulaWindow(FormulaDialogMode::EvaluateCell, file);
        window->record().setCell(1, 1);
        EXPECT_TRUE(window->openRecord());
        window->view()->sync();
        return window;
    }
    static QString cellShown(FormulaWindow* window, int column, int row) {
        window->view()->sync();
        return window->view()->model()->index(row - 1, column - 1).data().toString();
    }
    Vtx_String sheet(const char* name, const std::string& text) {
        const fs::path path = m_root / name;
        std::ofstream(path) << text;
        return corePathOf(path);
    }
};

TEST_F(FormulaWindowTest, StyleRadiosShowTheFormulasAndAutoCalculateLocksRecalculate) {
    FormulaWindow* window = open(sheet("f.kss", "VTXSHEET 1\nsize 4 5\n"
                                                "cell 4 1 f=\"B1*2\" n=42\ncell 2 1 n=21\nend\n"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->controlAs<QRadioButton>(1005)->isChecked());
    QTest::mouseClick(window->controlAs<QRadioButton>(1007), Qt::LeftButton);
    window->view()->sync();
    EXPECT_EQ(window->record().styleChecked(), kFormulaStyleR1C1);
    EXPECT_EQ(cellShown(window, 1, 1), "RC[-2]*2") << "the formula of column 4, in R1C1";

    auto* recalculate = window->controlAs<QPushButton>(1107);
    EXPECT_TRUE(recalculate->isEnabled());
    QTest::mouseClick(window->controlAs<QCheckBox>(1106), Qt::LeftButton);
    EXPECT_TRUE(window->record().autoCalculateChecked());
    EXPECT_FALSE(recalculate->isEnabled());
    window->close();
}

TEST_F(FormulaWindowTest, ADamagedFileIsSaidAndTheGridKeepsWhatItShowed) {
    FormulaWindow* window =
        open(sheet("good.kss", "VTXSHEET 1\nsize 3 3\ncell 1 1 t=\"kept\"\nend\n"));
    EXPECT_EQ(cellShown(window, 1, 1), "kept");
    auto* name = window->controlAs<QLineEdit>(1000);
    name->setText(vtx::ui::qtText(sheet("bad.kss", "garbage\x01")));
    prompter.queueMessageAnswer(MessageResult::Ok);
    QTest::mouseClick(window->controlAs<QPushButton>(1087), Qt::LeftButton);
    window->view()->sync();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_NE(prompter.messages()[0].text.find("bad.kss"), std::string::npos);
    EXPECT_NE(host.commandLine().text().find("Load failed"), std::string::npos);
    EXPECT_EQ(cellShown(window, 1, 1), "kept");
    window->close();
}

TEST_F(FormulaWindowTest, SaveToFileAndLoadFromFileRoundTrip) {
    FormulaWindow* window = open({});
    window->record().grid().setCellText(7, 2, "kept");
    const Vtx_String target = corePathOf(m_root / "saved.kss");
    window->controlAs<QLineEdit>(1000)->setText(vtx::ui::qtText(target));
    QTest::mouseClick(window->controlAs<QPushButton>(1001), Qt::LeftButton);
    EXPECT_TRUE(fs::exists(m_root / "saved.kss"));
    window->close();

    FormulaWindow* again = open(target);
    EXPECT_EQ(cellShown(again, 7, 2), "kept");
    // A name the module's texts cannot hold is refused before any file work.
    again->controlAs<QLineEdit>(1000)->setText(QStringLiteral("Ω.kss"));
    prompter.queueMessageAnswer(MessageResult::Ok);
    QTest::mouseClick(again->controlAs<QPushButton>(1001), Qt::LeftButton);
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(host.commandLine().text().find("Save failed"), std::string::npos);
    again->close();
}

TEST_F(FormulaWindowTest, ABillFillsAShownWindowThatItsOwnerDestroys) {
    setBillWindowMaker(&vtx::spreadui::makeBillWindowView);
    {
        KsSSBillOutput bill;
        Vtx_StringArray columns{"Pos", "Name"};
        ASSERT_EQ(bill.init(corePathOf(m_root / "bill.kss"), columns, {}, {}, "Default", {}, {}),
                  eOk);
        bill.onStartFeed();
        bill.onAddRow(Vtx_StringArray{"1", "Beam"});
        bill.onAddRow(Vtx_StringArray{"2", "Plate"});
        EXPECT_EQ(bill.onEndFeed(), eOk);
        QWidget* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<vtx::ui::VtxDialog*>(widget);
                d && d != dialog.get() && d->templateId() == 248)
                shown = d;
        }
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isVisible());
        auto* view =
            qobject_cast<QTableView*>(static_cast<vtx::ui::VtxDialog*>(shown)->control(1196));
        ASSERT_NE(view, nullptr);
        QApplication::processEvents();
        EXPECT_EQ(view->model()->rowCount(), 2);
        EXPECT_EQ(view->model()->index(1, 1).data().toString(), "Plate");
        // The grid lines are drawn in the bill's colour.
        EXPECT_EQ(QColor::fromRgba(static_cast<QRgb>(
                      view->style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, view))),
                  QColor(50, 50, 50));
    }
    setBillWindowMaker(nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<vtx::ui::VtxDialog*>(widget); d && d != dialog.get()) {
            EXPECT_NE(d->templateId(), 248) << "the owner destroyed the window";
        }
    }
}

} // namespace

namespace {

using vtx::sheet::PictureStyle;

// A picture named relative to the sheet's file is shown from the sheet's
// folder; one that cannot be read shows nothing and is said once.
TEST_F(FormulaWindowTest, PictureFilesAreFoundBesideTheSheetAndAMissingOneIsSaid) {
    fs::create_directories(m_root / "pics");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((m_root / "pics" / "a.bmp").string()), "BMP"));
    {
        FormulaWindow* maker = open({});
        vtx::sheet::SheetModel* model = maker->record().grid().model();
        model->setCellType(vtx::sheet::CellRange::cell(7, 1),
                           vtx::sheet::CellType::picture("pics\\a.bmp", PictureStyle::File));
        model->setCellType(vtx::sheet::CellRange::cell(7, 2),
                           vtx::sheet::CellType::picture("pics\\gone.bmp", PictureStyle::File));
        ASSERT_TRUE(maker->record().grid().saveFile(corePathOf(m_root / "pictures.kss")));
        maker->close();
    }
    FormulaWindow* window = open(corePathOf(m_root / "pictures.kss"));
    const Vtx_String folder = window->record().grid().fileFolder();
    EXPECT_FALSE(vtx::spreadui::cellPicture("pics\\a.bmp", PictureStyle::File, folder).isNull());
    EXPECT_TRUE(vtx::spreadui::cellPicture("pics\\gone.bmp", PictureStyle::File, folder).isNull());
    vtx::spreadui::cellPicture("pics\\gone.bmp", PictureStyle::File, folder);
    const std::string said = host.commandLine().text();
    const std::string message = "*Error* The picture pics\\gone.bmp could not be read.";
    EXPECT_NE(said.find(message), std::string::npos) << said;
    EXPECT_EQ(said.find(message), said.rfind(message)) << "said once";
    window->close();
}

} // namespace
