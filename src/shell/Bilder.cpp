#include "shell/Bilder.h"

#include <QPainter>
#include <QPainterPath>

QPixmap kavelorLogo(int hoehe)
{
    const int h = qMax(16, hoehe);
    QPixmap pm(h, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A drill bit over ground layers in a rounded square.
    const QRectF r(1, 1, h - 2, h - 2);
    QPainterPath rahmen;
    rahmen.addRoundedRect(r, h * 0.15, h * 0.15);
    p.setClipPath(rahmen);
    const QColor schichten[] = {QColor(0xd9, 0xb3, 0x6c), QColor(0xa8, 0x7a, 0x45), QColor(0x7d, 0x8c, 0x9a),
                                QColor(0x4f, 0x5d, 0x6b)};
    const double band = r.height() / 4.0;
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(r.left(), r.top() + i * band, r.width(), band + 1), schichten[i]);
    p.setClipping(false);
    p.setPen(QPen(QColor(0x1d, 0x3d, 0x6b), qMax(1.0, h / 24.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rahmen);
    QPolygonF bohrer;
    const double mx = r.center().x();
    bohrer << QPointF(mx - h * 0.08, r.top()) << QPointF(mx + h * 0.08, r.top())
           << QPointF(mx + h * 0.08, r.top() + h * 0.72) << QPointF(mx, r.top() + h * 0.86)
           << QPointF(mx - h * 0.08, r.top() + h * 0.72);
    p.setBrush(QColor(0xee, 0xee, 0xee));
    p.drawPolygon(bohrer);
    return pm;
}

QPixmap kavelorBohrbild(int hoehe)
{
    const int h = qMax(40, hoehe);
    const int w = h * 3 / 5;
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A small borehole log: a soil column with layer symbols and a depth scale.
    const double links = w * 0.35, breite = w * 0.4;
    const struct {
        double bis;
        QColor farbe;
        Qt::BrushStyle muster;
    } schichten[] = {
        {0.12, QColor(0x8b, 0x6b, 0x3d), Qt::Dense6Pattern},
        {0.38, QColor(0xe8, 0xc8, 0x7a), Qt::Dense5Pattern},
        {0.62, QColor(0xb8, 0x9c, 0x6a), Qt::DiagCrossPattern},
        {0.85, QColor(0x9a, 0xa8, 0xb4), Qt::HorPattern},
        {0.97, QColor(0x6b, 0x70, 0x78), Qt::CrossPattern},
    };
    double oben = h * 0.03;
    for (const auto& s : schichten) {
        const QRectF feld(links, oben, breite, h * s.bis - oben);
        p.fillRect(feld, s.farbe);
        p.fillRect(feld, QBrush(QColor(0, 0, 0, 90), s.muster));
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(feld);
        oben = h * s.bis;
    }
    p.setPen(QPen(QColor(0x1d, 0x3d, 0x6b), 1));
    p.drawLine(QPointF(links - w * 0.1, h * 0.03), QPointF(links - w * 0.1, h * 0.97));
    for (int i = 0; i <= 10; ++i) {
        const double y = h * 0.03 + i * h * 0.094;
        p.drawLine(QPointF(links - w * (i % 5 == 0 ? 0.2 : 0.15), y), QPointF(links - w * 0.1, y));
    }
    // Groundwater triangle.
    QPolygonF dreieck;
    const double gy = h * 0.45, gx = links + breite + w * 0.1;
    dreieck << QPointF(gx, gy) << QPointF(gx + w * 0.14, gy) << QPointF(gx + w * 0.07, gy + w * 0.1);
    p.setBrush(QColor(0x2a, 0x6f, 0xd6));
    p.drawPolygon(dreieck);
    return pm;
}
