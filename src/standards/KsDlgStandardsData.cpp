#include "standards/KsDlgStandardsData.h"

#include "standards/MappingText.h"

ErrorStatus KsDlgStandardsData::initialize(Vtx_DbMacro* macro, const Vtx_String& spreadsheet,
                                           const Vtx_String& key, MacroData* data) {
    if (!macro || !data)
        return eNullPtr;
    moduleGroupName.clear();
    if (key.startsWith(kModuleKeyPrefix)) {
        int dot = key.find('.');
        moduleGroupName = key.mid(dot + 1);
    }
    callMode = kMacroEvaluation;
    dbMacro = macro;
    spreadsheetName = spreadsheet;
    mappingKey = key;
    macroData = data;
    return eOk;
}
