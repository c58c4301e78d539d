#include "shell/StatusPanelBar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

StatusPanel::StatusPanel(int index, QWidget* parent) : QFrame(parent), m_index(index)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusPanel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void StatusPanel::setStretch(bool stretch)
{
    m_stretch = stretch;
    setSizePolicy(stretch ? QSizePolicy::Expanding : QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusPanel::setBevel(Bevel bevel)
{
    if (bevel == m_bevel)
        return;
    const bool knopfVorher = m_bevel != Bevel::Flat;
    m_bevel = bevel;
    if (knopfVorher != (bevel != Bevel::Flat))
        updateGeometry();
    update();
}

QSize StatusPanel::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(m_text) + 16, fm.height() + 8);
}

QSize StatusPanel::minimumSizeHint() const
{
    // Information texts may be cut when the window is narrow; buttons keep
    // their full text. A long information text (a record's identifier) never
    // widens the main window: below about twenty characters' room it is cut.
    const QSize voll = sizeHint();
    if (m_stretch)
        return QSize(8, voll.height());
    if (m_bevel == Bevel::Flat)
        return QSize(qMin(voll.width(), fontMetrics().averageCharWidth() * 20 + 16), voll.height());
    return voll;
}

void StatusPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const QPalette& pal = palette();
    if (m_bevel != Bevel::Flat) {
        // A command panel looks like a button: light top-left and dark
        // bottom-right edges when raised, the reverse when pressed.
        p.fillRect(r, pal.button());
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Dark);
        const QColor tl = m_bevel == Bevel::Raised ? light : dark;
        const QColor br = m_bevel == Bevel::Raised ? dark : light;
        p.setPen(tl);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(br);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    } else {
        // Information panels are sunk into the bar.
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setPen(pal.color(QPalette::WindowText));
    const QRect textRect = r.adjusted(6, 0, -6, 0).translated(m_bevel == Bevel::Inset ? 1 : 0,
                                                              m_bevel == Bevel::Inset ? 1 : 0);
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, textRect.width());
    p.drawText(textRect, Qt::AlignVCenter | (m_bevel == Bevel::Flat ? Qt::AlignLeft : Qt::AlignHCenter),
               shown);
}

StatusPanelBar::StatusPanelBar(QWidget* parent) : QWidget(parent)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    for (int i = 1; i <= kCount; ++i) {
        auto* panel = new StatusPanel(i, this);
        m_panels.append(panel);
        m_layout->addWidget(panel);
    }
}

StatusPanel* StatusPanelBar::panel(int index) const
{
    if (index < 1 || index > kCount)
        return nullptr;
    return m_panels.at(index - 1);
}

QString StatusPanelBar::text(int index) const
{
    auto* p = panel(index);
    return p ? p->text() : QString();
}

void StatusPanelBar::setText(int index, const QString& text)
{
    if (auto* p = panel(index))
        p->setText(text);
}

QString StatusPanelBar::toolTip(int index) const
{
    auto* p = panel(index);
    return p ? p->toolTip() : QString();
}

void StatusPanelBar::setToolTip(int index, const QString& tip)
{
    if (auto* p = panel(index))
        p->setToolTip(tip);
}

bool StatusPanelBar::isPanelVisible(int index) const
{
    auto* p = panel(index);
    return p && !p->isHidden();
}

void StatusPanelBar::setPanelVisible(int index, bool visible)
{
    if (auto* p = panel(index))
        p->setHidden(!visible);
}

StatusPanel::Bevel StatusPanelBar::bevel(int index) const
{
    auto* p = panel(index);
    return p ? p->bevel() : StatusPanel::Bevel::Flat;
}

void StatusPanelBar::setBevel(int index, StatusPanel::Bevel bevel)
{
    if (auto* p = panel(index))
        p->setBevel(bevel);
}

int StatusPanelBar::panelLeft(int index) const
{
    auto* p = panel(index);
    return p ? p->geometry().left() : 0;
}

int StatusPanelBar::panelWidth(int index) const
{
    auto* p = panel(index);
    return (p && !p->isHidden()) ? p->geometry().width() : 0;
}

int StatusPanelBar::panelAt(int x) const
{
    for (int i = 1; i <= kCount; ++i) {
        const auto* p = panel(i);
        if (!p->isHidden() && p->geometry().left() <= x && x <= p->geometry().right())
            return i;
    }
    return 0;
}

void StatusPanelBar::clickPanel(int index)
{
    auto* p = panel(index);
    if (!p)
        return;
    emit mouseDown(p->geometry().center().x());
    emit panelClicked(index);
}

void StatusPanelBar::mousePressEvent(QMouseEvent* event)
{
    const int x = qRound(event->position().x());
    m_pressedPanel = panelAt(x);
    emit mouseDown(x);
}

void StatusPanelBar::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = m_pressedPanel;
    m_pressedPanel = 0;
    if (pressed != 0 && panelAt(qRound(event->position().x())) == pressed)
        emit panelClicked(pressed);
}
