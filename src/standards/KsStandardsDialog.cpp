#include "standards/KsStandardsDialog.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "standards/EvaluationStack.h"
#include "standards/FileTextCache.h"
#include "standards/KsTrace.h"
#include "standards/StandardsMessages.h"
#include "standards/StandardsTimers.h"

namespace {

// Options the sheet is given before its equations run: 13 cells protected,
// 8 no redraw, 12 on, 7 no automatic recalculation.
void setEvaluationOptions(KsStandardsSheet& sheet) {
    sheet.setOption(13, true);
    sheet.setOption(8, false);
    sheet.setOption(12, true);
    sheet.setOption(7, false);
}

} // namespace

KsStandardsDialog::KsStandardsDialog() {
    m_host.addPlaceholder(kStandardsSheetPlaceholder, {0, 0, 600, 400});
}

bool KsStandardsDialog::create() {
    return m_sheet.isCreated() || m_sheet.createInDialog(&m_host, kStandardsSheetPlaceholder, true);
}

ErrorStatus KsStandardsDialog::evaluate() {
    KsTrace* const trace = gKsTrace;
    if (!trace)
        return evaluateSheet();
    trace->sheetStarted(m_data.spreadsheetName,
                        m_data.callMode == KsDlgStandardsData::kChildEvaluation);
    const ErrorStatus es = evaluateSheet();
    trace->sheetFinished(m_sheet.path(), m_sheet.varCells(), es);
    return es;
}

ErrorStatus KsStandardsDialog::evaluateSheet() {
    if (m_data.callMode != KsDlgStandardsData::kMacroEvaluation &&
        m_data.callMode != KsDlgStandardsData::kChildEvaluation)
        return eOk;
    if (!create())
        return eGeneralError;
    ErrorStatus es = load();
    if (es != eOk)
        return es;
    evaluation::ActiveSheet active(m_sheet.path());
    if (m_data.callMode == KsDlgStandardsData::kChildEvaluation) {
        {
            TimerScope timer(gGetFromVars);
            es = childInputSetUp();
        }
        if (es != eOk)
            return es;
        {
            TimerScope timer(gCalcChild);
            es = calculate();
        }
        if (es != eOk)
            return es;
        // Outputs go back to the passed variables, paired by position with
        // the locals skipped.
        TimerScope copyTimer(gSetToVars);
        KsVarCells& passed = m_data.varCells;
        int locals = 0;
        for (int i = 0; i < m_sheet.varCells().length(); ++i) {
            const KsVarCell& cell = m_sheet.varCells()[i];
            if (cell.isLocal()) {
                ++locals;
                continue;
            }
            if (i - locals >= passed.length())
                return eOutOfRange;
            if (cell.isOutput())
                passed[i - locals].setNewValue(cell.value);
        }
        return eOk;
    }
    es = macroInputSetUp();
    if (es != eOk)
        return es;
    {
        TimerScope timer(gCalcMain);
        es = calculate();
        if (es == eOk)
            es = m_sheet.varCells().getValuesFromSS(m_sheet);
    }
    if (es != eOk)
        return es;
    {
        TimerScope timer(gSetToMacro);
        m_sheet.varCells().setToMacro(m_data);
    }
    m_data.varCells = m_sheet.varCells();
    return eOk;
}

ErrorStatus KsStandardsDialog::load() {
    TimerScope timer(gLoadFile);
    Vtx_String path = m_data.spreadsheetName;
    if (!fileExists(path))
        path = gSettings.libDir + "Connection Standards\\" + m_data.spreadsheetName + ".kss";
    setEvaluationOptions(m_sheet);
    Vtx_String reason;
    // The file is parsed once per version; each run works on a copy.
    const std::shared_ptr<const vtx::sheet::SheetModel> parsed =
        standards::cachedSheet(path, &reason);
    if (!parsed || !m_sheet.copyGrid(*parsed, &reason)) {
        m_sheet.setPath(path);
        sheetError("Cannot load the standards spreadsheet " + path + ": " + reason);
        return eFileNotFound;
    }
    // A loaded file brings its own options; the run needs these. Nothing of
    // an earlier run of this pooled dialog (variables, mapping) carries over.
    setEvaluationOptions(m_sheet);
    m_sheet.setPath(path);
    m_sheet.varCells() = KsVarCells();
    m_sheet.scanLabels();
    return eOk;
}

ErrorStatus KsStandardsDialog::macroInputSetUp() {
    if (!m_data.dbMacro || !m_data.transaction)
        return eNullPtr;
    m_sheet.setGenVars(m_data.genVarNames, m_data.genVarValues);
    ErrorStatus es = eOk;
    {
        TimerScope timer(gInitSSForInput);
        es = m_sheet.readVariables(true);
    }
    if (es != eOk) {
        sheetError("The standards spreadsheet " + m_sheet.path() +
                   " has no Input or no Output section.");
        return es;
    }
    {
        TimerScope timer(gSSSGetFromMacro);
        es = m_sheet.varCells().getFromMacro(m_data);
    }
    if (es != eOk)
        return es;
    {
        TimerScope timer(gSetMacroValuelsToSS);
        es = m_sheet.varCells().setValuesToSS(m_sheet);
    }
    if (es != eOk)
        return es;
    TimerScope timer(gSSSreplaceGenVars);
    m_sheet.replaceGenVars();
    return eOk;
}
