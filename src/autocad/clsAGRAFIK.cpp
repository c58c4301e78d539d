// clsAGRAFIK: construction, binding, line and text styles, lines, bands,
// texts, markers, and the primitives the shared figures draw with.

#include "autocad/clsAGRAFIK.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "drawing/LineClip.h"
#include "drawing/Markup.h"
#include "drawing/Numeric.h"
#include "drawing/figures/Figures.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QCoreApplication>
#include <array>
#include <cmath>

using namespace drawing;

namespace acad {

namespace {

// Basic colours 0..15 as RGB values, and their colour indices.
constexpr std::array<int64_t, 16> kBasicRgb = {0,        8388608,  32768, 8421376, 128,     8388736,
                                               32896,    12632256, 8421504, 16711680, 65280, 16776960,
                                               255,      16711935, 65535, 16777215};
constexpr std::array<int, 16> kBasicIndex = {7, 5, 104, 132, 1, 6, 2, 9, 8, 140, 3, 4, 11, 13, 14, 255};

} // namespace

int colourIndex(int64_t colour)
{
    for (size_t m = 0; m < kBasicRgb.size(); ++m)
        if (colour == int64_t(m) || colour == kBasicRgb[m])
            return kBasicIndex[m];
    if (colour == -1)
        return 255;
    if (colour >= 16 && colour <= 255)
        return int(colour);
    return 7;
}

int16_t lineweightOf(float code)
{
    static constexpr int16_t kWeights[] = {0, 15, 30, 50, 70, 90, 100, 120, 140, 158, 200, 211};
    for (int i = 0; i < 12; ++i)
        if (code == float(i))
            return kWeights[i];
    return 0;
}

QString linetypeOf(int16_t code)
{
    switch (code) {
    case 1: return QStringLiteral("ACAD_ISO02W100");
    case 2: return QStringLiteral("ACAD_ISO07W100");
    case 3: return QStringLiteral("ACAD_ISO04W100");
    case 4: return QStringLiteral("ACAD_ISO12W100");
    default: return QStringLiteral("Continuous");
    }
}

double textHeightOf(int16_t size)
{
    static constexpr double kHeights[] = {1.5, 1.7, 1.9, 2.2, 2.4, 2.7, 3, 3.2, 3.5, 3.8,
                                          4,   4.2, 4.5, 4.7, 4.9, 5.3, 5.5, 5.9, 6.1, 6.4};
    if (size == 0)
        return 1.9;
    if (size >= 6 && size <= 25)
        return kHeights[size - 6];
    return double(size);
}

} // namespace acad

namespace {

// A fore colour handed out by foreColor(): the colour index itself, marked so
// that setForeColor() takes it back unchanged (colour longs stay below 2^24,
// system colours set the top bit).
constexpr int32_t kIndexMark = 0x40000000;

void letEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

acad::Point pt(double x, double y)
{
    return {x, y, 0};
}

} // namespace

// ---- construction ------------------------------------------------------------------

clsAGRAFIK::clsAGRAFIK()
{
    const std::shared_ptr<db::Connection> cnn = db::sharedState().cnnX;
    if (!cnn)
        vb::raise(vb::err::ObjectNotSet);
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"));
    // Record keys are 32-bit: a key above 32767 is kept as it is.
    if (!rs->eof())
        m_EID = vb::CLng(rs->field(QStringLiteral("ID")));
    rs->close();
}

// The document and the scroll bars belong to the export and the page window.
clsAGRAFIK::~clsAGRAFIK() = default;

acad::Document& clsAGRAFIK::doc() const
{
    if (!m_doc)
        vb::raise(vb::err::ObjectNotSet);
    return *m_doc;
}

// ---- binding ---------------------------------------------------------------------------

void clsAGRAFIK::EOBJEKT(EngineObject* document)
{
    auto* d = dynamic_cast<acad::Document*>(document);
    if (document && !d)
        vb::raise(vb::err::TypeMismatch);
    m_object = document;
    m_doc = d;
    INIT();
    SCHRIFTEINSTELLUNGEN();
}

