#include "standards/MacroBinding.h"

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/StringUtils.h"
#include "standards/KsVarCells.h"

namespace {

// A value to write that the macro already holds: the same number to the
// decimals of a Double variable cell (what an output's text carries), or the
// same text. Writing it would change nothing the standard decided, yet it
// would fix a free dialog variable and rewrite a number text in another
// form, so it is left out.
bool holdsAlready(const Vtx_String& current, const Vtx_String& value) {
    double held = 0;
    double wanted = 0;
    if (current.toDouble(held) && value.toDouble(wanted))
        return Vtx_String(held, kDoubleCellDecimals) == Vtx_String(wanted, kDoubleCellDecimals);
    return current == value;
}

} // namespace

namespace binding {

MacroTabData* moduleTab(MacroData* macroData, const Vtx_Module* module) {
    if (!macroData || !module)
        return nullptr;
    return macroData->getTab(macroData->findTab(module->tabName()));
}

ErrorStatus distanceAccess(MacroTabData* tab, Vtx_Module* module, const Vtx_String& name,
                           Vtx_String& value, bool get) {
    if (!get) {
        // A module without the variable is no reason to fix the tab's
        // button (another module of the tab may have it), nor is a value
        // the variable already has.
        Vtx_String current;
        if (const ErrorStatus held = getSetConstrVarValue(module, name, current, true); held != eOk)
            return held;
        if (holdsAlready(current, value))
            return eOk;
    }
    if (!get && tab) {
        bool isFixed = false;
        bool isFree = true;
        if (tab->getFlexFixBtnStatus(name, isFixed, isFree) && (!isFixed || isFree))
            tab->flexFixBtnClicked(name, false);
    }
    return getSetConstrVarValue(module, name, value, get);
}

ErrorStatus cutAccess(Vtx_Module* module, const Vtx_String& cutName, int offsetType,
                      Vtx_String& value, bool get) {
    Vtx_CutConstraint* cut = nullptr;
    if (getCutConstraint(module, cutName, cut) != eOk || !cut)
        return eKeyNotFound;
    double number = 0;
    // A text that is no number would silently become 0 in the macro.
    if (!get && !value.toDouble(number))
        return eInvalidInput;
    ErrorStatus es = getSetCutValue(module, cut, offsetType, number, get);
    if (es != eOk)
        return es;
    if (get)
        value = Vtx_String(number, kCutPrecision);
    return eOk;
}

ErrorStatus reverseStartAccess(Vtx_BoltModule* module, const Vtx_ObjectId& patternId, bool first,
                               Vtx_String& value, bool get, Vtx_Transaction* transaction) {
    bool reverse = value == "1";
    ErrorStatus es = getSetBoltPatternReverses(module, patternId, first, get, reverse, transaction);
    if (es != eOk)
        return es;
    if (get)
        value = reverse ? "0" : "1";
    return eOk;
}

ErrorStatus memberNameAccess(MacroTabData* tab, const Vtx_String& groupName, Vtx_String& value,
                             bool get) {
    if (!tab)
        return eNullPtr;
    Vtx_ProfileProps props;
    if (!tab->getMergedPropsOfGroup(groupName, props))
        return eKeyNotFound;
    if (get) {
        value = props.name;
        return eOk;
    }
    props.name = value;
    tab->setMergedPropsOfGroup(groupName, props);
    return eOk;
}

ErrorStatus boltDataAccess(MacroTabData* tab, bool diameter, Vtx_String& value, bool get) {
    Vtx_BoltData* data = tab ? tab->getBoltData() : nullptr;
    if (!data)
        return eKeyNotFound;
    Vtx_String& field = diameter ? data->diameter : data->holeOffset;
    if (get)
        value = field;
    else if (!holdsAlready(field, value))
        field = value;
    return eOk;
}

ErrorStatus genVarAccess(Vtx_Macro* macro, const Vtx_String& name, int precision, Vtx_String& value,
                         bool get) {
    if (!macro)
        return eNullPtr;
    if (get) {
        double number = 0;
        ErrorStatus es = macro->generalVariableValue(name, number);
        if (es != eOk)
            return es;
        value = Vtx_String(number, precision);
        return eOk;
    }
    double number = 0;
    if (!value.toDouble(number))
        return eInvalidInput;
    return macro->setGeneralVariable(name, number);
}

} // namespace binding

