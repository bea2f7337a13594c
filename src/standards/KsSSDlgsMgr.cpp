#include "standards/KsSSDlgsMgr.h"

#include "standards/KsStandardsDialog.h"

KsSSDlgsMgr gSSDlgsMgr;

KsSSDlgsMgr::~KsSSDlgsMgr() {
    destroyAll();
}

KsStandardsDialog* KsSSDlgsMgr::getDlg() {
    for (std::size_t i = 0; i < m_dialogs.size(); ++i) {
        if (!m_inUse[i] && m_dialogs[i]) {
            m_inUse[i] = true;
            return m_dialogs[i].get();
        }
    }
    auto dialog = std::make_unique<KsStandardsDialog>();
    if (!dialog->create())
        return nullptr;
    m_dialogs.push_back(std::move(dialog));
    m_inUse.push_back(true);
    return m_dialogs.back().get();
}

ErrorStatus KsSSDlgsMgr::releaseDlg(KsStandardsDialog* dialog) {
    for (std::size_t i = 0; i < m_dialogs.size(); ++i) {
        if (m_dialogs[i].get() == dialog && dialog) {
            m_inUse[i] = false;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus KsSSDlgsMgr::destroyDlg(int index) {
    if (index < 0 || index >= count() || !m_dialogs[static_cast<std::size_t>(index)])
        return eInvalidIndex;
    m_dialogs.erase(m_dialogs.begin() + index);
    m_inUse.erase(m_inUse.begin() + index);
    return eOk;
}

void KsSSDlgsMgr::destroyAll() {
    for (int i = count() - 1; i >= 0; --i)
        destroyDlg(i);
    m_inUse.clear();
}

int KsSSDlgsMgr::inUseCount() const {
    int n = 0;
    for (bool used : m_inUse)
        n += used ? 1 : 0;
    return n;
}

bool StartDlgStandardsSS(KsDlgStandardsData& data) {
    KsStandardsDialog* dialog = gSSDlgsMgr.getDlg();
    if (!dialog)
        return false;
    dialog->data() = data;
    const bool ok = dialog->evaluate() == eOk;
    if (ok)
        data = dialog->data();
    gSSDlgsMgr.releaseDlg(dialog);
    return ok;
}
