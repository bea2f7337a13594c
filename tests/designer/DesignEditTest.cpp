// Editing the selection: adding, copying, removing, sizes, aligning,
// distributing, moving with snapping. Pixels convert at 400 x 300.

#include "DesignerFixture.h"

#include "platform/core/Settings.h"

#include <limits>

namespace {

void expectRect(const Vtx_DesignRect& rect, double left, double top, double right, double bottom) {
    EXPECT_NEAR(rect.left, left, 1e-9);
    EXPECT_NEAR(rect.top, top, 1e-9);
    EXPECT_NEAR(rect.right, right, 1e-9);
    EXPECT_NEAR(rect.bottom, bottom, 1e-9);
}

} // namespace

TEST(DesignEdit, EdgesAndSizesConvertBetweenPixelsAndFactors) {
    PixelDesign design;
    const int id = design.add(ctVarEdit, 40, 50, 100, 60);
    Vtx_DesignerControl& control = *design.getControlFromRes(id);
    EXPECT_DOUBLE_EQ(control.topLeftX, 0.1);
    EXPECT_DOUBLE_EQ(design.getWidth(control), 60);
    design.setHeight(control, 20); // the bottom edge stays
    expectRect(design.rectOf(id), 40, 40, 100, 60);
    design.setWidth(control, 10); // the left edge stays
    expectRect(design.rectOf(id), 40, 40, 50, 60);
    design.setTopLeftX(control, std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(control.topLeftX, 0.1);
    control.topLeftX = 0.10126; // 40.504 pixels
    EXPECT_EQ(design.drawRect(control).left, 41);
}

TEST(DesignEdit, NewControlsAreThirtyByEighteenAtAFifth) {
    PixelDesign design;
    EXPECT_TRUE(design.addNewControl(ctVarCombo));
    const Vtx_DesignerControl& control = *design.getControl(0);
    EXPECT_EQ(control.type, ctVarCombo);
    EXPECT_EQ(control.contents, dialString(171));
    expectRect(design.rectOf(control.resourceId), 80, 60, 110, 78);
}

TEST(DesignEdit, CopyPutsCopiesTwentyPixelsAwayAndSelectsThem) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 10, 10, 50, 30, "a");
    design.add(ctLabel, 0, 0, 5, 5);
    const int c = design.add(ctVarCombo, 100, 100, 150, 120, "c");
    EXPECT_FALSE(design.copyCurCtrls());
    design.selectCtrls({c, a});
    ASSERT_TRUE(design.copyCurCtrls());
    ASSERT_EQ(design.getNrControls(), 5);
    const Vtx_Array<int>& copies = design.getSelectedIds();
    ASSERT_EQ(copies.length(), 2);
    EXPECT_EQ(design.getControlFromRes(copies[0])->contents, "c");
    expectRect(design.rectOf(copies[0]), 120, 120, 170, 140);
    expectRect(design.rectOf(copies[1]), 30, 30, 70, 50);
}

TEST(DesignEdit, RemoveTakesOutTheSelection) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 0, 0, 1, 1, "a");
    const int b = design.add(ctVarEdit, 0, 0, 1, 1, "b");
    const int c = design.add(ctVarEdit, 0, 0, 1, 1, "c");
    EXPECT_FALSE(design.removeCurControls());
    design.selectCtrls({c, 999, a});
    EXPECT_EQ(design.getSelectedIds().length(), 2);
    EXPECT_TRUE(design.removeCurControls());
    ASSERT_EQ(design.getNrControls(), 1);
    EXPECT_EQ(design.getControl(0)->resourceId, b);
    EXPECT_EQ(design.getSelectedIds().length(), 0);
}

TEST(DesignEdit, SizesKeepTheTopLeftCorner) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 10, 10, 50, 30);
    const int b = design.add(ctVarEdit, 60, 40, 70, 45);
    design.changeCtrlSize(7, true, 5); // out of range: ignored
    design.selectCtrls({a, b});
    EXPECT_TRUE(design.changeCurCtrlsSize(true, 25));
    EXPECT_TRUE(design.changeCurCtrlsSize(false, 0));
    expectRect(design.rectOf(a), 10, 10, 35, 10);
    expectRect(design.rectOf(b), 60, 40, 85, 40);
    EXPECT_FALSE(design.changeCurCtrlsSize(true, -5));
    design.clearSelection();
    EXPECT_FALSE(design.changeCurCtrlsSize(true, 5));
}

TEST(DesignEdit, AlignBottomsFollowsTheMostLeftControl) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 50, 10, 80, 30);
    const int b = design.add(ctVarEdit, 20, 100, 40, 140); // most left
    const int c = design.add(ctVarEdit, 20, 0, 25, 8);     // as left, later
    design.selectCtrls({a});
    EXPECT_TRUE(design.outlineCurCtrls());
    expectRect(design.rectOf(a), 50, 10, 80, 30);
    design.selectCtrls({a, c, b});
    int most = -1;
    EXPECT_TRUE(design.findMostLeftCtrl(design.getSelectedIds(), most));
    EXPECT_EQ(most, 2);
    EXPECT_TRUE(design.outlineCurCtrls());
    expectRect(design.rectOf(a), 50, -12, 80, 8);
    expectRect(design.rectOf(b), 20, -32, 40, 8);
    design.clearSelection();
    EXPECT_FALSE(design.outlineCurCtrls());
    EXPECT_FALSE(design.findMostLeftCtrl({}, most));
    EXPECT_FALSE(design.findMostLeftCtrl({12345}, most));
    EXPECT_EQ(most, -1);
}

