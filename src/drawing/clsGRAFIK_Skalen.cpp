// clsGRAFIK: the axes frame and scales (SKALEN) with the view record, the
// scroll bars and the drawing of axes, ticks, grid lines, numbers and titles.

#include "database/clsDATEN.h"
#include "drawing/Trap.h"
#include "drawing/clsGRAFIK.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"

#include <cmath>

using namespace drawing;

namespace {
const QString kTitle = QStringLiteral("Skalen");
const QString kPrefix = QStringLiteral("VB-Fehler:");
} // namespace

void clsGRAFIK::SKALEN(int16_t NR, const std::optional<std::vector<float>>& X,
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

    Trap trap(kTitle, kPrefix);
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
    if (!trap([&] { scrollAxis(true); })) return;
    if (!trap([&] { scrollAxis(false); })) return;

    // Axes only when the whole plot fits.
    if (m_xBar && m_xBar->Visible()) return;
    if (m_yBar && m_yBar->Visible()) return;

    if (m_EAXEX != 0 && !trap([&] { drawAxisX(fitX); })) return;
    if (m_EAXEY != 0) trap([&] { drawAxisY(fitY); });
}

void clsGRAFIK::scrollAxis(bool horizontal)
{
    ScrollBar* bar = horizontal ? m_xBar : m_yBar;
    const float size = horizontal ? m_ELX : m_ELY;
    const float m1 = horizontal ? m_RL : m_RO;
    const float m2 = horizontal ? m_RR : m_RU;
    const float lo = horizontal ? m_XMIN : m_YMIN;
    const float hi = horizontal ? m_XMAX : m_YMAX;
    const float scale = horizontal ? m_MX : m_MY;
    float& shift = horizontal ? m_SX : m_SY;

    const float avail = 1.01f * size - m1 - m2;
    const float need = vb::DivS(hi - lo, scale);
    if (!bar || !m_target) return;
    if (!m_target->isPrinter()) {
        if (avail > need) {
            bar->Value(0);
            bar->Visible(false);
        } else {
            const Target& t = *m_target;
            if (horizontal) {
                bar->Top(t.ScaleHeight() - 5);
                bar->Left(0);
                bar->Width(t.ScaleWidth() - 5);
                bar->Height(5);
            } else {
                bar->Top(0);
                bar->Left(t.ScaleWidth() - 5);
                bar->Width(5);
                bar->Height(t.ScaleHeight() - 5);
            }
            bar->Min(0);
            bar->Max(10000);
            bar->LargeChange(roundEven((1.0 - double(vb::DivS(need - avail, need))) * 10000.0));
            bar->SmallChange(roundEven(double(bar->LargeChange()) / 50.0));
            bar->Visible(true);
        }
        const int value = bar->Value();
        shift = value == 0 ? 0.0f : float(roundEvenTo(value / 10000.0, 3)) * (avail - need);
    } else {
        shift = float(roundEvenTo(bar->Value() / 10000.0, 3)) * (size - m1 - m2 - need);
    }
}

QString clsGRAFIK::logLabel(float position, const QString& format) const
{
    QString label = vb::Format(vb::Variant(double(std::pow(10.0, double(position)))), format);
    // A number format that ends in its decimal sign leaves the sign standing
    // after a whole number: drop it.
    const QChar decimal = vb::locale().decimalSign();
    if (!label.isEmpty() && label.back() == decimal) label.chop(1);
    return label;
}

