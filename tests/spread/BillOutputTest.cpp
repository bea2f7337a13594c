// KsSSBillOutput: init, rows and their cell types, sub-totals, variables,
// saving, copies and pictures (fixture: BillOutputFixture.h).
#include "BillOutputFixture.h"

#include "platform/core/MacroModel.h"
#include "spread/PrintSettings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using billtest::BillOutputFixture;
using billtest::numbered;
using vtx::sheet::BorderSide;
using vtx::sheet::CellKind;
using vtx::sheet::kBorderAll;
using vtx::sheet::kBorderBottom;
using vtx::sheet::kBorderLeft;
using vtx::sheet::kBorderRight;
using vtx::sheet::kBorderTop;
using vtx::sheet::kDefaultColor;

namespace {

const std::string kData = billtest::kData;

TEST_F(BillOutputFixture, InitPreparesTheGridFromTheSettingsSet) {
    ASSERT_EQ(initBill(), eOk);
    Vtx_Spread* grid = output.getSSPointer();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->getMaxCols(), 5);
    EXPECT_EQ(grid->getMaxRows(), 11) << "the settings grid's 11 rows";
    Vtx_StringArray headers;
    grid->getHeaderRow(headers);
    EXPECT_EQ(headers, columns());
    EXPECT_EQ(grid->defaultFontName(), "Verdana");
    EXPECT_EQ(grid->defaultFontHeight(), 17);
    EXPECT_EQ(grid->model()->font(3, 4).name, "Verdana");
    EXPECT_EQ(grid->model()->appearance().styleSetting, kBillGridSetting);
    EXPECT_EQ(grid->model()->appearance().gridColor, 0x323232u);
    EXPECT_EQ(output.rowProperties(), codes());
    EXPECT_EQ(host.editor().focusWindow(), host.editor().mainWindow())
        << "the modeless window gives the focus back";
    ASSERT_NE(output.window(), nullptr);
    EXPECT_EQ(output.window()->parent(), host.editor().mainWindow());
}

TEST_F(BillOutputFixture, AMissingSetFallsBackToTheDefaultSetsFont) {
    // The tag of the grid holds the registry's default set; the grid's
    // default font follows what was loaded, not the bare defaults.
    writeInstall("Office.ksd", "defaultFont\xA4"
                               "4\xA4"
                               "Courier\xA4");
    host.registry().setText(kPrintSettingsRegistryKey, "Default Settings", "Office");
    ASSERT_EQ(output.init(bill("a.kss"), columns(), {}, codes(), "Nowhere", {}, {}), eOk);
    EXPECT_EQ(output.getSSPointer()->defaultFontName(), "Courier");
}

TEST_F(BillOutputFixture, InitAgainStartsANewBill) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow(numbered(1, 5));
    output.onAddRow(numbered(2, 5));
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow(numbered(3, 5));
    EXPECT_EQ(output.currentRow(), 1);
    EXPECT_EQ(text(1, 1), "31");
    EXPECT_EQ(text(1, 2), "");
}

TEST_F(BillOutputFixture, RowPropertiesGiveEachColumnItsCellType) {
    ASSERT_EQ(output.init(bill("a.kss"), columns(), {}, {3, 1, 2, 7}, "BillSet", {}, {}), eOk);
    output.onAddRow({"Plate", "12.6", "4.04", "x", "y"});
    const vtx::sheet::SheetModel& model = *output.getSSPointer()->model();
    EXPECT_EQ(model.cellType(1, 1).kind, CellKind::Edit);
    EXPECT_EQ(model.cellType(1, 1).maxLength, kBillTextLength);
    EXPECT_EQ(model.cellType(2, 1).kind, CellKind::Number);
    EXPECT_EQ(model.cellType(2, 1).decimals, 0);
    EXPECT_EQ(model.cellType(2, 1).maximum, kBillNumberLimit);
    EXPECT_EQ(model.cellType(3, 1).decimals, 1);
    EXPECT_EQ(text(2, 1), "13");
    EXPECT_EQ(text(3, 1), "4.0");
    EXPECT_EQ(model.cellType(4, 1).kind, CellKind::Edit) << "code 7 keeps the settings grid's type";
    EXPECT_EQ(model.cellType(4, 1).maxLength, 100);
    EXPECT_EQ(model.rowHeight(1), model.maxTextRowHeight(1)) << "as high as its text, once written";
    EXPECT_NE(model.rowHeight(1), model.rowHeight(2)) << "Verdana 17 is not the default height";
}

