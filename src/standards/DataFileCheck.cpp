// The author's checks of the table files (GETCELL, GETPROFCELL) and size
// files (the tolerance functions) that the standards read.

#include "standards/StandardsCheckParts.h"

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "standards/DataFileText.h"

#include <map>
#include <string>

namespace check {

namespace {

bool readBytes(const Vtx_String& path, std::string& bytes, FileReport& report) {
    Vtx_String reason;
    if (readFileBytes(path, bytes, &reason) == eOk)
        return true;
    report.add(0, "cannot be read: " + reason);
    return false;
}

Vtx_String numberText(double value) {
    return Vtx_String(value, 6);
}

} // namespace

void checkTableFile(const Vtx_String& path, bool numeric, std::vector<CheckProblem>& problems) {
    FileReport report(problems, path);
    std::string bytes;
    if (!readBytes(path, bytes, report))
        return;
    std::map<std::string, int> firstLines; // folded key -> line
    int number = 0;
    datafile::forEachLine(bytes, [&](std::string_view text) {
        ++number;
        const Vtx_StringArray fields = datafile::tableFields(text);
        if (fields.isEmpty())
            return;
        const Vtx_String& key = fields[0];
        auto [first, added] = firstLines.emplace(key.lower().str(), number);
        if (!added)
            report.add(number, "the key '" + key + "' stands twice (first on line " +
                                   Vtx_String::fromInt(first->second) +
                                   "); a look-up finds the first");
        if (fields.length() < 2)
            report.add(number, "the key '" + key + "' has no value (no tab after it)");
        else if (numeric && !isNumber(fields[1]))
            report.add(number, "the value '" + fields[1] + "' of the key '" + key +
                                   "' is no number, and TONUMBER reads it as 0");
    });
}

void checkSizeFile(const Vtx_String& path, std::vector<CheckProblem>& problems) {
    FileReport report(problems, path);
    std::string bytes;
    if (!readBytes(path, bytes, report))
        return;
    // Sizes ascend: the thicknesses through the file, and the widths of
    // each thickness (a line without a thickness belongs to any thickness,
    // and such lines ascend among themselves).
    std::map<double, double> lastWidth; // thickness -> width of its last line
    double lastThickness = 0;
    int number = 0;
    datafile::forEachLine(datafile::withoutSizeComments(bytes), [&](std::string_view text) {
        ++number;
        const Vtx_String line = Vtx_String(text).trimmed();
        if (line.isEmpty())
            return;
        const int x = line.find('x');
        const Vtx_String widthText = x < 0 ? line : line.left(x);
        const Vtx_String thicknessText = x < 0 ? Vtx_String("0") : line.mid(x + 1);
        double width = 0;
        double thickness = 0;
        if (!stripSymbols(widthText).toDouble(width) ||
            !stripSymbols(thicknessText).toDouble(thickness)) {
            report.add(number, "the size '" + line +
                                   "' does not read as a number or as widthxthickness "
                                   "(lower-case x)");
            return;
        }
        if (thickness != 0) {
            if (thickness < lastThickness)
                report.add(number, "the thickness " + numberText(thickness) +
                                       " comes after the thickness " + numberText(lastThickness) +
                                       "; sizes must ascend");
            lastThickness = std::max(lastThickness, thickness);
        }
        auto [last, added] = lastWidth.emplace(thickness, width);
        if (!added) {
            if (width <= last->second)
                report.add(number, "the size " + numberText(width) + " comes after " +
                                       numberText(last->second) +
                                       (thickness != 0 ? " of the same thickness" : "") +
                                       "; sizes must ascend");
            last->second = std::max(last->second, width);
        }
    });
}

} // namespace check
