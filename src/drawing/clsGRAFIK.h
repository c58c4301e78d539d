#pragma once
// clsGRAFIK: the screen and printer drawing engine. One engine draws one
// picture of world-coordinate data into a rectangle of a drawing target (a
// PictureTarget, PrinterTarget or RecordingTarget), keeping the picture's
// view record (table G0 of the working copy) between runs.
//
// A new engine binds to the working-copy connection of the shared state and
// takes the ID of the first active record. Typical use:
//   clsGRAFIK g;  g.EID(id);  g.EOBJEKT(&picture);  ...axis properties...
//   g.LINIENEINSTELLUNGEN();  g.SCHRIFTEINSTELLUNGEN();  g.SKALEN(-1, xs, ys);
//   g.LINIE(...); g.TEXT(...); g.KREIS(...);

#include "drawing/DrawingInterface.h"
#include "drawing/Numeric.h"
#include "drawing/figures/Figures.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class clsGRAFIK : public drawing::DrawingInterface, public drawing::FigureHost {
public:
    // Bind to the working copy of the shared state (cnnX). Without an open
    // working copy the construction raises 91.
    clsGRAFIK();
    ~clsGRAFIK() override;
    clsGRAFIK(const clsGRAFIK&) = delete;
    clsGRAFIK& operator=(const clsGRAFIK&) = delete;

    // ---- properties ------------------------------------------------------
    int32_t EID() const override { return m_EID; }
    void EID(int32_t v) override { m_EID = v; }
    int16_t EIDOBJEKT() const override { return m_EIDOBJEKT; }
    void EIDOBJEKT(int16_t v) override { m_EIDOBJEKT = v; }
    drawing::EngineObject* EOBJEKT() const override { return m_object; }
    void EOBJEKT(drawing::EngineObject* target) override;
    drawing::ScrollBar* EXBALKEN() const override { return m_xBar; }
    void EXBALKEN(drawing::ScrollBar* bar) override { m_xBar = bar; }
    drawing::ScrollBar* EYBALKEN() const override { return m_yBar; }
    void EYBALKEN(drawing::ScrollBar* bar) override { m_yBar = bar; }
    float EXDL() const override { return m_EXDL; }
    void EXDL(float v) override { m_EXDL = v; }
    float EYDO() const override { return m_EYDO; }
    void EYDO(float v) override { m_EYDO = v; }
    float ELX() const override { return m_ELX; }
    void ELX(float v) override;
    float ELY() const override { return m_ELY; }
    void ELY(float v) override;
    int16_t EAXEX() const override { return m_EAXEX; }
    void EAXEX(int16_t v) override { m_EAXEX = v; }
    int16_t EAXEY() const override { return m_EAXEY; }
    void EAXEY(int16_t v) override { m_EAXEY = v; }
    int16_t ESKTX() const override { return m_ESKTX; }
    void ESKTX(int16_t v) override { m_ESKTX = v; }
    int16_t ESKTY() const override { return m_ESKTY; }
    void ESKTY(int16_t v) override { m_ESKTY = v; }
    bool EBOXMIN() const override { return m_EBOXMIN; }
    void EBOXMIN(bool v) override { m_EBOXMIN = v; }
    bool EBOXMAX() const override { return m_EBOXMAX; }
    void EBOXMAX(bool v) override { m_EBOXMAX = v; }
    bool EBOYMIN() const override { return m_EBOYMIN; }
    void EBOYMIN(bool v) override { m_EBOYMIN = v; }
    bool EBOYMAX() const override { return m_EBOYMAX; }
    void EBOYMAX(bool v) override { m_EBOYMAX = v; }
    std::optional<drawing::NumberList> ELXMIN() const override { return m_x.MIN; }
    void ELXMIN(const drawing::NumberList& v) override { m_x.MIN = v; }
    std::optional<drawing::NumberList> ELYMIN() const override { return m_y.MIN; }
    void ELYMIN(const drawing::NumberList& v) override { m_y.MIN = v; }
    std::optional<drawing::NumberList> ELXDIFF() const override { return m_x.DIFF; }
    void ELXDIFF(const drawing::NumberList& v) override { m_x.DIFF = v; }
    std::optional<drawing::NumberList> ELYDIFF() const override { return m_y.DIFF; }
    void ELYDIFF(const drawing::NumberList& v) override { m_y.DIFF = v; }
    std::optional<drawing::NumberList> ELXIT() const override { return m_x.IT; }
    void ELXIT(const drawing::NumberList& v) override { m_x.IT = v; }
    std::optional<drawing::NumberList> ELYIT() const override { return m_y.IT; }
    void ELYIT(const drawing::NumberList& v) override { m_y.IT = v; }
    std::optional<drawing::NumberList> ELXGIT() const override { return m_x.GIT; }
    void ELXGIT(const drawing::NumberList& v) override { m_x.GIT = v; m_x.ZL = v; }
    std::optional<drawing::NumberList> ELYGIT() const override { return m_y.GIT; }
    void ELYGIT(const drawing::NumberList& v) override { m_y.GIT = v; m_y.ZL = v; }
    std::optional<drawing::NumberList> ELXZL() const override { return m_x.ZL; }
    void ELXZL(const drawing::NumberList& v) override { m_x.ZL = v; }
    std::optional<drawing::NumberList> ELYZL() const override { return m_y.ZL; }
    void ELYZL(const drawing::NumberList& v) override { m_y.ZL = v; }
    QString ETEXTX() const override { return m_ETEXTX; }
    void ETEXTX(const QString& v) override { m_ETEXTX = v; }
    QString ETEXTY() const override { return m_ETEXTY; }
    void ETEXTY(const QString& v) override { m_ETEXTY = v; }
    QString ESKZX() const override { return m_ESKZX; }
    void ESKZX(const QString& v) override { m_ESKZX = v; }
    QString ESKZY() const override { return m_ESKZY; }
    void ESKZY(const QString& v) override { m_ESKZY = v; }
    float EXYIT() const override { return float(m_EXYIT); }
    void EXYIT(float v) override;
    int16_t EPTYP() const override { return m_EPTYP; }
    void EPTYP(int16_t v) override { m_EPTYP = v; }

    // ---- operations --------------------------------------------------------
    void LINIENEINSTELLUNGEN(int16_t LINIENART = 0, float LINIENBREITE = 0, int32_t FARBE = 0) override;
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0) override;
    void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                const std::optional<std::vector<float>>& Y = std::nullopt) override;
    void TEXT(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override;
    void POLYGON(drawing::SingleArray& X, drawing::SingleArray& Y, int16_t PSIT = 0, int16_t PSTYP = 0,
                 int16_t PNR = 0, const QString& TEXT = QString(), int16_t LAGETEXT = 0, int16_t LAGEPFEIL = 0,
                 bool FARBEN = false, const std::optional<drawing::NumberList>& BOL = std::nullopt) override;
    void KREIS(float XM, float YM, float R, float AL1 = 0, drawing::ByRef<float> AL2 = 0.0f, int16_t LAGEPFEIL = 0,
               bool BOKREISP = false, std::optional<int16_t> KO = std::nullopt) override;
    void PFEIL(float XP1, float YP1, float XP2, float YP2) override;
    void GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO = 0) override;
    void KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL) override;
    void LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                      const std::vector<std::vector<float>>& P, int16_t IT) override;
    void SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY) override;
    void KOORDTRANS(float X, float Y, float& XP, float& YP) override;
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX = 0, int16_t SKTY = 0) override;
    void LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB = std::nullopt,
               int16_t BOSK = 0) override;

    // ---- engine internals (used by the engine's own operations; public for
    //      the figures and for tests) ----------------------------------------
    // Point symbol 0..6 centred on a page point; nothing is cut.
    void PUNKTSYMBOL(float XP, float YP, int16_t NR);
    // One run of text at (x, y) in scale units, turned by `angle` degrees.
    void DREHTEXT(const QString& piece, int16_t angle, float x, float y, uint8_t size, const QString& face);

    // The bound target (null when EOBJEKT is not a target).
    drawing::Target* target() const { return m_target; }
    // Font slots: 0 the target's font as TEXT last saw it, 1..5 the markup fonts.
    drawing::FontRef fontSlot(int i) const { return m_slots.at(size_t(i)); }
    // Pixel densities measured when EOBJEKT was set (pixels per scale unit).
    float pixelDensityX() const { return m_pxX; }
    float pixelDensityY() const { return m_pxY; }
    // Axis counts computed by SKALEN.
    int tickCountX() const { return m_ticksX; }
    int tickCountY() const { return m_ticksY; }
    int gridCountX() const { return m_gridX; }
    int gridCountY() const { return m_gridY; }
    int labelCountX() const { return m_labelsX; }
    int labelCountY() const { return m_labelsY; }
    // Set the view state directly (as SKALEN would leave it); for callers
    // that draw without a view record, and for tests.
    void setView(const drawing::ViewState& v);

    // ---- FigureHost ----------------------------------------------------------
    drawing::DrawingInterface& engine() override { return *this; }
    drawing::ViewState view() const override;
    int32_t foreColor() const override;
    void setForeColor(int32_t c) override;
    void setFill(bool solid, int32_t color) override;
    void circle(float xc, float yc, float r) override;
    void arc(float xc, float yc, float r, float from, float to) override;
    void dot(float xp, float yp) override;
    void pointSymbol(float xp, float yp, int16_t nr) override { PUNKTSYMBOL(xp, yp, nr); }

