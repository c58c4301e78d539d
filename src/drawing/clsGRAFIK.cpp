// clsGRAFIK: state, construction, target binding, transforms, pens and fonts,
// clipped lines, arrow heads and point symbols.

#include "drawing/clsGRAFIK.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <cmath>
#include <utility>

using namespace drawing;

namespace {
constexpr int32_t kWhite = 0xFFFFFF;
} // namespace

// ---- construction --------------------------------------------------------------

clsGRAFIK::clsGRAFIK()
{
    const std::shared_ptr<db::Connection> cnn = db::sharedState().cnnX;
    if (!cnn) vb::raise(vb::err::ObjectNotSet);
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"));
    if (!rs->eof()) m_EID = vb::CLng(rs->field(QStringLiteral("ID")));
    rs->close();
}

// The scroll bars, the target and font slot 0 belong to the window or the
// printer; only the references are dropped. Slots 1 to 5 are the engine's.
clsGRAFIK::~clsGRAFIK() = default;

Target& clsGRAFIK::tgt() const
{
    if (!m_target) vb::raise(vb::err::ObjectNotSet);
    return *m_target;
}

// ---- properties ----------------------------------------------------------------

void clsGRAFIK::EOBJEKT(EngineObject* target)
{
    m_object = target;
    m_target = dynamic_cast<Target*>(target);
    if (m_target) {
        const Target& t = *m_target;
        m_pxX = float(t.pixelsPerUnitX());
        m_pxY = float(t.pixelsPerUnitY());
        ELX(float(t.Width() / kTwipsPerMm));
        ELY(float(t.Height() / kTwipsPerMm));
    }
    SCHRIFTEINSTELLUNGEN();
}

// ---- view state ----------------------------------------------------------------

ViewState clsGRAFIK::view() const
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

void clsGRAFIK::setView(const ViewState& v)
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

void clsGRAFIK::KOORDTRANS(float X, float Y, float& XP, float& YP)
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

void clsGRAFIK::KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX, int16_t SKTY)
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

// ---- pens and fonts ------------------------------------------------------------

void clsGRAFIK::LINIENEINSTELLUNGEN(int16_t LINIENART, float LINIENBREITE, int32_t FARBE)
{
    vb::ErrorTrap trap(QStringLiteral("Linieneinstellungen"), QStringLiteral("VB-Fehler "));
    const float width = LINIENBREITE != 0 ? LINIENBREITE * m_pxX : 1.0f;
    const int32_t colour = FARBE;  // 0 is black
    if (!trap([&] { tgt().DrawStyle(LINIENART); })) return;
    if (!trap([&] { tgt().DrawWidth(roundEven(double(width))); })) return;
    if (!trap([&] { tgt().DrawMode(13); })) return;
    trap([&] { tgt().ForeColor(colour); });
}

void clsGRAFIK::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                     bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    vb::ErrorTrap trap(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Fehler:"));
    if (!trap([&] { tgt().FontName(SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART); })) return;
    if (!trap([&] { tgt().FontSize(SCHRIFTGROESSE < 1 ? 8.0f : float(SCHRIFTGROESSE)); })) return;
    if (!trap([&] {
            tgt().FontBold(FETT);
            tgt().FontItalic(KURSIV);
            tgt().FontUnderline(UNTERSTRICHEN);
        }))
        return;
    if (!trap([&] { tgt().ForeColor(FARBE <= 0 ? 0 : FARBE); })) return;
    for (int slot = 1; slot <= 5; ++slot) {
        if (!trap([&] {
                // A copy of the target's font; slots 3 and 5 in the Greek
                // face, 4 and 5 in the small size.
                StdFont f = *tgt().Font();
                if (slot == 3 || slot == 5) f.Name = QStringLiteral("Symbol");
                if (slot >= 4) f.Size = float(roundEven(double(f.Size) / 1.175));
                m_slots[size_t(slot)] = newFont(f);
            }))
            return;
    }
}

// ---- lines ---------------------------------------------------------------------

