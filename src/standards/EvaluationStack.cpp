#include "standards/EvaluationStack.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace evaluation {

namespace {

Vtx_StringArray& stack() {
    static Vtx_StringArray sheets;
    return sheets;
}

Vtx_String folderOf(const Vtx_String& path) {
    int slash = std::max(path.findLast('\\'), path.findLast('/'));
    return slash < 0 ? Vtx_String() : path.left(slash + 1);
}

} // namespace

bool splitChildCall(const Vtx_String& expression, Vtx_String& file, Vtx_StringArray& variables) {
    const int call = expression.find("CallChild");
    const int open = call < 0 ? -1 : expression.find('(', call);
    const int close = open < 0 ? -1 : expression.find(')', open);
    if (open < 0 || close < 0)
        return false;
    Vtx_StringArray pieces;
    splitStringAtSymbol(expression.mid(open + 1, close - open - 1), ',', pieces, true);
    if (pieces.length() < 2)
        return false;
    file = stripSymbols(pieces[0]);
    if (file.startsWith("\""))
        file = file.mid(1);
    if (file.endsWith("\""))
        file = file.left(file.length() - 1);
    variables.removeAll();
    for (int i = 1; i < pieces.length(); ++i)
        variables.append(stripSymbols(pieces[i]));
    return true;
}

bool resolveChild(const Vtx_String& name, const Vtx_String& callerPath, Vtx_String& path) {
    Vtx_String relative = name.startsWith("\\") ? name.mid(1) : name;
    const Vtx_String standards = gSettings.libDir + "Connection Standards\\";
    const Vtx_String candidates[] = {
        name,
        folderOf(callerPath) + relative,
        standards + name,
        standards + "Childs\\" + name,
        standards + "Data\\" + name,
        standards + "Parents\\" + name,
    };
    for (const Vtx_String& candidate : candidates) {
        if (fileExists(candidate)) {
            path = candidate;
            return true;
        }
    }
    return false;
}

const Vtx_StringArray& activeSheets() {
    return stack();
}

Vtx_String canonicalSheetPath(const Vtx_String& path) {
    // Lexical: "..\\" and "." are resolved without asking the file system, so
    // the check costs no system call per child call. An absolute path always
    // gives the same result, so those are remembered (a relative one depends
    // on the working folder).
    static std::unordered_map<std::string, Vtx_String> known;
    if (auto it = known.find(path.str()); it != known.end())
        return it->second;
    const std::filesystem::path native = nativePath(path);
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(native, ec);
    Vtx_String canonical = corePath((ec ? native : absolute).lexically_normal());
    if (native.is_absolute()) {
        if (known.size() >= 1024)
            known.clear();
        known.emplace(path.str(), canonical);
    }
    return canonical;
}

bool isActive(const Vtx_String& path) {
    return stack().contains(canonicalSheetPath(path), false);
}

Vtx_String describeCycle(const Vtx_String& path) {
    Vtx_String canonical = canonicalSheetPath(path);
    Vtx_String chain;
    bool inCycle = false;
    for (const Vtx_String& sheet : stack()) {
        inCycle = inCycle || sheet.equal(canonical, false);
        if (inCycle)
            chain.append(sheet).append(" -> ");
    }
    return chain + canonical;
}

ActiveSheet::ActiveSheet(const Vtx_String& path) {
    stack().append(canonicalSheetPath(path));
}

ActiveSheet::~ActiveSheet() {
    stack().removeAt(stack().length() - 1);
}

} // namespace evaluation
