// The control's file: byte-exact round trip of every text form, type, style,
// span, size and option; damaged files fail naming file and line; saving
// never loses the previous file.
#include "SheetTestUtil.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include <sys/mman.h>

#include <cstring>

namespace vtx::sheet::test {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every byte 1..255 once, 0x00 excluded (texts end there in the control).
std::string allBytes() {
    std::string s;
    for (int b = 1; b < 256; ++b)
        s += static_cast<char>(b);
    return s;
}

void fillSheet(SheetModel& s) {
    s.setMaxCols(6);
    s.setMaxRows(9);
    s.setData(0, 0, "");
    s.setTag(0, 0, "print settings \xA4 1 \xA4 2");
    s.setData(1, 0, "Width \xE9");
    s.setData(0, 1, "Row 1");
    s.setData(1, 1, allBytes());
    s.setData(2, 1, "1.50");
    s.setValueText(3, 1, "2.25");
    s.setFormula(4, 1, "B1*2+LEN(A1)", true);
    s.setTag(4, 1, "tag\twith\ttabs\r\n");
    s.setFormula(5, 1, "IF(B1>1,\"q\"\"uote\",FALSE)", true);
    s.setFormula(6, 1, "UNKNOWN(1)", true);
    s.setCellType({1, 3, 2, 3}, CellType::number(NumberStyle::Thousands, 3, -5, 5000));
    s.setData(1, 3, "1234.5");
    s.setCellType({3, 3, 3, 3}, CellType::checkBox("off.bmp", "on \xE9.bmp"));
    s.setData(3, 3, "1");
    s.setCellType({4, 3, 4, 3}, CellType::combo("a\tb\t\xFC", 0x100002));
    s.setCellType({5, 3, 5, 3}, CellType::picture("pic.bmp", PictureStyle::Icon));
    s.setCellType({6, 3, 6, 3}, CellType::edit(12, 0x110000));
    s.setCellType({1, 4, 1, 4}, CellType::integer(0, 10, true));
    s.setCellType({2, 4, 2, 4}, CellType::header());
    s.setFont({1, 5, 3, 5}, CellFont{"Arial \xC4", 17, true, false, true});
    s.setColors({1, 6, 2, 6}, 0x00112233, 0x00FFEEDD);
    s.setBorder({1, 7, 3, 8}, kBorderAll, BorderSide{2, 0x0000FF}, true);
    s.setLock({4, 7, 4, 7}, true);
    s.addSpan(5, 5, 2, 3);
    s.setColumnWidth(0, 4.5);
    s.setColumnWidth(2, 17.25);
    s.setRowHeight(3, 30);
    s.setOption(12, true);
    s.setOption(kOptionAutoCalc, false);
    s.setOption(63, true);
    s.setRefStyle(RefStyle::R1C1);
    s.setActiveCell(2, 3);
    s.setSelection({1, 2, 3, 4});
    SheetAppearance& a = s.appearance();
    a.appearance = 1;
    a.selectionBack = 6956042;
    a.selectionFore = 0xFFFFFF;
    a.gridColor = 0x8000000B;
    a.gridStyleA = 1;
    a.gridStyleB = -1;
    a.styleSetting = 5;
    a.textTipMode = 2;
    a.actionKeys[1] = {true, false, 13};
}

} // namespace