void clsGRAFIK::LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB, int16_t BOSK)
{
    float L, T, R, B;
    if (BOSK == 1) {
        L = m_EXDL;
        T = m_EYDO;
        R = m_EXDL + m_ELX;
        B = m_EYDO + m_ELY;
    } else {
        L = m_EXDL + m_RL;
        T = m_EYDO + m_RO;
        R = m_EXDL + m_ELX - m_RR;
        B = m_EYDO + m_ELY - m_RU;
    }
    if (XP2 <= XP1) {
        std::swap(XP1, XP2);
        std::swap(YP1, YP2);
    }
    if ((XP1 < L && XP2 < L) || (XP1 > R && XP2 > R) || (YP1 < T && YP2 < T) || (YP1 > B && YP2 > B)) return;

    vb::ErrorTrap trap(QStringLiteral("LINIE"), vb::kVbFehler);
    trap.numberLine();
    if (FB) {
        float ax = XP1, ay = YP1, cx = XP2, cy = YP2;
        if (ax < L) ax = L;
        if (cx > R) cx = R;
        if (ay < cy) {
            if (ay < T) ay = T;
            if (cy > B) cy = B;
        } else {
            if (ay > B) ay = B;
            if (cy < T) cy = T;
        }
        const int32_t colour = *FB;
        trap([&] { tgt().Box(ax, ay, cx, cy, colour, true); });
        return;
    }

    // Points on the line through the two ends (only evaluated where both
    // coordinates differ, so the interpolation never divides by zero).
    const auto yAt = [&](float x) { return LININT(XP1, XP2, x, YP1, YP2); };
    const auto xAt = [&](float y) { return LININT(YP1, YP2, y, XP1, XP2); };
    const auto inX = [&](float x) { return L <= x && x <= R; };
    const auto inY = [&](float y) { return T <= y && y <= B; };

    float sx = 0, sy = 0, ex = 0, ey = 0;
    bool found = false;
    if (XP1 >= L && XP2 <= R && inY(YP1) && inY(YP2)) {
        sx = XP1, sy = YP1, ex = XP2, ey = YP2;
        found = true;
    } else if (XP1 == XP2) {
        sx = ex = XP1;
        found = true;
        if ((YP1 <= T && YP2 >= B) || (YP1 >= B && YP2 <= T))
            sy = T, ey = B;
        else if (YP1 <= T && T <= YP2)
            sy = T, ey = YP2;
        else if (YP2 <= T && T <= YP1)
            sy = T, ey = YP1;
        else if (YP1 <= B && B <= YP2)
            sy = B, ey = YP1;
        else if (YP2 <= B && B <= YP1)
            sy = B, ey = YP2;
        else
            found = false;
    } else if (YP1 == YP2) {
        sy = ey = YP1;
        found = true;
        if (XP1 <= L && XP2 >= R)
            sx = L, ex = R;
        else if (XP1 <= L)
            sx = L, ex = XP2;
        else
            sx = XP1, ex = R;
    } else {
        // Entries in the order left, bottom, right, top; each with its exits.
        if (XP1 <= L && L < XP2 && inY(yAt(L))) {
            sx = L, sy = yAt(L);
            found = true;
            if (inX(xAt(B)) && YP2 >= B)
                ex = xAt(B), ey = B;
            else if (inX(xAt(B)))
                ex = XP2, ey = YP2;
            else if (inY(yAt(R)) && XP2 >= R)
                ex = R, ey = yAt(R);
            else if (inY(yAt(R)))
                ex = XP2, ey = YP2;
            else if (inX(xAt(T)) && YP2 <= T)
                ex = xAt(T), ey = T;
            else if (inX(xAt(T)))
                ex = XP2, ey = YP2;
            else
                found = false;
        }
        if (!found && ((YP1 < B && B <= YP2) || (YP2 < B && B < YP1)) && inX(xAt(B))) {
            sx = xAt(B), sy = B;
            found = true;
            const float upperY = YP1 > YP2 ? YP2 : YP1;
            if (inY(yAt(R)) && XP2 >= R)
                ex = R, ey = yAt(R);
            else if (inY(yAt(R)))
                ex = XP2, ey = YP2;
            else if (inX(xAt(T)) && upperY <= T)
                ex = xAt(T), ey = T;
            else if (inX(xAt(T))) {
                if (YP1 < YP2)
                    ex = XP1, ey = YP1;
                else
                    ex = XP2, ey = YP2;
            } else if (inY(yAt(L)))
                ex = XP1, ey = YP1;
            else
                found = false;
        }
        if (!found && XP1 < R && R <= XP2 && inY(yAt(R))) {
            sx = R, sy = yAt(R);
            found = true;
            if (inX(xAt(T)) && YP1 <= T)
                ex = xAt(T), ey = T;
            else if (inX(xAt(T)))
                ex = XP1, ey = YP1;
            else if (inY(yAt(L)))
                ex = XP1, ey = YP1;
            else if (inX(xAt(B)))
                ex = XP1, ey = YP1;
            else
                found = false;
        }
        if (!found && ((YP1 < T && T < YP2) || (YP2 < T && T < YP1)) && inX(xAt(T))) {
            sx = xAt(T), sy = T;
            found = true;
            if (inY(yAt(L)))
                ex = XP1, ey = YP1;
            else if (YP1 < YP2)
                ex = XP2, ey = YP2;
            else
                ex = XP1, ey = YP1;
        }
    }
    if (!found) return;
    trap([&] { tgt().Line(sx, sy, ex, ey); });
}

