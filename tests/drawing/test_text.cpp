// Inline markup, aligned, clipped and rotated text, point symbols.

#include "DrawingFixture.h"

#include "drawing/Markup.h"
#include "drawing/Numeric.h"
#include "drawing/clsROTATOR.h"

using namespace drawing;

namespace {

using Bench = LogPageBench;

// "kind:code:text" of each piece.
QStringList describe(const std::vector<MarkupPiece>& pieces)
{
    QStringList out;
    for (const MarkupPiece& p : pieces) {
        const char* kind = p.kind == MarkupPiece::Kind::Plain ? "plain" :
                           p.kind == MarkupPiece::Kind::Inserted ? "char" : "dir";
        out << QStringLiteral("%1:%2:%3").arg(kind, p.code, p.text);
    }
    return out;
}

// Value of "key=" in a recorded line.
QString field(const QString& line, const QString& key)
{
    const int at = int(line.indexOf(key + QLatin1Char('=')));
    if (at < 0) return QString();
    const int end = int(line.indexOf(QLatin1Char(' '), at));
    return line.mid(at + key.size() + 1, end < 0 ? -1 : end - at - key.size() - 1);
}

float number(const QString& line, int index)
{
    return line.split(QLatin1Char(' '))[index].toFloat();
}

} // namespace

TEST(DrawingMarkup, TextsSplitIntoThePiecesTheyAreDrawnIn)
{
    struct Case {
        const char* text;
        QStringList pieces;
        bool stopped;
    };
    const Case cases[] = {
        {"I{t,1}D [1]", {"plain::I", "dir:t:D", "plain:: [1]"}, false},
        {"20{c,176}C", {"plain::20", QStringLiteral("char:c:°"), "plain::C"}, false},
        {"ab{x", {"plain::ab"}, true},
        {"ab{h}", {"plain::ab"}, true},
        {"{g,1}a", {"dir:g:a"}, false},
        {"A{h,1}2{t,1}3", {"plain::A", "dir:h:2", "plain::", "dir:t:3"}, false},
        {"x{h,5}ab", {"plain::x", "dir:h:ab"}, false},
        {"x{h,2147483647}ab{t,1}c", {"plain::x", "dir:h:ab{t,1}c"}, false},
        {"x {s,1}3", {"plain::x ", "dir:s:3"}, false},
        {"E{t,1}D [kN/m{c,178}]", {"plain::E", "dir:t:D", "plain:: [kN/m", QStringLiteral("char:c:²"), "plain::]"},
         false},
        // A directive with an empty code draws its characters as plain text,
        // and the plain text after it is drawn too.
        {"x{,1}ab{t,1}c", {"plain::x", "dir::a", "plain::b", "dir:t:c"}, false},
        {"no markup, just text", {"plain::no markup, just text"}, false},
    };
    for (const Case& c : cases) {
        bool stopped = false;
        EXPECT_EQ(describe(splitMarkup(QString::fromUtf8(c.text), &stopped)), c.pieces) << c.text;
        EXPECT_EQ(stopped, c.stopped) << c.text;
    }
}

TEST(DrawingMarkup, MalformedDirectivesRaise)
{
    struct Case {
        const char* text;
        int number;
    };
    const Case cases[] = {{"a{t,1", 5}, {"a{t}1,", 5}, {"a{t,x}b", 13}, {"a{t,-1}b", 5}, {"a{c,256}", 5}};
    for (const Case& c : cases) {
        try {
            splitMarkup(c.text);
            ADD_FAILURE() << c.text;
        } catch (const vb::VbError& e) {
            EXPECT_EQ(e.number, c.number) << c.text;
        }
        // With a failure slot the pieces before the fault come back.
        std::exception_ptr failure;
        const auto pieces = splitMarkup(c.text, nullptr, &failure);
        EXPECT_TRUE(failure) << c.text;
        ASSERT_FALSE(pieces.empty());
        EXPECT_EQ(pieces[0].text, "a");
    }
}