TEST(SheetFile, RoundTripKeepsEveryFormByteForByte) {
    TempDir dir;
    SheetModel a;
    fillSheet(a);
    ASSERT_TRUE(a.save(dir.file("a.vxs")));
    SheetModel b;
    std::string reason;
    ASSERT_TRUE(b.load(dir.file("a.vxs"), &reason)) << reason;
    EXPECT_EQ(b.maxCols(), 6);
    EXPECT_EQ(b.maxRows(), 9);
    for (int col = 0; col <= 6; ++col)
        for (int row = 0; row <= 9; ++row) {
            for (TextForm form :
                 {TextForm::Data, TextForm::Formula, TextForm::Tag, TextForm::Value}) {
                std::string x;
                std::string y;
                a.getText(col, row, form, x);
                b.getText(col, row, form, y);
                EXPECT_EQ(x, y) << col << "," << row << " form " << static_cast<int>(form);
            }
            EXPECT_EQ(a.value(col, row), b.value(col, row)) << col << "," << row;
            EXPECT_TRUE(a.style(col, row) == b.style(col, row)) << col << "," << row;
        }
    EXPECT_EQ(a.spans(), b.spans());
    EXPECT_EQ(b.columnWidth(0), 4.5);
    EXPECT_EQ(b.columnWidth(2), 17.25);
    EXPECT_EQ(b.rowHeight(3), 30);
    for (int n = 0; n < 64; ++n)
        EXPECT_EQ(a.option(n), b.option(n)) << "option " << n;
    EXPECT_EQ(b.refStyle(), RefStyle::R1C1);
    EXPECT_TRUE(a.appearance() == b.appearance());
    EXPECT_EQ(b.appearance().gridStyleB, -1);
    int col = 0;
    int row = 0;
    ASSERT_TRUE(b.activeCell(col, row));
    EXPECT_EQ(col * 10 + row, 23);
    // Saving the loaded grid gives the same file: nothing was lost or reordered.
    ASSERT_TRUE(b.save(dir.file("b.vxs")));
    EXPECT_EQ(readAll(dir.file("a.vxs")), readAll(dir.file("b.vxs")));
}

// A copy is what a save and a load would give, and lives on its own.
TEST(SheetFile, ACopyIsWhatTheFileWouldGive) {
    SheetModel a;
    fillSheet(a);
    a.setData(2, 9, "beyond");
    a.setMaxRows(8); // row 9 is erased
    SheetModel b;
    b.setMaxCols(2);
    b.setMaxRows(2);
    b.setData(1, 1, "old");
    ASSERT_TRUE(b.copyFrom(a));
    EXPECT_EQ(b.saveToText(), a.saveToText());
    b.setMaxRows(9);
    EXPECT_TRUE(b.value(2, 9).isEmpty());
    // The copy's formulas depend on the copy's cells: E1 = B1*2+LEN(A1).
    std::string before;
    a.getText(4, 1, TextForm::Data, before);
    b.setOption(kOptionAutoCalc, true);
    ASSERT_TRUE(b.setData(2, 1, "10"));
    std::string copied;
    b.getText(4, 1, TextForm::Data, copied);
    EXPECT_EQ(copied, std::to_string(20 + 255)) << "B1*2+LEN(A1) with the 255 bytes of A1";
    std::string original;
    a.getText(4, 1, TextForm::Data, original);
    EXPECT_EQ(original, before) << "the original is untouched";
    EXPECT_EQ(a.value(2, 1), Value::number(1.5));
}

TEST(SheetFile, TheFileIsReadableText) {
    SheetModel a;
    a.setMaxCols(2);
    a.setMaxRows(2);
    a.setData(1, 1, "caf\xE9");
    a.setFormula(2, 1, "A1&\"!\"", true);
    std::string text = a.saveToText();
    EXPECT_NE(text.find("cell 1 1 t=\"caf\xC3\xA9\""), std::string::npos) << text;
    EXPECT_NE(text.find("cell 2 1 f=\"A1&\\\"!\\\"\" t=\"caf\xC3\xA9!\""), std::string::npos)
        << text;
    EXPECT_EQ(text.rfind("end\n"), text.size() - 4);
}

// Cells are written row by row, left to right, however they were filled.
TEST(SheetFile, CellsAreWrittenRowByRow) {
    SheetModel a;
    a.setMaxCols(3);
    a.setMaxRows(130);
    for (int col = 3; col >= 1; --col)
        for (int row : {129, 65, 2, 64})
            a.setData(col, row, std::to_string(col * 1000 + row));
    std::string text = a.saveToText();
    std::vector<std::string> cells;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("cell ", 0) == 0)
            cells.push_back(line.substr(0, line.find(" n=")));
    const std::vector<std::string> expected{"cell 1 2",  "cell 2 2",   "cell 3 2",   "cell 1 64",
                                            "cell 2 64", "cell 3 64",  "cell 1 65",  "cell 2 65",
                                            "cell 3 65", "cell 1 129", "cell 2 129", "cell 3 129"};
    EXPECT_EQ(cells, expected) << text;

    // A dense grid, every cell filled column by column, comes out the same way.
    SheetModel dense;
    dense.setMaxCols(3);
    dense.setMaxRows(70);
    for (int col = 3; col >= 1; --col)
        for (int row = 70; row >= 1; --row)
            dense.setNumber(col, row, row);
    std::vector<std::string> denseCells;
    std::istringstream denseLines(dense.saveToText());
    for (std::string line; std::getline(denseLines, line);)
        if (line.rfind("cell ", 0) == 0)
            denseCells.push_back(line.substr(0, line.find(" n=")));
    std::vector<std::string> denseExpected;
    for (int row = 1; row <= 70; ++row)
        for (int col = 1; col <= 3; ++col)
            denseExpected.push_back("cell " + std::to_string(col) + " " + std::to_string(row));
    EXPECT_EQ(denseCells, denseExpected);
}

