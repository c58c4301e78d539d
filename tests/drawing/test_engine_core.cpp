// Engine state, construction, target binding, transforms and numeric helpers.

#include "DrawingFixture.h"

#include "drawing/Numeric.h"

#include <cmath>

using namespace drawing;

TEST_F(DrawingTest, NewEngineTakesTheActiveRecordAndItsDefaults)
{
    clsGRAFIK g;
    EXPECT_EQ(g.EID(), kId);  // a key above the 16-bit range stays whole
    EXPECT_EQ(g.EIDOBJEKT(), 11);
    EXPECT_EQ(g.EOBJEKT(), nullptr);
    EXPECT_EQ(g.EAXEX(), 1);
    EXPECT_EQ(g.EAXEY(), 1);
    EXPECT_EQ(g.ESKZX(), "####0");
    EXPECT_EQ(g.ESKZY(), "####0");
    EXPECT_FALSE(g.ELXMIN().has_value());
    EXPECT_FALSE(g.EBOXMIN());
    EXPECT_EQ(g.EPTYP(), 0);
}

TEST_F(DrawingTest, NoActiveRecordGivesKeyZero_AndNoWorkingCopyRaises)
{
    m_cnn->execute(QStringLiteral("UPDATE [E1] SET [AKT]=?"), {vb::Variant(false)});
    clsGRAFIK g;
    EXPECT_EQ(g.EID(), 0);
    db::sharedState().cnnX.reset();
    try {
        clsGRAFIK h;
        FAIL() << "construction without a working copy must fail";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, 91);
    }
}

TEST_F(DrawingTest, BindingATargetMeasuresItAndResetsTablesAndFonts)
{
    auto t = mmTarget(96.0);
    t->FontName("Times New Roman");
    clsGRAFIK g;
    g.EOBJEKT(t.get());
    EXPECT_NEAR(g.pixelDensityX(), 96.0 / 25.4, 1e-3);
    EXPECT_NEAR(g.pixelDensityY(), 96.0 / 25.4, 1e-3);
    EXPECT_NEAR(g.ELX(), 240.0, 0.01);
    EXPECT_NEAR(g.ELY(), 132.0, 0.01);
    ASSERT_TRUE(g.ELXMIN().has_value());
    EXPECT_EQ(g.ELXMIN()->size(), 2u);
    // The scale the target had is back, and the font is the engine default.
    EXPECT_EQ(t->ScaleMode(), vbMillimeters);
    EXPECT_EQ(t->FontName(), "Arial");
    EXPECT_FLOAT_EQ(t->FontSize(), 8.0f);

    // A user scale is restored as it was.
    auto u = mmTarget(96.0);
    u->Scale(10, 20, 250, 152);
    g.EOBJEKT(u.get());
    EXPECT_EQ(u->ScaleMode(), vbUser);
    EXPECT_FLOAT_EQ(u->ScaleLeft(), 10.0f);
    EXPECT_FLOAT_EQ(u->ScaleTop(), 20.0f);
    EXPECT_FLOAT_EQ(u->ScaleWidth(), 240.0f);
}

TEST_F(DrawingTest, SettingTheWidthResetsTheAxisTables)
{
    clsGRAFIK g;
    g.ELX(240);
    EXPECT_EQ(*g.ELXMIN(), (NumberList{0, 240}));
    EXPECT_EQ(*g.ELXDIFF(), (NumberList{240}));
    EXPECT_EQ(*g.ELXIT(), (NumberList{1}));
    EXPECT_EQ(*g.ELXGIT(), (NumberList{0}));
    EXPECT_EQ(*g.ELXZL(), (NumberList{0}));
    g.ELXGIT({1, 2});
    EXPECT_EQ(*g.ELXZL(), (NumberList{1, 2}));
    EXPECT_FALSE(g.ELYMIN().has_value());  // the other axis is untouched
    g.ELY(132);
    EXPECT_EQ(*g.ELYMIN(), (NumberList{0, 132}));
}

TEST_F(DrawingTest, EqualScaleModeIsAWholeNumberHalvesToEven)
{
    clsGRAFIK g;
    const std::pair<float, float> cases[] = {{1.5f, 2.0f}, {2.5f, 2.0f}, {0.4f, 0.0f}, {-1.5f, -2.0f}};
    for (auto [in, out] : cases) {
        g.EXYIT(in);
        EXPECT_EQ(g.EXYIT(), out) << in;
    }
    EXPECT_THROW(g.EXYIT(40000.0f), vb::VbError);
}

