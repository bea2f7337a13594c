// The section chooser as a macro dialog uses it: the combo filled from the
// current section's table (in use only, user names, the entry asking for
// another section last), user-defined sections, the selection read back, and
// the core library's selection dialog driven as a user drives it.
#include "UiFixture.h"

#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/ui/SectionSelectDialog.h"
#include "platform/ui/UiText.h"
#include "sectionlib/NewSectionByExample.h"
#include "sectionlib/SectionNames.h"
#include "sectionlib/ui/SectionChooser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <fstream>

namespace {

using namespace vtx::sectionui;
using vtx::ui::SectionSelectDialog;
namespace fs = std::filesystem;

class SectionChooserTest : public uitest::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        fs::create_directories(m_root / "library");
        fs::copy(fs::path(VTX_SAMPLE_DIR) / "library" / "prof", m_root / "library" / "prof",
                 fs::copy_options::recursive);
        fs::create_directories(m_root / "library" / "User Sections" / "Rails");
        std::ofstream(m_root / "library" / "User Sections" / "Rails" / "Gantry.dwg") << "drawing";
        std::ofstream(m_root / "library" / "User Sections" / "notes.txt") << "not a section";
        m_savedLibDir = gSettings.libDir;
        gSettings.setLibDir(corePathOf(m_root / "library") + "\\");
        resetSectionTableManager();
        // One IPE section out of use: it is offered nowhere.
        std::string ipe;
        {
            std::ifstream in(m_root / "library" / "prof" / "IPE.pr", std::ios::binary);
            ipe.assign(std::istreambuf_iterator<char>(in), {});
        }
        const std::size_t at = ipe.find("\n240\t1\t");
        ASSERT_NE(at, std::string::npos);
        ipe[at + 5] = '0';
        std::ofstream(m_root / "library" / "prof" / "IPE.pr", std::ios::binary) << ipe;
    }
    void TearDown() override {
        gSettings.libDir = m_savedLibDir;
        resetSectionTableManager();
        UiFixture::TearDown();
    }
    static QListWidget* list(QWidget* dialog, int id) {
        return static_cast<SectionSelectDialog*>(dialog)->controlAs<QListWidget>(id);
    }

    QComboBox combo;
    Vtx_StringArray systemNames;

private:
    Vtx_String m_savedLibDir;
};

TEST_F(SectionChooserTest, TheComboListsTheTablesSectionsInUseAndAsksForAnother) {
    fillSectionCombo(&combo, systemNames, "IPE-300");
    ASSERT_EQ(combo.count(), systemNames.length() + 1);
    EXPECT_EQ(combo.itemText(combo.count() - 1), vtx::ui::uiText(695));
    EXPECT_EQ(combo.currentText(), "IPE 300");
    EXPECT_FALSE(systemNames.contains("IPE-240", false)) << "out of use";
    EXPECT_EQ(combo.findText("IPE 240"), -1);
    Vtx_String chosen;
    ASSERT_TRUE(getSelectedSection(&combo, systemNames, chosen));
    EXPECT_EQ(chosen, "IPE-300");

    // The entry asking for another section is no section.
    combo.setCurrentIndex(combo.count() - 1);
    EXPECT_FALSE(getSelectedSection(&combo, systemNames, chosen));
    combo.setCurrentIndex(-1);
    EXPECT_FALSE(getSelectedSection(&combo, systemNames, chosen));

    // A table that does not exist: only the entry asking for another section.
    fillSectionCombo(&combo, systemNames, "NOPE-100");
    EXPECT_TRUE(systemNames.isEmpty());
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentIndex(), -1);
    // Nor is a name that reaches outside the prof folder read.
    fillSectionCombo(&combo, systemNames, "..\\prof\\IPE-300");
    EXPECT_EQ(combo.count(), 1);

    // A user-defined section stands alone, shown without folder and extension.
    fillSectionCombo(&combo, systemNames, "User Sections\\Rails\\Gantry.dwg");
    ASSERT_EQ(systemNames.length(), 1);
    EXPECT_EQ(combo.itemText(0), "Rails\\Gantry");
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(getSectionUserName("HEA-200"), "HEA 200");
    EXPECT_EQ(getSectionUserName("HEA-999"), "HEA-999");
}