TEST_F(BillOutputFixture, ATextInANumberColumnIsKept) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow({"9", "Bolts", "several", "", ""});
    EXPECT_EQ(text(3, 1), "several");
    EXPECT_EQ(output.getSSPointer()->model()->cellType(3, 1).kind, CellKind::Edit);
}

TEST_F(BillOutputFixture, ARowWithMoreTextsWidensTheGridFirst) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow({"1", "HEA", "2", "600", "25", "S355", "galvanised"});
    EXPECT_EQ(output.getSSPointer()->getMaxCols(), 7);
    EXPECT_EQ(text(7, 1), "galvanised");
}

TEST_F(BillOutputFixture, RowsGrowByAHundredAndEndFeedTrimsThem) {
    ASSERT_EQ(initBill(), eOk);
    Vtx_Spread* grid = output.getSSPointer();
    for (int n = 1; n <= 11; ++n)
        output.onAddRow(numbered(n, 5));
    EXPECT_EQ(grid->getMaxRows(), 11);
    output.onAddRow(numbered(12, 5));
    EXPECT_EQ(grid->getMaxRows(), 112) << "row 12 of an 11-row grid";
    for (int n = 13; n <= 112; ++n)
        output.onAddRow(numbered(n, 5));
    EXPECT_EQ(grid->getMaxRows(), 112);
    output.onAddRow(numbered(113, 5));
    EXPECT_EQ(grid->getMaxRows(), 213);
    EXPECT_EQ(text(1, 114), "") << "the added rows are empty";
    ASSERT_EQ(output.onEndFeed(), eOk);
    EXPECT_EQ(grid->getMaxRows(), 113);
    EXPECT_EQ(text(4, 113), "1134");
    EXPECT_EQ(text(5, 113), "1135.0") << "one decimal";
}

TEST_F(BillOutputFixture, SubTotalsAreFramedAndLightBlueWhereLabelled) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow(numbered(1, 5));
    output.onAddSubTotals({"", "Total", "7", "", "447.81"}, {"ignored"}, true, 3);
    const vtx::sheet::SheetModel& model = *output.getSSPointer()->model();
    for (int c : {2, 3, 5}) {
        for (auto edge : {kBorderLeft, kBorderTop, kBorderRight, kBorderBottom})
            EXPECT_EQ(model.border(c, 2, edge), (BorderSide{1, 0})) << "column " << c;
        std::uint32_t back = 0;
        std::uint32_t fore = 0;
        model.colors(c, 2, back, fore);
        EXPECT_EQ(back, kBillSubTotalBack);
    }
    for (int c : {1, 4}) {
        EXPECT_EQ(model.border(c, 2, kBorderTop).style, 0) << "column " << c;
        std::uint32_t back = 0;
        std::uint32_t fore = 0;
        model.colors(c, 2, back, fore);
        EXPECT_EQ(back, kDefaultColor);
    }
    EXPECT_EQ(text(2, 2), "Total") << "a label in a text column";
}

TEST_F(BillOutputFixture, RowsAfterASubTotalOnTheLastRowStartPlain) {
    // Rows added when the grid grows copy the last row's style: a sub-total
    // written on the last row must not colour the rows that follow it.
    ASSERT_EQ(initBill(), eOk);
    for (int n = 1; n <= 10; ++n)
        output.onAddRow(numbered(n, 5));
    output.onAddSubTotals({"x", "Total", "7", "y", "9"}, {}, false, 0);
    output.onAddRow(numbered(12, 5));
    const vtx::sheet::SheetModel& model = *output.getSSPointer()->model();
    std::uint32_t back = 0;
    std::uint32_t fore = 0;
    model.colors(4, 12, back, fore);
    EXPECT_EQ(back, kDefaultColor);
    EXPECT_EQ(model.border(4, 12, kBorderBottom).style, 0);
    EXPECT_EQ(model.border(1, 12, kBorderLeft).style, 0) << "an uncoded column too";
}

