#include "drawing/Target.h"

#include "drawing/Markup.h"
#include "platform/Colors.h"
#include "platform/VbError.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace drawing {

namespace {

QColor toQColor(int32_t c)
{
    return vb::toQColor(c);
}

QString hexColor(int32_t c)
{
    return QStringLiteral("0x%1").arg(uint32_t(c) & 0xFFFFFFFFu, 6, 16, QLatin1Char('0'));
}

bool isSymbolFace(const QString& face)
{
    return face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

// The face drawn for a font name: Greek of the face "Symbol" is set as Greek
// letters of the base face.
QString drawnFace(const QString& face)
{
    return isSymbolFace(face) ? QStringLiteral("Arial") : face;
}

QFont qfontOf(const StdFont& f)
{
    QFont q(drawnFace(f.Name));
    q.setPointSizeF(f.Size > 0 ? f.Size : 8.0);
    q.setBold(f.Bold || f.Weight >= 600);
    q.setItalic(f.Italic);
    q.setUnderline(f.Underline);
    q.setStrikeOut(f.Strikethrough);
    q.setKerning(false);
    return q;
}

// A macron written after a letter marks that letter (the soil codes write
// "s¯" for very sandy): it is set as the combining macron, which the face
// places over the letter instead of beside it.
// A text without a macron is handed on as it is, not copied.
QString overlined(QString s)
{
    for (qsizetype i = s.indexOf(QChar(0x00AF), 1); i > 0; i = s.indexOf(QChar(0x00AF), i + 1))
        if (s.at(i - 1).isLetter())
            s[i] = QChar(0x0304);
    return s;
}

// The text as the face draws it: Greek of the symbol face as its letters,
// marked letters overlined.
QString drawnText(const QString& face, const QString& s)
{
    return overlined(isSymbolFace(face) ? symbolText(s) : s);
}

QString drawnText(const StdFont& f, const QString& s)
{
    return drawnText(f.Name, s);
}

Qt::PenStyle penStyleOf(int drawStyle, int width)
{
    // Wide pens are always solid, as on the original surfaces.
    if (width > 1) return drawStyle == vbInvisible ? Qt::NoPen : Qt::SolidLine;
    switch (drawStyle) {
    case vbDash: return Qt::DashLine;
    case vbDot: return Qt::DotLine;
    case vbDashDot: return Qt::DashDotLine;
    case vbDashDotDot: return Qt::DashDotDotLine;
    case vbInvisible: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

constexpr double kTwoPiD = 6.283185307179586;

// No infinite or undefined coordinate reaches a surface: it is an overflow.
void checkFinite(std::initializer_list<float> values)
{
    for (float v : values)
        if (!std::isfinite(v)) vb::raise(vb::err::Overflow);
}

} // namespace

FontRef newFont(const StdFont& f)
{
    return std::make_shared<StdFont>(f);
}

// ---- Target ------------------------------------------------------------------

Target::Target(Kind kind, int pxW, int pxH, double dpiX, double dpiY, float widthTwips, float heightTwips)
    : m_kind(kind), m_pxW(std::max(1, pxW)), m_pxH(std::max(1, pxH)), m_dpiX(dpiX), m_dpiY(dpiY),
      m_widthTwips(widthTwips), m_heightTwips(heightTwips), m_font(newFont())
{
    ScaleMode(vbTwips);
}

Target::~Target() = default;

void Target::resetGeometry(int pxW, int pxH, float widthTwips, float heightTwips)
{
    m_pxW = std::max(1, pxW);
    m_pxH = std::max(1, pxH);
    m_widthTwips = widthTwips;
    m_heightTwips = heightTwips;
    ScaleMode(vbTwips);
}

double Target::unitsPerPixel(int mode, bool horizontal) const
{
    const double dpi = horizontal ? m_dpiX : m_dpiY;
    switch (mode) {
    case vbUser: return horizontal ? double(m_scaleWidth) / m_pxW : double(m_scaleHeight) / m_pxH;
    case vbTwips: return vb::twipsPerPixel(dpi);
    case vbPoints: return 72.0 / dpi;
    case vbPixels: return 1.0;
    case vbCharacters: return horizontal ? vb::twipsPerPixel(dpi) / 120.0 : vb::twipsPerPixel(dpi) / 240.0;
    case vbInches: return 1.0 / dpi;
    case vbMillimeters: return vb::kMmPerInch / dpi;
    case vbCentimeters: return 2.54 / dpi;
    default: vb::raise(vb::err::InvalidPropertyValue);
    }
}

void Target::ScaleMode(int mode)
{
    if (mode < 0 || mode > 7) vb::raise(vb::err::InvalidPropertyValue);
    m_scaleMode = mode;
    if (mode == vbUser) return;
    m_scaleLeft = 0;
    m_scaleTop = 0;
    m_scaleWidth = float(m_pxW * unitsPerPixel(mode, true));
    m_scaleHeight = float(m_pxH * unitsPerPixel(mode, false));
}

void Target::ScaleLeft(float v)
{
    m_scaleLeft = v;
    m_scaleMode = vbUser;
}

void Target::ScaleTop(float v)
{
    m_scaleTop = v;
    m_scaleMode = vbUser;
}

void Target::ScaleWidth(float v)
{
    if (v == 0) vb::raise(vb::err::InvalidPropertyValue);
    m_scaleWidth = v;
    m_scaleMode = vbUser;
}

void Target::ScaleHeight(float v)
{
    if (v == 0) vb::raise(vb::err::InvalidPropertyValue);
    m_scaleHeight = v;
    m_scaleMode = vbUser;
}

void Target::Scale(float x1, float y1, float x2, float y2)
{
    if (x2 == x1 || y2 == y1) vb::raise(vb::err::InvalidPropertyValue);
    m_scaleLeft = x1;
    m_scaleTop = y1;
    m_scaleWidth = x2 - x1;
    m_scaleHeight = y2 - y1;
    m_scaleMode = vbUser;
}

double Target::ScaleX(double v, int fromMode, int toMode) const
{
    return v / unitsPerPixel(fromMode, true) * unitsPerPixel(toMode, true);
}

double Target::ScaleY(double v, int fromMode, int toMode) const
{
    return v / unitsPerPixel(fromMode, false) * unitsPerPixel(toMode, false);
}

int Target::logPixelsY() const
{
    return int(std::lround(m_dpiY));
}

double Target::pixelsPerUnitX() const
{
    return double(m_pxW) / m_scaleWidth;
}

double Target::pixelsPerUnitY() const
{
    return double(m_pxH) / m_scaleHeight;
}

double Target::toPixelX(double x) const
{
    return (x - m_scaleLeft) * pixelsPerUnitX();
}

double Target::toPixelY(double y) const
{
    return (y - m_scaleTop) * pixelsPerUnitY();
}

void Target::DrawStyle(int s)
{
    if (s < 0 || s > 6) vb::raise(vb::err::InvalidPropertyValue);
    m_drawStyle = s;
}

void Target::DrawWidth(int px)
{
    if (px < 1 || px > 32767) vb::raise(vb::err::InvalidPropertyValue);
    m_drawWidth = px;
}

void Target::DrawMode(int m)
{
    if (m < 1 || m > 16) vb::raise(vb::err::InvalidPropertyValue);
    m_drawMode = m;
}

void Target::FillStyle(int s)
{
    if (s < 0 || s > 7) vb::raise(vb::err::InvalidPropertyValue);
    m_fillStyle = s;
}

void Target::Font(FontRef f)
{
    if (!f) vb::raise(vb::err::ObjectNotSet);
    m_font = std::move(f);
}

void Target::FontSize(float pt)
{
    if (!(pt >= 1.0f && pt <= 2160.0f)) vb::raise(vb::err::InvalidPropertyValue);
    m_font->Size = pt;
}

void Target::FontBold(bool b)
{
    m_font->Bold = b;
    m_font->Weight = b ? 700 : 400;
}

struct Target::Masse {
    StdFont font;
    const QPaintDevice* geraet = nullptr;
    int dpiX = 0, dpiY = 0;
    QFontMetricsF metrik;
    double hoehe = 0;   // metrik.height(), which looks the font up on every call
};

const Target::Masse& Target::masse() const
{
    const QPaintDevice* g = metricsDevice();
    const int dx = g ? g->logicalDpiX() : 0, dy = g ? g->logicalDpiY() : 0;
    if (!m_masse || m_masse->font != *m_font || m_masse->geraet != g || m_masse->dpiX != dx ||
        m_masse->dpiY != dy) {
        QFontMetricsF metrik(qfontOf(*m_font), const_cast<QPaintDevice*>(g));
        m_masse = std::make_shared<Masse>(Masse{*m_font, g, dx, dy, metrik, metrik.height()});
    }
    return *m_masse;
}

float Target::TextWidth(const QString& s) const
{
    return float(masse().metrik.horizontalAdvance(drawnText(*m_font, s)) / pixelsPerUnitX());
}

float Target::TextHeight(const QString& /*s*/) const
{
    return float(masse().hoehe / pixelsPerUnitY());
}

QString Target::fmt(double v) const
{
    if (std::abs(v) < 0.0005) v = 0;
    return QString::number(v, 'f', 3);
}

// Callers test m_log first: the line is only built for a target that logs.
void Target::log(const QString& line) const
{
    if (m_log) m_log(line);
}

void Target::Cls()
{
    if (QPainter* p = painter()) {
        p->save();
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(QRectF(0, 0, m_pxW, m_pxH), toQColor(m_backColor));
        p->restore();
    }
    m_curX = m_scaleLeft;
    m_curY = m_scaleTop;
    if (m_log)
        log(QStringLiteral("CLS"));
}

const QPen& Target::stift(int32_t color, Qt::PenStyle style, Qt::PenCapStyle cap, Qt::PenJoinStyle join) const
{
    // A system colour follows the palette: its pen is made anew each time.
    const bool systemfarbe = (uint32_t(color) & 0x80000000u) != 0;
    const StiftArt art{color, m_drawWidth, style, cap, join};
    if (systemfarbe || !m_stift || !(m_stift->art == art))
        m_stift = Stift{art, QPen(toQColor(color), m_drawWidth, style, cap, join)};
    return m_stift->pen;
}

void Target::Line(float x1, float y1, float x2, float y2, std::optional<int32_t> color)
{
    checkFinite({x1, y1, x2, y2});
    const int32_t c = color.value_or(m_foreColor);
    if (m_log)
        log(QStringLiteral("LINE %1 %2 %3 %4 c=%5 w=%6 s=%7")
            .arg(fmt(x1), fmt(y1), fmt(x2), fmt(y2), hexColor(c))
            .arg(m_drawWidth)
            .arg(m_drawStyle));
    if (QPainter* p = painter()) {
        p->setPen(stift(c, penStyleOf(m_drawStyle, m_drawWidth), Qt::RoundCap, Qt::RoundJoin));
        p->setBrush(Qt::NoBrush);
        const QPointF a(toPixelX(x1), toPixelY(y1)), b(toPixelX(x2), toPixelY(y2));
        if (a == b)
            p->drawPoint(a);
        else
            p->drawLine(a, b);
    }
    m_curX = x2;
    m_curY = y2;
}

void Target::Box(float x1, float y1, float x2, float y2, std::optional<int32_t> color, bool filled)
{
    checkFinite({x1, y1, x2, y2});
    const int32_t c = color.value_or(m_foreColor);
    if (m_log)
        log(QStringLiteral("BOX %1 %2 %3 %4 c=%5 %6 w=%7")
            .arg(fmt(x1), fmt(y1), fmt(x2), fmt(y2), hexColor(c),
                 filled ? QStringLiteral("filled") : QStringLiteral("open"))
            .arg(m_drawWidth));
    if (QPainter* p = painter()) {
        const QRectF r = QRectF(QPointF(toPixelX(x1), toPixelY(y1)), QPointF(toPixelX(x2), toPixelY(y2))).normalized();
        QPen pen(toQColor(c), m_drawWidth, filled ? Qt::SolidLine : penStyleOf(m_drawStyle, m_drawWidth),
                 Qt::SquareCap, Qt::MiterJoin);
        p->setPen(pen);
        p->setBrush(filled ? QBrush(toQColor(c)) : QBrush(Qt::NoBrush));
        p->drawRect(r);
    }
    m_curX = x2;
    m_curY = y2;
}

void Target::PSet(float x, float y, std::optional<int32_t> color)
{
    checkFinite({x, y});
    const int32_t c = color.value_or(m_foreColor);
    if (m_log)
        log(QStringLiteral("PSET %1 %2 c=%3").arg(fmt(x), fmt(y), hexColor(c)));
    if (QPainter* p = painter()) {
        const QPointF pt(toPixelX(x), toPixelY(y));
        if (m_drawWidth <= 1) {
            p->fillRect(QRectF(std::floor(pt.x()), std::floor(pt.y()), 1, 1), toQColor(c));
        } else {
            p->setPen(Qt::NoPen);
            p->setBrush(toQColor(c));
            p->drawEllipse(pt, m_drawWidth / 2.0, m_drawWidth / 2.0);
        }
    }
    m_curX = x;
    m_curY = y;
}

void Target::Circle(float x, float y, float r, std::optional<int32_t> color, std::optional<float> start,
                    std::optional<float> end)
{
    checkFinite({x, y, r, start.value_or(0.0f), end.value_or(0.0f)});
    const int32_t c = color.value_or(m_foreColor);
    // Angles beyond a full turn are refused, as the original primitive does
    // (a little slack lets a single-precision 2 pi through).
    const auto check = [](std::optional<float> a) {
        if (a && std::abs(double(*a)) > kTwoPiD + 1e-5) vb::raise(vb::err::InvalidCall);
    };
    check(start);
    check(end);
    const bool isArc = start.has_value() || end.has_value();
    const double rpx = std::abs(double(r)) * pixelsPerUnitX();
    const QPointF ctr(toPixelX(x), toPixelY(y));
    if (!isArc) {
        if (m_log)
            log(QStringLiteral("CIRCLE %1 %2 %3 c=%4 fill=%5/%6")
                .arg(fmt(x), fmt(y), fmt(r), hexColor(c))
                .arg(m_fillStyle)
                .arg(hexColor(m_fillColor)));
        if (QPainter* p = painter()) {
            p->setPen(stift(c, penStyleOf(m_drawStyle, m_drawWidth), Qt::SquareCap, Qt::BevelJoin));
            p->setBrush(m_fillStyle == vbFSSolid ? QBrush(toQColor(m_fillColor)) : QBrush(Qt::NoBrush));
            p->drawEllipse(ctr, rpx, rpx);
        }
    } else {
        const double a1 = std::abs(double(start.value_or(0.0f)));
        const double a2 = end ? std::abs(double(*end)) : kTwoPiD;
        if (m_log)
            log(QStringLiteral("ARC %1 %2 %3 %4 %5 c=%6").arg(fmt(x), fmt(y), fmt(r), fmt(a1), fmt(a2), hexColor(c)));
        if (QPainter* p = painter()) {
            double span = a2 - a1;
            if (span <= 0) span += kTwoPiD;
            p->setPen(stift(c, penStyleOf(m_drawStyle, m_drawWidth), Qt::RoundCap, Qt::BevelJoin));
            p->setBrush(Qt::NoBrush);
            const QRectF box(ctr.x() - rpx, ctr.y() - rpx, 2 * rpx, 2 * rpx);
            p->drawArc(box, int(std::lround(a1 * 180.0 / 3.141592653589793 * 16.0)), int(std::lround(span * 180.0 / 3.141592653589793 * 16.0)));
            // A negative angle also draws the radius to that end.
            const auto radius = [&](std::optional<float> a) {
                if (a && *a < 0) {
                    const double t = std::abs(double(*a));
                    p->drawLine(ctr, QPointF(ctr.x() + rpx * std::cos(t), ctr.y() - rpx * std::sin(t)));
                }
            };
            radius(start);
            radius(end);
        }
    }
    m_curX = x;
    m_curY = y;
}

void Target::Print(const QString& text)
{
    checkFinite({m_curX, m_curY});
    const StdFont& f = *m_font;
    QString flags;
    if (f.Bold) flags += QStringLiteral("/b");
    if (f.Italic) flags += QStringLiteral("/i");
    if (f.Underline) flags += QStringLiteral("/u");
    if (f.Strikethrough) flags += QStringLiteral("/s");
    if (m_log)
        log(QStringLiteral("PRINT %1 %2 \"%3\" font=%4/%5%6 c=%7")
            .arg(fmt(m_curX), fmt(m_curY), text, f.Name, QString::number(double(f.Size)), flags,
                 hexColor(m_foreColor)));
    const float w = TextWidth(text);
    if (QPainter* p = painter()) {
        const QFont qf = qfontOf(f);
        QFontMetricsF m(qf, metricsDevice());
        const QString drawn = drawnText(f, text);
        const QPointF at(toPixelX(m_curX), toPixelY(m_curY));
        if (!m_fontTransparent)
            p->fillRect(QRectF(at.x(), at.y(), m.horizontalAdvance(drawn), m.height()), toQColor(m_backColor));
        p->setFont(qf);
        p->setPen(toQColor(m_foreColor));
        p->drawText(QPointF(at.x(), at.y() + m.ascent()), drawn);
    }
    m_curX += w;
}

void Target::TextOut(int px, int py, const QString& text, const LogFont& lf)
{
    QByteArray face = lf.lfFaceName;
    const int zero = face.indexOf('\0');
    if (zero >= 0) face.truncate(zero);
    const QString faceName = QString::fromLatin1(face);
    if (m_log)
        log(QStringLiteral("TEXTOUT %1 %2 \"%3\" h=%4 esc=%5 face=%6")
            .arg(px)
            .arg(py)
            .arg(text)
            .arg(lf.lfHeight)
            .arg(lf.lfEscapement)
            .arg(faceName));
    QPainter* p = painter();
    if (!p) return;
    QFont qf(drawnFace(faceName));
    qf.setPixelSize(100);
    QFontMetricsF probe(qf, metricsDevice());
    const int cell = std::abs(lf.lfHeight);
    if (cell > 0 && probe.height() > 0) qf.setPixelSize(std::max(1, int(std::lround(cell * 100.0 / probe.height()))));
    qf.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? 400 : int(lf.lfWeight), 100, 900)));
    qf.setItalic(lf.lfItalic != 0);
    qf.setUnderline(lf.lfUnderline != 0);
    qf.setStrikeOut(lf.lfStrikeOut != 0);
    qf.setKerning(false);
    QFontMetricsF m(qf, metricsDevice());
    const QString drawn = drawnText(faceName, text);
    p->save();
    p->translate(px, py);
    p->rotate(-lf.lfEscapement / 10.0);
    p->setFont(qf);
    p->setPen(toQColor(m_foreColor));
    p->drawText(QPointF(0, m.ascent()), drawn);
    p->restore();
}

