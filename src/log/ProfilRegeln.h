#pragma once
// Rules of the log columns that don't draw: label placement, the texts of the
// soil column and of the header block. Kept apart from the painter so they can
// be checked on their own.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace profilregeln {

// Label-line rule. Row labels stand on their own depth y(i) unless that lies
// closer than the spacing g(i) (page mm) below the previous label line; then
// they move down to that distance. y are world ys, EYB the ground line, d the
// down sign, OY the y orientation of the view, MY world y units per mm.
// Comparisons are made in 32-bit floats.
std::vector<float> beschriftungslinien(const std::vector<float>& y, const std::vector<float>& g,
                                       float EYB, int d, int16_t OY, float MY);
// Label line i of that rule alone, with the spacing g, from the lines above
// it (L[0] to L[i-1]): for a caller that decides each row's spacing from the
// lines above it, top down.
float beschriftungslinie(const std::vector<float>& y, const std::vector<float>& L, size_t i, float g, float EYB,
                         int d, int16_t OY, float MY);

// Roundness word for a roundness code: "kantig", "gerundet" or "". Codes are
// compared without surrounding blanks (the data entry stores trimmed cells,
// while some codes of the list end in a blank).
QString rundungswort(const QString& rund);

// The first of the nine soil state codes contained in a state text
// (case-sensitive), or "" when none is.
QString zustandscode(const QString& zust);

// Description of one layer: the constituents and the state joined by ", ",
// in parentheses when an assessor is named, and the assessor's number when
// assessor numbers are shown (BUV 1) and the number is 1 to 4.
QString schichtbeschreibung(const QString& hptb1, const QString& hptb2, const QString& nebb,
                            const QString& zust, int16_t bs, int16_t buv);

// Height of a layer's text block in page mm: 1.7 lines, one more for a colour
// line, one more for each line of the remark (`bemerkungszeilen` lines once
// it is broken to the room beside the column).
float textblockhoehe(float h, int16_t bfv, const QString& farbe, int16_t bemv, const QString& bems,
                     int bemerkungszeilen = 1);

// The least room a layer's remark is broken to, in page mm: the room beside
// the soil column on paper when the next column stands right beside it. The
// column is 60 mm wide there and its texts start 7.5 mm in; the next column's
// depth arrow writes "[m]" up to 12 mm left of that column's axis, about
// 3.5 mm wide at 7 points. That leaves 37 mm; 1 mm stays clear. The page
// hands the soil column the room that is free (ProfilParameter::BEMBREITE),
// never less than this.
inline constexpr float BEMERKUNGSBREITE = 36.0f;

// How far left of a test column's axis its texts reach, in page mm: the
// depth arrow writes its symbol and "[m]" right-aligned 12 mm left of the
// axis (clsPROFIL::TIEFENPFEIL), in the column's face at SG points.
float pfeiltextReichweite(int16_t SG, const QString& symbol);

// Width in page mm of a text (its markup left out) in the log's face at SG
// points, measured at a fine fixed resolution: the same on screen, on paper
// and in CAD, so a remark breaks at the same places on all three.
float textbreite(const QString& text, int16_t SG);

// A text broken into lines no wider than `breite` by `mass`: at blanks, and a
// word wider than that inside the word, at the last place where the piece
// still fits. Never inside a "{...}" directive, and a style directive stays
// on the line of the characters it styles (blanks among them don't break);
// only a directive whose styled characters don't fit on one line is parted
// after as many of them as fit. A text that fits stays one line, unchanged;
// an empty text gives no line. `mass` is asked about each piece as it would
// be drawn, a number of times about linear in the text's length (widths that
// grow with the piece are assumed).
QStringList umbrechen(const QString& text, float breite, const std::function<float(const QString&)>& mass);

// Symbol of the depth arrow: "z" for depths below ground, "NN" for heights
// above the national datum, "z" for local heights.
QString tiefensymbol(bool ETAV, bool EOPTH);

// Depth label of a layer boundary ("#0.00", locale decimal sign): the depth
// below ground when ETAV is True, else the height EH - tiefe.
QString tiefentext(bool ETAV, float EH, float tiefe);

// Label at the ground line: "0.00" (a literal, keeps its point) for depths,
// else the ground level in "#0.00".
QString kopftext(bool ETAV, float EH);

// The eight lines of the log header block, in the order they are written
// (left column lines 1-4, right column lines 5-8).
std::array<QString, 8> kopfzeilen(bool OPTK, double RW, double HW, float EH, bool EOPTH, bool ETAV,
                                  float MY, int16_t SYMBOLE, int16_t FARBEN);

// Page x of the header block's right column, in world units right of the
// left column: 60, or further when a left line (the easting and northing
// indented by 5 mm) with a 3 mm gap after it needs more room.
float kopfspalte(const std::array<QString, 8>& zeilen, int16_t SG, float MX);

// Number format of a value scale's end values, chosen by its maximum.
QString skalenformat(float MAX);

// One entry of a table chosen by a value: the first entry whose limit `bis`
// the value does not exceed; above the last limit the last entry holds.
struct Stufe
{
    float bis;
    float wert;
};
float stufe(const std::vector<Stufe>& tabelle, float v);

// Ends and tick step of a value scale from the largest value M (at least 0)
// of a record: M rounded up to the multiple the table `vielfache` gives for
// it, the step from `schritte` for the rounded maximum. A maximum of 0 (no
// value above 0) takes the table's first step, so the scale always has an
// extent and nothing divides by zero.
struct Skalenteilung
{
    float maximum;
    float schritt;
};
Skalenteilung skalenteilung(float M, const std::vector<Stufe>& vielfache, const std::vector<Stufe>& schritte);

// A box, in world units, that grid lines leave out.
struct Aussparung
{
    float x0, x1;   // x0 < x1
    float y0, y1;   // y0 < y1
};

// The pieces of the vertical line at x from ya to yb that lie outside every
// box whose x range holds x, in the direction from ya to yb. Without such a
// box the line is one piece, from ya to yb.
std::vector<std::pair<float, float>> freieStuecke(float x, float ya, float yb, const std::vector<Aussparung>& boxen);

// Label spacing of a row whose texts are written upwards along the column:
// 0.3 mm per character of the longer text plus one line height h.
float senkrechtabstand(int16_t SG, qsizetype zeichen, float h);

} // namespace profilregeln
