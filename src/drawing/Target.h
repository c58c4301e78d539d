#pragma once
// Drawing targets: what the engines draw on.
//
// A target behaves like the picture box or the printer object of the VB
// runtime the program grew up with: a scale in user units (the program uses
// millimetres), an outer size in twips, one fore colour shared by lines and
// text, a pen (draw style, draw width in device pixels, draw mode), a fill
// (style and colour) used by circles, a font object held by reference, a
// current point, text measurement and the primitives line, box, point,
// circle/arc, text at the current point and rotated text at a device pixel.
//
// Three targets exist:
//   PictureTarget   - a QImage backing store (the page window shows it)
//   PrinterTarget   - a QPrinter, A4 portrait; a PDF file where no printer exists
//   RecordingTarget - a picture that also logs every primitive as a text line
//
// Coordinates passed to the primitives are in the target's current scale
// units; colours are VB colour longs (0x00BBGGRR).

#include "platform/Units.h"

#include <QByteArray>
#include <QImage>
#include <QPen>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QFontMetricsF;
class QPainter;
class QPaintDevice;
class QPrinter;
class QScrollBar;

namespace drawing {

// Anything an engine's EOBJEKT may be set to (a target, a CAD document, ...).
class EngineObject {
public:
    virtual ~EngineObject() = default;
};

// A font object. Targets hold it by reference, as the VB runtime does: two
// holders of one FontRef see each other's changes.
struct StdFont {
    QString Name = QStringLiteral("Arial");
    float Size = 8.0f;            // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Weight = 400;             // follows Bold (700) when Bold is set
    bool operator==(const StdFont&) const = default;
};
using FontRef = std::shared_ptr<StdFont>;
FontRef newFont(const StdFont& f = StdFont());

// The font record of rotated text output (the layout a GDI font record has).
struct LogFont {
    int32_t lfHeight = 0;         // > 0: cell height in device pixels
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;     // tenths of a degree, counter-clockwise
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    QByteArray lfFaceName;        // single-byte code page, ends with a zero byte, at most 32 bytes
};

// Scale modes.
enum ScaleModeCode : int {
    vbUser = 0, vbTwips = 1, vbPoints = 2, vbPixels = 3, vbCharacters = 4,
    vbInches = 5, vbMillimeters = 6, vbCentimeters = 7,
};
// Fill styles (the two the program uses).
enum FillStyleCode : int { vbFSSolid = 0, vbFSTransparent = 1 };
// Draw styles.
enum DrawStyleCode : int {
    vbSolid = 0, vbDash = 1, vbDot = 2, vbDashDot = 3, vbDashDotDot = 4, vbInvisible = 5, vbInsideSolid = 6,
};

// Twips per millimetre of the page unit.
using vb::kTwipsPerMm;

class Target : public EngineObject {
public:
    enum class Kind { Picture, Printer };

    ~Target() override;
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    Kind kind() const { return m_kind; }
    bool isPrinter() const { return m_kind == Kind::Printer; }

    // ---- scale -------------------------------------------------------
    int ScaleMode() const { return m_scaleMode; }
    void ScaleMode(int mode);                    // 1..7; 0 keeps the user scale (raises 380 otherwise)
    float ScaleLeft() const { return m_scaleLeft; }
    void ScaleLeft(float v);                     // each of these four switches to the user scale
    float ScaleTop() const { return m_scaleTop; }
    void ScaleTop(float v);
    float ScaleWidth() const { return m_scaleWidth; }
    void ScaleWidth(float v);                    // 0 raises 380
    float ScaleHeight() const { return m_scaleHeight; }
    void ScaleHeight(float v);
    // User scale: (x1, y1) is the top left corner, (x2, y2) the bottom right.
    void Scale(float x1, float y1, float x2, float y2);
    // Convert a width (ScaleX) or height (ScaleY) between scale modes
    // (vbUser means the current user scale).
    double ScaleX(double v, int fromMode, int toMode) const;
    double ScaleY(double v, int fromMode, int toMode) const;

    // ---- size ------------------------------------------------------
    // Outer size in twips.
    float Width() const { return m_widthTwips; }
    float Height() const { return m_heightTwips; }
    // Drawing surface in device pixels and the device resolution.
    int pixelWidth() const { return m_pxW; }
    int pixelHeight() const { return m_pxH; }
    double dpiX() const { return m_dpiX; }
    double dpiY() const { return m_dpiY; }
    // What the device context reports as logical pixels per inch (vertical).
    int logPixelsY() const;

