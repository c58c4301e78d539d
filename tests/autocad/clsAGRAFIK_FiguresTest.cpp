// The CAD engine's circles, point series, markers, axes and shared figures.

#include "CadFixture.h"
#include "drawing/Numeric.h"

#include <cmath>

using acad::Entity;
using drawing::kPi;

namespace {

class CadFigures : public CadTest {
protected:
    void SetUp() override
    {
        CadTest::SetUp();
        g->ELX(200);
        g->ELY(300);
        drawing::ViewState v;
        v.OX = 1, v.OY = -1, v.RL = 20, v.RR = 20, v.RO = 30, v.RU = 30, v.XMAX = 160, v.YMAX = 24, v.MX = 1,
        v.MY = 0.1f;
        g->setView(v);
        added();
    }

    std::vector<Entity*> ofKind(const std::vector<Entity*>& es, Entity::Kind k)
    {
        std::vector<Entity*> out;
        for (Entity* e : es)
            if (e->kind() == k)
                out.push_back(e);
        return out;
    }

    // Turns the drawing right way up as the export does.
    void mirror()
    {
        const int n = doc.ModelSpace().Count();
        std::vector<Entity*> list;
        for (int i = 0; i < n; ++i) {
            list.push_back(doc.ModelSpace().Item(i));
            list.back()->Mirror({0, 0, 0}, {1, 0, 0});
        }
        for (Entity* e : list)
            e->Delete();
    }
};

} // namespace

TEST_F(CadFigures, CirclesAreCutAtTheFrame)
{
    struct Case {
        const char* what;
        float xc, yc, r;
        int arcs;
        bool full;
    };
    const Case cases[] = {
        {"left of the frame", 10, 100, 5, 0, false},
        {"frame inside the circle", 100, 150, 200, 0, false},
        {"inside", 100, 150, 5, 1, true},
        {"every edge twice", 100, 150, 130, 4, false},
        {"through a corner, mostly inside", 23, 34, 5, 1, false},
    };
    for (const Case& c : cases) {
        g->KREIS(c.xc, c.yc, c.r, 0, 0.0f, 0, false, int16_t(0));
        const auto made = added();
        const auto arcs = ofKind(made, Entity::Kind::Arc);
        EXPECT_EQ(int(arcs.size()), c.arcs) << c.what;
        EXPECT_EQ(made.size(), arcs.size()) << c.what;
        if (c.arcs == 1) {
            EXPECT_EQ(arcs[0]->fullCircle(), c.full) << c.what;
        }
        for (const Entity* a : arcs) {
            EXPECT_EQ(a->Color(), 7);
            EXPECT_EQ(a->Linetype(), QStringLiteral("Continuous"));
        }
    }
    // The piece through the corner: from the left edge at y 38 round to the
    // top edge at x 26, the part inside the frame.
    g->KREIS(23, 34, 5, 0, 0.0f, 0, false, int16_t(0));
    mirror();
    const Entity* piece = doc.ModelSpace().Item(doc.ModelSpace().Count() - 1);
    const double a0 = piece->startAngle(), a1 = piece->endAngle();
    const auto at = [&](double t) {
        return std::make_pair(piece->center().x + 5 * std::cos(t), -(piece->center().y + 5 * std::sin(t)));
    };
    const auto [sx, sy] = at(a0);
    const auto [ex, ey] = at(a1);
    EXPECT_NEAR(std::min(sx, ex), 20, 1e-3);
    EXPECT_NEAR(std::max(sy, ey), 38, 1e-3);
    EXPECT_NEAR(std::min(sy, ey), 30, 1e-3);
    EXPECT_NEAR(std::max(sx, ex), 26, 1e-3);
    EXPECT_TRUE(m_box->messages().empty());

    // Drawing everything: no cut, the whole circle, also where it lies
    // wholly beside the frame (left of it, or far right on a wide page).
    g->EBOGRENZEN(false);
    added();
    for (const Case& c : {Case{"frame inside the circle", 100, 150, 200, 1, true},
                          Case{"left of the frame", 10, 100, 5, 1, true},
                          Case{"far right of the frame", 700, 100, 0.3f, 1, true}}) {
        g->KREIS(c.xc, c.yc, c.r, 0, 0.0f, 0, false, int16_t(0));
        const auto whole = added();
        ASSERT_EQ(whole.size(), 1u) << c.what;
        EXPECT_TRUE(whole[0]->fullCircle()) << c.what;
        EXPECT_DOUBLE_EQ(whole[0]->center().x, c.xc) << c.what;
    }
}

