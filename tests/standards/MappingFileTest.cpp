#include "MacroFixture.h"

#include "platform/core/Files.h"
#include "standards/KsSSMapping.h"
#include "standards/MappingText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string kObj(1, kObjectSeparator);
const std::string kVar(1, kVarSeparator);
const std::string kItem(1, kItemSeparator);

KsObjectMap makeObject(const char* var, const char* group, const char* sub, int kind) {
    KsObjectMap object;
    object.ssVarName = var;
    object.objectName = group;
    object.subName = sub;
    object.kind = kind;
    return object;
}

class MappingFile : public MacroFixture {
protected:
    std::filesystem::path mapPath() const {
        return libDir / "Connection Standards" / "Endplate.map";
    }
    void writeMap(const std::string& bytes) {
        std::ofstream out(mapPath(), std::ios::binary);
        out << bytes;
    }
    std::string readMap() const {
        std::ifstream in(mapPath(), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    static std::string item(const char* var, const char* group, const char* rest) {
        return std::string(var) + kVar + group + kObj + rest;
    }
};

} // namespace

TEST_F(MappingFile, LineReadingSkipsItemsWithoutSeparatorOrKind) {
    KsSSMapping mapping;
    std::string line = "K=" + item("tp", "EndPlate", "Distance Thickness") + kItem + "noSeparator" +
                       kItem + item("x", "G", "Bogus y") + kItem + kItem +
                       item("g", "", "GenVar gen_Width");
    ASSERT_EQ(mapping.initMappingFromLine(line), eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 2);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVarName, Vtx_String("tp"));
    EXPECT_EQ(mapping.mappedObjects()[1].kind, kKindGenVar);
    EXPECT_NE(mapping.initMappingFromLine("no equals sign"), eOk);
    EXPECT_TRUE(mapping.mappedObjects().isEmpty()) << "the objects are emptied first";
}

TEST_F(MappingFile, ReadsTheLineOfTheKeyCaseSensitively) {
    writeMap(std::string(kMappingHeader) + "\r\n" + "abc=" + item("a", "P", "Distance Width") +
             "\r\n" + "ABC=" + item("b", "P", "Distance Height") + "\r\n");
    KsSSMapping mapping;
    ASSERT_EQ(mapping.getMappingFromFile("Endplate", "ABC"), eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 1);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVarName, Vtx_String("b"));
    EXPECT_EQ(mapping.getMappingFromFile("Endplate", "Abc"), eKeyNotFound);
    EXPECT_NE(mapping.getMappingFromFile("Missing", "ABC"), eOk);
}

// A line is parsed once per version of the file; a rewritten file is read
// again, and what one reader gets never leaks into another's result.
TEST_F(MappingFile, ARewrittenFileIsParsedAgain) {
    writeMap("K=" + item("a", "P", "Distance Width") + "\r\n");
    KsSSMapping first;
    ASSERT_EQ(first.getMappingFromFile("Endplate", "K"), eOk);
    first.mappedObjectsWrite().append(makeObject("extra", "P", "T", kKindDistance));
    KsSSMapping second;
    ASSERT_EQ(second.getMappingFromFile("Endplate", "K"), eOk);
    ASSERT_EQ(second.mappedObjects().length(), 1);
    EXPECT_EQ(second.getMappingFromFile("Endplate", "Other"), eKeyNotFound);
    EXPECT_EQ(second.getMappingFromFile("Endplate", "Other"), eKeyNotFound);

    const auto before = std::filesystem::last_write_time(mapPath());
    writeMap("K=" + item("b", "P", "Distance Width") + kItem + item("c", "P", "Distance Height") +
             "\r\n");
    std::filesystem::last_write_time(mapPath(), before + std::chrono::seconds(2));
    KsSSMapping third;
    ASSERT_EQ(third.getMappingFromFile("Endplate", "K"), eOk);
    ASSERT_EQ(third.mappedObjects().length(), 2);
    EXPECT_EQ(third.mappedObjects()[0].ssVarName, Vtx_String("b"));
}

TEST_F(MappingFile, HeaderOnlyFileKeepsThePreviousObjects) {
    writeMap(std::string(kMappingHeader) + "\r\n");
    KsSSMapping mapping;
    mapping.mappedObjectsWrite().append(makeObject("tp", "P", "T", kKindDistance));
    EXPECT_EQ(mapping.getMappingFromFile("Endplate", "any"), eOk);
    EXPECT_EQ(mapping.mappedObjects().length(), 1);
}

TEST_F(MappingFile, WritingKeepsOtherLinesAndMovesTheKeyToTheEnd) {
    KsSSMapping first;
    first.mappedObjectsWrite().append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    ASSERT_EQ(first.setMappingToFile("Endplate", "K1"), eOk);
    KsSSMapping second;
    second.mappedObjectsWrite().append(makeObject("w", "", "gen_Width", kKindGenVar));
    ASSERT_EQ(second.setMappingToFile("Endplate", "K2"), eOk);
    EXPECT_EQ(readMap(), std::string(kMappingHeader) + "\r\n" +
                             "K1=" + item("tp", "EndPlate", "Distance Thickness") + "\r\n" +
                             "K2=" + item("w", "", "GenVar gen_Width") + "\r\n");

    // The same mapping again changes nothing, not even the file's time.
    auto before = std::filesystem::last_write_time(mapPath());
    std::string bytes = readMap();
    ASSERT_EQ(first.setMappingToFile("Endplate", "K1"), eOk);
    EXPECT_EQ(readMap(), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(mapPath()), before);

    // A different mapping under K1 replaces its line, now at the end.
    first.mappedObjectsWrite()[0].subName = "Width";
    ASSERT_EQ(first.setMappingToFile("Endplate", "K1"), eOk);
    EXPECT_EQ(readMap(), std::string(kMappingHeader) + "\r\n" +
                             "K2=" + item("w", "", "GenVar gen_Width") + "\r\n" +
                             "K1=" + item("tp", "EndPlate", "Distance Width") + "\r\n");

    Vtx_String key;
    EXPECT_TRUE(second.hasSameMapping("Endplate", key));
    EXPECT_EQ(key, Vtx_String("K2"));
    KsSSMapping unknown;
    unknown.mappedObjectsWrite().append(makeObject("q", "X", "Y", kKindDistance));
    EXPECT_FALSE(unknown.hasSameMapping("Endplate", key));
}