    // ---- pen, fill, colours -------------------------------------------
    int32_t ForeColor() const { return m_foreColor; }
    void ForeColor(int32_t c) { m_foreColor = c; }
    int32_t BackColor() const { return m_backColor; }
    void BackColor(int32_t c) { m_backColor = c; }
    int DrawStyle() const { return m_drawStyle; }
    void DrawStyle(int s);                       // 0..6, else 380
    int DrawWidth() const { return m_drawWidth; }
    void DrawWidth(int px);                      // whole pixels, 1..32767, else 380
    int DrawMode() const { return m_drawMode; }
    void DrawMode(int m);                        // 1..16, else 380 (13 copies the pen)
    int FillStyle() const { return m_fillStyle; }
    void FillStyle(int s);                       // 0..7, else 380; 0 solid, 1 transparent
    int32_t FillColor() const { return m_fillColor; }
    void FillColor(int32_t c) { m_fillColor = c; }
    bool FontTransparent() const { return m_fontTransparent; }
    void FontTransparent(bool b) { m_fontTransparent = b; }

    // ---- font ---------------------------------------------------------
    FontRef Font() const { return m_font; }
    void Font(FontRef f);                        // a null reference raises 91
    QString FontName() const { return m_font->Name; }
    void FontName(const QString& n) { m_font->Name = n; }
    float FontSize() const { return m_font->Size; }
    void FontSize(float pt);                     // 1..2160, else 380
    bool FontBold() const { return m_font->Bold; }
    void FontBold(bool b);
    bool FontItalic() const { return m_font->Italic; }
    void FontItalic(bool b) { m_font->Italic = b; }
    bool FontUnderline() const { return m_font->Underline; }
    void FontUnderline(bool b) { m_font->Underline = b; }
    bool FontStrikethru() const { return m_font->Strikethrough; }
    void FontStrikethru(bool b) { m_font->Strikethrough = b; }

    // ---- current point --------------------------------------------------
    float CurrentX() const { return m_curX; }
    void CurrentX(float x) { m_curX = x; }
    float CurrentY() const { return m_curY; }
    void CurrentY(float y) { m_curY = y; }

    // ---- measuring (scale units, current font) -------------------------
    float TextWidth(const QString& s) const;
    float TextHeight(const QString& s) const;

    // ---- output (scale units) -----------------------------------------
    // Clear to the back colour; the current point goes to the scale origin.
    void Cls();
    // A line in `color` (default the fore colour) with the pen. The current
    // point moves to the second point.
    void Line(float x1, float y1, float x2, float y2, std::optional<int32_t> color = std::nullopt);
    // An axis-parallel rectangle, outlined with the pen or (filled) filled
    // with its colour, outline included.
    void Box(float x1, float y1, float x2, float y2, std::optional<int32_t> color, bool filled);
    // A single point (one pen-wide dot).
    void PSet(float x, float y, std::optional<int32_t> color = std::nullopt);
    // A circle (radius in horizontal scale units), filled by the fill style
    // and fill colour; with start and end an arc from start to end (radians,
    // counter-clockwise as seen, 0 pointing right), never filled.
    void Circle(float x, float y, float r, std::optional<int32_t> color = std::nullopt,
                std::optional<float> start = std::nullopt, std::optional<float> end = std::nullopt);
    // Print text at the current point without a line break: its top left lies
    // at the current point; CurrentX moves past it.
    void Print(const QString& text);
    // Device context: text in the font record's face, height, weight and
    // angle, with the top left of the (rotated) cell at the device pixel.
    void TextOut(int px, int py, const QString& text, const LogFont& lf);

    // ---- conversions ----------------------------------------------------
    // Scale units <-> device pixels (fractional).
    double toPixelX(double x) const;
    double toPixelY(double y) const;
    // Device pixels per scale unit.
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;

