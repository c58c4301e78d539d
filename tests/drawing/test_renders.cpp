// Renders for people to look at: one picture drawn through the picture target
// (PNG) and through the printer target (a one-page A4 PDF). The tests check
// what can be checked without pixels; the files land in tests/renders of the
// build folder.

#include "DrawingFixture.h"

#include <QFile>
#include <QImage>

using namespace drawing;

namespace {

QString renderDir()
{
    const QString dir = QStringLiteral(KAVELOR_RENDER_DIR);
    QDir().mkpath(dir);
    return dir;
}

// The demonstration picture: a 180 x 120 mm diagram at (x0, y0) with axes,
// ticks, numbers, grid and titles, clipped lines, a band, marked-up text with
// a Greek sigma, a subscript and a degree sign, a label at 90 degrees, the
// point symbols and arcs cut by the frame.
void drawScene(clsGRAFIK& g, Target& t, float x0, float y0)
{
    g.EOBJEKT(&t);
    g.EXDL(x0);
    g.EYDO(y0);
    g.ELX(180);
    g.ELY(120);
    g.ELXMIN({0, 100});
    g.ELXDIFF({100});
    g.ELXIT({10});
    g.ELXGIT({10});
    g.ELXZL({5});
    g.ELYMIN({0, 50});
    g.ELYDIFF({50});
    g.ELYIT({10});
    g.ELYGIT({5});
    g.EAXEX(1);
    g.EAXEY(1);
    g.ETEXTX(QStringLiteral("Abstand x [m]"));
    g.ETEXTY(QStringLiteral("{g,1}s{t,1}v [kN/m{c,178}]"));
    g.LINIENEINSTELLUNGEN();
    g.SCHRIFTEINSTELLUNGEN();
    g.SKALEN(0);

    const auto page = [&](float x, float y) {
        float xp = 0, yp = 0;
        g.KOORDTRANS(x, y, xp, yp);
        return std::pair{xp, yp};
    };
    // A band reaching past the right edge of the plot area.
    auto [b1x, b1y] = page(70, 47);
    auto [b2x, b2y] = page(130, 38);
    g.LINIE(b1x, b1y, b2x, b2y, rgb(170, 210, 255));
    // Lines crossing the frame, cut at the plot area.
    g.LINIENEINSTELLUNGEN(0, 0.35f, rgb(200, 0, 0));
    auto [l1x, l1y] = page(-20, -10);
    auto [l2x, l2y] = page(130, 60);
    g.LINIE(l1x, l1y, l2x, l2y);
    g.LINIENEINSTELLUNGEN(1, 0, rgb(0, 0, 160));
    auto [v1x, v1y] = page(55, -20);
    auto [v2x, v2y] = page(55, 80);
    g.LINIE(v1x, v1y, v2x, v2y);
    g.LINIENEINSTELLUNGEN();

    // Marked-up texts at world points.
    g.SCHRIFTEINSTELLUNGEN(QString(), 10);
    g.TEXT(5, 45, QStringLiteral("{g,1}s{t,1}v = 20{c,176}C, I{t,1}D [1]"), 1);
    g.TEXT(5, 39, QStringLiteral("1,5E+03"), 1);  // a number with an exponent: set as a power of ten
    g.SCHRIFTEINSTELLUNGEN(QString(), 8, true);
    g.TEXT(5, 34, QStringLiteral("{g,1}g{t,1}r = 19 kN/m{c,179}, d{t,2}50, w{h,2}ab"), 1);
    g.SCHRIFTEINSTELLUNGEN();
    // A label at 90 degrees, reading upwards.
    auto [r1x, r1y] = page(62, 10);
    g.TEXT(r1x, r1y, QStringLiteral("Tiefe 90{c,176} gedreht"), 0, 90, 0, 2);

    // The point symbols 0 to 6, directly and through the markup.
    for (int n = 0; n <= 6; ++n) {
        auto [sx, sy] = page(8 + 7 * n, 22);
        g.PUNKTSYMBOL(sx, sy, int16_t(n));
        g.TEXT(sx, sy + 2, QString::number(n), 0, 0, 1, 0);
    }
    g.TEXT(5, 14, QStringLiteral("Messpunkte {s,1}3 und {s,1}1, Bohrung {s,1}5"), 1);

    // Arcs: one inside the plot area, two cut by the frame.
    g.LINIENEINSTELLUNGEN(0, 0.25f, rgb(0, 120, 0));
    g.KREIS(80, 20, 6);
    g.KREIS(96, 8, 14);
    g.KREIS(100, 32, 8, 1.5707964f, 4.712389f);
    g.LINIENEINSTELLUNGEN();
}

} // namespace

TEST_F(DrawingTest, RenderThroughThePictureTarget)
{
    setG0({{"OX", 1}, {"OY", 1}, {"RL", 22}, {"RR", 8}, {"RO", 8}, {"RU", 20}});
    PictureTarget t(float(180 * kTwipsPerMm), float(120 * kTwipsPerMm), 200.0);
    t.ScaleMode(vbMillimeters);
    clsGRAFIK g;
    drawScene(g, t, 0, 0);
    EXPECT_EQ(m_box->count(), 0) << (m_box->count() ? m_box->last().title + ": " + m_box->last().text : QString());
    const QString path = renderDir() + QStringLiteral("/drawing-picture.png");
    ASSERT_TRUE(t.save(path));
    const QImage img(path);
    ASSERT_FALSE(img.isNull());
    EXPECT_NEAR(img.width(), 1417, 1);  // 180 mm at 200 dpi
    // Something was drawn, and the band's colour is there.
    int band = 0, dark = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            const QRgb p = img.pixel(x, y);
            if (p == qRgb(170, 210, 255)) ++band;
            if (qGray(p) < 100) ++dark;
        }
    EXPECT_GT(band, 1000);
    EXPECT_GT(dark, 1000);
}

TEST_F(DrawingTest, RenderThroughThePrinterTargetAsPdf)
{
    setG0({{"OX", 1}, {"OY", 1}, {"RL", 22}, {"RR", 8}, {"RO", 8}, {"RU", 20}});
    const QString path = renderDir() + QStringLiteral("/drawing-printer.pdf");
    QFile::remove(path);
    {
        PrinterTarget printer(path);
        printer.ScaleMode(vbMillimeters);
        printer.PaperSize(9);
        printer.Orientation(1);
        EXPECT_NEAR(printer.ScaleWidth(), 210, 0.1);
        EXPECT_NEAR(printer.ScaleHeight(), 297, 0.1);
        clsGRAFIK g;
        drawScene(g, printer, 15, 30);
        EXPECT_FLOAT_EQ(g.pixelDensityX(), float(600 / 25.4));
        printer.EndDoc();
    }
    EXPECT_EQ(m_box->count(), 0);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));  // vector graphics and text, no bitmap
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595"));
}
