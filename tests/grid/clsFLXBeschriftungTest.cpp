#include "GridFixture.h"

#include "drawing/Markup.h"
#include "platform/Colors.h"
#include "platform/VbRuntime.h"

#include <QDir>

using grid::FlxWert;

TEST_F(GridTest, FontDefaultsAndReducedSlots)
{
    binden(3);
    const QFont f = flx->Font();
    EXPECT_EQ(f.family(), QStringLiteral("Arial"));
    EXPECT_EQ(f.pointSize(), 11);
    EXPECT_FALSE(f.bold() || f.italic() || f.underline());
    EXPECT_EQ(flx->ForeColor(), vb::vbBlack);

    const struct {
        int groesse;
        int erwartet;
        int klein;
    } faelle[] = {{0, 11, 9}, {-3, 11, 9}, {8, 8, 7}, {12, 12, 10}};
    for (const auto& f : faelle) {
        FLX.SCHRIFTEINSTELLUNGEN(QString(), int16_t(f.groesse));
        EXPECT_EQ(flx->Font().pointSize(), f.erwartet) << f.groesse;
        EXPECT_EQ(FLX.schriftSlot(2).pointSize(), f.erwartet);
        EXPECT_EQ(FLX.schriftSlot(3).family(), QStringLiteral("Symbol"));
        EXPECT_EQ(FLX.schriftSlot(4).pointSize(), f.klein) << f.groesse;
        EXPECT_EQ(FLX.schriftSlot(5).pointSize(), f.klein) << f.groesse;
        EXPECT_EQ(txt->font().pointSize(), f.erwartet);
    }
}

TEST_F(GridTest, HeaderIsOneOrTwoCellsHigh)
{
    binden(3);
    EXPECT_EQ(flx->RowHeight(0), flx->RowHeight(1));
    FLX.ELST2(FlxWert::texte({"a", "b", "c"}));
    EXPECT_EQ(flx->RowHeight(0), flx->RowHeight(1));   // until the fonts are set again
    FLX.SCHRIFTEINSTELLUNGEN();
    EXPECT_EQ(flx->RowHeight(0), 2 * flx->RowHeight(1));
}

class BeschriftungTest : public GridTest {
protected:
    // Draws one caption in a one-column grid and returns the pieces.
    std::vector<grid::FlexPicture::Stueck> zeichne(const vb::Variant& text)
    {
        binden(1);
        FLX.ELST1(FlxWert::liste({FlxWert(text)}));
        FLX.BESCHRIFTEN();
        return pic->stuecke();
    }
    static QString texte(const std::vector<grid::FlexPicture::Stueck>& s)
    {
        QStringList l;
        for (const auto& x : s)
            l << x.text;
        return l.join(QLatin1Char('|'));
    }
};

TEST_F(BeschriftungTest, MarkupPieces)
{
    const struct {
        const char* text;
        const char* stuecke;
    } faelle[] = {
        {"I {t,1}D", "I |D"},
        {"{g,1}a", "α"},
        {"{c,176}C", "°|C"},
        {"x{t,9}ab", "x|ab"},
        {"x{t,0}ab", "x||ab"},
        // Plain text after a directive with an empty code is drawn.
        {"{,2}abcd{t,1}e", "ab|cd|e"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        pic->Cls();
        EXPECT_EQ(texte(zeichne(vb::Variant(QString::fromUtf8(f.text)))), QString::fromUtf8(f.stuecke));
    }
    EXPECT_EQ(boxen().count(), 0);
}

// A caption is centred on the width of its letters without the markup, as
// every drawn text measures it.
TEST_F(BeschriftungTest, CentredOnTheWidthOfItsPlainText)
{
    QString viele;
    for (int k = 0; k < 200; ++k)
        viele += QStringLiteral("{,0}");
    for (const QString& text : {QStringLiteral("{t,1}2ab"), QStringLiteral("a{,0}b{,0}c"), QStringLiteral("x}{h,2}yz"),
                                QStringLiteral("{g,1}a{c,176}"), viele + QStringLiteral("ab")}) {
        SCOPED_TRACE(text.left(20).toStdString());
        pic->Cls();
        const auto mit = zeichne(vb::Variant(text));
        pic->Cls();
        const auto ohne = zeichne(vb::Variant(drawing::plainText(text)));
        ASSERT_FALSE(mit.empty());
        ASSERT_EQ(ohne.size(), 1u);
        EXPECT_DOUBLE_EQ(mit.front().x, ohne.front().x);
    }
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(BeschriftungTest, LoweredPieceMovesDownInTheSmallerSlot)
{
    const auto s = zeichne(vb::Variant("I{t,1}D [1]"));
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].font.pointSize(), FLX.schriftSlot(2).pointSize());
    EXPECT_EQ(s[1].font.pointSize(), FLX.schriftSlot(4).pointSize());
    EXPECT_NEAR(s[1].y - s[0].y, 0.35 * pic->TextHeight("D", FLX.schriftSlot(4)), 0.01);
    EXPECT_DOUBLE_EQ(s[2].y, s[0].y);
    EXPECT_GT(s[1].x, s[0].x);
    EXPECT_GT(s[2].x, s[1].x);
}

