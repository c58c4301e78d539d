#include "shell/Zahlen.h"

#include "platform/VbRuntime.h"

float rundeEineStelle(float wert)
{
    return float(vb::Round(double(wert), 1));
}

float megabytes(int64_t bytes)
{
    return rundeEineStelle(float(double(bytes) / 1e6));
}
