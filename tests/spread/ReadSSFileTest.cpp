// ReadSSFile and the one-cell evaluation on real sheet files.
#include "spread/ReadSSFile.h"

#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string data(const char* name) {
    return std::string(VTX_TEST_DATA) + "/spread/" + name;
}

class ReadSSFileTest : public ::testing::Test {
protected:
    Host host;
    HostScope scope{host};
    Vtx_String first = "old";
    Vtx_StringArray header{"old"};
    Vtx_Array<Vtx_StringArray> rows;
};

TEST_F(ReadSSFileTest, ReadsFirstCellHeaderAndDataTextsOfEveryRow) {
    rows.append(Vtx_StringArray{"old"});
    ASSERT_TRUE(ReadSSFile(data("bolts.kss"), first, header, rows));
    EXPECT_EQ(first, "M12");
    EXPECT_EQ(header, (Vtx_StringArray{"Size", "HOLE", "Rows", "Tight", "Grade", "Area", "Label"}));
    ASSERT_EQ(rows.length(), 4);
    EXPECT_EQ(rows[1], (Vtx_StringArray{"M16", "17.5", "3", "0", "10.9", "0", "stale"}))
        << "data texts as saved: nothing is recalculated";
    EXPECT_EQ(rows[3][0], "24.5");
    EXPECT_EQ(rows[3][4], "#DIV/0!");
    EXPECT_EQ(host.commandLine().text(), "Loading spreadsheet:" + data("bolts.kss") + "\n");
}

TEST_F(ReadSSFileTest, AHugeDeclaredGridIsReadFromTheCellsThatExist) {
    // 16384 x 1048576 declared; only the cells of the file are visited, and
    // the table ends at its last row and column with a data text.
    ASSERT_TRUE(ReadSSFile(data("huge.kss"), first, header, rows));
    EXPECT_EQ(first, "M12");
    EXPECT_EQ(header, (Vtx_StringArray{"", "Size", "", "Grade"}));
    ASSERT_EQ(rows.length(), 3) << "the far cell has a style and a tag, no data text";
    EXPECT_EQ(rows[0], (Vtx_StringArray{"M12", "", "", ""}));
    EXPECT_EQ(rows[1], (Vtx_StringArray{"", "", "17.5", ""}));
    EXPECT_EQ(rows[2], (Vtx_StringArray{"", "35", "", ""}));
}

TEST_F(ReadSSFileTest, FileThatCannotBeLoadedGivesTheEmptyDialogGrid) {
    for (const char* name : {"damaged.kss", "missing.kss"}) {
        rows.append(Vtx_StringArray{"old"});
        EXPECT_FALSE(ReadSSFile(data(name), first, header, rows)) << name;
        EXPECT_EQ(first, "");
        EXPECT_EQ(header.length(), 8);
        EXPECT_EQ(header.find("", true), 0);
        ASSERT_EQ(rows.length(), 10) << "not 11: the arrays are emptied first";
        for (const Vtx_StringArray& row : rows)
            EXPECT_EQ(row, (Vtx_StringArray{"", "", "", "", "", "", "", ""}));
    }
}

TEST_F(ReadSSFileTest, EvaluatesOneCellOfAFile) {
    Vtx_String text = "old";
    EXPECT_TRUE(evaluateSSCell(data("bolts.kss"), 7, 2, text));
    EXPECT_EQ(text, "M16/10.9");
    EXPECT_TRUE(evaluateSSCell(data("bolts.kss"), 6, 3, text));
    EXPECT_EQ(text, "88");
    EXPECT_FALSE(evaluateSSCell(data("bolts.kss"), 8, 1, text)) << "outside the loaded grid";
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_FALSE(evaluateSSCell(data("missing.kss"), 1, 1, text));
    EXPECT_EQ(text, "");
}

} // namespace
