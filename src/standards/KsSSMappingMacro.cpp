// The candidate list of a macro and value access through a mapping.
#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSMapping.h"
#include "standards/MacroBinding.h"

void KsSSMapping::addCandidate(const Vtx_String& group, const Vtx_String& subName, int kind,
                               int category, const Vtx_String& caption) {
    KsObjectMap object;
    object.objectName = group;
    object.subName = subName;
    object.kind = kind;
    object.category = category;
    object.caption = caption;
    m_mappedObjects.append(object);
}

ErrorStatus KsSSMapping::initAllVarsFromMacro(Vtx_DbMacro* dbMacro, Vtx_Transaction* transaction) {
    if (!dbMacro)
        return eNullPtr;
    const Vtx_Macro* macro = dbMacro->macro();
    Vtx_StringArray moduleNames;
    macro->getModuleNames(moduleNames);
    for (const Vtx_String& moduleName : moduleNames) {
        const Vtx_Module* module = macro->findModule(moduleName);
        if (!module)
            continue;
        const Vtx_String group = module->tabName();
        addAllVariables(module, group);
        addAllCuts(module, group);
        if (module->kind() == Vtx_ModuleKind::Bolt)
            addAllPatterns(module, group, transaction);
        if (module->kind() == Vtx_ModuleKind::Profile)
            addAllProfPlacements(module, group);
    }
    addAllBaseProfs(dbMacro, transaction);
    addAllGenVars(dbMacro);
    return eOk;
}

void KsSSMapping::addAllVariables(const Vtx_Module* module, const Vtx_String& group) {
    Vtx_StringArray names;
    Vtx_Array<bool> visible;
    Vtx_Array<bool> driving;
    if (getDialogVariables(module, names, visible, driving) != eOk)
        return;
    for (int i = 0; i < names.length() && i < visible.length() && i < driving.length(); ++i) {
        int category = visible[i] ? (driving[i] ? 0 : 1) : (driving[i] ? 2 : 3);
        addCandidate(group, names[i], kKindDistance, category);
    }
}

void KsSSMapping::addAllCuts(const Vtx_Module* module, const Vtx_String& group) {
    Vtx_StringArray names;
    Vtx_Array<int> cutTypes;
    if (getCutConstraints(module, names, cutTypes) != eOk)
        return;
    for (int i = 0; i < names.length() && i < cutTypes.length(); ++i) {
        Vtx_Array<int> offsetTypes;
        if (getCutOffsets(cutTypes[i], offsetTypes) != eOk)
            continue;
        for (int offsetType : offsetTypes)
            addCandidate(group, names[i], kKindCutOffset + offsetType);
    }
}

void KsSSMapping::addAllPatterns(const Vtx_Module* module, const Vtx_String& group,
                                 Vtx_Transaction* transaction) {
    const auto* boltModule = static_cast<const Vtx_BoltModule*>(module);
    addCandidate(group, Vtx_String(), kKindBoltsDiameter);
    addCandidate(group, Vtx_String(), kKindBoltsHoleOffset);
    Vtx_Array<Vtx_ObjectId> patternIds;
    if (boltModule->getPatternIds(patternIds) != eOk)
        return;
    for (const Vtx_ObjectId& id : patternIds) {
        Vtx_BoltPattern* pattern = nullptr;
        if (getPattern(id, pattern, transaction) != eOk || !pattern)
            continue;
        addCandidate(group, pattern->name, kKindPatternNrBolts1);
        addCandidate(group, pattern->name, kKindPatternReverseStart1);
        if (pattern->type == Vtx_PatternType::TwoDirectional) {
            addCandidate(group, pattern->name, kKindPatternNrBolts2);
            addCandidate(group, pattern->name, kKindPatternReverseStart2);
        }
    }
}

void KsSSMapping::addAllProfPlacements(const Vtx_Module* module, const Vtx_String& group) {
    const auto* profModule = static_cast<const Vtx_ProfModule*>(module);
    for (const Vtx_ProfPlacement& placement : profModule->profArray())
        if (!placement.name.isEmpty())
            addCandidate(group, placement.name, kKindOwnedMemberName);
}

