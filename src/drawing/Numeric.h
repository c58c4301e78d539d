#pragma once
// Numeric helpers shared by the screen/printer engine and the CAD engine.
// All work in single precision, as the engines' view state does.

#include "drawing/DrawingInterface.h"

#include <cstdint>
#include <vector>

namespace drawing {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 2.0f * kPi;            // 6.2831855
constexpr float kDegree = 0.017453292f;          // radians per degree

// Whole number, halves to the even neighbour (as CInt rounds).
int32_t roundEven(double v);
// v rounded to `decimals` places, halves to even.
double roundEvenTo(double v, int decimals);

// The value at x on the line through (x1, y1) and (x2, y2). Equal abscissas
// show "Division durch Null!" (title "LININT", OK only) and give 0.
float LININT(float x1, float x2, float x, float y1, float y2);
// a when a < b, else b.
float MINIMUM(float a, float b);
// Decadic logarithm for v > 0, else 0.
float LOG10(float v);
// Completes the scales MX and MY in place (0 means "compute"); MYMX > 0
// imposes MY/MX. A plot width or height of 0 raises 11.
void MASSSTAB(float XMIN, float XMAX, float YMIN, float YMAX, float ELX, float ELY, float RL, float RR, float RU,
              float RO, float MYMX, float& MX, float& MY);
// Page angle of the segment (x1,y1)->(x2,y2), 0 <= w < 2 pi.
float RICHTUNGSWINKEL(float x1, float y1, float x2, float y2);
// Crossings of a circle with the vertical line at x: ys[0] <= ys[1]; false
// (ys unchanged) when the line misses the circle.
bool KREISSCHNITTX(float xm, float ym, float r, float x, float ys[2]);
// The same with the horizontal line at y.
bool KREISSCHNITTY(float xm, float ym, float r, float y, float xs[2]);

// Result of fitting one axis.
struct AxisFit {
    std::vector<float> ticks;       // tick positions 0..tickCount (world values or decades)
    int tickCount = 0;
    int gridCount = 0;
    int labelCount = 0;
    std::vector<float> grid;        // logarithmic axes: grid positions 0..gridPositions
    int gridPositions = -1;         // index of the last grid position; -1: none
};

// Fit one axis (ACHSBEREICH): NR, the min and max fit flags, the scale type,
// the data, the range (updated in place) and the five value tables. Raises
// 9 when a table is shorter than an index it needs and 11 for a tick count
// of 0 on a linear axis.
AxisFit ACHSBEREICH(int16_t NR, bool fitMin, bool fitMax, int16_t scaleType, const std::vector<float>& data,
                    float& MIN, float& MAX, const NumberList& L, const NumberList& F, const NumberList& IT,
                    const NumberList& GIT, const NumberList& ZL);

} // namespace drawing
