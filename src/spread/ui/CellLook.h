#pragma once

/// How the grid's stored look becomes Qt's: colours (0x00BBGGRR, the default,
/// or a system colour 0x80000000 + n resolved from the palette), fonts (an
/// empty name or a height of 0 means the grid's default) and the module
/// pictures of check boxes and picture cells, looked up among the host's
/// resources and kept once decoded.

#ifndef Q_MOC_RUN
#include "platform/core/VtxString.h"
#include "platform/sheet/CellStyle.h"
#endif

#include <QColor>
#include <QFont>
#include <QPixmap>

class QPalette;
class Vtx_Spread;

namespace vtx::spreadui {

/// The colour value as Qt shows it; fallback for the default colour.
QColor gridColor(std::uint32_t value, const QPalette& palette, const QColor& fallback);

/// The cell font; name "" and height 0 take the grid's default font (the
/// height is in pixels).
QFont cellFont(const vtx::sheet::CellFont& font, const Vtx_Spread& grid);

/// The picture of a picture cell or of one state of a check box: a module
/// bitmap or icon named by its resource number in decimal, or a file (a
/// name relative to folder, the grid's file folder, when not absolute). A
/// null pixmap when there is none (the cell then shows nothing); a picture
/// file that cannot be read is said once on the command line.
QPixmap cellPicture(const std::string& name, vtx::sheet::PictureStyle style,
                    const Vtx_String& folder = {});

/// Forgets the decoded pictures (the host's resources changed).
void clearPictureCache();

} // namespace vtx::spreadui
