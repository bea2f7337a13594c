#pragma once

/// The core library's macro model: a drawing database holding connection
/// macros, each made of modules (plates, bolts, profiles, ...) with dialog
/// variables, cut constraints, bolt patterns and profile placements, plus the
/// macro's base profiles and general variables.
///
/// Objects that other objects refer to by id (bolt patterns, profile
/// entities of base profiles and profile placements, macros) live in the
/// database and are reached through a Vtx_ObjectId, which names its database.
///
///     Vtx_Database db;
///     Vtx_String reason;
///     if (readDrawingFile("Drawings\\endplate.vtxd", db, reason) != eOk) ...
///     Vtx_DbMacro* dbMacro = db.findMacro("EP-1");
///     Vtx_Macro* macro = dbMacro->macroWrite();

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/KsAutoStandardsData.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class Vtx_Database;

/// Id of a database-resident object: the database and a handle (> 0).
class VTX_CORE_API Vtx_ObjectId {
public:
    Vtx_ObjectId() = default;
    Vtx_ObjectId(Vtx_Database* database, std::int64_t handle)
        : m_database(database), m_handle(handle) {}
    bool isNull() const { return m_database == nullptr || m_handle <= 0; }
    Vtx_Database* database() const { return m_database; }
    std::int64_t handle() const { return m_handle; }
    bool operator==(const Vtx_ObjectId& other) const = default;

private:
    Vtx_Database* m_database = nullptr;
    std::int64_t m_handle = 0;
};

/// Bolt pattern type: bolts in one direction, or a grid of two directions.
enum class Vtx_PatternType { OneDirectional = 0, TwoDirectional = 1 };

/// A bolt pattern (database object). Counts are texts as the dialogs show
/// them ("4", or an expression the host understands).
struct VTX_CORE_API Vtx_BoltPattern {
    Vtx_String name;
    Vtx_PatternType type = Vtx_PatternType::OneDirectional;
    Vtx_String nrBolts1 = "1";
    Vtx_String nrBolts2 = "1";
    bool reverseStart1 = false;
    bool reverseStart2 = false;
    double spacing1 = 0;
    double spacing2 = 0;
};

/// A profile entity (database object): what a base profile or a profile
/// placement is made of.
struct VTX_CORE_API Vtx_ProfileEntity {
    Vtx_String sectionName; ///< e.g. "IPE 300", "HEA 200", "PL 15x200"
    Vtx_String material;    ///< e.g. "S355"
};

/// A dialog (constraint) variable of a module with its two flags: `visible`
/// (shown on the macro's dialog page) and `driving` (set by the user, not
/// derived by an equation). `hasFlexFix` gives it a flex/fix button on its
/// tab; `fixed` is that button's state.
struct VTX_CORE_API Vtx_DialogVariable {
    Vtx_String name;
    double value = 0;
    bool visible = true;
    bool driving = true;
    bool hasFlexFix = false;
    bool fixed = true;
};

/// Cut types of a cut constraint; each offers some of the nine offset types
/// (see getCutOffsets).
enum Vtx_CutType : int {
    kCutStraight = 0, ///< offsets 0 (cut)
    kCutPolygon = 1,  ///< offsets 1 (poly), 2 (length)
    kCutCope = 2,     ///< offsets 0 (cut), 4 (inside), 5 (outside), 8 (radius)
    kCutCenter = 3,   ///< offsets 3 (center), 2 (length)
    kCutChamfer = 4,  ///< offsets 6 (chamfer 1), 7 (chamfer 2)
    kCutFull = 5,     ///< offsets 0, 6, 7, 8
};

/// Offset types of a cut (the core's cut-offset enumeration, 0 to 8).
enum KsCutOffsetType : int {
    kOffsetCut = 0,
    kOffsetPoly = 1,
    kOffsetLength = 2,
    kOffsetCenter = 3,
    kOffsetInside = 4,
    kOffsetOutside = 5,
    kOffsetChamfer1 = 6,
    kOffsetChamfer2 = 7,
    kOffsetRadius = 8,
    kOffsetTypeCount = 9,
};

