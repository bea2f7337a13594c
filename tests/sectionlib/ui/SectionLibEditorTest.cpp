// The section-library editor as a user drives it, on a temporary copy of the
// sample library: where the start text opens it, table values saved to their
// files and read back, the save question when a changed table is left, new,
// renamed and deleted tables, template changes, groups and types handed back
// only on OK, and the size store.
#include "GridTyping.h"
#include "UiFixture.h"

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/ui/UiText.h"
#include "sectionlib/SectionLibDialogs.h"
#include "sectionlib/ui/SectionEntryPage.h"
#include "sectionlib/ui/SectionLibEditor.h"
#include "sectionlib/ui/SectionTablesPage.h"
#include "spread/ui/SpreadView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

using namespace vtx::sectionui;
using vtx::spreadui::SpreadView;
using vtx::ui::VtxDialog;
namespace fs = std::filesystem;

class SectionLibEditorTest : public uitest::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        fs::create_directories(m_root / "library");
        fs::copy(fs::path(VTX_SAMPLE_DIR) / "library" / "prof", m_root / "library" / "prof");
        m_savedLib = gSettings.libDir;
        gSettings.setLibDir(corePathOf(m_root / "library") + "\\");
    }
    void TearDown() override {
        gSettings.libDir = m_savedLib;
        UiFixture::TearDown();
    }

    /// The library's record as a host builds it.
    static DlgEditLibData library() {
        DlgEditLibData data;
        EXPECT_EQ(data.readFromFile(DlgEditLibData::libraryFile()), eOk);
        data.GetAvailableFiles();
        return data;
    }
    std::string bytesOf(const std::string& table) const {
        std::ifstream in(m_root / "library" / "prof" / table, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static std::string sampleBytes(const std::string& table) {
        std::ifstream in(fs::path(VTX_SAMPLE_DIR) / "library" / "prof" / table, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    // Types text into a cell as a user does: a click, the first key opens
    // the editor, Return commits.
    static void click(VtxDialog* page, int id) {
        auto* button = page->controlAs<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << "button " << id;
        ASSERT_TRUE(button->isEnabled()) << "button " << id;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    /// Picks entry text in a drop-down list as a user does in its pop-up.
    static void choose(VtxDialog* page, int id, const QString& text) {
        auto* combo = page->controlAs<QComboBox>(id);
        ASSERT_NE(combo, nullptr) << "list " << id;
        const int target = combo->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        combo->setCurrentIndex(target);
        emit combo->activated(target);
    }
    static Vtx_String cell(SectionTablesPage* page, int column, int row) {
        Vtx_String text;
        page->grid().getCellText(column, row, text);
        return text;
    }
    static QString listText(SectionTablesPage* page) {
        return page->controlAs<QComboBox>(kTableList)->currentText();
    }

private:
    Vtx_String m_savedLib;
};

TEST_F(SectionLibEditorTest, StartTextOpensTheTablesPageAtThatSection) {
    SectionLibEditor editor("hea-120");
    editor.setRecord(library());
    editor.show();
    EXPECT_TRUE(vtx::ui::missingTexts(&editor).isEmpty())
        << vtx::ui::missingTexts(&editor).join(", ").toStdString();
    EXPECT_EQ(editor.tabs()->currentIndex(), kTablesTab);
    SectionTablesPage* tables = editor.tablesPage();
    EXPECT_EQ(listText(tables), "HEA");
    int column = 0, row = 0;
    ASSERT_TRUE(tables->grid().getActiveCell(column, row));
    EXPECT_EQ(cell(tables, 1, row), "120");
    EXPECT_EQ(tables->controlAs<QComboBox>(kTableTemplate)->currentText(),
              "<" + vtx::ui::uiText(719) + ">")
        << "a standard type shows by its name";
    editor.reject();

    // Without a start text: the groups page, the first table loaded behind it.
    SectionLibEditor plain("");
    plain.setRecord(library());
    plain.show();
    EXPECT_EQ(plain.tabs()->currentIndex(), kGroupsTab);
    EXPECT_EQ(listText(plain.tablesPage()), "FL");
    EXPECT_EQ(plain.groupsPage()->controlAs<QComboBox>(kGroupList)->currentText(), "I sections");
    plain.reject();
}

TEST_F(SectionLibEditorTest, EditedValueIsSavedToTheTableFileOnOk) {
    DlgEditLibData data = library();
    whenModal([this](QWidget* modal) {
        auto* editor = static_cast<SectionLibEditor*>(modal);
        uitest::typeIntoCell(editor->tablesPage()->view(), 7, 1, "97.5");
        prompter.queueMessageAnswer(MessageResult::Yes); // save the changed table
        click(editor, 1);
    });
    EXPECT_TRUE(StartDlgEditLibSections(data, "HEA-100"));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "The table <HEA> has been changed. Save the changes?");
    Vtx_ProfValuesTable table;
    ASSERT_TRUE(table.readFromFile("HEA"));
    EXPECT_EQ(table.rows[0][6], "97.5");
    EXPECT_EQ(table.rows[1][6], "114");
    EXPECT_EQ(table.templateName, "1");
    const std::string sample = sampleBytes("HEA.pr");
    // Every line but the header, the template and the columns is a section.
    EXPECT_EQ(table.rows.length(), std::count(sample.begin(), sample.end(), '\n') - 3)
        << "no row lost or added";
}

TEST_F(SectionLibEditorTest, LeavingAChangedTableAsksAndCancelStays) {
    SectionLibEditor editor("IPE-80");
    editor.setRecord(library());
    editor.show();
    SectionTablesPage* tables = editor.tablesPage();
    uitest::typeIntoCell(tables->view(), 7, 1, "81");

    prompter.queueMessageAnswer(MessageResult::Cancel);
    choose(tables, kTableList, "L");
    EXPECT_EQ(listText(tables), "IPE") << "the list shows the table the grid holds";
    EXPECT_EQ(cell(tables, 7, 1), "81");

    prompter.queueMessageAnswer(MessageResult::Cancel);
    click(&editor, 1);
    EXPECT_TRUE(editor.isVisible()) << "Cancel in the save question keeps the editor open";
    EXPECT_EQ(editor.result(), 0);

    prompter.queueMessageAnswer(MessageResult::No);
    choose(tables, kTableList, "L");
    EXPECT_EQ(listText(tables), "L");
    EXPECT_EQ(cell(tables, 1, 1), "40x4");
    EXPECT_EQ(bytesOf("IPE.pr"), sampleBytes("IPE.pr")) << "No leaves the file as it was";
    editor.reject();
}

TEST_F(SectionLibEditorTest, SavingATableThatCannotBeWrittenSaysSoAndStays) {
    SectionLibEditor editor("IPE-80");
    editor.setRecord(library());
    editor.show();
    uitest::typeIntoCell(editor.tablesPage()->view(), 7, 1, "81");
    fs::remove_all(m_root / "library" / "prof"); // nowhere to write
    prompter.queueMessageAnswer(MessageResult::Yes);
    prompter.queueMessageAnswer(MessageResult::Ok); // the failure
    click(&editor, 1);
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_TRUE(prompter.messages()[1].text.startsWith("The table could not be saved:"));
    EXPECT_TRUE(editor.isVisible());
    editor.reject();
}

TEST_F(SectionLibEditorTest, NewRenamedAndDeletedTablesChangeOnlyTheirFiles) {
    SectionLibEditor editor("FL-20x5");
    editor.setRecord(library());
    editor.show();
    SectionTablesPage* tables = editor.tablesPage();

    click(tables, kTableNew);
    EXPECT_EQ(listText(tables), "New table");
    EXPECT_TRUE(tables->grid().isModified());
    Vtx_StringArray headers;
    tables->grid().getHeaderRow(headers);
    EXPECT_EQ(arrToStr(headers, '|'), "SysName|I/O|English|German|French|Dutch|Value 1|Value 2");
    uitest::typeIntoCell(tables->view(), 1, 1, "A1");

    // A name another table has is refused; the new table keeps its name.
    prompter.queueTextAnswer("hea");
    prompter.queueMessageAnswer(MessageResult::Ok);
    click(tables, kTableRename);
    EXPECT_EQ(listText(tables), "New table");
    EXPECT_EQ(bytesOf("HEA.pr"), sampleBytes("HEA.pr"));

    // Renaming writes the table as the grid holds it under the new name.
    prompter.queueTextAnswer("Purlins");
    click(tables, kTableRename);
    EXPECT_EQ(listText(tables), "Purlins");
    Vtx_ProfValuesTable purlins;
    ASSERT_TRUE(purlins.readFromFile("Purlins"));
    EXPECT_EQ(purlins.rows[0][0], "A1");
    EXPECT_FALSE(fs::exists(m_root / "library" / "prof" / "New table.pr"));

    // A second new table is called after the first one's name is free again.
    click(tables, kTableNew);
    EXPECT_EQ(listText(tables), "New table");
    // Leaving it unsaved drops it: it has no file.
    prompter.queueMessageAnswer(MessageResult::No);
    choose(tables, kTableList, "Purlins");
    EXPECT_EQ(tables->controlAs<QComboBox>(kTableList)->findText("New table"), -1);

    prompter.queueMessageAnswer(MessageResult::Yes);
    click(tables, kTableDelete);
    EXPECT_EQ(prompter.messages().back().text, "Delete the table <Purlins> for good?");
    EXPECT_FALSE(fs::exists(m_root / "library" / "prof" / "Purlins.pr"));
    EXPECT_EQ(listText(tables), "FL");
    EXPECT_EQ(bytesOf("FL.pr"), sampleBytes("FL.pr"));

    const DlgEditLibData& record = editor.record();
    EXPECT_FALSE(record.tableNames.contains("Purlins"));
    EXPECT_EQ(record.tableNames.length(), 7);
    editor.reject();
}

TEST_F(SectionLibEditorTest, StandardTemplateRenamesValueColumnsAndMayDropTheRest) {
    SectionLibEditor editor("IPE-80");
    editor.setRecord(library());
    editor.show();
    SectionTablesPage* tables = editor.tablesPage();
    ASSERT_EQ(tables->grid().getMaxCols(), 13);

    // I sections have five dimensions: 6 + 5 < 13 columns; No keeps the rest.
    prompter.queueMessageAnswer(MessageResult::No);
    choose(tables, kTableTemplate, "<I section>");
    Vtx_StringArray headers;
    tables->grid().getHeaderRow(headers);
    EXPECT_EQ(arrToStr(headers, '|'), "SysName|I/O|English|German|French|Dutch|Height|Width|"
                                      "Web thickness|Flange thickness|Root radius|A|G");
    EXPECT_EQ(prompter.messages().back().caption, "Template changed");

    // Flat bars have two: Yes drops the columns beyond them.
    prompter.queueMessageAnswer(MessageResult::Yes);
    choose(tables, kTableTemplate, "<Flat bar>");
    EXPECT_EQ(tables->grid().getMaxCols(), 8);

    prompter.queueMessageAnswer(MessageResult::Yes); // save on OK
    click(&editor, 1);
    Vtx_ProfValuesTable table;
    ASSERT_TRUE(table.readFromFile("IPE"));
    EXPECT_EQ(table.templateName, "8");
    EXPECT_EQ(table.columns.length(), 8);
    EXPECT_EQ(table.rows[0][6], "80");
}

TEST_F(SectionLibEditorTest, GroupAndTypeEditsAreHandedBackOnlyOnOk) {
    const DlgEditLibData original = library();
    const auto edit = [this](QWidget* modal, int closeWith) {
        auto* editor = static_cast<SectionLibEditor*>(modal);
        SectionEntryPage* groups = editor->groupsPage();
        click(groups, kEntryEnabled); // group 0 off
        click(groups, kEntryNew);
        EXPECT_EQ(groups->controlAs<QComboBox>(kGroupList)->currentText(), "New group");
        EXPECT_EQ(groups->current(), 5);
        click(groups, kEntryUp); // the new group one up
        editor->tabs()->setCurrentIndex(kTypesTab);
        SectionEntryPage* types = editor->typesPage();
        choose(types, kTypeGroup, "Channels");
        uitest::typeIntoCell(types->controlAs<SpreadView>(kEntryNames), 1, 1, "Wide flange");
        click(editor, closeWith);
    };

    DlgEditLibData data = original;
    whenModal([&](QWidget* modal) { edit(modal, 2); });
    EXPECT_FALSE(StartDlgEditLibSections(data, ""));
    EXPECT_TRUE(data.groups == original.groups && data.types == original.types);

    whenModal([&](QWidget* modal) { edit(modal, 1); });
    EXPECT_TRUE(StartDlgEditLibSections(data, ""));
    ASSERT_EQ(data.groups.length(), 6);
    EXPECT_FALSE(data.groups[0].enabled);
    EXPECT_EQ(data.groups[4].name, "New group");
    EXPECT_EQ(data.groups[4].names[1], "New group");
    EXPECT_EQ(data.groups[5].name, "Plates");
    EXPECT_EQ(data.types[0].groupId, 1);
    EXPECT_EQ(data.types[0].names[0], "Wide flange");
    EXPECT_EQ(data.types[0].names[1], "IPE");
    EXPECT_EQ(data.types[1].groupId, 0) << "other types keep their group";
}

TEST_F(SectionLibEditorTest, RemovingTheLastGroupsLeavesTheDetailsDisabled) {
    SectionLibEditor editor("");
    DlgEditLibData data = library();
    for (int i = 0; i < 3; ++i)
        data.removeGroup(2);
    editor.setRecord(data);
    editor.show();
    SectionEntryPage* groups = editor.groupsPage();
    choose(groups, kGroupList, "Channels");
    click(groups, kEntryRemove);
    EXPECT_EQ(groups->current(), 0) << "the new last group";
    click(groups, kEntryRemove);
    EXPECT_EQ(groups->current(), -1);
    EXPECT_FALSE(groups->control(kGroupDetails)->isEnabled());
    EXPECT_EQ(groups->controlAs<QComboBox>(kGroupList)->count(), 0);
    editor.tabs()->setCurrentIndex(kTypesTab);
    EXPECT_EQ(editor.typesPage()->controlAs<QComboBox>(kTypeGroup)->count(), 0);
    editor.reject();
    EXPECT_TRUE(editor.record().groups.isEmpty());
    for (const SectionType& type : editor.record().types)
        EXPECT_EQ(type.groupId, -1);
}

TEST_F(SectionLibEditorTest, SizeIsStoredAndRestored) {
    QSize resized;
    {
        SectionLibEditor editor("");
        editor.setRecord(library());
        editor.show();
        resized = editor.size() + QSize(40, 30);
        editor.resize(resized);
        editor.reject();
    }
    Vtx_DlgSize stored;
    ASSERT_TRUE(getDlgSize("DLG_EDIT_SECTIONLIB", stored));
    EXPECT_EQ(QSize(stored.width, stored.height), resized);
    SectionLibEditor again("");
    again.setRecord(library());
    again.show();
    EXPECT_EQ(again.size(), resized);
    again.reject();
}

} // namespace