TEST_F(DrawingTest, WorldToPageForBothOrientationsAndTheInverse)
{
    struct Case {
        int16_t OX, OY;
        float XMIN, XMAX, YMIN, YMAX, MX, MY;
        float X, Y, XP, YP;
    };
    const Case cases[] = {
        {1, -1, 0, 100, 0, 10, 1, 0.1f, 20, 2, 25, 25},     // log page: x right, depth down
        {0, -1, 0, 100, 0, 10, 1, 0.1f, 20, 2, 85, 25},     // x mirrored
        {1, 1, 0, 100, 0, 10, 1, 0.1f, 20, 2, 25, 85},      // y upward
        {-1, 1, 10, 60, -5, 5, 0.5f, 0.25f, 35, 0, 55, 25}, // both turned, shifted ranges
    };
    for (const Case& c : cases) {
        clsGRAFIK g;
        ViewState v;
        v.OX = c.OX, v.OY = c.OY, v.RL = 5, v.RR = 7, v.RO = 5, v.RU = 5;
        v.XMIN = c.XMIN, v.XMAX = c.XMAX, v.YMIN = c.YMIN, v.YMAX = c.YMAX, v.MX = c.MX, v.MY = c.MY;
        g.setView(v);
        float xp = 0, yp = 0;
        g.KOORDTRANS(c.X, c.Y, xp, yp);
        EXPECT_NEAR(xp, c.XP, 1e-4) << c.OX << "/" << c.OY;
        EXPECT_NEAR(yp, c.YP, 1e-4) << c.OX << "/" << c.OY;
        float x = 0, y = 0;
        g.KOORDTRANSINV(xp, yp, x, y);
        EXPECT_NEAR(x, c.X, 1e-4);
        EXPECT_NEAR(y, c.Y, 1e-4);
        // A logarithmic axis gets its plain value back.
        g.KOORDTRANSINV(xp, yp, x, y, 1, 1);
        EXPECT_NEAR(x, std::pow(10.0f, c.X), std::pow(10.0f, c.X) * 1e-5);
        EXPECT_NEAR(y, std::pow(10.0f, c.Y), std::pow(10.0f, c.Y) * 1e-5);
    }
    EXPECT_EQ(m_box->count(), 0);
}

TEST_F(DrawingTest, TransformBeforeScalesReportsEachCoordinate)
{
    clsGRAFIK g;
    float xp = -1, yp = -1;
    g.KOORDTRANS(1, 1, xp, yp);
    ASSERT_EQ(m_box->count(), 2);
    for (const auto& r : m_box->records()) {
        EXPECT_EQ(r.title, "Koordinatentransformation");
        EXPECT_TRUE(r.text.startsWith("VB-Fehler: 11\n")) << r.text;
        EXPECT_EQ(r.buttons, vb::MsgButtons::OKCancel);
    }
    // Cancel on the first box leaves before Y is tried.
    m_box->clear();
    m_box->answerMessage(vb::vbCancel);
    g.KOORDTRANS(1, 1, xp, yp);
    EXPECT_EQ(m_box->count(), 1);
}

TEST(DrawingNumeric, HelpersGiveTheStatedValues)
{
    vb::ScopedDialogs box;
    EXPECT_FLOAT_EQ(LININT(0, 10, 5, 0, 100), 50.0f);
    EXPECT_FLOAT_EQ(LININT(2, 2, 5, 0, 1), 0.0f);
    ASSERT_EQ(box->count(), 1);
    EXPECT_EQ(box->last().text, "Division durch Null!");
    EXPECT_EQ(box->last().title, "LININT");
    EXPECT_EQ(box->last().buttons, vb::MsgButtons::OKOnly);

    EXPECT_FLOAT_EQ(LOG10(100), 2.0f);
    EXPECT_FLOAT_EQ(LOG10(0), 0.0f);
    EXPECT_FLOAT_EQ(LOG10(-5), 0.0f);
    EXPECT_FLOAT_EQ(MINIMUM(3, 3), 3.0f);
    EXPECT_FLOAT_EQ(MINIMUM(2, 3), 2.0f);

    struct Scale {
        float MX, MY, MYMX, outMX, outMY;
    };
    const Scale scales[] = {{0.5f, 0.2f, 1, 0.5f, 0.5f}, {0.2f, 0.5f, 2, 0.25f, 0.5f}, {0.5f, 0.2f, 0, 0.5f, 0.2f}};
    for (const Scale& s : scales) {
        float mx = s.MX, my = s.MY;
        MASSSTAB(0, 100, 0, 10, 240, 132, 5, 7, 5, 5, s.MYMX, mx, my);
        EXPECT_FLOAT_EQ(mx, s.outMX);
        EXPECT_FLOAT_EQ(my, s.outMY);
    }
    float mx = 0, my = 0;
    MASSSTAB(0, 228, 0, 12.2f, 240, 132, 5, 7, 5, 5, 0, mx, my);  // ranges fill the plot area
    EXPECT_FLOAT_EQ(mx, 1.0f);
    EXPECT_NEAR(my, 0.1f, 1e-6);
    mx = 0;
    EXPECT_THROW(MASSSTAB(0, 1, 0, 1, 12, 132, 5, 7, 5, 5, 0, mx, my), vb::VbError);  // plot width 0

    struct Dir {
        float dx, dy, w;
    };
    const Dir dirs[] = {{0, 0, 0},           {0, 1, 1.5707964f},  {0, -1, 4.712389f},  {1, 0, 0},
                        {-1, 0, 3.1415927f}, {1, 1, 0.7853982f}, {-1, 1, 2.3561945f}, {-1, -1, 3.926991f},
                        {1, -1, 5.497787f}};
    for (const Dir& d : dirs) EXPECT_NEAR(RICHTUNGSWINKEL(2, 3, 2 + d.dx, 3 + d.dy), d.w, 1e-6) << d.dx << "," << d.dy;
}
