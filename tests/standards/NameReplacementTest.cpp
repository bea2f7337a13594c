// Names replaced in the texts of a standards spreadsheet: one rule, the same
// result whatever other names the spreadsheet declares.

#include "standards/NameReplacement.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    Vtx_StringArray names;
    Vtx_StringArray replacements;
    const char* text;
    const char* expected;
};

std::string replaced(const Vtx_StringArray& names, const Vtx_StringArray& replacements,
                     const char* text) {
    Vtx_String out = text;
    NameReplacer(names, replacements).apply(out);
    return out.str();
}

} // namespace

TEST(NameReplacement, WholeWordsWithCaseIgnored) {
    Vtx_String text = "width*2+Width_2+bwidth+WIDTH+\"width\"";
    EXPECT_EQ(replaceWholeWord(text, "Width", "B2"), 3);
    EXPECT_STREQ(text.c_str(), "B2*2+Width_2+bwidth+B2+\"B2\"");
    Vtx_String none = "1+2";
    EXPECT_EQ(NameReplacer({"Width"}, {"B2"}).apply(none), 0);
    EXPECT_STREQ(none.c_str(), "1+2");
    Vtx_String umlaut = "Gr\xF6\xDF"
                        "e+1";
    EXPECT_EQ(NameReplacer({"Gr\xF6\xDF"
                            "e"},
                           {"C3"})
                  .apply(umlaut),
              1);
    EXPECT_STREQ(umlaut.c_str(), "C3+1");
}

// Names go in list order; what one puts in is seen by the later names only.
// A name that is not a plain word ("Plate.Width") must not change the result
// of any other, though it is matched differently.
TEST(NameReplacement, OneRuleWhateverTheOtherNames) {
    const std::vector<Case> cases = {
        {{"Width", "A1"}, {"A1", "B2"}, "Width*2+a1", "B2*2+B2"},
        {{"A1", "Width"}, {"B2", "A1"}, "Width*2+a1", "A1*2+B2"},
        {{"W"}, {"W+1"}, "W*W", "W+1*W+1"},
        {{"W", "w"}, {"A3", "B3"}, "w", "A3"},
        {{"gen_Profile", "gen_Size"},
         {"\"HEA gen_Size\"", "200"},
         "GETSYSNAME(gen_Profile)",
         "GETSYSNAME(\"HEA 200\")"},
        {{"gen_Size", "gen_Profile"},
         {"200", "\"HEA gen_Size\""},
         "gen_Profile",
         "\"HEA gen_Size\""},
        {{"", "Gap"}, {"X", "5"}, "Gap+Gap2", "5+Gap2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(replaced(c.names, c.replacements, c.text), c.expected) << c.text;
        Vtx_StringArray names = c.names;
        Vtx_StringArray replacements = c.replacements;
        names.append("Plate.Width");
        replacements.append("Z9");
        EXPECT_EQ(replaced(names, replacements, c.text), c.expected)
            << c.text << " with Plate.Width";
    }
}

TEST(NameReplacement, NamesWithOtherCharactersGoInListOrderToo) {
    EXPECT_EQ(replaced({"Bolt.Diameter", "gen.Grout"}, {"B4", "30"}, "Bolt.Diameter*12+gen.Grout"),
              "B4*12+30");
    EXPECT_EQ(replaced({"Bolt.Diameter"}, {"B4"}, "xBolt.Diameter+Bolt.Diameter_2"),
              "xBolt.Diameter+Bolt.Diameter_2");
    EXPECT_EQ(replaced({"Bolt", "Bolt.Diameter"}, {"B2", "B4"}, "Bolt.Diameter"), "B2.Diameter")
        << "an earlier name that is a whole word inside a later one goes first";
}
