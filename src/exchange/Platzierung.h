#pragma once
// Places a control by a position given in twips (left, top, width, height),
// converted at the widget's own logical resolution.
#include "platform/Beschriftung.h"
#include "platform/Units.h"

#include <QWidget>
#include <QtMath>

namespace exchange {

template <class W>
W* twips(W* w, double links, double oben, double breite, double hoehe)
{
    const double dpi = w->logicalDpiX();
    w->setGeometry(qRound(vb::twipsToPixels(links, dpi)), qRound(vb::twipsToPixels(oben, dpi)),
                   qRound(vb::twipsToPixels(breite, dpi)), qRound(vb::twipsToPixels(hoehe, dpi)));
    vb::textPasst(w);
    return w;
}

inline void twipsGroesse(QWidget* w, double breite, double hoehe)
{
    const double dpi = w->logicalDpiX();
    w->setFixedSize(qRound(vb::twipsToPixels(breite, dpi)), qRound(vb::twipsToPixels(hoehe, dpi)));
}

} // namespace exchange
