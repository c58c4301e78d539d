// clsGRAFIK: the axes frame and scales (SKALEN) with the view record, the
// scroll bars and the drawing of axes, ticks, grid lines, numbers and titles.

#include "database/clsDATEN.h"
#include "drawing/clsGRAFIK.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
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
    if (!trap([&] { scrollAxis(true); })) return;
    if (!trap([&] { scrollAxis(false); })) return;

    // Axes only when the whole plot fits.
    if (m_xBar && m_xBar->Visible()) return;
    if (m_yBar && m_yBar->Visible()) return;

    if (m_EAXEX != 0 && !trap([&] { drawAxis(true, fitX); })) return;
    if (m_EAXEY != 0) trap([&] { drawAxis(false, fitY); });
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

void clsGRAFIK::drawAxis(bool horizontal, const AxisFit& fit)
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
