#include "designer/VtxDlgDesignerData.h"

#include "platform/core/StringUtils.h"

#include <cmath>

int Vtx_DlgDesignerData::effectiveWidth() const {
    return m_imageWidth > 0 ? m_imageWidth : kNoPictureWidth;
}

int Vtx_DlgDesignerData::effectiveHeight() const {
    return m_imageHeight > 0 ? m_imageHeight : kNoPictureHeight;
}

double Vtx_DlgDesignerData::factorToPixels(bool horizontal, double factor) const {
    return factor * (horizontal ? effectiveWidth() : effectiveHeight());
}

double Vtx_DlgDesignerData::pixelsToFactor(bool horizontal, double pixels) const {
    return pixels / (horizontal ? effectiveWidth() : effectiveHeight());
}

double Vtx_DlgDesignerData::getTopLeftX(const Vtx_DesignerControl& control) const {
    return factorToPixels(true, control.topLeftX);
}

double Vtx_DlgDesignerData::getTopLeftY(const Vtx_DesignerControl& control) const {
    return factorToPixels(false, control.topLeftY);
}

double Vtx_DlgDesignerData::getBottomRightX(const Vtx_DesignerControl& control) const {
    return factorToPixels(true, control.bottomRightX);
}

double Vtx_DlgDesignerData::getBottomRightY(const Vtx_DesignerControl& control) const {
    return factorToPixels(false, control.bottomRightY);
}

// A position that is not a finite number would make the design unsavable;
// such a request is ignored.
void Vtx_DlgDesignerData::setTopLeftX(Vtx_DesignerControl& control, double pixels) const {
    if (std::isfinite(pixels))
        control.topLeftX = pixelsToFactor(true, pixels);
}

void Vtx_DlgDesignerData::setTopLeftY(Vtx_DesignerControl& control, double pixels) const {
    if (std::isfinite(pixels))
        control.topLeftY = pixelsToFactor(false, pixels);
}

void Vtx_DlgDesignerData::setBottomRightX(Vtx_DesignerControl& control, double pixels) const {
    if (std::isfinite(pixels))
        control.bottomRightX = pixelsToFactor(true, pixels);
}

void Vtx_DlgDesignerData::setBottomRightY(Vtx_DesignerControl& control, double pixels) const {
    if (std::isfinite(pixels))
        control.bottomRightY = pixelsToFactor(false, pixels);
}

double Vtx_DlgDesignerData::getWidth(const Vtx_DesignerControl& control) const {
    return getBottomRightX(control) - getTopLeftX(control);
}

double Vtx_DlgDesignerData::getHeight(const Vtx_DesignerControl& control) const {
    return getBottomRightY(control) - getTopLeftY(control);
}

void Vtx_DlgDesignerData::setWidth(Vtx_DesignerControl& control, double width) const {
    setBottomRightX(control, getTopLeftX(control) + width);
}

void Vtx_DlgDesignerData::setHeight(Vtx_DesignerControl& control, double height) const {
    setTopLeftY(control, getBottomRightY(control) - height);
}

Vtx_DesignRect Vtx_DlgDesignerData::pixelRect(const Vtx_DesignerControl& control) const {
    return {getTopLeftX(control), getTopLeftY(control), getBottomRightX(control),
            getBottomRightY(control)};
}

Vtx_DesignRect Vtx_DlgDesignerData::drawRect(const Vtx_DesignerControl& control) const {
    const Vtx_DesignRect exact = pixelRect(control);
    return {ObjectExportRoundTo(exact.left, 1), ObjectExportRoundTo(exact.top, 1),
            ObjectExportRoundTo(exact.right, 1), ObjectExportRoundTo(exact.bottom, 1)};
}

void Vtx_DlgDesignerData::shiftControl(Vtx_DesignerControl& control, double dx, double dy) const {
    const Vtx_DesignRect rect = pixelRect(control);
    setTopLeftX(control, rect.left + dx);
    setTopLeftY(control, rect.top + dy);
    setBottomRightX(control, rect.right + dx);
    setBottomRightY(control, rect.bottom + dy);
}

bool Vtx_DlgDesignerData::findMostLeftCtrl(Vtx_Array<int> ids, int& i) const {
    if (ids.isEmpty())
        return false;
    i = -1;
    double mostLeft = 100000;
    for (const int id : ids) {
        int position = -1;
        if (!findCtrlFromResource(id, position))
            continue;
        const double left = getTopLeftX(m_controls[position]);
        if (left < mostLeft) {
            mostLeft = left;
            i = position;
        }
    }
    return i >= 0;
}
