// The access functions of the macro model: what the standards engine and the
// macro dialogs use to read and write a macro's objects.

#include "platform/core/MacroModel.h"

#include <cmath>
#include <iterator>

namespace {

/// A transaction must belong to the database of the objects it touches.
bool transactionFits(const Vtx_Transaction* transaction, const Vtx_ObjectId& id) {
    return transaction == nullptr || transaction->database() == nullptr ||
           transaction->database() == id.database();
}

Vtx_ProfileEntity* openProfile(const Vtx_ObjectId& id, const Vtx_Transaction* transaction,
                               ErrorStatus& status) {
    status = eOk;
    if (id.isNull()) {
        status = eNullPtr;
        return nullptr;
    }
    if (!transactionFits(transaction, id)) {
        status = eInvalidInput;
        return nullptr;
    }
    Vtx_ProfileEntity* profile = id.database()->profile(id);
    if (profile == nullptr)
        status = eKeyNotFound;
    return profile;
}

// Offsets per cut type as bit sets over KsCutOffsetType.
constexpr int bit(int offset) {
    return 1 << offset;
}
constexpr int kCutOffsetSets[] = {
    bit(kOffsetCut),                                                                    // straight
    bit(kOffsetPoly) | bit(kOffsetLength),                                              // polygon
    bit(kOffsetCut) | bit(kOffsetInside) | bit(kOffsetOutside) | bit(kOffsetRadius),    // cope
    bit(kOffsetLength) | bit(kOffsetCenter),                                            // center
    bit(kOffsetChamfer1) | bit(kOffsetChamfer2),                                        // chamfer
    bit(kOffsetCut) | bit(kOffsetChamfer1) | bit(kOffsetChamfer2) | bit(kOffsetRadius), // full
};
constexpr int kCutTypeCount = static_cast<int>(std::size(kCutOffsetSets));

bool cutOffers(int cutType, int offsetType) {
    if (cutType < 0 || cutType >= kCutTypeCount || offsetType < 0 || offsetType >= kOffsetTypeCount)
        return false;
    return (kCutOffsetSets[cutType] & bit(offsetType)) != 0;
}

} // namespace

ErrorStatus openModule(Vtx_Macro* macro, const Vtx_String& moduleName, Vtx_Module*& module,
                       int moduleIndex) {
    if (macro == nullptr)
        return eNullPtr;
    if (!moduleName.isEmpty()) {
        Vtx_Module* found = macro->findModuleWrite(moduleName);
        if (found == nullptr)
            return eKeyNotFound;
        module = found;
        return eOk;
    }
    const auto& modules = macro->modules();
    if (moduleIndex < 0 || moduleIndex >= static_cast<int>(modules.size()))
        return eInvalidIndex;
    module = modules[static_cast<std::size_t>(moduleIndex)].get();
    return eOk;
}

ErrorStatus getModNamesOfGroup(const Vtx_Macro* macro, const Vtx_String& group,
                               Vtx_StringArray& names) {
    if (macro == nullptr)
        return eNullPtr;
    names.removeAll();
    if (group.isEmpty())
        return eOk;
    for (const auto& module : macro->modules())
        if (module->tabName().equal(group, false))
            names.append(module->name());
    return names.isEmpty() ? eKeyNotFound : eOk;
}

ErrorStatus getDialogVariables(const Vtx_Module* module, Vtx_StringArray& names,
                               Vtx_Array<bool>& visible, Vtx_Array<bool>& driving) {
    if (module == nullptr)
        return eNullPtr;
    names.removeAll();
    visible.removeAll();
    driving.removeAll();
    for (const Vtx_DialogVariable& variable : module->variables()) {
        names.append(variable.name);
        visible.append(variable.visible);
        driving.append(variable.driving);
    }
    return eOk;
}

ErrorStatus getSetConstrVarValue(Vtx_Module* module, const Vtx_String& name, Vtx_String& value,
                                 bool get) {
    if (module == nullptr)
        return eNullPtr;
    Vtx_DialogVariable* variable = module->findVariable(name);
    if (variable == nullptr)
        return eKeyNotFound;
    if (get) {
        value = Vtx_String(variable->value, 0, true);
        return eOk;
    }
    double number = 0;
    if (!value.toDouble(number) || !std::isfinite(number))
        return eInvalidInput;
    variable->value = number;
    return eOk;
}

ErrorStatus getCutConstraints(const Vtx_Module* module, Vtx_StringArray& names,
                              Vtx_Array<int>& cutTypes) {
    if (module == nullptr)
        return eNullPtr;
    names.removeAll();
    cutTypes.removeAll();
    for (const Vtx_CutConstraint& cut : module->cuts()) {
        names.append(cut.name);
        cutTypes.append(cut.cutType);
    }
    return eOk;
}

