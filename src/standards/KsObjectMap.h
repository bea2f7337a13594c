#pragma once

/// One mapped macro object: which object of a connection macro a standards
/// spreadsheet variable stands for, and how its value is read and written.
///
/// The object text that mapping files store is
///     objectName 0x95 kindWord ' ' subName
/// e.g. "EndPlate\x95Distance Thickness"; macro-scope objects (general
/// variables, base profiles) have an empty objectName.
///
///     KsObjectMap object;
///     if (object.getMappingFromStrs("tp", "EndPlate\x95" "Distance Thickness") == eOk) {
///         Vtx_String value;
///         object.getMacroVarValue(dbMacro, &macroData, value, nullptr);
///     }

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

class Vtx_DbMacro;
class Vtx_Macro;
class Vtx_Transaction;
class MacroData;

/// Value type of a spreadsheet variable and of a mapped object. Int and
/// Double are numeric; two types are "like" when both are numeric or both
/// are String.
enum class KsValueType : int { Int = 0, Double = 1, String = 2 };

bool isNumericType(KsValueType type);
bool isLikeType(KsValueType a, KsValueType b);

/// Kind of a mapped object. The numbers are kept in memory only; files hold
/// the kind words (see kindWord).
enum KsObjectVarKind : int {
    kKindNone = 0,
    kKindDistance = 1,
    kKindGenVar = 2,
    kKindCutOffset = 3,
    kKindCutPolyOffset = 4,
    kKindCutLengthOffset = 5,
    kKindCutCenterOffset = 6,
    kKindCutInsideOffset = 7,
    kKindCutOutsideOffset = 8,
    kKindCutChamferOffset1 = 9,
    kKindCutChamferOffset2 = 10,
    kKindCutRadius = 11,
    kKindPrPlName = 12,
    kKindPrPlMaterial = 13,
    kKindOwnedMemberName = 14,
    kKindMemberSectionSize = 15,
    kKindPatternNrBolts1 = 16,
    kKindPatternNrBolts2 = 17,
    kKindPatternReverseStart1 = 18,
    kKindPatternReverseStart2 = 19,
    kKindBoltsDiameter = 20,
    kKindBoltsHoleOffset = 21,
};

/// The kind word of a kind ("Distance", ...); empty for kKindNone or an
/// unknown number.
Vtx_String kindWord(int kind);
/// The value type of a kind; false for kKindNone or an unknown number.
bool kindValueType(int kind, KsValueType& type);
/// True for the cut kinds (kKindCutOffset .. kKindCutRadius).
bool isCutKind(int kind);

class VTX_MODULE_API KsObjectMap {
public:
    KsObjectMap() = default;
    virtual ~KsObjectMap() = default;
    KsObjectMap(const KsObjectMap&) = default;
    KsObjectMap& operator=(const KsObjectMap&) = default;

    /// Reads an object from its object text: objectName before the first
    /// 0x95 byte; the rest, without surrounding blanks, must begin with a
    /// kind word (tried in file order, first prefix wins); subName is the
    /// text after the rest's first blank. eInvalidInput when there is no
    /// 0x95 byte or no kind word; the object is then unchanged.
    ErrorStatus getMappingFromStrs(const Vtx_String& ssVarName, const Vtx_String& objectText);
    /// The object text and the variable name; eInvalidInput for kKindNone.
    ErrorStatus setMappingToStrs(Vtx_String& objectText, Vtx_String& ssVarName) const;
    /// Finds varName in names (case ignored) and reads the object text at the
    /// same index of objectTexts.
    ErrorStatus mapFromArrays(const Vtx_StringArray& names, const Vtx_StringArray& objectTexts,
                              const Vtx_String& varName);
    /// eOk when objectName and subName are equal (case ignored) and the kinds
    /// are equal; ssVarName and category are not compared.
    ErrorStatus isCompatible(const KsObjectMap& other) const;

    /// Reads the object's value from the macro as text.
    ErrorStatus getMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData, Vtx_String& value,
                                 Vtx_Transaction* transaction) const;
    /// Writes a value text into the macro; read-only kinds fail unchanged.
    ErrorStatus setMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData,
                                 const Vtx_String& value, Vtx_Transaction* transaction) const;

    Vtx_String objectName;
    Vtx_String subName;
    Vtx_String ssVarName;
    int kind = kKindNone;
    int category = 3;
    Vtx_String caption;

private:
    ErrorStatus getSetMacroVarValue(Vtx_DbMacro* dbMacro, MacroData* macroData, Vtx_String& value,
                                    bool get, Vtx_Transaction* transaction) const;
    ErrorStatus getSetModuleVarValue(Vtx_Macro* macro, MacroData* macroData,
                                     const Vtx_String& moduleName, int moduleIndex,
                                     Vtx_String& value, bool get,
                                     Vtx_Transaction* transaction) const;
};
