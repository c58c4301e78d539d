// The CAD engine: styles, binding, properties, lines and bands, texts,
// transforms and arrow heads.

#include "CadFixture.h"
#include "drawing/Numeric.h"

#include <cmath>

using acad::Entity;

namespace {

// The frame of the line cases: plot area 20..180 x 30..270.
drawing::ViewState frameView()
{
    drawing::ViewState v;
    v.OX = 1, v.OY = -1, v.RL = 20, v.RR = 20, v.RO = 30, v.RU = 30, v.XMAX = 160, v.YMAX = 240, v.MX = 1, v.MY = 1;
    return v;
}

} // namespace

TEST_F(CadTest, LineSettingsByTable)
{
    struct Case {
        int16_t art;
        float breite;
        int32_t farbe;
        const char* type;
        int weight;
        int aci;
    };
    const Case cases[] = {
        {0, 0, 0, "Continuous", 0, 7},
        {2, 1.5f, 4, "ACAD_ISO07W100", 0, 1},
        {1, 10, 255, "ACAD_ISO02W100", 200, 11},
        {3, 11, 200, "ACAD_ISO04W100", 211, 200},
        {4, 3, 300, "ACAD_ISO12W100", 50, 7},
        {5, 0, -2, "Continuous", 0, 7},
        {-1, 0, 128, "Continuous", 0, 1},
        {0, 0, -1, "Continuous", 0, 255},
        {0, 0, 16711680, "Continuous", 0, 140},
        {0, 0, 15, "Continuous", 0, 255},
    };
    for (const Case& c : cases) {
        g->LINIENEINSTELLUNGEN(c.art, c.breite, c.farbe);
        EXPECT_EQ(g->linetypeName(), QString::fromLatin1(c.type)) << c.art;
        EXPECT_EQ(g->lineweight(), c.weight) << c.breite;
        EXPECT_EQ(g->colourIndex(), c.aci) << c.farbe;
    }
    g->LINIENEINSTELLUNGEN();
    EXPECT_EQ(g->linetypeName(), QStringLiteral("Continuous"));
}

TEST_F(CadTest, TextSettingsChooseStyleTypefaceAndHeight)
{
    struct Case {
        const char* font;
        int16_t size;
        bool bold;
        const char* style;
        const char* face;
        double height;
    };
    const Case cases[] = {
        {"Symbol", 10, true, "VavAvever", "greekC", 2.4},
        {"Arial", 30, false, "ZarEvezo", "txt", 30},
        {"symbol", 0, false, "ZarEvezo", "txt", 1.9},
        {"", 25, false, "ZarEvezo", "txt", 6.4},
        {"", 3, false, "ZarEvezo", "txt", 3},
    };
    for (const Case& c : cases) {
        g->SCHRIFTEINSTELLUNGEN(QString::fromLatin1(c.font), c.size, c.bold);
        const acad::TextStyle* s = doc.ActiveTextStyle();
        EXPECT_EQ(s->NAME, QString::fromLatin1(c.style)) << c.font;
        EXPECT_EQ(s->font, QString::fromLatin1(c.face)) << c.font;
        EXPECT_EQ(s->bold, c.bold) << c.font;
        EXPECT_FALSE(s->italic);
        EXPECT_DOUBLE_EQ(g->textHeight(), c.height) << c.size;
        EXPECT_DOUBLE_EQ(s->height, c.height) << c.size;
    }
    // One colour for lines and texts: the last call decides.
    g->SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 1);
    g->LINIENEINSTELLUNGEN(0, 0, 4);
    EXPECT_EQ(g->colourIndex(), 1);
    g->LINIENEINSTELLUNGEN(0, 0, 4);
    g->SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 1);
    EXPECT_EQ(g->colourIndex(), 5);
    // A size the drawing refuses (negative) is reported in the style's box.
    g->SCHRIFTEINSTELLUNGEN(QString(), -4);
    ASSERT_EQ(m_box->messages().size(), 1u);
    EXPECT_EQ(m_box->messages()[0].title, QStringLiteral("Schrifteinstellungen"));
    EXPECT_TRUE(m_box->messages()[0].text.startsWith(QStringLiteral("VB-Fehler:5\n")));
}

