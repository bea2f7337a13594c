// A .csv file as one sheet: the project's CSV reading (sectionlib's
// parseCsv: quoted fields, CR LF or LF), then each field's kind.

#include "Workbook.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/Value.h"
#include "sectionlib/ProfTableCheck.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace cli {

namespace {

// Larger files are refused before they are read whole.
constexpr std::uintmax_t kMaxCsvBytes = 256u << 20;

} // namespace

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool readCsvSheet(const std::string& path, BookSheet& sheet, std::string& reason) {
    sheet = {};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot be read";
        return false;
    }
    in.seekg(0, std::ios::end);
    if (static_cast<std::uintmax_t>(in.tellg()) > kMaxCsvBytes) {
        reason = "is larger than 256 MiB";
        return false;
    }
    in.seekg(0);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3); // a byte order mark some programs write
    Vtx_Array<Vtx_StringArray> records;
    if (!parseCsv(bytes, records, reason))
        return false;
    for (int row = 0; row < records.length(); ++row) {
        const Vtx_StringArray& record = records[row];
        for (int col = 0; col < record.length(); ++col) {
            const std::string& field = record[col].str();
            if (field.empty())
                continue;
            BookCell cell;
            cell.row = row;
            cell.col = col;
            double number = 0;
            if (field.size() > 1 && field.front() == '=') {
                cell.isFormula = true;
                cell.formula = toUtf8(field.substr(1));
            } else if (vtx::sheet::parseNumber(field, number)) {
                cell.value.kind = BookValue::Kind::Number;
                cell.value.number = number;
            } else {
                cell.value.kind = BookValue::Kind::Text;
                cell.value.text = toUtf8(field);
            }
            sheet.cells.push_back(std::move(cell));
        }
    }
    return true;
}

} // namespace cli
