// Adding picked drawings to a general variable's filter.
#include "standards/GenVarFilters.h"

#include "platform/core/Settings.h"

#include <gtest/gtest.h>

namespace {

TEST(GenVarFilters, PathsBelowTheFolderAreAppendedRelativeOthersDropped) {
    const Vtx_String folder = "C:\\Lib\\Macros\\";
    EXPECT_EQ(appendToFilter("Hall A",
                             {"C:\\Lib\\Macros\\Sub\\b.vtxd", "D:\\x.vtxd", "c:/lib/MACROS/c.vtxd"},
                             folder),
              "Hall A;Sub\\b.vtxd;c.vtxd");
    EXPECT_EQ(appendToFilter("", {"C:\\Lib\\Macros\\a.vtxd"}, folder), "a.vtxd");
    EXPECT_EQ(appendToFilter("a.vtxd;", {"C:\\Lib\\Macros\\b.vtxd"}, folder), "a.vtxd;b.vtxd")
        << "no empty entry after a closing \";\"";
}

TEST(GenVarFilters, NothingUsableLeavesTheFilterAsItWas) {
    const Vtx_String folder = "/lib\\Macros";
    EXPECT_EQ(appendToFilter("A.vtxd", {"/lib/Macros/a.vtxd"}, folder), "A.vtxd")
        << "already in the filter (case ignored)";
    EXPECT_EQ(appendToFilter("x", {"/lib/Macros/", "/lib/Macrosx/a.vtxd", "/lib/a.vtxd"}, folder),
              "x")
        << "the folder itself, a sibling with a longer name, a file above it";
    EXPECT_EQ(appendToFilter("x", {"/lib/Macros/Hall B/"}, folder), "x;Hall B")
        << "a folder loses its closing separator";
    EXPECT_EQ(appendToFilter("x", {"/a.vtxd"}, ""), "x") << "no folder: nothing is below it";
}

TEST(GenVarFilters, PickerLooksInTheMacrosFolderOfTheLibrary) {
    const Vtx_String saved = gSettings.libDir;
    gSettings.setLibDir("/data/library");
    EXPECT_EQ(macrosFolder(), "/data/library\\Macros\\");
    gSettings.libDir = saved;
}

} // namespace