TEST(DrawingMarkup, PlainTextAndExponents)
{
    EXPECT_EQ(plainText("I{t,1}D [1]"), "ID [1]");
    EXPECT_EQ(plainText("20{c,176}C"), "20C");
    EXPECT_EQ(plainText("ab{x"), "ab{x");
    EXPECT_EQ(plainText("a{b}c{d"), "ac{d");
    EXPECT_EQ(plainText("{{a}b}c"), "b}c");
    EXPECT_EQ(plainText("}a{b}}{c"), "}a}{c");

    vb::ScopedLocale en(QStringLiteral("en_US"));
    EXPECT_EQ(exponentMarkup("1.5E+03"), "1.5*10{h,3}+03");
    EXPECT_EQ(exponentMarkup("2e-5"), "2*10{h,2}-5");
    EXPECT_EQ(exponentMarkup("1e5"), "1*10{h,1}5");
    EXPECT_EQ(exponentMarkup("E5"), "E5");
    EXPECT_EQ(exponentMarkup("12.5"), "12.5");
    EXPECT_EQ(exponentMarkup("Ebene"), "Ebene");
}

TEST_F(DrawingTest, MarkedUpTextIsDrawnPieceByPiece)
{
    Bench b;
    b.g->TEXT(20, 30, "I{t,1}D [1]");
    const QStringList prints = b.target->linesOf("PRINT");
    ASSERT_EQ(prints.size(), 3) << b.target->lines().join("\n").toStdString();
    EXPECT_TRUE(prints[0].contains("\"I\" font=Arial/8")) << prints[0];
    EXPECT_TRUE(prints[1].contains("\"D\" font=Arial/7")) << prints[1];
    EXPECT_TRUE(prints[2].contains("\" [1]\" font=Arial/8")) << prints[2];

    // The target's own font is in place again.
    EXPECT_EQ(b.target->Font(), b.g->fontSlot(0));

    // Each piece starts where the one before ended; the subscript is lowered
    // by 0.35 of its height.
    Target& t = *b.target;
    const float wI = t.TextWidth("I");
    t.Font(b.g->fontSlot(4));
    const float wD = t.TextWidth("D");
    const float hD = t.TextHeight("D");
    t.Font(b.g->fontSlot(2));
    EXPECT_NEAR(number(prints[0], 1), 20.0f, 1e-3);
    EXPECT_NEAR(number(prints[1], 1), 20.0f + wI, 2e-3);
    EXPECT_NEAR(number(prints[1], 2), 30.0f + 0.35f * hD, 2e-3);
    EXPECT_NEAR(number(prints[2], 1), 20.0f + wI + wD, 2e-3);
    EXPECT_NEAR(number(prints[2], 2), 30.0f, 1e-3);
    EXPECT_EQ(m_box->count(), 0);
}

TEST_F(DrawingTest, GreekInsertedCharactersAndSymbolsInText)
{
    Bench b;
    b.g->TEXT(20, 30, "{g,1}s = 20{c,176}C {s,1}3");
    const QStringList prints = b.target->linesOf("PRINT");
    ASSERT_GE(prints.size(), 4) << b.target->lines().join("\n").toStdString();
    EXPECT_TRUE(prints[0].contains("\"s\" font=Symbol/8")) << prints[0];
    EXPECT_TRUE(prints[1].contains("\" = 20\" font=Arial/8")) << prints[1];
    EXPECT_TRUE(prints[2].contains(QStringLiteral("\"°\" font=Arial/8"))) << prints[2];
    // Point symbol 3 (a filled circle) instead of the digit.
    EXPECT_EQ(b.target->linesOf("CIRCLE").size(), 1);
    EXPECT_FALSE(b.target->lines().join("|").contains("\"3\""));
}