void clsAGRAFIK::INIT()
{
    vb::ErrorTrap trap(QStringLiteral("INIT"), QStringLiteral("VB-Fehler "));
    m_LINIENGEWICHT = -3;
    static const char* const kTypes[] = {"Continuous", "ACAD_ISO02W100", "ACAD_ISO07W100", "ACAD_ISO04W100",
                                         "ACAD_ISO12W100"};
    for (const char* name : kTypes) {
        const QString n = QString::fromLatin1(name);
        bool found = false;
        if (!trap([&] {
                acad::LinetypeTable& lts = doc().Linetypes();
                for (int i = 0; i < lts.Count() && !found; ++i)
                    found = lts.Item(i)->NAME == n;
            }))
            break;
        if (!found && !trap([&] { doc().Linetypes().Load(n, QStringLiteral("acadiso.lin")); }))
            break;
    }
    int sum = 0;
    trap([&] {
        acad::TextStyleTable& st = doc().TextStyles();
        for (int i = 0; i < st.Count(); ++i) {
            if (st.Item(i)->NAME == QLatin1String("ZarEvezo"))
                sum += 1;
            if (st.Item(i)->NAME == QLatin1String("VavAvever"))
                sum += 2;
        }
    });
    if (sum == 0 || sum == 1)
        trap([&] { doc().TextStyles().Add(QStringLiteral("VavAvever")); });
    if (sum == 0 || sum == 2)
        trap([&] {
            doc().TextStyles().Add(QStringLiteral("ZarEvezo"))->SetFont(QStringLiteral("txt"), false, false, 0, 0);
        });
    if (!trap.cancelled())
        LAYER();
    letEventsRun();
}

void clsAGRAFIK::LAYER()
{
    vb::ErrorTrap trap(QStringLiteral("LAYER"), QStringLiteral("VB-Fehler "));
    acad::Layer* layer = nullptr;
    if (!trap([&] { layer = doc().Layers().Add(QStringLiteral("BILD%1").arg(m_EIDOBJEKT)); }))
        return;
    trap([&] { doc().ActiveLayer(layer); });
}

// ---- line and text styles ------------------------------------------------------------

void clsAGRAFIK::LINIENEINSTELLUNGEN(int16_t LINIENART, float LINIENBREITE, int32_t FARBE)
{
    m_LINIENTYP = acad::linetypeOf(LINIENART);
    m_LINIENGEWICHT = acad::lineweightOf(LINIENBREITE);
    m_FARBINDEX = acad::colourIndex(FARBE);
}

void clsAGRAFIK::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool,
                                      bool KURSIV, int32_t FARBE)
{
    vb::ErrorTrap trap(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Fehler:"));
    const bool greek = SCHRIFTART == QLatin1String("Symbol");
    const QString wanted = greek ? QStringLiteral("VavAvever") : QStringLiteral("ZarEvezo");
    const QString face = greek ? QStringLiteral("greekC") : QStringLiteral("txt");
    acad::TextStyle* style = nullptr;
    if (!trap([&] {
            acad::TextStyleTable& st = doc().TextStyles();
            for (int i = 0; i < st.Count() && !style; ++i)
                if (st.Item(i)->NAME == wanted)
                    style = st.Item(i);
        }))
        return;
    if (!trap([&] { doc().ActiveTextStyle(style); }))
        return;
    if (!trap([&] { doc().ActiveTextStyle()->SetFont(face, FETT, KURSIV, 0, 0); }))
        return;
    if (!trap([&] {
            m_TEXTHOEHE = acad::textHeightOf(SCHRIFTGROESSE);
            doc().ActiveTextStyle()->Height(m_TEXTHOEHE);
        }))
        return;
    m_FARBINDEX = acad::colourIndex(FARBE);
}

// ---- lines ---------------------------------------------------------------------------

void clsAGRAFIK::styled(acad::Entity* e, bool withLinetype)
{
    e->Color(m_FARBINDEX);
    e->Lineweight(m_LINIENGEWICHT);
    if (withLinetype)
        e->Linetype(m_LINIENTYP);
    e->Update();
}

void clsAGRAFIK::filled(const std::vector<acad::Entity*>& outline)
{
    acad::Entity* h = doc().ModelSpace().AddHatch(1, QStringLiteral("SOLID"), true);
    h->AppendOuterLoop(outline);
    h->Color(outline.empty() ? m_FARBINDEX : outline.front()->Color());
    h->Evaluate();
}

void clsAGRAFIK::LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB, int16_t BOSK)
{
    const ClipFrame frame = lineFrame(BOSK);
    if (FB) {
        const std::optional<ClipSegment> b = clampBand(XP1, YP1, XP2, YP2, frame, m_EBOGRENZEN);
        if (!b)
            return;
        band(b->x1, b->y1, b->x2, b->y2, acad::colourIndex(*FB));
        return;
    }
    const std::optional<ClipSegment> s = clipLine(XP1, YP1, XP2, YP2, frame, m_EBOGRENZEN);
    if (!s)
        return;
    vb::ErrorTrap trap(QStringLiteral("LINIE"), vb::kVbFehler);
    trap.numberLine();
    acad::Entity* e = nullptr;
    trap([&] { e = doc().ModelSpace().AddLine(pt(s->x1, s->y1), pt(s->x2, s->y2)); });
    trap([&] { e->Color(m_FARBINDEX); });
    trap([&] { e->Lineweight(m_LINIENGEWICHT); });
    trap([&] { e->Linetype(m_LINIENTYP); });
    trap([&] { e->Update(); });
    letEventsRun();
}

