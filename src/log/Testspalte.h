#pragma once
// The frame every test column of the log shares: the font size and x
// defaults, the row-by-row reads of the column's table, depths turned into
// world y, the label lines, the heading, and the strokes, leaders, depth texts
// and value scales the columns draw with. A column is then a table of its
// fields and scales and the few marks that are its own.
//
// Every drawing statement runs under the column's error trap (box titled
// "clsPROFIL, <column>"): OK goes on with the next statement, Cancel leaves
// the column with what was drawn so far.
#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "log/ProfilRegeln.h"
#include "log/Zeilenleser.h"
#include "log/clsPROFIL.h"
#include "platform/StepRunner.h"
#include "platform/Variant.h"

#include <QString>
#include <optional>
#include <vector>

// A value scale across the top of a column whose range follows the record's
// largest value.
template <class Zeile>
struct Skala
{
    std::vector<float Zeile::*> felder;              // the largest of these sets the maximum
    std::vector<profilregeln::Stufe> vielfache;      // the maximum is rounded up to these
    std::vector<profilregeln::Stufe> schritte;       // tick step by the rounded maximum
    float ursprung;                                  // origin, mm right of the column axis
    float laenge;                                    // mm
    const char* titel;
    bool rasterlinien;                               // ticks run down to the last row
};

// Where a scale stands: the world x of its origin and its value units per mm.
struct Massstab
{
    float x0 = 0;
    float r = 1;
};

class Testspalte
{
public:
    // `name` is the column operation's name (the error box's title is
    // "clsPROFIL, " & name). SG 0 becomes 8 and is written back.
    Testspalte(clsPROFIL& p, const char* name, int16_t& SG, std::optional<float> X);

    // World y of each row's depth and its label line; `abstand` is the label
    // spacing of each row in mm.
    void platzieren(const std::vector<float>& tiefen, const std::vector<float>& abstand);

    // The column's start: its rows read, their depths (`tiefe`) placed with
    // the label spacing `abstand(i)` gives for row i (the rows are read by
    // then, so a spacing may look at the row before), and the heading
    // written. False when the column draws nothing.
    template <class Zeile, class Abstand>
    bool anlegen(clsDATEN& DAT, const std::vector<Feld<Zeile>>& felder, float Zeile::*tiefe, Abstand abstand,
                 std::vector<Zeile>& zeilen, const char* kopf)
    {
        if (!zeilenLesen(falle, DAT, felder, zeilen))
            return false;
        std::vector<float> t, g;
        for (size_t i = 0; i < zeilen.size(); ++i) {
            t.push_back(zeilen[i].*tiefe);
            g.push_back(abstand(i));
        }
        platzieren(t, g);
        ueberschrift(QString::fromUtf8(kopf));
        return true;
    }

    // Runs `zeile(i)` for every row after the row's axis stroke; stops when
    // the column has been left.
    template <class F>
    void jedeZeile(F zeile)
    {
        for (size_t i = 0; i < y.size() && !abgebrochen(); ++i) {
            achse(i);
            zeile(i);
        }
    }

    // The heading in bold one point larger, 12 mm left of the axis and three
    // line heights above the ground line; the font is back at SG afterwards.
    void ueberschrift(const QString& text);
    // A heading word at (X + 2 mm, `zeilen` line heights above the ground line).
    void kopfwort(const QString& text, float zeilen, int16_t ARX = 0);
    // "ROK über GOK: " and the pipe top's height above ground, when it has one.
    void rohroberkante();
    // The depth arrow and the default line.
    void tiefenpfeil();

    // The stroke down the axis from the previous row (the ground line for row
    // 0), leaving out the boxes in `aussparungen`.
    void achse(size_t i);
    // Leader across the axis with its tip at the row's depth:
    // (X+5, L) (X+1.5, L) (X, y) (X-1.5, L) (X-5, L).
    void kerbe(size_t i);
    // Leader on the left only: (X, y) (X-1.5, L) (X-5, L).
    void fuehrung(size_t i);
    // The row's depth (ETAV True) or level (EH minus the depth), right-aligned
    // and standing on (x, yt).
    void tiefentext(size_t i, float x, float yt, const QString& format = QStringLiteral("0.00"));

    // The value scales, drawn one after the other, then the font back at SG.
    template <class Zeile>
    std::vector<Massstab> skalen(const std::vector<Skala<Zeile>>& skalen, const std::vector<Zeile>& zeilen);
    // One scale with fixed ends from 0 to `maximum`.
    Massstab skala(float ursprung, float maximum, float schritt, float laenge, const QString& titel,
                   bool rasterlinien);

    // World point k mm right of X, and k mm up the page from a world y.
    float rechts(float k) const { return X + k * MX; }
    float hoch(float yw, float k) const { return yw - d * k * MY; }
    float x(const Massstab& m, float v) const { return m.x0 + v / m.r * MX; }

    void zug(std::vector<float> xs, std::vector<float> ys);
    void text(float xw, float yw, const QString& t, int16_t ARX = 0, int16_t ARY = 0, int16_t AL = 0);
    // A solid rectangle between two world points, filled with a colour long.
    void rechteck(float x1, float y1, float x2, float y2, int32_t farbe);
    // A 2 mm tick across y at xw.
    void strich(float xw, float yw);
    // Line settings in a colour (and width), or the default line.
    void linie(int32_t farbe = 0, float breite = 0);

    drawing::DrawingInterface& bild() const { return p.bild(); }
    bool abgebrochen() const { return falle.cancelled(); }

    clsPROFIL& p;
    vb::ErrorTrap falle;
    int16_t SG;
    float h;            // line height, mm
    float X = 0;        // the column axis
    float MX, MY, EYB, d;
    std::vector<float> y, L;
    // Boxes (world units) of the texts written between the grid lines of the
    // value scales; the grid lines leave them out.
    std::vector<profilregeln::Aussparung> aussparungen;
};

template <class Zeile>
std::vector<Massstab> Testspalte::skalen(const std::vector<Skala<Zeile>>& liste, const std::vector<Zeile>& zeilen)
{
    std::vector<Massstab> m;
    for (const Skala<Zeile>& s : liste) {
        float groesster = 0;
        for (const Zeile& z : zeilen)
            for (float Zeile::*f : s.felder)
                if (z.*f > groesster)
                    groesster = z.*f;
        const auto teilung = profilregeln::skalenteilung(groesster, s.vielfache, s.schritte);
        m.push_back(skala(s.ursprung, teilung.maximum, teilung.schritt, s.laenge, QString::fromUtf8(s.titel),
                          s.rasterlinien));
    }
    falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), SG); });
    return m;
}