    // Every primitive can also be written as a text line to a log (the
    // recording target uses it). Empty function: no log.
    void setLog(std::function<void(const QString&)> sink) { m_log = std::move(sink); }

protected:
    Target(Kind kind, int pxW, int pxH, double dpiX, double dpiY, float widthTwips, float heightTwips);
    // The painter of the surface, begun on first use; null when there is none.
    virtual QPainter* painter() = 0;
    // A paint device with the target's resolution, for font metrics.
    virtual QPaintDevice* metricsDevice() const = 0;
    void resetGeometry(int pxW, int pxH, float widthTwips, float heightTwips);
    void setKind(Kind k) { m_kind = k; }

private:
    double unitsPerPixel(int mode, bool horizontal) const;
    void log(const QString& line) const;
    QString fmt(double v) const;

    Kind m_kind;
    int m_pxW, m_pxH;
    double m_dpiX, m_dpiY;
    float m_widthTwips, m_heightTwips;

    int m_scaleMode = vbTwips;
    float m_scaleLeft = 0, m_scaleTop = 0, m_scaleWidth = 0, m_scaleHeight = 0;

    int32_t m_foreColor = 0;
    int32_t m_backColor = 0xFFFFFF;
    int m_drawStyle = 0, m_drawWidth = 1, m_drawMode = 13;
    int m_fillStyle = vbFSTransparent;
    int32_t m_fillColor = 0;
    bool m_fontTransparent = true;
    FontRef m_font;
    float m_curX = 0, m_curY = 0;

    std::function<void(const QString&)> m_log;

    // Metrics of the current font on the metrics device, kept while font and
    // device resolution stay (a page measures thousands of texts).
    struct Masse;
    const Masse& masse() const;
    mutable std::shared_ptr<Masse> m_masse;
    // The pen of the last stroke, kept: a run of strokes in one style hands
    // the painter the very same pen, which it recognises without comparing.
    struct StiftArt {
        int32_t color;
        int width;
        Qt::PenStyle style;
        Qt::PenCapStyle cap;
        Qt::PenJoinStyle join;
        bool operator==(const StiftArt&) const = default;
    };
    struct Stift {
        StiftArt art;
        QPen pen;
    };
    mutable std::optional<Stift> m_stift;
    const QPen& stift(int32_t color, Qt::PenStyle style, Qt::PenCapStyle cap, Qt::PenJoinStyle join) const;
};

// A picture box with a QImage backing store (AutoRedraw), no border: the
// outer size is the drawing surface.
class PictureTarget : public Target {
public:
    // Outer size in twips; dpi is the screen's logical resolution.
    PictureTarget(float widthTwips, float heightTwips, double dpi = 96.0);
    ~PictureTarget() override;

    const QImage& image() const;
    // Change the size (the content is cleared; scale mode resets as on a new box).
    void resize(float widthTwips, float heightTwips);
    bool save(const QString& path) const;

    // Called after each primitive (the page window repaints).
    void setChangedCallback(std::function<void()> cb) { m_changed = std::move(cb); }

protected:
    QPainter* painter() override;
    QPaintDevice* metricsDevice() const override;

private:
    void endPainting();
    mutable QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::function<void()> m_changed;
};

// The printer: A4 portrait, user scale starting in twips, origin at the
// sheet's top left. Drawing begins the page; EndDoc sends it as one job.
class PrinterTarget : public Target {
public:
    // A PDF file of one or more A4 pages, at the given resolution.
    explicit PrinterTarget(const QString& pdfPath, int dpi = 600);
    // A real printer (not owned; its paper and orientation are set to A4 portrait).
    explicit PrinterTarget(QPrinter* printer);
    // The system's default printer, or a PDF file at pdfFallback when none exists.
    static std::unique_ptr<PrinterTarget> defaultPrinter(const QString& pdfFallback);
    ~PrinterTarget() override;

    // Paper size (9 = A4) and orientation (1 = portrait); others raise 380.
    int PaperSize() const { return 9; }
    void PaperSize(int code);
    int Orientation() const { return 1; }
    void Orientation(int code);
    void NewPage();
    void EndDoc();      // finish the job (page or PDF written)
    void KillDoc();     // abort the job
    bool isPdf() const { return m_pdf; }
    QString outputFile() const;

protected:
    QPainter* painter() override;
    QPaintDevice* metricsDevice() const override;

private:
    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPainter> m_painter;
    bool m_pdf = false;
    mutable QImage m_metrics;
};

// A picture that logs every primitive as one text line, for tests:
//   LINE x1 y1 x2 y2 c=<colour> w=<width> s=<style>
//   BOX x1 y1 x2 y2 c=<colour> filled|open w=<width>
//   PSET x y c=<colour>
//   CIRCLE x y r c=<colour> fill=<style>/<colour>         (full circle)
//   ARC x y r a1 a2 c=<colour>                            (start/end in radians)
//   PRINT x y "<text>" font=<name>/<size>[/b][/i][/u][/s]
//   TEXTOUT px py "<text>" h=<lfHeight> esc=<lfEscapement> face=<name>
// Numbers in scale units with 3 decimals, colours as 0xBBGGRR hex.
class RecordingTarget : public PictureTarget {
public:
    RecordingTarget(float widthTwips = 13608.0f, float heightTwips = 7484.4f, double dpi = 96.0,
                    Kind kind = Kind::Picture);

