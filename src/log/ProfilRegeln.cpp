#include "log/ProfilRegeln.h"

#include "drawing/Markup.h"
#include "platform/VbRuntime.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <map>

namespace profilregeln {

float beschriftungslinie(const std::vector<float>& y, const std::vector<float>& L, size_t i, float g, float EYB,
                         int d, int16_t OY, float MY)
{
    const float abstand = g * MY;
    if (i == 0) {
        const float D0 = y[0] - EYB;
        return abstand > std::fabs(D0) ? EYB + float(d) * abstand : y[0];
    }
    const float Di = y[i] - y[i - 1];
    const float c = L[i - 1] + float(d) * abstand;
    if (c > y[i] && OY == -1)
        return c;
    if (c < y[i] && OY == 1)
        return c;
    if (abstand > std::fabs(Di))
        return c;
    return y[i];
}

std::vector<float> beschriftungslinien(const std::vector<float>& y, const std::vector<float>& g,
                                       float EYB, int d, int16_t OY, float MY)
{
    std::vector<float> L(y.size());
    for (size_t i = 0; i < y.size(); ++i)
        L[i] = beschriftungslinie(y, L, i, g[i], EYB, d, OY, MY);
    return L;
}

QString rundungswort(const QString& rund)
{
    const QString code = rund.trimmed();
    if (code == u"ka*" || code == u"ka" || code == u"ka'")
        return QStringLiteral("kantig");
    if (code == u"ge'" || code == u"ge" || code == u"ge*")
        return QStringLiteral("gerundet");
    return QString();
}

QString zustandscode(const QString& zust)
{
    static const char* const codes[] = {"lo", "md", "di", "sd", "br", "we", "st", "ha", "fe"};
    for (const char* c : codes)
        if (zust.contains(QLatin1String(c), Qt::CaseSensitive))
            return QLatin1String(c);
    return QString();
}

QString schichtbeschreibung(const QString& hptb1, const QString& hptb2, const QString& nebb,
                            const QString& zust, int16_t bs, int16_t buv)
{
    const bool klammern = bs != 0;
    QString text;
    text.reserve(hptb1.size() + hptb2.size() + nebb.size() + zust.size() + 12);
    if (klammern)
        text += QLatin1Char('(');
    text += hptb1;
    for (const QString* teil : {&hptb2, &nebb, &zust})
        if (!teil->isEmpty()) {
            text += QLatin1String(", ");
            text += *teil;
        }
    if (klammern)
        text += QLatin1String(") ");
    if (buv == 1 && bs != 0 && bs != 5)
        text += QString::number(bs);
    return text;
}

float textblockhoehe(float h, int16_t bfv, const QString& farbe, int16_t bemv, const QString& bems,
                     int bemerkungszeilen)
{
    float b = 1.7f * h;
    if (bfv == 1 && !farbe.isEmpty())
        b += h;
    if (bemv == 1 && !bems.isEmpty())
        b += float(bemerkungszeilen) * h;
    return b;
}

float textbreite(const QString& text, int16_t SG)
{
    // 2400 dpi: the rounding of glyph advances to whole pixels stays far
    // below a tenth of a millimetre over a line.
    constexpr int dpi = 2400;
    static const QImage geraet = [] {
        QImage bild(1, 1, QImage::Format_ARGB32);
        bild.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        bild.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        return bild;
    }();
    // One metrics object per size, kept: its font engine keeps the glyph
    // advances it has measured, which a new font at this resolution would
    // load again for every text.
    static std::map<int16_t, QFontMetricsF> metriken;
    const int16_t groesse = SG > 0 ? SG : 8;
    auto it = metriken.find(groesse);
    if (it == metriken.end()) {
        QFont schrift(QStringLiteral("Arial"));
        schrift.setPointSizeF(groesse);
        schrift.setKerning(false);
        it = metriken.emplace(groesse, QFontMetricsF(schrift, &geraet)).first;
    }
    return float(it->second.horizontalAdvance(drawing::plainText(text)) / dpi * 25.4);
}

float pfeiltextReichweite(int16_t SG, const QString& symbol)
{
    return 12.0f + std::max(textbreite(symbol, SG), textbreite(QStringLiteral("[m]"), SG));
}

namespace {

// Where a text may be broken before each of its characters.
enum class Bruch : uint8_t {
    Frei,       // anywhere
    Notfalls,   // among the characters a style directive styles, after the first of them: only where
                // the directive with its characters is wider than the room by itself
    Nie,        // inside a "{...}" directive, or between a directive and the first character it styles
};

struct Gliederung
{
    std::vector<Bruch> bruch;                                  // before character k, k = 0 .. size
    std::vector<std::pair<qsizetype, qsizetype>> woerter;     // [from, to) between separating blanks
};

// How many characters after its "}" a directive (the text between "{" and
// "}") styles: its count, except for an inserted character ("c") and a
// directive that can't be read, which style none.
qsizetype gestylt(QStringView direktive)
{
    const qsizetype komma = direktive.indexOf(u',');
    if (komma < 0 || direktive.left(komma) == u"c")
        return 0;
    bool ok = false;
    const int n = direktive.mid(komma + 1).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

// The breaks a text allows and its words, in one pass. A directive runs from
// "{" to the next "}" (as its markup is left out when measuring); the
// characters it styles are counted from its "}" on, as they are drawn. A
// blank inside a directive or among styled characters does not separate
// words. A "{" with no "}" after it keeps the rest of its word whole.
Gliederung gliedern(const QString& text)
{
    const qsizetype n = text.size();
    Gliederung g;
    g.bruch.assign(size_t(n) + 1, Bruch::Frei);
    auto setzen = [&](qsizetype k, Bruch b) { g.bruch[size_t(k)] = std::max(g.bruch[size_t(k)], b); };
    qsizetype wort = 0;           // start of the current word
    qsizetype gestyltBis = 0;     // end of the styled characters the scan is among
    bool ungeschlossen = false;   // the current word holds a "{" with no "}" after it
    bool keinSchluss = false;     // no "}" follows the scan any more
    for (qsizetype i = 0; i < n;) {
        const QChar c = text[i];
        if (c == u' ' && i >= gestyltBis) {
            g.woerter.emplace_back(wort, i);
            wort = ++i;
            ungeschlossen = false;
            continue;
        }
        if (ungeschlossen) {
            setzen(i++, Bruch::Nie);
            continue;
        }
        if (c == u'{') {
            const qsizetype zu = keinSchluss ? -1 : text.indexOf(u'}', i + 1);
            if (zu < 0) {
                keinSchluss = ungeschlossen = true;
                ++i;
                continue;
            }
            for (qsizetype k = i + 1; k <= zu; ++k)
                setzen(k, Bruch::Nie);
            const qsizetype m = std::min(gestylt(QStringView(text).mid(i + 1, zu - i - 1)), n - (zu + 1));
            if (m > 0) {
                setzen(zu + 1, Bruch::Nie);
                // Directives among styled characters style runs that overlap:
                // what lies before gestyltBis was marked by an earlier run that
                // began before this one, so each character is marked once.
                for (qsizetype k = std::max(zu + 2, gestyltBis); k < zu + 1 + m; ++k)
                    setzen(k, Bruch::Notfalls);
                gestyltBis = std::max(gestyltBis, zu + 1 + m);
            }
            i = zu + 1;
            continue;
        }
        ++i;
    }
    g.woerter.emplace_back(wort, n);
    return g;
}

// The largest j in [0, m) for which passt(j) holds, where passt holds up to
// some j and not after it; -1 when passt(0) does not hold. passt is asked
// about 1, 2, 4, ... steps on and then by halving, so finding j costs about
// 2 log j questions, and the questions stay near j.
template <class F>
qsizetype groessterPassender(qsizetype m, F&& passt)
{
    if (m <= 0 || !passt(0))
        return -1;
    qsizetype gut = 0, schlecht = m;
    for (qsizetype schritt = 1; gut + 1 < schlecht; schritt *= 2) {
        const qsizetype probe = std::min(gut + schritt, m - 1);
        if (!passt(probe)) {
            schlecht = probe;
            break;
        }
        gut = probe;
        if (probe == m - 1)
            return gut;
    }
    while (schlecht - gut > 1) {
        const qsizetype mitte = gut + (schlecht - gut) / 2;
        (passt(mitte) ? gut : schlecht) = mitte;
    }
    return gut;
}

} // namespace

QStringList umbrechen(const QString& text, float breite, const std::function<float(const QString&)>& messen)
{
    if (text.isEmpty())
        return {};
    // The last width measured is kept: a remark of one long word is measured
    // whole once, not again as its word.
    QString zuletzt;
    float zuletztBreite = 0;
    const auto mass = [&](const QString& t) {
        if (zuletzt.isNull() || t != zuletzt) {
            zuletztBreite = messen(t);
            zuletzt = t;
        }
        return zuletztBreite;
    };
    if (mass(text) <= breite)
        return {text};
    const Gliederung g = gliedern(text);
    // The breaks inside words, ascending, and for each the last free one up
    // to it (an index into `stellen`, -1 when there is none).
    std::vector<qsizetype> stellen, letzteFreie;
    for (qsizetype k = 1; k < text.size(); ++k)
        if (g.bruch[size_t(k)] != Bruch::Nie) {
            letzteFreie.push_back(g.bruch[size_t(k)] == Bruch::Frei ? qsizetype(stellen.size())
                                  : letzteFreie.empty()                ? -1
                                                                       : letzteFreie.back());
            stellen.push_back(k);
        }

    QStringList zeilen;
    QString zeile;
    bool offen = false;   // a line has been started
    for (const auto& [von, bis] : g.woerter) {
        const QString wort = text.mid(von, bis - von);
        if (offen) {
            const QString mit = zeile + QLatin1Char(' ') + wort;
            if (mass(mit) <= breite) {
                zeile = mit;
                continue;
            }
            if (!zeile.isEmpty())
                zeilen << zeile;
        }
        // The word opens a line; a word wider than the room is cut into
        // pieces that fill a line each, each piece measured as it will be
        // drawn: at the last free break that fits; where none fits, among a
        // directive's styled characters where that fits; else at the first
        // break there is.
        qsizetype a = von;
        if (!wort.isEmpty() && mass(wort) > breite) {
            for (;;) {
                const auto s0 = std::upper_bound(stellen.begin(), stellen.end(), a);
                const auto s1 = std::lower_bound(s0, stellen.end(), bis);
                const qsizetype m = qsizetype(s1 - s0) + 1;   // the breaks, then the word's end
                const auto stelle = [&](qsizetype j) { return j < m - 1 ? s0[j] : bis; };
                const qsizetype j = groessterPassender(
                    m, [&](qsizetype j) { return mass(text.mid(a, stelle(j) - a)) <= breite; });
                if (j == m - 1)
                    break;   // the rest fits
                qsizetype k = stelle(0);
                if (j >= 0) {
                    const qsizetype erste = qsizetype(s0 - stellen.begin());
                    const qsizetype f = letzteFreie[size_t(erste + j)];
                    k = f >= erste ? stellen[size_t(f)] : stelle(j);
                }
                zeilen << text.mid(a, k - a);
                a = k;
                if (a == bis)
                    break;
            }
        }
        zeile = text.mid(a, bis - a);
        offen = a < bis || offen;
    }
    if (!zeile.isEmpty())
        zeilen << zeile;
    return zeilen;
}

QString tiefensymbol(bool ETAV, bool EOPTH)
{
    if (!ETAV && EOPTH)
        return QStringLiteral("NN");
    return QStringLiteral("z");
}

QString tiefentext(bool ETAV, float EH, float tiefe)
{
    const float wert = ETAV ? tiefe : EH - tiefe;
    return vb::Format(vb::Variant(wert), QStringLiteral("#0.00"));
}

QString kopftext(bool ETAV, float EH)
{
    if (ETAV)
        return QStringLiteral("0.00");
    return vb::Format(vb::Variant(EH), QStringLiteral("#0.00"));
}

std::array<QString, 8> kopfzeilen(bool OPTK, double RW, double HW, float EH, bool EOPTH, bool ETAV,
                                  float MY, int16_t SYMBOLE, int16_t FARBEN)
{
    const QString f3 = QStringLiteral("#0.000");
    std::array<QString, 8> z;
    z[0] = OPTK ? QStringLiteral("Geodätisches Koordinatensystem")
                : QStringLiteral("Lokales Koordinatensystem");
    z[1] = QStringLiteral("Rechtswert = ") + vb::Format(vb::Variant(RW), f3) + QStringLiteral(" m");
    z[2] = QStringLiteral("Hochwert = ") + vb::Format(vb::Variant(HW), f3) + QStringLiteral(" m");
    z[3] = (EOPTH ? QStringLiteral("Geländehöhe über Adria = ")
                  : QStringLiteral("Geländehöhe über der Bezugsebene = "))
           + vb::Format(vb::Variant(EH), f3) + QStringLiteral(" m");
    if (ETAV)
        z[4] = QStringLiteral("Tiefenangabe bezogen auf GOK");
    else if (EOPTH)
        z[4] = QStringLiteral("Tiefenangabe bezogen auf Adria");
    else
        z[4] = QStringLiteral("Tiefenangabe bezogen auf lok. Bezugsebene");
    z[5] = QStringLiteral("Maßstab 1: ") + vb::Format(vb::Variant(1000.0f * MY), QStringLiteral("#0"));
    if (SYMBOLE == 0)
        z[6] = QStringLiteral("Symbole nach ÖNORM");
    else if (SYMBOLE == 1)
        z[6] = QStringLiteral("Symbole nach DIN");
    if (FARBEN == 0)
        z[7] = QStringLiteral("keine Farben");
    else if (FARBEN == 1)
        z[7] = QStringLiteral("natürliche Farben");
    else if (FARBEN == 2)
        z[7] = QStringLiteral("Farben nach ÖNORM");
    return z;
}

QString skalenformat(float MAX)
{
    if (MAX <= 0.0001f)
        return QStringLiteral("0.00000");
    if (MAX <= 0.001f)
        return QStringLiteral("0.0000");
    if (MAX <= 0.01f)
        return QStringLiteral("0.000");
    if (MAX <= 0.1f)
        return QStringLiteral("0.00");
    if (MAX <= 1.0f)
        return QStringLiteral("0.0");
    return QStringLiteral("0");
}

float stufe(const std::vector<Stufe>& tabelle, float v)
{
    for (const Stufe& s : tabelle)
        if (v <= s.bis)
            return s.wert;
    return tabelle.empty() ? 0.0f : tabelle.back().wert;
}

Skalenteilung skalenteilung(float M, const std::vector<Stufe>& vielfache, const std::vector<Stufe>& schritte)
{
    const float m = stufe(vielfache, M);
    float t = m * float(vb::Round(double(M / m)));
    if (t < M)
        t = t + m;
    if (!std::isfinite(t))   // a maximum at the end of the float range stays as it is
        t = M;
    if (!(t > 0.0f))
        t = schritte.empty() ? 1.0f : schritte.front().wert;
    return {t, stufe(schritte, t)};
}

float kopfspalte(const std::array<QString, 8>& zeilen, int16_t SG, float MX)
{
    const float einzug[4] = {0, 5, 5, 0};
    float links = 0;
    for (size_t k = 0; k < 4; ++k)
        links = std::max(links, einzug[k] + textbreite(zeilen[k], SG));
    return std::max(60.0f, (links + 3.0f) * MX);
}

std::vector<std::pair<float, float>> freieStuecke(float x, float ya, float yb, const std::vector<Aussparung>& boxen)
{
    const float lo = std::min(ya, yb), hi = std::max(ya, yb);
    // The boxes on the line, cut to it, by their lower end.
    std::vector<std::pair<float, float>> weg;
    for (const Aussparung& b : boxen)
        if (b.x0 <= x && x <= b.x1 && b.y1 > lo && b.y0 < hi)
            weg.emplace_back(std::max(b.y0, lo), std::min(b.y1, hi));
    if (weg.empty())
        return {{ya, yb}};
    std::sort(weg.begin(), weg.end());
    std::vector<std::pair<float, float>> frei;
    float ab = lo;
    for (const auto& [von, bis] : weg) {
        if (von > ab)
            frei.emplace_back(ab, von);
        ab = std::max(ab, bis);
    }
    if (hi > ab)
        frei.emplace_back(ab, hi);
    if (ya > yb) {
        std::reverse(frei.begin(), frei.end());
        for (auto& [a, b] : frei)
            std::swap(a, b);
    }
    return frei;
}

float senkrechtabstand(int16_t SG, qsizetype zeichen, float h)
{
    return float(0.3 * double(SG) * double(zeichen)) + h;
}

} // namespace profilregeln
