#include "drawing/Numeric.h"

#include "platform/Dialogs.h"
#include "platform/VbError.h"

#include <cfenv>
#include <cmath>

namespace drawing {

int32_t roundEven(double v)
{
    if (!std::isfinite(v) || v > 2147483647.0 || v < -2147483648.0) vb::raise(vb::err::Overflow);
    return int32_t(std::nearbyint(v));
}

double roundEvenTo(double v, int decimals)
{
    const double f = std::pow(10.0, decimals);
    return std::nearbyint(v * f) / f;
}

float LININT(float x1, float x2, float x, float y1, float y2)
{
    if (x2 == x1) {
        vb::MsgBox(QStringLiteral("Division durch Null!"), vb::vbOKOnly, QStringLiteral("LININT"));
        return 0.0f;
    }
    return y2 - (y2 - y1) * (x2 - x) / (x2 - x1);
}

float MINIMUM(float a, float b)
{
    return a < b ? a : b;
}

float LOG10(float v)
{
    if (v > 0) return float(std::log(double(v)) / std::log(10.0));
    return 0.0f;
}

void MASSSTAB(float XMIN, float XMAX, float YMIN, float YMAX, float ELX, float ELY, float RL, float RR, float RU,
              float RO, float MYMX, float& MX, float& MY)
{
    if (MX == 0) {
        const float w = ELX - RL - RR;
        if (w == 0) vb::raise(vb::err::DivisionByZero);
        MX = (XMAX - XMIN) / w;
    }
    if (MY == 0) {
        const float h = ELY - RO - RU;
        if (h == 0) vb::raise(vb::err::DivisionByZero);
        MY = (YMAX - YMIN) / h;
    }
    if (MYMX > 0) {
        if (MX > MY)
            MY = MX * MYMX;
        else
            MX = MY / MYMX;
    }
}

float RICHTUNGSWINKEL(float x1, float y1, float x2, float y2)
{
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    if (dx == 0 && dy == 0) return 0.0f;
    if (dx == 0) return dy > 0 ? 1.5707964f : 4.712389f;
    if (dy == 0) return dx > 0 ? 0.0f : kPi;
    const float a = std::atan(dy / dx);
    if (dx < 0) return a + kPi;
    if (dy < 0) return a + kTwoPi;
    return a;
}

// KREISSCHNITTX and KREISSCHNITTY live with the circle figures.

namespace {

double at(const NumberList& l, int i)
{
    if (i < 0 || i >= int(l.size())) vb::raise(vb::err::SubscriptOutOfRange);
    return l[size_t(i)];
}

// Snap a lower end down to the ladder: the first i with L(i-1) <= v < L(i)
// gives L(i-1); beyond the top it stays.
void snapDownSearch(float& v, const NumberList& L)
{
    for (int i = 1; i < int(L.size()); ++i) {
        if (at(L, i - 1) <= v && v < at(L, i)) {
            v = float(at(L, i - 1));
            return;
        }
    }
}

// Snap an upper end up: the first i with L(i-1) < v <= L(i) gives L(i).
void snapUpSearch(float& v, const NumberList& L)
{
    for (int i = 1; i < int(L.size()); ++i) {
        if (at(L, i - 1) < v && v <= at(L, i)) {
            v = float(at(L, i));
            return;
        }
    }
}

// Snap a fitted minimum down: below the ladder it becomes L(0), else the search.
void snapDown(float& v, const NumberList& L)
{
    if (v < at(L, 0))
        v = float(at(L, 0));
    else
        snapDownSearch(v, L);
}

// Snap a fitted maximum up: above the ladder it becomes L(n) (true), else the search.
bool snapUp(float& v, const NumberList& L)
{
    const int n = int(L.size()) - 1;
    if (v > at(L, n)) {
        v = float(at(L, n));
        return true;
    }
    snapUpSearch(v, L);
    return false;
}

double pow10(int e)
{
    return std::pow(10.0, e);
}

} // namespace

AxisFit ACHSBEREICH(int16_t NR, bool fitMin, bool fitMax, int16_t scaleType, const std::vector<float>& data,
                    float& MIN, float& MAX, const NumberList& L, const NumberList& F, const NumberList& IT,
                    const NumberList& GIT, const NumberList& ZL)
{
    AxisFit fit;
    const bool fromData = NR == 1 || NR == -1;
    if (data.empty()) vb::raise(vb::err::SubscriptOutOfRange);
    if (fitMin) {
        if (fromData) MIN = data[0];
        for (float d : data)
            if (d < MIN) MIN = d;
    }
    if (fitMax) {
        if (fromData) MAX = data[0];
        for (float d : data)
            if (d > MAX) MAX = d;
    }

    if (scaleType == 0) {
        if (fitMin) snapDown(MIN, L);
        if (fitMax) snapUp(MAX, L);
        const int m = int(F.size()) - 1;
        float delta = MAX - MIN;
        if (delta <= at(F, 0)) delta = float(at(F, 0));
        if (delta >= at(F, m)) delta = float(at(F, m));
        int k = 0;
        while (k <= m && !(delta <= at(F, k))) ++k;
        delta = float(at(F, k));
        if (NR != 1 && NR != 2) MAX = MIN + delta;
        fit.tickCount = roundEven(at(IT, k));
        fit.gridCount = roundEven(at(GIT, k));
        fit.labelCount = roundEven(at(ZL, k));
        if (fit.tickCount == 0) vb::raise(vb::err::DivisionByZero);
        const float step = delta / float(fit.tickCount);
        if (fit.tickCount < 0) return fit;
        fit.ticks.resize(size_t(fit.tickCount) + 1);
        fit.ticks[0] = MIN;
        for (int i = 1; i <= fit.tickCount; ++i) fit.ticks[size_t(i)] = fit.ticks[size_t(i - 1)] + step;
        return fit;
    }

    if (scaleType != 1) return fit;

    // A maximum lowered to the top of the ladder skips the plain searches.
    if (fitMin) snapDown(MIN, L);
    const bool loweredToTop = fitMax && snapUp(MAX, L);
    if (!loweredToTop) {
        if (!fitMin) snapDownSearch(MIN, L);
        if (!fitMax) snapUpSearch(MAX, L);
    }

    const int code = roundEven(at(IT, 0));
    int e = -10;
    while (e <= 10 && !(pow10(e) > MIN)) ++e;
    const auto decades = [&](std::vector<float>& out) {
        out.push_back(LOG10(MIN));
        for (int x = e; x <= 10; ++x)
            if (pow10(x) <= MAX) out.push_back(float(x));
        out.push_back(LOG10(MAX));
    };
    if (code == 0) {
        fit.ticks.push_back(LOG10(MIN));
        fit.tickCount = 0;
    } else if (code == 1) {
        decades(fit.ticks);
        fit.tickCount = int(fit.ticks.size()) - 1;
    } else if (code == 10) {
        int jMin = 1;
        while (jMin <= 9 && !(jMin * pow10(e - 1) >= MIN)) ++jMin;
        int top = e;
        while (top <= 10 && !(pow10(top) > MAX)) ++top;
        const int i = std::max(top - 1, e);
        int jMax = 1;
        while (jMax <= 9 && !(jMax * pow10(i) >= MAX)) ++jMax;
        std::vector<float>& t = fit.ticks;
        t.push_back(LOG10(MIN));
        for (int j = jMin + 1; j <= 9; ++j) t.push_back(float(e - 1) + LOG10(float(j)));
        for (int d = e; d <= i - 1; ++d)
            for (int j = 0; j <= 9; ++j) t.push_back(float(d) + LOG10(float(j)));
        for (int j = 1; j <= jMax - 1; ++j) t.push_back(float(i) + LOG10(float(j)));
        t.push_back(LOG10(MAX));
        fit.tickCount = int(t.size()) - 1;
    }

    fit.gridCount = roundEven(at(GIT, 0));
    if (at(IT, 0) == fit.gridCount) {
        fit.grid = fit.ticks;
        fit.gridPositions = fit.tickCount;
        if (fit.ticks.empty()) fit.gridPositions = -1;
    } else if (at(IT, 0) == 10 && fit.gridCount == 1) {
        decades(fit.grid);
        fit.gridPositions = int(fit.grid.size()) - 1;
    }
    fit.labelCount = roundEven(at(ZL, 0));
    return fit;
}

} // namespace drawing