void clsAGRAFIK::band(float x1, float y1, float x2, float y2, int K)
{
    vb::ErrorTrap trap(QStringLiteral("LINIE"), vb::kVbFehler);
    trap.numberLine();
    const std::array<std::array<float, 4>, 4> sides = {{{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x2, y2, x1, y2},
                                                         {x1, y2, x1, y1}}};
    std::vector<acad::Entity*> outline;
    for (const auto& s : sides) {
        acad::Entity* e = nullptr;
        if (!trap([&] { e = doc().ModelSpace().AddLine(pt(s[0], s[1]), pt(s[2], s[3])); }))
            break;
        outline.push_back(e);
        trap([&] { e->Color(K); });
        trap([&] { e->Lineweight(m_LINIENGEWICHT); });
        trap([&] { e->Linetype(m_LINIENTYP); });
        trap([&] { e->Update(); });
    }
    acad::Entity* h = nullptr;
    trap([&] { h = doc().ModelSpace().AddHatch(1, QStringLiteral("SOLID"), true); });
    trap([&] { h->AppendOuterLoop(outline); });
    trap([&] { h->Color(K); });
    trap([&] { h->Evaluate(); });
    letEventsRun();
}

// ---- text ------------------------------------------------------------------------------

bool clsAGRAFIK::textLage(vb::ErrorTrap& trap, float& X, float& Y, const QString& TEXT, int16_t KO)
{
    if (TEXT.isEmpty())
        return false;
    if (!trap([&] { textAnchor(X, Y, KO); }))
        return false;
    // With clipping, the anchor must lie inside the box; the entity's own
    // extent is the CAD program's to lay out.
    const ClipFrame b = textBounds(KO);
    return !m_EBOGRENZEN || (b.left < X && X < b.right && b.top < Y && Y < b.bottom);
}

bool clsAGRAFIK::TEXTPASST(float X, float Y, const QString& TEXT, int16_t KO, int16_t, int16_t, int16_t)
{
    if (TEXT.isEmpty())
        return false;
    vb::ErrorTrap trap(QStringLiteral("Text"), vb::kVbFehler);
    return textLage(trap, X, Y, TEXT, KO);
}

void clsAGRAFIK::TEXT(float X, float Y, const QString& TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    if (TEXT.isEmpty())
        return;
    vb::ErrorTrap trap(QStringLiteral("Text"), vb::kVbFehler);
    if (!textLage(trap, X, Y, TEXT, KO))
        return;
    const QString plain = plainText(TEXT);

    const double width = double(plain.size()) * m_TEXTHOEHE + 1;
    const double angle = double(AL) * double(kDegree);
    acad::Entity* e = nullptr;
    if (!trap([&] { e = doc().ModelSpace().AddMText(pt(0, 0), width, plain); }))
        return;
    if (!trap([&] { e->Height(m_TEXTHOEHE); }))
        return;
    if (!trap([&] { e->Rotate(pt(0, 0), angle); }))
        return;
    if (!trap([&] { e->Color(m_FARBINDEX); }))
        return;
    if (!trap([&] {
            if (ARX >= 0 && ARX <= 2 && ARY >= 0 && ARY <= 2)
                e->AttachmentPoint(3 * ARY + ARX + 1);
        }))
        return;
    if (!trap([&] { e->InsertionPoint(pt(X, Y)); }))
        return;
    trap([&] { e->Update(); });
}

