#pragma once

/// Text at the boundary between the module and Qt. The module keeps 8-bit
/// Windows-1252 text; Qt shows Unicode. Every text crosses here, once, in
/// either direction; language texts are fetched by number through uiText.

#include "platform/Exports.h"
#include "platform/core/VtxString.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace vtx::ui {

/// The module's 8-bit text as Qt shows it.
VTX_UI_API QString qtText(const Vtx_String& text);
/// A text typed or chosen in Qt as the module keeps it; false (text
/// unspecified) when it holds a character Windows-1252 cannot hold.
VTX_UI_API bool moduleText(const QString& text, Vtx_String& out);
/// General text saying that a typed text holds a character the module's
/// texts cannot hold.
constexpr int kUnholdableTextNumber = 9;

/// Dialog text number n of the work language (missing: the visible "#n").
VTX_UI_API QString uiText(int n);
/// General text number n of the work language (missing: "#n").
VTX_UI_API QString uiGeneralText(int n);

/// The texts of root and its children that show a missing language text
/// ("#n" where a text should be): window titles, labels, buttons, group
/// titles, tool tips, tab and list entries, each as "object: text".
VTX_UI_API QStringList missingTexts(const QWidget* root);

} // namespace vtx::ui
