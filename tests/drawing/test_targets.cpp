// The drawing targets: scales, measuring, scroll bars, printer fallback.

#include "DrawingFixture.h"

#include "drawing/RecordingEngine.h"

#include <QFile>
#include <QScrollBar>
#include <QWidget>
#include <limits>

using namespace drawing;

TEST(DrawingTargets, ScaleModesConvertBetweenUnits)
{
    PictureTarget t(float(240 * kTwipsPerMm), float(132 * kTwipsPerMm), 96.0);
    EXPECT_EQ(t.ScaleMode(), vbTwips);
    EXPECT_NEAR(t.ScaleWidth(), 240 * kTwipsPerMm, 15);  // whole pixels of 15 twips
    t.ScaleMode(vbPixels);
    EXPECT_FLOAT_EQ(t.ScaleWidth(), float(t.pixelWidth()));
    t.ScaleMode(vbMillimeters);
    EXPECT_NEAR(t.ScaleWidth(), 240, 0.2);
    EXPECT_NEAR(t.ScaleX(10, vbMillimeters, vbTwips), 10 * 1440 / 25.4, 1e-6);
    t.Scale(0, 0, 100, 50);
    EXPECT_EQ(t.ScaleMode(), vbUser);
    EXPECT_NEAR(t.pixelsPerUnitX(), t.pixelWidth() / 100.0, 1e-9);
    EXPECT_THROW(t.DrawWidth(0), vb::VbError);
    EXPECT_THROW(t.ScaleMode(9), vb::VbError);
    EXPECT_THROW(t.Circle(10, 10, 5, std::nullopt, 0.0f, 7.0f), vb::VbError);  // more than a full turn
}

TEST(DrawingTargets, FontObjectsAreSharedByReference)
{
    PictureTarget t(1000, 1000);
    const FontRef f = t.Font();
    t.FontName("Times New Roman");
    EXPECT_EQ(f->Name, "Times New Roman");
    t.FontBold(true);
    EXPECT_EQ(f->Weight, 700);
    const FontRef other = newFont();
    t.Font(other);
    t.FontSize(12);
    EXPECT_FLOAT_EQ(other->Size, 12);
    EXPECT_FLOAT_EQ(f->Size, 8);
    // Greek of the face "Symbol" is measured as the Greek letter.
    t.FontName("Symbol");
    EXPECT_GT(t.TextWidth("s"), 0);
    EXPECT_GT(t.TextHeight("s"), 0);
}

TEST(DrawingTargets, PrintAdvancesTheCurrentPoint)
{
    RecordingTarget t;
    t.ScaleMode(vbMillimeters);
    t.CurrentX(10);
    t.CurrentY(20);
    t.Print("abc");
    EXPECT_NEAR(t.CurrentX(), 10 + t.TextWidth("abc"), 1e-4);
    EXPECT_FLOAT_EQ(t.CurrentY(), 20);
    t.Line(1, 2, 3, 4);
    EXPECT_FLOAT_EQ(t.CurrentX(), 3);
    EXPECT_EQ(t.lines().size(), 2);
}

TEST(DrawingTargets, QtScrollBarFollowsTheEngine)
{
    QWidget parent;
    auto* qbar = new QScrollBar(Qt::Horizontal, &parent);
    QtScrollBar bar(qbar, 4.0, 4.0, 10, 20);
    bar.Top(127);
    bar.Left(0);
    bar.Width(235);
    bar.Height(5);
    EXPECT_EQ(qbar->geometry(), QRect(10, 20 + 508, 940, 20));
    bar.Min(0);
    bar.Max(10000);
    bar.LargeChange(5000);
    bar.SmallChange(100);
    bar.Value(2500);
    EXPECT_EQ(qbar->maximum(), 10000);
    EXPECT_EQ(qbar->pageStep(), 5000);
    EXPECT_EQ(qbar->singleStep(), 100);
    EXPECT_EQ(qbar->value(), 2500);
    qbar->setValue(7000);  // the user moved it
    EXPECT_EQ(bar.Value(), 7000);
    // Visible is the value set, even though the window is not shown.
    bar.Visible(true);
    EXPECT_TRUE(bar.Visible());
    EXPECT_FALSE(qbar->isVisible());
    bar.Visible(false);
    EXPECT_FALSE(bar.Visible());
    EXPECT_THROW(bar.LargeChange(0), vb::VbError);
    EXPECT_THROW(bar.Value(20000), vb::VbError);
}

