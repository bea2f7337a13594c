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
    /// A mapping file's bytes: the header, then the lines, each ending in CR LF.
    static std::string fileOf(std::initializer_list<std::string> lines) {
        std::string bytes = std::string(kMappingHeader) + "\r\n";
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        return bytes;
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
    EXPECT_EQ(readMap(), fileOf({"K1=" + item("tp", "EndPlate", "Distance Thickness"),
                                 "K2=" + item("w", "", "GenVar gen_Width")}));

    // The same mapping again changes nothing, not even the file's time.
    auto before = std::filesystem::last_write_time(mapPath());
    std::string bytes = readMap();
    ASSERT_EQ(first.setMappingToFile("Endplate", "K1"), eOk);
    EXPECT_EQ(readMap(), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(mapPath()), before);

    // A different mapping under K1 replaces its line, now at the end.
    first.mappedObjectsWrite()[0].subName = "Width";
    ASSERT_EQ(first.setMappingToFile("Endplate", "K1"), eOk);
    EXPECT_EQ(readMap(), fileOf({"K2=" + item("w", "", "GenVar gen_Width"),
                                 "K1=" + item("tp", "EndPlate", "Distance Width")}));

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
    EXPECT_EQ(readMap(), fileOf({"K=" + item("tp", "EndPlate", "Distance Thickness") + kItem +
                                 item("w", "", "GenVar gen_Width")}));
    EXPECT_NE(mapping.setMappingToFile("Endplate", "bad=key"), eOk);
}

// The first object of a name is the one findSSVar gives, so it is the one
// written: never a later object of the name in place of a dropped first.
TEST_F(MappingFile, TheWrittenMappingIsTheOneFindSSVarSees) {
    KsSSMapping mapping;
    auto& objects = mapping.mappedObjectsWrite();
    std::string brokenSub = "Width" + kItem;
    objects.append(makeObject("W", "EndPlate", brokenSub.c_str(), kKindDistance));
    objects.append(makeObject("w", "EndPlate", "Height", kKindDistance));
    objects.append(makeObject("n", "EndPlate", "Rows", kKindPatternNrBolts1));
    objects.append(makeObject("N", "EndPlate", "Weld", kKindDistance));
    objects.append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    ASSERT_EQ(mapping.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_EQ(readMap(), fileOf({"K=" + item("n", "EndPlate", "PatternNrBolts1 Rows") + kItem +
                                 item("tp", "EndPlate", "Distance Thickness")}));

    KsSSMapping stored;
    ASSERT_EQ(stored.getMappingFromFile("Endplate", "K"), eOk);
    int index = -1;
    EXPECT_NE(stored.findSSVar("w", KsValueType::Double, index), eOk)
        << "W's first object could not be stored; the second must not take its place";
    EXPECT_NE(mapping.findSSVar("N", KsValueType::Double, index), eOk)
        << "the first n is a text object, in memory as in the file";
    EXPECT_NE(stored.findSSVar("N", KsValueType::Double, index), eOk);
    ASSERT_EQ(mapping.findSSVar("n", KsValueType::String, index), eOk);
    EXPECT_EQ(index, 2);
    ASSERT_EQ(stored.findSSVar("n", KsValueType::String, index), eOk);
    EXPECT_EQ(stored.mappedObjects()[index].subName, Vtx_String("Rows"));
}

// Writing is skipped only for a mapping equal both ways: one with fewer
// objects (a variable un-mapped) is written. Looking for a stored mapping
// stays one-sided.
TEST_F(MappingFile, AMappingWithFewerObjectsIsWritten) {
    KsSSMapping both;
    both.mappedObjectsWrite().append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    both.mappedObjectsWrite().append(makeObject("w", "", "gen_Width", kKindGenVar));
    ASSERT_EQ(both.setMappingToFile("Endplate", "K"), eOk);
    KsSSMapping one;
    one.mappedObjectsWrite().append(makeObject("tp", "EndPlate", "Thickness", kKindDistance));
    Vtx_String key;
    EXPECT_TRUE(one.hasSameMapping("Endplate", key));
    EXPECT_EQ(key, Vtx_String("K"));

    ASSERT_EQ(one.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_EQ(readMap(), fileOf({"K=" + item("tp", "EndPlate", "Distance Thickness")}));
    KsSSMapping stored;
    ASSERT_EQ(stored.getMappingFromFile("Endplate", "K"), eOk);
    EXPECT_EQ(stored.mappedObjects().length(), 1);
}

TEST_F(MappingFile, EveryLineOfAKeyIsReplaced) {
    writeMap(
        fileOf({"K=" + item("a", "P", "Distance Width"), "L=" + item("b", "P", "Distance Width"),
                "K=" + item("stale", "P", "Distance Height")}));
    KsSSMapping mapping;
    mapping.mappedObjectsWrite().append(makeObject("c", "P", "Weld", kKindDistance));
    ASSERT_EQ(mapping.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_EQ(readMap(), fileOf({"L=" + item("b", "P", "Distance Width"),
                                 "K=" + item("c", "P", "Distance Weld")}));
    KsSSMapping stored;
    ASSERT_EQ(stored.getMappingFromFile("Endplate", "K"), eOk);
    ASSERT_EQ(stored.mappedObjects().length(), 1);
    EXPECT_EQ(stored.mappedObjects()[0].ssVarName, Vtx_String("c"));

    // Even when the first line equals the mapping, the second goes.
    writeMap("K=" + item("c", "P", "Distance Weld") + "\r\n" +
             "K=" + item("stale", "P", "Distance Height") + "\r\n");
    ASSERT_EQ(mapping.setMappingToFile("Endplate", "K"), eOk);
    EXPECT_EQ(readMap(), fileOf({"K=" + item("c", "P", "Distance Weld")}));
}

// A relative spreadsheet name is under the library folder only: a file of
// that name in the working folder, with a mapping file beside it, is not used.
TEST_F(MappingFile, RelativeNamesAreResolvedInTheLibraryOnly) {
    writeMap("K=" + item("library", "P", "Distance Width") + "\r\n");
    const std::filesystem::path work = makeTempDir("vtx-mapping-cwd");
    std::ofstream(work / "Endplate", std::ios::binary) << "stray";
    std::ofstream(work / "Endplate.map", std::ios::binary)
        << "K=" + item("stray", "P", "Distance Width") + "\r\n";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(work);
    KsSSMapping mapping;
    const ErrorStatus read = mapping.getMappingFromFile("Endplate", "K");
    const Vtx_String path = mappingFilePath("Endplate");
    const Vtx_String absolute = mappingFilePath(Vtx_String((work / "Endplate").string()));
    std::filesystem::current_path(before);
    std::filesystem::remove_all(work);

    ASSERT_EQ(read, eOk);
    ASSERT_EQ(mapping.mappedObjects().length(), 1);
    EXPECT_EQ(mapping.mappedObjects()[0].ssVarName, Vtx_String("library"));
    EXPECT_EQ(nativePath(path), mapPath());
    EXPECT_EQ(nativePath(absolute), work / "Endplate.map") << "an absolute path keeps its folder";
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
