// The test columns with value scales: standard and pocket penetrometer,
// plasticity, grain size, flat dilatometer and pressuremeter. Each is a table
// of its fields and scales on the shared frame, and the marks it draws at
// every test depth. The leader and the depth text stand on the label line;
// the marks stand on the test depth itself.
#include "log/Testspalte.h"

#include "platform/Colors.h"
#include "platform/VbRuntime.h"

#include <algorithm>
#include <limits>

namespace {

using profilregeln::Stufe;

constexpr float kOben = std::numeric_limits<float>::max();   // above every limit

// The scale maximum rounded up to a whole multiple of m, whatever its size.
std::vector<Stufe> vielfachVon(float m)
{
    return {{kOben, m}};
}

QString zahl(float v, const char* format)
{
    return vb::Format(vb::Variant(v), QString::fromLatin1(format));
}

// Every scale column places its rows one line height apart.
template <class Zeile>
bool anlegen(Testspalte& s, clsDATEN& DAT, const std::vector<Feld<Zeile>>& felder, float Zeile::*tiefe,
             std::vector<Zeile>& z, const char* kopf)
{
    return s.anlegen(DAT, felder, tiefe, [&](size_t) { return s.h; }, z, kopf);
}

// The leader on the left and the depth text of row i.
void zeilenkopf(Testspalte& s, size_t i)
{
    s.fuehrung(i);
    s.tiefentext(i, s.rechts(-1.5f), s.L[i]);
}

// The depth arrow, the scales and the default line; the scales' places.
template <class Zeile>
std::vector<Massstab> skalenkopf(Testspalte& s, const std::vector<Skala<Zeile>>& skalen, const std::vector<Zeile>& z)
{
    s.tiefenpfeil();
    std::vector<Massstab> m = s.skalen(skalen, z);
    s.linie();
    return m;
}

// Two values joined by a separator, standing 2 mm above the test depth right
// of the axis, over the test's bar (2 mm high, ending at `balkenende`). Where
// that place would reach above the previous test's marks (or above the ground
// line for the first test), the pair is written beside the bar's end instead,
// centred on the bar, so that it stays clear of them.
void wertepaar(Testspalte& s, size_t i, float a, const char* trenner, float b, float balkenende)
{
    const QString paar = zahl(a, "0") + QString::fromUtf8(trenner) + zahl(b, "0");
    const float oben = s.hoch(s.y[i], 2.0f + s.h);
    const float grenze = i == 0 ? s.EYB : s.hoch(s.y[i - 1], std::min(0.0f, 1.0f - s.h / 2.0f));
    if ((oben - grenze) * s.d >= 0.0f)
        s.text(s.rechts(1.5f), s.hoch(s.y[i], 2.0f), paar, 0, 2);
    else
        s.text(std::max(balkenende, s.X) + 1.5f * s.MX, s.hoch(s.y[i], 1.0f), paar, 0, 1);
}

struct Sondierung
{
    int16_t STYP = 0;
    float VTS = 0, N15 = 0, N30 = 0;
};

struct Taschensonde
{
    float VTT = 0, MX = 0, SX = 0;
};

struct Plastizitaet
{
    float VTBI = 0, W = 0, WP = 0, WL = 0;
};

struct Kornverteilung
{
    float TUKP = 0, PF = 0, PS = 0, PG = 0, PPX = 0, PPY = 0, D04 = 0;
};

struct Dilatometer
{
    float VTF = 0, IND = 0, KD = 0, ED = 0;
};

struct Pressiometer
{
    float VTP = 0, EP = 0, PL = 0;
};

// The bar columns: at every test depth one solid black bar 0.5 mm high per
// scale, from the scale's origin to the value of the scale's field, and the
// value written `hoehe` mm above the test depth in `format`.
template <class Zeile>
void balkenspalte(clsPROFIL& p, const char* name, const char* kopf, clsDATEN& DAT, int16_t& SG,
                  std::optional<float> X, const std::vector<Feld<Zeile>>& felder, float Zeile::*tiefe,
                  const std::vector<Skala<Zeile>>& skalen, const char* format, float hoehe)
{
    Testspalte s(p, name, SG, X);
    std::vector<Zeile> z;
    if (!anlegen(s, DAT, felder, tiefe, z, kopf))
        return;
    // Each value is written 1.5 mm right of its scale's origin, standing
    // `hoehe` mm above the test depth; the scale's grid lines leave it out.
    auto wert = [&](size_t i, size_t q) { return zahl(z[i].*skalen[q].felder[0], format); };
    auto links = [&](size_t q) { return s.rechts(skalen[q].ursprung + 1.5f); };
    for (size_t i = 0; i < z.size(); ++i)
        for (size_t q = 0; q < skalen.size(); ++q) {
            const float unten = s.hoch(s.y[i], hoehe), oben = s.hoch(s.y[i], hoehe + s.h);
            const float breite = profilregeln::textbreite(wert(i, q), s.SG);
            s.aussparungen.push_back({links(q) - 0.2f * s.MX, links(q) + (breite + 0.2f) * s.MX,
                                      std::min(unten, oben), std::max(unten, oben)});
        }
    const std::vector<Massstab> m = skalenkopf(s, skalen, z);
    s.jedeZeile([&](size_t i) {
        const float y = s.y[i];
        zeilenkopf(s, i);
        for (size_t q = 0; q < skalen.size(); ++q)
            s.text(links(q), s.hoch(y, hoehe), wert(i, q), 0, 2);
        for (size_t q = 0; q < skalen.size(); ++q)
            s.rechteck(m[q].x0, y, s.x(m[q], z[i].*skalen[q].felder[0]), s.hoch(y, 0.5f), vb::QBColor(0));
    });
}

} // namespace

