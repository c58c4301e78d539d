// The marks inside and beside the soil column's strip: the soil state marks
// left of the strip (line styles and waves) and the area symbols scattered
// over a layer (staggered columns or random rows of one symbol kind).
// Everything is drawn through the drawing interface in page millimetres.
#include "log/clsPROFIL.h"

#include "drawing/DrawingInterface.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QHash>
#include <cmath>

namespace {

// π as a 32-bit float one unit in the last place below the nearest one, and
// π/2 as its own 32-bit float: the arcs of the symbols and waves use these.
constexpr float kPi = 3.1415925f;
constexpr float kPiHalbe = 1.5707963f;
constexpr double kPunktradius = 0.1;

// Line styles of the state marks left of the strip, line 1 to 3 (-1: none).
struct Linienmarke
{
    const char* code;
    int arten[3];
};

constexpr Linienmarke kLinienmarken[] = {
    {"lo", {2, -1, -1}}, {"md", {2, 2, -1}}, {"di", {2, 0, -1}}, {"sd", {2, 0, 2}},
    {"ha", {0, -1, -1}}, {"fe", {0, 0, -1}}, {"st", {1, -1, -1}},
};

// Symbol kind of a soil-type code (0: no symbol).
int symbolart(const QString& code)
{
    static const QHash<QString, int> arten = [] {
        struct Art { const char* code; int art; };
        const Art liste[] = {
            {"Y", 1}, {"X", 2}, {"G", 3}, {"gG", 4}, {"gmG", 5}, {"mfG", 5}, {"mG", 5}, {"fG", 6},
            {"S", 7}, {"gS", 8}, {"mS", 9}, {"gmS", 9}, {"mfS", 9}, {"fS", 10},
            {"U", 11}, {"b'U", 11}, {"bU", 11}, {"b¯U", 11},
            {"T", 12}, {"b'T", 12}, {"bT", 12}, {"b¯T", 12}, {"H", 13},
        };
        QHash<QString, int> h;
        for (const Art& a : liste)
            h.insert(QString::fromUtf8(a.code), a.art);
        return h;
    }();
    return arten.value(code, 0);
}

// How the scatterer places the symbols of a code: by its symbol kind, and
// the words "Mu" and "A" written as they are.
enum class Muster { Keins, Bloecke, Feinkorn, Kies, GestufterKies, Sand, Wort };

Muster muster(const QString& code)
{
    switch (symbolart(code)) {
    case 1:
    case 2: return Muster::Bloecke;
    case 3: return Muster::Kies;
    case 4:
    case 5:
    case 6: return Muster::GestufterKies;
    case 7:
    case 8:
    case 9:
    case 10: return Muster::Sand;
    case 11:
    case 12:
    case 13: return Muster::Feinkorn;
    default:
        return code == QLatin1String("Mu") || code == QLatin1String("A") ? Muster::Wort : Muster::Keins;
    }
}

} // namespace

void clsPROFIL::BODENZUSTAND(float x1, float y1, float x2, float y2, const QString& code)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, BODENZUSTAND"));
    float xa = 0, ya = 0, xb = 0, yb = 0;
    falle([&] { bild().KOORDTRANS(x1, y1, xa, ya); });
    falle([&] { bild().KOORDTRANS(x2, y2, xb, yb); });
    const float w = xb - xa;

    for (const Linienmarke& m : kLinienmarken) {
        if (code != QLatin1String(m.code))
            continue;
        for (int k = 1; k <= 3 && m.arten[k - 1] >= 0; ++k) {
            const float xk = xa - float(k) * w / 6.0f;
            falle([&] { bild().LINIENEINSTELLUNGEN(int16_t(m.arten[k - 1])); });
            falle([&] { bild().LINIE(xk, ya, xk, yb); });
        }
        // The dashed style of "st" stays set; the soil column resets it.
        if (code != QLatin1String("st"))
            falle([&] { bild().LINIENEINSTELLUNGEN(); });
        return;
    }

    const bool bruch = code == QLatin1String("br");
    if (!bruch && code != QLatin1String("we"))
        return;

    // A strip without width (or off the page's numbers) has no room for waves;
    // the period below would divide by its width.
    if (w == 0.0f || !std::isfinite(w) || !std::isfinite(ya) || !std::isfinite(yb))
        return;

    // n periods of 4r fill the height; halves round to even.
    int16_t n = 0;
    float r = 0;
    if (!falle([&] {
            const float r0 = w / 2.0f / 5.0f;
            n = vb::checkInt(vb::Round(double((yb - ya) / r0 / 4.0f)));
        }))
        return;
    if (n <= 0)
        return;
    r = (yb - ya) / float(n) / 4.0f;
    const float links = kPiHalbe, rechts = 3.0f * kPiHalbe;
    auto bogen = [&](float versatz, float ym, float al1, float al2) {
        falle([&] { bild().KREIS(xa - versatz * r, ym, r, al1, al2, 0, false, int16_t(0)); });
    };
    for (int k = 0; k <= n && !falle.cancelled(); ++k) {
        const float yk = ya + float(4 * k + 2) * r;
        if (yk > yb)
            break;
        const bool letzte = yk + 2.0f * r > yb;
        bogen(1.4f, yk - r, links, rechts);
        if (bruch) {
            bogen(2.2f, yk - r, links, rechts);
            if (letzte)
                break;
            bogen(2.2f, yk + r, rechts, links);
        }
        if (letzte)
            break;
        bogen(1.4f, yk + r, rechts, links);
    }
}

