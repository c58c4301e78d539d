#pragma once
// Layout of the log page: which columns stand where, how wide the page is, and
// the depth allowances above and below the log. Pure functions, so the numbers
// can be checked without a window or a database.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace seite11 {

// Drawing targets of a composition.
enum Modus : int16_t { BILDSCHIRM = 0, DRUCKER = 1, AUTOCAD = 2 };

// The columns beside and after the header block, in drawing order.
enum class Spalte {
    BOHRUNG, VERROHRUNG, GRUNDWASSER, PROBEN, PROFIL,
    STANDARDSONDE, TASCHENPENETROMETER, KORNVERTEILUNG, BILDSAMKEIT,
    FLACHDILATOMETER, PRESSIOMETER
};

struct SpaltenArt
{
    Spalte spalte;
    const char* schalter;     // switch column of E12; nullptr for the soil column (always drawn)
    const char* tabelle;      // table the column reads
    float vorschub;           // column units x moves on after the column is drawn
    float ausdehnung;         // column units the column adds to the page extent (times its switch)
    int fortschritt;          // progress value after the column's step
};

inline constexpr std::array<SpaltenArt, 11> SPALTEN{{
    {Spalte::BOHRUNG, "BVV", "E8", 1, 1, 48},
    {Spalte::VERROHRUNG, "VV", "E7", 1, 1, 52},
    {Spalte::GRUNDWASSER, "GWV", "E3", 1, 1, 56},
    {Spalte::PROBEN, "PROV", "E4", 1, 1, 60},
    {Spalte::PROFIL, nullptr, "E2", 2, 2, 70},
    {Spalte::STANDARDSONDE, "STSV", "E6", 2, 2, 74},
    {Spalte::TASCHENPENETROMETER, "TPV", "E5", 2, 2, 78},
    {Spalte::KORNVERTEILUNG, "KVV", "E4", 2, 1.5f, 82},
    {Spalte::BILDSAMKEIT, "BILDV", "E9", 2, 2, 84},
    {Spalte::FLACHDILATOMETER, "FDV", "E11", 3, 3, 88},
    {Spalte::PRESSIOMETER, "PRV", "E10", 0, 3, 92},
}};

inline constexpr float START_X = 20.0f;
inline constexpr float ERSATZ_MASSSTAB = 0.075f;   // used while the scale is 0

// Width of one column unit in world x units: narrower on paper.
float spalteneinheit(int16_t modus);

// Switch values of the ten switched columns, indexed like SPALTEN (the entry of
// the soil column is ignored).
using Schalter = std::array<int16_t, 11>;

struct Anordnung
{
    std::array<float, 11> x{};        // start x of every column (meaningful where gezeichnet)
    std::array<bool, 11> gezeichnet{};
    float ausdehnung = 0;             // page extent: element 1 of the x range
};

// Positions and extent for one composition. A column is drawn only when its
// switch is exactly 1; the extent multiplies the stored switch value.
Anordnung anordnen(int16_t modus, const Schalter& schalter);

// The printed sheet as a new evaluation lays it out: the picture is
// DRUCK_BREITE mm wide on paper, and the plot inside it keeps the margins a
// fresh view record holds (RAND_LINKS, RAND_RECHTS); world x 0 stands at the
// plot's left edge and one world x unit is one millimetre.
inline constexpr float DRUCK_BREITE = 175.0f;
inline constexpr float RAND_LINKS = 5.0f;
inline constexpr float RAND_RECHTS = 7.0f;
// The soil column's texts start this far right of its left edge.
inline constexpr float BESCHREIBUNG_EINZUG = 7.5f;
// Clearance kept between a remark's lines and what stands right of them.
inline constexpr float BEMERKUNG_ABSTAND = 1.0f;

// Width in page mm the soil column's remarks are broken to, decided on the
// printed sheet so that screen, printer and CAD break them at the same
// places: from the column's texts up to the texts of the next column right of
// it that draws something (switched on and `zeichnet(k)`, k indexing SPALTEN;
// its texts reach `reichweite` mm left of its axis), or, without such a
// column, up to the right edge of the sheet's frame; the clearance stays
// free, and the width is never less than `mindestens`. `zeichnet` is asked
// only about columns switched on right of the soil column, in their order,
// until one draws.
float bemerkungsbreite(const Schalter& schalter, const std::function<bool(std::size_t)>& zeichnet, float reichweite,
                       float mindestens);

// The depth range handed to the frame: element 0 the allowance above the
// ground line (room for the header block when it is shown), element 1 the
// bottom of the last layer plus the allowance below.
std::array<float, 2> tiefenbereich(int16_t bztv, float massstab, float letzteTiefe);

} // namespace seite11