// ---- PictureTarget -------------------------------------------------------------

namespace {
int twipsToPixels(double twips, double dpi)
{
    return std::max(1, int(std::lround(vb::twipsToPixels(twips, dpi))));
}

// An image of w x h pixels that reports the given resolution (font metrics
// measured on it match the device's).
QImage imageAt(int w, int h, double dpi)
{
    QImage image(w, h, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}
} // namespace

PictureTarget::PictureTarget(float widthTwips, float heightTwips, double dpi)
    : Target(Kind::Picture, twipsToPixels(widthTwips, dpi), twipsToPixels(heightTwips, dpi), dpi, dpi, widthTwips,
             heightTwips)
{
    m_image = imageAt(pixelWidth(), pixelHeight(), dpi);
    m_image.fill(Qt::white);
}

PictureTarget::~PictureTarget()
{
    endPainting();
}

void PictureTarget::endPainting()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

QPainter* PictureTarget::painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, true);
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    }
    if (m_changed) m_changed();
    return m_painter.get();
}

QPaintDevice* PictureTarget::metricsDevice() const
{
    return &m_image;
}

const QImage& PictureTarget::image() const
{
    const_cast<PictureTarget*>(this)->endPainting();
    return m_image;
}

void PictureTarget::resize(float widthTwips, float heightTwips)
{
    endPainting();
    const double dpi = dpiX();
    resetGeometry(twipsToPixels(widthTwips, dpi), twipsToPixels(heightTwips, dpi), widthTwips, heightTwips);
    m_image = imageAt(pixelWidth(), pixelHeight(), dpi);
    m_image.fill(Qt::white);
}