TEST_F(DrawingTest, UnknownCodeTakesTheFontOfThePieceBefore)
{
    // A code without a style of its own keeps the font of the piece before:
    // the first piece's own font, the plain text's, or a subscript's. Two
    // directives in a row have an empty plain piece between them, so the
    // second one gets the plain text's font.
    struct Case {
        const char* text;
        const char* piece;
        const char* font;
    };
    const Case cases[] = {
        {"{q,1}b", "b", "Arial/8"},
        {"a{t,1}b", "b", "Arial/7"},
        {"a{t,1}bc{q,1}d", "d", "Arial/8"},
        {"a{t,1}b{q,1}d", "d", "Arial/8"},
        {"a{g,1}b{q,1}d", "d", "Arial/8"},
    };
    for (const Case& c : cases) {
        Bench b;
        b.g->TEXT(20, 30, c.text);
        QString found;
        for (const QString& l : b.target->linesOf("PRINT"))
            if (l.section('"', 1, 1) == QLatin1String(c.piece)) found = l;
        ASSERT_FALSE(found.isEmpty()) << c.text;
        EXPECT_TRUE(found.contains(QStringLiteral("font=") + c.font)) << c.text << ": " << found;
    }
}

TEST_F(DrawingTest, EmptyDirectiveCodeKeepsTheTextAfterIt)
{
    Bench b;
    b.g->TEXT(20, 30, "x{,1}ab{t,1}c");
    QStringList texts;
    for (const QString& l : b.target->linesOf("PRINT")) texts << l.section('"', 1, 1);
    EXPECT_EQ(texts, (QStringList{"x", "a", "b", "c"}));
}

TEST_F(DrawingTest, TextIsDrawnOnlyWhenItFitsItsBox)
{
    // Page anchor: box = picture area widened by 1 mm (-1..241, -1..133).
    struct Case {
        float x, y;
        int16_t ko, arx, ary;
        bool drawn;
    };
    Bench probe;
    const float W = probe.target->TextWidth("Probe");
    const float H = probe.target->TextHeight("Probe");
    const Case cases[] = {
        {100, 50, 0, 0, 0, true},
        {241 - W - 0.01f, 50, 0, 0, 0, true},     // left-aligned: more than W inside the right edge
        {241 - W + 0.01f, 50, 0, 0, 0, false},
        {-0.5f + W / 2 + 0.01f, 50, 0, 1, 0, true}, // centred: W/2 from the left edge
        {-1 + W / 2 - 0.01f, 50, 0, 1, 0, false},
        {100, -1 + H + 0.01f, 0, 0, 2, true},     // bottom-aligned: more than H below the top
        {100, -1 + H - 0.01f, 0, 0, 2, false},
        {-0.5f, 60, 1, 0, 1, true},               // world anchor 0.5 mm left of the plot area
        {-1.5f, 60, 1, 0, 1, false},
    };
    for (const Case& c : cases) {
        Bench b;
        // World anchors: x world = page x - 5 here (MX 1, RL 5).
        b.g->TEXT(c.ko == 1 ? c.x : c.x, c.ko == 1 ? 2.0f : c.y, "Probe", c.ko, 0, c.arx, c.ary);
        EXPECT_EQ(!b.target->linesOf("PRINT").isEmpty(), c.drawn) << c.x << "," << c.y << " ko " << c.ko;
        // Asking first gives the same answer and draws nothing.
        Bench q;
        EXPECT_EQ(q.g->TEXTPASST(c.x, c.ko == 1 ? 2.0f : c.y, "Probe", c.ko, 0, c.arx, c.ary), c.drawn)
            << c.x << "," << c.y << " ko " << c.ko;
        EXPECT_TRUE(q.target->linesOf("PRINT").isEmpty());
    }
    Bench b;
    EXPECT_FALSE(b.g->TEXTPASST(10, 10, QString()));
    b.g->TEXT(10, 10, QString());
    EXPECT_TRUE(b.target->lines().isEmpty());
    EXPECT_FALSE(b.g->fontSlot(0));  // an empty text leaves slot 0 alone
}

