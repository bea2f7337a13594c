// vtxss apply: applies connection standards to macros of a drawing and
// writes the drawing back.

#include "Cli.h"
#include "Commands.h"

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/Settings.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsSSMapping.h"
#include "standards/StandardsTimers.h"

#include <chrono>
#include <iostream>

namespace {

const char* const kHelp =
    "usage: vtxss apply [--drawing FILE] [--macro NAME | --all] [--standard NAME]\n"
    "                   [--key KEY] [--dry-run] [--out FILE] [--diagnostics] [--quiet]\n"
    "                   [--repeat N] [--lib DIR] [--install DIR]\n"
    "\n"
    "Applies connection standards to macros: the inputs of each standards\n"
    "spreadsheet are read from the macro, its equations evaluated and its outputs\n"
    "written back; then the drawing is written (whole to a temporary file, then\n"
    "renamed). Prints every variable with its section, type, value before and\n"
    "value after as read back from the macro (changed values marked *), and\n"
    "every diagnostic. A mapping key missing from the mapping file, or an output\n"
    "that could not be written, fails the standard; the drawing is then not\n"
    "written.\n"
    "\n"
    "  --drawing FILE   drawing file (default: Drawings\\sample.vtxd of the library)\n"
    "  --macro NAME     the macro to apply to (default: the first of the drawing)\n"
    "  --all            every macro of the drawing\n"
    "  --standard NAME  spreadsheet under \"Connection Standards\\\" (default: the\n"
    "                   standards assigned to the macro)\n"
    "  --key KEY        mapping key for --standard (a mapping-file key, or\n"
    "                   Module.<group>)\n"
    "  --dry-run        show what would change; write nothing\n"
    "  --out FILE       write the drawing to FILE instead of over the input\n"
    "  --diagnostics    show the standards engine's warnings\n"
    "  --quiet          print only the summary line\n"
    "  --repeat N       apply N times (timing of batches); the result is that of\n"
    "                   the last run\n"
    "  --timers         print the time spent in each stage of the evaluations\n"
    "  --lib DIR        library folder (default: $VTX_LIBRARY or the shipped sample)\n"
    "  --install DIR    installation folder (default: $VTX_INSTALL or the sample)\n";

const char* sectionName(const KsVarCell& cell) {
    return cell.isInput() ? "Input" : cell.isOutput() ? "Output" : "Local";
}

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

// Numbers as the macro shows them: without the zeros of a number cell.
std::string shown(const Vtx_String& value, int valueType) {
    double number = 0;
    if (static_cast<KsValueType>(valueType) != KsValueType::String && value.toDouble(number))
        return Vtx_String(number, 7).str();
    return value.str();
}

std::string pad(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

void fillGeneralVariables(const Vtx_Macro& macro, KsDlgStandardsData& data) {
    Vtx_StringArray names;
    macro.getGeneralVariables(names);
    for (const Vtx_String& name : names) {
        double value = 0;
        macro.generalVariableValue(name, value);
        data.genVarNames.append(name);
        data.genVarValues.append(Vtx_String(value, 0, true));
    }
}

struct Job {
    Vtx_String macroName;
    Vtx_StandardAssignment standard;
};

// The value of a variable in a macro of db, read through the mapping the
// run used; "<none>" when it cannot be read.
Vtx_String macroValue(Vtx_Database& db, const Job& job, const KsVarCell& cell,
                      const KsSSMapping& mapping) {
    Vtx_DbMacro* dbMacro = db.findMacro(job.macroName);
    MacroData macroData;
    if (!dbMacro || macroData.initFromMacro(dbMacro) != eOk)
        return Vtx_String("<none>");
    KsDlgStandardsData data;
    data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
    Vtx_String value;
    if (mapping.getMacroVarValue(cell.name, static_cast<KsValueType>(cell.valueType), value,
                                 data) != eOk)
        return Vtx_String("<none>");
    return value;
}

// A standard mapped through a mapping file needs its key there: without it
// nothing is read from or written to the macro.
bool checkMappingKey(const KsDlgStandardsData& data, std::string& error) {
    if (!data.moduleGroupName.isEmpty())
        return true;
    const Vtx_String& key = data.mappingKey;
    KsSSMapping mapping;
    const ErrorStatus es = mapping.getMappingFromFile(data.spreadsheetName, key);
    if (es == eOk)
        return true;
    const std::string file = mappingFilePath(data.spreadsheetName).str();
    error = es == eKeyNotFound
                ? "the mapping file " + file + " holds no key '" + key.str() + "'"
                : "cannot read the mapping file " + file + " (" + errorStatusText(es) + ")";
    return false;
}

// The outputs that could not be written, with their reasons, as one text.
std::string unwrittenText(const KsVarCells& vars) {
    std::string text;
    for (const KsUnwrittenOutput& output : vars.unwrittenOutputs()) {
        if (!text.empty())
            text += ", ";
        text += output.name.str() + " (" + errorStatusText(output.status) + ")";
    }
    return text;
}

void printVariables(Vtx_Database& db, Vtx_Database& original, const Job& job,
                    const KsVarCells& vars) {
    std::cout << "\n"
              << toUtf8(job.macroName.view()) << ": " << toUtf8(job.standard.spreadsheet.view())
              << "  (" << toUtf8(job.standard.mappingKey.view()) << ")\n";
    std::cout << "  " << pad("Variable", 24) << pad("Section", 8) << pad("Type", 8)
              << pad("Before", 16) << "After\n";
    for (int i = 0; i < vars.length(); ++i) {
        const KsVarCell& cell = vars[i];
        // Inputs and outputs as the macro holds them after the run: an output
        // that did not reach the macro shows its old value.
        const bool mapped = !cell.isLocal();
        std::string before =
            mapped ? shown(macroValue(original, job, cell, vars.mapping()), cell.valueType) : "";
        std::string after =
            shown(mapped ? macroValue(db, job, cell, vars.mapping()) : cell.value, cell.valueType);
        bool changed = cell.isOutput() && before != after;
        std::cout << (changed ? "* " : "  ") << toUtf8(pad(cell.name.str(), 24))
                  << pad(sectionName(cell), 8) << pad(typeName(cell.valueType), 8)
                  << toUtf8(pad(before, 16)) << toUtf8(after) << "\n";
    }
}

bool runJob(Vtx_Database& db, Vtx_Database& original, const Job& job, int repeat, bool quiet,
            std::string& error) {
    const std::string what =
        "applying " + job.standard.spreadsheet.str() + " to " + job.macroName.str();
    Vtx_DbMacro* dbMacro = db.findMacro(job.macroName);
    MacroData macroData;
    if (!dbMacro || macroData.initFromMacro(dbMacro) != eOk) {
        error = "cannot read the macro " + job.macroName.str();
        return false;
    }
    KsDlgStandardsData data;
    data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
    if (!checkMappingKey(data, error)) {
        error = what + " failed: " + error;
        return false;
    }
    for (int run = 0; run < repeat; ++run) {
        Vtx_Transaction transaction(&db);
        transaction.start();
        data = KsDlgStandardsData();
        data.initialize(dbMacro, job.standard.spreadsheet, job.standard.mappingKey, &macroData);
        data.transaction = &transaction;
        fillGeneralVariables(*dbMacro->macro(), data);
        if (!StartDlgStandardsSS(data)) {
            transaction.abort();
            error = what + " failed (see the messages above)";
            return false;
        }
        transaction.commit();
    }
    if (!quiet)
        printVariables(db, original, job, data.varCells);
    if (!data.varCells.unwrittenOutputs().isEmpty()) {
        error =
            what + " failed: output(s) not written to the macro: " + unwrittenText(data.varCells);
        return false;
    }
    return true;
}

} // namespace

int runApplyCommand(int argc, char** argv) {
    cli::Args args;
    std::string error;
    if (!args.parse(argc, argv,
                    {"drawing", "macro", "standard", "key", "out", "repeat", "lib", "install"},
                    {"help", "all", "dry-run", "diagnostics", "quiet", "timers"}, error))
        return cli::fail("apply", error);
    if (args.has("help")) {
        std::cout << kHelp;
        return 0;
    }
    if (!args.positional().empty())
        return cli::fail("apply", "unexpected argument '" + args.positional().front() + "'");
    if (!cli::setUpFolders(args, error))
        return cli::fail("apply", error);
    if (args.has("standard") != args.has("key"))
        return cli::fail("apply", "--standard and --key go together");
    if (args.has("all") && args.has("macro"))
        return cli::fail("apply", "--all and --macro exclude each other");
    int repeat = 1;
    if (args.has("repeat") && (!Vtx_String(args.value("repeat")).toInt(repeat) || repeat < 1))
        return cli::fail("apply", "--repeat needs a whole number of at least 1");
    gSettings.current.standardsDiagnostics = args.has("diagnostics");

    const std::string drawingPath =
        cli::resolveLibraryPath(args.value("drawing", "Drawings/sample.vtxd"));
    Vtx_Database db;
    Vtx_Database original;
    Vtx_String reason;
    if (readDrawingFile(drawingPath, db, reason) != eOk ||
        readDrawingFile(drawingPath, original, reason) != eOk)
        return cli::fail("apply", reason.str());
    if (db.macros().empty())
        return cli::fail("apply", "the drawing " + drawingPath + " holds no macro");

    std::vector<Vtx_DbMacro*> macros;
    if (args.has("all")) {
        for (const auto& macro : db.macros())
            macros.push_back(macro.get());
    } else {
        Vtx_DbMacro* macro =
            args.has("macro") ? db.findMacro(args.value("macro")) : db.macros().front().get();
        if (!macro)
            return cli::fail("apply",
                             "no macro named '" + args.value("macro") + "' in " + drawingPath);
        macros.push_back(macro);
    }
    std::vector<Job> jobs;
    for (Vtx_DbMacro* macro : macros) {
        if (args.has("standard")) {
            jobs.push_back({macro->macro()->name(), {args.value("standard"), args.value("key")}});
            continue;
        }
        for (const Vtx_StandardAssignment& standard : macro->macro()->standards())
            jobs.push_back({macro->macro()->name(), standard});
    }
    if (jobs.empty())
        return cli::fail("apply", "no connection standard is assigned to the chosen macro(s); "
                                  "name one with --standard and --key");

    const auto start = std::chrono::steady_clock::now();
    int failed = 0;
    std::string firstError;
    for (const Job& job : jobs) {
        if (!runJob(db, original, job, repeat, args.has("quiet"), error)) {
            ++failed;
            std::cerr << "vtxss apply: " << error << "\n";
            if (firstError.empty())
                firstError = error;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int runs = static_cast<int>(jobs.size()) * repeat;
    std::cout << "\n"
              << jobs.size() - static_cast<std::size_t>(failed) << " of " << jobs.size()
              << " standard(s) applied; " << runs << " evaluation(s) in " << seconds * 1000
              << " ms\n";
    if (args.has("timers")) {
        int count = 0;
        Vtx_Timer* const* timers = standardsTimers(count);
        std::cout << "\nTime per stage (all evaluations, child calls included):\n";
        for (int i = 0; i < count; ++i)
            std::cout << "  " << timers[i]->report().str() << "\n";
    }
    if (failed > 0)
        return cli::fail("apply", std::to_string(failed) + " of " + std::to_string(jobs.size()) +
                                      " evaluation(s) failed; first: " + firstError);
    if (args.has("dry-run")) {
        std::cout << "Dry run: the drawing was not written.\n";
        return 0;
    }
    const std::string out = args.value("out", drawingPath);
    if (writeDrawingFile(out, db, reason) != eOk)
        return cli::fail("apply", reason.str());
    std::cout << "Written: " << out << "\n";
    return 0;
}
