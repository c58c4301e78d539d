#include "grid/FlexPicture.h"

#include "grid/Twips.h"
#include "platform/Colors.h"
#include "platform/Units.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace grid {

FlexPicture::FlexPicture(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
}

double FlexPicture::twipsPerPixelX() const
{
    return twips::proPixelX(this);
}

double FlexPicture::twipsPerPixelY() const
{
    return twips::proPixelY(this);
}

int FlexPicture::Left() const
{
    return twips::links(this);
}

int FlexPicture::Top() const
{
    return twips::oben(this);
}

int FlexPicture::Width() const
{
    return twips::breite(this);
}

int FlexPicture::Height() const
{
    return twips::hoehe(this);
}

void FlexPicture::Move(double left, double top)
{
    move(int(std::lround(left / twipsPerPixelX())), int(std::lround(top / twipsPerPixelY())));
}

void FlexPicture::Resize(double width, double height)
{
    resize(std::max(0, int(std::lround(width / twipsPerPixelX()))),
           std::max(0, int(std::lround(height / twipsPerPixelY()))));
}

void FlexPicture::Cls()
{
    const qreal dpr = devicePixelRatioF();
    m_pixmap = QPixmap(QSize(std::max(1, width()), std::max(1, height())) * dpr);
    m_pixmap.setDevicePixelRatio(dpr);
    m_pixmap.fill(palette().color(QPalette::Button));
    m_stuecke.clear();
    update();
}

void FlexPicture::Print(double x, double y, const QString& text, const QFont& font)
{
    m_stuecke.push_back({x, y, text, font});
    if (m_pixmap.isNull())
        Cls();
    QPainter p(&m_pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(vb::toQColor(m_foreColor));
    const QFontMetricsF fm(font, &m_pixmap);
    p.drawText(QPointF(x / twipsPerPixelX(), y / twipsPerPixelY() + fm.ascent()), text);
    update();
}

double FlexPicture::TextWidth(const QString& text, const QFont& font) const
{
    return QFontMetricsF(font, this).horizontalAdvance(text) * twipsPerPixelX();
}

double FlexPicture::TextHeight(const QString&, const QFont& font) const
{
    return QFontMetricsF(font, this).height() * twipsPerPixelY();
}

void FlexPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_pixmap.isNull())
        p.fillRect(rect(), palette().color(QPalette::Button));
    else
        p.drawPixmap(0, 0, m_pixmap);
}

void FlexPicture::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF pos = e->position();
    emit MouseMove(int(e->buttons() & Qt::LeftButton ? 1 : 0), 0, float(pos.x() * twipsPerPixelX()),
                   float(pos.y() * twipsPerPixelY()));
}

} // namespace grid
