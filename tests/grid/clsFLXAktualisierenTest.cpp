#include "GridFixture.h"

#include "platform/VbRuntime.h"

using grid::FlxWert;

struct Dauer {
    const char* name;
    std::vector<int> typen;     // columns after the index column
    int det;
    std::vector<QStringList> zeilen;   // cells of those columns, one list per row
    QStringList erwartet;               // the elapsed-time column afterwards
};

class DauerTest : public GridTest, public ::testing::WithParamInterface<Dauer> {};

TEST_P(DauerTest, ElapsedTimeFromTheReferenceRow)
{
    const Dauer& d = GetParam();
    binden(int(d.typen.size()) + 1);
    std::vector<FlxWert> typen{FlxWert(int16_t(1))};
    int dauer = -1;
    for (size_t i = 0; i < d.typen.size(); ++i) {
        typen.emplace_back(d.typen[i]);
        if (d.typen[i] == 6)
            dauer = int(i) + 1;
    }
    FLX.ELSTYP(FlxWert::liste(typen));
    FLX.EDET(int16_t(d.det));
    flx->setRows(flx->FixedRows() + int(d.zeilen.size()));
    for (size_t r = 0; r < d.zeilen.size(); ++r)
        for (int c = 0; c < d.zeilen[r].size(); ++c)
            flx->setTextMatrix(flx->FixedRows() + int(r), c + 1, d.zeilen[r][c]);
    FLX.AKTUALISIEREN();
    EXPECT_EQ(spalte(dauer), d.erwartet);
    EXPECT_EQ(spalte(0).first(), QStringLiteral("0"));
    EXPECT_EQ(boxen().count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, DauerTest,
    ::testing::Values(
        Dauer{"ueberMitternacht", {4, 5, 6}, -1,
              {{"01.03.2003", "22:00:00", ""}, {"02.03.2003", "01:30:00", ""}}, {"0", "210"}},
        Dauer{"nurZeit", {5, 6}, -1, {{"10:00:00", ""}, {"10:01:30", ""}, {"09:59:00", ""}}, {"0", "1,5", "-2,5"}},
        Dauer{"nurDatumInTagen", {4, 6}, -1, {{"01.03.2003", "9"}, {"05.03.2003", "9"}}, {"0", "4"}},
        Dauer{"seitZeileEins", {5, 6}, 0, {{"10:00:00", ""}, {"10:01:00", ""}, {"10:03:00", ""}}, {"0", "1", "3"}},
        // A block of equal texts in column 1 measures from its first row.
        Dauer{"block", {0, 5, 6}, 1,
              {{"A", "10:00:00", ""}, {"A", "10:02:00", ""}, {"B", "10:05:00", ""}, {"B", "10:06:00", ""}},
              {"0", "2", "0", "1"}},
        Dauer{"leereZeileBehaeltWert", {5, 6}, -1, {{"10:00:00", ""}, {"", "alt"}}, {"0", "alt"}},
        // Valid dates with an invalid time give whole days in minutes.
        Dauer{"datumOhneGueltigeZeit", {4, 5, 6}, -1, {{"01.03.2003", "x", ""}, {"02.03.2003", "y", ""}},
              {"0", "1440"}},
        // Without date and time columns nothing is measured.
        Dauer{"ohneDatumUndZeit", {0, 6}, -1, {{"1", "a"}, {"2", "b"}}, {"a", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, RefreshFormatsFilledCellsOnly)
{
    binden(3);
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0}));
    FLX.ELFORMAT(FlxWert::liste({FlxWert("#0"), FlxWert("#0.00"), FlxWert::fehler()}));
    flx->setRows(4);
    const char* werte[][2] = {{"1,5", "1,5"}, {"", ""}, {"abc", "2"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            flx->setTextMatrix(r + 1, c + 1, QString::fromUtf8(werte[r][c]));
    FLX.AKTUALISIEREN();
    EXPECT_EQ(spalte(1), (QStringList{"1,50", "", "abc"}));
    EXPECT_EQ(spalte(2), (QStringList{"1,5", "", "2"}));
}