bool PictureTarget::save(const QString& path) const
{
    return image().save(path);
}

// ---- PrinterTarget -----------------------------------------------------------

namespace {
// A4 in twips.
constexpr float kA4WidthTwips = float(210.0 * kTwipsPerMm);
constexpr float kA4HeightTwips = float(297.0 * kTwipsPerMm);

void setupA4(QPrinter& p)
{
    p.setFullPage(true);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setPageOrientation(QPageLayout::Portrait);
}
} // namespace

PrinterTarget::PrinterTarget(const QString& pdfPath, int dpi)
    : Target(Kind::Printer, int(std::lround(210.0 / vb::kMmPerInch * dpi)),
             int(std::lround(297.0 / vb::kMmPerInch * dpi)), dpi, dpi, kA4WidthTwips, kA4HeightTwips),
      m_owned(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_printer(m_owned.get()), m_pdf(true)
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(pdfPath);
    m_printer->setResolution(dpi);
    setupA4(*m_printer);
    m_metrics = imageAt(1, 1, dpi);
}

PrinterTarget::PrinterTarget(QPrinter* printer)
    : Target(Kind::Printer, 1, 1, printer->resolution(), printer->resolution(), kA4WidthTwips, kA4HeightTwips),
      m_printer(printer), m_pdf(printer->outputFormat() == QPrinter::PdfFormat)
{
    setupA4(*m_printer);
    const QRect paper = m_printer->pageLayout().fullRectPixels(m_printer->resolution());
    resetGeometry(paper.width(), paper.height(), kA4WidthTwips, kA4HeightTwips);
    m_metrics = imageAt(1, 1, m_printer->resolution());
}

