#pragma once

/// The base of every dialog of the module. A dialog knows
///
/// - its template number (the dialog resource it stands for);
/// - its child controls by control id (setControlId / control), so that code
///   written against the ids of the description finds them;
/// - its size-store name ("DLG_GENVARS", ...): when it first shows, it takes
///   its last size and place from the core library's dialog-size store (a
///   stored place off every screen, or nonsense, leaves it at its default
///   size, centred); when it closes or is destroyed it writes them back.
///
/// A new dialog derives from VtxDialog, builds its controls in the
/// constructor with ids and language texts, and is started through
/// runModalStart (ModalStart.h):
///
///     class GenVarsDialog : public vtx::ui::VtxDialog {
///     public:
///         GenVarsDialog() : VtxDialog(256, "DLG_GENVARS") {
///             setWindowTitle(uiText(1764));
///             auto* ok = new QPushButton(uiText(1), this);
///             setControlId(ok, 1);
///             ...
///         }
///     };

#include "platform/Exports.h"
// moc needs only the class declarations; the module's headers (which pull in
// standard headers its parser cannot read) stay out of its way.
#ifndef Q_MOC_RUN
#include "platform/core/VtxString.h"
#endif

#include <QDialog>
#include <QPointF>

namespace vtx::ui {

class VTX_UI_API VtxDialog : public QDialog {
    Q_OBJECT
public:
    /// sizeKey empty: the dialog keeps no size.
    explicit VtxDialog(int templateId, const Vtx_String& sizeKey = {}, QWidget* parent = nullptr);
    ~VtxDialog() override;

    int templateId() const { return m_templateId; }
    const Vtx_String& sizeKey() const { return m_sizeKey; }

    /// Gives widget the control id (its object name becomes "ctl<id>").
    static void setControlId(QWidget* widget, int id);
    /// The control id of widget, or -1.
    static int controlId(const QWidget* widget);
    /// The child control with the id, or null.
    QWidget* control(int id) const;
    template <class T> T* controlAs(int id) const { return qobject_cast<T*>(control(id)); }

    /// Pixels per dialog unit of the dialog's font: x a quarter of the
    /// average character width, y an eighth of the character height.
    QPointF dialogUnit() const;
    /// Places the control with the id at x, y (size w, h) in dialog units
    /// of unit; nothing happens when no control has the id.
    void placeControl(int id, const QPointF& unit, int x, int y, int w, int h) const;

    /// Writes the size and place to the store now (also done on close and
    /// destruction); false when there is no key or the store refused them.
    bool saveSize();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void restoreSize();

    int m_templateId;
    Vtx_String m_sizeKey;
    bool m_placed = false;
    bool m_saved = false;
};

} // namespace vtx::ui
