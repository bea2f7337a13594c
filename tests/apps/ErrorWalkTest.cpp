// Every subcommand with its typical mistakes: one line on stderr, "vtxss
// CMD: reason", in words and with native paths, and the exit code (1 the
// work failed, 2 the command line is wrong).
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

using namespace tooltest;

namespace {

struct Mistake {
    const char* what;
    std::vector<std::string> args;
    int code;
    std::string line; ///< the start of the line ("vtxss apply: ") and a part of the reason
    std::string reason;
};

void expectOneLine(const Mistake& mistake, const ToolResult& result) {
    SCOPED_TRACE(mistake.what);
    EXPECT_EQ(result.code, mistake.code) << result.err;
    ASSERT_EQ(result.errLines(), 1) << result.err;
    EXPECT_EQ(result.err.rfind(mistake.line, 0), 0u) << result.err;
    EXPECT_NE(result.err.find(mistake.reason), std::string::npos) << result.err;
    // Paths in native form, no internal status names.
    EXPECT_EQ(result.err.find('\\'), std::string::npos) << result.err;
    EXPECT_FALSE(std::regex_search(result.err, std::regex("\\be[A-Z][a-z]+[A-Z]\\w*")))
        << result.err;
    if (mistake.code == 2) {
        EXPECT_EQ(result.out, "") << "a refused command line does no work";
    }
}

class ErrorWalk : public ::testing::Test {
protected:
    void walk(const std::vector<Mistake>& mistakes) {
        for (const Mistake& mistake : mistakes)
            expectOneLine(mistake, runTool(mistake.args, folder.path()));
    }
    TempFolder folder;
};

TEST_F(ErrorWalk, TopLevel) {
    walk({
        {"no command", {}, 2, "vtxss: ", "give a command: apply, bench, bill"},
        {"unknown command", {"frobnicate"}, 2, "vtxss: ", "unknown command 'frobnicate'"},
        {"unknown option", {"--bogus"}, 2, "vtxss: ", "unknown option '--bogus'"},
    });
}

TEST_F(ErrorWalk, Apply) {
    walk({
        {"missing file",
         {"apply", "--drawing", "missing.vtxd", "--dry-run"},
         1,
         "vtxss apply: ",
         "missing.vtxd: file not found"},
        {"unknown option", {"apply", "--bogus"}, 2, "vtxss apply: ", "unknown option '--bogus'"},
        {"short unknown option", {"apply", "-x"}, 2, "vtxss apply: ", "unknown option '-x'"},
        {"stray argument", {"apply", "extra"}, 2, "vtxss apply: ", "unexpected argument 'extra'"},
        {"half a pair",
         {"apply", "--standard", "X"},
         2,
         "vtxss apply: ",
         "--standard and --key go together"},
        {"bad number",
         {"apply", "--repeat", "0"},
         2,
         "vtxss apply: ",
         "--repeat takes a whole number from 1 to 1000000, not '0'"},
        {"value forgotten",
         {"apply", "--macro", "--all"},
         2,
         "vtxss apply: ",
         "--macro needs a value (got the option '--all')"},
        {"value missing at the end", {"apply", "-o"}, 2, "vtxss apply: ", "--out needs a value"},
        {"repeated option",
         {"apply", "--macro", "EP-1", "--macro", "FP-1"},
         2,
         "vtxss apply: ",
         "--macro is given more than once"},
        {"options that exclude each other",
         {"apply", "--all", "--macro", "EP-1"},
         2,
         "vtxss apply: ",
         "--all and --macro exclude each other"},
        {"dry run with a target",
         {"apply", "--dry-run", "-o", "x.vtxd"},
         2,
         "vtxss apply: ",
         "--dry-run writes nothing"},
        {"unknown macro",
         {"apply", "--macro", "NOPE", "--dry-run"},
         1,
         "vtxss apply: ",
         "no macro named 'NOPE' in "},
        {"standard of another macro",
         {"apply", "--macro", "EP-1", "--standard", "BasePlate\\BP-Column", "--key", "Bp1",
          "--dry-run", "--quiet"},
         1,
         "vtxss apply: ",
         "Connection Standards/BasePlate/BP-Column.map (file not found)"},
    });
}

TEST_F(ErrorWalk, Mapping) {
    walk({
        {"missing file",
         {"mapping", "--drawing", "missing.vtxd"},
         1,
         "vtxss mapping: ",
         "missing.vtxd: file not found"},
        {"unknown option",
         {"mapping", "--bogus"},
         2,
         "vtxss mapping: ",
         "unknown option '--bogus'"},
        {"stray argument",
         {"mapping", "extra"},
         2,
         "vtxss mapping: ",
         "unexpected argument 'extra'"},
        {"half a pair",
         {"mapping", "--key", "K"},
         2,
         "vtxss mapping: ",
         "--standard and --key go together"},
        {"repeated option",
         {"mapping", "--macro", "A", "--macro", "B"},
         2,
         "vtxss mapping: ",
         "--macro is given more than once"},
        {"unknown key",
         {"mapping", "--macro", "EP-1", "--standard", "EndPlate\\EP-Bolted", "--key", "NOPE",
          "--json"},
         1,
         "vtxss mapping: ",
         "EndPlate/EP-Bolted.map holds no key 'NOPE'"},
        {"unknown module group",
         {"mapping", "--macro", "EP-1", "--standard", "EndPlate\\EP-Bolted", "--key", "Module.Nope",
          "--json"},
         1,
         "vtxss mapping: ",
         "the macro EP-1 has no module group 'Nope'"},
    });
}

TEST_F(ErrorWalk, Sheet) {
    walk({
        {"missing file",
         {"sheet", "missing.kss"},
         1,
         "vtxss sheet: ",
         "missing.kss: file not found"},
        {"unknown option", {"sheet", "--bogus"}, 2, "vtxss sheet: ", "unknown option '--bogus'"},
        {"stray argument",
         {"sheet", "a.kss", "b.kss"},
         2,
         "vtxss sheet: ",
         "unexpected argument 'b.kss'"},
        {"no file", {"sheet"}, 2, "vtxss sheet: ", "give one sheet file"},
        {"missing required option",
         {"sheet", "--import", "x.cells"},
         2,
         "vtxss sheet: ",
         "--import needs --out"},
        {"option of the other mode",
         {"sheet", "a.kss", "--apply-changes"},
         2,
         "vtxss sheet: ",
         "--out, --apply-changes, --keep-values and --sheet go with --import"},
        {"option of a workbook with a cell list",
         {"sheet", "--import", "x.cells", "-o", "x.kss", "--keep-values"},
         2,
         "vtxss sheet: ",
         "--keep-values and --sheet go with .xlsx, .ods and .csv files"},
        {"changes with a workbook",
         {"sheet", "--import", "x.XLSX", "-o", "x.kss", "--apply-changes"},
         2,
         "vtxss sheet: ",
         "--apply-changes goes with a cell list (.cells)"},
    });
}

TEST_F(ErrorWalk, Bill) {
    std::ofstream(folder.file("parts.csv")) << "columns,A\nrow,1\n";
    walk({
        {"missing file", {"bill", "missing.csv"}, 1, "vtxss bill: ", "missing.csv: file not found"},
        {"unknown option",
         {"bill", "parts.csv", "--bogus"},
         2,
         "vtxss bill: ",
         "unknown option '--bogus'"},
        {"stray argument",
         {"bill", "parts.csv", "more.csv"},
         2,
         "vtxss bill: ",
         "unexpected argument 'more.csv'"},
        {"no part list", {"bill"}, 2, "vtxss bill: ", "give one part list"},
        {"bad number",
         {"bill", "parts.csv", "--pictures", "--picture-width", "wide"},
         2,
         "vtxss bill: ",
         "--picture-width takes a whole number from 1 to "},
        {"option without its switch",
         {"bill", "parts.csv", "--picture-width", "50"},
         2,
         "vtxss bill: ",
         "--picture-width goes with --pictures"},
        {"bill over its part list",
         {"bill", "parts.csv", "-o", "./parts.csv"},
         2,
         "vtxss bill: ",
         "is the same file as the part list"},
        {"bill with pictures to stdout",
         {"bill", "parts.csv", "--pictures", "-o", "-"},
         2,
         "vtxss bill: ",
         "name the file with --out"},
        {"bill to stdout as JSON",
         {"bill", "parts.csv", "--json", "-o", "-"},
         2,
         "vtxss bill: ",
         "--json and --out - would both write to stdout"},
    });
    EXPECT_EQ(readFile(folder.path() / "parts.csv"), "columns,A\nrow,1\n");
}

TEST_F(ErrorWalk, Export) {
    const std::string sheet = (kTestData / "apps" / "stale.kss").string();
    walk({
        {"missing file",
         {"export", "missing.kss", "-o", "x.csv"},
         1,
         "vtxss export: ",
         "missing.kss: file not found"},
        {"unknown option",
         {"export", sheet, "-o", "x.csv", "--bogus"},
         2,
         "vtxss export: ",
         "unknown option '--bogus'"},
        {"stray argument",
         {"export", sheet, "other.kss", "-o", "x.csv"},
         2,
         "vtxss export: ",
         "unexpected argument 'other.kss'"},
        {"missing required option",
         {"export", sheet},
         2,
         "vtxss export: ",
         "name the file to write with --out"},
        {"bad value",
         {"export", sheet, "-o", "x.csv", "--format", "ods"},
         2,
         "vtxss export: ",
         "unknown format 'ods' (xlsx or csv)"},
        {"unknown extension",
         {"export", sheet, "-o", "x.xls"},
         2,
         "vtxss export: ",
         "cannot tell the format from 'x.xls'"},
        {"option of the other format",
         {"export", sheet, "-o", "x.xlsx", "--raw"},
         2,
         "vtxss export: ",
         "--raw is for CSV"},
        {"target is the input",
         {"export", sheet, "-o", sheet, "--format", "csv"},
         2,
         "vtxss export: ",
         "is the same file as the sheet file"},
        {"two documents on stdout",
         {"export", sheet, "-o", "-", "--json"},
         2,
         "vtxss export: ",
         "--json and --out - would both write to stdout"},
    });
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.csv"));
}

TEST_F(ErrorWalk, Bench) {
    walk({
        {"missing file",
         {"bench", "missing.cells"},
         1,
         "vtxss bench: ",
         "missing.cells: file not found"},
        {"unknown option", {"bench", "--json"}, 2, "vtxss bench: ", "unknown option '--json'"},
        {"stray argument",
         {"bench", "a.cells", "b.cells"},
         2,
         "vtxss bench: ",
         "unexpected argument 'b.cells'"},
        {"no file", {"bench"}, 2, "vtxss bench: ", "give one workload cell list"},
    });
}

TEST_F(ErrorWalk, HelpAndVersionOnEveryCommand) {
    const ToolResult top = runTool({"--help"});
    EXPECT_EQ(top.code, 0);
    EXPECT_TRUE(std::regex_search(top.out, std::regex("apply[^]*bench[^]*bill[^]*export[^]*"
                                                      "mapping[^]*sheet")))
        << top.out;
    EXPECT_EQ(runTool({"help", "bill"}).out, runTool({"bill", "--help"}).out);
    for (const char* command : {"apply", "bench", "bill", "export", "mapping", "sheet"}) {
        SCOPED_TRACE(command);
        for (const char* flag : {"-h", "--help"}) {
            const ToolResult help = runTool({command, flag}, folder.path());
            EXPECT_EQ(help.code, 0);
            EXPECT_EQ(help.err, "");
            EXPECT_EQ(help.out.rfind(std::string("Usage: vtxss ") + command, 0), 0u) << help.out;
        }
        const ToolResult version = runTool({command, "--version"});
        EXPECT_EQ(version.code, 0);
        EXPECT_TRUE(std::regex_match(version.out, std::regex("vtxss [0-9]+\\.[0-9]+\\.[0-9]+\n")))
            << version.out;
    }
    EXPECT_EQ(runTool({"--version"}).out, runTool({"sheet", "--version"}).out);
}

} // namespace
