#include "standards/EvaluationStack.h"

#include "platform/core/Files.h"

#include <filesystem>
#include <string>
#include <unordered_map>

namespace evaluation {

namespace {

Vtx_StringArray& stack() {
    static Vtx_StringArray sheets;
    return sheets;
}

} // namespace

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