TEST(SheetFile, LoadedFormulasKeepTheirDependencies) {
    TempDir dir;
    SheetModel a;
    a.setMaxCols(3);
    a.setMaxRows(3);
    a.setData(1, 1, "2");
    a.setFormula(1, 2, "A1*3", true);
    ASSERT_TRUE(a.save(dir.file("d.vxs")));
    SheetModel b;
    ASSERT_TRUE(b.load(dir.file("d.vxs")));
    EXPECT_EQ(b.value(1, 2).asNumber(), 6) << "the saved result is shown without recalculation";
    b.setData(1, 1, "5");
    EXPECT_EQ(b.value(1, 2).asNumber(), 15);
}

TEST(SheetFile, DamagedFilesFailNamingFileAndLine) {
    std::string folder = std::string(VTX_TEST_DATA) + "/sheet/damaged/";
    std::ifstream list(folder + "expected.txt");
    ASSERT_TRUE(list);
    std::string line;
    int files = 0;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        auto tab = line.find('\t');
        std::string name = line.substr(0, tab);
        std::string path = folder + name;
        SheetModel s;
        s.setMaxCols(2);
        s.setMaxRows(2);
        s.setData(1, 1, "kept");
        std::string reason;
        EXPECT_FALSE(s.load(path, &reason)) << name;
        EXPECT_EQ(reason.rfind(path + ":" + line.substr(tab + 1) + ":", 0), 0u)
            << name << ": " << reason;
        std::string kept;
        s.getText(1, 1, TextForm::Data, kept);
        EXPECT_EQ(kept, "kept") << "a failed load leaves the grid as it was";
        ++files;
    }
    EXPECT_GE(files, 15);
    SheetModel s;
    std::string reason;
    EXPECT_TRUE(s.load(folder + "../good.vxs", &reason)) << reason;
}

TEST(SheetFile, EveryCutOfAGoodFileFailsCleanly) {
    SheetModel a;
    fillSheet(a);
    std::string text = a.saveToText();
    for (std::size_t cut = 0; cut + 1 < text.size(); cut += 7) {
        SheetModel b;
        std::string reason;
        EXPECT_FALSE(b.loadFromText(text.substr(0, cut), "cut", &reason)) << cut;
        EXPECT_EQ(reason.rfind("cut:", 0), 0u) << reason;
    }
}

TEST(SheetFile, AnEmptyTextIsWrittenAndReadApartFromABlankCell) {
    SheetModel a;
    a.setMaxCols(2);
    a.setMaxRows(2);
    ASSERT_TRUE(a.setText(1, 1, ""));
    a.setFormula(2, 1, "ISBLANK(A1)", true);
    a.setFormula(2, 2, "ISBLANK(A2)", true);
    const std::string text = a.saveToText();
    EXPECT_NE(text.find("\ncell 1 1 t=\"\"\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\ncell 1 2"), std::string::npos) << "a blank cell has no line";
    SheetModel b;
    std::string reason;
    ASSERT_TRUE(b.loadFromText(text, "empty", &reason)) << reason;
    EXPECT_EQ(b.valueType(1, 1), ValueType::Text);
    EXPECT_EQ(b.valueType(1, 2), ValueType::Empty);
    b.recalcAll();
    EXPECT_EQ(b.value(2, 1), Value::boolean(false));
    EXPECT_EQ(b.value(2, 2), Value::boolean(true));
    EXPECT_EQ(b.saveToText(), text);
}