void clsGRAFIK::PFEIL(float XP1, float YP1, float XP2, float YP2)
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

// ---- point symbols ---------------------------------------------------------------

void clsGRAFIK::PUNKTSYMBOL(float XP, float YP, int16_t NR)
{
    Target& t = tgt();
    const int32_t fore = t.ForeColor();
    const auto cross = [&] {
        t.Line(XP, YP, XP - 0.75f, YP - 0.75f, fore);
        t.Line(XP, YP, XP - 0.75f, YP + 0.75f, fore);
        t.Line(XP, YP, XP + 0.75f, YP - 0.75f, fore);
        t.Line(XP, YP, XP + 0.75f, YP + 0.75f, fore);
    };
    switch (NR) {
    case 0:
        cross();
        break;
    case 1:
        t.Box(XP - 0.5f, YP - 0.5f, XP + 0.5f, YP + 0.5f, fore, true);
        break;
    case 2:
        t.Box(XP - 0.5f, YP - 0.5f, XP + 0.5f, YP + 0.5f, fore, false);
        break;
    case 3:
        t.FillColor(fore);
        t.FillStyle(vbFSSolid);
        t.Circle(XP, YP, 0.7f, fore);
        t.FillStyle(vbFSTransparent);
        t.FillColor(kWhite);
        break;
    case 4:
        t.Circle(XP, YP, 0.7f, fore);
        break;
    case 5:
        t.Line(XP - 0.7f, YP + 0.33f, XP + 0.7f, YP + 0.33f, fore);
        t.Line(XP + 0.7f, YP + 0.33f, XP, YP - 0.67f, fore);
        t.Line(XP, YP - 0.67f, XP - 0.7f, YP + 0.33f, fore);
        break;
    case 6:
        cross();
        t.Line(XP - 0.75f, YP, XP + 0.75f, YP, fore);
        t.Line(XP, YP - 0.75f, XP, YP + 0.75f, fore);
        break;
    default:
        break;
    }
}

// ---- figure host ---------------------------------------------------------------

int32_t clsGRAFIK::foreColor() const
{
    return tgt().ForeColor();
}

void clsGRAFIK::setForeColor(int32_t c)
{
    tgt().ForeColor(c);
}

void clsGRAFIK::setFill(bool solid, int32_t color)
{
    tgt().FillStyle(solid ? vbFSSolid : vbFSTransparent);
    tgt().FillColor(color);
}

void clsGRAFIK::circle(float xc, float yc, float r)
{
    tgt().Circle(xc, yc, r);
}

void clsGRAFIK::arc(float xc, float yc, float r, float from, float to)
{
    tgt().Circle(xc, yc, r, std::nullopt, from, to);
}

void clsGRAFIK::dot(float xp, float yp)
{
    tgt().PSet(xp, yp);
}
