#include "platform/core/MacroData.h"

// ---------------------------------------------------------------- tab

MacroTabData::MacroTabData(Vtx_Macro* macro, const Vtx_String& name, int kind)
    : m_macro(macro), m_name(name), m_kind(kind) {}

std::vector<Vtx_Module*> MacroTabData::modules() const {
    std::vector<Vtx_Module*> result;
    if (m_macro == nullptr)
        return result;
    for (const Vtx_String& name : m_moduleNames)
        if (Vtx_Module* module = m_macro->findModuleWrite(name))
            result.push_back(module);
    return result;
}

Vtx_BoltModule* MacroTabData::boltModule() {
    for (Vtx_Module* module : modules())
        if (auto* bolts = dynamic_cast<Vtx_BoltModule*>(module))
            return bolts;
    return nullptr;
}

Vtx_BoltData* MacroTabData::getBoltData() {
    Vtx_BoltModule* bolts = boltModule();
    if (bolts == nullptr)
        return nullptr;
    return &bolts->boltData();
}

std::vector<Vtx_DialogVariable*> MacroTabData::flexFixVariables(const Vtx_String& name) const {
    std::vector<Vtx_DialogVariable*> result;
    for (Vtx_Module* module : modules()) {
        Vtx_DialogVariable* variable = module->findVariable(name);
        if (variable != nullptr && variable->hasFlexFix)
            result.push_back(variable);
    }
    return result;
}

bool MacroTabData::getFlexFixBtnStatus(const Vtx_String& name, bool& isFixed, bool& isFree) const {
    std::vector<Vtx_DialogVariable*> variables = flexFixVariables(name);
    if (variables.empty())
        return false;
    isFixed = variables.front()->fixed;
    isFree = !isFixed;
    return true;
}

bool MacroTabData::flexFixBtnClicked(const Vtx_String& name, bool toggle) {
    std::vector<Vtx_DialogVariable*> variables = flexFixVariables(name);
    if (variables.empty())
        return false;
    const bool fixed = toggle ? !variables.front()->fixed : true;
    for (Vtx_DialogVariable* variable : variables)
        variable->fixed = fixed;
    return true;
}

std::vector<Vtx_ProfPlacement*> MacroTabData::placementsOfGroup(const Vtx_String& groupName) const {
    std::vector<Vtx_ProfPlacement*> result;
    if (groupName.isEmpty())
        return result;
    for (Vtx_Module* module : modules()) {
        auto* profiles = dynamic_cast<Vtx_ProfModule*>(module);
        if (profiles == nullptr)
            continue;
        for (Vtx_ProfPlacement& placement : profiles->profArray())
            if (placement.name.equal(groupName, false))
                result.push_back(&placement);
    }
    return result;
}

namespace {

/// Keeps the first text and empties it as soon as another one differs.
void mergeText(Vtx_String& merged, const Vtx_String& text, bool first) {
    if (first)
        merged = text;
    else if (!merged.equal(text, true))
        merged.clear();
}

Vtx_ProfileEntity* placementProfile(const Vtx_ProfPlacement& placement) {
    const Vtx_ObjectId& id = placement.profileId;
    return id.isNull() ? nullptr : id.database()->profile(id);
}

} // namespace

bool MacroTabData::getMergedPropsOfGroup(const Vtx_String& groupName,
                                         Vtx_ProfileProps& props) const {
    std::vector<Vtx_ProfPlacement*> placements = placementsOfGroup(groupName);
    if (placements.empty())
        return false;
    Vtx_ProfileProps merged;
    bool first = true;
    for (const Vtx_ProfPlacement* placement : placements) {
        const Vtx_ProfileEntity* profile = placementProfile(*placement);
        mergeText(merged.name, placement->memberName, first);
        mergeText(merged.sectionName, profile ? profile->sectionName : Vtx_String(), first);
        mergeText(merged.material, profile ? profile->material : Vtx_String(), first);
        first = false;
    }
    props = merged;
    return true;
}

