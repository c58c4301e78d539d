#pragma once
// Captions of controls placed by design sizes. The sizes were made for a
// narrower face than this system's: a caption that starts at its control's
// left edge (check boxes, option buttons, left-aligned labels) gets at least
// the width its text needs.
#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

namespace vb {

inline bool waechstNachRechts(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->isCheckable() && !b->text().isEmpty();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return !l->text().isEmpty() && (l->alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignLeading) == 0;
    return false;
}

// Run after the control is placed and again after its text changes.
inline void textPasst(QWidget* w)
{
    if (waechstNachRechts(w) && w->width() < w->sizeHint().width())
        w->resize(w->sizeHint().width(), w->height());
}

} // namespace vb