TEST_F(BillOutputFixture, VariablesBeginWithDateTitleAndFileName) {
    const Vtx_String file = bill("Job 12\xBF"
                                 "Hall 7.kss");
    ASSERT_EQ(output.init(file, columns(), {}, codes(), "BillSet", {"Project", "Customer"},
                          {"Hall 7", "M\xFCller"}),
              eOk);
    output.setClock([] {
        std::tm time{};
        time.tm_year = 126;
        time.tm_mon = 11;
        time.tm_mday = 7;
        time.tm_hour = 9;
        time.tm_min = 5;
        return time;
    });
    output.onAddRow(numbered(1, 5));
    ASSERT_EQ(output.onEndFeed(), eOk);

    KsPrintSettings saved;
    ASSERT_TRUE(saved.readFromGrid(&loadSavedBill(file)->grid));
    EXPECT_EQ(saved.variableNames(),
              (Vtx_StringArray{"Date", "Title", "BillFilename", "Project", "Customer"}));
    EXPECT_EQ(saved.variableValues(), (Vtx_StringArray{"07 December, 2026 (09:05)", "Hall 7", file,
                                                       "Hall 7", "M\xFCller"}));
    EXPECT_EQ(output.variableNames(), (Vtx_StringArray{"Project", "Customer"}))
        << "the caller's list stays as given, so a second end gives no doubles";
}

TEST_F(BillOutputFixture, AVariableHoldingTheSeparatorIsLeftOutAndTheOthersKept) {
    const Vtx_String file = bill("hall.kss");
    ASSERT_EQ(output.init(file, columns(), {}, codes(), "BillSet",
                          {"Project", "Price",
                           "Site\xA4"
                           "2",
                           "Customer"},
                          {"Hall 7", "10 \xA4", "x", "M\xFCller"}),
              eOk);
    output.onAddRow(numbered(1, 5));
    EXPECT_EQ(output.onEndFeed(), eInvalidInput) << "variables were lost: no success";

    KsPrintSettings saved;
    ASSERT_TRUE(saved.readFromGrid(&loadSavedBill(file)->grid));
    EXPECT_EQ(saved.variableNames(),
              (Vtx_StringArray{"Date", "Title", "BillFilename", "Project", "Customer"}));
    EXPECT_EQ(saved.variableValues()[4], "M\xFCller");
    const Vtx_StringArray& errors = host.commandLine().errorLines();
    ASSERT_EQ(errors.length(), 2) << "one line per variable left out";
    EXPECT_TRUE(errors[0].hasSubString("\"Price\"")) << errors[0].str();
    EXPECT_TRUE(errors[1].hasSubString("\"Site\xA4"
                                       "2\""))
        << errors[1].str();
}

TEST(BillTitle, IsTheFileNameWithoutFolderExtensionAndMarkedPrefix) {
    EXPECT_EQ(KsSSBillOutput::billTitle("C:\\Bills\\Hall 7.kss"), "Hall 7");
    EXPECT_EQ(KsSSBillOutput::billTitle("C:\\Bills\\Job\xBF"
                                        "a\xBF"
                                        "Hall.kss"),
              "Hall");
    EXPECT_EQ(KsSSBillOutput::billTitle("bills/v1.2/Hall"), "Hall");
    EXPECT_EQ(KsSSBillOutput::billTitle("Hall.final.kss"), "Hall.final");
}

TEST_F(BillOutputFixture, SavingCarriesTheHeaderPictureIntoTheFile) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow(numbered(1, 5));
    Vtx_Spread* grid = output.getSSPointer();
    ASSERT_EQ(output.onEndFeed(), eOk);
    EXPECT_FALSE(grid->isModified());
    EXPECT_TRUE(fileExists(root("bills\\logo.bmp")));
    KsPrintSettings saved;
    ASSERT_TRUE(saved.readFromGrid(&loadSavedBill(bill("hall.kss"))->grid));
    EXPECT_EQ(saved.headerFile(), "logo.bmp") << "the file, not only the grid, names the copy";
    EXPECT_EQ(saved.fontName(), "Verdana");
    EXPECT_EQ(saved.marginLeft(), 12);
}

