// Reading and writing drawing files (docs/drawing-format.md).

#include "platform/core/DrawingFileFormat.h"
#include "platform/core/Files.h"

#include <cmath>

using drawing_file::Json;

namespace {

struct WriteError {
    std::string message;
};

Json textValue(const Vtx_String& text) {
    return Json(toUtf8(text.view()));
}

/// Whole numbers are written without a fraction ("15", not "15.0"); both
/// read back to the same double.
Json numberValue(double value) {
    constexpr double kExactLimit = 9007199254740992.0; // 2^53
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < kExactLimit &&
        !(value == 0 && std::signbit(value)))
        return Json(static_cast<std::int64_t>(value));
    if (!std::isfinite(value))
        throw WriteError{"a number is not finite"};
    return Json(value);
}

std::int64_t ownHandle(const Vtx_Database& database, const Vtx_ObjectId& id, bool pattern) {
    const bool known =
        id.database() == &database && (pattern ? database.patterns().count(id.handle()) != 0
                                               : database.profiles().count(id.handle()) != 0);
    if (!known)
        throw WriteError{std::string("a reference to a ") + (pattern ? "bolt pattern" : "profile") +
                         " that is not in the drawing (handle " + std::to_string(id.handle()) +
                         ")"};
    return id.handle();
}

Json moduleJson(const Vtx_Database& database, const Vtx_Module& module) {
    Json json = Json::object();
    json["kind"] = drawing_file::moduleKindName(module.kind());
    json["name"] = textValue(module.name());
    json["group"] = textValue(module.groupName());
    Json variables = Json::array();
    for (const Vtx_DialogVariable& variable : module.variables()) {
        variables.push_back(Json{{"name", textValue(variable.name)},
                                 {"value", numberValue(variable.value)},
                                 {"visible", variable.visible},
                                 {"driving", variable.driving},
                                 {"hasFlexFix", variable.hasFlexFix},
                                 {"fixed", variable.fixed}});
    }
    json["variables"] = std::move(variables);
    Json cuts = Json::array();
    for (const Vtx_CutConstraint& cut : module.cuts()) {
        const char* type = drawing_file::cutTypeName(cut.cutType);
        if (type == nullptr)
            throw WriteError{"cut \"" + cut.name.str() + "\" has an unknown cut type"};
        Vtx_Array<int> offered;
        getCutOffsets(cut.cutType, offered);
        Json offsets = Json::object();
        for (int offset : offered)
            offsets[drawing_file::offsetName(offset)] = numberValue(cut.offsets[offset]);
        cuts.push_back(
            Json{{"name", textValue(cut.name)}, {"type", type}, {"offsets", std::move(offsets)}});
    }
    json["cuts"] = std::move(cuts);
    if (const auto* bolts = dynamic_cast<const Vtx_BoltModule*>(&module)) {
        const Vtx_BoltData& data = bolts->boltData();
        json["boltData"] = Json{{"assembly", textValue(data.assembly)},
                                {"diameter", textValue(data.diameter)},
                                {"holeOffset", textValue(data.holeOffset)},
                                {"penetration", textValue(data.penetration)},
                                {"addedLength", textValue(data.addedLength)}};
        Json patterns = Json::array();
        for (const Vtx_ObjectId& id : bolts->patternIds())
            patterns.push_back(ownHandle(database, id, true));
        json["patterns"] = std::move(patterns);
    }
    if (const auto* profiles = dynamic_cast<const Vtx_ProfModule*>(&module)) {
        Json placements = Json::array();
        for (const Vtx_ProfPlacement& placement : profiles->profArray()) {
            Json item{{"name", textValue(placement.name)},
                      {"memberName", textValue(placement.memberName)}};
            if (!placement.profileId.isNull())
                item["profile"] = ownHandle(database, placement.profileId, false);
            placements.push_back(std::move(item));
        }
        json["placements"] = std::move(placements);
    }
    return json;
}

Json macroJson(const Vtx_Database& database, const Vtx_DbMacro& dbMacro) {
    const Vtx_Macro& macro = *dbMacro.macro();
    Json json = Json::object();
    json["handle"] = dbMacro.objectId().handle();
    json["name"] = textValue(macro.name());
    json["macroType"] = textValue(macro.macroType());
    Json baseProfiles = Json::array();
    for (const Vtx_ObjectId& id : macro.baseProfiles())
        baseProfiles.push_back(ownHandle(database, id, false));
    json["baseProfiles"] = std::move(baseProfiles);
    Json generalVariables = Json::array();
    for (const auto& [name, value] : macro.generalVariables())
        generalVariables.push_back(Json{{"name", textValue(name)}, {"value", numberValue(value)}});
    json["generalVariables"] = std::move(generalVariables);
    Json standards = Json::array();
    for (const Vtx_StandardAssignment& assignment : macro.standards())
        standards.push_back(Json{{"spreadsheet", textValue(assignment.spreadsheet)},
                                 {"mappingKey", textValue(assignment.mappingKey)}});
    json["standards"] = std::move(standards);
    Json modules = Json::array();
    for (const auto& module : macro.modules())
        modules.push_back(moduleJson(database, *module));
    json["modules"] = std::move(modules);
    return json;
}

