#pragma once
// DrawingInterface: the drawing engine as the page composer, the log painter
// and the header/footer block see it. The screen/printer engine clsGRAFIK and
// the CAD engine implement it; callers hold a DrawingInterface& and never
// know which one they talk to.
//
// Conventions
// - Properties are overloaded pairs: `EXDL()` reads, `EXDL(v)` writes.
// - Optional parameters have defaults that read as 0, empty or false, as an
//   omitted argument does. Where "omitted" must differ from 0 the parameter
//   is a std::optional (LINIE's FB, KREIS's KO, the data lists of SKALEN).
// - Page coordinates are millimetres on the target, x right, y down; world
//   coordinates are the units of the two axes.
// - Colours are colour longs 0x00BBGGRR (drawing::rgb builds one).
// - Each operation catches its own errors and shows its error box (OK goes
//   on with the next step, Cancel leaves); nothing propagates to the caller
//   unless stated.
//
// Shared figures
// The figures that both engines draw the same way (circles and arcs with
// their frame crossings, point series with their marks, terrain hatch, level
// triangles, load areas and section forces) are written once, as free
// functions in drawing/figures/Figures.h over a FigureHost: the engine's
// view state plus a few primitives (the engine's own LINIE, PFEIL, TEXT,
// KOORDTRANS, circle/arc, dot, point symbol, fore colour and fill). Each
// engine implements FigureHost and forwards KREIS, POLYGON,
// GELAENDESCHRAFFUR, KOTENDREIECK, LASTFLAECHEN and SCHNITTKRAFT to them.
// The numeric helpers both engines share (LININT, MINIMUM, LOG10, MASSSTAB,
// RICHTUNGSWINKEL, KREISSCHNITTX/Y, the axis fitting ACHSBEREICH) are in
// drawing/Numeric.h.
// The properties, with their few rules (ELX/ELY reset the axis tables,
// ELXGIT/ELYGIT set the label counts too, EXYIT is a whole number), are kept
// once in drawing/EngineProperties.h, from which the engines derive.

#include "drawing/Target.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace drawing {

// A colour long from its parts.
constexpr int32_t rgb(int r, int g, int b) { return (b << 16) | (g << 8) | r; }

// One of the axis value tables: numbers with index base 0.
using NumberList = std::vector<double>;

// The five value tables of one axis, as every engine keeps them (absent
// until assigned).
struct AxisTables {
    std::optional<NumberList> MIN, DIFF, IT, GIT, ZL;
    // A new picture width or height: one range from 0 to it with one tick
    // interval, no grid and no numbers.
    void reset(float length);
    // Setting the grid counts sets the label counts to the same list.
    void grid(const NumberList& v)
    {
        GIT = v;
        ZL = v;
    }
};

// The equal-scale mode EXYIT as engines hold it: a 16-bit whole number,
// halves to the even neighbour (raises 6 beyond the 16-bit range).
int16_t equalScaleMode(float v);

// A single-precision array with a lower bound (0, or -1 where element -1
// carries the base point of a series).
class SingleArray {
public:
    SingleArray() = default;
    SingleArray(std::vector<float> v, int lbound = 0) : m_v(std::move(v)), m_lb(lbound) {}
    SingleArray(std::initializer_list<float> v) : m_v(v) {}
    // n elements from lbound to lbound + n - 1, all 0.
    static SingleArray sized(int lbound, int ubound) {
        return SingleArray(std::vector<float>(size_t(ubound - lbound + 1), 0.0f), lbound);
    }
    int lbound() const { return m_lb; }
    int ubound() const { return m_lb + int(m_v.size()) - 1; }
    int size() const { return int(m_v.size()); }
    bool empty() const { return m_v.empty(); }
    // Element i (VB index); outside the bounds raises 9.
    float& operator()(int i);
    float operator()(int i) const;
    std::vector<float>& values() { return m_v; }
    const std::vector<float>& values() const { return m_v; }

private:
    std::vector<float> m_v;
    int m_lb = 0;
};

// A parameter passed by reference that may also be given a plain value:
// a variable is written back, a value is copied.
template <class T>
class ByRef {
public:
    ByRef(T& var) : m_p(&var) {}
    ByRef(const T& value) : m_own(value), m_p(&m_own) {}
    ByRef(T&& value) : m_own(value), m_p(&m_own) {}
    ByRef(const ByRef& o) : m_own(o.m_p == &o.m_own ? o.m_own : T()), m_p(o.m_p == &o.m_own ? &m_own : o.m_p) {}
    ByRef& operator=(const ByRef&) = delete;
    T& get() const { return *m_p; }
    operator T&() const { return *m_p; }

private:
    T m_own{};
    T* m_p;
};