void clsPROFIL::STANDARDSONDE(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Sondierung;
    Testspalte s(*this, "STANDARDSONDE", SG, X);
    std::vector<Z> z;
    if (!anlegen<Z>(s, DAT, {{"STYP", &Z::STYP}, {"VTS", &Z::VTS}, {"N15", &Z::N15}, {"N30", &Z::N30}}, &Z::VTS, z,
                    "Standardsonde"))
        return;
    const Massstab m = skalenkopf<Z>(s, {{{&Z::N30}, vielfachVon(10), {{kOben, 10}}, 0, 20, "n15 / n30", false}}, z)[0];
    s.jedeZeile([&](size_t i) {
        const float y = s.y[i], oben = s.hoch(y, 2.0f);
        zeilenkopf(s, i);
        const float x15 = s.x(m, z[i].N15), x30 = s.x(m, z[i].N30);
        wertepaar(s, i, z[i].N15, " / ", z[i].N30, std::max(x15, x30));
        // The count over the first 15 cm as a red tick, the count over 30 cm
        // as a bar closed by the axis.
        s.linie(vb::QBColor(12));
        s.zug({x15, x15}, {y, oben});
        s.linie();
        s.zug({s.X, x30, x30, s.X}, {y, y, oben, oben});
    });
}

void clsPROFIL::TASCHENPENETROMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Taschensonde;
    Testspalte s(*this, "TASCHENPENETROMETER", SG, X);
    std::vector<Z> z;
    if (!anlegen<Z>(s, DAT, {{"VTT", &Z::VTT}, {"MX", &Z::MX}, {"SX", &Z::SX}}, &Z::VTT, z, "Taschenpenetrometer"))
        return;
    const Massstab m = skalenkopf<Z>(s, {{{&Z::MX}, vielfachVon(100), {{kOben, 100}}, 0, 20, "[kN/m²]", false}}, z)[0];
    s.jedeZeile([&](size_t i) {
        zeilenkopf(s, i);
        wertepaar(s, i, z[i].MX, " ± ", z[i].SX, s.x(m, z[i].MX));
        s.rechteck(s.X, s.y[i], s.x(m, z[i].MX), s.hoch(s.y[i], 2.0f), vb::QBColor(0));
    });
}