TEST(SheetFile, TheSecondColourPairNeedsVersionTwoAndOnlyItDoes) {
    SheetModel a;
    a.setMaxCols(1);
    a.setMaxRows(1);
    a.appearance().gridColor = 0x8000000F;
    EXPECT_EQ(a.saveToText().rfind("VTXSHEET 1\n", 0), 0u)
        << "without the new settings a version-1 reader can read the file";
    a.appearance().secondColor = 15132390;
    a.appearance().secondColorAlt = 0x8000000B;
    const std::string text = a.saveToText();
    EXPECT_EQ(text.rfind("VTXSHEET 2\n", 0), 0u);
    EXPECT_NE(text.find("appearance grid=8000000F second=00E6E6E6 second2=8000000B\n"),
              std::string::npos)
        << text;
    SheetModel b;
    std::string reason;
    ASSERT_TRUE(b.loadFromText(text, "pair", &reason)) << reason;
    EXPECT_EQ(b.appearance(), a.appearance());
    EXPECT_FALSE(b.loadFromText("VTXSHEET 3\nsize 1 1\nend\n", "v3", &reason));
    EXPECT_EQ(reason, "v3:1: version 3 is newer than this reader");
}

TEST(SheetFile, TheReaderEnforcesTheDocumentedLimitsExactly) {
    // A line of exactly the limit is read (and refused for its text, longer
    // than a cell holds); one byte more is refused unread.
    const std::string head = "VTXSHEET 1\nsize 1 1\n";
    std::string line = "cell 1 1 t=\"\"";
    line.insert(line.size() - 1, kMaxSheetLine - line.size(), 'x');
    ASSERT_EQ(line.size(), kMaxSheetLine);
    SheetModel sheet;
    std::string reason;
    ASSERT_TRUE(sheet.loadFromText(head + "end\n", "good", &reason)) << reason;
    EXPECT_FALSE(sheet.loadFromText(head + line + "\nend\n", "line", &reason));
    EXPECT_EQ(reason, "line:3: text longer than 32767 characters");
    line.insert(line.size() - 1, "x");
    EXPECT_FALSE(sheet.loadFromText(head + line + "\nend\n", "line", &reason));
    EXPECT_EQ(reason, "line:3: line longer than 16777216 bytes");

    // A text of exactly the file limit is read (and fails on its content);
    // one byte more is refused unread. Untouched anonymous pages cost no
    // memory.
    const std::size_t size = kMaxSheetFile + 1;
    void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(pages, MAP_FAILED);
    std::memcpy(pages, head.data(), head.size());
    const std::string_view all(static_cast<const char*>(pages), size);
    EXPECT_FALSE(sheet.loadFromText(all.substr(0, kMaxSheetFile), "big", &reason));
    EXPECT_EQ(reason, "big:3: line longer than 16777216 bytes");
    EXPECT_FALSE(sheet.loadFromText(all, "big", &reason));
    EXPECT_EQ(reason, "big: file larger than 268435456 bytes");
    ::munmap(pages, size);

    // A file on disk one byte over the limit (sparse) is refused by its size.
    TempDir dir;
    std::ofstream(dir.file("big.vxs")) << head;
    std::filesystem::resize_file(dir.file("big.vxs"), size);
    EXPECT_FALSE(sheet.load(dir.file("big.vxs"), &reason));
    EXPECT_EQ(reason, dir.file("big.vxs") + ": file larger than 268435456 bytes");
    EXPECT_EQ(sheet.maxRows(), 1) << "the grid of the last good load is kept";
}

