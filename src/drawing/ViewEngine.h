#pragma once
// ViewEngine: what the screen/printer engine and the CAD engine share beyond
// the plain properties: the view state of the picture (its view record in G0
// as SKALEN loaded it, the scales and the scroll shift), the transforms
// between world and page coordinates, the arrow head, and SKALEN itself with
// its axis fitting and axis drawing.
//
// An engine derives from it and supplies LINIE and TEXT (through which the
// arrow heads and the axes are drawn) and the scroll step of SKALEN: how the
// page window's scroll bars shift the picture on its target.

#include "drawing/EngineProperties.h"
#include "drawing/LineClip.h"
#include "drawing/Numeric.h"
#include "drawing/figures/Figures.h"

#include <QString>
#include <optional>
#include <vector>

namespace drawing {

class ViewEngine : public EngineProperties, public FigureHost {
public:
    void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                const std::optional<std::vector<float>>& Y = std::nullopt) override;
    void PFEIL(float XP1, float YP1, float XP2, float YP2) override;
    void KOORDTRANS(float X, float Y, float& XP, float& YP) override;
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX = 0, int16_t SKTY = 0) override;

    // Axis counts computed by SKALEN.
    int tickCountX() const { return m_ticksX; }
    int tickCountY() const { return m_ticksY; }
    int gridCountX() const { return m_gridX; }
    int gridCountY() const { return m_gridY; }
    int labelCountX() const { return m_labelsX; }
    int labelCountY() const { return m_labelsY; }
    // Set the view state directly (as SKALEN would leave it); for callers
    // that draw without a view record, and for tests.
    void setView(const ViewState& v);

    // ---- FigureHost (the rest is the engine's) -------------------------------
    DrawingInterface& engine() override { return *this; }
    ViewState view() const override;

protected:
    // The frame LINIE cuts at: the plot area inside the margins, or with
    // BOSK 1 the whole picture.
    ClipFrame lineFrame(int16_t BOSK) const;
    // A text's anchor in page mm: KO 1 world (decades on a logarithmic
    // axis), KO 2 mm from the picture's corner with the scroll shift, else
    // page mm as given.
    void textAnchor(float& X, float& Y, int16_t KO);
    // The box a text's anchor is kept inside: the plot area for world
    // anchors, else the picture, each widened by 1 mm.
    ClipFrame textBounds(int16_t KO) const;
    // After the scales are set and before the shifts are worked out: an
    // engine may let go of its scroll bars here.
    virtual void beforeScroll() {}
    // Work out the scroll shift of one axis (m_SX or m_SY) from its scroll
    // bar, laying the bar out where the target needs it.
    virtual void scrollAxis(bool horizontal) = 0;
    // The shift of an axis whose bar runs over the whole free room: the
    // bar's position, rounded to 3 decimals, times the room left in the plot.
    float barShift(const ScrollBar& bar, bool horizontal) const;

    // View state.
    int16_t m_OX = 0, m_OY = 0;
    float m_RL = 0, m_RR = 0, m_RO = 0, m_RU = 0;
    float m_XMIN = 0, m_XMAX = 0, m_YMIN = 0, m_YMAX = 0;
    float m_MX = 0, m_MY = 0, m_MYMX = 0;
    float m_SX = 0, m_SY = 0;
    int m_ticksX = 0, m_ticksY = 0, m_gridX = 0, m_gridY = 0, m_labelsX = 0, m_labelsY = 0;

private:
    // One axis with its ticks, grid lines, numbers and title.
    void drawAxis(bool horizontal, const AxisFit& fit);
    QString logLabel(float position, const QString& format) const;
};

} // namespace drawing
