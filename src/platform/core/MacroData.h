#pragma once

/// Dialog records of the core library that describe a macro for its dialogs:
/// MacroData holds one MacroTabData per tab. A tab gathers the modules whose
/// tab name (group name, else module name) is the tab's name. The records do
/// not own the macro; their write operations go straight to it, as the macro
/// dialogs apply each change at once.
///
///     MacroData data;
///     data.initFromMacro(dbMacro);
///     int index = data.findTab("EndPlate");
///     MacroTabData* tab = data.getTab(index);

#include "platform/Exports.h"
#include "platform/core/MacroModel.h"

#include <vector>

/// Properties of the profile placements of one group, merged: a text is
/// empty when the placements disagree on it.
struct VTX_CORE_API Vtx_ProfileProps {
    Vtx_String name; ///< the member name
    Vtx_String sectionName;
    Vtx_String material;
};

/// Tab kinds as the macro dialog pages use them: 0 variables, 1 bolts,
/// 2 profiles, 3 general.
enum MacroTabKind : int { kTabVariables = 0, kTabBolts = 1, kTabProfiles = 2, kTabGeneral = 3 };

class VTX_CORE_API MacroTabData {
public:
    MacroTabData() = default;
    MacroTabData(Vtx_Macro* macro, const Vtx_String& name, int kind);
    virtual ~MacroTabData() = default;

    const Vtx_String& name() const { return m_name; }
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    Vtx_Macro* macro() const { return m_macro; }
    /// Names of the tab's modules, in macro order.
    const Vtx_StringArray& moduleNames() const { return m_moduleNames; }
    void addModuleName(const Vtx_String& name) { m_moduleNames.append(name); }

    /// The bolt data of the tab's first bolt module, or nullptr.
    Vtx_BoltData* getBoltData();
    /// The first bolt module of the tab, or nullptr.
    Vtx_BoltModule* boltModule();

    /// True when the tab's dialog variable `name` has a flex/fix button;
    /// isFixed and isFree then tell its state (exactly one of them is true).
    /// Without a button both flags are left as they were. When several
    /// modules of the tab have the variable, the first with a button answers.
    bool getFlexFixBtnStatus(const Vtx_String& name, bool& isFixed, bool& isFree) const;
    /// Performs a click on the variable's flex/fix button: with toggle the
    /// state flips, without it the variable becomes fixed (so a value written
    /// next is kept). Every variable of that name with a button on the tab
    /// takes the new state. False when the variable has no button.
    bool flexFixBtnClicked(const Vtx_String& name, bool toggle);

    /// The merged properties of the profile placements named groupName in the
    /// tab's profile modules; false when there is none.
    bool getMergedPropsOfGroup(const Vtx_String& groupName, Vtx_ProfileProps& props) const;
    /// Writes the member name, and a non-empty section name and material, to
    /// every placement of the group; false when there is none.
    bool setMergedPropsOfGroup(const Vtx_String& groupName, const Vtx_ProfileProps& props);

private:
    /// The tab's modules in macro order.
    std::vector<Vtx_Module*> modules() const;
    /// The dialog variables named name that have a flex/fix button.
    std::vector<Vtx_DialogVariable*> flexFixVariables(const Vtx_String& name) const;
    /// The profile placements named groupName of the tab's profile modules.
    std::vector<Vtx_ProfPlacement*> placementsOfGroup(const Vtx_String& groupName) const;

    Vtx_Macro* m_macro = nullptr;
    Vtx_String m_name;
    int m_kind = kTabVariables;
    Vtx_StringArray m_moduleNames;
};

class VTX_CORE_API MacroData {
public:
    MacroData() = default;
    virtual ~MacroData() = default;

    /// Builds one tab per distinct tab name (case ignored), in module order:
    /// kind kTabBolts when the tab has a bolt module, else kTabProfiles when
    /// it has a profile module, else kTabVariables. The title becomes the
    /// macro's name. eNullPtr without a macro.
    ErrorStatus initFromMacro(Vtx_DbMacro* dbMacro);
    Vtx_DbMacro* dbMacro() const { return m_dbMacro; }

    /// Index of the tab named name (case ignored), or -1.
    int findTab(const Vtx_String& name) const;
    /// The tab at index, or nullptr.
    MacroTabData* getTab(int index);
    int tabCount() const { return static_cast<int>(m_tabs.size()); }

    Vtx_String title;

private:
    Vtx_DbMacro* m_dbMacro = nullptr;
    std::vector<MacroTabData> m_tabs;
};

/// Reads or writes the first (or second) bolt count of the pattern named
/// patternName of the tab's bolt module. The second count needs a
/// two-directional pattern; a count written must be a whole number >= 1.
VTX_CORE_API ErrorStatus getSetNrBolts(MacroTabData* tab, const Vtx_String& patternName,
                                       Vtx_String& value, bool get, bool first);

/// The macro's tab mapping record: the assigned standards spreadsheets with
/// their keys, the macro's module group names and the candidate mapping that
/// the mapping page offers (not owned).
class KsSSMapping;
struct VTX_CORE_API TabMappingData {
    Vtx_StringArray spreadsheetNames;
    Vtx_StringArray mappingKeys;
    Vtx_StringArray groupNames;
    KsSSMapping* candidates = nullptr;

    /// Fills names, keys and group names (the distinct tab names of the
    /// macro's modules, in module order) from a macro.
    void initFromMacro(const Vtx_Macro& macro);
    /// Writes names and keys back into the macro's assignments, one per name;
    /// a name without a key gets an empty key.
    void storeToMacro(Vtx_Macro& macro) const;
    /// The key held for spreadsheet `name` (case ignored); index gives which
    /// of several assignments of the same name. Empty when none.
    Vtx_String getMapping(const Vtx_String& name, int index = 0) const;
};
