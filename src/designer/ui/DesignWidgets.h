#pragma once

/// The Qt pieces a design's live controls are made of: the toggle button of
/// flex-button groups, the picture with white as transparent, and the
/// widget each control type becomes.

#include <QPixmap>
#include <QString>
#include <QToolButton>

namespace vtx::designui {

/// Check state of a button as the design's values see it: 0 clear, 1 set,
/// 2 undetermined (a three-state button in its third state).
enum DesignCheckState : int { kUnchecked = 0, kChecked = 1, kUndetermined = 2 };

/// A check box drawn as a push button showing an icon: the button of a
/// flex-button group. Like a check box it has two or three states; a click
/// moves to the next one.
class FlexButton : public QToolButton {
    Q_OBJECT
public:
    explicit FlexButton(QWidget* parent = nullptr);
    int checkState() const { return m_state; }
    /// 0, 1 or 2; 2 on a two-state button is taken as 0.
    void setCheckState(int state);
    bool isTristate() const { return m_tristate; }
    void setTristate(bool tristate);

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_state = kUnchecked;
    bool m_tristate = false;
};

/// The bitmap file at path with its pure white pixels (255, 255, 255)
/// transparent; null when the file is not a readable picture.
QPixmap loadDesignPicture(const QString& path);
/// The same for the bytes of a BMP file (a module resource).
QPixmap designPictureFromBytes(const QByteArray& bytes);
/// The module's icon resource id, else its bitmap resource id (white
/// transparent); null when the current resources have neither.
QPixmap moduleResourcePixmap(int id);

} // namespace vtx::designui
