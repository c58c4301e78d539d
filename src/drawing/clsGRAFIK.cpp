// clsGRAFIK: state, construction, target binding, transforms, pens and fonts,
// clipped lines, arrow heads and point symbols.

#include "drawing/clsGRAFIK.h"

#include "drawing/LineClip.h"

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
    const ClipFrame frame = lineFrame(BOSK);
    if (FB) {
        const std::optional<ClipSegment> b = clampBand(XP1, YP1, XP2, YP2, frame);
        if (!b) return;
        vb::ErrorTrap trap(QStringLiteral("LINIE"), vb::kVbFehler);
        trap.numberLine();
        const int32_t colour = *FB;
        trap([&] { tgt().Box(b->x1, b->y1, b->x2, b->y2, colour, true); });
        return;
    }
    const std::optional<ClipSegment> s = clipLine(XP1, YP1, XP2, YP2, frame);
    if (!s) return;
    vb::ErrorTrap trap(QStringLiteral("LINIE"), vb::kVbFehler);
    trap.numberLine();
    trap([&] { tgt().Line(s->x1, s->y1, s->x2, s->y2); });
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
