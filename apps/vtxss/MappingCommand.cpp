// vtxss mapping: reads a drawing, lists every mappable object of a macro and
// prints the values of the variables of its stored standards mappings.

#include "Cli.h"
#include "Commands.h"
#include "Drawing.h"
#include "Options.h"
#include "Output.h"

#include "platform/core/MacroData.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSMapping.h"
#include "standards/MappingText.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Reads a drawing, lists every object of a macro that a standards spreadsheet variable can "
    "map to (the candidates), then, for every connection standard assigned to the macro (or the "
    "one given with --standard and --key), reads the stored mapping and prints each mapped "
    "variable with its value in the macro. A key that the mapping file does not hold, or a "
    "Module.<group> key of a group the macro does not have, fails the command.";

struct MappingOptions {
    MacroOptions macro;
    Folders folders;
    bool json = false;
};

std::string objectText(const KsObjectMap& object) {
    std::string text = shown(object.objectName);
    if (!object.objectName.isEmpty() && !object.subName.isEmpty())
        text += ".";
    return text + shown(object.subName);
}

Json candidatesJson(const KsSSMapping& candidates) {
    Json list = Json::array();
    for (const KsObjectMap& object : candidates.mappedObjects())
        list.push_back({{"object", objectText(object)},
                        {"kind", shown(kindWord(object.kind))},
                        {"category", object.category},
                        {"caption", shown(object.caption)}});
    return list;
}

void printCandidates(const Json& candidates) {
    std::cout << "Candidates (" << candidates.size() << "):\n";
    for (const Json& object : candidates) {
        std::cout << "  " << padded(object["object"], 28) << " " << padded(object["kind"], 20)
                  << " category " << object["category"].get<int>();
        if (!object["caption"].get<std::string>().empty())
            std::cout << "  (" << object["caption"].get<std::string>() << ")";
        std::cout << "\n";
    }
}

// The mapped variables of one standard with their values in the macro.
Json standardJson(KsDlgStandardsData& data) {
    checkMappingKey(data);
    Json standard = {{"standard", shown(data.spreadsheetName)},
                     {"key", shown(data.mappingKey)},
                     {"moduleGroup", nullptr},
                     {"variables", Json::array()}};
    if (!data.moduleGroupName.isEmpty()) {
        standard["moduleGroup"] = shown(data.moduleGroupName);
        return standard;
    }
    KsSSMapping mapping;
    if (const ErrorStatus status = mapping.initFromMacro(data); status != eOk)
        fail("cannot read the mapping under key '" + shown(data.mappingKey) + "' from " +
             shown(mappingFilePath(data.spreadsheetName)) + " (" + errorStatusWords(status) + ")");
    for (const KsObjectMap& object : mapping.mappedObjects()) {
        KsValueType type = KsValueType::String;
        kindValueType(object.kind, type);
        Vtx_String value;
        const ErrorStatus read = mapping.getMacroVarValue(object.ssVarName, type, value, data);
        Json variable = {{"name", shown(object.ssVarName)},
                         {"object", objectText(object)},
                         {"kind", shown(kindWord(object.kind))}};
        variable["value"] = read == eOk ? Json(shown(value)) : Json(nullptr);
        if (read != eOk)
            variable["error"] = errorStatusWords(read);
        standard["variables"].push_back(std::move(variable));
    }
    return standard;
}

void printStandard(const Json& standard) {
    std::cout << "\nStandard: " << standard["standard"].get<std::string>()
              << "  key: " << standard["key"].get<std::string>() << "\n";
    if (!standard["moduleGroup"].is_null()) {
        std::cout << "  module-group mode on \"" << standard["moduleGroup"].get<std::string>()
                  << "\": variables are reached by their own names\n";
        return;
    }
    for (const Json& variable : standard["variables"]) {
        const std::string value =
            variable["value"].is_null()
                ? "<not readable: " + variable["error"].get<std::string>() + ">"
                : variable["value"].get<std::string>();
        std::cout << "  " << padded(variable["name"], 14) << " <- "
                  << padded(variable["object"].get<std::string>() + " " +
                                variable["kind"].get<std::string>(),
                            40)
                  << " = " << value << "\n";
    }
}

int runMapping(const MappingOptions& options) {
    checkStandardAndKey(options.macro);
    setUpFolders(options.folders);
    const Vtx_String path = drawingPath(options.macro);
    Vtx_Database db;
    readDrawing(path, db);
    Vtx_DbMacro* dbMacro = findMacro(db, options.macro.macro, path);

    KsSSMapping candidates;
    Vtx_Transaction transaction(&db);
    candidates.initAllVarsFromMacro(dbMacro, &transaction);
    Json report = {{"drawing", shown(path)},
                   {"macro", shown(dbMacro->macro()->name())},
                   {"candidates", candidatesJson(candidates)},
                   {"standards", Json::array()}};
    if (!options.json) {
        std::cout << "Drawing: " << shown(path) << "\nMacro: " << report["macro"].get<std::string>()
                  << "\n";
        printCandidates(report["candidates"]);
    }

    MacroData macroData;
    if (macroData.initFromMacro(dbMacro) != eOk)
        fail("cannot read the macro " + report["macro"].get<std::string>());
    std::vector<Vtx_StandardAssignment> standards = dbMacro->macro()->standards();
    if (!options.macro.standard.empty())
        standards = {{moduleText(options.macro.standard, "--standard"),
                      moduleText(options.macro.key, "--key")}};
    if (standards.empty() && !options.json)
        std::cout << "\nNo connection standard is assigned to this macro.\n";
    for (const Vtx_StandardAssignment& assigned : standards) {
        KsDlgStandardsData data;
        data.initialize(dbMacro, assigned.spreadsheet, assigned.mappingKey, &macroData);
        data.transaction = &transaction;
        Json standard = standardJson(data);
        if (!options.json)
            printStandard(standard);
        report["standards"].push_back(std::move(standard));
    }
    if (options.json)
        printJson(report);
    return kExitOk;
}

} // namespace

Command addMappingCommand(CLI::App& top) {
    auto options = std::make_shared<MappingOptions>();
    CLI::App* app = addCommand(
        top, "mapping", "list a macro's mappable objects and its mapped values", kDescription);
    addMacroOptions(*app, options->macro, "macro of the drawing (default: the first)");
    addSwitch(*app, "--json", options->json, "print one JSON document instead of the lists");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages&) { return runMapping(*options); }};
}

} // namespace cli
