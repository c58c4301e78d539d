#pragma once
// The one table of the input window's ten grids: which table each grid edits,
// its tab captions, and per column the field it is stored in, the two caption
// lines, tooltip, column type, display format, alignment, item list and code
// translation. The window's set-up, the save and the opening all read it.

#include "entry/Codelisten.h"

#include <QString>
#include <vector>

namespace eingabe {

// Column types of the grid editor.
enum Spaltentyp { Text = 0, Laufnummer = 1, Datum = 4, Auswahl = 7 };
// Alignments of the grid editor.
enum Ausrichtung { Links = 0, Mitte = 1, Rechts = 2 };

struct Spalte {
    QString feld;       // column of the table
    QString zeile1;     // caption line 1 (may hold style markup)
    QString zeile2;     // caption line 2
    QString tooltip;
    int typ = Text;
    QString format;     // display pattern applied on commit ("" keeps the text)
    int ausrichtung = Links;
    Liste liste = Liste::Keine;
    Kodierung kodierung = Kodierung::Keine;
    double breiteMm = 15.0;
};

struct Raster {
    int index;           // grid number 0..9 (the tab is index + 1)
    QString tabelle;     // "E2" .. "E11"
    QString tabDeutsch;  // tab caption
    QString tabEnglisch;
    std::vector<Spalte> spalten;   // column 0 is the running number I1
};

// The ten grids in grid order 0..9.
const std::vector<Raster>& raster();
// The grids in the order their tables are saved and opened: E2, E3, ..., E11.
std::vector<const Raster*> rasterNachTabelle();

// Caption of tab 0 (general data).
QString tab0Deutsch();
QString tab0Englisch();

// The display options every save writes to E12, in this order: 16-bit numbers
// through the integer writer, ARV and TAV as Booleans.
struct Anzeigevorgabe {
    QString feld;
    int wert;
    bool boolesch;
};
const std::vector<Anzeigevorgabe>& anzeigevorgaben();

} // namespace eingabe
