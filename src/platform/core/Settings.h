#pragma once

/// Settings of the core library, the current document's data and the
/// numbered language texts.

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"

#include <map>

/// The data the core library keeps per open drawing.
struct VTX_CORE_API Vtx_DocumentData {
    /// Shows the standards engine's warnings when on.
    bool standardsDiagnostics = false;
};

struct VTX_CORE_API Vtx_Settings {
    /// The library folder all named folders are relative to; ends with "\\"
    /// once set.
    Vtx_String libDir;
    /// The installation folder (language texts live in its "Texts\\");
    /// ends with "\\" once set.
    Vtx_String vtxDir;
    /// The work language, e.g. "English".
    Vtx_String workLanguage = "English";
    Vtx_DocumentData current;

    /// Sets libDir, adding the closing "\\" when missing (a closing "/"
    /// becomes "\\"); an empty folder stays empty.
    void setLibDir(const Vtx_String& folder);
    /// Sets vtxDir as setLibDir sets libDir.
    void setVtxDir(const Vtx_String& folder);
};

extern VTX_CORE_API Vtx_Settings gSettings;

/// The current work language (gSettings.workLanguage).
VTX_CORE_API Vtx_String GetCurLanguage();

/// The language whose texts stand in for missing ones.
constexpr const char* kFallbackLanguage = "English";

/// One language's text tables: general texts (string()) and dialog texts
/// (dialString()), each numbered on its own. Layout of the file in
/// docs/language-texts.md.
struct VTX_CORE_API Vtx_LanguageTexts {
    std::map<int, Vtx_String> general;
    std::map<int, Vtx_String> dialog;
};

/// The text file of a language: vtxDir + "Texts\\" + language + ".txt".
/// Empty when the language name is empty or holds a character not allowed
/// in file names (so a language name never reaches outside "Texts\\").
VTX_CORE_API Vtx_String languageTextsPath(const Vtx_String& language);
/// Reads a language-text file into texts (replaced only on success). On
/// failure reason (when given) names the file and, for bad content, the
/// line; eBadFileFormat for bad content, file errors as the line reader.
VTX_CORE_API ErrorStatus readLanguageTexts(const Vtx_String& path, Vtx_LanguageTexts& texts,
                                           Vtx_String* reason = nullptr);

/// General text number n of the work language; when that language's table
/// lacks it (or cannot be read), the English text; when that lacks it too,
/// "#n". Tables are read once and kept until resetLanguageTexts(); they are
/// kept per file, so changing vtxDir or workLanguage takes effect at once.
VTX_CORE_API Vtx_String string(int n);
/// Dialog text number n, looked up as string() looks up general texts.
VTX_CORE_API Vtx_String dialString(int n);
/// Forgets loaded text tables (after the files changed on disk).
VTX_CORE_API void resetLanguageTexts();
/// Why the last text table that failed to load was refused (file and line);
/// empty when every table read so far was good. A missing file of a language
/// other than English is not a problem (its texts fall back to English).
VTX_CORE_API Vtx_String languageTextsProblem();
