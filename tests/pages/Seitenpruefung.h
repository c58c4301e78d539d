#pragma once
// Checks a composed page for texts on top of each other and lines through
// texts, from what a recording target received: every PRINT (a piece of
// text, its cell's top left at the point), every rotated TEXTOUT, every LINE
// and the edges of every BOX. A text's box is its cell in the font it was
// printed in, measured on the same target; boxes and lines that only touch
// (a text standing on its leader, a text hanging from its label line) do not
// count.
#include "drawing/LineClip.h"
#include "drawing/Target.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace seitenpruefung {

struct Kasten
{
    QString text;
    double links, oben, rechts, unten;   // scale units of the target (mm)
};

struct Strecke
{
    double x1, y1, x2, y2;
};

struct Seite
{
    std::vector<Kasten> texte;
    std::vector<Strecke> linien;
};

// Boxes closer than this to each other's edges only touch.
constexpr double kBeruehrung = 0.05;

inline Seite lesen(drawing::RecordingTarget& ziel)
{
    Seite s;
    static const QRegularExpression print(
        QString::fromUtf8(R"re(^PRINT (\S+) (\S+) "(.*)" font=([^/]*)/([0-9.]+)(\S*) )re"));
    static const QRegularExpression textout(QString::fromUtf8(R"re(^TEXTOUT (\S+) (\S+) "(.*)" h=(\S+) esc=(\S+) face=(.*)$)re"));
    static const QRegularExpression strecke(QString::fromUtf8(R"re(^(LINE|BOX) (\S+) (\S+) (\S+) (\S+) )re"));
    const drawing::FontRef vorher = ziel.Font();
    for (const QString& zeile : ziel.lines()) {
        if (auto m = print.match(zeile); m.hasMatch()) {
            drawing::StdFont f;
            f.Name = m.captured(4);
            f.Size = m.captured(5).toFloat();
            f.Bold = m.captured(6).contains(QLatin1String("/b"));
            f.Weight = f.Bold ? 700 : 400;
            ziel.Font(drawing::newFont(f));
            const double x = m.captured(1).toDouble(), y = m.captured(2).toDouble();
            const QString t = m.captured(3);
            s.texte.push_back({t, x, y, x + ziel.TextWidth(t), y + ziel.TextHeight(t)});
        } else if (auto m = textout.match(zeile); m.hasMatch()) {
            // The cell's top left at the device pixel, turned by the
            // escapement: 90 degrees reads upwards, the cell lying right of
            // the point and the text running up from it.
            QFont q(m.captured(6) == QLatin1String("Symbol") ? QStringLiteral("Arial") : m.captured(6));
            q.setPixelSize(100);
            QFontMetricsF probe(q);
            const double zelle = std::abs(m.captured(4).toDouble());
            const double laenge = probe.horizontalAdvance(m.captured(3)) * zelle / probe.height();
            const double ux = 1.0 / ziel.pixelsPerUnitX(), uy = 1.0 / ziel.pixelsPerUnitY();
            const double x = ziel.ScaleLeft() + m.captured(1).toDouble() * ux;
            const double y = ziel.ScaleTop() + m.captured(2).toDouble() * uy;
            if (m.captured(5).toInt() == 900)
                s.texte.push_back({m.captured(3), x, y - laenge * uy, x + zelle * ux, y});
            else
                s.texte.push_back({m.captured(3), x, y, x + laenge * ux, y + zelle * uy});
        } else if (auto m = strecke.match(zeile); m.hasMatch()) {
            const double x1 = m.captured(2).toDouble(), y1 = m.captured(3).toDouble();
            const double x2 = m.captured(4).toDouble(), y2 = m.captured(5).toDouble();
            if (m.captured(1) == QLatin1String("LINE")) {
                s.linien.push_back({x1, y1, x2, y2});
            } else {
                s.linien.push_back({x1, y1, x2, y1});
                s.linien.push_back({x2, y1, x2, y2});
                s.linien.push_back({x2, y2, x1, y2});
                s.linien.push_back({x1, y2, x1, y1});
            }
        }
    }
    ziel.Font(vorher);
    return s;
}

inline bool ueberlappen(const Kasten& a, const Kasten& b)
{
    return std::min(a.rechts, b.rechts) - std::max(a.links, b.links) > kBeruehrung &&
           std::min(a.unten, b.unten) - std::max(a.oben, b.oben) > kBeruehrung;
}

// Whether the segment runs through the inside of the box (the box less the
// touching margin): the drawing engine's own cut at a frame leaves a piece.
inline bool kreuzt(const Strecke& l, const Kasten& k)
{
    const drawing::ClipFrame innen{float(k.links + kBeruehrung), float(k.oben + kBeruehrung),
                                   float(k.rechts - kBeruehrung), float(k.unten - kBeruehrung)};
    if (!(innen.left < innen.right && innen.top < innen.bottom))
        return false;
    const auto stueck = drawing::clipLine(float(l.x1), float(l.y1), float(l.x2), float(l.y2), innen);
    return stueck && (stueck->x1 != stueck->x2 || stueck->y1 != stueck->y2);
}