struct VTX_CORE_API Vtx_CutConstraint {
    Vtx_String name;
    int cutType = kCutStraight;
    double offsets[kOffsetTypeCount] = {};
};

/// A profile placement of a profile module: its key name inside the module,
/// the member name shown for it (merged per group by the dialogs) and the
/// profile entity that gives section and material.
struct VTX_CORE_API Vtx_ProfPlacement {
    Vtx_String name;
    Vtx_String memberName;
    Vtx_ObjectId profileId;
};

/// Bolt properties shown on a bolt tab, as texts.
struct VTX_CORE_API Vtx_BoltData {
    Vtx_String assembly;    ///< e.g. "M-8.8"
    Vtx_String diameter;    ///< e.g. "20"
    Vtx_String holeOffset;  ///< hole tolerance, e.g. "2"
    Vtx_String penetration; ///< penetration length
    Vtx_String addedLength; ///< added length
};

enum class Vtx_ModuleKind { General = 0, Plate = 1, Bolt = 2, Profile = 3 };

/// One module of a macro. Bolt and profile modules are the subclasses below.
class VTX_CORE_API Vtx_Module {
public:
    Vtx_Module(Vtx_String name, Vtx_String groupName);
    virtual ~Vtx_Module() = default;
    virtual Vtx_ModuleKind kind() const { return Vtx_ModuleKind::General; }

    const Vtx_String& name() const { return m_name; }
    const Vtx_String& groupName() const { return m_groupName; }
    /// The group name, or the module name when the group name is empty:
    /// the name of the module's tab.
    const Vtx_String& tabName() const { return m_groupName.isEmpty() ? m_name : m_groupName; }
    void setName(const Vtx_String& name) { m_name = name; }
    void setGroupName(const Vtx_String& groupName) { m_groupName = groupName; }

    std::vector<Vtx_DialogVariable>& variables() { return m_variables; }
    const std::vector<Vtx_DialogVariable>& variables() const { return m_variables; }
    /// Variable by name (case ignored), or nullptr.
    Vtx_DialogVariable* findVariable(const Vtx_String& name);
    const Vtx_DialogVariable* findVariable(const Vtx_String& name) const;

    std::vector<Vtx_CutConstraint>& cuts() { return m_cuts; }
    const std::vector<Vtx_CutConstraint>& cuts() const { return m_cuts; }

private:
    Vtx_String m_name;
    Vtx_String m_groupName;
    std::vector<Vtx_DialogVariable> m_variables;
    std::vector<Vtx_CutConstraint> m_cuts;
};

class VTX_CORE_API Vtx_PlateModule : public Vtx_Module {
public:
    using Vtx_Module::Vtx_Module;
    Vtx_ModuleKind kind() const override { return Vtx_ModuleKind::Plate; }
};

class VTX_CORE_API Vtx_BoltModule : public Vtx_Module {
public:
    using Vtx_Module::Vtx_Module;
    Vtx_ModuleKind kind() const override { return Vtx_ModuleKind::Bolt; }
    /// Ids of the module's bolt patterns, in pattern order.
    ErrorStatus getPatternIds(Vtx_Array<Vtx_ObjectId>& ids) const;
    std::vector<Vtx_ObjectId>& patternIds() { return m_patternIds; }
    const std::vector<Vtx_ObjectId>& patternIds() const { return m_patternIds; }
    Vtx_BoltData& boltData() { return m_boltData; }
    const Vtx_BoltData& boltData() const { return m_boltData; }

private:
    std::vector<Vtx_ObjectId> m_patternIds;
    Vtx_BoltData m_boltData;
};

class VTX_CORE_API Vtx_ProfModule : public Vtx_Module {
public:
    using Vtx_Module::Vtx_Module;
    Vtx_ModuleKind kind() const override { return Vtx_ModuleKind::Profile; }
    std::vector<Vtx_ProfPlacement>& profArray() { return m_placements; }
    const std::vector<Vtx_ProfPlacement>& profArray() const { return m_placements; }

private:
    std::vector<Vtx_ProfPlacement> m_placements;
};