TEST_F(CadFigures, HalfCircleFromPiToTwoPiShowsTheHalfTheScreenShowsForZeroToPi)
{
    // Log orientation, a circle inside the plot: the screen engine draws the
    // angles 0..pi as seen, the half above the centre. The drawing shows
    // that half for pi..2pi (the log painter passes pi and 0, read as 2pi).
    float al2 = 0.0f;
    g->KREIS(80, 12, 0.5f, kPi, al2, 0, false);
    EXPECT_FLOAT_EQ(al2, drawing::kTwoPi);
    const auto arcs = ofKind(added(), Entity::Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    mirror();
    const Entity* a = doc.ModelSpace().Item(0);
    double ext = a->endAngle() - a->startAngle();
    if (ext < 0)
        ext += 2 * kPi;
    EXPECT_NEAR(ext, kPi, 1e-5);
    const double mid = a->startAngle() + ext / 2;
    EXPECT_GT(std::sin(mid), 0.99);  // the middle of the arc lies above the centre
}

TEST_F(CadFigures, WholeArcsAreShiftedByPiAndMirroredWhereOneAxisIsReversed)
{
    // The middle of the arc 0..pi/2 as drawn (page terms, y down), by the
    // orientation: shifted by pi unless both axes are reversed, then mirrored
    // about the line through the centre along the other axis where one is.
    struct Case {
        int16_t ox, oy;
        double dx, dy;
    };
    const double h = std::sqrt(0.5);
    const Case cases[] = {{1, -1, -h, h}, {-1, 1, h, -h}, {1, 1, -h, -h}, {-1, -1, h, h}};
    for (const Case& c : cases) {
        drawing::ViewState v = g->view();
        v.OX = c.ox;
        v.OY = c.oy;
        g->setView(v);
        float al2 = kPi / 2;
        g->KREIS(100, 150, 10, 0, al2, 0, false, int16_t(0));
        const auto made = added();
        ASSERT_EQ(made.size(), 1u) << c.ox << "," << c.oy;  // a mirrored arc replaces the first one
        Entity* a = made[0];
        ASSERT_EQ(a->kind(), Entity::Kind::Arc);
        EXPECT_EQ(doc.ModelSpace().Count(), 1);
        double ext = a->endAngle() - a->startAngle();
        if (ext < 0)
            ext += 2 * kPi;
        EXPECT_NEAR(ext, kPi / 2, 1e-5) << c.ox << "," << c.oy;
        const double mid = a->startAngle() + ext / 2;
        EXPECT_NEAR(std::cos(mid), c.dx, 1e-5) << c.ox << "," << c.oy;
        EXPECT_NEAR(std::sin(mid), c.dy, 1e-5) << c.ox << "," << c.oy;
        EXPECT_EQ(a->Color(), 7);
        EXPECT_EQ(a->Linetype(), QStringLiteral("Continuous"));
        a->Delete();
        added();
    }
    // The log's full circle: added from pi to 3pi, mirrored, one whole circle left.
    float al2 = 0.0f;
    g->KREIS(100, 150, 10, 0, al2, 0, false, int16_t(0));
    const auto full = added();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_TRUE(full[0]->fullCircle());
    EXPECT_EQ(full[0]->updates(), 1);
}

TEST_F(CadFigures, ArcCutAtTheFrameKeepsThePartTheUncutArcShows)
{
    // Log orientation, the quarter pi..3pi/2: uncut it shows up and to the
    // right of the centre. Cut at the bottom edge (y 270) that quarter lies
    // wholly inside, so the same quarter is drawn, unmirrored.
    const double h = std::sqrt(0.5);
    for (const float yc : {150.0f, 268.0f}) {
        float al2 = 1.5f * kPi;
        g->KREIS(100, yc, 5, kPi, al2, 0, false, int16_t(0));
        const auto arcs = ofKind(added(), Entity::Kind::Arc);
        ASSERT_EQ(arcs.size(), 1u) << yc;
        const Entity* a = arcs[0];
        double ext = a->endAngle() - a->startAngle();
        if (ext < 0)
            ext += 2 * kPi;
        EXPECT_NEAR(ext, kPi / 2, 1e-4) << yc;
        const double mid = a->startAngle() + ext / 2;
        EXPECT_NEAR(std::cos(mid), h, 1e-4) << yc;
        EXPECT_NEAR(std::sin(mid), -h, 1e-4) << yc;
    }
    // The lower quarter 0..pi/2 (down and left as drawn) loses what lies
    // below the edge: the piece from the edge round to the left.
    float al2 = kPi / 2;
    g->KREIS(100, 268, 5, 0, al2, 0, false, int16_t(0));
    const auto arcs = ofKind(added(), Entity::Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const Entity* a = arcs[0];
    for (const double t : {a->startAngle(), a->endAngle()}) {
        EXPECT_LE(a->center().y + 5 * std::sin(t), 270 + 1e-3);
        EXPECT_LE(a->center().x + 5 * std::cos(t), 100 + 1e-3);
    }
}

TEST_F(CadFigures, CircleMarksAndChords)
{
    // LAGEPFEIL 4: a dot of 0.5 mm at the start, an arrow head at the end.
    float al2 = kPi / 2;
    g->KREIS(100, 150, 10, 0, al2, 4, false, int16_t(0));
    const auto made = added();
    const auto circles = ofKind(made, Entity::Kind::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_DOUBLE_EQ(circles[0]->radius(), 0.5);
    EXPECT_EQ(ofKind(made, Entity::Kind::Line).size(), 3u);
    EXPECT_EQ(ofKind(made, Entity::Kind::Arc).size(), 1u);

    // Chords through LINIE instead of an arc.
    al2 = kPi;
    g->KREIS(100, 150, 10, 0, al2, 0, true, int16_t(0));
    EXPECT_EQ(ofKind(added(), Entity::Kind::Line).size(), 18u);
}

TEST_F(CadFigures, MarkersByCode)
{
    g->LINIENEINSTELLUNGEN(0, 2, 12);
    struct Case {
        int16_t code;
        float x, y, size;
        int lines, circles, hatches;
    };
    const Case cases[] = {
        {-2, 10, 10, 2, 3, 0, 1}, {-1, 10, 10, 0.4f, 0, 1, 1}, {0, 100, 100, 0, 4, 0, 0}, {1, 100, 100, 0, 4, 0, 1},
        {2, 100, 100, 0, 4, 0, 0}, {3, 100, 100, 0, 0, 1, 1},   {4, 100, 100, 0, 0, 1, 0}, {5, 100, 100, 0, 3, 0, 0},
        {6, 100, 100, 0, 4, 0, 0}, {7, 100, 100, 0, 0, 0, 0},   {-3, 100, 100, 0, 0, 0, 0},
    };
    g->EBOGRENZEN(false);
    for (const Case& c : cases) {
        g->SYMBOLE(c.x, c.y, c.code, c.size);
        const auto made = added();
        EXPECT_EQ(ofKind(made, Entity::Kind::Line).size(), size_t(c.lines)) << c.code;
        EXPECT_EQ(ofKind(made, Entity::Kind::Circle).size(), size_t(c.circles)) << c.code;
        EXPECT_EQ(ofKind(made, Entity::Kind::Hatch).size(), size_t(c.hatches)) << c.code;
        for (const Entity* e : made)
            EXPECT_EQ(e->Color(), 11) << c.code;  // code 1 too: the current colour index
    }
    // The triangle's corners, rounded to three decimals.
    struct Tri {
        float x, y;
        std::vector<double> want;  // x1 y1 x2 y2 of the three lines
    };
    for (const Tri& t : {Tri{10, 10, {9, 11, 11, 11, 9, 11, 10, 9, 11, 11, 10, 9}},
                         Tri{10.0004f, 20, {9, 21, 11, 21, 9, 21, 10, 19, 11, 21, 10, 19}}}) {
        g->SYMBOLE(t.x, t.y, -2, 2);
        const auto lines = ofKind(added(), Entity::Kind::Line);
        ASSERT_EQ(lines.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_DOUBLE_EQ(lines[i]->start().x, t.want[4 * i]) << t.x;
            EXPECT_DOUBLE_EQ(lines[i]->start().y, t.want[4 * i + 1]) << t.x;
            EXPECT_DOUBLE_EQ(lines[i]->end().x, t.want[4 * i + 2]) << t.x;
            EXPECT_DOUBLE_EQ(lines[i]->end().y, t.want[4 * i + 3]) << t.x;
        }
    }
}

TEST_F(CadFigures, PointSeriesInTheirColourAndStyle)
{
    drawing::SingleArray x{10, 20, 30}, y{2, 4, 6};
    g->LINIENEINSTELLUNGEN(0, 0, 2);  // colour index 104
    g->POLYGON(x, y);
    EXPECT_EQ(ofKind(added(), Entity::Kind::Line).size(), 2u);

    // FARBEN with PSTYP 3: the series in colour index 1, then the colour is back.
    drawing::SingleArray x2{10, 20, 30}, y2{2, 4, 6};
    g->POLYGON(x2, y2, 0, 3, 0, QString(), 0, 0, true);
    for (const Entity* e : added())
        EXPECT_EQ(e->Color(), 1);
    EXPECT_EQ(g->colourIndex(), 104);
    // A code without a colour keeps the colour index.
    drawing::SingleArray x3{10, 20}, y3{2, 4};
    g->POLYGON(x3, y3, 0, 9, 0, QString(), 0, 0, true);
    for (const Entity* e : added())
        EXPECT_EQ(e->Color(), 104);

    // Style 3: point entities; markers at every second point through SYMBOLE.
    g->EPTYP(3);
    drawing::SingleArray x4{10, 20, 30, 40, 50, 60}, y4{2, 4, 6, 8, 10, 12};
    g->POLYGON(x4, y4, 3, 4);
    const auto made = added();
    EXPECT_EQ(ofKind(made, Entity::Kind::Point).size(), 6u);
    EXPECT_EQ(ofKind(made, Entity::Kind::Circle).size(), 3u);  // points 0, 2, 4
    EXPECT_TRUE(m_box->messages().empty());
}

TEST_F(CadFigures, SeriesMarksNumbersLabelsAndArrows)
{
    g->EBOGRENZEN(false);
    struct Case {
        const char* what;
        int n;
        int16_t psit, pnr, lagepfeil;
        std::optional<drawing::NumberList> bol;
        int lines, texts;
    };
    const Case cases[] = {
        {"three points", 3, 0, 0, 0, std::nullopt, 2, 0},
        {"switches 1, 0, 1", 4, 0, 0, 0, drawing::NumberList{1, 0, 1}, 2, 0},
        {"arrow heads at both ends of each segment", 3, 0, 0, 6, std::nullopt, 2 + 4 * 3, 0},
        {"the last point numbered", 5, 0, 1, 0, std::nullopt, 4, 1},
        {"crosses at 0 and 4 of 8", 8, 3, 0, 0, std::nullopt, 7 + 2 * 4, 0},
    };
    for (const Case& c : cases) {
        drawing::SingleArray x = drawing::SingleArray::sized(0, c.n - 1), y = drawing::SingleArray::sized(0, c.n - 1);
        for (int i = 0; i < c.n; ++i) {
            x(i) = float(10 * i);
            y(i) = float(i);
        }
        g->POLYGON(x, y, c.psit, 0, c.pnr, QString(), 0, c.lagepfeil, false, c.bol);
        const auto made = added();
        EXPECT_EQ(ofKind(made, Entity::Kind::Line).size(), size_t(c.lines)) << c.what;
        const auto texts = ofKind(made, Entity::Kind::MText);
        EXPECT_EQ(texts.size(), size_t(c.texts)) << c.what;
        if (c.pnr == 1 && texts.size() == 1u) {
            float xp = 0, yp = 0;
            g->KOORDTRANS(40, 4, xp, yp);
            EXPECT_EQ(texts[0]->TextString(), QStringLiteral("4"));
            EXPECT_NEAR(texts[0]->InsertionPoint().x, xp + 1, 1e-4);
            EXPECT_NEAR(texts[0]->InsertionPoint().y, yp - 1, 1e-4);
        }
    }
    // A label along the first segment at 45 degrees.
    drawing::SingleArray x{0, 10}, y{0, 1};
    g->POLYGON(x, y, 0, 0, 0, QStringLiteral("Reihe"), 0);
    const auto label = ofKind(added(), Entity::Kind::MText);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0]->TextString(), QStringLiteral("Reihe"));
    EXPECT_TRUE(m_box->messages().empty());
}

TEST_F(CadFigures, LoadAreasKeepTheirScaleUnderThePicturesRecord)
{
    // The picture belongs to record 77, not to the active record.
    setG0({{"MSP", 0}});
    m_cnn->execute(QStringLiteral("INSERT INTO [G0] ([ID], [IDOBJEKT], [MSP]) VALUES (77, 11, 0)"));
    g->EID(77);
    const std::vector<float> x{10, 50}, y{5, 5};
    const std::vector<std::vector<float>> p{{30, 60}, {0, 0}, {0, 0}, {0, 0}};
    g->LASTFLAECHEN(x, y, p, 2);
    auto rs = m_cnn->openRecordset(QStringLiteral("SELECT [MSP] FROM [G0] WHERE [ID]=77 AND [IDOBJEKT]=11"));
    ASSERT_FALSE(rs->eof());
    EXPECT_NEAR(rs->field(0).number(), 4, 1e-6);
    rs->close();
    EXPECT_EQ(g0(QStringLiteral("MSP")).value_or(-1), 0);
}

TEST_F(CadFigures, AxesFollowTheClipFlagAndTheScrollBars)
{
    setG0({{"OX", 1}, {"OY", 1}, {"RL", 20}, {"RR", 20}, {"RO", 30}, {"RU", 30}, {"XMIN", 0}, {"XMAX", 10},
           {"YMIN", 0}, {"YMAX", 24}, {"MX", 0.1}, {"MY", 0.1}, {"MYMX", 0}});
    drawing::ScrollBarState bar;
    bar.Max(10000);
    bar.Value(5000);
    struct Case {
        const char* what;
        bool clip;
        bool visible;
        bool axes;
        float shift;
    };
    // Needed height 240 mm of 240: no room to shift; width 100 of 160: 30 mm.
    const Case cases[] = {
        {"drawing everything", false, true, true, 0},
        {"clipped, bar hidden", true, false, true, 30},
        {"clipped, bar shown", true, true, false, 30},
    };
    for (const Case& c : cases) {
        clsAGRAFIK e;
        e.EBOGRENZEN(c.clip);
        e.EOBJEKT(&doc);
        e.ELX(200);
        e.ELY(300);
        bar.Visible(c.visible);
        e.EXBALKEN(&bar);
        e.ELYMIN(drawing::NumberList{0, 24});
        e.ELYDIFF(drawing::NumberList{24});
        e.ELXMIN(drawing::NumberList{0, 10});
        e.ELXDIFF(drawing::NumberList{10});
        e.ELXIT(drawing::NumberList{10});
        e.ELXGIT(drawing::NumberList{4});
        e.ELXZL(drawing::NumberList{1});
        e.EAXEY(0);
        added();
        e.SKALEN(0);
        const auto made = added();
        EXPECT_FLOAT_EQ(e.view().SX, c.shift) << c.what;
        EXPECT_EQ(made.empty(), !c.axes) << c.what;
        if (!c.axes)
            continue;
        // Ticks 10, grid 4: grid lines at ticks 0, 2, 4, 6, 8, 10 (6 lines
        // across the plot); labels 1: numbers at the first and last tick.
        int across = 0;
        for (const Entity* l : ofKind(made, Entity::Kind::Line))
            across += std::fabs(l->start().y - l->end().y) > 100 ? 1 : 0;
        EXPECT_EQ(across, 6) << c.what;
        const auto texts = ofKind(made, Entity::Kind::MText);

        ASSERT_EQ(texts.size(), 2u) << c.what;  // two numbers; the empty title makes no text
        EXPECT_EQ(texts[0]->TextString(), QStringLiteral("0"));
        EXPECT_EQ(texts[1]->TextString(), QStringLiteral("10"));
    }
}

// The filled markers' hatches enclose the marker: the disc's loop follows its
// circle, the triangle's holds all three corners (not a base corner twice).
TEST_F(CadFigures, FilledMarkersHatchTheirWholeArea)
{
    struct Case {
        int16_t code;
        float size;
        double area;
    };
    const Case cases[] = {{-1, 0.4f, kPi * 0.4 * 0.4}, {-1, 1.2f, kPi * 1.2 * 1.2}, {-2, 2, 2.0}, {-2, 1.2f, 0.72}};
    g->EBOGRENZEN(false);
    for (const Case& c : cases) {
        g->SYMBOLE(50, 60, c.code, c.size);
        const auto hatches = ofKind(added(), Entity::Kind::Hatch);
        ASSERT_EQ(hatches.size(), 1u) << c.code;
        const auto& loop = hatches[0]->loop();
        double twice = 0;   // shoelace formula
        for (size_t i = 0; i < loop.size(); ++i) {
            const auto& a = loop[i];
            const auto& b = loop[(i + 1) % loop.size()];
            twice += a.x * b.y - b.x * a.y;
        }
        EXPECT_NEAR(std::fabs(twice) / 2, c.area, c.area * 0.01) << c.code << " " << c.size;
    }
}