void clsPROFIL::UNTERGRUNDPROFIL(float x1, float y1, float x2, float y2, const QString& code, QString& rundung,
                                 int16_t& standard, float wortzeile)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, UNTERGRUNDPROFIL"));
    if (rundung.isEmpty())
        rundung = QStringLiteral("gerundet");
    const float s = m_EBOACAD ? float(1.2 * double(m_MX)) : 1.2f;
    float xp1 = 0, yp1 = 0, xp2 = 0, yp2 = 0;
    falle([&] { bild().KOORDTRANS(x1, y1, xp1, yp1); });
    falle([&] { bild().KOORDTRANS(x2, y2, xp2, yp2); });
    // A layer that can't be placed on the page (an unset scale) gets no
    // symbols rather than an endless row of them.
    if (falle.cancelled() || !std::isfinite(xp1) || !std::isfinite(yp1) || !std::isfinite(xp2) ||
        !std::isfinite(yp2))
        return;

    auto malen = [&](float x, float y, float groesse, const QString& wort) {
        if (standard == 0)
            SYMBOLOENORM(x, y, code, groesse, wort);
        else if (standard == 1)
            SYMBOLDIN(x, y, code, groesse, wort);
    };

    // Two staggered columns down the middle of the layer. A size that
    // doesn't move the rows on (a CAD scale of 0 or less) places none.
    auto spalten = [&](float start, float versatz, float groesse, float schritt) {
        const float xm = xp1 + (xp2 - xp1) / 2.0f;
        for (float yc = yp1 + start * s; !falle.cancelled();) {
            const float yl = yc - versatz * s;
            if (yl + s / 2.0f > yp2)
                break;
            falle([&] { malen(xm - 1.0f, yl, groesse, rundung); });
            if (yc + s > yp2)
                break;
            falle([&] { malen(xm + 1.0f, yc, groesse, rundung); });
            const float weiter = yc + schritt * s;
            if (!(weiter > yc))
                break;
            yc = weiter;
        }
    };

    // Rows of randomly placed symbols: rows of height `hoehe` (the last one
    // as high as what is left), min..max + 1 symbols per row.
    auto reihen = [&](float rand, float hoehe, int16_t min, int16_t max, const QString& wort) {
        const float x0 = xp1 + rand;
        const float breite = xp2 - xp1 - 2.0f * rand;
        float yc = yp1 + rand;
        while (yc < yp2 && !falle.cancelled()) {
            const float h = yc + hoehe > yp2 ? yp2 - yc : hoehe;
            int16_t n = 0;
            falle([&] { n = ZUFALLSZAHL(min, max); });
            for (int k = 0; k <= n && !falle.cancelled(); ++k) {
                falle([&] {
                    const float x = x0 + breite * float(ZUFALLSZAHL(0, 20)) / 20.0f;
                    const float y = yc + h * float(ZUFALLSZAHL(0, 40)) / 40.0f;
                    malen(x, y, s, wort);
                });
            }
            const float weiter = yc + h;
            if (!(weiter > yc))
                break;
            yc = weiter;
        }
    };

    switch (muster(code)) {
    case Muster::Bloecke: spalten(3.0f, 1.3f, s, 3.0f); break;
    case Muster::Feinkorn: spalten(3.5f, 2.0f, 0.8f * s, 5.0f); break;
    case Muster::Kies: reihen(s / 2.0f, 8.0f, 3, 12, rundung); break;
    case Muster::GestufterKies: reihen(s / 2.0f, 8.0f, 3, 10, QString()); break;
    case Muster::Sand: reihen(s / 4.0f, 6.0f, 7, 15, QString()); break;
    case Muster::Wort:
        // The word stays inside its layer: a layer thinner than a text line
        // gets none, as it gets no other symbol that does not fit.
        if (std::fabs(yp2 - yp1) < wortzeile)
            break;
        falle([&] {
            float x = 0, y = 0;
            bild().KOORDTRANSINV(xp1 + (xp2 - xp1) / 2.0f, yp1 + (yp2 - yp1) / 2.0f, x, y);
            bild().TEXT(x, y, code, 1, 0, 1, 1);
        });
        break;
    case Muster::Keins: break;
    }
}

