#include "Drawing.h"

#include "Cli.h"
#include "Options.h"

#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSMapping.h"

namespace cli {

void addMacroOptions(CLI::App& command, MacroOptions& options, const std::string& macroHelp) {
    addValueOption(command, "--drawing", options.drawing, "FILE",
                   "drawing file (default: Drawings/sample.vtxd of the library)");
    addValueOption(command, "--macro", options.macro, "NAME", macroHelp);
    addValueOption(command, "--standard", options.standard, "NAME",
                   "connection-standard spreadsheet under 'Connection Standards/', without "
                   ".kss (default: the standards assigned to the macro); needs --key");
    addValueOption(command, "--key", options.key, "KEY",
                   "mapping key for --standard: a key of its mapping file, or "
                   "Module.<group>");
}

void checkStandardAndKey(const MacroOptions& options) {
    if (options.standard.empty() != options.key.empty())
        misuse("--standard and --key go together");
}

Vtx_String drawingPath(const MacroOptions& options) {
    return libraryFile(options.drawing.empty() ? "Drawings/sample.vtxd" : options.drawing,
                       "--drawing");
}

void readDrawing(const Vtx_String& path, Vtx_Database& database) {
    Vtx_String reason;
    if (readDrawingFile(path, database, reason) != eOk)
        fail(shown(reason));
    if (database.macros().empty())
        fail("the drawing " + shown(path) + " holds no macro");
}

Vtx_DbMacro* findMacro(Vtx_Database& database, const std::string& name, const Vtx_String& path) {
    if (name.empty())
        return database.macros().front().get();
    Vtx_DbMacro* macro = database.findMacro(moduleText(name, "--macro"));
    if (!macro)
        fail("no macro named '" + name + "' in " + shown(path));
    return macro;
}

void checkMappingKey(const KsDlgStandardsData& data) {
    if (!data.moduleGroupName.isEmpty()) {
        Vtx_StringArray modules;
        if (getModNamesOfGroup(data.dbMacro->macro(), data.moduleGroupName, modules) != eOk ||
            modules.isEmpty())
            fail("the macro " + shown(data.dbMacro->macro()->name()) + " has no module group '" +
                 shown(data.moduleGroupName) + "' (key " + shown(data.mappingKey) + ")");
        return;
    }
    KsSSMapping mapping;
    const ErrorStatus status = mapping.getMappingFromFile(data.spreadsheetName, data.mappingKey);
    if (status == eOk)
        return;
    const std::string file = shown(mappingFilePath(data.spreadsheetName));
    if (status == eKeyNotFound)
        fail("the mapping file " + file + " holds no key '" + shown(data.mappingKey) + "'");
    fail("cannot read the mapping file " + file + " (" + errorStatusWords(status) + ")");
}

} // namespace cli