TEST_F(CadTest, BindingAddsOnlyWhatIsMissing)
{
    // A fresh drawing gets the line types, both styles and the layer.
    for (const char* lt : {"Continuous", "ACAD_ISO02W100", "ACAD_ISO07W100", "ACAD_ISO04W100", "ACAD_ISO12W100"})
        EXPECT_NE(doc.Linetypes().find(QString::fromLatin1(lt)), nullptr) << lt;
    EXPECT_EQ(doc.TextStyles().Count(), 3);
    EXPECT_EQ(doc.ActiveLayer()->Name, QStringLiteral("BILD11"));
    EXPECT_EQ(doc.ActiveTextStyle()->NAME, QStringLiteral("ZarEvezo"));
    EXPECT_EQ(doc.ActiveTextStyle()->font, QStringLiteral("txt"));
    EXPECT_DOUBLE_EQ(doc.ActiveTextStyle()->height, 1.9);
    EXPECT_EQ(g->colourIndex(), 7);
    EXPECT_EQ(g->lineweight(), 0);  // set by LINIENEINSTELLUNGEN in the fixture

    // Binding again to a drawing that has everything adds nothing.
    const int types = doc.Linetypes().Count(), styles = doc.TextStyles().Count(), layers = doc.Layers().Count();
    doc.ActiveLayer(doc.Layers().Item(0));
    clsAGRAFIK again;
    again.EOBJEKT(&doc);
    EXPECT_EQ(doc.Linetypes().Count(), types);
    EXPECT_EQ(doc.TextStyles().Count(), styles);
    EXPECT_EQ(doc.Layers().Count(), layers);
    EXPECT_EQ(doc.ActiveLayer()->Name, QStringLiteral("BILD11"));

    // One style present: only the other is added.
    struct Case {
        const char* present;
        const char* added;
    };
    for (const Case c : {Case{"ZarEvezo", "VavAvever"}, Case{"VavAvever", "ZarEvezo"}}) {
        acad::Document d;
        d.TextStyles().Add(QString::fromLatin1(c.present));
        clsAGRAFIK e;
        e.EIDOBJEKT(7);
        e.EOBJEKT(&d);
        EXPECT_EQ(d.TextStyles().Count(), 3) << c.present;
        EXPECT_NE(d.TextStyles().find(QString::fromLatin1(c.added)), nullptr) << c.present;
        EXPECT_EQ(d.TextStyles().find(QStringLiteral("ZarEvezo"))->font, QStringLiteral("txt"));
        EXPECT_EQ(d.ActiveLayer()->Name, QStringLiteral("BILD7"));
    }
    EXPECT_TRUE(m_box->messages().empty());
}

TEST_F(CadTest, PropertiesAndKey)
{
    EXPECT_EQ(g->EID(), kId);  // a key above 32767 is kept whole
    EXPECT_EQ(g->EIDOBJEKT(), 11);
    EXPECT_TRUE(g->EBOGRENZEN());
    g->ELX(120);
    EXPECT_EQ(g->ELXMIN(), (drawing::NumberList{0, 120}));
    EXPECT_EQ(g->ELXDIFF(), (drawing::NumberList{120}));
    EXPECT_EQ(g->ELXIT(), (drawing::NumberList{1}));
    EXPECT_EQ(g->ELXGIT(), (drawing::NumberList{0}));
    EXPECT_EQ(g->ELXZL(), (drawing::NumberList{0}));
    EXPECT_FLOAT_EQ(drawing::LININT(0, 10, 5, 0, 100), 50);
    EXPECT_FLOAT_EQ(drawing::LININT(2, 2, 5, 0, 1), 0);
    ASSERT_EQ(m_box->messages().size(), 1u);
    EXPECT_EQ(m_box->messages()[0].text, QStringLiteral("Division durch Null!"));
    EXPECT_EQ(m_box->messages()[0].title, QStringLiteral("LININT"));

    // No active record: key 0.
    m_cnn->execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
    clsAGRAFIK none;
    EXPECT_EQ(none.EID(), 0);
}

