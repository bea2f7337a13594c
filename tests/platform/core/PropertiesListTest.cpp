#include "platform/core/PropertiesList.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace {

class PropertiesListTest : public testing::Test {
protected:
    CoreTempFolder m_folder;
};

TEST(PropertiesList, ValuesByKeyWithCaseIgnored) {
    Vtx_PropertiesList list;
    EXPECT_EQ(list.setProperty("nrOfControls", 3), eOk);
    EXPECT_EQ(list.setProperty("topLeftX0", 0.25), eOk);
    EXPECT_EQ(list.setProperty("contents0", "Width"), eOk);

    int count = 0;
    double x = 0;
    Vtx_String text;
    EXPECT_EQ(list.getProperty("NROFCONTROLS", count), eOk);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(list.getProperty("topleftx0", x), eOk);
    EXPECT_EQ(x, 0.25);
    EXPECT_EQ(list.getProperty("Contents0", text), eOk);
    EXPECT_EQ(text, "Width");
    EXPECT_EQ(list.getProperty("nrOfControls", text), eOk) << "any value reads as text";
    EXPECT_EQ(text, "3");
    EXPECT_EQ(list.getProperty("missing", text), eKeyNotFound);
}

TEST(PropertiesList, WrongKindOfValueLeavesTheTargetUntouched) {
    Vtx_PropertiesList list;
    list.setProperty("a", "3.5");
    list.setProperty("b", "wide");
    int whole = 7;
    double number = 7;
    EXPECT_EQ(list.getProperty("a", whole), eInvalidInput);
    EXPECT_EQ(whole, 7);
    EXPECT_EQ(list.getProperty("b", number), eInvalidInput);
    EXPECT_EQ(number, 7);
    EXPECT_EQ(list.getProperty("a", number), eOk);
    EXPECT_EQ(number, 3.5);
    EXPECT_EQ(list.setProperty("", 1), eInvalidName);
    EXPECT_EQ(list.setProperty("nan", NAN), eInvalidInput);
    EXPECT_FALSE(list.hasProperty("nan"));
}

TEST(PropertiesList, OrderKeepsFirstPlaceAndSpelling) {
    Vtx_PropertiesList list;
    list.setProperty("b", 1);
    list.setProperty("A", 2);
    list.setProperty("c", 3);
    list.setProperty("a", 20);
    ASSERT_EQ(list.length(), 3);
    EXPECT_EQ(list.keyAt(1), "A");
    EXPECT_EQ(list.valueAt(1), "20");
    EXPECT_EQ(list.removeProperty("B"), eOk);
    EXPECT_EQ(list.removeProperty("B"), eKeyNotFound);
    EXPECT_EQ(list.keyAt(0), "A");
    int c = 0;
    EXPECT_EQ(list.getProperty("C", c), eOk) << "look-up still works after a removal";
    EXPECT_EQ(c, 3);
}

TEST_F(PropertiesListTest, FileLayoutIsOneKeyValueLinePerProperty) {
    Vtx_PropertiesList list;
    list.setProperty("nrOfControls", 1);
    list.setProperty("topLeftX0", 0.1);
    list.setProperty("contents0", "a=b\tc\\d");
    list.setProperty("comboList0", "");
    ASSERT_EQ(list.writeToFile(m_folder.file("design.txt")), eOk);
    EXPECT_EQ(m_folder.get("design.txt"), "VtxProperties version 1\r\n"
                                          "nrOfControls=1\r\n"
                                          "topLeftX0=0.1\r\n"
                                          "contents0=a=b\\tc\\\\d\r\n"
                                          "comboList0=\r\n");
}

