#include "standards/KsObjectMap.h"

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "platform/core/StringUtils.h"
#include "standards/MacroBinding.h"
#include "standards/MappingText.h"

namespace {

struct KindInfo {
    int kind;
    const char* word;
    KsValueType type;
};

// In the order in which object texts are parsed: the first word that is a
// prefix of the text wins.
constexpr KindInfo kKinds[] = {
    {kKindDistance, "Distance", KsValueType::Double},
    {kKindGenVar, "GenVar", KsValueType::Double},
    {kKindCutOffset, "CutOffset", KsValueType::Double},
    {kKindCutPolyOffset, "CutPolyOffset", KsValueType::Double},
    {kKindCutLengthOffset, "CutLengthOffset", KsValueType::Double},
    {kKindCutCenterOffset, "CutCenterOffset", KsValueType::Double},
    {kKindCutInsideOffset, "CutInsideOffset", KsValueType::Double},
    {kKindCutOutsideOffset, "CutOutsideOffset", KsValueType::Double},
    {kKindCutChamferOffset1, "CutChamferOffset1", KsValueType::Double},
    {kKindCutChamferOffset2, "CutChamferOffset2", KsValueType::Double},
    {kKindCutRadius, "CutRadius", KsValueType::Double},
    {kKindPatternNrBolts1, "PatternNrBolts1", KsValueType::String},
    {kKindPatternNrBolts2, "PatternNrBolts2", KsValueType::String},
    {kKindPatternReverseStart1, "PatternReverseStart1", KsValueType::Int},
    {kKindPatternReverseStart2, "PatternReverseStart2", KsValueType::Int},
    {kKindPrPlName, "PrPlName", KsValueType::String},
    {kKindPrPlMaterial, "PrPlMaterial", KsValueType::String},
    {kKindOwnedMemberName, "OwnedMemberName", KsValueType::String},
    {kKindMemberSectionSize, "MemberSectionSize", KsValueType::Double},
    {kKindBoltsDiameter, "BoltsDiameter", KsValueType::Double},
    {kKindBoltsHoleOffset, "BoltsHoleOffset", KsValueType::Double},
};

const KindInfo* findKind(int kind) {
    for (const KindInfo& info : kKinds)
        if (info.kind == kind)
            return &info;
    return nullptr;
}

bool isPatternKind(int kind) {
    return kind >= kKindPatternNrBolts1 && kind <= kKindPatternReverseStart2;
}

bool isReverseKind(int kind) {
    return kind == kKindPatternReverseStart1 || kind == kKindPatternReverseStart2;
}

// "Prof"n -> n; false when the text is not of that form.
bool baseProfileNumber(const Vtx_String& text, int& n) {
    if (!text.startsWith("Prof"))
        return false;
    Vtx_String rest = text.mid(4);
    return isNumber(rest) && rest.toInt(n) && n >= 0;
}

} // namespace

bool isNumericType(KsValueType type) {
    return type == KsValueType::Int || type == KsValueType::Double;
}

bool isLikeType(KsValueType a, KsValueType b) {
    return isNumericType(a) == isNumericType(b);
}

Vtx_String kindWord(int kind) {
    const KindInfo* info = findKind(kind);
    return info ? Vtx_String(info->word) : Vtx_String();
}

bool kindValueType(int kind, KsValueType& type) {
    const KindInfo* info = findKind(kind);
    if (!info)
        return false;
    type = info->type;
    return true;
}

bool isCutKind(int kind) {
    return kind >= kKindCutOffset && kind <= kKindCutRadius;
}

ErrorStatus KsObjectMap::getMappingFromStrs(const Vtx_String& varName,
                                            const Vtx_String& objectText) {
    int separator = objectText.find(kObjectSeparator);
    if (separator < 0)
        return eInvalidInput;
    Vtx_String rest = stripSymbols(objectText.mid(separator + 1));
    for (const KindInfo& info : kKinds) {
        if (!rest.startsWith(info.word))
            continue;
        int blank = rest.find(' ');
        objectName = objectText.left(separator);
        subName = blank < 0 ? Vtx_String() : rest.mid(blank + 1);
        kind = info.kind;
        ssVarName = varName;
        return eOk;
    }
    return eInvalidInput;
}

ErrorStatus KsObjectMap::setMappingToStrs(Vtx_String& objectText, Vtx_String& varName) const {
    Vtx_String word = kindWord(kind);
    if (word.isEmpty())
        return eInvalidInput;
    objectText = objectName;
    objectText.append(kObjectSeparator).append(word).append(' ').append(subName);
    varName = ssVarName;
    return eOk;
}

ErrorStatus KsObjectMap::mapFromArrays(const Vtx_StringArray& names,
                                       const Vtx_StringArray& objectTexts,
                                       const Vtx_String& varName) {
    int index = names.find(varName, false);
    if (index < 0 || index >= objectTexts.length())
        return eKeyNotFound;
    return getMappingFromStrs(varName, objectTexts[index]);
}

