#pragma once
// Places a control by a position given in twips (left, top, width, height),
// converted at the widget's own logical resolution.
#include "platform/Platzierung.h"

#include <QWidget>

namespace exchange {

template <class W>
W* twips(W* w, double links, double oben, double breite, double hoehe)
{
    vb::platzieren(w, links, oben, breite, hoehe);
    return w;
}

inline void twipsGroesse(QWidget* w, double breite, double hoehe)
{
    w->setFixedSize(vb::twipsPixel(w, breite), vb::twipsPixel(w, hoehe));
}

} // namespace exchange
