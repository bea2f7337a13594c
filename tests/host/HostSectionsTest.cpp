// The host's Sections menu as a user drives it: a new last section of the
// library's IPE table added in the new-section dialog, the table saved and
// registered; Cancel leaves the file alone. The section-library editor on the
// library: groups saved on OK, tables saved on the way said and re-read.
#include "HostFixture.h"

#include "platform/core/Files.h"
#include "platform/core/SectionLibrary.h"
#include "platform/core/SectionTables.h"
#include "platform/ui/VtxDialog.h"
#include "sectionlib/ProfValuesTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using vtx::ui::VtxDialog;

constexpr int kNewSectionTemplate = 1290;

class HostSectionsTest : public hosttest::HostWindowTest {
protected:
    void SetUp() override {
        HostWindowTest::SetUp();
        // A copy of the sample's tables: the test writes to it.
        fs::create_directories(folder / "library");
        fs::copy(fs::path(VTX_SAMPLE_DIR) / "library" / "prof", folder / "library" / "prof",
                 fs::copy_options::recursive);
        gSettings.setLibDir(corePath(folder / "library"));
    }
    std::string tableFile() const {
        std::ifstream in(folder / "library" / "prof" / "IPE.pr", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    /// Acts in the new-section dialog once it is up.
    static void inDialog(std::function<void(VtxDialog*)> what) {
        QTimer::singleShot(0, [what = std::move(what)] {
            auto* dialog = qobject_cast<VtxDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no dialog came up";
            ASSERT_EQ(dialog->templateId(), kNewSectionTemplate);
            what(dialog);
        });
    }
};

TEST_F(HostSectionsTest, ANewLastSectionIsSavedAndRegistered) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    ASSERT_TRUE(window.moduleLoaded());
    inDialog([](VtxDialog* dialog) {
        auto* height = dialog->controlAs<QLineEdit>(1300);
        height->selectAll();
        QTest::keyClicks(height, "650");
        EXPECT_EQ(dialog->controlAs<QLineEdit>(1000)->text(), "IPE 650");
        dialog->controlAs<QPushButton>(1)->click();
    });
    action(&window, "Se&ctions", "&New section in IPE...")->trigger();

    const QString shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("IPE-650")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("IPE.pr")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("*Error*")) << shown.toStdString();
    Vtx_ProfValuesTable saved;
    ASSERT_TRUE(saved.readFromFile("IPE"));
    ASSERT_FALSE(saved.rows.isEmpty());
    EXPECT_EQ(saved.rows[saved.rows.length() - 1][0], "650");
    EXPECT_EQ(saved.rows[saved.rows.length() - 1][2], "IPE 650");
    Vtx_String systemName;
    EXPECT_EQ(sectionTableManager().getSystemName("IPE 650", systemName), eOk);
    EXPECT_EQ(systemName, "IPE-650");
}

TEST_F(HostSectionsTest, CancelLeavesTheTableFile) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    const std::string before = tableFile();
    inDialog([](VtxDialog* dialog) { dialog->controlAs<QPushButton>(2)->click(); });
    action(&window, "Se&ctions", "&New section in IPE...")->trigger();
    EXPECT_EQ(tableFile(), before);
    EXPECT_FALSE(window.commandLine()->toPlainText().contains("added"));
}

TEST_F(HostSectionsTest, SectionLibraryEditorSavesWhatTheUserConfirmed) {
    host::HostWindow window(VTX_MODULE_LIBRARY);
    QTimer::singleShot(0, [this] {
        auto* editor = qobject_cast<VtxDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr) << "no editor came up";
        // The first group off; on the tables page a value of FL changed
        // through the clipboard's paste.
        auto* groups = editor->findChild<QTabWidget*>()->widget(0);
        groups->findChild<QCheckBox*>()->click();
        auto* tables = qobject_cast<VtxDialog*>(editor->findChild<QTabWidget*>()->widget(2));
        ASSERT_NE(tables, nullptr);
        QApplication::clipboard()->setText(QStringLiteral("21"));
        tables->controlAs<QAbstractButton>(1198)->click();
        prompter.queueMessageAnswer(MessageResult::Yes);
        editor->controlAs<QPushButton>(1)->click();
    });
    Vtx_String registered;
    ASSERT_EQ(sectionTableManager().getSystemName("FL 20x5", registered), eOk);
    action(&window, "Se&ctions", "Section &library...")->trigger();

    const QString shown = window.commandLine()->toPlainText();
    EXPECT_TRUE(shown.contains("FL.pr")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Sections.tbl")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("*Error*")) << shown.toStdString();
    DlgEditLibData saved;
    ASSERT_EQ(saved.readFromFile(DlgEditLibData::libraryFile()), eOk);
    EXPECT_FALSE(saved.groups[0].enabled);
    EXPECT_TRUE(saved.groups[1].enabled);
    Vtx_ProfValuesTable table;
    ASSERT_TRUE(table.readFromFile("FL"));
    EXPECT_EQ(table.rows[0][0], "21");
    // The registry reads the saved table again: the section has its new name.
    EXPECT_EQ(registered, "FL-20x5");
    ASSERT_EQ(sectionTableManager().getSystemName("FL 20x5", registered), eOk);
    EXPECT_EQ(registered, "FL-21");
}

} // namespace