ErrorStatus getCutConstraint(Vtx_Module* module, const Vtx_String& cutName,
                             Vtx_CutConstraint*& cut) {
    if (module == nullptr)
        return eNullPtr;
    for (Vtx_CutConstraint& candidate : module->cuts()) {
        if (candidate.name.equal(cutName, false)) {
            cut = &candidate;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus getCutOffsets(int cutType, Vtx_Array<int>& offsetTypes) {
    offsetTypes.removeAll();
    if (cutType < 0 || cutType >= kCutTypeCount)
        return eInvalidInput;
    for (int offset = 0; offset < kOffsetTypeCount; ++offset)
        if (cutOffers(cutType, offset))
            offsetTypes.append(offset);
    return eOk;
}

ErrorStatus getSetCutValue(Vtx_Module* module, Vtx_CutConstraint* cut, int offsetType,
                           double& value, bool get) {
    if (module == nullptr || cut == nullptr)
        return eNullPtr;
    bool owned = false;
    for (const Vtx_CutConstraint& candidate : module->cuts())
        owned = owned || &candidate == cut;
    if (!owned)
        return eInvalidInput;
    if (offsetType < 0 || offsetType >= kOffsetTypeCount)
        return eOutOfRange;
    if (!cutOffers(cut->cutType, offsetType))
        return eNotApplicable;
    if (get) {
        value = cut->offsets[offsetType];
        return eOk;
    }
    if (!std::isfinite(value))
        return eInvalidInput;
    cut->offsets[offsetType] = value;
    return eOk;
}

ErrorStatus findPattern(Vtx_BoltModule* module, const Vtx_String& patternName,
                        Vtx_ObjectId& patternId, Vtx_Transaction* transaction) {
    if (module == nullptr)
        return eNullPtr;
    for (const Vtx_ObjectId& id : module->patternIds()) {
        Vtx_BoltPattern* pattern = nullptr;
        if (getPattern(id, pattern, transaction) == eOk &&
            pattern->name.equal(patternName, false)) {
            patternId = id;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus getPattern(const Vtx_ObjectId& patternId, Vtx_BoltPattern*& pattern,
                       Vtx_Transaction* transaction) {
    if (patternId.isNull())
        return eNullPtr;
    if (!transactionFits(transaction, patternId))
        return eInvalidInput;
    Vtx_BoltPattern* found = patternId.database()->pattern(patternId);
    if (found == nullptr)
        return eKeyNotFound;
    pattern = found;
    return eOk;
}

ErrorStatus getSetBoltPatternReverses(Vtx_BoltModule* module, const Vtx_ObjectId& patternId,
                                      bool first, bool get, bool& reverse,
                                      Vtx_Transaction* transaction) {
    if (module == nullptr)
        return eNullPtr;
    bool owned = false;
    for (const Vtx_ObjectId& id : module->patternIds())
        owned = owned || id == patternId;
    if (!owned)
        return eKeyNotFound;
    Vtx_BoltPattern* pattern = nullptr;
    if (ErrorStatus status = getPattern(patternId, pattern, transaction); status != eOk)
        return status;
    if (!first && pattern->type != Vtx_PatternType::TwoDirectional)
        return eNotApplicable;
    bool& flag = first ? pattern->reverseStart1 : pattern->reverseStart2;
    if (get)
        reverse = flag;
    else
        flag = reverse;
    return eOk;
}

ErrorStatus getNamedPrpl(Vtx_Module* module, const Vtx_String& name, Vtx_ObjectId& profileId) {
    if (module == nullptr)
        return eNullPtr;
    const auto* profModule = dynamic_cast<const Vtx_ProfModule*>(module);
    if (profModule == nullptr)
        return eWrongObjectType;
    for (const Vtx_ProfPlacement& placement : profModule->profArray()) {
        if (!placement.name.isEmpty() && placement.name.equal(name, false)) {
            profileId = placement.profileId;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus getBaseProf(Vtx_DbMacro* dbMacro, int n, Vtx_ObjectId& profileId) {
    if (dbMacro == nullptr)
        return eNullPtr;
    const auto& profiles = dbMacro->macro()->baseProfiles();
    if (n < 0 || n >= static_cast<int>(profiles.size()))
        return eInvalidIndex;
    profileId = profiles[static_cast<std::size_t>(n)];
    return eOk;
}

ErrorStatus getSectionName(const Vtx_ObjectId& profileId, Vtx_String& sectionName,
                           Vtx_Transaction* transaction) {
    ErrorStatus status = eOk;
    const Vtx_ProfileEntity* profile = openProfile(profileId, transaction, status);
    if (profile != nullptr)
        sectionName = profile->sectionName;
    return status;
}

ErrorStatus getMaterial(const Vtx_ObjectId& profileId, Vtx_String& material,
                        Vtx_Transaction* transaction) {
    ErrorStatus status = eOk;
    const Vtx_ProfileEntity* profile = openProfile(profileId, transaction, status);
    if (profile != nullptr)
        material = profile->material;
    return status;
}