TEST_F(MappingFile, WritingDropsDuplicatesInvalidNamesAndLineBreakers) {
    KsSSMapping mapping;
    mapping.mappedObjectsWrite().append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    mapping.mappedObjectsWrite().append(makeObject("TP", "EndPlate", "Width", kKindDistance));
    mapping.mappedObjectsWrite().append(makeObject("a/b", "EndPlate", "Width", kKindDistance));
    mapping.mappedObjectsWrite().append(makeObject("none", "EndPlate", "Width", kKindNone));
    std::string badName = "x" + kItem;
    mapping.mappedObjectsWrite().append(
        makeObject(badName.c_str(), "EndPlate", "Width", kKindDistance));
    mapping.mappedObjectsWrite().append(makeObject("w", "", "gen_Width", kKindGenVar));
    ASSERT_EQ(mapping.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_EQ(readMap(), std::string(kMappingHeader) + "\r\n" +
                             "K=" + item("tp", "EndPlate", "Distance Thickness") + kItem +
                             item("w", "", "GenVar gen_Width") + "\r\n");
    EXPECT_NE(mapping.setMappingToFile("Endplate", "bad=key"), eOk);
}

TEST_F(MappingFile, AnUnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directories(mapPath()); // a folder where the file should be
    KsSSMapping mapping;
    mapping.mappedObjectsWrite().append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    EXPECT_NE(mapping.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_TRUE(std::filesystem::is_directory(mapPath()));
}

TEST(KsSSMappingCompare, EqualityIsOneSided) {
    KsSSMapping small;
    small.mappedObjectsWrite().append(makeObject("tp", "P", "T", kKindDistance));
    KsSSMapping large = small;
    large.mappedObjectsWrite().append(makeObject("w", "", "gen_W", kKindGenVar));
    EXPECT_TRUE(small.isEqual(large));
    EXPECT_FALSE(large.isEqual(small));
    EXPECT_TRUE(KsSSMapping().isEqual(small));

    // Same name but another value type is not found.
    KsSSMapping typed;
    typed.mappedObjectsWrite().append(makeObject("tp", "P", "T", kKindPrPlName));
    EXPECT_FALSE(small.isEqual(typed));

    int count = -1;
    EXPECT_EQ(large.isCompatible(small, count), eOk);
    EXPECT_EQ(count, 1);
    int index = -1;
    EXPECT_EQ(large.findSSVar("W", KsValueType::Double, index), eOk);
    EXPECT_EQ(index, 1);
    EXPECT_NE(large.findSSVar("w", KsValueType::String, index), eOk);
    EXPECT_EQ(large.findSSVar("tp", KsValueType::Int, index), eOk)
        << "an Int variable mapped to a Distance must still be found";
}

TEST(KsSSMappingCompare, ValidVarsAndSortedBuckets) {
    KsSSMapping mapping;
    auto& objects = mapping.mappedObjectsWrite();
    objects.append(makeObject("a", "P", "A", kKindDistance));
    objects.last().category = 1;
    objects.append(makeObject("b", "P", "B", kKindDistance));
    objects.last().category = 3;
    objects.append(makeObject("c", "P", "C", kKindDistance));
    objects.last().category = 0;
    objects.append(makeObject("d", "P", "D", kKindPatternNrBolts1));
    objects.append(makeObject("e", "P", "E", kKindPatternReverseStart1));

    Vtx_Array<int> indices;
    ASSERT_EQ(mapping.getValidVars(true, KsValueType::Int, indices), eOk);
    EXPECT_EQ(indices.items(), (std::vector<int>{0, 1, 2, 4}));
    ASSERT_EQ(mapping.getValidVars(false, KsValueType::String, indices), eOk);
    EXPECT_EQ(indices.items(), (std::vector<int>{3}));

    indices = Vtx_Array<int>{0, 1, 2};
    ASSERT_EQ(mapping.sortValidVars(indices, Vtx_Array<int>{0, 1}), eOk);
    EXPECT_EQ(indices.items(), (std::vector<int>{-1, 2, -1, 0, 1}));

    indices = Vtx_Array<int>{0};
    ASSERT_EQ(mapping.sortValidVars(indices, Vtx_Array<int>{0, 3, 1}), eOk);
    EXPECT_EQ(indices.items(), (std::vector<int>{-1, -1, -1, 0})) << "empty buckets keep markers";

    EXPECT_NE(mapping.sortValidVars(indices, Vtx_Array<int>{}), eOk);
    EXPECT_TRUE(indices.isEmpty());
}