TEST_F(BeschriftungTest, BadDirectivesEndTheCaptionWithABox)
{
    boxen().answerMessage(vb::vbOK);
    auto s = zeichne(vb::Variant("ab{t1}cd"));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / Text"));
    EXPECT_EQ(boxen().last().text, QStringLiteral("VB-Error: 0\n"));
    EXPECT_EQ(texte(s), QStringLiteral("ab"));

    boxen().clear();
    boxen().answerMessage(vb::vbOK);
    s = zeichne(vb::Variant("ab{t,x}cd"));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: 13\n")));
    // OK goes on with a count of 0: an empty piece, then the rest.
    EXPECT_EQ(texte(s), QStringLiteral("ab||cd"));

    boxen().clear();
    s = zeichne(vb::Variant::null());
    EXPECT_EQ(texte(s), QString());
}

TEST_F(BeschriftungTest, PictureIsCutToTheGridWhenColumnsAreWider)
{
    binden(15);
    FLX.BESCHRIFTEN();
    const int mm = 57;
    // Fifteen columns of 850 twips are wider than the grid: one data row, no bar.
    EXPECT_NEAR(pic->Width(), flx->Width() - mm, 16);
    flx->setRows(40);
    FLX.BESCHRIFTEN();
    EXPECT_NEAR(pic->Width(), flx->Width() - 5.5 * 56.7, 16);
    EXPECT_NEAR(pic->Height(), flx->RowHeight(0), 16);
    // Captions up to the first column reaching past the grid's width.
    const int sichtbar = int(pic->stuecke().size());
    double rechts = 56.7;
    int erwartet = 0;
    for (int c = 0; c < 15; ++c) {
        ++erwartet;
        rechts += 850;
        if (rechts > flx->Width())
            break;
    }
    EXPECT_EQ(sichtbar, erwartet);
    // Scrolled: the first visible column follows the fixed ones directly.
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    flx->setLeftCol(3);
    FLX.BESCHRIFTEN();
    ASSERT_GE(pic->stuecke().size(), 2u);
    EXPECT_EQ(pic->stuecke()[0].text, QStringLiteral("I1"));
    EXPECT_EQ(pic->stuecke()[1].text, QStringLiteral("I4"));
}

// The flat-dilatometer grid as the input window sets it up, drawn for people to look at.
TEST_F(GridTest, DilatometerGridRendersTwoLineCaptions)
{
    binden(5);
    FLX.ELSB(FlxWert::liste({12.5, int16_t(15), int16_t(15), int16_t(15), int16_t(15)}));
    FLX.ELST1(FlxWert::texte({"Lfd.", "VTF", "I {t,1}D", "K{t,1}D", "E{t,1}D"}));
    FLX.ELST2(FlxWert::texte({"Nr.", "[m]", "[1]", "[1]", "[kN/m²]"}));
    FLX.ELSTTT(FlxWert::texte({"Nummer", "Versuchstiefe unter GOK", "Materialindex", "Horizontalspannungsindex",
                               "Dilatometermodul"}));
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 0, 0}));
    FLX.ELFORMAT(FlxWert::texte({"#0", "#0.00", "#0.00", "#0.00", "#0.00"}));
    FLX.ELA(FlxWert::ganzzahlen({1, 2, 1, 1, 1}));
    FLX.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 8);
    pic->setFont(flx->Font());
    FLX.BESCHRIFTEN();
    const char* zeilen[][4] = {{"1,20", "2,10", "5,30", "12400"}, {"2,40", "1,35", "4,10", "9800"},
                               {"3,60", "0,62", "2,90", "6300"}};
    flx->setRows(flx->FixedRows() + 3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c)
            flx->setTextMatrix(flx->FixedRows() + r, c + 1, QString::fromUtf8(zeilen[r][c]));
    }
    FLX.NUMMERIEREN();
    FLX.AKTUALISIEREN();
    EXPECT_EQ(flx->RowHeight(0), 2 * flx->RowHeight(1));
    // Lowered D in three captions.
    int tief = 0;
    for (const auto& s : pic->stuecke())
        if (s.text == QLatin1String("D") && s.font.pointSize() == FLX.schriftSlot(4).pointSize())
            ++tief;
    EXPECT_EQ(tief, 3);
    EXPECT_EQ(flx->ColAlignment(1), 7);
    EXPECT_EQ(flx->ColAlignment(2), 4);
    const QString ziel = QDir::temp().filePath(QStringLiteral("kavelor-grid-dilatometer.png"));
    EXPECT_TRUE(host->grab(QRect(0, 0, flx->x() + flx->width() + 10, flx->y() + 120)).save(ziel));
    EXPECT_EQ(boxen().count(), 0);
}