TEST(SheetFile, WhatTheModelHoldsIsWrittenAndReadBackAndNoMore) {
    // The longest texts a cell may hold, every byte one that the file
    // escapes or widens, save and load back; one character more is refused
    // by the model and by the reader alike.
    std::string text(kMaxTextLength, '"');
    for (std::size_t i = 0; i < text.size(); i += 3)
        text[i] = '\xE9';
    std::string tag(kMaxTagLength, '\n');
    SheetModel sheet;
    sizeGrid(sheet, 3, 3);
    ASSERT_TRUE(sheet.setText(1, 1, text));
    ASSERT_TRUE(sheet.setData(2, 1, "'" + text.substr(1)));
    ASSERT_TRUE(sheet.setTag(1, 1, tag));
    ASSERT_TRUE(sheet.setFormula(3, 1, "LEN(A1)", true));
    EXPECT_FALSE(sheet.setText(1, 2, text + "x"));
    EXPECT_FALSE(sheet.setData(1, 2, text + "x"));
    EXPECT_FALSE(sheet.setValueText(1, 2, text + "x"));
    EXPECT_FALSE(sheet.setTag(1, 2, tag + "x"));
    std::string reason;
    SheetModel back;
    ASSERT_TRUE(back.loadFromText(sheet.saveToText(), "max", &reason)) << reason;
    EXPECT_EQ(back.value(1, 1), Value::text(text));
    EXPECT_EQ(back.value(3, 1), Value::number(static_cast<double>(kMaxTextLength)));
    EXPECT_EQ(back.saveToText(), sheet.saveToText());

    const std::string head = "VTXSHEET 1\nsize 2 2\n";
    EXPECT_FALSE(back.loadFromText(
        head + "cell 1 1 x=\"" + std::string(kMaxTextLength + 1, 'x') + "\"\nend\n", "x", &reason));
    EXPECT_EQ(reason, "x:3: text longer than 32767 characters");
    EXPECT_FALSE(back.loadFromText(
        head + "cell 1 1 g=\"" + std::string(kMaxTagLength + 1, 'x') + "\"\nend\n", "g", &reason));
    EXPECT_EQ(reason, "g:3: tag longer than 1048576 characters");
    EXPECT_FALSE(
        back.loadFromText("VTXSHEET 1\nsize 2 2\nsize 16384 1048576\nend\n", "twice", &reason));
    EXPECT_EQ(reason, "twice:3: \"size\" given twice");
}

TEST(SheetFile, EveryStyleTheModelTakesIsOneTheReaderTakes) {
    // Values a damaged settings file or a careless caller may hand over:
    // the grid keeps them within what its file holds, so the saved grid
    // loads back.
    SheetModel sheet;
    sizeGrid(sheet, 4, 4);
    CellFont font;
    font.height = 2147483647;
    font.name = std::string(kMaxStyleText + 5, 'A');
    ASSERT_TRUE(sheet.setFont(CellRange::cell(1, 1), font));
    font.height = -40;
    ASSERT_TRUE(sheet.setFont(CellRange::cell(2, 1), font));
    CellType type = CellType::edit(5);
    type.maxLength = -3;
    type.decimals = 99;
    type.minimum = -std::numeric_limits<double>::infinity();
    type.maximum = std::numeric_limits<double>::quiet_NaN();
    ASSERT_TRUE(sheet.setCellType(CellRange::cell(3, 1), type));
    EXPECT_EQ(sheet.font(1, 1).height, kMaxFontHeight);
    EXPECT_EQ(sheet.font(1, 1).name.size(), kMaxStyleText);
    EXPECT_EQ(sheet.font(2, 1).height, 0);
    EXPECT_EQ(sheet.cellType(3, 1).maxLength, 0);
    EXPECT_EQ(sheet.cellType(3, 1).decimals, kMaxDecimals);
    EXPECT_EQ(sheet.cellType(3, 1).minimum, CellType().minimum);
    EXPECT_EQ(sheet.cellType(3, 1).maximum, CellType().maximum);
    SheetModel back;
    std::string reason;
    ASSERT_TRUE(back.loadFromText(sheet.saveToText(), "styles", &reason)) << reason;
    EXPECT_EQ(back.saveToText(), sheet.saveToText());
    EXPECT_FALSE(
        back.loadFromText("VTXSHEET 1\nsize 2 2\nstyle 1 size=10001\nend\n", "s", &reason));
}

TEST(SheetFile, AMissingFileFailsWithItsName) {
    SheetModel s;
    std::string reason;
    EXPECT_FALSE(s.load("/nonexistent/folder/x.vxs", &reason));
    EXPECT_NE(reason.find("x.vxs"), std::string::npos) << reason;
}

TEST(SheetFile, AFailedSaveKeepsThePreviousFile) {
    TempDir dir;
    SheetModel a;
    a.setMaxCols(1);
    a.setMaxRows(1);
    a.setData(1, 1, "first");
    std::string path = dir.file("keep.vxs");
    ASSERT_TRUE(a.save(path));
    std::string before = readAll(path);
    // A save into a folder that does not exist fails and touches nothing.
    std::string reason;
    EXPECT_FALSE(a.save(dir.file("missing/keep.vxs"), &reason));
    EXPECT_NE(reason.find("missing"), std::string::npos);
    a.setData(1, 1, "second");
    ASSERT_TRUE(a.save(path));
    EXPECT_NE(readAll(path), before);
    // No temporary file is left beside the target.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

} // namespace vtx::sheet::test