TEST_F(PropertiesListTest, EveryKeyAndValueRoundTrips) {
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    Vtx_PropertiesList list;
    const std::vector<std::pair<std::string, std::string>> items = {{"plain", "text"},
                                                                    {"empty", ""},
                                                                    {"blanks", "  both ends  "},
                                                                    {"lines", "a\nb\r\nc"},
                                                                    {"k=with=equals", "v=1"},
                                                                    {"#notAComment", "x"},
                                                                    {" leadingBlank", "y"},
                                                                    {"Gr\xF6\xDF"
                                                                     "e",
                                                                     "\x80\x95\xBF"},
                                                                    {"all", allBytes},
                                                                    {"back\\slash", "\\x41\\n"}};
    for (const auto& [key, value] : items)
        ASSERT_EQ(list.setProperty(Vtx_String(key), Vtx_String(value)), eOk) << key;
    const std::vector<double> doubles = {0.1, 1.0 / 3.0, 1e-300, -2.5e10, 0.1 + 0.2, DBL_MAX};
    for (std::size_t i = 0; i < doubles.size(); ++i)
        list.setProperty(Vtx_String("d" + std::to_string(i)), doubles[i]);

    ASSERT_EQ(list.writeToFile(m_folder.file("all.txt")), eOk);
    Vtx_PropertiesList back;
    Vtx_String reason;
    ASSERT_EQ(back.readFromFile(m_folder.file("all.txt"), &reason), eOk) << reason.c_str();
    EXPECT_TRUE(back == list);
    for (const auto& [key, value] : items) {
        Vtx_String text;
        ASSERT_EQ(back.getProperty(Vtx_String(key), text), eOk) << key;
        EXPECT_EQ(text.str(), value) << key;
    }
    for (std::size_t i = 0; i < doubles.size(); ++i) {
        double value = 0;
        ASSERT_EQ(back.getProperty(Vtx_String("D" + std::to_string(i)), value), eOk);
        EXPECT_EQ(value, doubles[i]) << "doubles come back bit for bit";
    }
}

TEST_F(PropertiesListTest, ReadsAHandWrittenFile) {
    Vtx_PropertiesList list;
    Vtx_String reason;
    ASSERT_EQ(list.readFromFile(VTX_TEST_DATA "/core/properties-handwritten.txt", &reason), eOk)
        << reason.c_str();
    ASSERT_EQ(list.length(), 7);
    Vtx_String text;
    list.getProperty("contents0", text);
    EXPECT_EQ(text, "Gr\xF6\xDF"
                    "e = width\tx")
        << "UTF-8 on disk is Windows-1252 in memory";
    list.getProperty("contents1", text);
    EXPECT_EQ(text, "C:\\Temp\\a\nb");
    double x = 0;
    EXPECT_EQ(list.getProperty("topLeftX0", x), eOk);
    EXPECT_EQ(x, 0.25);
}

TEST_F(PropertiesListTest, BadFilesFailWithFileAndLineAndKeepTheList) {
    struct BadFile {
        std::string content;
        std::string where;
    };
    const std::vector<BadFile> files = {
        {"", "line 1:"},
        {"VtxProperties version 2\r\na=1\r\n", "line 1:"},
        {"VtxProperties version 1\r\na=1\r\nnovalue\r\n", "line 3:"},
        {"VtxProperties version 1\r\n=1\r\n", "line 2:"},
        {"VtxProperties version 1\r\nKey=1\r\n\r\nkey=2\r\n", "line 4:"},
        {"VtxProperties version 1\r\na=\\q\r\n", "line 2:"},
        {"VtxProperties version 1\r\na=\\x4\r\n", "line 2:"},
        {"VtxProperties version 1\r\na=tail\\\r\n", "line 2:"},
        {"VtxProperties version 1\r\na=raw \xE4 byte\r\n", "line 2:"},
    };
    for (const BadFile& bad : files) {
        m_folder.put("bad.txt", bad.content);
        Vtx_PropertiesList list;
        list.setProperty("kept", 1);
        Vtx_String reason;
        EXPECT_EQ(list.readFromFile(m_folder.file("bad.txt"), &reason), eBadFileFormat)
            << bad.content;
        EXPECT_TRUE(reason.hasSubString(m_folder.file("bad.txt") + ": " + Vtx_String(bad.where)))
            << reason.c_str();
        EXPECT_EQ(list.length(), 1);
        EXPECT_TRUE(list.hasProperty("kept"));
    }
    Vtx_PropertiesList list;
    EXPECT_EQ(list.readFromFile(m_folder.file("missing.txt")), eFileNotFound);
}

} // namespace
