#include "DrawingSession.h"

#include "platform/core/MacroData.h"
#include "platform/host/Host.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsSSDlgsMgr.h"

#include <charconv>
#include <cmath>
#include <string>

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

Vtx_StringArray DrawingSession::macroNames() const {
    Vtx_StringArray names;
    if (m_db)
        for (const auto& dbMacro : m_db->macros())
            names.append(dbMacro->macro()->name());
    return names;
}

void DrawingSession::macroGeneralVariables(const Vtx_String& macro, Vtx_StringArray& names,
                                           Vtx_StringArray& values) const {
    names.removeAll();
    values.removeAll();
    if (const Vtx_DbMacro* dbMacro = m_db ? m_db->findMacro(macro) : nullptr)
        dbMacro->macro()->getGeneralVariableTexts(names, values);
}

bool DrawingSession::setMacroGeneralVariables(const Vtx_String& macro, const Vtx_StringArray& names,
                                              const Vtx_StringArray& values, Vtx_String& reason) {
    reason.clear();
    Vtx_DbMacro* dbMacro = m_db ? m_db->findMacro(macro) : nullptr;
    if (!dbMacro) {
        reason = "there is no macro " + macro;
        return false;
    }
    Vtx_Macro& target = *dbMacro->macroWrite();
    for (int i = 0; i < names.length(); ++i) {
        const Vtx_String value = i < values.length() ? values[i] : Vtx_String();
        double before = 0.0;
        // As the engine reads numbers: "." decimals whatever the locale.
        double number = 0.0;
        const std::string text = value.str();
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        const bool isNumber = !text.empty() && error == std::errc() &&
                              end == text.data() + text.size() && std::isfinite(number);
        if (target.generalVariableValue(names[i], before) != eOk)
            reason += "the macro has no general variable " + names[i] + "\n";
        else if (!isNumber)
            reason += names[i] + ": '" + value + "' is not a number\n";
        else if (number != before && target.setGeneralVariable(names[i], number) == eOk)
            m_modified = true;
    }
    return reason.isEmpty();
}

bool DrawingSession::editGeneralVariables() {
    if (!m_db)
        return false;
    KsAutoStandardsData& data = m_db->autoStandardsData();
    const KsAutoStandardsData before = data;
    if (!StartDlgGenVars(data) || data == before)
        return false;
    m_modified = true;
    return true;
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
