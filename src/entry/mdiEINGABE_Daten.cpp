// Saving the window's record (OK) and loading a stored one (OEFFNEN).
#include "entry/mdiEINGABE.h"

#include "database/clsDATEN.h"
#include "entry/Eingabetabellen.h"
#include "grid/FlexGrid.h"
#include "grid/clsFLX.h"

#include "platform/StepRunner.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using eingabe::Raster;
using eingabe::Spalte;

namespace {

// A read or write whose result decides whether the operation goes on: an
// error in it is reported by the trap and, answered with OK or Cancel, stops
// the operation as a failed transfer does.
template <class F>
bool geprueft(vb::ErrorTrap& trap, F&& f)
{
    bool ok = false;
    if (!trap([&] { ok = f(); }))
        return false;
    return ok;
}

// The coded column of a grid turned between list texts and codes in place,
// rows 1 to the last.
void kodierteSpalte(grid::FlexGrid& g, const Raster& r, QString (*umwandeln)(eingabe::Kodierung, const QString&))
{
    for (size_t c = 0; c < r.spalten.size(); ++c) {
        const eingabe::Kodierung k = r.spalten[c].kodierung;
        if (k == eingabe::Kodierung::Keine)
            continue;
        for (int zeile = 1; zeile < g.Rows(); ++zeile)
            g.setTextMatrix(zeile, int(c), umwandeln(k, g.TextMatrix(zeile, int(c))));
    }
}

} // namespace

bool mdiEINGABE::zellenUebernommen()
{
    bool offen = false;
    for (int i = 0; i < kRaster; ++i) {
        if (FLX(i))
            FLX(i)->EINFUEGEN(0);
        offen = offen || !txtFLX[size_t(i)]->isHidden() || !cboFLX[size_t(i)]->isHidden();
    }
    return !offen;
}

bool mdiEINGABE::OK(int32_t AKTID)
{
    vb::ErrorTrap trap(QStringLiteral("OK"));
    clsDATEN& e1 = *DAT(1);
    // General data. KEN first: for a new key it creates the E1 row.
    if (!trap([&] { e1.ESPIDW(AKTID); }) || !geprueft(trap, [&] { return e1.DFTTT(QStringLiteral("KEN"), txtKEN); }))
        return false;
    // A comment that cannot be stored is reported and passed over.
    trap([&] { e1.DFTTT(QStringLiteral("KOM"), txtKOM); });
    if (!geprueft(trap, [&] { return e1.DVTB(QStringLiteral("AKT"), true); }))
        return false;
    if (!trap([&] { e1.ESPIDW(AKTID); }))
        return false;
    const std::pair<const char*, QLineEdit*> zahlen[] = {{"RW", txtRW}, {"HW", txtHW}, {"H", txtH}, {"ROK", txtROK}};
    for (const auto& [feld, box] : zahlen)
        if (!geprueft(trap, [&] { return e1.DFTTT(QString::fromLatin1(feld), box); }))
            return false;
    // True stands for geodetic coordinates, as the log page and the
    // information-system export read it.
    if (!geprueft(trap, [&] { return e1.DFTOV(QStringLiteral("OPTK"), optK[1]); })
        || !geprueft(trap, [&] { return e1.DFTOV(QStringLiteral("OPTH"), optH[0]); }))
        return false;
    for (int b = 0; b < 4; ++b)
        if (!geprueft(trap, [&] { return e1.DFTTT(QStringLiteral("B%1").arg(b + 1), txtB[size_t(b)]); }))
            return false;

    // The grids, one table after the other; column 0 (I1) first.
    for (const Raster* r : eingabe::rasterNachTabelle()) {
        grid::FlexGrid* g = msgFLX[size_t(r->index)];
        clsDATEN& d = *DAT(r->tabelle.mid(1).toInt());
        if (!trap([&] {
                kodierteSpalte(*g, *r, &eingabe::textZuCode);
                d.ESPIDW(AKTID);
            }))
            return false;
        for (size_t c = 0; c < r->spalten.size(); ++c)
            if (!geprueft(trap, [&] {
                    return d.DFTFM(r->spalten[c].feld, g, QString::number(c), QStringLiteral("I1"));
                }))
                return false;
    }

    // The record's display options back at their defaults; TAV last.
    clsDATEN& e12 = *DAT(12);
    if (!trap([&] { e12.ESPIDW(AKTID); }))
        return false;
    for (const eingabe::Anzeigevorgabe& v : eingabe::anzeigevorgaben()) {
        const bool ok = geprueft(trap, [&] {
            return v.boolesch ? e12.DVTB(v.feld, v.wert != 0) : e12.DVTI(v.feld, int16_t(v.wert));
        });
        if (!ok)
            return false;
    }
    return true;
}

void mdiEINGABE::OEFFNEN(int32_t AKTID)
{
    vb::ErrorTrap trap(QString::fromUtf8("Datei/Öffnen"));
    clsDATEN& e1 = *DAT(1);
    if (!trap([&] { e1.ESPIDW(AKTID); }) || !geprueft(trap, [&] { return e1.DTFTT(QStringLiteral("KEN"), txtKEN); }))
        return;
    trap([&] { e1.DTFTT(QStringLiteral("KOM"), txtKOM); });
    const std::pair<const char*, QLineEdit*> zahlen[] = {{"RW", txtRW}, {"HW", txtHW}, {"H", txtH}, {"ROK", txtROK}};
    for (const auto& [feld, box] : zahlen)
        if (!geprueft(trap, [&] { return e1.DTFTT(QString::fromLatin1(feld), box); }))
            return;
    if (!geprueft(trap, [&] { return e1.DTFOV(QStringLiteral("OPTK"), optK[1]); })
        || !geprueft(trap, [&] { return e1.DTFOV(QStringLiteral("OPTH"), optH[0]); }))
        return;
    for (int b = 0; b < 4; ++b)
        if (!geprueft(trap, [&] { return e1.DTFTT(QStringLiteral("B%1").arg(b + 1), txtB[size_t(b)]); }))
            return;

    for (const Raster* r : eingabe::rasterNachTabelle()) {
        grid::FlexGrid* g = msgFLX[size_t(r->index)];
        clsDATEN& d = *DAT(r->tabelle.mid(1).toInt());
        // Every table is read for the record being opened.
        if (!trap([&] { d.ESPIDW(AKTID); }))
            return;
        for (size_t c = 0; c < r->spalten.size(); ++c)
            if (!geprueft(trap, [&] {
                    return d.DTFFM(r->spalten[c].feld, g, QString::number(c), QStringLiteral("I1"));
                }))
                return;
        if (!trap([&] { kodierteSpalte(*g, *r, &eingabe::codeZuText); }))
            return;
    }
}