std::unique_ptr<PrinterTarget> PrinterTarget::defaultPrinter(const QString& pdfFallback)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::make_unique<PrinterTarget>(pdfFallback);
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    auto target = std::make_unique<PrinterTarget>(printer.get());
    target->m_owned = std::move(printer);
    return target;
}

PrinterTarget::~PrinterTarget()
{
    if (m_painter) m_painter->end();
}

void PrinterTarget::PaperSize(int code)
{
    if (code != 9) vb::raise(vb::err::InvalidPropertyValue);
}

void PrinterTarget::Orientation(int code)
{
    if (code != 1) vb::raise(vb::err::InvalidPropertyValue);
}

QString PrinterTarget::outputFile() const
{
    return m_printer->outputFileName();
}

QPainter* PrinterTarget::painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer)) {
            m_painter.reset();
            vb::raise(482, QStringLiteral("Druckerfehler"));
        }
        m_painter->setRenderHint(QPainter::Antialiasing, true);
    }
    return m_painter.get();
}

QPaintDevice* PrinterTarget::metricsDevice() const
{
    return &m_metrics;
}

void PrinterTarget::NewPage()
{
    if (m_painter) m_printer->newPage();
}

void PrinterTarget::EndDoc()
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

void PrinterTarget::KillDoc()
{
    if (m_painter) {
        m_printer->abort();
        m_painter->end();
        m_painter.reset();
    }
}

