#pragma once
// Controls placed by their design positions in twips, converted at the
// widget's own logical resolution (96 dpi where it reports none).
#include "platform/Beschriftung.h"
#include "platform/Units.h"

#include <QWidget>
#include <cmath>

namespace vb {

// A length in twips as pixels of the widget.
inline int twipsPixel(const QWidget* w, double t)
{
    const int dpi = w ? w->logicalDpiX() : 96;
    return int(std::lround(twipsToPixels(t, dpi > 0 ? dpi : 96)));
}

// Position (and size, when given) of a control in twips of its parent; a
// caption that starts at its control's left edge keeps the width it needs.
inline void platzieren(QWidget* w, double x, double y, double breite = -1, double hoehe = -1)
{
    w->move(twipsPixel(w, x), twipsPixel(w, y));
    w->resize(breite > 0 ? twipsPixel(w, breite) : w->sizeHint().width(),
              hoehe > 0 ? twipsPixel(w, hoehe) : w->sizeHint().height());
    textPasst(w);
}

} // namespace vb
