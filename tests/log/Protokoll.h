#pragma once
// Reads the call lines of the recording engine (drawing::RecordingEngine) back
// into numbers and text, so that the log and page tests can check where
// things were drawn. One Aufruf per recorded call:
//   TEXT     z = X Y KO AL ARX ARY, text = the text
//   POLYGON  z = the points as x0 y0 x1 y1 …, pfeil = LAGEPFEIL
//   KREIS    z = XM YM R AL1 AL2 LAGEPFEIL BOKREISP KO
//   LINIE    z = XP1 YP1 XP2 YP2 FB BOSK (FB left out: no number)
//   SKALEN   z = NR, then the X values, then the Y values
// Other calls: their numbers in argument order, the quoted text if any.
#include "drawing/RecordingEngine.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct Aufruf
{
    QString name;
    std::vector<float> z;
    QString text;
    int pfeil = 0;
};

inline Aufruf aufrufLesen(const QString& zeile)
{
    Aufruf a;
    const qsizetype leer = zeile.indexOf(QLatin1Char(' '));
    a.name = leer < 0 ? zeile : zeile.left(leer);
    if (leer < 0)
        return a;
    QString rest = zeile.mid(leer + 1);

    // At most one quoted text per line; it runs to the last quote.
    const qsizetype auf = rest.indexOf(QLatin1Char('"'));
    const qsizetype zu = rest.lastIndexOf(QLatin1Char('"'));
    if (auf >= 0 && zu > auf) {
        a.text = rest.mid(auf + 1, zu - auf - 1);
        rest = rest.left(auf) + QStringLiteral(" \"\" ") + rest.mid(zu + 1);
    }

    std::vector<float> xs, ys, zahlen;
    const QStringList teile = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype k = 0; k < teile.size(); ++k) {
        QString t = teile[k];
        if (t == QLatin1String("\"\""))
            continue;
        QString schluessel;
        if (const qsizetype gleich = t.indexOf(QLatin1Char('=')); gleich >= 0) {
            schluessel = t.left(gleich);
            t = t.mid(gleich + 1);
        }
        if (t.startsWith(QLatin1Char('('))) {
            // A list, possibly spread over several blank-separated parts.
            QString liste = t;
            while (!liste.endsWith(QLatin1Char(')')) && k + 1 < teile.size())
                liste += QLatin1Char(' ') + teile[++k];
            std::vector<float> werte;
            for (const QString& w : liste.mid(1, liste.size() - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                werte.push_back(w.toFloat());
            if (a.name == QLatin1String("POLYGON"))
                (schluessel == QLatin1String("X") ? xs : ys) = werte;
            else
                zahlen.insert(zahlen.end(), werte.begin(), werte.end());
            continue;
        }
        bool ok = false;
        const float v = t.toFloat(&ok);
        if (ok)
            zahlen.push_back(v);
    }

    if (a.name == QLatin1String("POLYGON")) {
        for (size_t i = 0; i < xs.size() && i < ys.size(); ++i) {
            a.z.push_back(xs[i]);
            a.z.push_back(ys[i]);
        }
        // PSIT PSTYP PNR LAGETEXT LAGEPFEIL FARBEN
        if (zahlen.size() > 4)
            a.pfeil = int(zahlen[4]);
    } else {
        a.z = zahlen;
    }
    return a;
}

inline std::vector<Aufruf> aufrufe(const drawing::RecordingEngine& e)
{
    std::vector<Aufruf> r;
    for (const QString& zeile : e.calls())
        r.push_back(aufrufLesen(zeile));
    return r;
}

inline std::vector<Aufruf> alle(const drawing::RecordingEngine& e, const QString& name)
{
    std::vector<Aufruf> r;
    for (const QString& zeile : e.callsOf(name))
        r.push_back(aufrufLesen(zeile));
    return r;
}

inline QStringList texte(const drawing::RecordingEngine& e)
{
    QStringList r;
    for (const Aufruf& a : alle(e, QStringLiteral("TEXT")))
        r << a.text;
    return r;
}

// The first TEXT call that wrote exactly t.
inline std::optional<Aufruf> text(const drawing::RecordingEngine& e, const QString& t)
{
    for (const Aufruf& a : alle(e, QStringLiteral("TEXT")))
        if (a.text == t)
            return a;
    return std::nullopt;
}

// The first TEXT call that wrote exactly t with its anchor at x.
inline std::optional<Aufruf> textBei(const drawing::RecordingEngine& e, const QString& t, float x)
{
    for (const Aufruf& a : alle(e, QStringLiteral("TEXT")))
        if (a.text == t && !a.z.empty() && a.z[0] == x)
            return a;
    return std::nullopt;
}
