// The side and test columns of the log: drilling method, casing,
// groundwater, samples, penetrometers, plasticity, grain size, dilatometer
// and pressuremeter. They are called in their places and draw nothing yet.
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
