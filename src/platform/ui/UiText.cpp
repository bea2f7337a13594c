#include "platform/ui/UiText.h"

#include "platform/core/Settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>

#include <string>

namespace vtx::ui {

QString qtText(const Vtx_String& text) {
    const std::string utf8 = toUtf8(text.view());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool moduleText(const QString& text, Vtx_String& out) {
    const QByteArray utf8 = text.toUtf8();
    std::string bytes;
    if (!fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), bytes))
        return false;
    out = Vtx_String(bytes);
    return true;
}

QString uiText(int n) {
    return qtText(dialString(n));
}

QString uiGeneralText(int n) {
    return qtText(string(n));
}

namespace {

bool showsMissing(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("(^|\\s)#\\d+($|\\s)"));
    return marker.match(text).hasMatch();
}

void collect(const QWidget* widget, QStringList& found) {
    QStringList texts{widget->windowTitle(), widget->toolTip()};
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        texts << button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        texts << group->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        texts << edit->placeholderText();
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i) << tabs->tabToolTip(i);
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    const QString name = widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName();
    for (const QString& text : texts)
        if (showsMissing(text))
            found << name + QStringLiteral(": ") + text;
}

} // namespace

QStringList missingTexts(const QWidget* root) {
    QStringList found;
    if (!root)
        return found;
    collect(root, found);
    for (const QWidget* child : root->findChildren<QWidget*>())
        collect(child, found);
    return found;
}

} // namespace vtx::ui