// ---- markers -------------------------------------------------------------------------

void clsAGRAFIK::SYMBOLE(float XP, float YP, int16_t PSTYP, float GROESSE)
{
    vb::ErrorTrap trap(QStringLiteral("Symbole"), vb::kVbFehler);
    const float X = XP, Y = YP, G = GROESSE;
    const auto stroke = [&](float x1, float y1, float x2, float y2) { trap([&] { LINIE(x1, y1, x2, y2); }); };
    // A circle in the current colour, filled or open.
    const auto disc = [&](float r, bool fill) {
        acad::Entity* c = nullptr;
        if (!trap([&] { c = doc().ModelSpace().AddCircle(pt(X, Y), r); }))
            return;
        trap([&] { c->Color(m_FARBINDEX); });
        trap([&] { c->Update(); });
        if (fill)
            trap([&] { filled({c}); });
    };
    switch (PSTYP) {
    case -2: {
        const auto r3 = [](double v) { return roundEvenTo(v, 3); };
        const float h = G / 2;
        const std::array<std::array<float, 4>, 3> sides = {
            {{X - h, Y + h, X + h, Y + h}, {X - h, Y + h, X, Y - h}, {X + h, Y + h, X, Y - h}}};
        std::vector<acad::Entity*> outline;
        for (const auto& s : sides) {
            acad::Entity* e = nullptr;
            if (!trap([&] {
                    e = doc().ModelSpace().AddLine(pt(r3(s[0]), r3(s[1])), pt(r3(s[2]), r3(s[3])));
                }))
                break;
            outline.push_back(e);
            trap([&] { e->Color(m_FARBINDEX); });
            trap([&] { e->Lineweight(m_LINIENGEWICHT); });
            trap([&] { e->Update(); });
        }
        trap([&] { filled(outline); });
        break;
    }
    case -1: disc(G, true); break;
    case 0:
        stroke(X, Y, X - 0.75f, Y - 0.75f);
        stroke(X, Y, X - 0.75f, Y + 0.75f);
        stroke(X, Y, X + 0.75f, Y - 0.75f);
        stroke(X, Y, X + 0.75f, Y + 0.75f);
        break;
    case 1: {
        // A filled square in the current colour index (handed on as it is).
        const std::optional<ClipSegment> b =
            clampBand(X - 0.5f, Y - 0.5f, X + 0.5f, Y + 0.5f, lineFrame(0), m_EBOGRENZEN);
        if (b)
            band(b->x1, b->y1, b->x2, b->y2, m_FARBINDEX);
        break;
    }
    case 2:
        stroke(X - 0.5f, Y - 0.5f, X - 0.5f, Y + 0.5f);
        stroke(X - 0.5f, Y - 0.5f, X + 0.5f, Y - 0.5f);
        stroke(X + 0.5f, Y + 0.5f, X - 0.5f, Y + 0.5f);
        stroke(X + 0.5f, Y + 0.5f, X + 0.5f, Y - 0.5f);
        break;
    case 3: disc(0.5f, true); break;
    case 4: disc(0.5f, false); break;
    case 5: {
        const float apex = Y + 1 - 0.33f;
        stroke(X - 0.7f, Y - 0.33f, X + 0.7f, Y - 0.33f);
        stroke(X + 0.7f, Y - 0.33f, X, apex);
        stroke(X - 0.7f, Y - 0.33f, X, apex);
        break;
    }
    case 6:
        stroke(X - 0.75f, Y - 0.75f, X + 0.75f, Y + 0.75f);
        stroke(X - 0.75f, Y + 0.75f, X + 0.75f, Y - 0.75f);
        stroke(X - 0.75f, Y, X + 0.75f, Y);
        stroke(X, Y - 0.75f, X, Y + 0.75f);
        break;
    default: break;
    }
    letEventsRun();
}

// ---- figures ---------------------------------------------------------------------------

void clsAGRAFIK::KREIS(float XM, float YM, float R, float AL1, ByRef<float> AL2, int16_t LAGEPFEIL, bool BOKREISP,
                       std::optional<int16_t> KO)
{
    figures::KREIS(*this, XM, YM, R, AL1, AL2.get(), LAGEPFEIL, BOKREISP, KO);
    letEventsRun();
}

