// The part-list file that vtxss bill reads: the good fixture in full, and
// one damaged file per way a file can be wrong, each failing with a reason
// that names the file and the line.
#include "platform/core/ListOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kData = std::string(VTX_TEST_DATA) + "/spread/bill/";

// Records the feed as text, one entry per call.
class FeedLog : public Vtx_ListOutputCallback {
public:
    ErrorStatus onStartFeed() override {
        calls.push_back("start");
        return startStatus;
    }
    ErrorStatus onEndFeed() override {
        calls.push_back("end");
        return eOk;
    }
    void onNewPage() override { calls.push_back("page"); }
    void onAddRow(const Vtx_StringArray& texts) override {
        calls.push_back("row " + texts[0].str());
    }
    void onAddSubTotals(const Vtx_StringArray& labels, const Vtx_StringArray&, bool, int) override {
        calls.push_back("subtotal " + labels[1].str());
    }
    void onAddSeperation() override { calls.push_back("separation"); }

    std::vector<std::string> calls;
    ErrorStatus startStatus = eOk;
};

TEST(BillOutputPartList, ReadsColumnsCodesSettingsVariablesAndLines) {
    Vtx_Bill bill;
    Vtx_String reason;
    ASSERT_EQ(readPartList(kData + "hall.csv", bill, &reason), eOk) << reason.str();
    EXPECT_EQ(bill.columnNames, (Vtx_StringArray{"Pos", "Part", "Count", "Length", "Weight"}));
    EXPECT_EQ(bill.rowProperties, (Vtx_Array<int>{3, 3, 1, 1, 2}));
    EXPECT_EQ(bill.settingsName, "BillSet");
    EXPECT_EQ(bill.variableNames, (Vtx_StringArray{"Project", "Customer"}));
    EXPECT_EQ(bill.variableValues[1], "M\xFCller, Steel & Co") << "UTF-8 becomes 8-bit text";
    ASSERT_EQ(bill.entries.length(), 4);
    EXPECT_EQ(bill.entries[1].texts[1], "Plate 10, 200x300");
    EXPECT_EQ(bill.entries[2].texts[1], "IPE 300\ncut at both ends");
    EXPECT_EQ(bill.entries[3].kind, Vtx_BillEntry::SubTotal);
    EXPECT_EQ(bill.partCount(), 3);
    EXPECT_EQ(bill.largestNumber(bill.findColumn("LENGTH")), 6000);
}

TEST(BillOutputPartList, QuotesCrLfAndAByteOrderMark) {
    Vtx_Bill bill;
    ASSERT_EQ(readPartListText("\xEF\xBB\xBF"
                               "columns,A,B\r\nrow,\"say \"\"hi\"\"\",\r\n\r\n"
                               "separation\r\npage",
                               "inline.csv", bill),
              eOk);
    EXPECT_EQ(bill.columnNames[0], "A");
    ASSERT_EQ(bill.entries.length(), 3);
    EXPECT_EQ(bill.entries[0].texts, (Vtx_StringArray{"say \"hi\"", ""}));
    EXPECT_EQ(bill.entries[2].kind, Vtx_BillEntry::NewPage);
}

struct DamagedFile {
    const char* file;
    const char* reason; // what follows the file name
};

class BillOutputDamagedPartList : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(BillOutputDamagedPartList, FailsWithFileAndLine) {
    const std::string path = kData + GetParam().file;
    Vtx_Bill bill;
    bill.settingsName = "kept";
    Vtx_String reason;
    EXPECT_EQ(readPartList(path, bill, &reason), eBadFileFormat);
    EXPECT_EQ(reason.str(), path + ": " + GetParam().reason);
    EXPECT_EQ(bill.settingsName, "kept") << "nothing is replaced on failure";
}

INSTANTIATE_TEST_SUITE_P(
    Files, BillOutputDamagedPartList,
    ::testing::Values(
        DamagedFile{"unclosed-quote.csv", "line 2: a quoted field is not closed"},
        DamagedFile{"bad-code.csv", "line 2: code 2 \"three\" is not a whole number"},
        DamagedFile{"row-before-columns.csv", "line 2: a row before the columns"},
        DamagedFile{"unknown-record.csv",
                    "line 3: unknown record \"parts\" (columns, codes, settings, variable, row, "
                    "subtotal, separation, page)"},
        DamagedFile{"text-after-quote.csv", "line 2: text after a closing quote"},
        DamagedFile{"not-utf8.csv",
                    "line 2: field 2 is not UTF-8 text of the Windows-1252 characters"},
        DamagedFile{"no-columns.csv", "no columns record"}),
    [](const ::testing::TestParamInfo<DamagedFile>& param) {
        std::string name = param.param.file;
        name = name.substr(0, name.find('.'));
        std::erase(name, '-');
        return name;
    });

TEST(BillOutputPartList, AMissingFileIsNamed) {
    Vtx_Bill bill;
    Vtx_String reason;
    EXPECT_EQ(readPartList(kData + "absent.csv", bill, &reason), eFileNotFound);
    EXPECT_TRUE(reason.hasSubString("absent.csv"));
}

TEST(BillOutputPartList, TooManyColumnsAreRefused) {
    std::string text = "columns,A\nrow";
    for (int i = 0; i <= kMaxPartListColumns; ++i)
        text += ",x";
    Vtx_Bill bill;
    Vtx_String reason;
    EXPECT_EQ(readPartListText(text, "wide.csv", bill, &reason), eBadFileFormat);
    EXPECT_EQ(reason, "wide.csv: line 2: more than 16384 columns");
}

TEST(BillOutputPartList, TheProducerFeedsEveryLineInOrder) {
    Vtx_Bill bill;
    ASSERT_EQ(readPartListText("columns,A,B\nrow,1\nsubtotal,,Sum\nseparation\npage\nrow,2\n",
                               "feed.csv", bill),
              eOk);
    FeedLog log;
    EXPECT_EQ(produceList(bill, log), eOk);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"start", "row 1", "subtotal Sum", "separation",
                                                   "page", "row 2", "end"}));
    FeedLog refusing;
    refusing.startStatus = eUserCancelled;
    EXPECT_EQ(produceList(bill, refusing), eUserCancelled);
    EXPECT_EQ(refusing.calls, std::vector<std::string>{"start"}) << "a refused start ends the feed";
}

} // namespace