TEST_F(BillOutputFixture, AFailedSaveIsReportedAndLeavesTheGridChanged) {
    ASSERT_EQ(output.init(root("missing\\hall.kss"), columns(), {}, codes(), "BillSet", {}, {}),
              eOk);
    output.onAddRow(numbered(1, 5));
    output.getSSPointer()->setModified(true);
    EXPECT_EQ(output.onEndFeed(), eFileAccessErr);
    EXPECT_TRUE(output.getSSPointer()->isModified());
    ASSERT_EQ(host.commandLine().errorLines().length(), 1);
    EXPECT_TRUE(host.commandLine().errorLines()[0].hasSubString("hall.kss"));
}

TEST_F(BillOutputFixture, ColumnsFitTheirWidestTextHeaderIncluded) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow({"1", "Plate 10 x 200 x 300 mm", "2", "300", "4.7"});
    ASSERT_EQ(output.onEndFeed(), eOk);
    Vtx_Spread* grid = output.getSSPointer();
    const vtx::sheet::SheetModel& model = *grid->model();
    EXPECT_EQ(model.cellTypeNumber(1, 0), 5) << "the header row gets the header type";
    GridMeasure& measure = grid->measure();
    EXPECT_EQ(grid->columnWidthPixels(2), measure.textExtent(model, 2, 1).width);
    EXPECT_EQ(grid->columnWidthPixels(1), measure.textExtent(model, 1, 0).width)
        << "\"Pos\" is wider than \"1\"";
}

TEST_F(BillOutputFixture, WithoutAGridNothingIsWritten) {
    KsSSBillOutput fresh;
    EXPECT_EQ(fresh.getSSPointer(), nullptr);
    fresh.onAddRow({"1", "2"});
    fresh.onAddSubTotals({"Total"}, {}, false, 0);
    EXPECT_EQ(fresh.currentRow(), 0);
    EXPECT_EQ(fresh.onEndFeed(), eNullPtr);
}

TEST_F(BillOutputFixture, ACopyKeepsTheFieldsButNotTheWindow) {
    ASSERT_EQ(initBill(), eOk);
    output.onAddRow(numbered(1, 5));
    Vtx_Spread* grid = output.getSSPointer();
    {
        KsSSBillOutput copy(output);
        EXPECT_EQ(copy.getSSPointer(), nullptr);
        EXPECT_EQ(copy.currentRow(), 1);
        EXPECT_EQ(copy.billFileName(), output.billFileName());
        KsSSBillOutput assigned;
        ASSERT_EQ(assigned.init(bill("b.kss"), {"A"}, {}, {}, "BillSet", {}, {}), eOk);
        Vtx_Spread* own = assigned.getSSPointer();
        assigned = output;
        EXPECT_EQ(assigned.getSSPointer(), own) << "assignment keeps its own window";
        EXPECT_EQ(assigned.billFileName(), output.billFileName());
    }
    EXPECT_EQ(output.getSSPointer(), grid) << "the copies' ends leave this window alone";
    EXPECT_EQ(text(1, 1), "11");
}

