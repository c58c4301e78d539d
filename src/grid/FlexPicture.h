#pragma once
// FlexPicture — a picture box for captions: a widget that paints a kept
// pixmap, so what was drawn survives repainting until the next Cls().
//
// Coordinates and sizes are twips (origin at the top left, ScaleLeft and
// ScaleTop 0); the widget converts with its logical resolution. Its own font
// (QWidget::font) is the one captions are measured in.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace grid {

class FlexPicture : public QWidget {
    Q_OBJECT
public:
    explicit FlexPicture(QWidget* parent = nullptr);

    // Place and size in the parent, twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(double left, double top);
    void Resize(double width, double height);
    double ScaleLeft() const { return 0.0; }
    double ScaleTop() const { return 0.0; }

    // Appearance flags as the picture box has them (kept, not drawn).
    int Appearance() const { return m_appearance; }
    void setAppearance(int a) { m_appearance = a; }
    int BorderStyle() const { return m_border; }
    void setBorderStyle(int b) { m_border = b; }
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }
    int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(int32_t c) { m_foreColor = c; }

    // Clears the kept drawing to the background colour.
    void Cls();
    // Draws text with its top-left corner at (x, y) twips in the given font.
    void Print(double x, double y, const QString& text, const QFont& font);
    // Size of a text in a font, twips.
    double TextWidth(const QString& text, const QFont& font) const;
    double TextHeight(const QString& text, const QFont& font) const;

    const QPixmap& picture() const { return m_pixmap; }
    // Texts drawn since the last Cls, in order (what tests look at).
    struct Stueck {
        double x = 0;
        double y = 0;
        QString text;
        QFont font;
    };
    const std::vector<Stueck>& stuecke() const { return m_stuecke; }

    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

signals:
    void MouseMove(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QPixmap m_pixmap;
    std::vector<Stueck> m_stuecke;
    int m_appearance = 0;
    int m_border = 1;
    bool m_autoRedraw = false;
    int32_t m_foreColor = 0;
};

} // namespace grid