Json generalVariablesJson(const KsAutoStandardsData& data) {
    Json drawings = Json::array();
    for (int i = 0; i < data.dwgGenCount(); ++i)
        drawings.push_back(Json{{"name", textValue(data.dwgGenVars()[i])},
                                {"value", textValue(data.dwgGenValues()[i])},
                                {"filter", textValue(data.dwgGenFilters()[i])}});
    Json standards = Json::array();
    for (int i = 0; i < data.stdGenCount(); ++i)
        standards.push_back(Json{{"name", textValue(data.stdGenVars()[i])},
                                 {"value", textValue(data.stdGenValues()[i])},
                                 {"override", textValue(data.stdGenOverrides()[i])},
                                 {"filter", textValue(data.stdGenFilters()[i])}});
    return Json{{"drawings", std::move(drawings)}, {"standards", std::move(standards)}};
}

Json drawingJson(const Vtx_Database& database) {
    Json json = Json::object();
    json["format"] = drawing_file::kFormatName;
    json["version"] = drawing_file::kVersion;
    Json profiles = Json::array();
    for (const auto& [handle, profile] : database.profiles())
        profiles.push_back(Json{{"handle", handle},
                                {"section", textValue(profile.sectionName)},
                                {"material", textValue(profile.material)}});
    json["profiles"] = std::move(profiles);
    Json patterns = Json::array();
    for (const auto& [handle, pattern] : database.patterns()) {
        const bool two = pattern.type == Vtx_PatternType::TwoDirectional;
        patterns.push_back(Json{{"handle", handle},
                                {"name", textValue(pattern.name)},
                                {"type", two ? "two" : "one"},
                                {"nrBolts1", textValue(pattern.nrBolts1)},
                                {"nrBolts2", textValue(pattern.nrBolts2)},
                                {"reverseStart1", pattern.reverseStart1},
                                {"reverseStart2", pattern.reverseStart2},
                                {"spacing1", numberValue(pattern.spacing1)},
                                {"spacing2", numberValue(pattern.spacing2)}});
    }
    json["patterns"] = std::move(patterns);
    Json macros = Json::array();
    for (const auto& dbMacro : database.macros())
        macros.push_back(macroJson(database, *dbMacro));
    json["macros"] = std::move(macros);
    // Left out when there are none, so such drawings stay as they were.
    if (!database.autoStandardsData().isEmpty())
        json["generalVariables"] = generalVariablesJson(database.autoStandardsData());
    return json;
}

/// The 1-based line of a byte offset.
int lineAt(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

/// nlohmann's parse message without its prefix, its own position and the
/// quoted input it read last (raw bytes that may span lines).
std::string parseMessage(const std::string& what) {
    std::size_t column = what.find("column ");
    std::size_t colon = column == std::string::npos ? what.find("] ") : what.find(": ", column);
    std::string message = colon == std::string::npos ? what : what.substr(colon + 2);
    constexpr std::string_view kLastRead = "; last read: '";
    if (std::size_t start = message.find(kLastRead); start != std::string::npos) {
        std::size_t end = message.find("'; ", start + kLastRead.size());
        message.erase(start, end == std::string::npos ? std::string::npos : end + 1 - start);
    }
    return message;
}

Vtx_String located(const Vtx_String& file, int line, const std::string& text) {
    std::string result = file.str() + ": ";
    if (line > 0)
        result += "line " + std::to_string(line) + ": ";
    return Vtx_String(result + text);
}

} // namespace

ErrorStatus readDrawingFile(const Vtx_String& path, Vtx_Database& database, Vtx_String& reason) {
    database.clear();
    std::string bytes;
    if (ErrorStatus status = readFileBytes(path, bytes, &reason); status != eOk)
        return status;
    Json root;
    try {
        root = Json::parse(bytes);
    } catch (const Json::parse_error& error) {
        reason = located(path, lineAt(bytes, error.byte == 0 ? 0 : error.byte - 1),
                         "invalid JSON: " + parseMessage(error.what()));
        return eBadFileFormat;
    } catch (const std::exception& error) {
        reason = located(path, 0, "invalid JSON: " + parseMessage(error.what()));
        return eBadFileFormat;
    }
    drawing_file::LineIndex lines;
    std::string message;
    int line = 0;
    if (!lines.build(bytes, message, line)) {
        reason = located(path, line, message);
        return eBadFileFormat;
    }
    std::string where;
    if (!drawing_file::buildDatabase(root, database, where, message)) {
        reason =
            located(path, lines.lineOf(where), where.empty() ? message : where + ": " + message);
        return eBadFileFormat;
    }
    return eOk;
}

ErrorStatus writeDrawingFile(const Vtx_String& path, const Vtx_Database& database,
                             Vtx_String& reason) {
    std::string text;
    try {
        const Json json = drawingJson(database);
        // A drawing this program could not read back is never written: the
        // reader's checks (names, duplicates, references) run on it first.
        Vtx_Database check;
        std::string where;
        std::string message;
        if (!drawing_file::buildDatabase(json, check, where, message)) {
            reason = located(path, 0, "cannot write: " + where + ": " + message);
            return eInvalidInput;
        }
        text = json.dump(2, ' ', false, Json::error_handler_t::strict) + "\n";
    } catch (const WriteError& error) {
        reason = located(path, 0, "cannot write: " + error.message);
        return eInvalidInput;
    } catch (const std::exception& error) {
        reason = located(path, 0, std::string("cannot write: ") + error.what());
        return eGeneralError;
    }
    if (ErrorStatus status = writeFileAtomically(path, text); status != eOk) {
        reason =
            located(path, 0, std::string("cannot write the file: ") + errorStatusWords(status));
        return status;
    }
    return eOk;
}
