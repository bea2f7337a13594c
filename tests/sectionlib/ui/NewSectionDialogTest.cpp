// The new-section dialog as a user drives it: the example shown, names made
// from typed values or typed, OK and Cancel through the Start function, the
// refusals with their messages, and the size store.
#include "UiFixture.h"

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Settings.h"
#include "platform/ui/UiText.h"
#include "sectionlib/SectionLibDialogs.h"
#include "sectionlib/ui/NewSectionDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <ostream>

inline void PrintTo(const Vtx_String& text, std::ostream* os) {
    *os << testing::PrintToString(text.str());
}

namespace {

using namespace vtx::sectionui;
using vtx::ui::VtxDialog;

Vtx_StringArray cells(std::initializer_list<const char*> texts) {
    Vtx_StringArray result;
    for (const char* text : texts)
        result.append(text);
    return result;
}

/// A table of rectangular tubes: names made of three of the values.
Vtx_ProfValuesTable tubeTable() {
    Vtx_ProfValuesTable table;
    table.tableName = "RHS";
    table.templateName = "RectTube.tpl";
    table.columns =
        cells({"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "r", "t", "A"});
    table.rows.append(cells({"100x50x5", "1", "RHS 100x50x5", "RR 100x50x5", "RHS 100x50x5",
                             "RHS 100x50x5", "100", "50", "7.5", "5", "13.9"}));
    table.rows.append(cells({"200x100x10", "1", "RHS 200x100x10", "RR 200x100x10", "RHS 200x100x10",
                             "RHS 200x100x10", "200", "100", "15", "10", "54.9"}));
    table.rows.append(cells({"300x200x10", "0", "RHS 300x200x10", "RR 300x200x10", "RHS 300x200x10",
                             "RHS 300x200x10", "300", "200", "15", "10", "94.9"}));
    return table;
}

class NewSectionDialogTest : public uitest::UiFixture {
protected:
    static QLineEdit* edit(QWidget* dialog, int id) {
        return static_cast<VtxDialog*>(dialog)->controlAs<QLineEdit>(id);
    }
    static QLineEdit* valueEdit(QWidget* dialog, int k) {
        return edit(dialog, kNewSectionFirstValue + 2 * k);
    }
    static void retype(QWidget* dialog, QLineEdit* target, const QString& text) {
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        typeText(target, text);
        (void)dialog;
    }
    static void press(QWidget* dialog, int id) {
        auto* button = static_cast<VtxDialog*>(dialog)->controlAs<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << "control " << id;
        // Near the left edge: on a radio button's circle, inside a push button.
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                          QPoint(qMin(8, button->width() / 2), button->height() / 2));
    }
};

TEST_F(NewSectionDialogTest, ShowsTheExampleAndMakesTheNameFromTypedValues) {
    Vtx_ProfValuesTable table = tubeTable();
    NewSectionDialog dialog("200X100X10", table); // the example's name, case ignored
    dialog.show();
    EXPECT_TRUE(vtx::ui::missingTexts(&dialog).isEmpty())
        << vtx::ui::missingTexts(&dialog).join(", ").toStdString();
    EXPECT_EQ(dialog.example().exampleRow(), 1);
    EXPECT_EQ(dialog.example().pattern(), (Vtx_Array<int>{0, 1, 3}));

    QLineEdit* name = edit(&dialog, kNewSectionName);
    EXPECT_EQ(name->text(), "RHS 200x100x10");
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(dialog.controlAs<QRadioButton>(kNewSectionAutoName)->isChecked());
    EXPECT_EQ(dialog.controlAs<QLabel>(kNewSectionFirstValueLabel + 2)->text(), "b. b:");
    EXPECT_EQ(valueEdit(&dialog, 4)->text(), "54.9");
    // The row has five values: the sixth and later are hidden with their labels.
    EXPECT_TRUE(valueEdit(&dialog, 4)->isVisible());
    EXPECT_FALSE(valueEdit(&dialog, 5)->isVisible());
    EXPECT_FALSE(dialog.control(kNewSectionFirstValueLabel + 10)->isVisible());

    retype(&dialog, valueEdit(&dialog, 0), "250");
    EXPECT_EQ(name->text(), "RHS 250x100x10");
    retype(&dialog, valueEdit(&dialog, 3), "12.5"); // the fourth value is the name's third part
    EXPECT_EQ(name->text(), "RHS 250x100x12.5");
    retype(&dialog, valueEdit(&dialog, 2), "99"); // not in the name
    EXPECT_EQ(name->text(), "RHS 250x100x12.5");
}

TEST_F(NewSectionDialogTest, OkAddsTheSectionWithPrefixedNamesInItsPlace) {
    Vtx_ProfValuesTable table = tubeTable();
    int index = -5;
    whenModal([&](QWidget* dialog) {
        retype(dialog, valueEdit(dialog, 0), "250");
        retype(dialog, valueEdit(dialog, 4), "60.1");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("200x100x10", table, index));
    ASSERT_EQ(table.rows.length(), 4);
    EXPECT_EQ(table.rows[2],
              cells({"250x100x10", "1", "RHS 250x100x10", "RR 250x100x10", "RHS 250x100x10",
                     "RHS 250x100x10", "250", "100", "15", "10", "60.1"}));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(table.rows[3][0], "300x200x10");
}

TEST_F(NewSectionDialogTest, ATypedNameGoesToEveryLanguageAndTheSystemName) {
    Vtx_ProfValuesTable table = tubeTable();
    int index = -1;
    whenModal([&](QWidget* dialog) {
        press(dialog, kNewSectionTypedName);
        QLineEdit* name = edit(dialog, kNewSectionName);
        EXPECT_TRUE(name->isEnabled());
        retype(dialog, name, "Special 1");
        // Values typed afterwards leave the typed name alone.
        retype(dialog, valueEdit(dialog, 0), "400");
        EXPECT_EQ(name->text(), "Special 1");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("100x50x5", table, index));
    int row = -1;
    ASSERT_TRUE(table.findSysName("Special 1", row));
    for (int c = 2; c < 6; ++c)
        EXPECT_EQ(table.rows[row][c], "Special 1");
    EXPECT_EQ(table.rows[row][6], "400");
    // Names without a number sort after those that start with one.
    EXPECT_EQ(row, 3);
    EXPECT_EQ(index, 2) << "the section not in use before it does not count";
}

TEST_F(NewSectionDialogTest, CancelLeavesTheTableAndTheIndex) {
    Vtx_ProfValuesTable table = tubeTable();
    const Vtx_ProfValuesTable before = table;
    int index = 7;
    whenModal([&](QWidget* dialog) {
        retype(dialog, valueEdit(dialog, 0), "250");
        press(dialog, 2);
    });
    EXPECT_FALSE(StartDlgEditLibSimple("200x100x10", table, index));
    EXPECT_EQ(table.rows, before.rows);
    EXPECT_EQ(index, 7);
}

TEST_F(NewSectionDialogTest, ATakenOrEmptyNameIsRefusedAndTheDialogStaysOpen) {
    Vtx_ProfValuesTable table = tubeTable();
    int index = -1;
    prompter.queueMessageAnswer(MessageResult::Ok);
    prompter.queueMessageAnswer(MessageResult::Ok);
    whenModal([&](QWidget* dialog) {
        // The example's values unchanged: its own name.
        press(dialog, 1);
        EXPECT_TRUE(dialog->isVisible());
        press(dialog, kNewSectionTypedName);
        retype(dialog, edit(dialog, kNewSectionName), "  ");
        press(dialog, 1);
        EXPECT_TRUE(dialog->isVisible());
        press(dialog, kNewSectionAutoName);
        EXPECT_FALSE(edit(dialog, kNewSectionName)->isEnabled());
        retype(dialog, valueEdit(dialog, 1), "120");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("200x100x10", table, index));
    ASSERT_EQ(prompter.messages().size(), 2U);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(prompter.messages()[0].text.hasSubString("200x100x10"));
    EXPECT_EQ(table.rows.length(), 4) << "only the accepted section was added";
    EXPECT_EQ(table.rows[2][0], "200x120x10");
}

TEST_F(NewSectionDialogTest, ASectionAfterTheLastOneOfTheSampleTable) {
    const Vtx_String savedLibDir = gSettings.libDir;
    gSettings.setLibDir(corePathOf(std::filesystem::path(VTX_SAMPLE_DIR) / "library"));
    Vtx_ProfValuesTable table;
    Vtx_String reason;
    ASSERT_TRUE(table.readFromFile("IPE", &reason)) << reason.c_str();
    gSettings.libDir = savedLibDir;
    const int rows = table.rows.length();
    int index = -1;
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(edit(dialog, kNewSectionName)->text(), "IPE 600");
        retype(dialog, valueEdit(dialog, 0), "650");
        EXPECT_EQ(edit(dialog, kNewSectionName)->text(), "IPE 650");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple(table.rows[rows - 1][0], table, index));
    ASSERT_EQ(table.rows.length(), rows + 1);
    EXPECT_EQ(table.rows[rows][0], "650");
    EXPECT_EQ(table.rows[rows][2], "IPE 650");
    EXPECT_EQ(index, rows);
}

TEST_F(NewSectionDialogTest, SymmetricSectionsArePlacedAmongTheSymmetricOnes) {
    Vtx_ProfValuesTable table;
    table.tableName = "L";
    table.templateName = "LShape.tpl";
    table.columns =
        cells({"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t"});
    for (const char* name : {"90x90x9", "100x100x5", "150x150x12", "100x50x6", "200x100x10"}) {
        Vtx_StringArray row = cells({name, "1"});
        for (int i = 0; i < 4; ++i)
            row.append(Vtx_String("L ") + name);
        Vtx_String rest = name;
        for (int i = 0; i < 3; ++i) {
            const int x = rest.find('x');
            row.append(x < 0 ? rest : rest.left(x));
            rest = x < 0 ? Vtx_String() : rest.mid(x + 1);
        }
        table.rows.append(row);
    }
    int index = -1;
    whenModal([&](QWidget* dialog) {
        retype(dialog, valueEdit(dialog, 0), "120");
        retype(dialog, valueEdit(dialog, 1), "120");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("100x100x5", table, index));
    EXPECT_EQ(table.rows[2][0], "120x120x5");
    EXPECT_EQ(index, 2);

    // Smaller than every symmetric one: in front of the first of them.
    whenModal([&](QWidget* dialog) {
        retype(dialog, valueEdit(dialog, 0), "80");
        retype(dialog, valueEdit(dialog, 1), "80");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("90x90x9", table, index));
    EXPECT_EQ(table.rows[0][0], "80x80x9");
}

TEST_F(NewSectionDialogTest, AStandardTypeNamesItsValuesAndChecksThem) {
    Vtx_ProfValuesTable table;
    table.tableName = "T";
    table.templateName = "10";
    table.columns =
        cells({"SysName", "I/O", "English", "German", "French", "Dutch", "h", "b", "t", "r"});
    table.rows.append(cells(
        {"100x50", "1", "T 100x50", "T 100x50", "T 100x50", "T 100x50", "100", "50", "6", "8"}));
    int index = -1;
    prompter.queueMessageAnswer(MessageResult::Ok);
    whenModal([&](QWidget* dialog) {
        auto* vtx = static_cast<VtxDialog*>(dialog);
        EXPECT_EQ(vtx->controlAs<QLabel>(kNewSectionFirstValueLabel)->text(),
                  "a. " + vtx::ui::uiText(736) + ":");
        EXPECT_EQ(vtx->controlAs<QLabel>(kNewSectionFirstValueLabel + 6)->text(),
                  "d. " + vtx::ui::uiText(740) + ":");
        EXPECT_TRUE(vtx::ui::missingTexts(dialog).isEmpty());
        retype(dialog, valueEdit(dialog, 0), "120");
        retype(dialog, valueEdit(dialog, 3), "5"); // not above the third value (6)
        press(dialog, 1);
        EXPECT_TRUE(dialog->isVisible());
        retype(dialog, valueEdit(dialog, 3), "0");
        press(dialog, 1);
    });
    ASSERT_TRUE(StartDlgEditLibSimple("100x50", table, index));
    ASSERT_EQ(prompter.messages().size(), 1U);
    EXPECT_EQ(prompter.messages()[0].caption, dialString(1098));
    ASSERT_EQ(table.rows.length(), 2) << "the refused values added nothing";
    EXPECT_EQ(table.rows[1][9], "0");
}

TEST_F(NewSectionDialogTest, TheSizeIsKeptAndTheLayoutFollowsIt) {
    const Vtx_ProfValuesTable table = tubeTable();
    const QSize grow(120, 60);
    QSize opening;
    {
        NewSectionDialog dialog("200x100x10", table);
        dialog.show();
        opening = dialog.size();
        EXPECT_EQ(dialog.minimumSize(), opening) << "the size at opening is the smallest";
        QLineEdit* name = edit(&dialog, kNewSectionName);
        QLineEdit* value = valueEdit(&dialog, 0);
        const int nameWidth = name->width();
        const QRect valuePlace = value->geometry();
        dialog.resize(opening + grow);
        // The name and value edits widen with the dialog and keep their height
        // and their place from the top.
        EXPECT_EQ(name->width(), nameWidth + grow.width());
        EXPECT_EQ(value->geometry(), valuePlace.adjusted(0, 0, grow.width(), 0));
        dialog.reject();
    }
    Vtx_DlgSize stored;
    ASSERT_TRUE(getDlgSize("DLG_EDITLIBSIMPLE", stored));
    EXPECT_EQ(QSize(stored.width, stored.height), opening + grow);

    NewSectionDialog again("200x100x10", table);
    again.show();
    EXPECT_EQ(again.size(), opening + grow);
    again.reject();
}

} // namespace
