// Columns and soil routines that are drawn by their own parts of the painter,
// still to come: the side and test columns, the soil fill colours, the area
// symbols and the state marks. They are called in their places and draw
// nothing yet.
#include "log/clsPROFIL.h"

#include "database/clsDATEN.h"

void clsPROFIL::BILDSAMKEIT(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::BOHRUNG(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::FLACHDILATOMETER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::GRUNDWASSER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::KORNVERTEILUNG(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::PRESSIOMETER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::PROBEN(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::STANDARDSONDE(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::TASCHENPENETROMETER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::VERROHRUNG(clsDATEN&, int16_t&, std::optional<float>) {}

// White until the fill colours are drawn: a filled layer stays blank.
int32_t clsPROFIL::FARBAUSWAHL(int16_t&, const QString&, const QString&)
{
    return 0xFFFFFF;
}

// The colour text as stored until the colour names are known.
QString clsPROFIL::FARBBEZ(const QString& farbe)
{
    return farbe;
}

void clsPROFIL::UNTERGRUNDPROFIL(float, float, float, float, const QString&, QString&, int16_t&) {}

void clsPROFIL::BODENZUSTAND(float, float, float, float, const QString&) {}
