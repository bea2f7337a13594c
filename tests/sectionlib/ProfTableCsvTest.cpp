// The CSV form of section tables: every 8-bit cell comes back as it went,
// and damaged CSV is refused with its line.

#include "sectionlib/ProfTableCheck.h"

#include <gtest/gtest.h>

TEST(ProfTableCsv, EveryCellComesBackByteForByte) {
    Vtx_Array<Vtx_StringArray> records;
    records.append({"SysName", "I/O", "English"});
    records.append({"a,b", "say \"hi\"", "two\nlines"});
    records.append({"caf\xE9 \x95", "", "tab\there\r\n"});
    records.append({"", "", ""});
    records.append({"trailing", ""});
    const std::string csv = formatCsv(records);
    EXPECT_NE(csv.find("caf\xC3\xA9"), std::string::npos) << "written as UTF-8";
    Vtx_Array<Vtx_StringArray> back;
    std::string reason;
    ASSERT_TRUE(parseCsv(csv, back, reason)) << reason;
    EXPECT_EQ(back, records);
}

TEST(ProfTableCsv, DamagedCsvNamesItsLine) {
    Vtx_Array<Vtx_StringArray> records;
    std::string reason;
    EXPECT_FALSE(parseCsv("a,b\nc,\"d\n", records, reason));
    EXPECT_EQ(reason, "line 2: a quote is not closed");
    EXPECT_FALSE(parseCsv("a,b\nc,d\"e\n", records, reason));
    EXPECT_EQ(reason, "line 2: a quote inside an unquoted field");
    EXPECT_FALSE(parseCsv("a\n\"b\"c\n", records, reason));
    EXPECT_EQ(reason, "line 2: text after a closing quote");
    EXPECT_FALSE(parseCsv("\xF0\x9F\x98\x80\n", records, reason))
        << "a character outside 8-bit text";
    EXPECT_EQ(reason.substr(0, 7), "line 1:");
    ASSERT_TRUE(parseCsv("a,b\r\nc,d", records, reason)) << "no line end after the last";
    EXPECT_EQ(records.length(), 2);
}
