#pragma once

/// The record a sibling module fills to have a connection standard applied
/// to a macro (call mode 0) or a child spreadsheet evaluated (call mode 1).

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "standards/KsVarCells.h"

class Vtx_DbMacro;
class Vtx_Transaction;
class MacroData;

class VTX_MODULE_API KsDlgStandardsData {
public:
    enum CallMode : int { kMacroEvaluation = 0, kChildEvaluation = 1 };

    KsDlgStandardsData() = default;
    virtual ~KsDlgStandardsData() = default;
    KsDlgStandardsData(const KsDlgStandardsData&) = default;
    KsDlgStandardsData& operator=(const KsDlgStandardsData&) = default;

    /// Fails without macro or macro data. Sets the module group name from a
    /// "Module." key, call mode 0 and the three other fields.
    ErrorStatus initialize(Vtx_DbMacro* macro, const Vtx_String& spreadsheet, const Vtx_String& key,
                           MacroData* data);

    int callMode = kMacroEvaluation;
    Vtx_String spreadsheetName;
    Vtx_DbMacro* dbMacro = nullptr;
    Vtx_String mappingKey;
    Vtx_String moduleGroupName;
    Vtx_Transaction* transaction = nullptr;
    MacroData* macroData = nullptr;
    Vtx_StringArray genVarNames;
    Vtx_StringArray genVarValues;
    /// After a macro evaluation the spreadsheet's variables with their final
    /// values; for a child evaluation the variables passed in, with results.
    KsVarCells varCells;
};