/// One connection standard assigned to a macro: the spreadsheet name
/// (relative to "Connection Standards\\", without ".kss") and the key of its
/// mapping ("" none yet, a mapping-file key, or "Module." + group name).
struct VTX_CORE_API Vtx_StandardAssignment {
    Vtx_String spreadsheet;
    Vtx_String mappingKey;
};

/// A connection macro: modules in order, general variables in order, base
/// profiles (profile entity ids) in order and the assigned standards.
class VTX_CORE_API Vtx_Macro {
public:
    Vtx_Macro() = default;
    Vtx_Macro(const Vtx_Macro&) = delete;
    Vtx_Macro& operator=(const Vtx_Macro&) = delete;
    virtual ~Vtx_Macro() = default;

    const Vtx_String& name() const { return m_name; }
    void setName(const Vtx_String& name) { m_name = name; }
    const Vtx_String& macroType() const { return m_macroType; }
    void setMacroType(const Vtx_String& type) { m_macroType = type; }

    ErrorStatus getModuleNames(Vtx_StringArray& names) const;
    /// Module by name (case ignored), or nullptr.
    const Vtx_Module* findModule(const Vtx_String& name) const;
    Vtx_Module* findModuleWrite(const Vtx_String& name);
    /// Takes ownership; returns the module. A null module, one with an empty
    /// name or one named like an existing module (case ignored) is refused
    /// (nullptr).
    Vtx_Module* addModule(std::unique_ptr<Vtx_Module> module);
    const std::vector<std::unique_ptr<Vtx_Module>>& modules() const { return m_modules; }

    ErrorStatus getGeneralVariables(Vtx_StringArray& names) const;
    /// eKeyNotFound when there is no such general variable (case ignored).
    ErrorStatus generalVariableValue(const Vtx_String& name, double& value) const;
    /// Sets an existing general variable, or adds it at the end. eInvalidName
    /// for an empty name, eInvalidInput for a value that is not finite.
    ErrorStatus setGeneralVariable(const Vtx_String& name, double value);
    /// The general variables in order as texts (the lists are emptied
    /// first): the names, and each value as the shortest text that reads back
    /// to it, as a standards evaluation is given them.
    void getGeneralVariableTexts(Vtx_StringArray& names, Vtx_StringArray& values) const;
    /// The general variables in order, as name and value.
    const std::vector<std::pair<Vtx_String, double>>& generalVariables() const {
        return m_generalVariables;
    }

    std::vector<Vtx_ObjectId>& baseProfiles() { return m_baseProfiles; }
    const std::vector<Vtx_ObjectId>& baseProfiles() const { return m_baseProfiles; }

    std::vector<Vtx_StandardAssignment>& standards() { return m_standards; }
    const std::vector<Vtx_StandardAssignment>& standards() const { return m_standards; }

private:
    Vtx_String m_name;
    Vtx_String m_macroType;
    std::vector<std::unique_ptr<Vtx_Module>> m_modules;
    std::vector<std::pair<Vtx_String, double>> m_generalVariables;
    std::vector<Vtx_ObjectId> m_baseProfiles;
    std::vector<Vtx_StandardAssignment> m_standards;
};

/// The database-resident form of a macro. `macro` gives read access,
/// `macroWrite` write access.
class VTX_CORE_API Vtx_DbMacro {
public:
    Vtx_DbMacro(Vtx_Database* database, std::int64_t handle);
    virtual ~Vtx_DbMacro() = default;
    const Vtx_Macro* macro() const { return &m_macro; }
    Vtx_Macro* macroWrite() { return &m_macro; }
    Vtx_ObjectId objectId() const { return Vtx_ObjectId(m_database, m_handle); }
    Vtx_Database* database() const { return m_database; }
    /// The profile entity ids of the macro's base profiles, in order.
    ErrorStatus mapBaseProfIds(Vtx_Array<Vtx_ObjectId>& ids) const;

private:
    Vtx_Database* m_database;
    std::int64_t m_handle;
    Vtx_Macro m_macro;
};

