// The figures drawn through the screen engine onto a recording target:
// circles and arcs, point series with their marks, terrain hatch, level
// triangles, load areas and section forces, with their error boxes.

#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "drawing/Target.h"
#include "drawing/clsGRAFIK.h"
#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <cmath>
#include <functional>

using namespace drawing;

namespace {

// An engine that also notes the calls the figures make of it.
class SpyGrafik : public clsGRAFIK {
public:
    struct TextCall {
        float x, y;
        QString text;
        int16_t ko, al, arx, ary;
    };
    std::vector<TextCall> texts;
    std::vector<std::array<float, 4>> arrows;
    std::vector<std::array<float, 3>> symbols; // x, y, number
    int polygons = 0;

    void TEXT(float X, float Y, const QString& T, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override
    {
        texts.push_back({X, Y, T, KO, AL, ARX, ARY});
        clsGRAFIK::TEXT(X, Y, T, KO, AL, ARX, ARY);
    }
    void PFEIL(float XP1, float YP1, float XP2, float YP2) override
    {
        arrows.push_back({XP1, YP1, XP2, YP2});
        clsGRAFIK::PFEIL(XP1, YP1, XP2, YP2);
    }
    void pointSymbol(float xp, float yp, int16_t nr) override
    {
        symbols.push_back({xp, yp, float(nr)});
        clsGRAFIK::pointSymbol(xp, yp, nr);
    }
    void POLYGON(SingleArray& X, SingleArray& Y, int16_t PSIT = 0, int16_t PSTYP = 0, int16_t PNR = 0,
                 const QString& T = QString(), int16_t LAGETEXT = 0, int16_t LAGEPFEIL = 0, bool FARBEN = false,
                 const std::optional<NumberList>& BOL = std::nullopt) override
    {
        ++polygons;
        clsGRAFIK::POLYGON(X, Y, PSIT, PSTYP, PNR, T, LAGETEXT, LAGEPFEIL, FARBEN, BOL);
    }
    void forget()
    {
        texts.clear();
        arrows.clear();
        symbols.clear();
        polygons = 0;
    }
};

std::vector<double> numbers(const QString& line)
{
    std::vector<double> v;
    const QStringList parts = line.split(QLatin1Char(' '));
    for (int i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const double d = parts[i].toDouble(&ok);
        if (!ok)
            break;
        v.push_back(d);
    }
    return v;
}

QString colourOf(const QString& line)
{
    const auto m = QRegularExpression(QStringLiteral("c=(0x[0-9a-f]+)")).match(line);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

class FigureEngine : public ::testing::Test {
protected:
    // Picture 200 x 300 mm; plot area 20..180 x 30..270 mm. Log orientation
    // (X to the right, Y downward), 1 world unit per mm across, 0.1 down.
    void SetUp() override
    {
        cnn = db::Connection::openInMemory();
        cnn->executeScript(db::schema::sql(db::schema::Datenbank::Projekt));
        cnn->execute(QStringLiteral("INSERT INTO E1 (ID, AKT) VALUES (?, ?)"), {vb::Variant(7), vb::Variant(true)});
        db::sharedState().cnnX = cnn;
        target = std::make_unique<RecordingTarget>(200 * 56.7f, 300 * 56.7f);
        target->ScaleMode(vbMillimeters);
        g = std::make_unique<SpyGrafik>();
        g->EOBJEKT(target.get());
        view.OX = 1;
        view.OY = -1;
        view.RL = 20;
        view.RR = 20;
        view.RO = 30;
        view.RU = 30;
        view.XMIN = 0;
        view.XMAX = 160;
        view.YMIN = 0;
        view.YMAX = 24;
        view.MX = 1;
        view.MY = 0.1f;
        g->setView(view);
        g->LINIENEINSTELLUNGEN();
        target->clear();
    }
    void TearDown() override
    {
        g.reset();
        db::sharedState().cnnX.reset();
    }
    QStringList lines(const char* word) const { return target->linesOf(QString::fromLatin1(word)); }

    std::shared_ptr<db::Connection> cnn;
    std::unique_ptr<RecordingTarget> target;
    std::unique_ptr<SpyGrafik> g;
    ViewState view;
    vb::ScopedDialogs box;
};

TEST_F(FigureEngine, CirclesAndArcs)
{
    const float pi = 3.1415927f;
    struct Case {
        const char* name;
        std::function<void(clsGRAFIK&)> call;
        int circles, arcs, lines;
    };
    const Case cases[] = {
        {"full circle inside", [](clsGRAFIK& e) { e.KREIS(100, 150, 5, 0, 0.0f, 0, false, 0); }, 1, 0, 0},
        {"half circle inside", [&](clsGRAFIK& e) { e.KREIS(100, 150, 5, pi, 0.0f, 0, false, 0); }, 0, 1, 0},
        {"world units", [](clsGRAFIK& e) { e.KREIS(80, 12, 1); }, 1, 0, 0},
        {"off the plot area", [](clsGRAFIK& e) { e.KREIS(10, 100, 5, 0, 0.0f, 0, false, 0); }, 0, 0, 0},
        {"touching the left edge from outside", [](clsGRAFIK& e) { e.KREIS(15, 100, 5, 0, 0.0f, 0, false, 0); },
         0, 0, 0},
        {"plot area inside the circle", [](clsGRAFIK& e) { e.KREIS(100, 150, 200, 0, 0.0f, 3, false, 0); }, 0, 0, 0},
        {"cut by the left edge", [](clsGRAFIK& e) { e.KREIS(20, 150, 10, 0, 0.0f, 0, false, 0); }, 0, 1, 0},
        {"every edge crossed twice", [](clsGRAFIK& e) { e.KREIS(100, 150, 130, 0, 0.0f, 0, false, 0); }, 0, 4, 0},
        {"chain of chords", [](clsGRAFIK& e) { e.KREIS(100, 150, 5, 0, 0.0f, 0, true, 0); }, 0, 0, 36},
        {"chain of 95 degrees", [&](clsGRAFIK& e) { e.KREIS(100, 150, 5, 0, 95 * 0.017453292f, 0, true, 0); }, 0,
         0, 10},
        {"chain with equal ends", [](clsGRAFIK& e) { e.KREIS(100, 150, 5, 1.0f, 1.0f, 0, true, 0); }, 0, 0, 0},
    };
    for (const Case& c : cases) {
        target->clear();
        c.call(*g);
        EXPECT_EQ(lines("CIRCLE").size(), c.circles) << c.name;
        EXPECT_EQ(lines("ARC").size(), c.arcs) << c.name;
        EXPECT_EQ(lines("LINE").size(), c.lines) << c.name;
        EXPECT_EQ(box->count(), 0) << c.name;
    }

    // World centre (80, 12) lies at page (100, 150); radius 1 world unit across.
    target->clear();
    g->KREIS(80, 12, 1);
    const auto w = numbers(lines("CIRCLE").value(0));
    ASSERT_EQ(w.size(), 3u);
    EXPECT_NEAR(w[0], 100, 1e-3);
    EXPECT_NEAR(w[1], 150, 1e-3);
    EXPECT_NEAR(w[2], 1, 1e-3);

    // KO 2: millimetres from the picture's corner, moved with the scroll shifts.
    ViewState shifted = view;
    shifted.SX = 4;
    shifted.SY = -2;
    g->setView(shifted);
    target->clear();
    g->KREIS(100, 150, 5, 0, 0.0f, 0, false, 2);
    const auto k2 = numbers(lines("CIRCLE").value(0));
    ASSERT_EQ(k2.size(), 3u);
    EXPECT_NEAR(k2[0], 104, 1e-3);
    EXPECT_NEAR(k2[1], 148, 1e-3);
    g->setView(view);

    // AL2 passed as a variable holding 0 reads 2 pi afterwards.
    float al2 = 0;
    g->KREIS(100, 150, 5, pi, al2, 0, false, 0);
    EXPECT_FLOAT_EQ(al2, 2 * pi);
}

TEST_F(FigureEngine, CutHalfCircleKeepsTheHalfShownUncut)
{
    // The log painter's half circle pi..2 pi (KO 0): below its centre, both
    // inside the frame and where the left edge cuts it.
    const float pi = 3.1415927f;
    for (float xc : {100.0f, 22.0f}) {
        target->clear();
        g->KREIS(xc, 150, 5, pi, 0.0f, 0, false, 0);
        const QStringList arcs = lines("ARC");
        ASSERT_EQ(arcs.size(), 1) << xc;
        const auto a = numbers(arcs[0]);
        ASSERT_EQ(a.size(), 5u);
        EXPECT_GE(a[3], pi - 1e-3) << xc; // view angles within pi..2 pi: the lower half
        EXPECT_LE(a[4], 2 * pi + 1e-3) << xc;
        EXPECT_GT(a[4], a[3]) << xc;
    }
}

TEST_F(FigureEngine, OddCrossingsShowTheArcBox)
{
    // A circle through the bottom-left corner counted on one edge only.
    const float r = float(std::sqrt(14144.0));
    g->KREIS(-60, -58, r, 0, 0.0f, 1, false, 0);
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->last().title, QStringLiteral("Bogen"));
    EXPECT_EQ(box->last().text, QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"));
    EXPECT_EQ(box->last().buttons, vb::MsgButtons::OKOnly);
    EXPECT_EQ(box->last().icon, vb::MsgIcon::Exclamation);
    EXPECT_TRUE(target->lines().isEmpty()); // nothing drawn, no marks
}

TEST_F(FigureEngine, EndMarksAndFill)
{
    struct Case {
        int16_t lagepfeil;
        int dots, strokes;
    };
    const Case cases[] = {{1, 0, 3}, {3, 0, 6}, {4, 1, 3}, {5, 1, 3}, {6, 0, 0}};
    for (const Case& c : cases) {
        target->clear();
        target->FillStyle(vbFSSolid);
        target->FillColor(rgb(1, 2, 3));
        g->KREIS(100, 150, 10, 0, 3.1415927f, c.lagepfeil, false, 0);
        const QStringList circles = lines("CIRCLE");
        ASSERT_EQ(circles.size(), c.dots) << c.lagepfeil;
        for (const QString& l : circles) {
            EXPECT_NEAR(numbers(l)[2], 0.5, 1e-3);
            EXPECT_TRUE(l.contains(QStringLiteral("fill=0/0x000000"))) << l.toStdString(); // solid, fore colour
        }
        EXPECT_EQ(lines("LINE").size(), c.strokes) << c.lagepfeil;
        // Afterwards transparent and white, also for a value without a mark.
        EXPECT_EQ(target->FillStyle(), vbFSTransparent) << c.lagepfeil;
        EXPECT_EQ(target->FillColor(), rgb(255, 255, 255)) << c.lagepfeil;
    }
}

TEST_F(FigureEngine, CircleWithoutTargetShowsItsErrorBox)
{
    clsGRAFIK bare;
    bare.ELX(200);
    bare.ELY(300);
    bare.setView(view);
    box->answerMessage(vb::vbCancel);
    bare.KREIS(100, 150, 5, 0, 0.0f, 0, false, 0);
    ASSERT_GE(box->count(), 1);
    EXPECT_EQ(box->records()[0].title, QStringLiteral("KREIS"));
    EXPECT_TRUE(box->records()[0].text.startsWith(QStringLiteral("VB-Fehler: \nFehlerNr. 91\n")))
        << box->records()[0].text.toStdString();
}

TEST_F(FigureEngine, SeriesStylesAndSwitches)
{
    struct Case {
        const char* name;
        int16_t style;
        int n;
        std::optional<NumberList> bol;
        int lines, dots, boxes;
    };
    const Case cases[] = {
        {"polyline", 0, 3, std::nullopt, 2, 0, 0},
        {"polyline of one point", 0, 1, std::nullopt, 0, 0, 0},
        {"switches 1, 0, 1", 0, 4, NumberList{1, 0, 1}, 2, 0, 0},
        {"switches True", 0, 4, NumberList{-1, -1, -1}, 0, 0, 0},
        {"switches too short", 0, 4, NumberList{1}, 1, 0, 1},
        {"bars of one point", 1, 1, std::nullopt, 0, 0, 1},
        {"bars", 1, 3, std::nullopt, 8, 0, 0},
        {"dots", 3, 3, std::nullopt, 0, 3, 0},
        {"staircase of one point", 4, 1, std::nullopt, 3, 0, 0},
        {"no style", 9, 3, std::nullopt, 0, 0, 0},
    };
    for (const Case& c : cases) {
        target->clear();
        box->clear();
        g->EPTYP(c.style);
        SingleArray x = SingleArray::sized(0, c.n - 1), y = SingleArray::sized(0, c.n - 1);
        for (int i = 0; i < c.n; ++i) {
            x(i) = 20.0f + 30.0f * float(i);
            y(i) = 5.0f + 4.0f * float(i);
        }
        g->POLYGON(x, y, 0, 0, 0, QString(), 0, 0, false, c.bol);
        EXPECT_EQ(lines("LINE").size(), c.lines) << c.name;
        EXPECT_EQ(lines("PSET").size(), c.dots) << c.name;
        ASSERT_EQ(box->count(), c.boxes) << c.name;
        if (c.boxes) {
            EXPECT_EQ(box->last().title, QStringLiteral("Polygon")) << c.name;
            EXPECT_TRUE(box->last().text.startsWith(QStringLiteral("VB-Fehler: 9\n"))) << c.name;
        }
    }
}

TEST_F(FigureEngine, SeriesBasePointLogarithmsAndColour)
{
    // Element -1 moves the base point of the staircase; style 0 ignores it.
    g->EPTYP(4);
    SingleArray x({10.0f, 40.0f}, -1), y({20.0f, 5.0f}, -1);
    g->POLYGON(x, y);
    // B = KOORDTRANS(10, 20) = (30, 230); the first stroke runs up to YP(0) = 80.
    auto first = numbers(lines("LINE").value(0));
    EXPECT_NEAR(first[0], 30, 1e-3);
    EXPECT_NEAR(first[2], 30, 1e-3);
    EXPECT_NEAR(std::min(first[1], first[3]), 80, 1e-3);
    EXPECT_NEAR(std::max(first[1], first[3]), 230, 1e-3);

    // Logarithmic X: the caller's elements 0.. hold their logarithms after
    // the call; element -1 stays.
    g->EPTYP(0);
    ViewState v = view;
    g->setView(v);
    g->ESKTX(1);
    SingleArray lx({7.0f, 100.0f, 0.0f, 10.0f}, -1), ly({1.0f, 1.0f, 2.0f, 3.0f}, -1);
    g->POLYGON(lx, ly);
    EXPECT_FLOAT_EQ(lx(-1), 7.0f);
    EXPECT_FLOAT_EQ(lx(0), 2.0f);
    EXPECT_FLOAT_EQ(lx(1), 0.0f);
    EXPECT_FLOAT_EQ(lx(2), 1.0f);
    g->ESKTX(0);

    // FARBEN with PSTYP 3 draws in red; the fore colour comes back after.
    struct Case {
        int16_t pstyp;
        QString colour;
    };
    const Case cases[] = {{3, QStringLiteral("0x000080")}, {7, QStringLiteral("0x000000")},
                          {9, QStringLiteral("0x123456")}};
    for (const Case& c : cases) {
        target->clear();
        target->ForeColor(0x123456);
        SingleArray cx{20.0f, 60.0f}, cy{5.0f, 9.0f};
        g->POLYGON(cx, cy, 0, c.pstyp, 0, QString(), 0, 0, true);
        const QStringList l = lines("LINE");
        ASSERT_EQ(l.size(), 1);
        EXPECT_EQ(colourOf(l[0]), c.colour) << c.pstyp;
        EXPECT_EQ(target->ForeColor(), 0x123456) << c.pstyp;
    }
}

TEST_F(FigureEngine, CancelInTheSeriesBoxEndsTheCallAndRestoresTheColour)
{
    g->EPTYP(1);
    target->ForeColor(0x123456);
    box->answerMessage(vb::vbCancel);
    SingleArray x{20.0f}, y{5.0f};
    g->POLYGON(x, y, -1, 3, -1, QStringLiteral("Etikett"), 1, 0, true);
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->last().title, QStringLiteral("Polygon"));
    EXPECT_TRUE(g->symbols.empty()); // the marks after the failing step are not drawn
    EXPECT_TRUE(g->texts.empty());
    EXPECT_EQ(target->ForeColor(), 0x123456);
}

TEST_F(FigureEngine, SeriesMarks)
{
    // Five points; the first lies on the left edge of the plot area.
    SingleArray x{0.0f, 20.0f, 40.0f, 60.0f, 80.0f}, y{5.0f, 6.0f, 7.0f, 8.0f, 9.0f};
    g->POLYGON(x, y, 2, 4, 2, QStringLiteral("Reihe"), 1, 4);
    // Symbols: first and last, but the first lies on the frame: only the last.
    ASSERT_EQ(g->symbols.size(), 1u);
    EXPECT_FLOAT_EQ(g->symbols[0][0], 100.0f);
    EXPECT_FLOAT_EQ(g->symbols[0][2], 4.0f);
    // Numbers "0" and "4", 1 mm right of and 1 mm above their points.
    ASSERT_EQ(g->texts.size(), 3u);
    EXPECT_EQ(g->texts[0].text, QStringLiteral("0"));
    EXPECT_FLOAT_EQ(g->texts[0].x, 21.0f);
    EXPECT_FLOAT_EQ(g->texts[0].y, 79.0f);
    EXPECT_EQ(g->texts[1].text, QStringLiteral("4"));
    // The label centred above the last point.
    EXPECT_EQ(g->texts[2].text, QStringLiteral("Reihe"));
    EXPECT_FLOAT_EQ(g->texts[2].x, 100.0f);
    EXPECT_EQ(g->texts[2].arx, 1);
    EXPECT_EQ(g->texts[2].ary, 2);
    // Arrow heads at the end of every segment.
    EXPECT_EQ(g->arrows.size(), 4u);
}

TEST_F(FigureEngine, LevelTriangle)
{
    // Tip at world (30, 2) = page (50, 50); DH = 2 MY, so 2 mm high.
    g->KOTENDREIECK(30, 2, 0.2f, 0, 1, 3);
    const QStringList l = lines("LINE");
    ASSERT_EQ(l.size(), 77);
    const auto a = numbers(l[2]);
    // LINIE draws from the end with the smaller X: (48, 48) to (50, 50).
    EXPECT_NEAR(a[0], 48, 1e-3);
    EXPECT_NEAR(a[1], 48, 1e-3);
    EXPECT_NEAR(a[2], 50, 1e-3);
    EXPECT_NEAR(a[3], 50, 1e-3);

    // Before the scales are set: the box, and nothing drawn from a scale of 0.
    target->clear();
    ViewState v = view;
    v.MY = 0;
    g->setView(v);
    g->KOTENDREIECK(30, 2, 0.2f, 0, 1, 3);
    ASSERT_GE(box->count(), 1);
    EXPECT_EQ(box->last().title, QStringLiteral("Kotendreieck"));
    EXPECT_TRUE(box->last().text.startsWith(QStringLiteral("VB-Fehler: 11\n")));
    EXPECT_TRUE(lines("LINE").isEmpty());
}

TEST_F(FigureEngine, TerrainHatch)
{
    g->GELAENDESCHRAFFUR(50, 10, 1, 2, 0, 0);
    EXPECT_EQ(g->polygons, 12);
    EXPECT_EQ(lines("LINE").size(), 12);
    g->forget();
    g->GELAENDESCHRAFFUR(50, 10, 1, 0, 0, 0);
    EXPECT_EQ(g->polygons, 0);
}

TEST_F(FigureEngine, LoadAreasKeepTheirScale)
{
    // Member from world (20, 20) to (60, 20): page (40, 230) to (80, 230).
    const std::vector<float> x{20, 60}, y{20, 20};
    std::vector<std::vector<float>> p(4, std::vector<float>(2, 0.0f));
    p[0][1] = 3;
    g->LASTFLAECHEN(x, y, p, 2);
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [MSP] FROM [G0] WHERE [ID]=7 AND [IDOBJEKT]=11"));
    ASSERT_FALSE(rs->eof());
    EXPECT_NEAR(rs->field(QStringLiteral("MSP")).number(), 0.2, 1e-6);
    rs->close();

    const QStringList l = lines("LINE");
    // Member, 3 arrows (stroke + 3 head strokes), load line; then the same
    // without the member for the second load.
    ASSERT_EQ(l.size(), 1 + 3 * 4 + 1 + 3 * 4 + 1);
    EXPECT_EQ(colourOf(l[0]), QStringLiteral("0x0000ff"));
    EXPECT_EQ(colourOf(l.last()), QStringLiteral("0x000080"));
    const auto loadLine = numbers(l[13]);
    EXPECT_NEAR(loadLine[0], 40, 1e-3); // from A ...
    EXPECT_NEAR(loadLine[1], 230, 1e-3);
    EXPECT_NEAR(loadLine[2], 80, 1e-3); // ... to 15 mm above B
    EXPECT_NEAR(loadLine[3], 215, 1e-3);

    // A later call reuses the stored scale: an ordinate of 6 is 30 mm.
    target->clear();
    p[0][0] = 6;
    p[0][1] = 6;
    g->LASTFLAECHEN(x, y, p, 1);
    const auto again = numbers(lines("LINE")[1 + 2 * 4]);
    EXPECT_NEAR(again[1], 200, 1e-3);
    EXPECT_NEAR(again[3], 200, 1e-3);

    // No intervals: the box; the member is still drawn, nothing else.
    target->clear();
    g->LASTFLAECHEN(x, y, p, 0);
    ASSERT_GE(box->count(), 1);
    EXPECT_EQ(box->last().title, QStringLiteral("Lastflächen"));
    EXPECT_TRUE(box->last().text.startsWith(QStringLiteral("VB-Fehler: 11\n")));
    EXPECT_EQ(lines("LINE").size(), 1);
}

TEST_F(FigureEngine, SectionForce)
{
    // Member from world (10, 20) to (30, 20): page (30, 230) to (50, 230).
    struct Case {
        int16_t typ, sy;
        int lines;
    };
    const Case cases[] = {{1, 1, 1 + 1 + 6}, {2, 1, 8}, {3, 1, 8}, {4, 1, 1}, {1, 0, 1}};
    for (const Case& c : cases) {
        target->clear();
        g->SCHNITTKRAFT(10, 20, 30, 20, 6, c.typ, c.sy);
        const QStringList l = lines("LINE");
        ASSERT_EQ(l.size(), c.lines) << c.typ << "/" << c.sy;
        EXPECT_EQ(colourOf(l[0]), QStringLiteral("0x008000"));
        if (c.typ == 1 && c.sy == 1) {
            const auto m = numbers(l[1]);
            EXPECT_NEAR(m[0], 40, 1e-3);
            EXPECT_NEAR(std::min(m[1], m[3]), 227, 1e-3);
            EXPECT_NEAR(std::max(m[1], m[3]), 233, 1e-3);
        }
    }
}

// ---- pictures for people to look at ---------------------------------------

namespace {

QString pictureFolder()
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/figures-png");
    QDir().mkpath(dir);
    return dir;
}

} // namespace

class FigurePictures : public FigureEngine {
protected:
    void frame()
    {
        g->LINIENEINSTELLUNGEN(0, 0, rgb(160, 160, 160));
        g->LINIE(20, 30, 180, 30, std::nullopt, 1);
        g->LINIE(180, 30, 180, 270, std::nullopt, 1);
        g->LINIE(180, 270, 20, 270, std::nullopt, 1);
        g->LINIE(20, 270, 20, 30, std::nullopt, 1);
        g->LINIENEINSTELLUNGEN(0, 0.3f, 0);
    }
    void save(const char* name)
    {
        const QString path = pictureFolder() + QLatin1Char('/') + QString::fromLatin1(name);
        EXPECT_TRUE(target->save(path)) << path.toStdString();
    }
};

TEST_F(FigurePictures, ArcsCutByTheFrame)
{
    const float pi = 3.1415927f;
    frame();
    // Full circles across each edge and corner, one crossing every edge twice.
    g->KREIS(20, 80, 12, 0, 0.0f, 0, false, 0);
    g->KREIS(180, 80, 12, 0, 0.0f, 0, false, 0);
    g->KREIS(100, 30, 12, 0, 0.0f, 0, false, 0);
    g->KREIS(100, 270, 12, 0, 0.0f, 0, false, 0);
    g->KREIS(25, 265, 15, 0, 0.0f, 0, false, 0);
    g->KREIS(100, 150, 130, 0, 0.0f, 0, false, 0);
    // The log painter's half circles (page units): lower halves in red, upper
    // halves in blue, whole inside and cut by the left and right edges.
    g->LINIENEINSTELLUNGEN(0, 0.3f, rgb(200, 0, 0));
    for (float x : {22.0f, 60.0f, 178.0f})
        g->KREIS(x, 120, 8, pi, 0.0f, 0, false, 0);
    g->LINIENEINSTELLUNGEN(0, 0.3f, rgb(0, 0, 200));
    for (float x : {22.0f, 60.0f, 178.0f})
        g->KREIS(x, 150, 8, 0, pi, 0, false, 0);
    // A chain of chords and arcs with end marks.
    g->LINIENEINSTELLUNGEN(0, 0.3f, rgb(0, 128, 0));
    g->KREIS(100, 200, 15, 0, 0.0f, 0, true, 0);
    g->KREIS(140, 200, 12, 0, 3 * pi / 2, 4, false, 0);
    g->KREIS(60, 200, 12, pi / 4, pi, 3, false, 0);
    save("arcs-cut-by-frame.png");
}

TEST_F(FigurePictures, PointSeries)
{
    frame();
    for (int16_t style = 0; style <= 8; ++style) {
        g->EPTYP(style);
        SingleArray x = SingleArray::sized(-1, 4), y = SingleArray::sized(-1, 4);
        const float row = 1.0f + 2.5f * float(style); // world Y (tenths of mm), one band per style
        x(-1) = 5;
        y(-1) = row + 2.0f;
        const float xs[5] = {15, 40, 55, 85, 110};
        const float ys[5] = {0.9f, 0.2f, 1.4f, 0.6f, 1.8f};
        for (int i = 0; i < 5; ++i) {
            x(i) = xs[i];
            y(i) = row + ys[i];
        }
        g->POLYGON(x, y, 2, int16_t(style % 7), 1, QStringLiteral("EPTYP %1").arg(style), 3, 1, true);
    }
    g->EPTYP(0);
    save("point-series.png");
}

TEST_F(FigurePictures, Symbols)
{
    frame();
    // Terrain hatch on a flat and on a sloping terrain line.
    g->GELAENDESCHRAFFUR(10, 3, 2, 4, 0, 2);
    g->GELAENDESCHRAFFUR(90, 3, 2, 4, 10, 2);
    // Level triangles: open, right half, left half, filled.
    for (int16_t v = 0; v <= 3; ++v)
        g->KOTENDREIECK(20.0f + 30.0f * float(v), 7, 0.4f, 0, 1, v);
    // Load areas and section forces.
    std::vector<std::vector<float>> p(4, std::vector<float>(2, 0.0f));
    p[0][0] = 1;
    p[0][1] = 2;
    p[2][0] = 1;
    p[2][1] = 0.5f;
    p[3][1] = 0.5f;
    g->LASTFLAECHEN({20, 140}, {16, 16}, p, 6);
    for (int16_t t = 1; t <= 2; ++t)
        g->SCHNITTKRAFT(20.0f + 70.0f * float(t - 1), 20, 80.0f + 70.0f * float(t - 1), 22, 8, t, 1);
    save("symbols.png");
}
