// The resizable layout on a real dialog with controls at fixed places:
// scaling, buttons kept at the far edges, stretching, tool bars left alone.
#include "UiFixture.h"

#include "platform/ui/ResizableLayout.h"
#include "platform/ui/VtxDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace {

using uitest::UiFixture;
using vtx::ui::ResizableLayout;
using vtx::ui::VtxDialog;

class ResizableLayoutTest : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        dialog.resize(400, 300);
        place(edit, 1001, QRect(10, 10, 100, 20));
        place(ok, 1, QRect(310, 260, 80, 30));
        place(grid, 1002, QRect(10, 40, 380, 200));
        tools->setGeometry(0, 0, 50, 8);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        ASSERT_EQ(dialog.size(), QSize(400, 300)) << "a dialog given a size opens at it";
        layout.registerControls(&dialog);
    }
    void place(QWidget* w, int id, const QRect& r) {
        VtxDialog::setControlId(w, id);
        w->setGeometry(r);
    }

    VtxDialog dialog{901};
    QLineEdit* edit = new QLineEdit(&dialog);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    QLineEdit* grid = new QLineEdit(&dialog);
    QToolBar* tools = new QToolBar(&dialog);
    ResizableLayout layout;
};

TEST_F(ResizableLayoutTest, WithoutFlagsAControlScalesWithTheDialog) {
    dialog.resize(800, 600);
    EXPECT_EQ(edit->geometry(), QRect(20, 20, 200, 40)) << "both edges doubled";
}

TEST_F(ResizableLayoutTest, ButtonsKeepTheirDistanceToTheFarEdgesAndGridsStretch) {
    ASSERT_TRUE(layout.setAnchors(1, 5, 5));
    ASSERT_TRUE(layout.setAnchors(1002, 6, 6));
    ASSERT_TRUE(layout.setAnchors(1001, 3, 3));
    EXPECT_FALSE(layout.setAnchors(77, 3, 3)) << "not registered";
    dialog.resize(520, 350);
    EXPECT_EQ(ok->geometry(), QRect(430, 310, 80, 30));
    EXPECT_EQ(grid->geometry(), QRect(10, 40, 500, 250)) << "grown by exactly 120 x 50";
    EXPECT_EQ(edit->geometry(), QRect(10, 10, 100, 20));
    dialog.resize(300, 200); // smaller than registered
    EXPECT_EQ(ok->geometry(), QRect(210, 160, 80, 30));
    EXPECT_EQ(grid->geometry(), QRect(10, 40, 280, 100));
}

TEST_F(ResizableLayoutTest, ToolBarsNeverMoveAndAGoneDialogIsNoFault) {
    dialog.resize(800, 600);
    EXPECT_EQ(tools->geometry(), QRect(0, 0, 50, 8));
    ResizableLayout orphan;
    {
        VtxDialog gone(902);
        orphan.registerControls(&gone);
    }
    EXPECT_FALSE(orphan.applyLayout());
}

TEST(AnchoredEdges, FlagsOneAndFourKeepSizeAndFarDistance) {
    int near = 0;
    int far = 0;
    vtx::ui::anchoredEdges(310, 390, 400, 600, 5, near, far);
    EXPECT_EQ(near, 510);
    EXPECT_EQ(far, 590);
    vtx::ui::anchoredEdges(10, 110, 400, 600, 1, near, far); // size kept, near scaled
    EXPECT_EQ(near, 15);
    EXPECT_EQ(far, 115);
    vtx::ui::anchoredEdges(10, 110, 0, 600, 0, near, far); // nothing registered: as it was
    EXPECT_EQ(near, 10);
    EXPECT_EQ(far, 110);
}

} // namespace
