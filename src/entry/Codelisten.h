#pragma once
// The vocabulary of the borehole data: the item lists the input grids offer
// and the translation of the three coded columns between their list texts and
// the numbers stored in the tables.
//
// The log drawing interprets these values and the record exchange copies them;
// both may take the lists from here.

#include <QString>
#include <QStringList>

namespace eingabe {

// The item lists of the list columns.
enum class Liste {
    Keine = 0,
    Hauptbestandteile,   // E2.HPTB1, E2.HPTB2 (German and English variants)
    Nebenbestandteile,   // E2.NEBB (no items in English)
    Rundungsgrad,        // E2.RUND
    Bodenzustand,        // E2.ZUST
    Bodenfarbe,          // E2.FARBE
    Beurteiler,          // E2.BS: "0" to "5"
    Grundwasser,         // E3.GTYP (coded)
    Entnahmeverfahren,   // E4.ENTVERF (coded)
    Sondentyp,           // E6.STYP (coded)
    Rohrmaterial,        // E7.MAT
};

// The items of a list in the order the drop-down offers them. `englisch`
// chooses the English variant where a list has one (main and secondary
// constituents); every other list is the same in both languages.
QStringList eintraege(Liste liste, bool englisch = false);

// The three columns stored as numeric codes.
enum class Kodierung {
    Keine = 0,
    Grundwassertyp,       // E3.GTYP: 0 "keine Angabe", 1 "zuletzt gemessen", 2 "bei Aufschluß angetroffen"
    Entnahmeverfahren,    // E4.ENTVERF: 0 "gest. Probe", 1 "Sonderprobe", 2 "Bohrkern"
    Sondentyp,            // E6.STYP: 0 "offene Sonde", 1 "geschlossene Sonde"
};

// The list text of a code ("" when the code has none).
QString codeText(Kodierung k, int code);

// Before saving: a cell whose text equals a list text exactly (case and blanks
// count) becomes the code's digit; every other text is returned unchanged.
QString textZuCode(Kodierung k, const QString& zelle);

// After opening: the stored code back to its list text. For the ground-water
// type and the sampling method the trimmed cell text is compared as a number
// (so "1,0" is code 1 under a German locale); for the penetrometer type the
// text itself must be "0" or "1", blanks included. Any other text (another
// number, text that is no number, the empty text) is returned unchanged.
QString codeZuText(Kodierung k, const QString& zelle);

} // namespace eingabe
