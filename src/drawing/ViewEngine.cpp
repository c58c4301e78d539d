// ViewEngine: view state, transforms, arrow heads and the axes frame
// (SKALEN) with the view record and the drawing of axes, ticks, grid lines,
// numbers and titles, shared by both engines.

#include "drawing/ViewEngine.h"

#include "database/clsDATEN.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <cmath>

namespace drawing {

namespace {
const QString kTitle = QStringLiteral("Skalen");
const QString kPrefix = QStringLiteral("VB-Fehler:");
} // namespace

// ---- view state ----------------------------------------------------------------

ViewState ViewEngine::view() const
{
    ViewState v;
    v.OX = m_OX;
    v.OY = m_OY;
    v.RL = m_RL;
    v.RR = m_RR;
    v.RO = m_RO;
    v.RU = m_RU;
    v.XMIN = m_XMIN;
    v.XMAX = m_XMAX;
    v.YMIN = m_YMIN;
    v.YMAX = m_YMAX;
    v.MX = m_MX;
    v.MY = m_MY;
    v.MYMX = m_MYMX;
    v.SX = m_SX;
    v.SY = m_SY;
    return withPicture(v);
}

void ViewEngine::setView(const ViewState& v)
{
    m_OX = v.OX;
    m_OY = v.OY;
    m_RL = v.RL;
    m_RR = v.RR;
    m_RO = v.RO;
    m_RU = v.RU;
    m_XMIN = v.XMIN;
    m_XMAX = v.XMAX;
    m_YMIN = v.YMIN;
    m_YMAX = v.YMAX;
    m_MX = v.MX;
    m_MY = v.MY;
    m_MYMX = v.MYMX;
    m_SX = v.SX;
    m_SY = v.SY;
}

// ---- transforms ----------------------------------------------------------------

void ViewEngine::KOORDTRANS(float X, float Y, float& XP, float& YP)
{
    // No allocation on the way through: the trap is built only for an error.
    const auto fail = [](const std::exception& e) {
        return vb::ErrorTrap(QStringLiteral("Koordinatentransformation"), vb::kVbFehler).report(vb::toVbError(e));
    };
    try {
        const float base = m_EXDL + m_SX + m_RL;
        const float x = m_OX == 1 ? base + vb::DivS(X - m_XMIN, m_MX) : base + vb::DivS(m_XMAX - X, m_MX);
        XP = vb::checkSingle(x);
    } catch (const std::exception& e) {
        if (!fail(e)) return;
    }
    try {
        const float base = m_EYDO + m_SY + m_RO;
        const float y = m_OY == 1 ? base + vb::DivS(m_YMAX - Y, m_MY) : base + vb::DivS(Y - m_YMIN, m_MY);
        YP = vb::checkSingle(y);
    } catch (const std::exception& e) {
        fail(e);
    }
}

void ViewEngine::KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX, int16_t SKTY)
{
    vb::ErrorTrap trap(QStringLiteral("Inverse Koordinatentransformation"), vb::kVbFehler);
    if (!trap([&] {
            X = m_OX == 1 ? (XP - m_EXDL - m_SX - m_RL) * m_MX + m_XMIN : (m_EXDL + m_SX + m_RL - XP) * m_MX + m_XMAX;
        }))
        return;
    if (!trap([&] {
            Y = m_OY == 1 ? (m_EYDO + m_SY + m_RO - YP) * m_MY + m_YMAX : (YP - m_EYDO - m_SY - m_RO) * m_MY + m_YMIN;
        }))
        return;
    if (!trap([&] {
            if (SKTX == 1) X = vb::checkSingle(std::pow(10.0, double(X)));
        }))
        return;
    trap([&] {
        if (SKTY == 1) Y = vb::checkSingle(std::pow(10.0, double(Y)));
    });
}

void ViewEngine::PFEIL(float XP1, float YP1, float XP2, float YP2)
{
    vb::ErrorTrap trap(QStringLiteral("Pfeil"), vb::kVbFehler);
    float len = 2.5f;
    const float half = 15.0f * kDegree;
    float w = 0;
    float b1x = 0, b1y = 0, b2x = 0, b2y = 0;
    if (!trap([&] { w = RICHTUNGSWINKEL(XP2, YP2, XP1, YP1); })) return;
    if (!trap([&] {
            const float dx = XP2 - XP1;
            const float dy = YP2 - YP1;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (2.0f * len > d) len = d / 2.0f;
        }))
        return;
    if (!trap([&] {
            b1x = XP2 + len * std::cos(w + half);
            b1y = YP2 + len * std::sin(w + half);
            LINIE(XP2, YP2, b1x, b1y);
        }))
        return;
    if (!trap([&] {
            b2x = XP2 + len * std::cos(w - half);
            b2y = YP2 + len * std::sin(w - half);
            LINIE(XP2, YP2, b2x, b2y);
        }))
        return;
    trap([&] { LINIE(b1x, b1y, b2x, b2y); });
}

