// Builds a database from the JSON of a drawing file, checking every value
// and every reference on the way.

#include "platform/core/DrawingFileFormat.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <set>

namespace drawing_file {

namespace {

struct FormatError {
    std::string path;
    std::string message;
};

[[noreturn]] void fail(const std::string& path, const std::string& message) {
    throw FormatError{path, message};
}

std::string memberPath(const std::string& parent, const char* key) {
    return parent.empty() ? std::string(key) : parent + "." + key;
}

std::string elementPath(const std::string& parent, std::size_t index) {
    return parent + "[" + std::to_string(index) + "]";
}

/// Lower-cased for case-ignoring duplicate checks, as the model compares names.
std::string foldedName(const Vtx_String& name) {
    return name.lower().str();
}

class Reader {
public:
    explicit Reader(Vtx_Database& database) : m_database(database) {}

    void read(const Json& root) {
        expectObject(root, "");
        const Json* format = root.contains("format") ? &root["format"] : nullptr;
        if (format == nullptr || !format->is_string() || format->get<std::string>() != kFormatName)
            fail("format", std::string("the file is not a drawing: \"format\" must be \"") +
                               kFormatName + "\"");
        const std::int64_t version = integer(root, "", "version", true);
        if (version != kVersion)
            fail("version", "version " + std::to_string(version) +
                                " is not supported; this program reads version " +
                                std::to_string(kVersion));
        checkKeys(root, "",
                  {"format", "version", "profiles", "patterns", "macros", "generalVariables"});
        forEach(root, "", "profiles",
                [this](const Json& item, const std::string& path) { readProfile(item, path); });
        forEach(root, "", "patterns",
                [this](const Json& item, const std::string& path) { readPattern(item, path); });
        forEach(root, "", "macros",
                [this](const Json& item, const std::string& path) { readMacro(item, path); });
        if (const Json* general = member(root, "", "generalVariables", false))
            readGeneralVariables(*general, "generalVariables");
    }

private:
    // ------------------------------------------------------------ values

    static void expectObject(const Json& value, const std::string& path) {
        if (!value.is_object())
            fail(path, path.empty() ? "the file does not hold a JSON object" : "must be an object");
    }

    static void checkKeys(const Json& object, const std::string& path,
                          std::initializer_list<const char*> allowed) {
        for (const auto& item : object.items()) {
            bool known = false;
            for (const char* key : allowed)
                known = known || item.key() == key;
            if (!known)
                fail(memberPath(path, item.key().c_str()), "unknown key");
        }
    }

    static const Json* member(const Json& object, const std::string& path, const char* key,
                              bool required) {
        auto it = object.find(key);
        if (it != object.end())
            return &*it;
        if (required)
            fail(memberPath(path, key), "missing");
        return nullptr;
    }

    static Vtx_String text(const Json& object, const std::string& path, const char* key,
                           bool required = false) {
        const Json* value = member(object, path, key, required);
        if (value == nullptr)
            return Vtx_String();
        if (!value->is_string())
            fail(memberPath(path, key), "must be a string");
        std::string bytes;
        if (!fromUtf8(value->get_ref<const std::string&>(), bytes))
            fail(memberPath(path, key), "holds a character outside Windows-1252");
        return Vtx_String(std::move(bytes));
    }

    static Vtx_String name(const Json& object, const std::string& path, const char* key = "name") {
        Vtx_String result = text(object, path, key, true);
        if (result.isEmpty())
            fail(memberPath(path, key), "must not be empty");
        return result;
    }

    static double number(const Json& object, const std::string& path, const char* key) {
        const Json* value = member(object, path, key, false);
        if (value == nullptr)
            return 0;
        if (!value->is_number() || !std::isfinite(value->get<double>()))
            fail(memberPath(path, key), "must be a number");
        return value->get<double>();
    }

    static bool flag(const Json& object, const std::string& path, const char* key,
                     bool defaultValue) {
        const Json* value = member(object, path, key, false);
        if (value == nullptr)
            return defaultValue;
        if (!value->is_boolean())
            fail(memberPath(path, key), "must be true or false");
        return value->get<bool>();
    }

