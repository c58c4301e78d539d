#pragma once
// Twips of a widget: its resolution's twips per pixel and its place and size
// in its parent, as the grid and the caption picture report them.

#include "platform/Units.h"

#include <QWidget>
#include <cmath>

namespace grid::twips {

inline double proPixelX(const QWidget* w)
{
    return vb::twipsPerPixel(w->logicalDpiX() > 0 ? w->logicalDpiX() : 96);
}

inline double proPixelY(const QWidget* w)
{
    return vb::twipsPerPixel(w->logicalDpiY() > 0 ? w->logicalDpiY() : 96);
}

inline int links(const QWidget* w)
{
    return int(std::lround(w->x() * proPixelX(w)));
}

inline int oben(const QWidget* w)
{
    return int(std::lround(w->y() * proPixelY(w)));
}

inline int breite(const QWidget* w)
{
    return int(std::lround(w->width() * proPixelX(w)));
}

inline int hoehe(const QWidget* w)
{
    return int(std::lround(w->height() * proPixelY(w)));
}

} // namespace grid::twips