void ViewEngine::SKALEN(int16_t NR, const std::optional<std::vector<float>>& X,
                       const std::optional<std::vector<float>>& Y)
{
    // The data lists must be lists of values when they are given.
    if (X && X->empty()) {
        vb::MsgBox(QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für X übergeben!"),
                   vb::vbOKOnly | vb::vbExclamation, kTitle);
        return;
    }
    if (Y && Y->empty()) {
        vb::MsgBox(QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für Y übergeben!"),
                   vb::vbOKOnly | vb::vbExclamation, kTitle);
        return;
    }
    const std::vector<float> xs = X ? *X : std::vector<float>{0.0f};
    const std::vector<float> ys = Y ? *Y : std::vector<float>{0.0f};

    vb::ErrorTrap trap(kTitle, kPrefix);
    std::unique_ptr<clsDATEN> dat;
    const Wert picture = vb::Variant(m_EIDOBJEKT);
    const QString kKey = QStringLiteral("IDOBJEKT");

    // The view record.
    bool readOk = true;
    if (!trap([&] {
            dat = std::make_unique<clsDATEN>();
            dat->ETABELLE(QStringLiteral("G0"));
            dat->ESPIDW(m_EID);
            readOk = dat->DTVI(QStringLiteral("OX"), m_OX, kKey, picture) &&
                     dat->DTVI(QStringLiteral("OY"), m_OY, kKey, picture) &&
                     dat->DTVS(QStringLiteral("RL"), m_RL, kKey, picture) &&
                     dat->DTVS(QStringLiteral("RR"), m_RR, kKey, picture) &&
                     dat->DTVS(QStringLiteral("RO"), m_RO, kKey, picture) &&
                     dat->DTVS(QStringLiteral("RU"), m_RU, kKey, picture) &&
                     dat->DTVS(QStringLiteral("XMIN"), m_XMIN, kKey, picture) &&
                     dat->DTVS(QStringLiteral("XMAX"), m_XMAX, kKey, picture) &&
                     dat->DTVS(QStringLiteral("YMIN"), m_YMIN, kKey, picture) &&
                     dat->DTVS(QStringLiteral("YMAX"), m_YMAX, kKey, picture);
        }))
        return;
    if (!readOk || !dat) {
        // The accessor has reported its failure; SKALEN ends without scales.
        trap.report(vb::VbError(0, QString()));
        return;
    }

    // Fit the axes.
    AxisFit fitX, fitY;
    const auto fitAxis = [&](bool horizontal, int16_t nr, bool fitMin, bool fitMax) {
        AxisTables& tb = horizontal ? m_x : m_y;
        const NumberList none;
        AxisFit& fit = horizontal ? fitX : fitY;
        fit = ACHSBEREICH(nr, fitMin, fitMax, horizontal ? m_ESKTX : m_ESKTY, horizontal ? xs : ys,
                          horizontal ? m_XMIN : m_YMIN, horizontal ? m_XMAX : m_YMAX, tb.MIN.value_or(none),
                          tb.DIFF.value_or(none), tb.IT.value_or(none), tb.GIT.value_or(none), tb.ZL.value_or(none));
        (horizontal ? m_ticksX : m_ticksY) = fit.tickCount;
        (horizontal ? m_gridX : m_gridY) = fit.gridCount;
        (horizontal ? m_labelsX : m_labelsY) = fit.labelCount;
    };
    if (m_x.MIN && !trap([&] { fitAxis(true, NR, m_EBOXMIN, m_EBOXMAX); })) return;
    if (m_y.MIN && !trap([&] { fitAxis(false, NR, m_EBOYMIN, m_EBOYMAX); })) return;

    // Equal scales: one range follows the other.
    if (m_EXYIT == 1) {
        if (!trap([&] {
                m_YMAX = m_YMIN + vb::DivS((m_XMAX - m_XMIN) * (m_ELY - m_RO - m_RU), m_ELX - m_RL - m_RR);
                fitAxis(false, 0, false, false);
            }))
            return;
    } else if (m_EXYIT == 2) {
        if (!trap([&] {
                m_XMAX = m_XMIN + vb::DivS((m_YMAX - m_YMIN) * (m_ELX - m_RL - m_RR), m_ELY - m_RO - m_RU);
                fitAxis(true, 0, false, false);
            }))
            return;
    }

    // Store the fitted ends (a failed store leaves the record as it was).
    if (!trap([&] {
            if (m_EBOXMIN) dat->DVTS(QStringLiteral("XMIN"), m_XMIN, kKey, picture);
            if (m_EBOXMAX) dat->DVTS(QStringLiteral("XMAX"), m_XMAX, kKey, picture);
            if (m_EBOYMIN) dat->DVTS(QStringLiteral("YMIN"), m_YMIN, kKey, picture);
            if (m_EBOYMAX) dat->DVTS(QStringLiteral("YMAX"), m_YMAX, kKey, picture);
        }))
        return;
    if (NR == 1 || NR == 2) return;

    // Logarithmic axes work in decades from here on.
    if (m_ESKTX == 1) {
        m_XMIN = LOG10(m_XMIN);
        m_XMAX = LOG10(m_XMAX);
    }
    if (m_ESKTY == 1) {
        m_YMIN = LOG10(m_YMIN);
        m_YMAX = LOG10(m_YMAX);
    }

    // Scales.
    if (!trap([&] {
            dat->DTVS(QStringLiteral("MYMX"), m_MYMX, kKey, picture);
            dat->DTVS(QStringLiteral("MX"), m_MX, kKey, picture);
            dat->DTVS(QStringLiteral("MY"), m_MY, kKey, picture);
        }))
        return;
    if (!(m_MX != 0 && m_MY != 0)) {
        if (!trap([&] {
                MASSSTAB(m_XMIN, m_XMAX, m_YMIN, m_YMAX, m_ELX, m_ELY, m_RL, m_RR, m_RU, m_RO, m_MYMX, m_MX, m_MY);
            }))
            return;
        if (!trap([&] {
                dat->DVTS(QStringLiteral("MX"), m_MX, kKey, picture);
                dat->DVTS(QStringLiteral("MY"), m_MY, kKey, picture);
            }))
            return;
    }

    // Scroll bars and shifts.
    if (!trap([&] { beforeScroll(); })) return;
    if (!trap([&] { scrollAxis(true); })) return;
    if (!trap([&] { scrollAxis(false); })) return;

    // Axes only when the whole plot fits.
    if (m_xBar && m_xBar->Visible()) return;
    if (m_yBar && m_yBar->Visible()) return;

    if (m_EAXEX != 0 && !trap([&] { drawAxis(true, fitX); })) return;
    if (m_EAXEY != 0) trap([&] { drawAxis(false, fitY); });
}