    static std::int64_t integer(const Json& value, const std::string& path) {
        if (value.is_number_unsigned()) {
            if (value.get<std::uint64_t>() >
                static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                fail(path, "is too large");
            return static_cast<std::int64_t>(value.get<std::uint64_t>());
        }
        if (!value.is_number_integer())
            fail(path, "must be a whole number");
        return value.get<std::int64_t>();
    }

    static std::int64_t integer(const Json& object, const std::string& path, const char* key,
                                bool required) {
        const Json* value = member(object, path, key, required);
        return value == nullptr ? 0 : integer(*value, memberPath(path, key));
    }

    static std::int64_t handle(const Json& value, const std::string& path) {
        const std::int64_t result = integer(value, path);
        if (result <= 0)
            fail(path, "a handle must be a number above 0");
        return result;
    }

    template <typename Function>
    static void forEach(const Json& object, const std::string& path, const char* key,
                        Function function) {
        const Json* array = member(object, path, key, false);
        if (array == nullptr)
            return;
        const std::string arrayPath = memberPath(path, key);
        if (!array->is_array())
            fail(arrayPath, "must be an array");
        for (std::size_t i = 0; i < array->size(); ++i)
            function((*array)[i], elementPath(arrayPath, i));
    }

    /// Fails when name was seen before in names (case ignored).
    static void unique(std::set<std::string>& names, const Vtx_String& name,
                       const std::string& path, const char* what) {
        if (!names.insert(foldedName(name)).second)
            fail(path, std::string(what) + " \"" + name.str() + "\" appears twice");
    }

    // ------------------------------------------------------------ references

    Vtx_ObjectId profileRef(const Json& value, const std::string& path) {
        Vtx_ObjectId id(&m_database, handle(value, path));
        if (m_database.profile(id) == nullptr)
            fail(path, "no profile has handle " + std::to_string(id.handle()));
        return id;
    }

    Vtx_ObjectId patternRef(const Json& value, const std::string& path) {
        Vtx_ObjectId id(&m_database, handle(value, path));
        if (m_database.pattern(id) == nullptr)
            fail(path, "no bolt pattern has handle " + std::to_string(id.handle()));
        return id;
    }

    void takeHandle(bool taken, const std::string& path, std::int64_t value) {
        if (!taken)
            fail(memberPath(path, "handle"),
                 "handle " + std::to_string(value) + " is used by another object");
    }

    // ------------------------------------------------------------ objects

    void readProfile(const Json& item, const std::string& path) {
        expectObject(item, path);
        checkKeys(item, path, {"handle", "section", "material"});
        const std::int64_t value =
            handle(*member(item, path, "handle", true), memberPath(path, "handle"));
        Vtx_ProfileEntity profile{text(item, path, "section"), text(item, path, "material")};
        takeHandle(!m_database.addProfileWithHandle(value, profile).isNull(), path, value);
    }

    void readPattern(const Json& item, const std::string& path) {
        expectObject(item, path);
        checkKeys(item, path,
                  {"handle", "name", "type", "nrBolts1", "nrBolts2", "reverseStart1",
                   "reverseStart2", "spacing1", "spacing2"});
        const std::int64_t value =
            handle(*member(item, path, "handle", true), memberPath(path, "handle"));
        Vtx_BoltPattern pattern;
        pattern.name = name(item, path);
        const Vtx_String type = text(item, path, "type", true);
        if (type == "one")
            pattern.type = Vtx_PatternType::OneDirectional;
        else if (type == "two")
            pattern.type = Vtx_PatternType::TwoDirectional;
        else
            fail(memberPath(path, "type"), "must be \"one\" or \"two\"");
        if (item.contains("nrBolts1"))
            pattern.nrBolts1 = text(item, path, "nrBolts1");
        if (item.contains("nrBolts2"))
            pattern.nrBolts2 = text(item, path, "nrBolts2");
        pattern.reverseStart1 = flag(item, path, "reverseStart1", false);
        pattern.reverseStart2 = flag(item, path, "reverseStart2", false);
        pattern.spacing1 = number(item, path, "spacing1");
        pattern.spacing2 = number(item, path, "spacing2");
        takeHandle(!m_database.addPatternWithHandle(value, pattern).isNull(), path, value);
    }

    void readMacro(const Json& item, const std::string& path) {
        expectObject(item, path);
        checkKeys(item, path,
                  {"handle", "name", "macroType", "baseProfiles", "generalVariables", "standards",
                   "modules"});
        const std::int64_t value =
            handle(*member(item, path, "handle", true), memberPath(path, "handle"));
        const Vtx_String macroName = name(item, path);
        if (m_database.findMacro(macroName) != nullptr)
            fail(memberPath(path, "name"), "macro \"" + macroName.str() + "\" appears twice");
        Vtx_DbMacro* dbMacro = m_database.addMacroWithHandle(value, macroName);
        takeHandle(dbMacro != nullptr, path, value);
        Vtx_Macro& macro = *dbMacro->macroWrite();
        macro.setMacroType(text(item, path, "macroType"));
        forEach(item, path, "baseProfiles", [&](const Json& ref, const std::string& refPath) {
            macro.baseProfiles().push_back(profileRef(ref, refPath));
        });
        std::set<std::string> names;
        forEach(item, path, "generalVariables", [&](const Json& var, const std::string& varPath) {
            expectObject(var, varPath);
            checkKeys(var, varPath, {"name", "value"});
            const Vtx_String varName = name(var, varPath);
            unique(names, varName, memberPath(varPath, "name"), "general variable");
            macro.setGeneralVariable(varName, number(var, varPath, "value"));
        });
        forEach(item, path, "standards", [&](const Json& entry, const std::string& entryPath) {
            expectObject(entry, entryPath);
            checkKeys(entry, entryPath, {"spreadsheet", "mappingKey"});
            macro.standards().push_back(
                {name(entry, entryPath, "spreadsheet"), text(entry, entryPath, "mappingKey")});
        });
        forEach(item, path, "modules", [&](const Json& module, const std::string& modulePath) {
            readModule(macro, module, modulePath);
        });
    }

    void readGeneralVariables(const Json& item, const std::string& path);
    void readModule(Vtx_Macro& macro, const Json& item, const std::string& path);
    void readBoltParts(Vtx_BoltModule& module, const Json& item, const std::string& path);
    void readPlacements(Vtx_ProfModule& module, const Json& item, const std::string& path);
    static void readVariables(Vtx_Module& module, const Json& item, const std::string& path);
    static void readCuts(Vtx_Module& module, const Json& item, const std::string& path);

    Vtx_Database& m_database;
};

// The drawing's general variables: names need not be unique, since one name
// may take different values for different drawings (filters).
void Reader::readGeneralVariables(const Json& item, const std::string& path) {
    expectObject(item, path);
    checkKeys(item, path, {"drawings", "standards"});
    KsAutoStandardsData& data = m_database.autoStandardsData();
    forEach(item, path, "drawings", [&](const Json& var, const std::string& varPath) {
        expectObject(var, varPath);
        checkKeys(var, varPath, {"name", "value", "filter"});
        data.appendDwgGen(name(var, varPath), text(var, varPath, "value"),
                          text(var, varPath, "filter"));
    });
    forEach(item, path, "standards", [&](const Json& var, const std::string& varPath) {
        expectObject(var, varPath);
        checkKeys(var, varPath, {"name", "value", "override", "filter"});
        data.appendStdGen(name(var, varPath), text(var, varPath, "value"),
                          text(var, varPath, "override"), text(var, varPath, "filter"));
    });
}

void Reader::readModule(Vtx_Macro& macro, const Json& item, const std::string& path) {
    expectObject(item, path);
    Vtx_ModuleKind kind = Vtx_ModuleKind::General;
    if (!moduleKindFromName(text(item, path, "kind", true).str(), kind))
        fail(memberPath(path, "kind"), "must be \"general\", \"plate\", \"bolt\" or \"profile\"");
    if (kind == Vtx_ModuleKind::Bolt)
        checkKeys(item, path,
                  {"kind", "name", "group", "variables", "cuts", "boltData", "patterns"});
    else if (kind == Vtx_ModuleKind::Profile)
        checkKeys(item, path, {"kind", "name", "group", "variables", "cuts", "placements"});
    else
        checkKeys(item, path, {"kind", "name", "group", "variables", "cuts"});
    const Vtx_String moduleName = name(item, path);
    const Vtx_String group = text(item, path, "group");
    std::unique_ptr<Vtx_Module> module;
    if (kind == Vtx_ModuleKind::Bolt)
        module = std::make_unique<Vtx_BoltModule>(moduleName, group);
    else if (kind == Vtx_ModuleKind::Profile)
        module = std::make_unique<Vtx_ProfModule>(moduleName, group);
    else if (kind == Vtx_ModuleKind::Plate)
        module = std::make_unique<Vtx_PlateModule>(moduleName, group);
    else
        module = std::make_unique<Vtx_Module>(moduleName, group);
    Vtx_Module* added = macro.addModule(std::move(module));
    if (added == nullptr)
        fail(memberPath(path, "name"), "module \"" + moduleName.str() + "\" appears twice");
    readVariables(*added, item, path);
    readCuts(*added, item, path);
    if (auto* bolts = dynamic_cast<Vtx_BoltModule*>(added))
        readBoltParts(*bolts, item, path);
    if (auto* profiles = dynamic_cast<Vtx_ProfModule*>(added))
        readPlacements(*profiles, item, path);
}

void Reader::readVariables(Vtx_Module& module, const Json& item, const std::string& path) {
    std::set<std::string> names;
    forEach(item, path, "variables", [&](const Json& var, const std::string& varPath) {
        expectObject(var, varPath);
        checkKeys(var, varPath, {"name", "value", "visible", "driving", "hasFlexFix", "fixed"});
        Vtx_DialogVariable variable;
        variable.name = name(var, varPath);
        unique(names, variable.name, memberPath(varPath, "name"), "variable");
        variable.value = number(var, varPath, "value");
        variable.visible = flag(var, varPath, "visible", true);
        variable.driving = flag(var, varPath, "driving", true);
        variable.hasFlexFix = flag(var, varPath, "hasFlexFix", false);
        variable.fixed = flag(var, varPath, "fixed", true);
        module.variables().push_back(variable);
    });
}

void Reader::readCuts(Vtx_Module& module, const Json& item, const std::string& path) {
    std::set<std::string> names;
    forEach(item, path, "cuts", [&](const Json& cutItem, const std::string& cutPath) {
        expectObject(cutItem, cutPath);
        checkKeys(cutItem, cutPath, {"name", "type", "offsets"});
        Vtx_CutConstraint cut;
        cut.name = name(cutItem, cutPath);
        unique(names, cut.name, memberPath(cutPath, "name"), "cut");
        cut.cutType = cutTypeFromName(text(cutItem, cutPath, "type", true).str());
        if (cut.cutType < 0)
            fail(memberPath(cutPath, "type"), "unknown cut type");
        Vtx_Array<int> offered;
        getCutOffsets(cut.cutType, offered);
        if (const Json* offsets = member(cutItem, cutPath, "offsets", false)) {
            const std::string offsetsPath = memberPath(cutPath, "offsets");
            expectObject(*offsets, offsetsPath);
            for (const auto& offset : offsets->items()) {
                const int type = offsetFromName(offset.key());
                if (type < 0)
                    fail(memberPath(offsetsPath, offset.key().c_str()), "unknown offset");
                if (!offered.contains(type))
                    fail(memberPath(offsetsPath, offset.key().c_str()),
                         "a " + text(cutItem, cutPath, "type").str() + " cut has no such offset");
                cut.offsets[type] = number(*offsets, offsetsPath, offset.key().c_str());
            }
        }
        module.cuts().push_back(cut);
    });
}

void Reader::readBoltParts(Vtx_BoltModule& module, const Json& item, const std::string& path) {
    if (const Json* data = member(item, path, "boltData", false)) {
        const std::string dataPath = memberPath(path, "boltData");
        expectObject(*data, dataPath);
        checkKeys(*data, dataPath,
                  {"assembly", "diameter", "holeOffset", "penetration", "addedLength"});
        Vtx_BoltData& bolts = module.boltData();
        bolts.assembly = text(*data, dataPath, "assembly");
        bolts.diameter = text(*data, dataPath, "diameter");
        bolts.holeOffset = text(*data, dataPath, "holeOffset");
        bolts.penetration = text(*data, dataPath, "penetration");
        bolts.addedLength = text(*data, dataPath, "addedLength");
    }
    std::set<std::string> names;
    forEach(item, path, "patterns", [&](const Json& ref, const std::string& refPath) {
        const Vtx_ObjectId id = patternRef(ref, refPath);
        for (const Vtx_ObjectId& existing : module.patternIds())
            if (existing == id)
                fail(refPath, "bolt pattern " + std::to_string(id.handle()) + " appears twice");
        unique(names, m_database.pattern(id)->name, refPath, "bolt pattern name");
        module.patternIds().push_back(id);
    });
}

void Reader::readPlacements(Vtx_ProfModule& module, const Json& item, const std::string& path) {
    forEach(item, path, "placements", [&](const Json& placementItem, const std::string& itemPath) {
        expectObject(placementItem, itemPath);
        checkKeys(placementItem, itemPath, {"name", "memberName", "profile"});
        Vtx_ProfPlacement placement;
        placement.name = text(placementItem, itemPath, "name");
        placement.memberName = text(placementItem, itemPath, "memberName");
        if (const Json* ref = member(placementItem, itemPath, "profile", false))
            placement.profileId = profileRef(*ref, memberPath(itemPath, "profile"));
        module.profArray().push_back(placement);
    });
}

} // namespace

bool buildDatabase(const Json& root, Vtx_Database& database, std::string& path,
                   std::string& message) {
    try {
        Reader(database).read(root);
        return true;
    } catch (const FormatError& error) {
        path = error.path;
        message = error.message;
    } catch (const std::exception& error) {
        path.clear();
        message = error.what();
    }
    database.clear();
    return false;
}

} // namespace drawing_file