TEST(DesignEdit, StickRightNeedsExactlyTwo) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 100, 50, 150, 70);
    const int b = design.add(ctLabel, 10, 10, 60, 30);
    const int c = design.add(ctLabel, 0, 200, 5, 205);
    design.selectCtrls({a});
    EXPECT_FALSE(design.stickRightCurCtrls());
    design.selectCtrls({a, b, c});
    EXPECT_FALSE(design.stickRightCurCtrls());
    EXPECT_FALSE(design.canUndo());
    design.selectCtrls({a, b});
    EXPECT_TRUE(design.stickRightCurCtrls());
    expectRect(design.rectOf(b), 10, 10, 60, 30);
    expectRect(design.rectOf(a), 60, 10, 110, 30);
}

TEST(DesignEdit, AlignLinesUpWithTheFirstSelected) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 100, 50, 140, 70);
    const int b = design.add(ctVarEdit, 10, 10, 30, 20);
    const int c = design.add(ctVarEdit, 200, 90, 260, 130);
    design.selectCtrls({a, b, c});
    ASSERT_TRUE(design.alignCurCtrls(Vtx_AlignEdge::Right));
    expectRect(design.rectOf(b), 120, 10, 140, 20);
    expectRect(design.rectOf(c), 80, 90, 140, 130);
    ASSERT_TRUE(design.alignCurCtrls(Vtx_AlignEdge::CentreY));
    expectRect(design.rectOf(b), 120, 55, 140, 65);
    expectRect(design.rectOf(c), 80, 40, 140, 80);
    ASSERT_TRUE(design.alignCurCtrls(Vtx_AlignEdge::Top));
    expectRect(design.rectOf(c), 80, 50, 140, 90);
    expectRect(design.rectOf(a), 100, 50, 140, 70);
    design.selectCtrls({a});
    EXPECT_FALSE(design.alignCurCtrls(Vtx_AlignEdge::Left));
}

TEST(DesignEdit, DistributeSpacesEvenlyBetweenTheOutermost) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 0, 0, 20, 10);
    const int b = design.add(ctVarEdit, 200, 0, 210, 10);
    const int c = design.add(ctVarEdit, 30, 0, 60, 10);
    design.selectCtrls({a, b});
    EXPECT_FALSE(design.distributeCurCtrls(true));
    design.selectCtrls({b, c, a});
    ASSERT_TRUE(design.distributeCurCtrls(true));
    // Span 210, widths 60: gaps of 75.
    expectRect(design.rectOf(a), 0, 0, 20, 10);
    expectRect(design.rectOf(c), 95, 0, 125, 10);
    expectRect(design.rectOf(b), 200, 0, 210, 10);
}

TEST(DesignEdit, MatchSizeCopiesTheFirstSelectedSize) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 0, 0, 40, 20);
    const int b = design.add(ctVarEdit, 100, 100, 110, 105);
    design.selectCtrls({a, b});
    ASSERT_TRUE(design.matchSizeOfCurCtrls(Vtx_SizeMatch::Height));
    expectRect(design.rectOf(b), 100, 100, 110, 120);
    ASSERT_TRUE(design.matchSizeOfCurCtrls(Vtx_SizeMatch::Both));
    expectRect(design.rectOf(b), 100, 100, 140, 120);
}

TEST(DesignEdit, MovingSnapsToGridAndToOtherControls) {
    PixelDesign design;
    const int fixed = design.add(ctLabel, 100, 100, 150, 120);
    const int a = design.add(ctVarEdit, 0, 0, 20, 10);
    const int b = design.add(ctVarEdit, 30, 0, 40, 10);
    design.selectCtrls({a, b});
    ASSERT_TRUE(design.moveCurCtrls(3, 4)); // a nudge, no snapping
    expectRect(design.rectOf(a), 3, 4, 23, 14);
    Vtx_SnapOptions grid;
    grid.gridStep = 10;
    grid.toControls = false;
    ASSERT_TRUE(design.moveCurCtrls(5, 5, &grid)); // to (8, 9): grid 10, 10
    expectRect(design.rectOf(a), 10, 10, 30, 20);
    expectRect(design.rectOf(b), 40, 10, 50, 20);
    Vtx_SnapOptions edges;
    // The right edge would land on 152, 2 from the label's right edge; the
    // top and bottom edges are out of reach.
    ASSERT_TRUE(design.moveCurCtrls(102, 71, &edges));
    expectRect(design.rectOf(a), 110, 81, 130, 91);
    expectRect(design.rectOf(fixed), 100, 100, 150, 120);
}

TEST(DesignSnap, NearestEdgeWinsAndControlsBeatTheGrid) {
    const std::vector<Vtx_DesignRect> others{{100, 100, 150, 120}, {0, 0, 98, 5}};
    Vtx_SnapOptions options;
    options.gridStep = 10;
    // Left edge 102 is 2 from 100 (control) and 2 from the grid line 100.
    EXPECT_EQ(snapRect({102, 50, 112, 60}, others, options), (Vtx_DesignRect{100, 50, 110, 60}));
    // The right edge 97 is 1 from 98; the grid lines are 3 away.
    EXPECT_EQ(snapRect({87, 200, 97, 205}, others, options), (Vtx_DesignRect{88, 200, 98, 205}));
    // Out of reach on both axes: unchanged.
    options.gridStep = 0;
    EXPECT_EQ(snapRect({200, 200, 210, 210}, others, options),
              (Vtx_DesignRect{200, 200, 210, 210}));
    // The bottom edge 118 goes to 120.
    EXPECT_EQ(snapRect({300, 108, 310, 118}, others, options),
              (Vtx_DesignRect{300, 110, 310, 120}));
}
