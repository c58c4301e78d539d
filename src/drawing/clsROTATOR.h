#pragma once
// clsROTATOR: prints one run of text turned by an angle, through the target's
// device context with a font record made from the target's current font.

#include "drawing/Target.h"

#include <cstdint>

class clsROTATOR {
public:
    // Bind the target and measure it (pixels per scale unit, scale origin).
    void Device(drawing::Target* objDevice);
    drawing::Target* Device() const { return m_device; }
    void Angle(int16_t nAngle) { m_angle = nAngle; }
    int16_t Angle() const { return m_angle; }
    // Draw sText at the target's current point, turned by Angle.
    void Label(const QString& sText);

    // The font record the last Label used.
    const drawing::LogFont& logFont() const { return m_lf; }
    // Scale units -> whole device pixels (halves to even).
    int PixelX(float x) const;
    int PixelY(float y) const;

private:
    drawing::Target* m_device = nullptr;
    drawing::LogFont m_lf;
    int16_t m_angle = 0;
    float m_scaleLeft = 0, m_scaleTop = 0;
    float m_pxPerUnitX = 1, m_pxPerUnitY = 1;
};