void clsPROFIL::BILDSAMKEIT(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Plastizitaet;
    Testspalte s(*this, "BILDSAMKEIT", SG, X);
    std::vector<Z> z;
    if (!anlegen<Z>(s, DAT, {{"VTBI", &Z::VTBI}, {"W", &Z::W}, {"WP", &Z::WP}, {"WL", &Z::WL}}, &Z::VTBI, z,
                    "Bildsamkeit"))
        return;
    const Massstab m =
        skalenkopf<Z>(s, {{{&Z::W, &Z::WP, &Z::WL}, vielfachVon(10), {{kOben, 10}}, 0, 20, "w [%]", true}}, z)[0];
    s.jedeZeile([&](size_t i) {
        const float y = s.y[i];
        zeilenkopf(s, i);
        // The range between the two consistency limits in red with a tick at
        // each end, the water content as a blue cross.
        const float xl = s.x(m, z[i].WL), xp = s.x(m, z[i].WP), xw = s.x(m, z[i].W);
        s.linie(vb::QBColor(12));
        s.strich(xl, y);
        s.zug({xl, xp}, {y, y});
        s.strich(xp, y);
        s.linie(vb::QBColor(9));
        s.zug({xw + s.MX, xw - s.MX}, {y + s.MY, y - s.MY});
        s.zug({xw - s.MX, xw + s.MX}, {y + s.MY, y - s.MY});
        s.linie();
    });
}

void clsPROFIL::KORNVERTEILUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Kornverteilung;
    Testspalte s(*this, "KORNVERTEILUNG", SG, X);
    std::vector<Z> z;
    if (!anlegen<Z>(s, DAT,
                    {{"TUKP", &Z::TUKP}, {"PF", &Z::PF}, {"PS", &Z::PS}, {"PG", &Z::PG}, {"PPX", &Z::PPX},
                     {"PPY", &Z::PPY}, {"D04", &Z::D04}},
                    &Z::TUKP, z, "Kornverteilung"))
        return;

    // The CAD engine reads the width as a line-weight class: 2 is its 0.30 mm.
    const float balkenbreite = m_EBOACAD ? 2.0f : 0.4f;
    const int32_t rot = vb::QBColor(12), blau = vb::QBColor(9);
    auto kreis = [&](float xw, float yw) {
        s.strich(xw, yw);
        s.falle([&] {
            float xp = 0, yp = 0;
            bild().KOORDTRANS(xw, yw, xp, yp);
            bild().KREIS(xp, yp, 1.0f, 0, 0.0f, 0, false, int16_t(0));
        });
    };

    // Legend: the fraction bar and the D 0.4 mark.
    const float yA = s.hoch(s.EYB, 2.5f * s.h), yB = s.hoch(s.EYB, 1.5f * s.h);
    s.linie(rot, balkenbreite);
    s.strich(s.rechts(22.0f), yA);
    s.strich(s.rechts(25.0f), yA);
    s.zug({s.rechts(22.0f), s.rechts(25.0f)}, {yA, yA});
    s.falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), s.SG); });
    s.text(s.rechts(26.0f), yA, QStringLiteral("Fraktionen"), 0, 1);
    s.linie(blau);
    kreis(s.rechts(23.5f), yB);
    s.falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), s.SG); });
    s.text(s.rechts(26.0f), yB, QStringLiteral("D 0.4 mm"), 0, 1);

    // The fractions follow one another along the 0 to 100 % scale with their
    // stored shares; each segment of some width gets its letter in its
    // middle, 1 mm above the test depth. The grid lines and the axis leave
    // the letters out. The scale runs over kLaenge mm; it is drawn after the
    // letters are placed, so that its grid lines know them.
    constexpr float kVoll = 100.0f, kLaenge = 40.0f;
    const float prozentJeMm = kVoll / kLaenge;
    struct Buchstabe
    {
        float x;
        QString text;
    };
    std::vector<std::vector<Buchstabe>> buchstaben(z.size());
    std::vector<std::vector<float>> grenzen(z.size());
    for (size_t i = 0; i < z.size(); ++i) {
        float p = s.X, q = s.X;
        const std::pair<float Z::*, const char*> fraktionen[] = {
            {&Z::PF, "F"}, {&Z::PS, "S"}, {&Z::PG, "G"}, {&Z::PPX, "X"}, {&Z::PPY, "Y"}};
        for (const auto& [feld, buchstabe] : fraktionen) {
            p = p + z[i].*feld / prozentJeMm * s.MX;
            if (p - q > 0.0f) {
                const Buchstabe b{q + (p - q) / 2.0f, QString::fromLatin1(buchstabe)};
                const float halb = profilregeln::textbreite(b.text, s.SG) / 2.0f + 0.2f;
                const float unten = s.hoch(s.y[i], 1.0f), oben = s.hoch(s.y[i], 1.0f + s.h);
                s.aussparungen.push_back(
                    {b.x - halb * s.MX, b.x + halb * s.MX, std::min(unten, oben), std::max(unten, oben)});
                buchstaben[i].push_back(b);
            }
            q = p;
            grenzen[i].push_back(p);
        }
    }

    s.tiefenpfeil();
    const Massstab m = s.skala(0, kVoll, 10, kLaenge, QStringLiteral("[%]"), true);
    s.falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), s.SG); });
    s.linie();
    s.jedeZeile([&](size_t i) {
        const float y = s.y[i];
        zeilenkopf(s, i);
        s.linie(rot, balkenbreite);
        s.zug({s.X, s.x(m, 100)}, {y, y});
        s.strich(s.X, y);
        for (const Buchstabe& b : buchstaben[i])
            s.text(b.x, s.hoch(y, 1.0f), b.text, 1, 2);
        for (float p : grenzen[i])
            s.strich(p, y);
        s.linie(blau);
        kreis(s.x(m, z[i].D04), y);
        s.linie();
    });
}