TEST_F(CadTest, LinesAreCutAtTheFrame)
{
    g->ELX(200);
    g->ELY(300);
    g->setView(frameView());
    g->LINIENEINSTELLUNGEN(1, 2, 12);
    added();
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        int16_t bosk;
        bool clip;
        std::vector<float> want;  // empty: nothing drawn
    };
    const Case cases[] = {
        {"horizontal from the left", 10, 50, 100, 50, 0, true, {20, 50, 100, 50}},
        {"vertical through both edges", 100, 10, 100, 300, 0, true, {100, 30, 100, 270}},
        {"beyond the left edge", 0, 0, 10, 20, 0, true, {}},
        {"slanted entry at the left", 10, 100, 60, 150, 0, true, {20, 110, 60, 150}},
        {"outside a corner", 10, 35, 25, 20, 0, true, {}},
        {"ordered left to right", 100, 40, 50, 60, 0, true, {50, 60, 100, 40}},
        {"equal X exchanged", 100, 40, 100, 60, 0, true, {100, 60, 100, 40}},
        {"through the bottom-right corner", 57, 195, 221, 295, 0, true, {57, 195, 180, 270}},
        {"through the bottom-left corner", 252, 258, -38, 273, 0, true, {20, 270, 180, 261.72414f}},
        {"tick in the margin, whole picture", 10, 100, 15, 100, 1, true, {10, 100, 15, 100}},
        {"tick in the margin, plot area", 10, 100, 15, 100, 0, true, {}},
        {"drawing everything", -50, -50, 400, 400, 0, false, {-50, -50, 400, 400}},
    };
    for (const Case& c : cases) {
        g->EBOGRENZEN(c.clip);
        g->LINIE(c.x1, c.y1, c.x2, c.y2, std::nullopt, c.bosk);
        const auto made = added();
        if (c.want.empty()) {
            EXPECT_TRUE(made.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(made.size(), 1u) << c.what;
        const Entity* e = made[0];
        EXPECT_NEAR(e->start().x, c.want[0], 1e-3) << c.what;
        EXPECT_NEAR(e->start().y, c.want[1], 1e-3) << c.what;
        EXPECT_NEAR(e->end().x, c.want[2], 1e-3) << c.what;
        EXPECT_NEAR(e->end().y, c.want[3], 1e-3) << c.what;
        EXPECT_EQ(e->Color(), 11);
        EXPECT_EQ(e->Lineweight(), 30);
        EXPECT_EQ(e->Linetype(), QStringLiteral("ACAD_ISO02W100"));
        EXPECT_EQ(e->layer(), QStringLiteral("BILD11"));
        EXPECT_EQ(e->updates(), 1);
    }
    EXPECT_TRUE(m_box->messages().empty());
}

TEST_F(CadTest, BandsAreOutlinedAndFilled)
{
    g->ELX(200);
    g->ELY(300);
    g->setView(frameView());
    g->LINIENEINSTELLUNGEN(0, 1, 0);
    added();
    struct Case {
        int32_t fb;
        int aci;
    };
    for (const Case c : {Case{0, 7}, Case{12, 11}, Case{255, 11}, Case{200, 200}, Case{300, 7}}) {
        g->LINIE(10, 40, 100, 300, c.fb);
        const auto made = added();
        ASSERT_EQ(made.size(), 5u) << c.fb;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(made[size_t(i)]->kind(), Entity::Kind::Line);
            EXPECT_EQ(made[size_t(i)]->Color(), c.aci) << c.fb;
            EXPECT_EQ(made[size_t(i)]->Lineweight(), 15);
        }
        const Entity* h = made[4];
        EXPECT_EQ(h->kind(), Entity::Kind::Hatch);
        EXPECT_EQ(h->Color(), c.aci) << c.fb;
        EXPECT_TRUE(h->evaluated());
        EXPECT_EQ(h->Lineweight(), -1);  // no weight or type on the fill
        ASSERT_EQ(h->loop().size(), 4u);
        // Clamped to the frame: (20, 40)-(100, 270).
        EXPECT_EQ(h->loop()[0].x, 20);
        EXPECT_EQ(h->loop()[0].y, 40);
        EXPECT_EQ(h->loop()[2].x, 100);
        EXPECT_EQ(h->loop()[2].y, 270);
    }
    g->EBOGRENZEN(false);
    g->LINIE(10, 40, 100, 300, 0);
    EXPECT_EQ(added()[4]->loop()[2].y, 300);
}

