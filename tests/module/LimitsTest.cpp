// docs/limits.md lists every limit with its value and constant: the values
// written there must be the ones the code enforces, and every limit the
// code names must be listed.

#include "platform/core/DrawingFileFormat.h"
#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"
#include "platform/host/Registry.h"
#include "platform/sheet/CellStyle.h"
#include "platform/sheet/FormulaError.h"
#include "platform/sheet/SheetModel.h"
#include "platform/sheet/functions/DateSerial.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "spread/FromTable.h"
#include "standards/KsStandardsSheet.h"
#include "standards/KsVarCells.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace vtx::sheet;

TEST(Limits, TheDocumentedValuesAreTheEnforcedOnes) {
    const std::map<std::string, double> enforced = {
        {"kMaxFormulaLength", kMaxFormulaLength},
        {"kMaxNesting", kMaxNesting},
        {"kMaxArguments", kMaxArguments},
        {"kMaxTextLength", static_cast<double>(kMaxTextLength)},
        {"kMaxTagLength", static_cast<double>(kMaxTagLength)},
        {"kMaxStyleText", static_cast<double>(kMaxStyleText)},
        {"kMaxFontHeight", kMaxFontHeight},
        {"kMaxDecimals", kMaxDecimals},
        {"kMaxEditLength", kMaxEditLength},
        {"kMaxArrayElements", static_cast<double>(kMaxArrayElements)},
        {"kMaxCols", kMaxCols},
        {"kMaxRows", kMaxRows},
        {"kMaxDateSerial", kMaxDateSerial},
        {"kMaxSheetFile", static_cast<double>(kMaxSheetFile)},
        {"kMaxSheetLine", static_cast<double>(kMaxSheetLine)},
        {"kMaxFileSize", static_cast<double>(kMaxFileSize)},
        {"kMaxLineLength", kMaxLineLength},
        {"kMaxPartListColumns", kMaxPartListColumns},
        {"drawing_file::kMaxNesting", drawing_file::kMaxNesting},
        {"HostRegistry::kMaxFileBytes", static_cast<double>(HostRegistry::kMaxFileBytes)},
        {"HostRegistry::kMaxTextBytes", HostRegistry::kMaxTextBytes},
        {"kMaxChildDepth", kMaxChildDepth},
        {"kFromTableMaxDepth", kFromTableMaxDepth},
        {"kVarCellMaxNumber", kVarCellMaxNumber},
        {"kStringCellMaxLength", kStringCellMaxLength},
    };
    std::ifstream doc(std::string(VTX_TEST_DATA) + "/../../docs/limits.md");
    ASSERT_TRUE(doc) << "docs/limits.md";
    std::map<std::string, double> documented;
    for (std::string line; std::getline(doc, line);) {
        // | what | 1,048,576 bytes | `kMaxFormulaLength` | message |
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(cell);
        if (cells.size() < 5 || cells[3].find('`') == std::string::npos)
            continue;
        const std::string& constant = cells[3];
        const auto open = constant.find('`');
        const std::string name = constant.substr(open + 1, constant.find('`', open + 1) - open - 1);
        std::string digits;
        for (char c : cells[2]) {
            if (c >= '0' && c <= '9')
                digits += c;
            else if (c != ',' && !digits.empty())
                break;
        }
        ASSERT_FALSE(digits.empty()) << line;
        documented[name] = std::stod(digits);
    }
    for (const auto& [name, value] : enforced) {
        ASSERT_TRUE(documented.count(name)) << name << " is not in docs/limits.md";
        EXPECT_EQ(documented[name], value) << name;
    }
    for (const auto& [name, value] : documented)
        EXPECT_TRUE(enforced.count(name)) << name << " is documented but not checked here";
}

} // namespace
