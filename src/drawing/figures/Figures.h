#pragma once
// Figures both drawing engines draw the same way: circles and arcs cut at the
// plot frame, point series with their marks, terrain hatch, level triangles,
// load areas and section forces.
//
// Each is a free function over a FigureHost: the calling engine's view state
// and the few primitives the figures need. The screen/printer engine
// (clsGRAFIK) and the CAD engine implement FigureHost and forward their
// members of the same names here. Each function catches its own errors and
// shows its own error box (as the engine member of that name does).
//
// Where they live: the geometry behind the figures is in FigureGeometry.h;
// KREISSCHNITTX and KREISSCHNITTY (declared in drawing/Numeric.h) are
// defined with the circle figures; clsGRAFIK's KREIS, POLYGON,
// GELAENDESCHRAFFUR, KOTENDREIECK, LASTFLAECHEN and SCHNITTKRAFT forward
// here from clsGRAFIK_figures.cpp.

#include "drawing/DrawingInterface.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace drawing {

// The view state an engine holds after SKALEN.
struct ViewState {
    int32_t EID = 0;
    int16_t EIDOBJEKT = 11;
    int16_t OX = 0, OY = 0;                       // orientation of the axes
    float RL = 0, RR = 0, RO = 0, RU = 0;         // margins, mm
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0; // world range (decades on a log axis)
    float MX = 0, MY = 0, MYMX = 0;               // world units per mm
    float SX = 0, SY = 0;                         // scroll shifts, mm
    float EXDL = 0, EYDO = 0, ELX = 0, ELY = 0;   // picture area, mm
    int16_t ESKTX = 0, ESKTY = 0;                 // scale types
    int16_t EPTYP = 0;                            // series style

    // Plot area edges (page mm).
    float left() const { return EXDL + RL; }
    float top() const { return EYDO + RO; }
    float right() const { return EXDL + ELX - RR; }
    float bottom() const { return EYDO + ELY - RU; }
};

// What a figure needs of the engine drawing it. Coordinates are page mm.
class FigureHost {
public:
    virtual ~FigureHost() = default;
    // The engine itself: its LINIE, PFEIL, TEXT, POLYGON, KOORDTRANS and
    // LINIENEINSTELLUNGEN are the ones the figures call.
    virtual DrawingInterface& engine() = 0;
    virtual ViewState view() const = 0;
    // Fore colour of lines (and text).
    virtual int32_t foreColor() const = 0;
    virtual void setForeColor(int32_t c) = 0;
    // Fill of circles: solid in `color`, or transparent (color kept as given).
    virtual void setFill(bool solid, int32_t color) = 0;
    // Full circle around (xc, yc), radius r mm, in the fore colour with the
    // pen, filled by the fill setting.
    virtual void circle(float xc, float yc, float r) = 0;
    // Arc of that circle from view angle `from` to `to` (radians, counter-
    // clockwise as seen, 0 pointing right, pi/2 up the page).
    virtual void arc(float xc, float yc, float r, float from, float to) = 0;
    // A single dot in the fore colour.
    virtual void dot(float xp, float yp) = 0;
    // Point symbol 0..6 centred on the point (other numbers draw nothing).
    virtual void pointSymbol(float xp, float yp, int16_t nr) = 0;
    // Whether dots and point symbols of a series are kept to the plot area
    // (the screen engine always; an engine may switch it off).
    virtual bool clipsToFrame() const { return true; }
    // Whether the engine draws an arc that needs no cutting itself, from the
    // caller's angles and the view's orientation (wholeArc). The pieces of a
    // circle cut at the frame are then taken from the part of the circle
    // that such a whole arc shows, so a cut arc matches the uncut one.
    virtual bool drawsWholeArcs() const { return false; }
    virtual void wholeArc(float /*xc*/, float /*yc*/, float /*rp*/, float /*al1*/, float /*al2*/, int /*ox*/,
                          int /*oy*/)
    {
    }
};

namespace figures {

// Centre and radius of a circle in page mm, from the coordinate kind KO of
// KREIS (0 page mm; 1 or omitted world coordinates, the radius measured to
// the point at the start angle AL1; 2 mm from the picture's corner with the
// scroll shift). Any other kind has no place on the page: nullopt.
struct PageCircle {
    float xc = 0.0f, yc = 0.0f, rp = 0.0f;
};
std::optional<PageCircle> pageCircle(FigureHost& host, float XM, float YM, float R, float AL1,
                                     std::optional<int16_t> KO);

// KREIS: circle or arc; AL2 0 becomes 2 pi (written back); KO omitted = 1.
void KREIS(FigureHost& host, float XM, float YM, float R, float AL1, float& AL2, int16_t LAGEPFEIL, bool BOKREISP,
           std::optional<int16_t> KO);

// POLYGON: point series in the style EPTYP with its marks (point symbols,
// numbers, label, arrow heads).
void POLYGON(FigureHost& host, SingleArray& X, SingleArray& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
             const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
             const std::optional<NumberList>& BOL);

void GELAENDESCHRAFFUR(FigureHost& host, float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO);
void KOTENDREIECK(FigureHost& host, float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL);
void LASTFLAECHEN(FigureHost& host, const std::vector<float>& X, const std::vector<float>& Y,
                  const std::vector<std::vector<float>>& P, int16_t IT);
void SCHNITTKRAFT(FigureHost& host, float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY);

} // namespace figures
} // namespace drawing
