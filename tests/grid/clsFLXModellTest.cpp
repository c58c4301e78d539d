#include "GridFixture.h"

#include "platform/VbRuntime.h"

using grid::FlxWert;

TEST_F(GridTest, BindingGivesDefaultColumnsAndOneDataRow)
{
    flx->setRows(7);
    binden(3);
    EXPECT_EQ(flx->Cols(), 3);
    EXPECT_EQ(flx->Rows(), flx->FixedRows() + 1);
    EXPECT_EQ(flx->FixedCols(), 0);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(flx->ColWidth(c), 850);
        EXPECT_EQ(flx->TextMatrix(0, c), QStringLiteral("I%1").arg(c + 1));
        EXPECT_EQ(FLX.ELSTTT()[c].wert(), vb::Variant(QStringLiteral("SpaltenNr.%1").arg(c + 1)));
        EXPECT_EQ(FLX.ELSTYP()[c].wert(), vb::Variant(int16_t(0)));
        EXPECT_EQ(flx->ColAlignment(c), 7);
        EXPECT_EQ(flx->FixedAlignment(c), 4);
    }
    EXPECT_TRUE(FLX.EBOH());
    EXPECT_EQ(FLX.EDET(), -1);
    EXPECT_TRUE(txt->isHidden());
    EXPECT_TRUE(cbo->isHidden());
    // The caption picture lies half a millimetre inside the grid's corner.
    EXPECT_NEAR(pic->Left(), flx->Left() + 28.35, 15);
    EXPECT_NEAR(pic->Top(), flx->Top() + 28.35, 15);
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(GridTest, WidthsInMillimetresBecomeTwips)
{
    binden(4);
    // Whole numbers are multiplied in single precision, fractions in double.
    FLX.ELSB(FlxWert::liste({int16_t(10), 12.5, int16_t(15), int16_t(25)}));
    const int erwartet[] = {567, 709, 850, 1418};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(flx->ColWidth(c), erwartet[c]) << c;
}

TEST_F(GridTest, WidthsReplaceEveryColumnSettingButTheSecondCaptionLine)
{
    binden(3);
    FLX.ELST1(FlxWert::texte({"a", "b", "c"}));
    FLX.ELST2(FlxWert::texte({"x", "y", "z"}));
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 4}));
    FLX.ELFORMAT(FlxWert::texte({"#0", "0.00", ""}));
    FLX.ELMIN(FlxWert::ganzzahlen({0, 0, 0}));
    FLX.ELSELEK(FlxWert::texte({"I1", "MX", "SX"}));
    FLX.ELCBO(2, FlxWert::texte({"g", "u"}));

    std::vector<FlxWert> zehn(10, FlxWert(int16_t(15)));
    FLX.ELSB(FlxWert::liste(zehn));
    EXPECT_EQ(flx->Cols(), 10);
    EXPECT_EQ(FLX.ELST1()[9].wert(), vb::Variant("I10"));
    EXPECT_EQ(FLX.ELSTYP()[0].wert(), vb::Variant(int16_t(0)));
    EXPECT_EQ(FLX.ELFORMAT().obergrenze(), 9);
    EXPECT_TRUE(FLX.ELFORMAT()[1].istLeer());
    EXPECT_TRUE(FLX.ELMIN()[0].istLeer());
    EXPECT_TRUE(FLX.ELCBO(2).istLeer());
    EXPECT_EQ(flx->FixedCols(), 0);
    EXPECT_EQ(FLX.ELST2(), FlxWert::texte({"x", "y", "z"}));
    EXPECT_EQ(FLX.ELSELEK(), FlxWert::texte({"I1", "MX", "SX"}));
}

struct Nummerierung {
    const char* name;
    std::vector<int> typen;
    FlxWert min;
    FlxWert max;
    int fest;
    std::vector<int> spalten;       // the columns read back
    QStringList zeilen;             // their texts, row by row, joined by ","
};

class NummerierungTest : public GridTest, public ::testing::WithParamInterface<Nummerierung> {};