/// A drawing: macros and the objects they refer to. Handles are unique in
/// one database and never reused.
class VTX_CORE_API Vtx_Database {
public:
    Vtx_Database() = default;
    Vtx_Database(const Vtx_Database&) = delete;
    Vtx_Database& operator=(const Vtx_Database&) = delete;
    virtual ~Vtx_Database() = default;

    /// A new macro under a fresh handle; nullptr when the name is empty or
    /// another macro has it (case ignored).
    Vtx_DbMacro* addMacro(const Vtx_String& name);
    /// As addMacro, under a given handle; nullptr also when the handle is not
    /// positive or in use.
    Vtx_DbMacro* addMacroWithHandle(std::int64_t handle, const Vtx_String& name);
    /// Macro by name (case ignored), or nullptr.
    Vtx_DbMacro* findMacro(const Vtx_String& name);
    const std::vector<std::unique_ptr<Vtx_DbMacro>>& macros() const { return m_macros; }

    Vtx_ObjectId addPattern(const Vtx_BoltPattern& pattern);
    Vtx_ObjectId addProfile(const Vtx_ProfileEntity& profile);
    /// nullptr when the id is null, of another database or of another kind.
    Vtx_BoltPattern* pattern(const Vtx_ObjectId& id);
    Vtx_ProfileEntity* profile(const Vtx_ObjectId& id);

    /// Handles are kept as read from a file; addX after that continues
    /// above the highest handle in use. A null id when the handle is not
    /// positive or already used by any object of the database.
    Vtx_ObjectId addPatternWithHandle(std::int64_t handle, const Vtx_BoltPattern& pattern);
    Vtx_ObjectId addProfileWithHandle(std::int64_t handle, const Vtx_ProfileEntity& profile);
    const std::map<std::int64_t, Vtx_BoltPattern>& patterns() const { return m_patterns; }
    const std::map<std::int64_t, Vtx_ProfileEntity>& profiles() const { return m_profiles; }
    /// True when any object of the database has the handle.
    bool isHandleUsed(std::int64_t handle) const;
    /// Removes every object and the general variables; handles start again
    /// from 1.
    void clear();

    /// The drawing's general variables for applying standards (drawing and
    /// standards groups with their filters), kept in the drawing file.
    KsAutoStandardsData& autoStandardsData() { return m_autoStandards; }
    const KsAutoStandardsData& autoStandardsData() const { return m_autoStandards; }

private:
    friend class Vtx_Transaction;
    std::int64_t nextHandle();
    void takeHandle(std::int64_t handle);
    std::int64_t m_lastHandle = 0;
    std::vector<std::unique_ptr<Vtx_DbMacro>> m_macros;
    std::map<std::int64_t, Vtx_BoltPattern> m_patterns;
    std::map<std::int64_t, Vtx_ProfileEntity> m_profiles;
    KsAutoStandardsData m_autoStandards;
};

/// The host transaction stand-in: groups changes to one database. While a
/// transaction is open, abort() restores the bolt patterns and profile
/// entities as they were at start() (macro contents are restored by the
/// caller's own records). Accepted as nullptr by every access function; a
/// transaction of another database makes an access fail (eInvalidInput).
/// abort() restores objects in place, so pointers to objects that existed at
/// start() stay valid; objects made since are removed.
class VTX_CORE_API Vtx_Transaction {
public:
    explicit Vtx_Transaction(Vtx_Database* database) : m_database(database) {}
    virtual ~Vtx_Transaction() = default;
    Vtx_Database* database() const { return m_database; }
    void start();
    void commit();
    void abort();
    bool isActive() const { return m_active; }

private:
    Vtx_Database* m_database;
    bool m_active = false;
    std::map<std::int64_t, Vtx_BoltPattern> m_savedPatterns;
    std::map<std::int64_t, Vtx_ProfileEntity> m_savedProfiles;
};

// Access functions. Each returns eOk on success; getSet forms read when get
// is true and write otherwise; on failure nothing is changed.

/// The module named moduleName of the macro, for writing. An empty name picks
/// the module at moduleIndex of the macro's module list instead.
VTX_CORE_API ErrorStatus openModule(Vtx_Macro* macro, const Vtx_String& moduleName,
                                    Vtx_Module*& module, int moduleIndex = -1);