void KsSSMapping::addAllBaseProfs(Vtx_DbMacro* dbMacro, Vtx_Transaction* transaction) {
    Vtx_Array<Vtx_ObjectId> ids;
    if (dbMacro->mapBaseProfIds(ids) != eOk)
        return;
    for (int n = 0; n < ids.length(); ++n) {
        const Vtx_String prof = Vtx_String("Prof") + Vtx_String::fromInt(n);
        addCandidate(Vtx_String(), prof, kKindPrPlName);
        addCandidate(Vtx_String(), prof, kKindPrPlMaterial);
        Vtx_String sectionName;
        Vtx_StringArray columns;
        if (getSectionName(ids[n], sectionName, transaction) != eOk ||
            getSectionColumnNames(sectionName, columns) != eOk)
            continue;
        for (int c = 0; c < columns.length(); ++c)
            addCandidate(Vtx_String(), prof + ";" + Vtx_String::fromInt(c), kKindMemberSectionSize,
                         0, columns[c]);
    }
}

void KsSSMapping::addAllGenVars(const Vtx_DbMacro* dbMacro) {
    Vtx_StringArray names;
    if (dbMacro->macro()->getGeneralVariables(names) != eOk)
        return;
    for (const Vtx_String& name : names)
        addCandidate(Vtx_String(), name, kKindGenVar);
}

namespace {

ErrorStatus getSetValue(const KsSSMapping& mapping, const Vtx_String& ssVarName,
                        KsValueType valueType, Vtx_String& value, bool get,
                        const KsDlgStandardsData& data) {
    if (!data.dbMacro)
        return eNullPtr;
    if (mapping.mode == KsSSMapping::kModeModuleGroup) {
        Vtx_Macro* macro = data.dbMacro->macroWrite();
        Vtx_StringArray moduleNames;
        getModNamesOfGroup(macro, data.moduleGroupName, moduleNames);
        bool found = false;
        for (const Vtx_String& moduleName : moduleNames) {
            Vtx_Module* module = macro->findModuleWrite(moduleName);
            if (!module)
                continue;
            if (get) {
                if (getSetNamedModuleValue(ssVarName, valueType, macro, module, data.macroData,
                                           value, true, data.transaction) == eOk)
                    return eOk;
            } else {
                Vtx_String copy = value;
                if (getSetNamedModuleValue(ssVarName, valueType, macro, module, data.macroData,
                                           copy, false, data.transaction) == eOk)
                    found = true;
            }
        }
        if (get)
            return eKeyNotFound;
        // A set also goes through any mapped object of the same name; the
        // direct naming above decides the result when it reached a module.
        int index = -1;
        if (mapping.findSSVar(ssVarName, valueType, index) == eOk)
            mapping.mappedObjects()[index].setMacroVarValue(data.dbMacro, data.macroData, value,
                                                            data.transaction);
        return found ? eOk : eKeyNotFound;
    }
    int index = -1;
    if (mapping.findSSVar(ssVarName, valueType, index) != eOk)
        return eKeyNotFound;
    const KsObjectMap& object = mapping.mappedObjects()[index];
    if (get)
        return object.getMacroVarValue(data.dbMacro, data.macroData, value, data.transaction);
    return object.setMacroVarValue(data.dbMacro, data.macroData, value, data.transaction);
}

} // namespace

ErrorStatus KsSSMapping::getMacroVarValue(const Vtx_String& ssVarName, KsValueType valueType,
                                          Vtx_String& value, const KsDlgStandardsData& data) const {
    return getSetValue(*this, ssVarName, valueType, value, true, data);
}

ErrorStatus KsSSMapping::setMacroVarValue(const Vtx_String& ssVarName, KsValueType valueType,
                                          const Vtx_String& value,
                                          const KsDlgStandardsData& data) const {
    Vtx_String copy = value;
    return getSetValue(*this, ssVarName, valueType, copy, false, data);
}