namespace {

struct CutSuffix {
    const char* suffix;
    int offsetType;
};

constexpr CutSuffix kCutSuffixes[] = {
    {".Cut", kOffsetCut},           {".CutPoly", kOffsetPoly},      {".CutLength", kOffsetLength},
    {".CutCenter", kOffsetCenter},  {".CutInside", kOffsetInside},  {".CutOutside", kOffsetOutside},
    {".Chamfer1", kOffsetChamfer1}, {".Chamfer2", kOffsetChamfer2}, {".CutRadius", kOffsetRadius},
};

// The name before its last '.'.
Vtx_String prefixOf(const Vtx_String& name) {
    int dot = name.findLast('.');
    return dot < 0 ? name : name.left(dot);
}

bool endsWithNoCase(const Vtx_String& name, const char* suffix) {
    return name.endsWith(suffix, false);
}

} // namespace

ErrorStatus getSetNamedModuleValue(const Vtx_String& varName, KsValueType valueType,
                                   Vtx_Macro* macro, Vtx_Module* module, MacroData* macroData,
                                   Vtx_String& value, bool get, Vtx_Transaction* transaction) {
    if (!module || !macroData || !macro)
        return eNullPtr;
    MacroTabData* tab = binding::moduleTab(macroData, module);
    if (!tab)
        return eKeyNotFound;
    const bool numeric = isNumericType(valueType);
    const Vtx_String prefix = prefixOf(varName);

    if (numeric && varName.startsWith("gen.", false)) {
        Vtx_String genName = Vtx_String("gen_") + varName.mid(4);
        Vtx_StringArray names;
        macro->getGeneralVariables(names);
        if (!names.contains(genName, false))
            return eKeyNotFound;
        return binding::genVarAccess(macro, genName, kGenVarNamedPrecision, value, get);
    }
    if (!numeric && get &&
        (endsWithNoCase(varName, ".Name") || endsWithNoCase(varName, ".Material"))) {
        Vtx_ObjectId profileId;
        if (getNamedPrpl(module, prefix, profileId) == eOk) {
            if (endsWithNoCase(varName, ".Name"))
                return getSectionName(profileId, value, transaction);
            return getMaterial(profileId, value, transaction);
        }
    }
    if (numeric) {
        for (const CutSuffix& cut : kCutSuffixes)
            if (endsWithNoCase(varName, cut.suffix))
                return binding::cutAccess(module, prefix, cut.offsetType, value, get);
        if (endsWithNoCase(varName, ".Diameter") || endsWithNoCase(varName, ".HoleOffset"))
            return binding::boltDataAccess(tab, endsWithNoCase(varName, ".Diameter"), value, get);
    }
    if (endsWithNoCase(varName, ".NrBolts1") || endsWithNoCase(varName, ".NrBolts2"))
        return getSetNrBolts(tab, prefix, value, get, endsWithNoCase(varName, ".NrBolts1"));
    if (numeric &&
        (endsWithNoCase(varName, ".ReverseStart1") || endsWithNoCase(varName, ".ReverseStart2"))) {
        if (module->kind() != Vtx_ModuleKind::Bolt)
            return eWrongObjectType;
        auto* boltModule = static_cast<Vtx_BoltModule*>(module);
        Vtx_ObjectId patternId;
        if (findPattern(boltModule, prefix, patternId, transaction) != eOk)
            return eKeyNotFound;
        // The access's own result is reported: a flag that could not be read
        // or written is no success.
        return binding::reverseStartAccess(boltModule, patternId,
                                           endsWithNoCase(varName, ".ReverseStart1"), value, get,
                                           transaction);
    }
    if (!numeric && endsWithNoCase(varName, ".MemberName"))
        return binding::memberNameAccess(tab, prefix, value, get);
    if (!numeric)
        return eInvalidInput;
    return binding::distanceAccess(tab, module, varName, value, get);
}
