// The dressing of the soil column: fill colours and colour names, area
// symbols and state marks. Called in their places; they draw nothing yet.
#include "log/clsPROFIL.h"

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
