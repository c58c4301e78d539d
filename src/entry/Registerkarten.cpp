#include "entry/Registerkarten.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionTab>

namespace eingabe {

Registerkarten::Registerkarten(int anzahl, int proZeile, QWidget* parent)
    : QWidget(parent), m_proZeile(std::max(1, proZeile))
{
    setFocusPolicy(Qt::StrongFocus);
    for (int k = 0; k < anzahl; ++k) {
        m_texte << QString();
        auto* s = new QWidget(this);
        s->setObjectName(QStringLiteral("SSTabSeite%1").arg(k));
        s->setVisible(k == 0);
        m_seiten.push_back(s);
        auto* kurz = new QShortcut(this);
        kurz->setContext(Qt::WindowShortcut);
        kurz->setEnabled(false);
        connect(kurz, &QShortcut::activated, this, [this, k] { setTab(k); });
        m_kuerzel.push_back(kurz);
    }
}

void Registerkarten::setTab(int index)
{
    if (index < 0 || index >= Tabs() || index == m_aktuell)
        return;
    m_aktuell = index;
    for (int k = 0; k < Tabs(); ++k)
        m_seiten[size_t(k)]->setVisible(k == index);
    update();
    emit tabGewechselt(index);
}

void Registerkarten::setTabCaption(int index, const QString& text)
{
    m_texte[index] = text;
    const QKeySequence taste = QKeySequence::mnemonic(text);
    m_kuerzel[size_t(index)]->setKey(taste);
    m_kuerzel[size_t(index)]->setEnabled(!taste.isEmpty());
    update();
}

void Registerkarten::setSeitenGeometrie(const QRect& r)
{
    for (QWidget* s : m_seiten)
        s->setGeometry(r);
}

int Registerkarten::zeilenHoehe() const
{
    return fontMetrics().height() + 10;
}

QRect Registerkarten::tabRechteck(int index) const
{
    const int zeile = index / m_proZeile;
    const int spalte = index % m_proZeile;
    const int breite = width() / m_proZeile;
    const int h = zeilenHoehe();
    return QRect(spalte * breite, zeile * h, breite, h);
}

int Registerkarten::tabBei(const QPoint& p) const
{
    for (int k = 0; k < Tabs(); ++k)
        if (tabRechteck(k).contains(p))
            return k;
    return -1;
}

void Registerkarten::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int zeilen = (Tabs() + m_proZeile - 1) / m_proZeile;
    const QRect rahmen(0, zeilen * zeilenHoehe() - 1, width(), height() - zeilen * zeilenHoehe() + 1);
    QStyleOptionFrame f;
    f.initFrom(this);
    f.rect = rahmen;
    f.lineWidth = 1;
    f.frameShape = QFrame::StyledPanel;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &f, &p, this);
    for (int k = 0; k < Tabs(); ++k) {
        QStyleOptionTab o;
        o.initFrom(this);
        o.rect = tabRechteck(k);
        o.text = m_texte[k];
        o.shape = QTabBar::RoundedNorth;
        o.position = QStyleOptionTab::Middle;
        o.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (k == m_aktuell) {
            o.state |= QStyle::State_Selected;
            if (hasFocus())
                o.state |= QStyle::State_HasFocus;
        }
        // A tab is drawn for a one-row bar: a selected tab's joint with the
        // page below reaches down by the tab's whole distance from the top.
        // Kept to the tab itself, and to the frame's edge under the last
        // row, it covers neither the rows below nor the page.
        p.save();
        p.setClipRect(o.rect.adjusted(0, 0, 0, k / m_proZeile == zeilen - 1 ? 2 : 0));
        style()->drawControl(QStyle::CE_TabBarTab, &o, &p, this);
        p.restore();
        if (k == m_aktuell && hasFocus()) {
            QStyleOptionFocusRect fr;
            fr.initFrom(this);
            fr.rect = o.rect.adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fr, &p, this);
        }
    }
}

void Registerkarten::mousePressEvent(QMouseEvent* e)
{
    const int k = tabBei(e->position().toPoint());
    if (k >= 0) {
        setFocus(Qt::MouseFocusReason);
        setTab(k);
    }
}

void Registerkarten::keyPressEvent(QKeyEvent* e)
{
    int schritt = 0;
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Up)
        schritt = -1;
    else if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Down)
        schritt = 1;
    if (!schritt) {
        QWidget::keyPressEvent(e);
        return;
    }
    setTab(std::clamp(m_aktuell + schritt, 0, Tabs() - 1));
}

} // namespace eingabe