TEST_F(SectionChooserTest, TheSelectionDialogSearchesAndTheChoiceFillsTheCombo) {
    fillSectionCombo(&combo, systemNames, "IPE-300");
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(vtx::ui::missingTexts(modal), QStringList());
        QListWidget* tables = list(modal, SectionSelectDialog::kTablesId);
        QListWidget* sections = list(modal, SectionSelectDialog::kSectionsId);
        ASSERT_TRUE(tables && sections);
        // Opens at the current section.
        EXPECT_EQ(tables->currentItem()->text(), "IPE");
        EXPECT_EQ(sections->currentItem()->text(), "IPE 300");
        EXPECT_EQ(tables->item(tables->count() - 1)->text(), vtx::ui::uiText(2404));
        // The table's section-type picture is shown when the icons are there.
        auto* picture = static_cast<SectionSelectDialog*>(modal)->controlAs<QLabel>(
            SectionSelectDialog::kPictureId);
        ASSERT_NE(picture, nullptr);

        tables->setCurrentRow(tables->row(tables->findItems("HEB", Qt::MatchExactly).value(0)));
        auto* search = static_cast<SectionSelectDialog*>(modal)->controlAs<QLineEdit>(
            SectionSelectDialog::kSearchId);
        search->setFocus();
        typeText(search, "240");
        int shown = 0;
        for (int i = 0; i < sections->count(); ++i)
            shown += sections->item(i)->isHidden() ? 0 : 1;
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(sections->currentItem()->text(), "HEB 240");
        QTest::keyClick(search, Qt::Key_Return);
    });
    ASSERT_TRUE(chooseSectionIntoCombo(&combo, systemNames));
    EXPECT_EQ(combo.currentText(), "HEB 240");
    Vtx_String chosen;
    ASSERT_TRUE(getSelectedSection(&combo, systemNames, chosen));
    EXPECT_EQ(chosen, "HEB-240");
    EXPECT_TRUE(host.commands().posted().empty()) << "no cancel command asked for";
}

TEST_F(SectionChooserTest, AUserSectionIsStoredWithoutTheLibraryFolderAndCancelKeepsTheName) {
    whenModal([&](QWidget* modal) {
        QListWidget* tables = list(modal, SectionSelectDialog::kTablesId);
        QListWidget* sections = list(modal, SectionSelectDialog::kSectionsId);
        tables->setCurrentRow(tables->count() - 1);
        ASSERT_EQ(sections->count(), 1) << "drawings only";
        EXPECT_EQ(sections->item(0)->text(), "Rails\\Gantry");
        sections->setCurrentRow(0);
        QTest::keyClick(sections, Qt::Key_Return);
    });
    Vtx_String name = "IPE-300";
    ASSERT_TRUE(chooseSection(name, true));
    EXPECT_EQ(name, "User Sections\\Rails\\Gantry.dwg");
    EXPECT_EQ(host.commands().commandTexts(), Vtx_StringArray{"CANCELCMD"});

    whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(chooseSection(name, false));
    EXPECT_EQ(name, "User Sections\\Rails\\Gantry.dwg");
}

// What the library editor does with a new section (made by example, saved,
// registered) shows in the next chooser at once, under its user name.
TEST_F(SectionChooserTest, ASectionAddedAndSavedIsOfferedAtOnce) {
    fillSectionCombo(&combo, systemNames, "IPE-300");
    const int before = systemNames.length();
    Vtx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile("IPE"));
    const NewSectionByExample example(ipe, "600");
    Vtx_StringArray values = example.exampleValues();
    values[0] = "650";
    int row = -1;
    ASSERT_EQ(example.addSection(ipe, example.composeName(values), true, values, row),
              NewSectionResult::Added);
    ASSERT_TRUE(ipe.writeToFile("IPE"));
    ASSERT_EQ(ipe.setToGlobals(&sectionTableManager()), eOk);

    fillSectionCombo(&combo, systemNames, "IPE-650");
    EXPECT_EQ(systemNames.length(), before + 1);
    EXPECT_EQ(combo.currentText(), "IPE 650");
    EXPECT_EQ(systemNames[combo.currentIndex()], "IPE-650");
}

} // namespace