/// Names of the modules whose tab name (group, else name) equals group (case
/// ignored), in macro order. An empty group gives an empty list and eOk; a
/// group that no module has gives an empty list and eKeyNotFound.
VTX_CORE_API ErrorStatus getModNamesOfGroup(const Vtx_Macro* macro, const Vtx_String& group,
                                            Vtx_StringArray& names);
/// The module's dialog variables with their visible and driving flags.
VTX_CORE_API ErrorStatus getDialogVariables(const Vtx_Module* module, Vtx_StringArray& names,
                                            Vtx_Array<bool>& visible, Vtx_Array<bool>& driving);
/// A dialog variable's value as text (shortest text that reads back exactly);
/// set reads the text as a decimal number (eInvalidInput when it is none).
VTX_CORE_API ErrorStatus getSetConstrVarValue(Vtx_Module* module, const Vtx_String& name,
                                              Vtx_String& value, bool get);
VTX_CORE_API ErrorStatus getCutConstraints(const Vtx_Module* module, Vtx_StringArray& names,
                                           Vtx_Array<int>& cutTypes);
VTX_CORE_API ErrorStatus getCutConstraint(Vtx_Module* module, const Vtx_String& cutName,
                                          Vtx_CutConstraint*& cut);
/// The offset types that a cut type offers, in ascending order;
/// eInvalidInput (and an empty list) for an unknown cut type.
VTX_CORE_API ErrorStatus getCutOffsets(int cutType, Vtx_Array<int>& offsetTypes);
/// eNotApplicable when the cut's type does not offer offsetType, eOutOfRange
/// for an offset type outside 0..8, eInvalidInput when the cut is not one of
/// the module's or a value to write is not finite.
VTX_CORE_API ErrorStatus getSetCutValue(Vtx_Module* module, Vtx_CutConstraint* cut, int offsetType,
                                        double& value, bool get);
VTX_CORE_API ErrorStatus findPattern(Vtx_BoltModule* module, const Vtx_String& patternName,
                                     Vtx_ObjectId& patternId,
                                     Vtx_Transaction* transaction = nullptr);
VTX_CORE_API ErrorStatus getPattern(const Vtx_ObjectId& patternId, Vtx_BoltPattern*& pattern,
                                    Vtx_Transaction* transaction = nullptr);
/// Reads or writes the reverse-start flag of a pattern's first or second
/// direction; the second needs a two-directional pattern (eNotApplicable).
/// eKeyNotFound when the pattern is not one of the module's.
VTX_CORE_API ErrorStatus getSetBoltPatternReverses(Vtx_BoltModule* module,
                                                   const Vtx_ObjectId& patternId, bool first,
                                                   bool get, bool& reverse,
                                                   Vtx_Transaction* transaction = nullptr);
/// The profile entity id of the module's profile placement named name (case
/// ignored); eWrongObjectType when the module is no profile module.
VTX_CORE_API ErrorStatus getNamedPrpl(Vtx_Module* module, const Vtx_String& name,
                                      Vtx_ObjectId& profileId);
/// The profile entity id of base profile n (0-based) of the macro.
VTX_CORE_API ErrorStatus getBaseProf(Vtx_DbMacro* dbMacro, int n, Vtx_ObjectId& profileId);
VTX_CORE_API ErrorStatus getSectionName(const Vtx_ObjectId& profileId, Vtx_String& sectionName,
                                        Vtx_Transaction* transaction = nullptr);
VTX_CORE_API ErrorStatus getMaterial(const Vtx_ObjectId& profileId, Vtx_String& material,
                                     Vtx_Transaction* transaction = nullptr);

/// Reads a drawing file (format in docs/drawing-format.md). On failure the
/// database is left empty and reason names the file and line.
VTX_CORE_API ErrorStatus readDrawingFile(const Vtx_String& path, Vtx_Database& database,
                                         Vtx_String& reason);
/// Writes the drawing whole to a temporary file and renames it over path.
VTX_CORE_API ErrorStatus writeDrawingFile(const Vtx_String& path, const Vtx_Database& database,
                                          Vtx_String& reason);
