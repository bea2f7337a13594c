// The dialog base: controls by id, the size store read when the dialog
// first shows and written when it closes, and the modal pattern of the Start
// functions with the module's resources current.
#include "UiFixture.h"

#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <string_view>

namespace {

using uitest::UiFixture;
using vtx::ui::VtxDialog;

// A small dialog of the kind every Start function runs: an edit for the
// record's text, OK and Cancel.
class RecordDialog : public VtxDialog {
public:
    struct Record {
        Vtx_String text;
    };
    explicit RecordDialog(const ResourceSource** resourcesSeen = nullptr)
        : VtxDialog(900, "DLG_UI_TEST"), m_edit(new QLineEdit(this)) {
        if (resourcesSeen)
            *resourcesSeen = Host::current().resources().current();
        setWindowTitle(vtx::ui::uiText(3));
        setControlId(m_edit, 1001);
        auto* ok = new QPushButton(vtx::ui::uiText(1), this);
        setControlId(ok, 1);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_edit);
        layout->addWidget(ok);
    }
    void setRecord(const Record& record) { m_edit->setText(vtx::ui::qtText(record.text)); }
    Record record() const {
        Record r;
        vtx::ui::moduleText(m_edit->text(), r.text);
        return r;
    }

private:
    QLineEdit* m_edit;
};

class ModuleSource : public ResourceSource {
public:
    Vtx_String resourceName() const override { return "module"; }
    std::string_view findResource(ResourceKind, int) const override { return {}; }
};

using VtxDialogTest = UiFixture;

TEST_F(VtxDialogTest, ControlsAreFoundByTheirIds) {
    RecordDialog dialog;
    EXPECT_EQ(dialog.templateId(), 900);
    ASSERT_NE(dialog.controlAs<QLineEdit>(1001), nullptr);
    EXPECT_EQ(VtxDialog::controlId(dialog.control(1)), 1);
    EXPECT_EQ(dialog.control(2), nullptr);
    EXPECT_EQ(dialog.controlAs<QLineEdit>(1), nullptr) << "id 1 is no edit";
}

TEST_F(VtxDialogTest, TheStoredSizeIsTakenAtOpeningAndTheNewOneWrittenAtClosing) {
    ASSERT_EQ(WriteDlgSize("DLG_UI_TEST", {120, 90, 420, 260}), eOk);
    {
        RecordDialog dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.geometry(), QRect(120, 90, 420, 260));
        dialog.setGeometry(150, 100, 480, 300);
        dialog.accept();
    }
    Vtx_DlgSize stored;
    ASSERT_TRUE(getDlgSize("DLG_UI_TEST", stored));
    EXPECT_EQ(stored, (Vtx_DlgSize{150, 100, 480, 300}));
}

TEST_F(VtxDialogTest, APlaceOffEveryScreenOpensAtTheDefaultSizeOnScreen) {
    ASSERT_EQ(WriteDlgSize("DLG_UI_TEST", {-90000, -90000, 420, 260}), eOk);
    RecordDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(dialog.geometry())) << "placed on the screen";
    EXPECT_EQ(dialog.size(), dialog.sizeHint().expandedTo(dialog.minimumSize()));
    dialog.reject();
}

TEST_F(VtxDialogTest, ModalStartCopiesTheRecordBackOnlyOnOk) {
    ModuleSource module;
    vtx::ui::setModuleResources(&module);
    const ResourceSource* seen = nullptr;
    RecordDialog::Record record{"HEA 200"};
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<VtxDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* edit = dialog->controlAs<QLineEdit>(1001);
        EXPECT_EQ(edit->text(), "HEA 200") << "the record is copied in";
        edit->setText("IPE 300");
        QTest::mouseClick(dialog->controlAs<QPushButton>(1), Qt::LeftButton);
    });
    EXPECT_TRUE(vtx::ui::runModalStart<RecordDialog>(record, &seen));
    EXPECT_EQ(record.text, "IPE 300");
    EXPECT_EQ(seen, &module) << "the module's resources are current while it runs";
    EXPECT_EQ(host.resources().current(), nullptr) << "and no longer afterwards";

    whenModal([](QWidget* modal) {
        qobject_cast<VtxDialog*>(modal)->controlAs<QLineEdit>(1001)->setText("changed");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(vtx::ui::runModalStart<RecordDialog>(record));
    EXPECT_EQ(record.text, "IPE 300") << "Cancel leaves the caller's record";
    vtx::ui::setModuleResources(nullptr);
}

TEST_F(VtxDialogTest, TheEditorBracketHidesTheDialogWhileTheHostWorks) {
    RecordDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    {
        vtx::ui::EditorCommandBracket bracket(&dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(host.editor().inEditorCommand());
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(host.editor().inEditorCommand());
    dialog.reject();
}

} // namespace
