// vtxss export as a user runs it: the format from the target's name or
// --format, and the refusals.
#include "XlsxReader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

int runExportCommand(int argc, char** argv);

namespace fs = std::filesystem;

namespace {

const fs::path kBill = fs::path(VTX_TEST_DATA) / "spread" / "export" / "bill.kss";

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0;; ++i) {
            folder = fs::temp_directory_path() /
                     ("vtx_exportcmd_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(folder))
                break;
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    int run(std::initializer_list<std::string> arguments) {
        std::vector<std::string> texts(arguments);
        std::vector<char*> argv;
        for (auto& text : texts)
            argv.push_back(text.data());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = runExportCommand(static_cast<int>(argv.size()), argv.data());
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return code;
    }
    std::string target(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
    std::string out, err;
};

TEST_F(ExportCommand, WritesTheFormatOfTheTargetsExtension) {
    ASSERT_EQ(run({kBill.string(), "--out", target("bill.xlsx")}), 0) << err;
    EXPECT_NE(out.find("6 rows, 5 columns"), std::string::npos) << out;
    EXPECT_NE(err.find("warning: A5: picture not found"), std::string::npos) << err;
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook(target("bill.xlsx"), book, error)) << error;
    EXPECT_EQ(book.cell("A2")->value, "P1");

    ASSERT_EQ(run({kBill.string(), "--out", target("bill.csv"), "--no-headers"}), 0) << err;
    std::ifstream csv(target("bill.csv"), std::ios::binary);
    std::string first;
    std::getline(csv, first);
    EXPECT_EQ(first, "P1,\"Plate, 10 \"\"thick\"\" \xC3\xA9\",\"1,234.50\",,#DIV/0!\r");
}

TEST_F(ExportCommand, ASheetNamedWithoutAFolderFindsThePicturesBesideIt) {
    // As the README runs it: the sheet in the current folder, named alone,
    // with library and installation folders that hold no pictures.
    fs::create_directories(folder / "work" / "Pictures");
    fs::create_directories(folder / "lib");
    fs::create_directories(folder / "install");
    fs::copy_file(kBill, folder / "work" / "bill.kss");
    fs::copy(kBill.parent_path() / "Pictures", folder / "work" / "Pictures");
    const fs::path before = fs::current_path();
    fs::current_path(folder / "work");
    const int code = run(
        {"bill.kss", "--out", "bill.xlsx", "--lib", target("lib"), "--install", target("install")});
    fs::current_path(before);
    ASSERT_EQ(code, 0) << err;
    EXPECT_NE(out.find(", 1 pictures)"), std::string::npos) << out;
    EXPECT_EQ(err.find("beam1.bmp"), std::string::npos) << err;
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook((folder / "work" / "bill.xlsx").string(), book, error))
        << error;
    EXPECT_EQ(book.pictures.size(), 1u);
}

TEST_F(ExportCommand, FormatOptionOverridesTheExtension) {
    ASSERT_EQ(run({kBill.string(), "--out", target("bill.txt"), "--format", "csv"}), 0) << err;
    std::ifstream csv(target("bill.txt"), std::ios::binary);
    std::string first;
    std::getline(csv, first);
    EXPECT_EQ(first, "Item,Description,Weight,,\r");
}

TEST_F(ExportCommand, RefusesWithOneLineAndWritesNothing) {
    EXPECT_NE(run({kBill.string(), "--out", target("bill.xls")}), 0);
    EXPECT_NE(err.find("cannot tell the format"), std::string::npos) << err;
    EXPECT_NE(run({kBill.string(), "--out", target("bill.csv"), "--format", "ods"}), 0);
    EXPECT_NE(run({kBill.string()}), 0);
    EXPECT_NE(run({target("missing.kss"), "--out", target("x.csv")}), 0);
    EXPECT_NE(err.find("missing.kss"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

    // The sheet file itself is never the target.
    fs::copy_file(kBill, folder / "own.kss");
    EXPECT_NE(run({target("own.kss"), "--out", target("own.kss"), "--format", "csv"}), 0);
    EXPECT_EQ(fs::file_size(folder / "own.kss"), fs::file_size(kBill));
    EXPECT_FALSE(fs::exists(folder / "x.csv"));
    EXPECT_FALSE(fs::exists(folder / "bill.xls"));
}

} // namespace
