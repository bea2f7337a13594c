#pragma once

/// The hidden evaluation dialog of the standards engine: a window-less
/// dialog host with one KsStandardsSheet in placeholder 1196, and the data of
/// the run. Dialogs are pooled by KsSSDlgsMgr so that a child evaluation gets
/// a dialog of its own while its parent's is in use.

#include "platform/core/ErrorStatus.h"
#include "spread/DialogHost.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/KsStandardsSheet.h"

class NameReplacer;

/// The placeholder control of the sheet in the evaluation dialog.
constexpr int kStandardsSheetPlaceholder = 1196;

class KsStandardsDialog {
public:
    KsStandardsDialog();
    virtual ~KsStandardsDialog() = default;
    KsStandardsDialog(const KsStandardsDialog&) = delete;
    KsStandardsDialog& operator=(const KsStandardsDialog&) = delete;

    /// Makes the sheet in the hidden dialog; false when that fails.
    bool create();
    KsDlgStandardsData& data() { return m_data; }
    KsStandardsSheet& sheet() { return m_sheet; }

    /// Runs the evaluation described by data(): loads the spreadsheet, reads
    /// its variables, fills the inputs (from the macro or the passed
    /// variables), evaluates the equations and hands the outputs back.
    ErrorStatus evaluate();

private:
    ErrorStatus load();
    ErrorStatus macroInputSetUp();
    ErrorStatus childInputSetUp();
    ErrorStatus calculate();
    /// replacer: the variables' names and their cells' addresses.
    void calculateEquation(int column, int row, const NameReplacer& replacer);
    /// reason: why the call failed, when it did.
    ErrorStatus callChild(const Vtx_String& expression, Vtx_String& reason);
    /// Reports a failed equation: a warning (diagnostics on) and the trace.
    void reportEquation(const Vtx_String& name, const Vtx_String& expression, int row,
                        const Vtx_String& reason) const;
    /// Prints an error of the evaluation of this sheet on the host's command
    /// line and tells the trace.
    void sheetError(const Vtx_String& text) const;
    ErrorStatus evaluateSheet();

    HiddenDialogHost m_host;
    KsStandardsSheet m_sheet;
    KsDlgStandardsData m_data;
};