void clsAGRAFIK::POLYGON(SingleArray& X, SingleArray& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR, const QString& TEXT,
                         int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN, const std::optional<NumberList>& BOL)
{
    figures::POLYGON(*this, X, Y, PSIT, PSTYP, PNR, TEXT, LAGETEXT, LAGEPFEIL, FARBEN, BOL);
}

void clsAGRAFIK::GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO)
{
    figures::GELAENDESCHRAFFUR(*this, X1, Y1, H1, ANS, BE, KO);
}

void clsAGRAFIK::KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL)
{
    figures::KOTENDREIECK(*this, X, Y, DH, RIWI, GW, VOLL);
}

void clsAGRAFIK::LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                              const std::vector<std::vector<float>>& P, int16_t IT)
{
    figures::LASTFLAECHEN(*this, X, Y, P, IT);
}

void clsAGRAFIK::SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY)
{
    figures::SCHNITTKRAFT(*this, X1, Y1, X2, Y2, SHHH, TYP, SY);
}

// ---- figure host -------------------------------------------------------------------------

int32_t clsAGRAFIK::foreColor() const
{
    return kIndexMark | m_FARBINDEX;
}

void clsAGRAFIK::setForeColor(int32_t c)
{
    m_FARBINDEX = (c & kIndexMark) ? (c & 0xFFFF) : acad::colourIndex(c);
}

void clsAGRAFIK::setFill(bool solid, int32_t)
{
    m_solidFill = solid;
}

void clsAGRAFIK::circle(float xc, float yc, float r)
{
    // With a solid fill this is an end dot: a circle entity in the current
    // colour and weight. Otherwise a whole circle, drawn as whole arcs are.
    if (m_solidFill) {
        acad::Entity* c = doc().ModelSpace().AddCircle(pt(xc, yc), r);
        c->Color(m_FARBINDEX);
        c->Lineweight(m_LINIENGEWICHT);
        return;
    }
    const ViewState v = view();
    wholeArc(xc, yc, r, 0.0f, kTwoPi, v.OX, v.OY);
}

void clsAGRAFIK::wholeArc(float xc, float yc, float rp, float al1, float al2, int ox, int oy)
{
    // The caller's angles shifted by π unless both axes are reversed; where
    // one axis is reversed the arc is mirrored about the line through the
    // centre along the other axis and the first one deleted. So the log's
    // full circle (0 to 2π) is added from π to 3π, and its half circle from
    // π to 2π shows in the finished drawing the half that 0 to π shows on
    // the screen.
    const bool shift = ox * oy == -1 || (ox == 1 && oy == 1);
    const float a1 = shift ? al1 + kPi : al1;
    const float a2 = shift ? al2 + kPi : al2;
    acad::Entity* e = doc().ModelSpace().AddArc(pt(xc, yc), rp, double(a1), double(a2));
    styled(e);
    if (ox * oy != -1)
        return;
    const acad::Point axis = ox == -1 ? pt(xc, double(yc) + 1) : pt(double(xc) + 1, yc);
    e->Mirror(pt(xc, yc), axis)->Update();
    e->Delete();
}

void clsAGRAFIK::arc(float xc, float yc, float r, float from, float to)
{
    // View angles count counter-clockwise as seen on the page (y down); the
    // drawing's own angles count the other way until the export mirrors the
    // drawing about the x axis, which turns them into the view angles again.
    const double turn = 2 * double(kPi);
    styled(doc().ModelSpace().AddArc(pt(xc, yc), r, turn - double(to), turn - double(from)));
}

void clsAGRAFIK::dot(float xp, float yp)
{
    acad::Entity* p = doc().ModelSpace().AddPoint(pt(xp, yp));
    p->Color(m_FARBINDEX);
    p->Update();
}

// ---- scroll step of SKALEN -------------------------------------------------------------------

void clsAGRAFIK::beforeScroll()
{
    // Drawing everything: the page window's scroll position does not matter.
    if (!m_EBOGRENZEN) {
        m_xBar = nullptr;
        m_yBar = nullptr;
    }
}

void clsAGRAFIK::scrollAxis(bool horizontal)
{
    const ScrollBar* bar = horizontal ? m_xBar : m_yBar;
    if (!bar)
        return;
    (horizontal ? m_SX : m_SY) = barShift(*bar, horizontal);
}
