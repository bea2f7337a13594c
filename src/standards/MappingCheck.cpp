// The author's checks of a standard's mapping file: each line and item read
// as the evaluation reads them, the variables compared with the
// spreadsheet's declarations and, with a drawing, the keys and objects with
// the drawing's macros.

#include "standards/StandardsCheckParts.h"

#include "platform/core/Files.h"
#include "platform/core/MacroModel.h"
#include "platform/core/StringUtils.h"
#include "standards/EvaluationStack.h"
#include "standards/KsObjectMap.h"
#include "standards/KsSSMapping.h"
#include "standards/KsVarCells.h"
#include "standards/MappingText.h"

#include <algorithm>
#include <map>

namespace check {

namespace {

const char* typeName(int valueType) {
    switch (static_cast<KsValueType>(valueType)) {
    case KsValueType::Int:
        return "Int";
    case KsValueType::Double:
        return "Double";
    default:
        return "String";
    }
}

Vtx_String objectName(const KsObjectMap& object) {
    Vtx_String text = object.objectName;
    if (!text.isEmpty() && !object.subName.isEmpty())
        text += ".";
    return text + object.subName + " (" + kindWord(object.kind) + ")";
}

// The macros of the drawing that use the standard whose mapping file is
// mapPath, each with its key.
std::vector<std::pair<Vtx_DbMacro*, Vtx_String>> macrosUsing(const Vtx_String& mapPath,
                                                             Vtx_Database& drawing) {
    std::vector<std::pair<Vtx_DbMacro*, Vtx_String>> users;
    const Vtx_String wanted = evaluation::canonicalSheetPath(mapPath);
    for (const auto& dbMacro : drawing.macros())
        for (const Vtx_StandardAssignment& standard : dbMacro->macro()->standards())
            if (evaluation::canonicalSheetPath(mappingFilePath(standard.spreadsheet))
                    .equal(wanted, false))
                users.emplace_back(dbMacro.get(), standard.mappingKey);
    return users;
}

struct LineCheck {
    const SheetFacts& facts;
    FileReport& report;
    int line = 0;
    Vtx_String key;
    std::vector<const Declaration*> mapped;
};

void checkItem(const Vtx_String& item, LineCheck& check, std::vector<KsObjectMap>& objects) {
    const int separator = item.find(kVarSeparator);
    if (separator < 0) {
        check.report.add(check.line, "the item '" + item +
                                         "' has no separator (byte 0x83) between variable and "
                                         "object; it is skipped");
        return;
    }
    KsObjectMap object;
    const Vtx_String variable = item.left(separator);
    if (object.getMappingFromStrs(variable, item.mid(separator + 1)) != eOk) {
        check.report.add(check.line, "the object of " + variable +
                                         " does not read (no group separator, byte 0x95, or "
                                         "an unknown kind word); it is skipped");
        return;
    }
    const Declaration* declaration = check.facts.find(variable);
    KsValueType kindType = KsValueType::String;
    kindValueType(object.kind, kindType);
    if (!declaration) {
        check.report.add(check.line,
                         "maps " + variable + ", which " + check.facts.path + " does not declare");
    } else if (declaration->valueType != static_cast<int>(kindType)) {
        check.report.add(check.line, "maps the " + Vtx_String(typeName(declaration->valueType)) +
                                         " variable " + variable + " to " + objectName(object) +
                                         ", which holds a " + typeName(static_cast<int>(kindType)) +
                                         "; the evaluation does not find it");
    } else {
        check.mapped.push_back(declaration);
    }
    objects.push_back(object);
}

// Objects that none of the macros offers.
void checkObjects(const std::vector<KsObjectMap>& objects, const std::vector<Vtx_DbMacro*>& macros,
                  const StandardsCheckOptions& options, LineCheck& check) {
    KsSSMapping candidates;
    Vtx_Transaction transaction(options.drawing);
    for (Vtx_DbMacro* dbMacro : macros)
        candidates.initAllVarsFromMacro(dbMacro, &transaction);
    for (const KsObjectMap& object : objects) {
        int index = -1;
        if (candidates.findCompatible(object, index) != eOk)
            check.report.add(check.line, "maps " + object.ssVarName + " to " + objectName(object) +
                                             ", which no macro of " + options.drawingName + " has");
    }
}

} // namespace

void checkMappingFile(const SheetFacts& facts, const StandardsCheckOptions& options,
                      std::vector<CheckProblem>& problems) {
    const Vtx_String path = changeExtension(facts.path, "map");
    std::vector<std::pair<Vtx_DbMacro*, Vtx_String>> users;
    if (options.drawing)
        users = macrosUsing(path, *options.drawing);
    if (!fileExists(path)) {
        FileReport sheetReport(problems, facts.path);
        for (const auto& [dbMacro, key] : users)
            if (!key.startsWith(kModuleKeyPrefix) && !key.isEmpty())
                sheetReport.add(0, "the macro " + dbMacro->macro()->name() + " of " +
                                       options.drawingName + " uses the mapping key " + key +
                                       ", and there is no mapping file " + path);
        return;
    }
    FileReport report(problems, path);
    Vtx_StringArray lines;
    Vtx_String reason;
    if (ObjectExportReadFile(path, lines, &reason) != eOk) {
        report.add(0, "cannot be read: " + reason);
        return;
    }
    std::map<std::string, int> keyLines;
    for (int i = 0; i < lines.length(); ++i) {
        const Vtx_String& text = lines[i];
        if (text.isEmpty() ||
            (i == 0 && text.hasSubString("Mapping") && text.hasSubString("version")))
            continue;
        LineCheck check{facts, report, i + 1, {}, {}};
        const int equals = text.find('=');
        if (equals <= 0) {
            report.add(check.line, "the line has no key before an '='; no macro can use it");
            continue;
        }
        check.key = text.left(equals);
        if (auto [first, added] = keyLines.emplace(check.key.str(), check.line); !added)
            report.add(check.line, "the key " + check.key + " stands twice (first on line " +
                                       Vtx_String::fromInt(first->second) + ")");
        Vtx_StringArray items;
        splitStringAtSymbol(text.mid(equals + 1), kItemSeparator, items, true);
        std::vector<KsObjectMap> objects;
        for (const Vtx_String& item : items)
            checkItem(item, check, objects);
        for (const Declaration& declaration : facts.variables) {
            const bool inOrOut = declaration.section != kCellLocal;
            if (inOrOut && !declaration.name.isEmpty() &&
                std::find(check.mapped.begin(), check.mapped.end(), &declaration) ==
                    check.mapped.end())
                report.add(
                    check.line,
                    Vtx_String(declaration.section == kCellInput ? "the input " : "the output ") +
                        declaration.name + " is not mapped under the key " + check.key);
        }
        if (!options.drawing)
            continue;
        std::vector<Vtx_DbMacro*> macros;
        for (const auto& [dbMacro, key] : users)
            if (key.equal(check.key, true))
                macros.push_back(dbMacro);
        if (macros.empty()) {
            report.add(check.line,
                       "no macro of " + options.drawingName + " uses the key " + check.key);
            for (const auto& dbMacro : options.drawing->macros())
                macros.push_back(dbMacro.get());
        }
        checkObjects(objects, macros, options, check);
    }
    for (const auto& [dbMacro, key] : users)
        if (!key.isEmpty() && !key.startsWith(kModuleKeyPrefix) && !keyLines.count(key.str()))
            report.add(0, "the macro " + dbMacro->macro()->name() + " of " + options.drawingName +
                              " uses the key " + key + ", which the file does not hold");
}

} // namespace check