inline QString beschreiben(const Kasten& k)
{
    return QStringLiteral("\"%1\" (%2 %3 - %4 %5)")
        .arg(k.text)
        .arg(k.links, 0, 'f', 2)
        .arg(k.oben, 0, 'f', 2)
        .arg(k.rechts, 0, 'f', 2)
        .arg(k.unten, 0, 'f', 2);
}

// Every pair of text boxes that overlap and every line that runs through a
// text box, one line each.
inline QStringList kollisionen(const Seite& s)
{
    QStringList r;
    for (size_t i = 0; i < s.texte.size(); ++i)
        for (size_t j = i + 1; j < s.texte.size(); ++j)
            if (ueberlappen(s.texte[i], s.texte[j]))
                r << QStringLiteral("text %1 on text %2").arg(beschreiben(s.texte[i]), beschreiben(s.texte[j]));
    for (const Kasten& k : s.texte)
        for (const Strecke& l : s.linien)
            if (kreuzt(l, k))
                r << QStringLiteral("line (%1 %2 - %3 %4) through text %5")
                         .arg(l.x1, 0, 'f', 2)
                         .arg(l.y1, 0, 'f', 2)
                         .arg(l.x2, 0, 'f', 2)
                         .arg(l.y2, 0, 'f', 2)
                         .arg(beschreiben(k));
    return r;
}

// The distance from a text's top edge up to the nearest horizontal line that
// runs over it (over part of its x range), looking at most `suchweite` mm up;
// a line on the top edge gives 0 (or a little less within the touching
// margin), none found gives nothing. A description's first line must keep
// clear of the leader above it, which only touching would not show.
inline std::optional<double> abstandNachOben(const Seite& s, const Kasten& k, double suchweite)
{
    std::optional<double> abstand;
    for (const Strecke& l : s.linien) {
        if (std::abs(l.y1 - l.y2) > 1e-3)
            continue;
        const double ueber = std::min(k.rechts, std::max(l.x1, l.x2)) - std::max(k.links, std::min(l.x1, l.x2));
        const double d = k.oben - l.y1;
        if (ueber > kBeruehrung && d > -kBeruehrung && d <= suchweite && (!abstand || d < *abstand))
            abstand = d;
    }
    return abstand;
}

// How much of a text that is written on several lines stands on the page.
struct Mehrzeilig
{
    int zeilen = 0;        // lines of the longest piece found
    bool ganz = false;     // that piece reads the whole text
    std::vector<Kasten> kaesten;   // its lines, top to bottom
};

// Looks for a text broken into lines: boxes one under the other at one left
// edge (each box's top one to two box heights below the one above: a CAD
// text's height is less than its line's), which read
// one piece of the text in order, beginning and ending between words. Two
// lines join with a blank where the text has one there, else directly (a
// word broken inside). Gives the piece with the most lines: a text drawn
// whole reads whole; one drawn line by line where the frame ends leaves a
// piece; one left out leaves nothing. With `links`, only texts whose left
// edge lies there count (a short word of the text, such as a number, may
// stand elsewhere on the page on its own).
inline Mehrzeilig mehrzeilig(const Seite& s, const QString& text, std::optional<double> links = std::nullopt)
{
    Mehrzeilig best;
    const auto unter = [&](const Kasten& k, const QString& weiter) -> const Kasten* {
        const double hoehe = k.unten - k.oben;
        for (const Kasten& n : s.texte) {
            const double dy = n.oben - k.oben;
            if (std::abs(n.links - k.links) < kBeruehrung && dy > 0.5 * hoehe && dy < 2 * hoehe &&
                !n.text.isEmpty() && weiter.startsWith(n.text))
                return &n;
        }
        return nullptr;
    };
    const auto wortgrenze = [&](qsizetype p) { return p <= 0 || p >= text.size() || text[p] == QLatin1Char(' '); };
    for (const Kasten& erster : s.texte) {
        if (erster.text.isEmpty() || (links && std::abs(erster.links - *links) >= kBeruehrung))
            continue;
        for (qsizetype p = text.indexOf(erster.text); p >= 0; p = text.indexOf(erster.text, p + 1)) {
            if (!(p == 0 || text[p - 1] == QLatin1Char(' ')))
                continue;
            Mehrzeilig m;
            m.zeilen = 1;
            m.kaesten.push_back(erster);
            qsizetype pos = p + erster.text.size();
            const Kasten* k = &erster;
            for (;;) {
                qsizetype weiter = pos;
                if (weiter < text.size() && text[weiter] == QLatin1Char(' '))
                    ++weiter;
                const Kasten* n = weiter < text.size() ? unter(*k, text.mid(weiter)) : nullptr;
                if (!n)
                    break;
                ++m.zeilen;
                m.kaesten.push_back(*n);
                pos = weiter + n->text.size();
                k = n;
            }
            if (!wortgrenze(pos))
                continue;
            m.ganz = p == 0 && pos == text.size();
            if (m.zeilen > best.zeilen || (m.zeilen == best.zeilen && m.ganz && !best.ganz))
                best = m;
        }
    }
    return best;
}

} // namespace seitenpruefung
