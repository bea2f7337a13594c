// vtxss sections as a user runs it, on a temporary copy of the sample's
// section tables: list, show, the CSV round trip, .xlsx export, import's
// checks and check over a faulty table.
#include "ToolRun.h"
#include "XlsxReader.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tooltest;
namespace fs = std::filesystem;

namespace {

class SectionsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder.path() / "lib");
        fs::copy(kSample / "library" / "prof", folder.path() / "lib" / "prof",
                 fs::copy_options::recursive);
    }
    ToolResult sections(std::vector<std::string> args) {
        args.insert(args.begin(), "sections");
        args.push_back("--lib");
        args.push_back(lib());
        return runTool(args, folder.path());
    }
    std::string lib() const { return (folder.path() / "lib").string(); }
    fs::path prof(const std::string& file) const { return folder.path() / "lib" / "prof" / file; }
    void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    TempFolder folder;
};

TEST_F(SectionsCommand, ListsAndShowsTheTables) {
    ToolResult run = sections({"list", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json list = nlohmann::json::parse(run.out);
    ASSERT_EQ(list.size(), 7u);
    bool sawUpn = false;
    for (const auto& table : list) {
        EXPECT_GE(table["sections"].get<int>(), 8) << table.dump();
        if (table["table"] == "UPN") {
            sawUpn = true;
            EXPECT_EQ(table["template"], "4");
        }
    }
    EXPECT_TRUE(sawUpn);

    run = sections({"show", "hea"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Table HEA (type 1, 17 sections)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("HEA 200"), std::string::npos) << run.out;

    run = sections({"show", "RHS", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json rhs = nlohmann::json::parse(run.out);
    EXPECT_EQ(rhs["columns"][6], "h");
    EXPECT_EQ(rhs["rows"][0][2], "RHS 50x30x3");

    run = sections({"show", "NOPE"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("NOPE.pr"), std::string::npos) << run.err;
}

TEST_F(SectionsCommand, CsvRoundTripGivesTheSameFileByteForByte) {
    for (const char* name : {"HEA", "L", "FL"}) {
        SCOPED_TRACE(name);
        const std::string before = readFile(prof(std::string(name) + ".pr"));
        const std::string csv = folder.file(std::string(name) + ".csv");
        ToolResult run = sections({"export", name, "--out", csv});
        ASSERT_EQ(run.code, 0) << run.err;
        run = sections({"import", csv, "--table", name});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(readFile(prof(std::string(name) + ".pr")), before);
        // As a new table, with the template given: the same bytes again.
        const std::string templateName = before.substr(12, before.find('\n', 12) - 12);
        fs::remove(prof(std::string(name) + ".pr"));
        run = sections({"import", csv, "--table", name, "--template", templateName});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(readFile(prof(std::string(name) + ".pr")), before);
    }
}

TEST_F(SectionsCommand, ExportsAWorkbook) {
    ToolResult run = sections({"export", "UPN", "-o", folder.file("upn.xlsx")});
    ASSERT_EQ(run.code, 0) << run.err;
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook(folder.file("upn.xlsx"), book, error)) << error;
    EXPECT_EQ(book.sheetName, "UPN");
    ASSERT_NE(book.cell("C2"), nullptr);
    EXPECT_EQ(book.cell("C2")->value, "UPN 80");
}

TEST_F(SectionsCommand, ImportRefusesFaultyFilesAndWritesNothing) {
    const std::string before = readFile(prof("HEA.pr"));
    const std::string csv = folder.file("hea.csv");
    ASSERT_EQ(sections({"export", "HEA", "--out", csv}).code, 0);
    std::string text = readFile(csv);
    const auto replaceFirst = [&](const std::string& what, const std::string& with) {
        std::string changed = text;
        changed.replace(changed.find(what), what.size(), with);
        return changed;
    };
    struct Case {
        std::string csv;
        std::string message;
    };
    const std::vector<Case> cases = {
        {replaceFirst("120,1,", "100,1,"), "used by an earlier row"},
        {replaceFirst(",114,", ",11x4,"), "\"11x4\" is not a number"},
        {replaceFirst("120,1,", "120,yes,"), "not 0 or 1"},
        {replaceFirst("SysName,", "Name,"), "column 1 is \"Name\""},
        {replaceFirst(",114,120,5,8,12,25.3,19.9", ""), "cells; the header"},
        {replaceFirst(",HEA 120,", ",\"HEA 120,"), "line 3: a quote is not closed"},
    };
    for (const Case& c : cases) {
        write(csv, c.csv);
        ToolResult run = sections({"import", csv, "--table", "HEA"});
        EXPECT_EQ(run.code, 1) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(readFile(prof("HEA.pr")), before) << c.message;
    }

    write(csv, text);
    fs::permissions(prof("HEA.pr"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ToolResult run = sections({"import", csv, "--table", "HEA"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("read-only"), std::string::npos) << run.err;
    fs::permissions(prof("HEA.pr"), fs::perms::owner_write, fs::perm_options::add);

    run = sections({"import", csv, "--table", "NEW"});
    EXPECT_EQ(run.code, 2) << "a new table needs its template";
    EXPECT_FALSE(fs::exists(prof("NEW.pr")));
}

TEST_F(SectionsCommand, CheckReportsEveryFaultOfTheFolder) {
    ToolResult run = sections({"check"});
    ASSERT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("7 table(s), no problems"), std::string::npos) << run.out;

    write(prof("BAD.pr"), "vtx-table 1\nT.tpl\n"
                          "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\n"
                          "1\t1\tB 1\tB 1\tB 1\tB 1\t10\n"
                          "1\t2\tB 2\t\tB 2\tB 2\tten\n"
                          "3\t1\tB 3\n");
    write(prof("BROKEN.pr"), "not a table\n");
    run = sections({"check", "--json"});
    EXPECT_EQ(run.code, 1);
    const nlohmann::json report = nlohmann::json::parse(run.out);
    const std::string all = report["problems"].dump();
    for (const char* wanted :
         {"used by an earlier row", "\\\"2\\\", not 0 or 1", "no user name in German",
          "\\\"ten\\\" is not a number", "BAD: row 3 (3): has 3 cells", "BROKEN.pr: line 1"})
        EXPECT_NE(all.find(wanted), std::string::npos) << wanted << " in " << all;
    EXPECT_EQ(report["tables"], 9);

    fs::remove_all(folder.path() / "lib" / "prof");
    run = sections({"list"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no prof folder"), std::string::npos) << run.err;
}

TEST_F(SectionsCommand, RefusesWrongCommandLines) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"frobnicate"},
                                               {"show"},
                                               {"list", "HEA"},
                                               {"show", "HEA", "--out", "x.csv"},
                                               {"export", "HEA"},
                                               {"export", "HEA", "--out", "x.txt"},
                                               {"import", "x.csv"}}) {
        ToolResult run = sections(args);
        EXPECT_EQ(run.code, 2) << args[0] << ": " << run.err;
        EXPECT_EQ(run.errLines(), 1) << run.err;
    }
}

} // namespace
