// The grid created in a real dialog: the placeholder's place and id, the
// rectangle rules, a placeholder in a layout; and the layout of the shown
// grid by its structure.
#include "GridWidgetFixture.h"

#include "platform/ui/UiText.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace {

using gridtest::GridWidgetFixture;
using vtx::spreadui::SpreadView;

using QtDialogHostTest = GridWidgetFixture;

TEST_F(QtDialogHostTest, TheViewTakesThePlaceholdersIdAndExactRectangle) {
    SpreadView* view = show(2, 2, true);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dialog->control(kPlaceholder), view) << "the id passes to the view";
    EXPECT_EQ(dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)
                  .count(dialog->control(kPlaceholder)),
              1);
    EXPECT_EQ(view->geometry(), QRect(30, 40, 300, 200));
    EXPECT_EQ(grid.rect(), (Vtx_Rect{30, 40, 330, 240}));
    EXPECT_EQ(grid.controlId(), kPlaceholder);
}

TEST_F(QtDialogHostTest, WithoutExactRectTheGridMovesFiveLeftAndTwentyUp) {
    SpreadView* view = show(2, 2, false);
    EXPECT_EQ(view->geometry(), QRect(25, 20, 300, 200));
}

TEST_F(QtDialogHostTest, APlaceholderInALayoutLeavesItsPlaceToTheView) {
    vtx::ui::VtxDialog framed(300);
    auto* layout = new QVBoxLayout(&framed);
    auto* placeholder = new QWidget;
    vtx::ui::VtxDialog::setControlId(placeholder, 1200);
    layout->addWidget(placeholder);
    vtx::spreadui::QtDialogHost framedHost(framed);
    Vtx_Spread inLayout;
    ASSERT_TRUE(inLayout.createInDialog(&framedHost, 1200, false));
    SpreadView* view = framedHost.view(1200);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(layout->indexOf(view), 0);
    EXPECT_EQ(framed.control(1200), view);

    Vtx_Spread missing;
    EXPECT_FALSE(missing.createInDialog(&framedHost, 4711, true));
    EXPECT_FALSE(missing.isCreated());
}

TEST_F(QtDialogHostTest, ShownGridHasItsPartsInsideAndHeadersThatFit) {
    SpreadView* view = show(3, 4);
    grid.setHeaderRow({"Part", "Section", "Length"});
    grid.setColumnLayout(kLayoutFit, 0, 0);
    grid.setCellText(1, 1, "Stiffener plate");
    view->sync();

    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(dialog->rect().contains(view->geometry())) << "inside its dialog";
    QHeaderView* columns = view->horizontalHeader();
    QHeaderView* rows = view->verticalHeader();
    EXPECT_TRUE(columns->isVisible()) << "option 3 shows the column headers";
    EXPECT_TRUE(rows->isVisible()) << "option 4 shows the row headers";
    // The header row sits above the cells, the header column beside them.
    const QRect cells = view->viewport()->geometry();
    EXPECT_LE(columns->geometry().bottom(), cells.top());
    EXPECT_LE(rows->geometry().right(), cells.left());
    // Fit to contents: no header text and no cell text is cut.
    const QFontMetrics bold(vtx::spreadui::cellFont({"", 0, true}, grid));
    for (int c = 0; c < 3; ++c) {
        const QString header = view->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(view->columnWidth(c), bold.horizontalAdvance(header)) << header.toStdString();
    }
    EXPECT_GE(view->columnWidth(0),
              QFontMetrics(vtx::spreadui::cellFont({}, grid)).horizontalAdvance("Stiffener plate"));
    EXPECT_TRUE(vtx::ui::missingTexts(dialog.get()).isEmpty());

    const QImage shot = dialog->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    if (const char* out = std::getenv("VTX_GRID_SCREENSHOT"))
        shot.save(out);
}

} // namespace
