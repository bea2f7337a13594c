#pragma once

// What apply and mapping share: the drawing and macro options, reading the
// drawing, choosing the macro and checking a standard's mapping key.

#include "platform/core/MacroModel.h"

#include <string>

namespace CLI {
class App;
}
class KsDlgStandardsData;

namespace cli {

/// --drawing, --macro, --standard and --key.
struct MacroOptions {
    std::string drawing;
    std::string macro;
    std::string standard;
    std::string key;
};
/// Adds the four options; macroHelp describes --macro.
void addMacroOptions(CLI::App& command, MacroOptions& options, const std::string& macroHelp);
/// Misuse unless --standard and --key come together.
void checkStandardAndKey(const MacroOptions& options);

/// The drawing file: --drawing resolved (see libraryFile), by default
/// Drawings/sample.vtxd of the library.
Vtx_String drawingPath(const MacroOptions& options);
/// Reads the drawing; fails with the reader's reason, or when it holds no
/// macro.
void readDrawing(const Vtx_String& path, Vtx_Database& database);
/// The macro named (UTF-8, see moduleText) in the drawing, or its first
/// macro for an empty name; fails when there is none of that name.
Vtx_DbMacro* findMacro(Vtx_Database& database, const std::string& name, const Vtx_String& path);

/// Checks that a standard's mapping key reaches the macro: a "Module."
/// key names a module group the macro has, any other key is in the
/// standard's mapping file. Fails with the reason otherwise.
void checkMappingKey(const KsDlgStandardsData& data);

} // namespace cli