    const QStringList& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }
    // Lines that start with the given word ("LINE", "PRINT", ...).
    QStringList linesOf(const QString& word) const;

private:
    QStringList m_lines;
};

// ---- scroll bars --------------------------------------------------------

// What the engine uses of a scroll bar: position and size in the units of
// the target it sits on, range, steps, value and visibility. "Visible" is the
// value that was set, whether or not the window is shown.
class ScrollBar {
public:
    virtual ~ScrollBar() = default;
    virtual void Left(float v) = 0;
    virtual void Top(float v) = 0;
    virtual void Width(float v) = 0;
    virtual void Height(float v) = 0;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual int Min() const = 0;
    virtual void Min(int v) = 0;
    virtual int Max() const = 0;
    virtual void Max(int v) = 0;
    virtual int LargeChange() const = 0;
    virtual void LargeChange(int v) = 0;         // 1..32767, else 380
    virtual int SmallChange() const = 0;
    virtual void SmallChange(int v) = 0;         // 1..32767, else 380
    virtual int Value() const = 0;
    virtual void Value(int v) = 0;               // outside Min..Max raises 380
    virtual bool Visible() const = 0;
    virtual void Visible(bool v) = 0;
};

// A scroll bar that only holds its values (tests, the CAD pass).
class ScrollBarState : public ScrollBar {
public:
    void Left(float v) override { m_left = v; }
    void Top(float v) override { m_top = v; }
    void Width(float v) override { m_width = v; }
    void Height(float v) override { m_height = v; }
    float Left() const override { return m_left; }
    float Top() const override { return m_top; }
    float Width() const override { return m_width; }
    float Height() const override { return m_height; }
    int Min() const override { return m_min; }
    void Min(int v) override { m_min = v; }
    int Max() const override { return m_max; }
    void Max(int v) override { m_max = v; }
    int LargeChange() const override { return m_large; }
    void LargeChange(int v) override;
    int SmallChange() const override { return m_small; }
    void SmallChange(int v) override;
    int Value() const override { return m_value; }
    void Value(int v) override;
    bool Visible() const override { return m_visible; }
    void Visible(bool v) override { m_visible = v; }

private:
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    int m_min = 0, m_max = 32767, m_large = 1, m_small = 1, m_value = 0;
    bool m_visible = true;
};

// A scroll bar backed by a QScrollBar. Positions and sizes given in target
// units become widget pixels by `pixelsPerUnit` from `origin` (the widget
// pixel of target position 0,0 in the bar's parent). Values and steps map to
// value, pageStep and singleStep; Visible to setVisible / !isHidden().
class QtScrollBar : public ScrollBarState {
public:
    QtScrollBar(QScrollBar* bar, double pixelsPerUnitX, double pixelsPerUnitY, int originX = 0, int originY = 0);
    void Left(float v) override;
    void Top(float v) override;
    void Width(float v) override;
    void Height(float v) override;
    using ScrollBarState::Left;
    using ScrollBarState::Top;
    using ScrollBarState::Width;
    using ScrollBarState::Height;
    void Min(int v) override;
    void Max(int v) override;
    using ScrollBarState::Min;
    using ScrollBarState::Max;
    void LargeChange(int v) override;
    void SmallChange(int v) override;
    using ScrollBarState::LargeChange;
    using ScrollBarState::SmallChange;
    int Value() const override;
    void Value(int v) override;
    bool Visible() const override;
    void Visible(bool v) override;
    QScrollBar* bar() const { return m_bar; }

private:
    void place();
    QScrollBar* m_bar;
    double m_ppuX, m_ppuY;
    int m_ox, m_oy;
};

} // namespace drawing