TEST(DrawingTargets, PrinterFallsBackToAPdfFile)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    auto printer = PrinterTarget::defaultPrinter(pdf);
    ASSERT_TRUE(printer);
    EXPECT_TRUE(printer->isPrinter());
    EXPECT_NEAR(printer->Width(), 210 * kTwipsPerMm, 1);
    EXPECT_NEAR(printer->Height(), 297 * kTwipsPerMm, 1);
    EXPECT_THROW(printer->PaperSize(8), vb::VbError);
    if (printer->isPdf()) {
        printer->ScaleMode(vbMillimeters);
        printer->Line(10, 10, 200, 287);
        printer->EndDoc();
        EXPECT_TRUE(QFile::exists(pdf));
    }
}

TEST(DrawingTargets, UndefinedCoordinatesNeverReachTheSurface)
{
    RecordingTarget t;
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float bad : {inf, -inf, nan}) {
        EXPECT_THROW(t.Line(0, 0, bad, 1), vb::VbError);
        EXPECT_THROW(t.Box(0, 0, 1, bad, 0, true), vb::VbError);
        EXPECT_THROW(t.Circle(bad, 0, 1), vb::VbError);
        EXPECT_THROW(t.PSet(0, bad), vb::VbError);
    }
    EXPECT_TRUE(t.lines().isEmpty());
}

TEST(DrawingTargets, ByRefWritesBackToAVariableOnly)
{
    const auto twice = [](ByRef<float> v) { v.get() *= 2; };
    float var = 3;
    twice(var);
    EXPECT_FLOAT_EQ(var, 6);
    twice(5.0f);  // a plain value is copied
    const float fixed = 4;
    twice(fixed);
    EXPECT_FLOAT_EQ(fixed, 4);
}

TEST_F(DrawingTest, KreisWritesTwoPiBackIntoTheEndAngle)
{
    auto t = mmTarget();
    clsGRAFIK g;
    g.EOBJEKT(t.get());
    g.setView(logPageView());
    float al2 = 0;
    g.KREIS(50, 50, 5, 0, al2, 0, false, int16_t(0));
    EXPECT_FLOAT_EQ(al2, 6.2831855f);
    EXPECT_EQ(t->linesOf("CIRCLE").size(), 1);
}

TEST(DrawingRecordingEngine, RecordsCallsAndKeepsPropertiesAsTheEngineDoes)
{
    RecordingEngine e;
    DrawingInterface& d = e;
    d.ELX(240);
    EXPECT_EQ(*d.ELXMIN(), (NumberList{0, 240}));
    d.ELXGIT({2});
    EXPECT_EQ(*d.ELXZL(), (NumberList{2}));
    d.EXYIT(2.5f);
    EXPECT_EQ(d.EXYIT(), 2);
    EXPECT_EQ(d.ESKZX(), "####0");
    d.LINIE(1, 2, 3, 4);
    d.LINIE(1, 2, 3, 4, 0);  // FB 0 is a colour, not an omitted argument
    d.TEXT(1.5f, 2, "I{t,1}D", 1);
    SingleArray x{0, 1}, y{2, 3};
    d.POLYGON(x, y, 0, 0, 0, QString(), 0, 1);
    float al2 = 0;
    d.KREIS(1, 2, 3, 0, al2, 0, false, int16_t(0));
    EXPECT_FLOAT_EQ(al2, 6.2831855f);
    EXPECT_EQ(e.calls(), (QStringList{"LINIE 1 2 3 4 FB=- 0", "LINIE 1 2 3 4 FB=0 0", "TEXT 1.5 2 \"I{t,1}D\" 1 0 0 0",
                                      "POLYGON X=(0 1) Y=(2 3) 0 0 0 \"\" 0 1 0 BOL=-",
                                      "KREIS 1 2 3 0 6.28319 0 0 KO=0"}));
    ViewState v;
    v.OX = 1, v.OY = -1, v.RL = 5, v.RO = 5, v.MX = 1, v.MY = 0.1f;
    e.setView(v);
    float xp = 0, yp = 0;
    d.KOORDTRANS(20, 2, xp, yp);
    EXPECT_FLOAT_EQ(xp, 25);
    EXPECT_FLOAT_EQ(yp, 25);
    EXPECT_THROW(d.SYMBOLE(1, 2, -1, 1), vb::VbError);  // only the CAD engine has it
}