void ViewEngine::textAnchor(float& X, float& Y, int16_t KO)
{
    if (KO == 1) {
        if (m_ESKTX == 1)
            X = LOG10(X);
        if (m_ESKTY == 1)
            Y = LOG10(Y);
        KOORDTRANS(X, Y, X, Y);
    } else if (KO == 2) {
        X = X + m_SX + m_EXDL;
        Y = Y + m_SY + m_EYDO;
    }
}

ClipFrame ViewEngine::textBounds(int16_t KO) const
{
    if (KO == 1)
        return {m_EXDL + m_RL - 1, m_EYDO + m_RO - 1, m_EXDL + m_ELX - m_RR + 1, m_EYDO + m_ELY - m_RU + 1};
    return {m_EXDL - 1, m_EYDO - 1, m_EXDL + m_ELX + 1, m_EYDO + m_ELY + 1};
}

ClipFrame ViewEngine::lineFrame(int16_t BOSK) const
{
    if (BOSK == 1)
        return {m_EXDL, m_EYDO, m_EXDL + m_ELX, m_EYDO + m_ELY};
    return {m_EXDL + m_RL, m_EYDO + m_RO, m_EXDL + m_ELX - m_RR, m_EYDO + m_ELY - m_RU};
}

float ViewEngine::barShift(const ScrollBar& bar, bool horizontal) const
{
    const float size = horizontal ? m_ELX : m_ELY;
    const float m1 = horizontal ? m_RL : m_RO;
    const float m2 = horizontal ? m_RR : m_RU;
    const float need = vb::DivS(horizontal ? m_XMAX - m_XMIN : m_YMAX - m_YMIN, horizontal ? m_MX : m_MY);
    return float(roundEvenTo(bar.Value() / 10000.0, 3)) * (size - m1 - m2 - need);
}

QString ViewEngine::logLabel(float position, const QString& format) const
{
    QString label = vb::Format(vb::Variant(double(std::pow(10.0, double(position)))), format);
    // A number format that ends in its decimal sign leaves the sign standing
    // after a whole number: drop it.
    const QChar decimal = vb::locale().decimalSign();
    if (!label.isEmpty() && label.back() == decimal) label.chop(1);
    return label;
}

