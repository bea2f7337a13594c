// vtxss mapping: reads a drawing, lists every mappable object of a macro and
// prints the values of the variables of its stored standards mappings.

#include "Cli.h"
#include "Commands.h"

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSMapping.h"
#include "standards/MappingText.h"

#include <cstdio>
#include <iostream>

namespace {

const char* const kHelp =
    "usage: vtxss mapping [--drawing FILE] [--macro NAME] [--standard NAME --key KEY]\n"
    "                     [--lib DIR] [--install DIR]\n"
    "\n"
    "Reads a drawing, lists every object of a macro that a standards spreadsheet\n"
    "variable can map to (the candidate list), then, for every connection standard\n"
    "assigned to the macro (or the one given with --standard and --key), reads the\n"
    "stored mapping and prints each mapped variable with its value in the macro.\n"
    "\n"
    "  --drawing FILE   drawing file (default: Drawings\\sample.vtxd of the library)\n"
    "  --macro NAME     macro of the drawing (default: the first)\n"
    "  --standard NAME  spreadsheet under \"Connection Standards\\\", without .kss\n"
    "  --key KEY        mapping key of that spreadsheet's mapping file\n"
    "  --lib DIR        library folder (default: $VTX_LIBRARY or the shipped sample)\n"
    "  --install DIR    installation folder (default: $VTX_INSTALL or the sample)\n";

std::string candidateText(const KsObjectMap& object) {
    std::string text = object.objectName.str();
    if (!object.objectName.isEmpty() && !object.subName.isEmpty())
        text += ".";
    text += object.subName.str();
    return text;
}

std::string pad(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

void printCandidates(const KsSSMapping& candidates) {
    std::cout << "Candidates (" << candidates.mappedObjects().length() << "):\n";
    for (const KsObjectMap& object : candidates.mappedObjects()) {
        std::string line = "  " + pad(candidateText(object), 28) + " " +
                           pad(kindWord(object.kind).str(), 20) + " category " +
                           std::to_string(object.category);
        if (!object.caption.isEmpty())
            line += "  (" + object.caption.str() + ")";
        std::cout << toUtf8(line) << "\n";
    }
}

// Prints the mapped variables of one assigned standard; false when its
// mapping cannot be read.
bool printStandard(KsDlgStandardsData& data, std::string& error) {
    std::cout << "\nStandard: " << toUtf8(data.spreadsheetName.view())
              << "  key: " << toUtf8(data.mappingKey.view()) << "\n";
    KsSSMapping mapping;
    if (!data.moduleGroupName.isEmpty()) {
        mapping.initFromModuleGroup(data.moduleGroupName);
        std::cout << "  module-group mode on \"" << toUtf8(data.moduleGroupName.view())
                  << "\": variables are reached by their own names\n";
        return true;
    }
    ErrorStatus es = mapping.initFromMacro(data);
    if (es != eOk) {
        error = "cannot read the mapping under key '" + data.mappingKey.str() + "' from " +
                mappingFilePath(data.spreadsheetName).str() + " (" + errorStatusText(es) + ")";
        return false;
    }
    for (const KsObjectMap& object : mapping.mappedObjects()) {
        KsValueType type = KsValueType::String;
        kindValueType(object.kind, type);
        Vtx_String value;
        ErrorStatus read = mapping.getMacroVarValue(object.ssVarName, type, value, data);
        std::string shown = read == eOk
                                ? value.str()
                                : std::string("<not readable: ") + errorStatusText(read) + ">";
        std::cout << "  " << toUtf8(pad(object.ssVarName.str(), 14)) << " <- "
                  << toUtf8(pad(candidateText(object) + " " + kindWord(object.kind).str(), 40))
                  << " = " << toUtf8(shown) << "\n";
    }
    return true;
}

} // namespace

int runMappingCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv, {"drawing", "macro", "standard", "key", "lib", "install"}, {"help"},
                    error))
        return cli::fail("mapping", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    if (!cli::setUpFolders(args, error))
        return cli::fail("mapping", error);
    if (args.has("standard") != args.has("key"))
        return cli::fail("mapping", "--standard and --key go together");

    std::string drawingPath =
        cli::resolveLibraryPath(args.value("drawing", "Drawings/sample.vtxd"));
    Vtx_Database db;
    Vtx_String reason;
    if (readDrawingFile(drawingPath, db, reason) != eOk)
        return cli::fail("mapping", reason.str());
    if (db.macros().empty())
        return cli::fail("mapping", "the drawing " + drawingPath + " holds no macro");
    Vtx_DbMacro* dbMacro =
        args.has("macro") ? db.findMacro(args.value("macro")) : db.macros().front().get();
    if (!dbMacro)
        return cli::fail("mapping",
                         "no macro named '" + args.value("macro") + "' in " + drawingPath);

    std::cout << "Drawing: " << drawingPath << "\n"
              << "Macro: " << toUtf8(dbMacro->macro()->name().view()) << "\n";
    KsSSMapping candidates;
    Vtx_Transaction transaction(&db);
    candidates.initAllVarsFromMacro(dbMacro, &transaction);
    printCandidates(candidates);

    MacroData macroData;
    if (macroData.initFromMacro(dbMacro) != eOk)
        return cli::fail("mapping", "cannot build the dialog data of the macro");
    std::vector<Vtx_StandardAssignment> standards = dbMacro->macro()->standards();
    if (args.has("standard"))
        standards = {{args.value("standard"), args.value("key")}};
    if (standards.empty())
        std::cout << "\nNo connection standard is assigned to this macro.\n";
    for (const Vtx_StandardAssignment& standard : standards) {
        KsDlgStandardsData data;
        data.initialize(dbMacro, standard.spreadsheet, standard.mappingKey, &macroData);
        data.transaction = &transaction;
        if (!printStandard(data, error))
            return cli::fail("mapping", error);
    }
    return 0;
}