TEST_F(DrawingTest, TextAtNinetyDegreesGoesThroughTheRotator)
{
    Bench b;
    b.g->TEXT(100, 60, "Tiefe [m]", 0, 90, 1, 2);
    EXPECT_TRUE(b.target->linesOf("PRINT").isEmpty());
    const QStringList outs = b.target->linesOf("TEXTOUT");
    ASSERT_EQ(outs.size(), 1);
    EXPECT_EQ(field(outs[0], "esc"), "900");
    EXPECT_EQ(field(outs[0], "face"), "Arial");
    EXPECT_EQ(field(outs[0], "h"), "12");  // 8 pt at 96 dpi: 10 px em, 12 px cell
    // Centred along the text (which runs upward) and bottom on the anchor:
    // the start lies W/2 below the anchor and H to its left.
    const float W = b.target->TextWidth("Tiefe [m]");
    const float H = b.target->TextHeight("Tiefe [m]");
    const double ppmm = 96.0 / 25.4;
    EXPECT_NEAR(outs[0].split(' ')[1].toInt(), (100 - H) * ppmm, 1.0);
    EXPECT_NEAR(outs[0].split(' ')[2].toInt(), (60 + W / 2) * ppmm, 1.0);
}

TEST_F(DrawingTest, RotatorFontRecordFromTheTargetFont)
{
    auto t = mmTarget(96.0);
    struct Case {
        float size;
        int16_t angle;
        int lfHeight;
    };
    const Case cases[] = {{8, 90, 12}, {8.25f, 90, 13}, {10, 45, 15}};
    for (const Case& c : cases) {
        t->FontSize(c.size);
        t->FontItalic(true);
        t->CurrentX(10);
        t->CurrentY(20);
        clsROTATOR r;
        r.Device(t.get());
        r.Angle(c.angle);
        r.Label("abc");
        EXPECT_EQ(r.logFont().lfHeight, c.lfHeight) << c.size;
        EXPECT_EQ(r.logFont().lfEscapement, c.angle * 10);
        EXPECT_EQ(r.logFont().lfOrientation, c.angle * 10);
        EXPECT_EQ(r.logFont().lfItalic, 1);
        EXPECT_EQ(r.logFont().lfFaceName, QByteArray("Arial\0", 6));
        EXPECT_EQ(r.PixelX(10), 38);  // 10 mm at 3.78 px/mm
        EXPECT_EQ(r.PixelY(20), 76);
        EXPECT_EQ(t->ScaleMode(), vbMillimeters);
    }
}

TEST_F(DrawingTest, MalformedDirectiveShowsTheTextBoxAfterTheGoodPieces)
{
    Bench b;
    b.g->TEXT(20, 30, "ab{t,x}c");
    ASSERT_EQ(m_box->count(), 1);
    EXPECT_EQ(m_box->last().title, "Text");
    EXPECT_TRUE(m_box->last().text.startsWith("VB-Fehler: 13\n")) << m_box->last().text;
    ASSERT_EQ(b.target->linesOf("PRINT").size(), 1);
    EXPECT_TRUE(b.target->linesOf("PRINT")[0].contains("\"ab\""));
}

