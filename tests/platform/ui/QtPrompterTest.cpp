// The desktop prompter: real message boxes and the text-input dialog,
// answered by clicking them; file filters in Qt's form.
#include "UiFixture.h"

#include "platform/ui/QtPrompter.h"
#include "platform/ui/TextInputDialog.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

using uitest::UiFixture;

using QtPrompterTest = UiFixture;

TEST_F(QtPrompterTest, AMessageBoxShowsTheTextAndGivesTheButtonClicked) {
    vtx::ui::QtPrompter qt;
    whenModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf8("Überschreiben?"));
        EXPECT_EQ(box->windowTitle(), "Save");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
        ASSERT_EQ(box->button(QMessageBox::Ok), nullptr) << "only the buttons asked for";
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    EXPECT_EQ(qt.messageBox("\xdc"
                            "berschreiben?",
                            "Save", MessageButtons::YesNo, MessageIcon::Question),
              MessageResult::No);
    ASSERT_EQ(qt.messages().size(), 1u);
    EXPECT_EQ(qt.messages()[0].answer, MessageResult::No);
}

TEST_F(QtPrompterTest, TheTextInputDialogAnswersATextQuestion) {
    vtx::ui::QtPrompter qt;
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<vtx::ui::TextInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->controlAs<QLineEdit>(8003), "Gauge");
        QTest::mouseClick(dialog->controlAs<QPushButton>(1), Qt::LeftButton);
    });
    TextInputRequest request;
    request.prompt = "Header";
    request.value = "Column 2";
    ASSERT_TRUE(qt.textInput(request));
    EXPECT_EQ(request.value, "Gauge");
    ASSERT_EQ(qt.textInputs().size(), 1u);
    EXPECT_TRUE(qt.textInputs()[0].accepted);
}

TEST(QtNameFilters, DescriptionsCarryTheirPatterns) {
    EXPECT_EQ(vtx::ui::qtNameFilters("Spreadsheets (*.kss)|*.kss|All files (*.*)|*.*"),
              (QStringList{"Spreadsheets (*.kss)", "All files (*.*)"}));
    EXPECT_EQ(vtx::ui::qtNameFilters("AutoCAD Drawing|*.dwg;*.dxf"),
              (QStringList{"AutoCAD Drawing (*.dwg *.dxf)"}));
    EXPECT_TRUE(vtx::ui::qtNameFilters("").isEmpty());
}

} // namespace
