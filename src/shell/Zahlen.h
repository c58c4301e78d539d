#pragma once
// Sizes in megabytes as the shell reports them: bytes / 10^6 in single
// precision, rounded to one decimal (halves to the even digit). The shell
// writes them with vb::CStr, in the locale's form.
#include <cstdint>

float megabytes(int64_t bytes);
float rundeEineStelle(float wert);
