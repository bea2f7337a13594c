#pragma once

/// The pool of hidden evaluation dialogs, and the module's Start function
/// that applies a connection standard.
///
///     KsDlgStandardsData data;
///     data.initialize(dbMacro, "Endplate\\EP-Bolted", key, &macroData);
///     data.transaction = &transaction;
///     if (StartDlgStandardsSS(data)) ...   // data.varCells holds the results

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/KsAutoStandardsData.h"

#include <memory>
#include <vector>

class KsStandardsDialog;
class KsDlgStandardsData;

class VTX_MODULE_API KsSSDlgsMgr {
public:
    KsSSDlgsMgr() = default;
    virtual ~KsSSDlgsMgr();
    KsSSDlgsMgr(const KsSSDlgsMgr&) = delete;
    KsSSDlgsMgr& operator=(const KsSSDlgsMgr&) = delete;

    /// The first free dialog, marked in use; a new one when all are in use.
    /// nullptr when none can be made.
    KsStandardsDialog* getDlg();
    /// Frees a dialog of the pool; eKeyNotFound for one not in the pool.
    ErrorStatus releaseDlg(KsStandardsDialog* dialog);
    /// Destroys every dialog, last first.
    void destroyAll();
    int count() const { return static_cast<int>(m_dialogs.size()); }
    int inUseCount() const;

private:
    ErrorStatus destroyDlg(int index);

    std::vector<std::unique_ptr<KsStandardsDialog>> m_dialogs;
    std::vector<bool> m_inUse;
};

/// The module's pool.
extern VTX_MODULE_API KsSSDlgsMgr gSSDlgsMgr;

/// Evaluates data with a pooled dialog; on success copies the results back
/// into data and returns true. On failure data is unchanged.
VTX_MODULE_API bool StartDlgStandardsSS(KsDlgStandardsData& data);

/// The general-variables dialog on the record, modally: true, with the
/// record changed, when it was closed with OK; false, the record as it was,
/// otherwise. In a module built with its dialogs.
VTX_MODULE_API bool StartDlgGenVars(KsAutoStandardsData& data);
