#pragma once
// Sizes in megabytes as the shell reports them: bytes / 10^6 in single
// precision, rounded to one decimal (halves to the even digit), written with
// the locale's decimal sign and without trailing zeros.
#include <QString>
#include <cstdint>

float megabytes(int64_t bytes);
float rundeEineStelle(float wert);
QString zahlText(float wert);