TEST_F(DrawingTest, PointSymbolsZeroToSix)
{
    struct Case {
        int16_t nr;
        int lines, boxes, circles;
        const char* first;
    };
    const Case cases[] = {
        {0, 4, 0, 0, "LINE 50.000 50.000 49.250 49.250"},
        {1, 0, 1, 0, "BOX 49.500 49.500 50.500 50.500 c=0x000000 filled"},
        {2, 0, 1, 0, "BOX 49.500 49.500 50.500 50.500 c=0x000000 open"},
        {3, 0, 0, 1, "CIRCLE 50.000 50.000 0.700 c=0x000000 fill=0/0x000000"},
        {4, 0, 0, 1, "CIRCLE 50.000 50.000 0.700 c=0x000000 fill=1/"},
        {5, 3, 0, 0, "LINE 49.300 50.330 50.700 50.330"},
        {6, 6, 0, 0, "LINE 50.000 50.000 49.250 49.250"},
        {7, 0, 0, 0, ""},
        {-1, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        Bench b;
        b.g->PUNKTSYMBOL(50, 50, c.nr);
        EXPECT_EQ(b.target->linesOf("LINE").size(), c.lines) << c.nr;
        EXPECT_EQ(b.target->linesOf("BOX").size(), c.boxes) << c.nr;
        EXPECT_EQ(b.target->linesOf("CIRCLE").size(), c.circles) << c.nr;
        if (*c.first) {
            ASSERT_FALSE(b.target->lines().isEmpty());
            EXPECT_TRUE(b.target->lines()[0].startsWith(c.first)) << c.nr << ": " << b.target->lines()[0];
        }
    }
    // The filled circle leaves the fill transparent and white; the open
    // circle follows a solid fill the caller set.
    Bench b;
    b.target->FillStyle(vbFSSolid);
    b.target->FillColor(0x00FF00);
    b.g->PUNKTSYMBOL(50, 50, 4);
    EXPECT_TRUE(b.target->lines().last().contains("fill=0/0x00ff00"));
    b.g->PUNKTSYMBOL(50, 50, 3);
    EXPECT_EQ(b.target->FillStyle(), vbFSTransparent);
    EXPECT_EQ(b.target->FillColor(), 0xFFFFFF);
    // Nothing is cut at the plot area.
    b.target->clear();
    b.g->PUNKTSYMBOL(5.5f, 50, 0);
    EXPECT_TRUE(b.target->lines().join("|").contains("LINE 5.500 50.000 4.750 49.250"));
}

TEST_F(DrawingTest, AnchorSystemsOfText)
{
    // KO 0: page mm; KO 2: mm from the picture's corner, scrolled; KO 1: a
    // world point through the transform.
    struct Case {
        int16_t ko;
        float x, y;
        float px, py;
    };
    const Case cases[] = {{0, 30, 40, 30, 40}, {2, 30, 40, 30 + 12 - 8, 40 + 3 - 2}, {1, 30, 2, 30 + 12 + 5 - 8, 3 + 5 + 20 - 2}};
    for (const Case& c : cases) {
        auto t = mmTarget();
        clsGRAFIK g;
        g.EOBJEKT(t.get());
        g.EXDL(12);
        g.EYDO(3);
        g.ELX(200);
        g.ELY(120);
        ViewState v = logPageView();
        v.SX = -8, v.SY = -2;
        g.setView(v);
        t->clear();
        g.TEXT(c.x, c.y, "a", c.ko);
        const QStringList prints = t->linesOf("PRINT");
        ASSERT_EQ(prints.size(), 1) << c.ko;
        EXPECT_NEAR(number(prints[0], 1), c.px, 1e-3) << c.ko;
        EXPECT_NEAR(number(prints[0], 2), c.py, 1e-3) << c.ko;
    }
}

// A macron written after a letter (the soil codes' "s¯", very sandy) is set
// over that letter: it takes no room of its own and its ink lies within the
// letter's width. A macron after a blank or at the start keeps its own place.
TEST(DrawingText, MacronAfterALetterIsSetOverIt)
{
    auto t = mmTarget(300.0, drawing::Target::Kind::Picture, 40, 20);
    t->FontSize(24);
    const QString ueber = QString::fromUtf8("s¯"), allein = QString::fromUtf8(" ¯");
    EXPECT_FLOAT_EQ(t->TextWidth(ueber), t->TextWidth(QStringLiteral("s")));
    EXPECT_GT(t->TextWidth(allein), t->TextWidth(QStringLiteral(" ")));
    EXPECT_GT(t->TextWidth(QString::fromUtf8("¯")), 0);

    t->CurrentX(5);
    t->CurrentY(5);
    t->Print(ueber);
    const QImage& bild = t->image();
    const int links = int(t->toPixelX(5)), rechts = int(std::ceil(t->toPixelX(5 + t->TextWidth(QStringLiteral("s")))));
    int tinte = 0, aussen = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (qGray(bild.pixel(x, y)) < 128) {
                ++tinte;
                aussen += x < links - 1 || x > rechts + 1;
            }
    EXPECT_GT(tinte, 50);
    EXPECT_EQ(aussen, 0);
}
