#include "DrawingSession.h"

#include "platform/core/MacroData.h"
#include "platform/host/Host.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"

namespace host {

bool DrawingSession::open(const Vtx_String& path, Vtx_String& reason) {
    auto db = std::make_unique<Vtx_Database>();
    if (readDrawingFile(path, *db, reason) != eOk)
        return false;
    m_db = std::move(db);
    m_path = path;
    m_savePath.clear();
    m_modified = false;
    return true;
}

Vtx_StringArray DrawingSession::macrosWithStandards() const {
    Vtx_StringArray names;
    if (m_db)
        for (const auto& dbMacro : m_db->macros())
            if (!dbMacro->macro()->standards().empty())
                names.append(dbMacro->macro()->name());
    return names;
}

std::vector<AppliedStandard> DrawingSession::applyStandards(const Vtx_String& macroName) {
    std::vector<AppliedStandard> done;
    Vtx_DbMacro* dbMacro = m_db ? m_db->findMacro(macroName) : nullptr;
    if (!dbMacro)
        return done;
    // A copy: a standard's outputs may change the macro, not its list.
    const std::vector<Vtx_StandardAssignment> standards = dbMacro->macro()->standards();
    for (const Vtx_StandardAssignment& standard : standards) {
        MacroData macroData;
        AppliedStandard applied{macroName, standard.spreadsheet, false};
        if (macroData.initFromMacro(dbMacro) == eOk) {
            Vtx_Transaction transaction(m_db.get());
            transaction.start();
            KsDlgStandardsData data;
            data.initialize(dbMacro, standard.spreadsheet, standard.mappingKey, &macroData);
            data.transaction = &transaction;
            Vtx_StringArray names;
            Vtx_StringArray values;
            dbMacro->macro()->getGeneralVariableTexts(names, values);
            data.genVarNames = names;
            data.genVarValues = values;
            applied.ok = StartDlgStandardsSS(data);
            if (applied.ok)
                transaction.commit();
            else
                transaction.abort();
        }
        m_modified = m_modified || applied.ok;
        hostPrintf("%s %s to %s.\n", applied.ok ? "Applied" : "*Error* Could not apply",
                   standard.spreadsheet.c_str(), macroName.c_str());
        done.push_back(applied);
    }
    return done;
}

bool DrawingSession::saveAs(const Vtx_String& path, Vtx_String& reason) {
    if (!m_db) {
        reason = "no drawing is open";
        return false;
    }
    if (writeDrawingFile(path, *m_db, reason) != eOk)
        return false;
    m_savePath = path;
    m_modified = false;
    return true;
}

} // namespace host