// ---- RecordingTarget -------------------------------------------------------------

RecordingTarget::RecordingTarget(float widthTwips, float heightTwips, double dpi, Kind kind)
    : PictureTarget(widthTwips, heightTwips, dpi)
{
    setLog([this](const QString& l) { m_lines.append(l); });
    setKind(kind);
}

QStringList RecordingTarget::linesOf(const QString& word) const
{
    QStringList out;
    const QString prefix = word + QLatin1Char(' ');
    for (const QString& l : m_lines)
        if (l.startsWith(prefix) || l == word) out.append(l);
    return out;
}

// ---- scroll bars -------------------------------------------------------------

void ScrollBarState::LargeChange(int v)
{
    if (v < 1 || v > 32767) vb::raise(vb::err::InvalidPropertyValue);
    m_large = v;
}

void ScrollBarState::SmallChange(int v)
{
    if (v < 1 || v > 32767) vb::raise(vb::err::InvalidPropertyValue);
    m_small = v;
}

void ScrollBarState::Value(int v)
{
    if (v < std::min(m_min, m_max) || v > std::max(m_min, m_max)) vb::raise(vb::err::InvalidPropertyValue);
    m_value = v;
}

QtScrollBar::QtScrollBar(QScrollBar* bar, double pixelsPerUnitX, double pixelsPerUnitY, int originX, int originY)
    : m_bar(bar), m_ppuX(pixelsPerUnitX), m_ppuY(pixelsPerUnitY), m_ox(originX), m_oy(originY)
{
    ScrollBarState::Min(bar->minimum());
    ScrollBarState::Max(bar->maximum());
}

