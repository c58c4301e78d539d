// The test columns with value scales: standard and pocket penetrometer,
// plasticity, grain size, flat dilatometer and pressuremeter. They are
// called in their places and draw nothing yet.
#include "log/Testspalte.h"

void clsPROFIL::BILDSAMKEIT(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::FLACHDILATOMETER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::KORNVERTEILUNG(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::PRESSIOMETER(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::STANDARDSONDE(clsDATEN&, int16_t&, std::optional<float>) {}
void clsPROFIL::TASCHENPENETROMETER(clsDATEN&, int16_t&, std::optional<float>) {}
