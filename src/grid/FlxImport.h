#pragma once
// FlxImport — fills a grid editor's grid from the text file of a measuring
// device, laid out as an import preset describes it.
//
// Three layouts: one value per line in cycles of ZL lines (two header lines:
// ZL − 1 and the cycle number), one record of ZL fields per line separated by
// TZS, or all records on the first line, each ended by TZZ. Each measured
// value names its field position and the grid column (by the column's import
// key) that takes it. After reading, prefixes and suffixes are cut, dates and
// times rearranged, device numbers (point or comma as decimal sign) written
// in the user's locale and multiplied by their factors, and the grid is
// refreshed.
//
// An import that ends with false leaves the grid as it was; a file that cannot
// be read is reported with the line where reading failed, a preset none of
// whose values has a column in the grid is refused with a message.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace grid {

class clsFLX;

// One import preset: a row of KAVELOR_VE1 and its rows of KAVELOR_VE2.
struct Elektronikvorgabe {
    struct Messwert {
        QString spalte;                 // import key of the target column
        std::optional<double> position; // line or field index; none: not imported
        QString praefix;
        QString suffix;
        float faktor = 1.0f;
        QString format;
    };
    QString akvk;                       // the key the preset was read by
    int16_t zl = 0;
    QString datum;
    QString uhrzeit;
    QString kenz1nr;
    QString kenz1kz;
    QString tzs;
    QString tzz;
    std::vector<Messwert> werte;

    // Reads the preset AKVK from the presets database (KAVELOR_VE1 and
    // KAVELOR_VE2); false when a measured value's row cannot be read.
    static bool laden(const QString& AKVK, Elektronikvorgabe& vorgabe);

    // How many of the measured values have their column in the editor's grid.
    int werteImRaster(const clsFLX& flx) const;
};

class FlxImport {
public:
    // The lines of a device file: UTF-8 when the bytes are valid UTF-8,
    // else Windows-1252; split at line feeds, one trailing carriage return
    // dropped per line.
    static QStringList zeilen(const QByteArray& inhalt);

    // Imports the file's content into the editor's grid; `name` is the file
    // name the messages show. True when the import ran to its end.
    static bool importieren(clsFLX& flx, const Elektronikvorgabe& vorgabe, const QByteArray& inhalt,
                            const QString& name);

    // Asks for the preset (a pick of the keys in KAVELOR_VE1, titled
    // "Elektronikvorgaben", offering first the preset with the most values
    // for the grid's columns) and the device file (starting in `ordner`), then
    // imports into the editor's grid. False when the user cancels or the
    // import does not run to its end.
    static bool mitAuswahl(clsFLX& flx, const QString& ordner);

    // A number as a device writes it: optional sign, digits with a point or
    // a comma as decimal sign, optional exponent; no group signs.
    static std::optional<double> geraetezahl(const QString& text);
};

} // namespace grid
