#include "spread/ui/CellLook.h"

#include "platform/core/Files.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace vtx::spreadui {

using vtx::sheet::PictureStyle;

namespace {

// The palette role standing for a system colour of the desktop.
QPalette::ColorRole systemRole(int n) {
    switch (n) {
    case 4: // menu
        return QPalette::Window;
    case 5: // window
        return QPalette::Base;
    case 7: // menu text
    case 8: // window text
        return QPalette::Text;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 16: // button shadow
    case 12: // application workspace
        return QPalette::Dark;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    default: // borders, captions and the rest
        return QPalette::Mid;
    }
}

QHash<QString, QPixmap>& pictureCache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}

} // namespace

QColor gridColor(std::uint32_t value, const QPalette& palette, const QColor& fallback) {
    if (value == vtx::sheet::kDefaultColor)
        return fallback;
    if (value & 0x80000000u)
        return palette.color(systemRole(static_cast<int>(value & 0xFFu)));
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont cellFont(const vtx::sheet::CellFont& font, const Vtx_Spread& grid) {
    QFont qfont(
        vtx::ui::qtText(font.name.empty() ? grid.defaultFontName() : Vtx_String(font.name)));
    const int height = std::max(font.height > 0 ? font.height : grid.defaultFontHeight(), 1);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    // A stored height is the height of a line of the font (ascent and
    // descent), as the grid's row heights are reckoned; Qt sizes the em,
    // which most fonts draw in less than a line. The pixel size that gives
    // the line height is found once per font and height.
    static QHash<QString, int> emSizes;
    const QString key = qfont.key() + QLatin1Char('/') + QString::number(height);
    auto it = emSizes.constFind(key);
    if (it == emSizes.constEnd()) {
        qfont.setPixelSize(height);
        const int line = std::max(QFontMetrics(qfont).height(), 1);
        const int em = std::max(static_cast<int>(std::lround(double(height) * height / line)), 1);
        it = emSizes.insert(key, em);
    }
    qfont.setPixelSize(*it);
    return qfont;
}

namespace {

// A picture file by its core name: relative ones under folder.
QString pictureFile(const std::string& name, const Vtx_String& folder) {
    std::filesystem::path path = nativePath(Vtx_String(name));
    if (path.is_relative() && !folder.isEmpty())
        path = nativePath(folder) / path;
    return QString::fromStdString(path.string());
}

} // namespace

QPixmap cellPicture(const std::string& name, PictureStyle style, const Vtx_String& folder) {
    if (name.empty())
        return {};
    const QString file =
        style == PictureStyle::File ? pictureFile(name, folder) : vtx::ui::qtText(Vtx_String(name));
    const QString key = QString::number(static_cast<int>(style)) + QLatin1Char(':') + file;
    auto& cache = pictureCache();
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QImage image;
    int id = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), id);
    const bool isNumber = error == std::errc() && end == name.data() + name.size();
    if (style != PictureStyle::File && isNumber) {
        const ResourceKind kind =
            style == PictureStyle::Icon ? ResourceKind::Icon : ResourceKind::Bitmap;
        const std::string_view bytes = Host::current().resources().find(kind, id);
        if (!bytes.empty())
            image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                               static_cast<int>(bytes.size()),
                               style == PictureStyle::Icon ? "ICO" : "BMP");
    } else if (style == PictureStyle::File && !image.load(file)) {
        static QSet<QString> said;
        if (!said.contains(file)) {
            said.insert(file);
            hostPrintf("*Error* The picture %s could not be read.\n", name.c_str());
        }
    }
    // A picture not found is looked for again next time: the module that
    // carries it may register its resources later.
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    cache.insert(key, pixmap);
    return pixmap;
}

void clearPictureCache() {
    pictureCache().clear();
}

} // namespace vtx::spreadui