void clsGRAFIK::drawAxisX(const AxisFit& fit)
{
    float XP1 = 0, YP1 = 0, XP2 = 0, YP2 = 0;
    KOORDTRANS(m_XMIN, m_YMIN, XP1, YP1);
    KOORDTRANS(m_XMAX, m_YMAX, XP2, YP2);
    const float bottomEdge = std::max(YP1, YP2);
    const float topEdge = std::min(YP1, YP2);
    float ya = 0, worldY = 0, d = 1;
    int16_t a = 0;
    if (m_EAXEX == 1) {
        ya = bottomEdge, worldY = m_OY == 1 ? m_YMIN : m_YMAX, d = 1, a = 0;
    } else if (m_EAXEX == -1) {
        ya = topEdge, worldY = m_OY == 1 ? m_YMAX : m_YMIN, d = -1, a = 2;
    } else if (m_EAXEX >= 2) {
        const float n = m_EAXEX;
        ya = bottomEdge + n, worldY = m_OY == 1 ? m_YMIN - n * m_MY : m_YMAX + n * m_MY, d = 1, a = 0;
    } else {
        const float n = m_EAXEX;
        ya = topEdge + n, worldY = m_OY == 1 ? m_YMAX - n * m_MY : m_YMIN + n * m_MY, d = -1, a = 2;
    }
    LINIE(XP1, ya, XP2, ya, std::nullopt, 1);

    const bool logAxis = m_ESKTX == 1;
    double nextGrid = 0, nextLabel = 0;
    int gridPos = 0;
    for (int i = 0; i <= fit.tickCount; ++i) {
        if (i >= int(fit.ticks.size())) vb::raise(vb::err::SubscriptOutOfRange);
        const QString number = vb::Format(vb::Variant(fit.ticks[size_t(i)]), m_ESKZX);
        float xt = 0;
        KOORDTRANS(fit.ticks[size_t(i)], worldY, xt, ya);
        LINIE(xt, ya, xt, ya + 1.5f * d, std::nullopt, 1);
        if (!logAxis) {
            if (i == nextGrid && fit.gridCount != 0) {
                LINIE(xt, YP1, xt, YP2, std::nullopt, 1);
                nextGrid = roundEven(double(fit.tickCount) / fit.gridCount + nextGrid);
            }
            if (i == nextLabel && fit.labelCount != 0) {
                TEXT(xt, ya + 2 * d, number, 0, 0, 1, a);
                nextLabel = roundEven(double(fit.tickCount) / fit.labelCount + nextLabel);
            }
        } else if (gridPos <= fit.gridPositions && fit.gridCount != 0) {
            float xg = 0, yg = 0;
            KOORDTRANS(fit.grid[size_t(gridPos)], worldY, xg, yg);
            LINIE(xg, YP1, xg, YP2, std::nullopt, 1);
            if (fit.labelCount != 0 && fit.labelCount == fit.gridCount)
                TEXT(xg, ya + 2 * d, logLabel(fit.grid[size_t(gridPos)], m_ESKZX), 0, 0, 1, a);
            ++gridPos;
        }
    }
    const float xm = (XP1 + XP2) / 2;
    const float t = (fit.labelCount > 1 || logAxis) ? 6.0f : 2.0f;
    TEXT(xm, ya + t * d, m_ETEXTX, 0, 0, 1, a);
}

void clsGRAFIK::drawAxisY(const AxisFit& fit)
{
    float XP1 = 0, YP1 = 0, XP2 = 0, YP2 = 0;
    KOORDTRANS(m_XMIN, m_YMIN, XP1, YP1);
    KOORDTRANS(m_XMAX, m_YMAX, XP2, YP2);
    const float leftEdge = std::min(XP1, XP2);
    const float rightEdge = std::max(XP1, XP2);
    float xa = 0, worldX = 0, d = -1;
    int16_t a = 2;
    if (m_EAXEY == 1) {
        xa = leftEdge, worldX = m_OX == 1 ? m_XMIN : m_XMAX, d = -1, a = 2;
    } else if (m_EAXEY == -1) {
        xa = rightEdge, worldX = m_OX == 1 ? m_XMAX : m_XMIN, d = 1, a = 0;
    } else if (m_EAXEY >= 2) {
        const float n = m_EAXEY;
        xa = leftEdge - n, worldX = m_OX == 1 ? m_XMIN - n * m_MX : m_XMAX + n * m_MX, d = -1, a = 2;
    } else {
        const float n = m_EAXEY;
        xa = rightEdge - n, worldX = m_OX == 1 ? m_XMAX - n * m_MX : m_XMIN + n * m_MX, d = 1, a = 0;
    }
    LINIE(xa, YP1, xa, YP2, std::nullopt, 1);

    const bool logAxis = m_ESKTY == 1;
    double nextGrid = 0, nextLabel = 0;
    int gridPos = 0;
    for (int i = 0; i <= fit.tickCount; ++i) {
        if (i >= int(fit.ticks.size())) vb::raise(vb::err::SubscriptOutOfRange);
        const QString number = vb::Format(vb::Variant(fit.ticks[size_t(i)]), m_ESKZY);
        float yt = 0;
        KOORDTRANS(worldX, fit.ticks[size_t(i)], xa, yt);
        LINIE(xa, yt, xa + 1.5f * d, yt, std::nullopt, 1);
        if (!logAxis) {
            if (i == nextGrid && fit.gridCount != 0) {
                LINIE(XP1, yt, XP2, yt, std::nullopt, 1);
                nextGrid = roundEven(double(fit.tickCount) / fit.gridCount + nextGrid);
            }
            if (i == nextLabel && fit.labelCount != 0) {
                TEXT(xa + 2 * d, yt, number, 0, 90, 1, a);
                nextLabel = roundEven(double(fit.tickCount) / fit.labelCount + nextLabel);
            }
        } else if (gridPos <= fit.gridPositions && fit.gridCount != 0) {
            float xg = 0, yg = 0;
            KOORDTRANS(worldX, fit.grid[size_t(gridPos)], xg, yg);
            LINIE(XP1, yg, XP2, yg, std::nullopt, 1);
            if (fit.labelCount != 0 && fit.labelCount == fit.gridCount)
                TEXT(xa + 2 * d, yg, logLabel(fit.grid[size_t(gridPos)], m_ESKZY), 0, 90, 1, a);
            ++gridPos;
        }
    }
    const float ym = (YP1 + YP2) / 2;
    const float t = (fit.labelCount > 1 || logAxis) ? 6.0f : 2.0f;
    TEXT(xa + t * d, ym, m_ETEXTY, 0, 90, 1, a);
}