TEST_F(CadTest, TextsArePlainMultilineTexts)
{
    g->SCHRIFTEINSTELLUNGEN(QString(), 10);
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"I{t,1}D [1]", "ID [1]"},
        {"E{t,1}D [kN/m²]", "ED [kN/m²]"},
        {"a{g,1}b{c", "ab{c"},
        {"}x{h,1}y", "}xy"},
        {"{c,196}", ""},
        {"{s,3}{t,1}", ""},
    };
    added();
    for (const Case& c : cases) {
        g->TEXT(50, 50, QString::fromUtf8(c.in));
        const auto made = added();
        ASSERT_EQ(made.size(), 1u) << c.in;
        const Entity* t = made[0];
        EXPECT_EQ(t->TextString(), QString::fromUtf8(c.out)) << c.in;
        EXPECT_DOUBLE_EQ(t->width(), t->TextString().size() * 2.4 + 1) << c.in;
        EXPECT_DOUBLE_EQ(t->Height(), 2.4);
        EXPECT_EQ(t->InsertionPoint().x, 50);
        EXPECT_EQ(t->style(), QStringLiteral("ZarEvezo"));
    }
    g->TEXT(50, 50, QString());
    EXPECT_TRUE(added().empty());

    // Alignment and rotation.
    g->TEXT(50, 50, QStringLiteral("x"), 0, 90, 1, 2);
    Entity* t = added()[0];
    EXPECT_EQ(t->AttachmentPoint(), 8);
    EXPECT_FLOAT_EQ(float(t->rotation()), 1.5707963f);
    g->TEXT(50, 50, QStringLiteral("x"), 0, 0, 3, 0);
    EXPECT_EQ(added()[0]->AttachmentPoint(), 1);  // left as created

    // Clipping of the insertion point (page mm: the picture +- 1 mm).
    struct Clip {
        float x;
        bool clip;
        bool kept;
    };
    for (const Clip c : {Clip{-1.0f, true, false}, Clip{-0.9f, true, true}, Clip{241.0f, true, false},
                         Clip{-50.0f, false, true}}) {
        g->EBOGRENZEN(c.clip);
        // Asking first gives the same answer and adds nothing.
        EXPECT_EQ(g->TEXTPASST(c.x, 50, QStringLiteral("x")), c.kept) << c.x;
        EXPECT_TRUE(added().empty()) << c.x;
        g->TEXT(c.x, 50, QStringLiteral("x"));
        EXPECT_EQ(added().size(), c.kept ? 1u : 0u) << c.x;
    }
    EXPECT_FALSE(g->TEXTPASST(50, 50, QString()));
    // World coordinates: the plot area (5..233 x 5..127) +- 1 mm.
    g->EBOGRENZEN(true);
    EXPECT_FALSE(g->TEXTPASST(-4.0f, 6.0f, QStringLiteral("x"), 1));
    EXPECT_TRUE(g->TEXTPASST(0, 6.0f, QStringLiteral("x"), 1));
    g->TEXT(-4.0f, 6.0f, QStringLiteral("x"), 1);  // 1 mm left of the plot area
    EXPECT_TRUE(added().empty());
    g->TEXT(0, 6.0f, QStringLiteral("x"), 1);
    const auto world = added();
    ASSERT_EQ(world.size(), 1u);
    EXPECT_NEAR(world[0]->InsertionPoint().y, 5 + 60, 1e-3);
    EXPECT_TRUE(m_box->messages().empty());
}

TEST_F(CadTest, TransformsAndArrowHeads)
{
    drawing::ViewState v;
    v.OX = 1, v.OY = 1, v.RL = 20, v.RO = 10, v.XMIN = 0, v.YMAX = 0, v.MX = 0.1f, v.MY = 0.1f;
    g->setView(v);
    float xp = 0, yp = 0, x = 0, y = 0;
    g->KOORDTRANS(5, -3, xp, yp);
    EXPECT_FLOAT_EQ(xp, 70);
    EXPECT_FLOAT_EQ(yp, 40);
    g->KOORDTRANSINV(70, 40, x, y);
    EXPECT_NEAR(x, 5, 1e-5);
    EXPECT_NEAR(y, -3, 1e-5);
    g->KOORDTRANSINV(70, 40, x, y, 1);
    EXPECT_NEAR(x, 100000, 1);
    // In place, as the figures call it.
    x = 5, y = -3;
    g->KOORDTRANS(x, y, x, y);
    EXPECT_FLOAT_EQ(x, 70);
    v.OY = -1, v.YMIN = 0;
    g->setView(v);
    g->KOORDTRANS(0, 2, xp, yp);
    EXPECT_FLOAT_EQ(yp, 10 + 20);

    g->EBOGRENZEN(false);
    added();
    g->PFEIL(0, 0, 10, 0);
    auto head = added();
    ASSERT_EQ(head.size(), 3u);
    // Strokes run left to right: from the far end of each side to the tip.
    EXPECT_NEAR(head[0]->start().x, 7.585, 1e-3);
    EXPECT_NEAR(std::fabs(head[0]->start().y), 0.647, 1e-3);
    EXPECT_EQ(head[0]->end().x, 10);
    EXPECT_NEAR(head[1]->start().y, -head[0]->start().y, 1e-6);
    EXPECT_NEAR(head[2]->start().x, 7.585, 1e-3);
    EXPECT_NEAR(head[2]->end().x, 7.585, 1e-3);
    g->PFEIL(0, 0, 4, 0);
    head = added();
    ASSERT_EQ(head.size(), 3u);
    const double len = std::hypot(head[0]->end().x - head[0]->start().x, head[0]->end().y - head[0]->start().y);
    EXPECT_NEAR(len, 2, 1e-4);
}
