#pragma once

/// The layout of a resizable dialog whose controls stand at fixed places
/// (dialogs built from templates and designs, without Qt layouts). It
/// remembers where every child control was when registered and, on every
/// resize of the dialog, moves and sizes them by per-control anchor flags;
/// without flags a control scales with the dialog. Flags, the same meaning
/// horizontally and vertically (near: left or top edge, far: right or
/// bottom):
///
///     kKeepSize 1   keep the control's size
///     kKeepNear 2   keep the near edge where it was
///     kKeepFar  4   keep the far edge at its distance from the dialog's far edge
///
/// Combinations in use: 3 fixed place and size, 5 moves with the far edge,
/// 6 stretches, 0 scales. Tool bars among the children never move.
///
///     ResizableLayout layout;
///     layout.registerControls(dialog);           // after the controls are placed
///     layout.setAnchors(IDOK, 5, 5);             // OK stays at the bottom right
///     layout.setAnchors(kGridId, 6, 6);          // the grid stretches

#include "platform/Exports.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace vtx::ui {

constexpr int kKeepSize = 1;
constexpr int kKeepNear = 2;
constexpr int kKeepFar = 4;

/// One axis: the near and far edge of a control registered at [near, far]
/// in a dialog registered extent long, now extent long.
VTX_UI_API void anchoredEdges(int near, int far, int registered, int now, int flags, int& newNear,
                              int& newFar);

class VTX_UI_API ResizableLayout : public QObject {
public:
    ResizableLayout() = default;

    /// Forgets every entry, records the dialog's size and each child
    /// control's place (flags 0), and follows the dialog's resizes.
    void registerControls(QWidget* dialog);
    /// Sets the flags of the control with the id; false when no registered
    /// control has it.
    bool setAnchors(int controlId, int horizontal, int vertical);
    /// Places every control for the dialog's present size; false when the
    /// dialog is gone (or none was registered).
    bool applyLayout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        QRect registered; ///< left, top, right and bottom as registered
        int horizontal = 0;
        int vertical = 0;
    };

    QPointer<QWidget> m_dialog;
    QSize m_registered;
    std::vector<Entry> m_entries;
};

} // namespace vtx::ui