bool MacroTabData::setMergedPropsOfGroup(const Vtx_String& groupName,
                                         const Vtx_ProfileProps& props) {
    std::vector<Vtx_ProfPlacement*> placements = placementsOfGroup(groupName);
    if (placements.empty())
        return false;
    for (Vtx_ProfPlacement* placement : placements) {
        placement->memberName = props.name;
        Vtx_ProfileEntity* profile = placementProfile(*placement);
        if (profile == nullptr)
            continue;
        if (!props.sectionName.isEmpty())
            profile->sectionName = props.sectionName;
        if (!props.material.isEmpty())
            profile->material = props.material;
    }
    return true;
}

// ---------------------------------------------------------------- macro data

ErrorStatus MacroData::initFromMacro(Vtx_DbMacro* dbMacro) {
    if (dbMacro == nullptr)
        return eNullPtr;
    m_dbMacro = dbMacro;
    m_tabs.clear();
    Vtx_Macro* macro = dbMacro->macroWrite();
    title = macro->name();
    for (const auto& module : macro->modules()) {
        int index = findTab(module->tabName());
        if (index < 0) {
            m_tabs.emplace_back(macro, module->tabName(), kTabVariables);
            index = tabCount() - 1;
        }
        MacroTabData& tab = m_tabs[static_cast<std::size_t>(index)];
        tab.addModuleName(module->name());
        if (module->kind() == Vtx_ModuleKind::Bolt)
            tab.setKind(kTabBolts);
        else if (module->kind() == Vtx_ModuleKind::Profile && tab.kind() != kTabBolts)
            tab.setKind(kTabProfiles);
    }
    return eOk;
}

int MacroData::findTab(const Vtx_String& name) const {
    for (int i = 0; i < tabCount(); ++i)
        if (m_tabs[static_cast<std::size_t>(i)].name().equal(name, false))
            return i;
    return -1;
}

MacroTabData* MacroData::getTab(int index) {
    if (index < 0 || index >= tabCount())
        return nullptr;
    return &m_tabs[static_cast<std::size_t>(index)];
}

// ---------------------------------------------------------------- bolt counts

ErrorStatus getSetNrBolts(MacroTabData* tab, const Vtx_String& patternName, Vtx_String& value,
                          bool get, bool first) {
    if (tab == nullptr)
        return eNullPtr;
    Vtx_BoltModule* bolts = tab->boltModule();
    if (bolts == nullptr)
        return eNotApplicable;
    Vtx_ObjectId id;
    if (ErrorStatus status = findPattern(bolts, patternName, id); status != eOk)
        return status;
    Vtx_BoltPattern* pattern = nullptr;
    if (ErrorStatus status = getPattern(id, pattern); status != eOk)
        return status;
    if (!first && pattern->type != Vtx_PatternType::TwoDirectional)
        return eNotApplicable;
    Vtx_String& count = first ? pattern->nrBolts1 : pattern->nrBolts2;
    if (get) {
        value = count;
        return eOk;
    }
    int number = 0;
    if (!value.toInt(number) || number < 1)
        return eInvalidInput;
    count = Vtx_String::fromInt(number);
    return eOk;
}

// ---------------------------------------------------------------- tab mapping

void TabMappingData::initFromMacro(const Vtx_Macro& macro) {
    spreadsheetNames.removeAll();
    mappingKeys.removeAll();
    groupNames.removeAll();
    for (const Vtx_StandardAssignment& assignment : macro.standards()) {
        spreadsheetNames.append(assignment.spreadsheet);
        mappingKeys.append(assignment.mappingKey);
    }
    for (const auto& module : macro.modules())
        if (!groupNames.contains(module->tabName(), false))
            groupNames.append(module->tabName());
}

void TabMappingData::storeToMacro(Vtx_Macro& macro) const {
    std::vector<Vtx_StandardAssignment> standards;
    for (int i = 0; i < spreadsheetNames.length(); ++i) {
        Vtx_StandardAssignment assignment;
        assignment.spreadsheet = spreadsheetNames[i];
        if (mappingKeys.isValid(i))
            assignment.mappingKey = mappingKeys[i];
        standards.push_back(assignment);
    }
    macro.standards() = std::move(standards);
}

Vtx_String TabMappingData::getMapping(const Vtx_String& name, int index) const {
    int seen = 0;
    for (int i = 0; i < spreadsheetNames.length(); ++i) {
        if (!spreadsheetNames[i].equal(name, false))
            continue;
        if (seen++ == index)
            return mappingKeys.isValid(i) ? mappingKeys[i] : Vtx_String();
    }
    return Vtx_String();
}