void clsPROFIL::FLACHDILATOMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Dilatometer;
    balkenspalte<Z>(*this, "FLACHDILATOMETER", "Flachdilatometer", DAT, SG, X,
                    {{"VTF", &Z::VTF}, {"IND", &Z::IND}, {"KD", &Z::KD}, {"ED", &Z::ED}}, &Z::VTF,
                    {{{&Z::IND}, vielfachVon(5), {{1, 0.2f}, {5, 1}, {10, 2}, {kOben, 5}}, 0, 25, "I{t,1}D [1]", true},
                     {{&Z::KD}, {{1, 0.1f}, {kOben, 1}}, {{0.1f, 0.02f}, {0.5f, 0.1f}, {1, 0.2f}, {3, 0.5f}, {kOben, 1}},
                      32, 25, "K{t,1}D [1]", true},
                     {{&Z::ED}, vielfachVon(10),
                      {{10, 2}, {50, 10}, {100, 20}, {500, 100}, {1000, 200}, {5000, 1000}, {10000, 2000},
                       {50000, 10000}, {kOben, 20000}},
                      64, 25, "E{t,1}D [kN/m²]", true}},
                    "0.00", 0.5f);
}

void clsPROFIL::PRESSIOMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Pressiometer;
    balkenspalte<Z>(*this, "PRESSIOMETER", "Pressiometer", DAT, SG, X,
                    {{"VTP", &Z::VTP}, {"EP", &Z::EP}, {"PL", &Z::PL}}, &Z::VTP,
                    {{{&Z::EP}, vielfachVon(100), {{100, 10}, {1000, 100}, {10000, 1000}, {100000, 10000}, {kOben, 50000}},
                      0, 30, "Pressiometermodul [bar]", true},
                     {{&Z::PL}, vielfachVon(10), {{10, 2}, {50, 10}, {100, 20}, {500, 100}, {kOben, 200}}, 37, 30,
                      "Grenzdruck [bar]", true}},
                    "0", 2.0f);
}