void ViewEngine::drawAxis(bool horizontal, const AxisFit& fit)
{
    // Both axes are drawn by one routine in coordinates along the axis (a)
    // and across it (c); page points and world points are swapped back for
    // the vertical axis.
    const auto line = [&](float a1, float c1, float a2, float c2) {
        if (horizontal)
            LINIE(a1, c1, a2, c2, std::nullopt, 1);
        else
            LINIE(c1, a1, c2, a2, std::nullopt, 1);
    };
    const auto toPage = [&](float along, float across, float& a, float& c) {
        if (horizontal)
            KOORDTRANS(along, across, a, c);
        else
            KOORDTRANS(across, along, c, a);
    };
    const auto text = [&](float a, float c, const QString& label, int16_t align) {
        if (horizontal)
            TEXT(a, c, label, 0, 0, 1, align);
        else
            TEXT(c, a, label, 0, 90, 1, align);
    };

    float XP1 = 0, YP1 = 0, XP2 = 0, YP2 = 0;
    KOORDTRANS(m_XMIN, m_YMIN, XP1, YP1);
    KOORDTRANS(m_XMAX, m_YMAX, XP2, YP2);
    const float a1 = horizontal ? XP1 : YP1, a2 = horizontal ? XP2 : YP2;
    const float c1 = horizontal ? YP1 : XP1, c2 = horizontal ? YP2 : XP2;
    // Position switch 1 puts the X axis below the plot and the Y axis left of
    // it (s: the page direction away from the plot there); -1 the other side.
    const int16_t n = horizontal ? m_EAXEX : m_EAXEY;
    const float s = horizontal ? 1.0f : -1.0f;
    const float nearEdge = horizontal ? std::max(c1, c2) : std::min(c1, c2);
    const float farEdge = horizontal ? std::min(c1, c2) : std::max(c1, c2);
    // The world range across the axis, its orientation and scale.
    const int16_t o = horizontal ? m_OY : m_OX;
    const float lo = horizontal ? m_YMIN : m_XMIN;
    const float hi = horizontal ? m_YMAX : m_XMAX;
    const float m = horizontal ? m_MY : m_MX;
    float c = 0, across = 0, d = s;
    if (n == 1) {
        c = nearEdge, across = o == 1 ? lo : hi, d = s;
    } else if (n == -1) {
        c = farEdge, across = o == 1 ? hi : lo, d = -s;
    } else if (n >= 2) {
        c = nearEdge + n * s, across = o == 1 ? lo - n * m : hi + n * m, d = s;
    } else {
        c = farEdge + n * s, across = o == 1 ? hi - n * m : lo + n * m, d = -s;
    }
    const int16_t align = d > 0 ? 0 : 2;
    line(a1, c, a2, c);

    const bool logAxis = (horizontal ? m_ESKTX : m_ESKTY) == 1;
    const QString& format = horizontal ? m_ESKZX : m_ESKZY;
    double nextGrid = 0, nextLabel = 0;
    int gridPos = 0;
    for (int i = 0; i <= fit.tickCount; ++i) {
        if (i >= int(fit.ticks.size())) vb::raise(vb::err::SubscriptOutOfRange);
        const QString number = vb::Format(vb::Variant(fit.ticks[size_t(i)]), format);
        float at = 0;
        toPage(fit.ticks[size_t(i)], across, at, c);
        line(at, c, at, c + 1.5f * d);
        if (!logAxis) {
            if (i == nextGrid && fit.gridCount != 0) {
                line(at, c1, at, c2);
                nextGrid = roundEven(double(fit.tickCount) / fit.gridCount + nextGrid);
            }
            if (i == nextLabel && fit.labelCount != 0) {
                text(at, c + 2 * d, number, align);
                nextLabel = roundEven(double(fit.tickCount) / fit.labelCount + nextLabel);
            }
        } else if (gridPos <= fit.gridPositions && fit.gridCount != 0) {
            float ag = 0, cg = 0;
            toPage(fit.grid[size_t(gridPos)], across, ag, cg);
            line(ag, c1, ag, c2);
            if (fit.labelCount != 0 && fit.labelCount == fit.gridCount)
                text(ag, c + 2 * d, logLabel(fit.grid[size_t(gridPos)], format), align);
            ++gridPos;
        }
    }
    const float t = (fit.labelCount > 1 || logAxis) ? 6.0f : 2.0f;
    text((a1 + a2) / 2, c + t * d, horizontal ? m_ETEXTX : m_ETEXTY, align);
}

} // namespace drawing
