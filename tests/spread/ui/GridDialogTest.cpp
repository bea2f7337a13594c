// startGridDialog as its callers and users meet it: the table shown in a
// modal grid, typed into, rows inserted and deleted, OK and Cancel.
#include "GridTyping.h"
#include "UiFixture.h"

#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"
#include "spread/VtxSpread.h"
#include "spread/ui/GridDialog.h"
#include "spread/ui/SpreadView.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

using vtx::spreadui::SpreadView;
using vtx::ui::VtxDialog;
using Table = Vtx_Array<Vtx_StringArray>;

class GridDialogTest : public uitest::UiFixture {
protected:
    static SpreadView* viewOf(VtxDialog* dialog) {
        return dialog->controlAs<SpreadView>(vtx::spreadui::kGridDialogGridId);
    }
    // Types text into a cell as a user does: a click, the first key opens
    // the editor, Return commits.
    static void clickId(VtxDialog* dialog, int id) {
        auto* button = dialog->controlAs<QPushButton>(id);
        ASSERT_NE(button, nullptr) << "button " << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static std::vector<std::vector<std::string>> plain(const Table& table) {
        std::vector<std::vector<std::string>> out;
        for (int r = 0; r < table.length(); ++r) {
            out.emplace_back();
            for (int c = 0; c < table[r].length(); ++c)
                out.back().push_back(table[r][c].str());
        }
        return out;
    }
    using Rows = std::vector<std::vector<std::string>>;
};

TEST_F(GridDialogTest, AnEmptyFirstHeaderListShowsNothing) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    Table rows{{"a"}};
    EXPECT_FALSE(startGridDialog({{}, {"N"}}, rows, true));
    EXPECT_FALSE(startGridDialog({}, rows, true));
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(plain(rows), (Rows{{"a"}}));
}

TEST_F(GridDialogTest, OkReturnsTheRowsAsEdited) {
    Table rows{{"Plate", "12", "0"}, {"Angle", "4", "1"}};
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<VtxDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->templateId(), 208);
        EXPECT_EQ(dialog->windowTitle(), "Parts");
        EXPECT_TRUE(vtx::ui::missingTexts(dialog).isEmpty());
        SpreadView* view = viewOf(dialog);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Count");
        EXPECT_EQ(view->model()->columnCount(), 3);
        EXPECT_EQ(view->model()->rowCount(), 2);

        uitest::typeIntoCell(view, 1, 1, QString::fromUtf8("Träger"));
        // A new row below the active one, its check box unchecked.
        clickId(dialog, vtx::spreadui::kGridDialogInsertRowId);
        view->sync();
        EXPECT_EQ(view->model()->rowCount(), 3);
        uitest::typeIntoCell(view, 1, 2, "Bolt");
        // A check box toggled by a click.
        const QModelIndex check = view->model()->index(2, 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(check).center());
        view->sync();
        clickId(dialog, 1);
    });
    ASSERT_TRUE(startGridDialog({{"Name", "Count", "Done"}, {"", "N0", "C"}}, rows, true,
                                "DLG_PARTS", "Parts"));
    EXPECT_EQ(plain(rows),
              (Rows{{"Tr\xE4ger", "12", "0"}, {"Bolt", "", "0"}, {"Angle", "4", "0"}}));
    Vtx_DlgSize stored;
    EXPECT_TRUE(getDlgSize("DLG_PARTS", stored)) << "its size is kept under the name given";
}

TEST_F(GridDialogTest, SelectedRowsAreDeletedAndCancelLeavesTheTable) {
    const Table before{{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}};
    Table rows = before;
    auto editAndCancel = [](bool viaButton) {
        return [viaButton](QWidget* modal) {
            auto* dialog = qobject_cast<VtxDialog*>(modal);
            SpreadView* view = viewOf(dialog);
            uitest::typeIntoCell(view, 2, 1, "changed");
            view->setCurrentIndex(view->model()->index(1, 0));
            QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
            view->sync();
            clickId(dialog, vtx::spreadui::kGridDialogDeleteRowId);
            view->sync();
            EXPECT_EQ(view->model()->rowCount(), 2) << "rows 2 and 3 deleted";
            if (viaButton)
                clickId(dialog, 2);
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        };
    };
    whenModal(editAndCancel(true));
    EXPECT_FALSE(startGridDialog({{"No", "Text"}}, rows, true));
    EXPECT_EQ(plain(rows), plain(before));
    whenModal(editAndCancel(false));
    EXPECT_FALSE(startGridDialog({{"No", "Text"}}, rows, true));
    EXPECT_EQ(plain(rows), plain(before));

    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<VtxDialog*>(modal);
        SpreadView* view = viewOf(dialog);
        view->setCurrentIndex(view->model()->index(1, 0));
        clickId(dialog, vtx::spreadui::kGridDialogDeleteRowId);
        clickId(dialog, 1);
    });
    ASSERT_TRUE(startGridDialog({{"No", "Text"}}, rows, true));
    EXPECT_EQ(plain(rows), (Rows{{"1", "a"}, {"3", "c"}, {"4", "d"}}));
}

TEST_F(GridDialogTest, WithoutTheFlagRowsStayAndNothingOfARowIsDropped) {
    Table rows{{"x", "y", "beyond the titles"}, {"z"}};
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<VtxDialog*>(modal);
        EXPECT_EQ(dialog->control(vtx::spreadui::kGridDialogInsertRowId), nullptr);
        EXPECT_EQ(dialog->control(vtx::spreadui::kGridDialogDeleteRowId), nullptr);
        EXPECT_EQ(viewOf(dialog)->model()->columnCount(), 3);
        clickId(dialog, 1);
    });
    ASSERT_TRUE(startGridDialog({{"A", "B"}}, rows, false));
    EXPECT_EQ(plain(rows), (Rows{{"x", "y", "beyond the titles"}, {"z", "", ""}}));
}

TEST_F(GridDialogTest, TextBeingTypedWhenOkIsPressedBelongsToTheTable) {
    Table rows{{"old"}};
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<VtxDialog*>(modal);
        SpreadView* view = viewOf(dialog);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 0)).center());
        QTest::keyClick(view, Qt::Key_F2);
        QLineEdit* editor = view->cellEditor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        typeText(editor, "new");
        // Enter in the cell commits the cell, it does not close the dialog.
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(view->cellEditor(), nullptr);
        QTest::keyClick(view, Qt::Key_F2);
        ASSERT_NE(view->cellEditor(), nullptr);
        view->cellEditor()->selectAll();
        typeText(view->cellEditor(), "newer");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_TRUE(startGridDialog({{"Name"}}, rows, true));
    EXPECT_EQ(plain(rows), (Rows{{"newer"}}));
}

} // namespace
