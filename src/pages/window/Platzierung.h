#pragma once
// Placing the page's dialogs: controls by their design positions in twips
// (converted at the widget's logical resolution), frames with bold captions,
// and dialogs that put themselves on the screen.
#include "platform/Platzierung.h"

#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace seiten {

inline int twips(const QWidget* w, double t)
{
    return vb::twipsPixel(w, t);
}

using vb::platzieren;

// A frame whose caption is bold Arial of `punkte` points; the controls in
// it keep the dialog's own font.
inline QGroupBox* rahmen(QWidget* eltern, const QString& titel, double punkte, double x, double y, double breite,
                         double hoehe)
{
    auto* g = new QGroupBox(titel, eltern);
    g->setStyleSheet(QStringLiteral("QGroupBox { font: bold %1pt \"Arial\"; }").arg(punkte));
    platzieren(g, x, y, breite, hoehe);
    return g;
}

// The geometry of the window's screen in pixels.
inline QRect bildschirmFlaeche(const QWidget* w)
{
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1280, 1024);
}

// Moves a window to (x, y) pixels from the top left corner of its screen.
inline void aufBildschirm(QWidget* w, int x, int y)
{
    const QRect r = bildschirmFlaeche(w);
    w->move(r.left() + x, r.top() + y);
}

// The size of the window's screen in pixels.
inline QSize bildschirm(const QWidget* w)
{
    return bildschirmFlaeche(w).size();
}

// A dialog that places itself, and takes up what it shows, each time it is
// shown or resized.
class AnpassenderDialog : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    virtual void anpassen() = 0;
    void resizeEvent(QResizeEvent* event) override
    {
        QDialog::resizeEvent(event);
        anpassen();
    }
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        anpassen();
    }
};

} // namespace seiten
