#include "shell/Zahlen.h"

#include "platform/Services.h"

#include <cfenv>
#include <cmath>

float rundeEineStelle(float wert)
{
    // nearbyint rounds halves to even under the default rounding mode.
    return float(std::nearbyint(double(wert) * 10.0) / 10.0);
}

float megabytes(int64_t bytes)
{
    return rundeEineStelle(float(double(bytes) / 1e6));
}

QString zahlText(float wert)
{
    QString s = QString::number(double(wert), 'g', 7);
    s.replace(QLatin1Char('.'), vb::locale().decimalSign());
    return s;
}