private:
    struct AxisTables {
        std::optional<drawing::NumberList> MIN, DIFF, IT, GIT, ZL;
    };
    drawing::Target& tgt() const;  // raises 91 without a target
    void drawTextPieces(const QString& text, float XA, float YA, float a, int16_t AL);
    void drawAxisX(const drawing::AxisFit& fit);
    void drawAxisY(const drawing::AxisFit& fit);
    QString logLabel(float position, const QString& format) const;
    void scrollAxis(bool horizontal);

    int32_t m_EID = 0;
    int16_t m_EIDOBJEKT = 11;
    drawing::EngineObject* m_object = nullptr;
    drawing::Target* m_target = nullptr;
    drawing::ScrollBar* m_xBar = nullptr;
    drawing::ScrollBar* m_yBar = nullptr;
    float m_EXDL = 0, m_EYDO = 0, m_ELX = 0, m_ELY = 0;
    int16_t m_EAXEX = 1, m_EAXEY = 1, m_ESKTX = 0, m_ESKTY = 0;
    bool m_EBOXMIN = false, m_EBOXMAX = false, m_EBOYMIN = false, m_EBOYMAX = false;
    AxisTables m_x, m_y;
    QString m_ETEXTX, m_ETEXTY;
    QString m_ESKZX = QStringLiteral("####0"), m_ESKZY = QStringLiteral("####0");
    int16_t m_EXYIT = 0;
    int16_t m_EPTYP = 0;

    // View state.
    int16_t m_OX = 0, m_OY = 0;
    float m_RL = 0, m_RR = 0, m_RO = 0, m_RU = 0;
    float m_XMIN = 0, m_XMAX = 0, m_YMIN = 0, m_YMAX = 0;
    float m_MX = 0, m_MY = 0, m_MYMX = 0;
    float m_SX = 0, m_SY = 0;
    float m_pxX = 0, m_pxY = 0;
    std::array<drawing::FontRef, 6> m_slots;
    int m_ticksX = 0, m_ticksY = 0, m_gridX = 0, m_gridY = 0, m_labelsX = 0, m_labelsY = 0;
};