TEST_F(BillOutputFixture, PicturesFollowTheirPartsAndAreSavedBesideTheBill) {
    Vtx_Bill parts;
    ASSERT_EQ(readPartList(kData + "hall.csv", parts), eOk);
    Vtx_Transaction transaction(nullptr);
    ASSERT_EQ(initBill(), eOk);
    output.setVars(300, 0, 0, true, true, &parts, &transaction);
    ASSERT_EQ(output.onStartFeed(), eOk);
    EXPECT_TRUE(gBMPProgress.open);
    EXPECT_EQ(gBMPProgress.range, 20);
    output.onAddRow({"1", "HEA 200", "2", "6000", "253.2"});
    output.onAddRow({"2", "Plate", "4", "300", "4.71"});
    EXPECT_EQ(output.currentRow(), 4) << "each part is followed by its picture row";
    EXPECT_EQ(output.imageOptions().made, 2);
    EXPECT_EQ(gBMPProgress.position, 2);

    Vtx_Spread* grid = output.getSSPointer();
    const vtx::sheet::SheetModel& model = *grid->model();
    vtx::sheet::CellSpan span;
    ASSERT_TRUE(model.getSpan(2, 2, span));
    EXPECT_EQ(span, (vtx::sheet::CellSpan{2, 2, 4, 1})) << "columns 2 to 5";
    EXPECT_EQ(grid->rowHeightPixels(2), 100) << "a 300-pixel picture is 100 pixels high";
    EXPECT_EQ(model.cellType(1, 2).kind, CellKind::Picture);
    EXPECT_EQ(model.cellType(1, 2).text, std::to_string(kBillPictureMarker));
    EXPECT_EQ(model.border(1, 2, kBorderRight).style, 1);
    const std::string picture = model.cellType(2, 4).text;
    EXPECT_EQ(picture, "hall pictures\\part2.bmp");

    ASSERT_EQ(output.onEndFeed(), eOk);
    EXPECT_FALSE(gBMPProgress.open);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(bitmapSize(root("bills\\" + picture), width, height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 100);
    EXPECT_LT(grid->columnWidthPixels(2), 150) << "the picture cell does not widen its column";
}

// Parts of the same length have the same picture: one file serves them all.
// The same bill made again leaves its pictures' files as they are, and the
// pictures an earlier, longer bill of the name had are removed with it.
TEST_F(BillOutputFixture, AlikePicturesShareAFileAndAMadeAgainBillKeepsThem) {
    Vtx_Bill parts;
    ASSERT_EQ(readPartList(kData + "hall.csv", parts), eOk);
    Vtx_Transaction transaction(nullptr);
    auto make = [&](const std::vector<Vtx_StringArray>& rows) {
        EXPECT_EQ(initBill(), eOk);
        output.setVars(120, 0, 0, true, true, &parts, &transaction);
        EXPECT_EQ(output.onStartFeed(), eOk);
        for (const Vtx_StringArray& row : rows)
            output.onAddRow(row);
        EXPECT_EQ(output.onEndFeed(), eOk);
    };
    make({{"1", "HEA 200", "2", "6000", "253.2"},
          {"2", "Plate", "4", "300", "4.71"},
          {"3", "HEA 200", "1", "6000", "126.6"}});
    const vtx::sheet::SheetModel& model = *output.getSSPointer()->model();
    EXPECT_EQ(model.cellType(2, 2).text, "hall pictures\\part1.bmp");
    EXPECT_EQ(model.cellType(2, 4).text, "hall pictures\\part2.bmp");
    EXPECT_EQ(model.cellType(2, 6).text, "hall pictures\\part1.bmp") << "as long as part 1";
    const fs::path folder = nativePath(root("bills\\hall pictures"));
    auto files = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(files(), (std::vector<std::string>{"part1.bmp", "part2.bmp"}));

    // Someone else's file in the folder is not the bill's to remove.
    ASSERT_EQ(writeFileAtomically(corePath(folder / "notes.txt"), "keep"), eOk);
    struct stat before {};
    ASSERT_EQ(::stat((folder / "part1.bmp").c_str(), &before), 0);
    make({{"1", "HEA 200", "2", "6000", "253.2"}});
    struct stat after {};
    ASSERT_EQ(::stat((folder / "part1.bmp").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "an unchanged picture is not written again";
    EXPECT_EQ(files(), (std::vector<std::string>{"notes.txt", "part1.bmp"}));
    auto saved = loadSavedBill(bill("hall.kss"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->grid.model()->cellType(2, 2).text, "hall pictures\\part1.bmp");
}

TEST_F(BillOutputFixture, TheMakersTemporaryPicturesAreDeleted) {
    Vtx_Bill parts;
    parts.columnNames = columns();
    Vtx_Transaction transaction(nullptr);
    Vtx_String probe;
    Vtx_BillImageOptions options;
    ASSERT_EQ(createImage({"x"}, options, &parts, &transaction, probe), eOk);
    const fs::path folder = nativePath(probe).parent_path();
    fs::remove(nativePath(probe));
    ASSERT_EQ(initBill(), eOk);
    output.setVars(-1, 0, 0, false, false, &parts, &transaction);
    output.onAddRow({"1", "HEA"});
    output.onAddRow({"2", "IPE"});
    EXPECT_EQ(output.imageOptions().made, 2);
    EXPECT_TRUE(fs::is_empty(folder)) << "each picture goes once it is in the grid";
    output.onEndFeed();
    EXPECT_FALSE(fs::exists(folder)) << "no picture, and no folder, is left behind";
}

TEST_F(BillOutputFixture, WithoutATransactionNoPicturesAreMade) {
    Vtx_Bill parts;
    ASSERT_EQ(initBill(), eOk);
    output.setVars(60, 0, 0, true, true, &parts, nullptr);
    ASSERT_EQ(output.onStartFeed(), eOk);
    EXPECT_FALSE(gBMPProgress.open);
    output.onAddRow({"1", "HEA"});
    EXPECT_EQ(output.currentRow(), 1);
}

TEST_F(BillOutputFixture, APictureRowInAOneColumnBillWidensIt) {
    Vtx_Bill parts;
    Vtx_Transaction transaction(nullptr);
    ASSERT_EQ(output.init(bill("one.kss"), {"Part"}, {}, {3}, "BillSet", {}, {}), eOk);
    output.setVars(30, 0, 0, true, true, &parts, &transaction);
    output.onAddRow({"HEA 200"});
    const vtx::sheet::SheetModel& model = *output.getSSPointer()->model();
    EXPECT_EQ(model.maxCols(), 2);
    EXPECT_EQ(model.cellType(2, 2).kind, CellKind::Picture);
    EXPECT_TRUE(model.spans().empty()) << "one column needs no span";
}

TEST_F(BillOutputFixture, APartListFileBecomesASavedBill) {
    Vtx_Bill parts;
    Vtx_String reason;
    ASSERT_EQ(readPartList(kData + "hall.csv", parts, &reason), eOk) << reason.str();
    ASSERT_EQ(output.init(bill("hall.kss"), parts.columnNames, {}, parts.rowProperties,
                          parts.settingsName, parts.variableNames, parts.variableValues),
              eOk);
    ASSERT_EQ(produceList(parts, output), eOk);
    auto saved = loadSavedBill(bill("hall.kss"));
    EXPECT_EQ(saved->grid.getMaxRows(), 4);
    Vtx_String shown;
    saved->grid.getCellText(2, 2, shown, kTextValue);
    EXPECT_EQ(shown, "Plate 10, 200x300");
    saved->grid.getCellText(2, 3, shown, kTextValue);
    EXPECT_EQ(shown, "IPE 300\ncut at both ends");
    saved->grid.getCellText(5, 4, shown, kTextValue);
    EXPECT_EQ(shown, "447.8");
    EXPECT_EQ(saved->grid.model()->cellType(3, 1).kind, CellKind::Number);
    KsPrintSettings settings;
    settings.readFromGrid(&saved->grid);
    EXPECT_EQ(settings.variableNames()[4], "Customer");
    EXPECT_EQ(settings.variableValues()[4], "M\xFCller, Steel & Co");
}

// Known gap, outside the bill: the grid's saveFile turns the 8-bit path into
// a native one and the model turns that once more, so a name holding the
// byte 0xF6 lands on disk under a doubly encoded name (the pictures, written
// as core paths, do not). Enable when Vtx_Spread::saveFile hands the model
// the core path.
TEST_F(BillOutputFixture, ANonAsciiBillNameIsSavedUnderThatName) {
    const Vtx_String file = bill("J\xF6"
                                 "b.kss");
    ASSERT_EQ(output.init(file, columns(), {}, codes(), "BillSet", {}, {}), eOk);
    output.onAddRow(numbered(1, 5));
    ASSERT_EQ(output.onEndFeed(), eOk);
    EXPECT_TRUE(fs::exists(nativePath(file)));
}

} // namespace