class DrawingInterface {
public:
    virtual ~DrawingInterface() = default;

    // ---- properties ----------------------------------------------------
    // Record key of the picture (key ID of its view record).
    virtual int32_t EID() const = 0;
    virtual void EID(int32_t v) = 0;
    // Picture number (key IDOBJEKT of the view record); the log page uses 11.
    virtual int16_t EIDOBJEKT() const = 0;
    virtual void EIDOBJEKT(int16_t v) = 0;
    // The drawing target (screen engine: a Target; CAD engine: its document).
    // Not owned.
    virtual EngineObject* EOBJEKT() const = 0;
    virtual void EOBJEKT(EngineObject* target) = 0;
    // Clip at the picture borders: only the CAD engine has this property; the
    // screen engine raises 438 (object doesn't support the member).
    virtual bool EBOGRENZEN() const;
    virtual void EBOGRENZEN(bool v);
    // Scroll bars that pan the plot (not owned).
    virtual ScrollBar* EXBALKEN() const = 0;
    virtual void EXBALKEN(ScrollBar* bar) = 0;
    virtual ScrollBar* EYBALKEN() const = 0;
    virtual void EYBALKEN(ScrollBar* bar) = 0;
    // Picture area on the target, mm. Setting ELX/ELY resets that axis's value tables.
    virtual float EXDL() const = 0;
    virtual void EXDL(float v) = 0;
    virtual float EYDO() const = 0;
    virtual void EYDO(float v) = 0;
    virtual float ELX() const = 0;
    virtual void ELX(float v) = 0;
    virtual float ELY() const = 0;
    virtual void ELY(float v) = 0;
    // Axis lines: 0 none, 1/-1 the two edges, |n| >= 2 n mm outside.
    virtual int16_t EAXEX() const = 0;
    virtual void EAXEX(int16_t v) = 0;
    virtual int16_t EAXEY() const = 0;
    virtual void EAXEY(int16_t v) = 0;
    // Scale types: 0 linear, 1 decadic logarithmic.
    virtual int16_t ESKTX() const = 0;
    virtual void ESKTX(int16_t v) = 0;
    virtual int16_t ESKTY() const = 0;
    virtual void ESKTY(int16_t v) = 0;
    // Fit that end of the range to the data and store it in the view record.
    virtual bool EBOXMIN() const = 0;
    virtual void EBOXMIN(bool v) = 0;
    virtual bool EBOXMAX() const = 0;
    virtual void EBOXMAX(bool v) = 0;
    virtual bool EBOYMIN() const = 0;
    virtual void EBOYMIN(bool v) = 0;
    virtual bool EBOYMAX() const = 0;
    virtual void EBOYMAX(bool v) = 0;
    // Axis value tables (absent until assigned); setting ELXGIT/ELYGIT also
    // sets ELXZL/ELYZL.
    virtual std::optional<NumberList> ELXMIN() const = 0;
    virtual void ELXMIN(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELYMIN() const = 0;
    virtual void ELYMIN(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELXDIFF() const = 0;
    virtual void ELXDIFF(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELYDIFF() const = 0;
    virtual void ELYDIFF(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELXIT() const = 0;
    virtual void ELXIT(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELYIT() const = 0;
    virtual void ELYIT(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELXGIT() const = 0;
    virtual void ELXGIT(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELYGIT() const = 0;
    virtual void ELYGIT(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELXZL() const = 0;
    virtual void ELXZL(const NumberList& v) = 0;
    virtual std::optional<NumberList> ELYZL() const = 0;
    virtual void ELYZL(const NumberList& v) = 0;
    // Axis titles (with markup) and number formats of the scale labels.
    virtual QString ETEXTX() const = 0;
    virtual void ETEXTX(const QString& v) = 0;
    virtual QString ETEXTY() const = 0;
    virtual void ETEXTY(const QString& v) = 0;
    virtual QString ESKZX() const = 0;
    virtual void ESKZX(const QString& v) = 0;
    virtual QString ESKZY() const = 0;
    virtual void ESKZY(const QString& v) = 0;
    // Equal-scale mode 0, 1, 2 (held as a whole number, halves to even).
    virtual float EXYIT() const = 0;
    virtual void EXYIT(float v) = 0;
    // Style of point series drawn by POLYGON (0..8).
    virtual int16_t EPTYP() const = 0;
    virtual void EPTYP(int16_t v) = 0;

    // ---- operations ------------------------------------------------------
    // Pen: style code, width in mm (0: one pixel), colour (0: black).
    virtual void LINIENEINSTELLUNGEN(int16_t LINIENART = 0, float LINIENBREITE = 0, int32_t FARBE = 0) = 0;
    // Font: face ("" = Arial), size in points (< 1 = 8), bold, underlined,
    // italic, colour (<= 0 = black); rebuilds the markup fonts.
    virtual void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0,
                                      bool FETT = false, bool UNTERSTRICHEN = false, bool KURSIV = false,
                                      int32_t FARBE = 0) = 0;
    // Load the view record, fit and store the ranges, set scales, scroll bars
    // and shifts, draw the axes. NR: -1/1 fit to the data alone, 1/2 fit and
    // store only. An omitted list counts as the single value 0.
    virtual void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                        const std::optional<std::vector<float>>& Y = std::nullopt) = 0;
    // Marked-up text. KO 1: world anchor, clipped to the plot area; KO 2: mm
    // from the picture's corner, scrolled; else page mm. AL degrees
    // counter-clockwise; ARX/ARY 0 start/top, 1 middle, 2 end/bottom.
    virtual void TEXT(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
                      int16_t ARY = 0) = 0;
    // Whether TEXT with the same arguments would draw the text: the engine
    // answers with the very decision its TEXT takes (an empty text, one not
    // wholly inside its clipping box, or one whose anchor can't be worked out
    // is not drawn; an error is reported as TEXT reports it). A caller that
    // writes one text on several lines asks for each line first and draws
    // them all or none, so such a text is never cut to a fragment.
    virtual bool TEXTPASST(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
                           int16_t ARY = 0) = 0;
    // Point series in world units (X and Y are converted in place on
    // logarithmic axes); optional marks, label, arrow heads, colour, segment
    // switches (element i-1 == 1 draws segment i).
    virtual void POLYGON(SingleArray& X, SingleArray& Y, int16_t PSIT = 0, int16_t PSTYP = 0, int16_t PNR = 0,
                         const QString& TEXT = QString(), int16_t LAGETEXT = 0, int16_t LAGEPFEIL = 0,
                         bool FARBEN = false, const std::optional<NumberList>& BOL = std::nullopt) = 0;
    // Circle or arc (radians; AL2 0 means 2 pi and a variable passed for it
    // is set to 2 pi). KO omitted = 1 world, 0 page mm, 2 picture mm scrolled.
    virtual void KREIS(float XM, float YM, float R, float AL1 = 0, ByRef<float> AL2 = 0.0f, int16_t LAGEPFEIL = 0,
                       bool BOKREISP = false, std::optional<int16_t> KO = std::nullopt) = 0;
    // Arrow head at (XP2, YP2) pointing away from (XP1, YP1), page mm.
    virtual void PFEIL(float XP1, float YP1, float XP2, float YP2) = 0;
    // Terrain hatch from a world point: stroke unit H1, ANS repetitions,
    // slope BE in degrees; KO 2: H1 in page mm.
    virtual void GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO = 0) = 0;
    // Level triangle with its tip at a world point: height DH (world y),
    // direction RIWI (degrees), GW 1 groundwater bars, VOLL fill 0..3.
    virtual void KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL) = 0;
    // Two stacked load areas along a member; P[i][j], i 0..3, j 0..1.
    virtual void LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                              const std::vector<std::vector<float>>& P, int16_t IT) = 0;
    // A member and, with SY 1, its section-force arrow (TYP 1 across, 2/3 along).
    virtual void SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY) = 0;
    // World -> page mm (the same variables may be passed in and out).
    virtual void KOORDTRANS(float X, float Y, float& XP, float& YP) = 0;
    // Page mm -> world; SKTX/SKTY 1 return 10 to the power of that coordinate.
    virtual void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX = 0, int16_t SKTY = 0) = 0;
    // A segment in page mm clipped to the plot area (BOSK 1: to the picture
    // area); with FB the axis-parallel band spanned by the points, filled in FB.
    virtual void LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB = std::nullopt,
                       int16_t BOSK = 0) = 0;
    // A point marker in page mm (-1 filled circle, -2 filled triangle of size
    // GROESSE, 0..6 the point symbols): only the CAD engine has this member;
    // the screen engine raises 438.
    virtual void SYMBOLE(float XP, float YP, int16_t PSTYP, float GROESSE = 0);
};

} // namespace drawing
