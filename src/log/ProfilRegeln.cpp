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

std::vector<float> beschriftungslinien(const std::vector<float>& y, const std::vector<float>& g,
                                       float EYB, int d, int16_t OY, float MY)
{
    std::vector<float> L(y.size());
    for (size_t i = 0; i < y.size(); ++i) {
        const float abstand = g[i] * MY;
        if (i == 0) {
            const float D0 = y[0] - EYB;
            L[0] = abstand > std::fabs(D0) ? EYB + float(d) * abstand : y[0];
            continue;
        }
        const float Di = y[i] - y[i - 1];
        const float c = L[i - 1] + float(d) * abstand;
        if (c > y[i] && OY == -1)
            L[i] = c;
        else if (c < y[i] && OY == 1)
            L[i] = c;
        else if (abstand > std::fabs(Di))
            L[i] = c;
        else
            L[i] = y[i];
    }
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
// Whether position k of a text (a break before character k) lies inside a
// "{...}" directive.
bool inDirektive(const QString& text, qsizetype k)
{
    const qsizetype auf = text.lastIndexOf(QLatin1Char('{'), k - 1);
    return auf >= 0 && text.lastIndexOf(QLatin1Char('}'), k - 1) < auf;
}
} // namespace

QStringList umbrechen(const QString& text, float breite, const std::function<float(const QString&)>& mass)
{
    if (text.isEmpty())
        return {};
    if (mass(text) <= breite)
        return {text};
    QStringList zeilen;
    QString zeile;
    bool offen = false;   // a line has been started
    for (QString wort : text.split(QLatin1Char(' '))) {
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
        // pieces that fill a line each (at least one character, or a whole
        // directive, each).
        while (!wort.isEmpty() && mass(wort) > breite) {
            qsizetype k = wort.size() - 1;
            while (k > 0 && (mass(wort.left(k)) > breite || inDirektive(wort, k)))
                --k;
            if (k == 0)
                for (k = 1; k < wort.size() && inDirektive(wort, k);)
                    ++k;
            zeilen << wort.left(k);
            wort = wort.mid(k);
        }
        zeile = wort;
        offen = !wort.isEmpty() || offen;
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
