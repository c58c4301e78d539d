#pragma once
// Page units: twips, millimetres, points, inches and device pixels.
// 56.7 twips make one millimetre, 1440 twips one inch, 20 twips one point.

namespace vb {

constexpr double kTwipsPerMm = 56.7;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
constexpr double kMmPerInch = 25.4;

constexpr double twipsToMm(double twips) { return twips / kTwipsPerMm; }
constexpr double mmToTwips(double mm) { return mm * kTwipsPerMm; }
constexpr double twipsToInch(double twips) { return twips / kTwipsPerInch; }
constexpr double inchToTwips(double inch) { return inch * kTwipsPerInch; }
constexpr double pointsToTwips(double pt) { return pt * kTwipsPerPoint; }
constexpr double twipsToPoints(double twips) { return twips / kTwipsPerPoint; }
constexpr double pointsToMm(double pt) { return pt * kMmPerInch / 72.0; }
constexpr double mmToPoints(double mm) { return mm * 72.0 / kMmPerInch; }

// Pixels at a device resolution (dots per inch).
constexpr double twipsToPixels(double twips, double dpi) { return twips * dpi / kTwipsPerInch; }
constexpr double pixelsToTwips(double px, double dpi) { return px * kTwipsPerInch / dpi; }
constexpr double mmToPixels(double mm, double dpi) { return mm * dpi / kMmPerInch; }
constexpr double pixelsToMm(double px, double dpi) { return px * kMmPerInch / dpi; }

// Twips per pixel (VB's Screen.TwipsPerPixelX) at a resolution: 15 at 96 dpi.
constexpr double twipsPerPixel(double dpi) { return kTwipsPerInch / dpi; }

} // namespace vb