ErrorStatus KsObjectMap::isCompatible(const KsObjectMap& other) const {
    if (objectName.equal(other.objectName, false) && subName.equal(other.subName, false) &&
        kind == other.kind)
        return eOk;
    return eNotApplicable;
}

ErrorStatus KsObjectMap::getMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData,
                                          Vtx_String& value, Vtx_Transaction* transaction) const {
    return getSetMacroVarValue(dbMacro, macroData, value, true, transaction);
}

ErrorStatus KsObjectMap::setMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData,
                                          const Vtx_String& value,
                                          Vtx_Transaction* transaction) const {
    Vtx_String copy = value;
    return getSetMacroVarValue(dbMacro, macroData, copy, false, transaction);
}

ErrorStatus KsObjectMap::getSetMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData,
                                             Vtx_String& value, bool get,
                                             Vtx_Transaction* transaction) const {
    if (!dbMacro)
        return eNullPtr;
    Vtx_Macro* macro = dbMacro->macroWrite();
    Vtx_StringArray moduleNames;
    if (getModNamesOfGroup(macro, objectName, moduleNames) != eOk)
        return eKeyNotFound;
    // Every module of the group takes part; on get the last that answers wins.
    // A module-scope object that no module of its group could serve is a
    // failure, so a stale value is never taken for the macro's.
    ErrorStatus moduleResult = eKeyNotFound;
    bool anyModuleServed = false;
    for (int i = 0; i < moduleNames.length(); ++i) {
        Vtx_String moduleValue = value;
        moduleResult = getSetModuleVarValue(macro, macroData, moduleNames[i], i, moduleValue, get,
                                            transaction);
        if (moduleResult != eOk)
            continue;
        anyModuleServed = true;
        if (get)
            value = moduleValue;
    }
    int n = 0;
    switch (kind) {
    case kKindGenVar:
        return binding::genVarAccess(macro, subName, kGenVarMappedPrecision, value, get);
    case kKindPrPlName:
    case kKindPrPlMaterial: {
        if (!get)
            return eNotApplicable;
        Vtx_ObjectId profileId;
        if (!baseProfileNumber(subName, n) || getBaseProf(dbMacro, n, profileId) != eOk)
            return eKeyNotFound;
        // Both kinds give the section name of the base profile.
        return getSectionName(profileId, value, transaction);
    }
    case kKindMemberSectionSize: {
        if (!get)
            return eNotApplicable;
        Vtx_String profilePart = getSubstrBefore(subName, ';');
        Vtx_String columnPart = getSubstrAfter(subName, ';');
        int column = 0;
        Vtx_ObjectId profileId;
        Vtx_String sectionName;
        if (!baseProfileNumber(profilePart, n) || !isNumber(columnPart) ||
            !columnPart.toInt(column) || getBaseProf(dbMacro, n, profileId) != eOk ||
            getSectionName(profileId, sectionName, transaction) != eOk)
            return eKeyNotFound;
        return getSectionValue(sectionName, column, value);
    }
    default:
        return anyModuleServed ? eOk : moduleResult;
    }
}

ErrorStatus KsObjectMap::getSetModuleVarValue(Vtx_Macro* macro, MacroData* macroData,
                                              const Vtx_String& moduleName, int moduleIndex,
                                              Vtx_String& value, bool get,
                                              Vtx_Transaction* transaction) const {
    switch (kind) {
    case kKindNone:
    case kKindGenVar:
    case kKindPrPlName:
    case kKindPrPlMaterial:
    case kKindMemberSectionSize:
        return eNotApplicable;
    default:
        break;
    }
    Vtx_Module* module = nullptr;
    if (openModule(macro, moduleName, module, moduleIndex) != eOk || !module)
        return eKeyNotFound;
    if (isPatternKind(kind) && module->kind() != Vtx_ModuleKind::Bolt)
        return eWrongObjectType;
    MacroTabData* tab = binding::moduleTab(macroData, module);
    if (!tab)
        return eKeyNotFound;
    if (kind == kKindDistance)
        return binding::distanceAccess(tab, module, subName, value, get);
    if (isCutKind(kind))
        return binding::cutAccess(module, subName, kind - kKindCutOffset, value, get);
    if (kind == kKindBoltsDiameter || kind == kKindBoltsHoleOffset)
        return binding::boltDataAccess(tab, kind == kKindBoltsDiameter, value, get);
    if (isReverseKind(kind)) {
        auto* boltModule = static_cast<Vtx_BoltModule*>(module);
        Vtx_ObjectId patternId;
        if (findPattern(boltModule, subName, patternId, transaction) != eOk)
            return eKeyNotFound;
        return binding::reverseStartAccess(boltModule, patternId, kind == kKindPatternReverseStart1,
                                           value, get, transaction);
    }
    if (kind == kKindPatternNrBolts1 || kind == kKindPatternNrBolts2)
        return getSetNrBolts(tab, subName, value, get, kind == kKindPatternNrBolts1);
    // A member name with no profile placement of that name in the module is
    // neither read nor written: that module did not serve the object.
    if (kind == kKindOwnedMemberName)
        return binding::memberNameAccess(tab, subName, value, get);
    return eOk;
}