void QtScrollBar::place()
{
    m_bar->setGeometry(m_ox + int(std::lround(ScrollBarState::Left() * m_ppuX)),
                       m_oy + int(std::lround(ScrollBarState::Top() * m_ppuY)),
                       std::max(1, int(std::lround(ScrollBarState::Width() * m_ppuX))),
                       std::max(1, int(std::lround(ScrollBarState::Height() * m_ppuY))));
}

void QtScrollBar::Left(float v)
{
    ScrollBarState::Left(v);
    place();
}

void QtScrollBar::Top(float v)
{
    ScrollBarState::Top(v);
    place();
}

void QtScrollBar::Width(float v)
{
    ScrollBarState::Width(v);
    place();
}

void QtScrollBar::Height(float v)
{
    ScrollBarState::Height(v);
    place();
}

void QtScrollBar::Min(int v)
{
    ScrollBarState::Min(v);
    m_bar->setMinimum(v);
}

void QtScrollBar::Max(int v)
{
    ScrollBarState::Max(v);
    m_bar->setMaximum(v);
}

void QtScrollBar::LargeChange(int v)
{
    ScrollBarState::LargeChange(v);
    m_bar->setPageStep(v);
}

void QtScrollBar::SmallChange(int v)
{
    ScrollBarState::SmallChange(v);
    m_bar->setSingleStep(v);
}

int QtScrollBar::Value() const
{
    return m_bar->value();
}

void QtScrollBar::Value(int v)
{
    ScrollBarState::Value(v);
    m_bar->setValue(v);
}

bool QtScrollBar::Visible() const
{
    return !m_bar->isHidden();
}

void QtScrollBar::Visible(bool v)
{
    ScrollBarState::Visible(v);
    m_bar->setVisible(v);
}

} // namespace drawing