void clsPROFIL::SYMBOLOENORM(float x, float y, const QString& code, float s, const QString& rundung)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, SYMBOLOENORM"));
    const int art = symbolart(code);
    const bool kantig = rundung == QLatin1String("kantig");
    auto kreis = [&](float xm, float ym, float r, float al1 = 0, float al2 = 0) {
        falle([&] { bild().KREIS(xm, ym, r, al1, al2, 0, false, int16_t(0)); });
    };
    auto linie = [&](float a, float b, float c, float d) { falle([&] { bild().LINIE(a, b, c, d); }); };
    auto punkt = [&] { kreis(x, y, float(kPunktradius)); };
    // A solid disc: the CAD engine's filled circle, else concentric circles
    // from 0.9 R inwards down to 0.02 mm.
    auto scheibe = [&](float R) {
        if (m_EBOACAD) {
            falle([&] { bild().SYMBOLE(x, y, -1, R); });
            return;
        }
        for (int k = 1; k <= 10 && !falle.cancelled(); ++k) {
            const float rho = R - float(k) * R / 10.0f;
            if (rho < 0.02f)
                break;
            kreis(x, y, rho);
        }
    };

    switch (art) {
    case 1:
    case 2:
        if (kantig) {
            linie(x - s, y + s / 2.0f, x, y - s / 2.0f);
            linie(x + s, y + s / 2.0f, x, y - s / 2.0f);
            linie(x - s, y + s / 2.0f, x + s, y + s / 2.0f);
        } else {
            // The CAD drawing's y runs upwards: the same half is π to 2π there.
            if (m_EBOACAD)
                kreis(x, y + s / 2.0f, s, kPi, 0.0f);
            else
                kreis(x, y + s / 2.0f, s, 0.0f, kPi);
            linie(x - s, y + s / 2.0f, x + s, y + s / 2.0f);
        }
        if (art == 1)
            punkt();
        break;
    case 3:
        if (kantig) {
            if (m_EBOACAD) {
                falle([&] { bild().SYMBOLE(x, y, -2, s); });
            } else {
                for (int k = 1; k <= 10 && !falle.cancelled(); ++k) {
                    const float d = float(k) * s / 20.0f;
                    linie(x - d, y + d, x + d, y + d);
                    linie(x - d, y + d, x, y - d);
                    linie(x + d, y + d, x, y - d);
                }
            }
        } else {
            kreis(x, y, (s / 2.0f) * float(ZUFALLSZAHL(5, 10)) / 10.0f);
            if (ZUFALLSWERT() >= 0.5f)
                punkt();
        }
        break;
    case 4:
        kreis(x, y, s / 2.0f);
        punkt();
        break;
    case 5:
        kreis(x, y, s / 2.0f);
        break;
    case 6:
        kreis(x, y, s / 3.0f);
        break;
    case 7:
        scheibe(s * float(ZUFALLSZAHL(1, 10)) / 25.0f);
        break;
    case 8:
        scheibe(s / 3.0f);
        break;
    case 9:
        scheibe(s / 4.0f);
        break;
    case 10:
        kreis(x, float(double(y) - 0.5), float(kPunktradius));
        break;
    case 11:
        linie(x - s, y + s, x + s, y - s);
        break;
    case 12:
        linie(x - s, y, x + s, y);
        break;
    case 13:
        linie(x - s, y - s / 2.0f, x + s / 2.0f, y - s / 2.0f);
        linie(x - s / 2.0f, y + s / 2.0f, x + s / 2.0f, y - s / 2.0f);
        linie(x - s / 2.0f, y + s / 2.0f, x + s, y + s / 2.0f);
        break;
    default:
        break;
    }
}

// The DIN standard has no area symbols of its own.
void clsPROFIL::SYMBOLDIN(float, float, const QString&, float, const QString&) {}
