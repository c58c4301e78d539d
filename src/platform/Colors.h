#pragma once
// Colour numbers as VB holds them: a long 0x00BBGGRR (red in the low byte),
// the 16 basic colour numbers of QBColor, and system colours (top bit set,
// low byte = the system colour index).

#include <QColor>
#include <cstdint>

namespace vb {

// RGB(r, g, b) -> 0x00BBGGRR (each part clamped to 0..255).
int32_t RGB(int r, int g, int b);
// QBColor(n), n = 0..15 (0 black ... 15 white); raises 5 outside.
int32_t QBColor(int n);

// Colour long -> QColor. System colours (0x80000000 | index) map to the
// application palette's nearest role; other values use their low 24 bits.
QColor toQColor(int32_t vbColor);
// QColor -> colour long (alpha dropped).
int32_t fromQColor(const QColor& c);

// System colour indexes (low byte of 0x800000nn).
enum SystemColor : int32_t {
    vbScrollBars = int32_t(0x80000000u),
    vbDesktop = int32_t(0x80000001u),
    vbActiveTitleBar = int32_t(0x80000002u),
    vbInactiveTitleBar = int32_t(0x80000003u),
    vbMenuBar = int32_t(0x80000004u),
    vbWindowBackground = int32_t(0x80000005u),
    vbWindowFrame = int32_t(0x80000006u),
    vbMenuText = int32_t(0x80000007u),
    vbWindowText = int32_t(0x80000008u),
    vbTitleBarText = int32_t(0x80000009u),
    vbActiveBorder = int32_t(0x8000000Au),
    vbInactiveBorder = int32_t(0x8000000Bu),
    vbApplicationWorkspace = int32_t(0x8000000Cu),
    vbHighlight = int32_t(0x8000000Du),
    vbHighlightText = int32_t(0x8000000Eu),
    vbButtonFace = int32_t(0x8000000Fu),
    vbButtonShadow = int32_t(0x80000010u),
    vbGrayText = int32_t(0x80000011u),
    vbButtonText = int32_t(0x80000012u),
    vbInactiveCaptionText = int32_t(0x80000013u),
    vb3DHighlight = int32_t(0x80000014u),
    vb3DDKShadow = int32_t(0x80000015u),
    vb3DLight = int32_t(0x80000016u),
    vbInfoText = int32_t(0x80000017u),
    vbInfoBackground = int32_t(0x80000018u),
};

// Named colour constants.
constexpr int32_t vbBlack = 0x000000;
constexpr int32_t vbRed = 0x0000FF;
constexpr int32_t vbGreen = 0x00FF00;
constexpr int32_t vbYellow = 0x00FFFF;
constexpr int32_t vbBlue = 0xFF0000;
constexpr int32_t vbMagenta = 0xFF00FF;
constexpr int32_t vbCyan = 0xFFFF00;
constexpr int32_t vbWhite = 0xFFFFFF;

} // namespace vb
