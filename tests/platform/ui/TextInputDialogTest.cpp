// The text-input dialog as a user drives it: typing, OK, Cancel, an empty
// text, a character the module cannot keep, texts from the language file.
#include "UiFixture.h"

#include "platform/core/Files.h"
#include "platform/ui/TextInputDialog.h"
#include "platform/ui/UiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using uitest::UiFixture;
using vtx::ui::TextInputDialog;

class TextInputDialogTest : public UiFixture {
protected:
    TextInputRequest request() const {
        TextInputRequest r;
        r.caption = "Insert column";
        r.prompt = "Header of the new column";
        r.value = "Column 3";
        return r;
    }
    static QLineEdit* edit(TextInputDialog& d) { return d.controlAs<QLineEdit>(8003); }
    static QPushButton* ok(TextInputDialog& d) { return d.controlAs<QPushButton>(1); }
};

TEST_F(TextInputDialogTest, TypedTextReplacesTheSelectedValueOnOk) {
    TextInputDialog dialog(request());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Insert column");
    EXPECT_EQ(dialog.controlAs<QLabel>(8600)->text(), "Header of the new column");
    EXPECT_TRUE(edit(dialog)->hasSelectedText()) << "the whole value is selected";
    typeText(edit(dialog), QString::fromUtf8("Länge"));
    QTest::mouseClick(ok(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.request().value, Vtx_String("L\xe4nge")) << "kept as 8-bit text";
    EXPECT_TRUE(vtx::ui::missingTexts(&dialog).isEmpty());
    EXPECT_EQ(ok(dialog)->text(), "OK");
    EXPECT_EQ(dialog.controlAs<QPushButton>(2)->text(), "Cancel");
}

TEST_F(TextInputDialogTest, OkWithNothingTypedLeavesTheDialogOpen) {
    TextInputDialog dialog(request());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    edit(dialog)->clear();
    QTest::mouseClick(ok(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(edit(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter is OK too";
    QTest::keyClicks(edit(dialog), "B");
    QTest::keyClick(edit(dialog), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.request().value, "B");
}

TEST_F(TextInputDialogTest, CancelAndEscapeChangeNothing) {
    TextInputDialog dialog(request());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog), "Width");
    QTest::mouseClick(dialog.controlAs<QPushButton>(2), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.request().value, "Column 3");

    TextInputRequest asked = request();
    whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(vtx::ui::runTextInput(asked));
    EXPECT_EQ(asked.value, "Column 3");
}

TEST_F(TextInputDialogTest, WithTheEditHiddenItIsAMessageWithOkAndCancel) {
    TextInputRequest asked = request();
    asked.editShown = false;
    asked.okCaption = "Delete";
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TextInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->control(8003)->isVisible());
        EXPECT_EQ(dialog->controlAs<QPushButton>(1)->text(), "Delete");
        QTest::mouseClick(dialog->controlAs<QPushButton>(1), Qt::LeftButton);
    });
    EXPECT_TRUE(vtx::ui::runTextInput(asked));
    EXPECT_EQ(asked.value, "Column 3");
}

TEST_F(TextInputDialogTest, AnUnholdableCharacterIsSaidAndTheDialogStaysOpen) {
    TextInputDialog dialog(request());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    typeText(edit(dialog), QString::fromUtf8("Ширина"));
    QTest::mouseClick(ok(dialog), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.controlAs<QLabel>(8600)->text().contains("cannot be stored"));
    EXPECT_EQ(dialog.request().value, "Column 3");
    dialog.reject();
}

TEST_F(TextInputDialogTest, AMissingLanguageTextShowsItsMarkerAndIsFound) {
    // A language file without the button texts.
    const auto texts = m_root / "Texts" / "English.txt";
    std::filesystem::remove(texts);
    ASSERT_EQ(
        writeFileAtomically(corePathOf(texts), "VtxLanguageTexts version 1\n[Dialog]\n3\tApply\n"),
        eOk);
    resetLanguageTexts();
    TextInputDialog dialog(request());
    EXPECT_EQ(dialog.controlAs<QPushButton>(1)->text(), "#1");
    const QStringList missing = vtx::ui::missingTexts(&dialog);
    EXPECT_EQ(missing, (QStringList{"ctl1: #1", "ctl2: #2"}));
}

} // namespace
