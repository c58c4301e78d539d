#include "GridFixture.h"

#include "platform/Colors.h"
#include "platform/VbRuntime.h"

using grid::FlxWert;

class ZeilenTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        binden(3);
        FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0}));
        flx->setRows(6);
        for (int r = 1; r < 6; ++r)
            flx->setTextMatrix(r, 1, QStringLiteral("z%1").arg(r));
        FLX.NUMMERIEREN();
    }
};

TEST_F(ZeilenTest, InsertPutsAnEmptyRowAtTheActiveRowAndRenumbers)
{
    flx->setRow(3);
    FLX.ZEILEEINFUEGEN();
    EXPECT_EQ(flx->Rows(), 7);
    EXPECT_EQ(spalte(0), (QStringList{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(spalte(1), (QStringList{"z1", "z2", "", "z3", "z4", "z5"}));
}

TEST_F(ZeilenTest, RemoveTakesTheActiveRowAndRenumbersWithoutGap)
{
    flx->setRow(2);
    FLX.ZEILEENTFERNEN();
    EXPECT_EQ(spalte(0), (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(spalte(1), (QStringList{"z1", "z3", "z4", "z5"}));
}

TEST_F(ZeilenTest, RemovingTheOnlyRowEmptiesAndDisablesUntilAnInsert)
{
    flx->setRows(2);
    FLX.ZEILEENTFERNEN();
    EXPECT_EQ(flx->Rows(), 2);
    EXPECT_EQ(spalte(0), QStringList{""});
    EXPECT_EQ(spalte(1), QStringList{""});
    EXPECT_FALSE(flx->Enabled());
    EXPECT_EQ(flx->BackColor(), flx->BackColorFixed());

    FLX.ZEILEEINFUEGEN();
    EXPECT_EQ(flx->Rows(), 2);
    EXPECT_TRUE(flx->Enabled());
    EXPECT_EQ(flx->BackColor(), vb::vbWindowBackground);
    EXPECT_EQ(spalte(0), QStringList{"0"});
}

TEST_F(ZeilenTest, RowOperationsAreMirroredIntoACoupledEditor)
{
    grid::FlexGrid zweites(host.get());
    zweites.setCols(2);
    auto gekoppelt = FLX.EFLXK();
    gekoppelt->EFLX(&zweites);
    gekoppelt->ELSTYP(FlxWert::ganzzahlen({1, 0}));
    FLX.ZEILEEINFUEGEN();
    EXPECT_EQ(zweites.Rows(), 3);
    FLX.ZEILEENTFERNEN();
    EXPECT_EQ(zweites.Rows(), 2);
}

TEST_F(GridTest, TooltipFollowsTheColumnUnderTheMouse)
{
    binden(3);
    flx->setColWidth(0, 500);
    FLX.ELSTTT(FlxWert::texte({"eins", "zwei", "drei"}));
    const struct {
        float x;
        const char* tipp;
    } faelle[] = {{400, "eins"}, {500, "zwei"}, {1349, "zwei"}, {1350, "drei"}, {2300, ""}};
    for (const auto& f : faelle) {
        FLX.TOOLTIP(f.x, 0);
        EXPECT_EQ(flx->ToolTipText(), QString::fromUtf8(f.tipp)) << f.x;
        EXPECT_EQ(pic->toolTip(), QString::fromUtf8(f.tipp)) << f.x;
    }
    // Scrolled out columns are skipped.
    flx->setFixedCols(0);
    flx->setLeftCol(1);
    FLX.TOOLTIP(400, 0);
    EXPECT_EQ(flx->ToolTipText(), QStringLiteral("zwei"));
}

class FilterTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        binden(2);
        flx->setRows(21);
        for (int r = 1; r <= 20; ++r)
            flx->setTextMatrix(r, 1, QString::number(r));
    }
};

TEST_F(FilterTest, KeepsEveryStepThRowOfTheRange)
{
    boxen().answerInput("1").answerInput("20").answerInput("5");
    FLX.ZEILENFILTER();
    EXPECT_EQ(spalte(1), (QStringList{"4", "8", "12", "16", "20"}));
    ASSERT_EQ(boxen().count(), 3);
    EXPECT_EQ(boxen().records()[0].text, QStringLiteral("Erste Zeile: "));
    EXPECT_EQ(boxen().records()[0].title, QStringLiteral("Zeilenfilter"));
    EXPECT_EQ(boxen().records()[1].defaultText, QStringLiteral("20"));
}

TEST_F(FilterTest, RefusedAnswersAreAskedAgainAndCancelEndsWithoutChange)
{
    // A count of 0 and one above last - first are asked for again; rows
    // outside the data rows are refused.
    boxen().answerInput("0").answerMessage(vb::vbOK).answerInput("1")
        .answerInput("25").answerMessage(vb::vbOK).answerInput("20")
        .answerInput("0").answerMessage(vb::vbOK).answerInput("20").answerMessage(vb::vbOK).answerInput("19");
    FLX.ZEILENFILTER();
    EXPECT_EQ(flx->Rows(), 21);
    const auto boxenListe = boxen().messages();
    ASSERT_EQ(boxenListe.size(), 4u);
    EXPECT_EQ(boxenListe[0].text, QStringLiteral("Ungültige Angabe für die Nummer der ersten Zeile!"));
    EXPECT_EQ(boxenListe[0].title, QStringLiteral("MSFlexGrid / Zeilenfilter"));
    EXPECT_EQ(boxenListe[0].buttons, vb::MsgButtons::OKCancel);
    EXPECT_EQ(boxenListe[1].text, QStringLiteral("Ungültige Angabe für die Nummer der letzten Zeile!"));

    boxen().clear();
    boxen().cancelInput().answerMessage(vb::vbCancel);
    FLX.ZEILENFILTER();
    EXPECT_EQ(flx->Rows(), 21);
    EXPECT_EQ(boxen().messages().size(), 1u);
}
