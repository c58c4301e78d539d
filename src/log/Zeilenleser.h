#pragma once
// The row-by-row read of a log column's table: every row number from 0 to
// the largest I1, each row's fields in their order, every read under the
// column's error trap.
#include "database/clsDATEN.h"
#include "platform/StepRunner.h"
#include "platform/Variant.h"

#include <QString>
#include <algorithm>
#include <type_traits>
#include <variant>
#include <vector>

// One field of a column's table and the member of the column's row record it
// is read into: numbers as 32-bit floats, codes as 16-bit integers, texts,
// and values kept as they are stored (a Null stays empty).
template <class Zeile>
struct Feld
{
    const char* name;
    std::variant<float Zeile::*, int16_t Zeile::*, QString Zeile::*, vb::Variant Zeile::*> ziel;
};

// One field of row `zeile` into `ziel`; false when the read failed (the
// accessor has shown its box) and the column has been left.
template <class T>
bool feldLesen(vb::ErrorTrap& falle, clsDATEN& DAT, const char* name, T& ziel, const Wert& zeile)
{
    const QString spalte = QString::fromLatin1(name);
    const QString I1 = QStringLiteral("I1");
    return falle.access([&] {
        if constexpr (std::is_same_v<T, float>)
            return DAT.DTVS(spalte, ziel, I1, zeile);
        else if constexpr (std::is_same_v<T, int16_t>)
            return DAT.DTVI(spalte, ziel, I1, zeile);
        else if constexpr (std::is_same_v<T, QString>)
            return DAT.DTVT(spalte, ziel, I1, zeile);
        else
            return DAT.DTVV(spalte, ziel, I1, zeile);
    });
}

// The row numbers a column reads: every number from 0 to the largest I1,
// less those whose rows hold nothing at all (the one empty row the input
// window stores for a grid the user never touched: it would draw as a row of
// zeros). Empty when the record has no rows, none but empty ones, or the
// column has been left (Cancel, or a failed read whose box the accessor has
// shown): the column then draws nothing. The page asks the same to know
// whether a column draws anything.
inline std::vector<int> zeilennummern(vb::ErrorTrap& falle, clsDATEN& DAT)
{
    int16_t MINI = 0, MAXI = 0, AN = 0;
    falle([&] { DAT.INDEX(MINI, MAXI, AN, QStringLiteral("I1")); });
    if (falle.cancelled() || AN == 0 || MAXI < 0)
        return {};
    std::vector<int32_t> leer;
    falle([&] { leer = DAT.leereZeilen(QStringLiteral("I1")); });
    if (falle.cancelled())
        return {};
    // The empty rows in order, walked beside the row numbers: one pass over
    // both, however many rows are empty.
    std::sort(leer.begin(), leer.end());
    auto naechstesLeeres = leer.begin();
    std::vector<int> nummern;
    nummern.reserve(size_t(MAXI) + 1);
    // A plain int counts the rows: a 16-bit counter never passes 32767.
    for (int i = 0; i <= MAXI; ++i) {
        while (naechstesLeeres != leer.end() && *naechstesLeeres < i)
            ++naechstesLeeres;
        if (naechstesLeeres == leer.end() || *naechstesLeeres != i)
            nummern.push_back(i);
    }
    return nummern;
}

// Reads the rows zeilennummern names with the fields in their order; a
// missing row or a Null field gives 0 or the empty text. One read per step:
// a value that cannot be converted is reported in the trap's box and OK goes
// on with the next field. False when there is no row to read or the column
// has been left: the column then draws nothing.
template <class Zeile>
bool zeilenLesen(vb::ErrorTrap& falle, clsDATEN& DAT, const std::vector<Feld<Zeile>>& felder,
                 std::vector<Zeile>& zeilen)
{
    const std::vector<int> nummern = zeilennummern(falle, DAT);
    if (nummern.empty())
        return false;
    zeilen.clear();
    zeilen.reserve(nummern.size());
    for (const int i : nummern) {
        const Wert zeile{vb::Variant(int16_t(i))};
        Zeile& z = zeilen.emplace_back();
        for (const Feld<Zeile>& f : felder)
            std::visit([&](auto glied) { feldLesen(falle, DAT, f.name, z.*glied, zeile); }, f.ziel);
        if (falle.cancelled())
            return false;
    }
    return !zeilen.empty();
}