TEST_P(NummerierungTest, NumbersEveryDataRowByItsLevels)
{
    const Nummerierung& n = GetParam();
    binden(int(n.typen.size()));
    std::vector<FlxWert> typen;
    for (int t : n.typen)
        typen.emplace_back(t);
    FLX.ELSTYP(FlxWert::liste(typen));
    if (!n.min.istLeer())
        FLX.ELINDEXMIN(n.min);
    if (!n.max.istLeer())
        FLX.ELINDEXMAX(n.max);
    if (n.max.istLeer())
        flx->setRows(flx->FixedRows() + 3), FLX.NUMMERIEREN();

    EXPECT_EQ(flx->FixedCols(), n.fest);
    QStringList gelesen;
    for (int r = flx->FixedRows(); r < flx->Rows(); ++r) {
        QStringList z;
        for (int c : n.spalten)
            z << flx->TextMatrix(r, c);
        gelesen << z.join(QLatin1Char(','));
    }
    EXPECT_EQ(gelesen, n.zeilen);
    EXPECT_EQ(boxen().count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Beispiele, NummerierungTest,
    ::testing::Values(
        Nummerierung{"eineStufe", {1, 0, 7, 7, 0}, {}, {}, 1, {0}, {"0", "1", "2"}},
        Nummerierung{"zweiStufen", {1, 2, 0}, FlxWert::liste({int16_t(1), int16_t(1)}), FlxWert(int16_t(3)), 2, {0, 1},
                     {"1,1", "1,2", "1,3"}},
        Nummerierung{"dreiStufen", {1, 2, 3, 0}, {}, FlxWert::liste({int16_t(2), int16_t(1)}), 3, {0, 1, 2},
                     {"0,0,0", "0,0,1", "0,1,0", "0,1,1", "0,2,0", "0,2,1"}},
        // The highest column of a type counts; column 0 is fixed but not numbered.
        Nummerierung{"zweiIndexspalten", {1, 0, 0, 1}, {}, {}, 1, {0, 3}, {",0", ",1", ",2"}},
        // Only an Integer, a two- or a three-entry list sets start values.
        Nummerierung{"startAlsLong", {1, 0}, FlxWert(vb::Variant(5)), {}, 1, {0}, {"0", "1", "2"}},
        Nummerierung{"startAlsSingle", {1, 0}, FlxWert(5.0f), {}, 1, {0}, {"0", "1", "2"}},
        Nummerierung{"startEinEintrag", {1, 0}, FlxWert::liste({int16_t(5)}), {}, 1, {0}, {"0", "1", "2"}},
        Nummerierung{"startInteger", {1, 0}, FlxWert(int16_t(5)), {}, 1, {0}, {"5", "6", "7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, CounterPassing32767OverflowsIntoTheCallersBox)
{
    binden(2);
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0}));
    flx->setRows(flx->FixedRows() + 3);
    FLX.ELINDEXMIN(FlxWert(int16_t(32766)));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / LINDEXMIN"));
    EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: 6\n")));
}

TEST_F(GridTest, SettingTypesKeepsOnlyTheFirstDataRow)
{
    binden(2);
    flx->setRows(6);
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0}));
    EXPECT_EQ(flx->Rows(), flx->FixedRows() + 1);
}

TEST_F(GridTest, AlignmentCodesOutsideTheTableLeaveTheColumn)
{
    binden(3);
    FLX.ELA(FlxWert::ganzzahlen({0, 1, 2}));
    FLX.ELA(FlxWert::ganzzahlen({5, 0, 1}));
    EXPECT_EQ(flx->ColAlignment(0), 1);
    EXPECT_EQ(flx->ColAlignment(1), 1);
    EXPECT_EQ(flx->ColAlignment(2), 4);
    EXPECT_EQ(flx->FixedAlignment(0), 4);
}

TEST_F(GridTest, ShortListsFailOncePerMissingColumn)
{
    binden(3);
    boxen().answerMessage(vb::vbOK).answerMessage(vb::vbOK);
    FLX.ELST1(FlxWert::texte({"a"}));
    ASSERT_EQ(boxen().count(), 2);
    EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / LST1"));
    EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: 9\n")));
    EXPECT_EQ(flx->TextMatrix(0, 0), QStringLiteral("a"));
}

TEST_F(GridTest, MatrixAccessTakesRowThenColumn)
{
    binden(10);
    flx->setRows(10);
    std::vector<FlxWert> zeilen;
    for (int r = 0; r < 10; ++r) {
        std::vector<FlxWert> z;
        for (int c = 0; c < 10; ++c)
            z.emplace_back(QStringLiteral("%1/%2").arg(r).arg(c));
        zeilen.push_back(FlxWert::liste(z));
    }
    FLX.EMATRIX(2, 5, FlxWert::liste(zeilen));
    EXPECT_EQ(flx->TextMatrix(2, 5), QStringLiteral("2/5"));
    EXPECT_EQ(FLX.EMATRIX(2, 5), QStringLiteral("2/5"));
}
