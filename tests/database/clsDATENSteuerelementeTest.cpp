#include "DatenFixture.h"

#include "grid/FlexGrid.h"
#include "platform/Colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

class SteuerelementTest : public DatenTest {
protected:
    std::unique_ptr<clsDATEN> D;
    void SetUp() override
    {
        D = std::make_unique<clsDATEN>();
        D->ETABELLE(QStringLiteral("E2"));
        D->ESPIDW(99);
    }
    void zeile(int i1, const vb::Variant& hptb1)
    {
        cnn().execute(QStringLiteral("INSERT INTO E2 (ID,I1,HPTB1) VALUES (99,?,?)"), {vb::Variant(int16_t(i1)), hptb1});
    }
};

TEST_F(SteuerelementTest, ReadsWithoutRowOrWithNullGiveTheEmptyForm)
{
    for (bool mitNull : {false, true}) {
        SCOPED_TRACE(mitNull);
        cnn().execute(QStringLiteral("DELETE FROM E2"));
        if (mitNull)
            zeile(0, vb::Variant::null());
        QLineEdit txt(QStringLiteral("x"));
        QCheckBox chk;
        chk.setChecked(true);
        QRadioButton opt;
        opt.setChecked(true);
        QListWidget lst;
        QListWidget mitEintraegen;
        mitEintraegen.addItems({"a", "b"});
        mitEintraegen.setCurrentRow(1);
        QLabel lbl(QStringLiteral("x"));
        EXPECT_TRUE(D->DTFTT(QStringLiteral("HPTB1"), &txt));
        EXPECT_TRUE(D->DTFCV(QStringLiteral("HPTB1"), &chk));
        EXPECT_TRUE(D->DTFOV(QStringLiteral("HPTB1"), &opt));
        EXPECT_TRUE(D->DTFI(QStringLiteral("HPTB1"), &lst));
        EXPECT_TRUE(D->DTFIL(QStringLiteral("HPTB1"), &mitEintraegen));
        QListWidget leer;
        EXPECT_TRUE(D->DTFIL(QStringLiteral("HPTB1"), &leer));
        EXPECT_TRUE(D->DTFL(QStringLiteral("HPTB1"), &lbl));
        EXPECT_EQ(txt.text(), QString());
        EXPECT_EQ(chk.checkState(), Qt::Unchecked);
        EXPECT_FALSE(opt.isChecked());
        ASSERT_EQ(lst.count(), 1);
        EXPECT_EQ(lst.item(0)->text(), QString());
        EXPECT_EQ(mitEintraegen.currentRow(), 0);
        EXPECT_EQ(leer.currentRow(), -1);
        EXPECT_EQ(lbl.text(), QString());
    }
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(SteuerelementTest, WritesReplaceTheSelectionByOneRow)
{
    zeile(0, "a");
    zeile(1, "b");
    zeile(2, "c");
    QLineEdit txt;
    EXPECT_TRUE(D->DFTTT(QStringLiteral("HPTB1"), &txt));
    EXPECT_EQ(werte(QStringLiteral("SELECT HPTB1 FROM E2 WHERE ID=99")), QStringList{"-"});
    // A text read into a box shows from its start.
    txt.setText(QStringLiteral("Dipl.-Ing. Hartwig"));
    EXPECT_TRUE(D->DFTTT(QStringLiteral("HPTB1"), &txt));
    QLineEdit zurueckText;
    EXPECT_TRUE(D->DTFTT(QStringLiteral("HPTB1"), &zurueckText));
    EXPECT_EQ(zurueckText.text(), QStringLiteral("Dipl.-Ing. Hartwig"));
    EXPECT_EQ(zurueckText.cursorPosition(), 0);

    QComboBox cbo;
    cbo.addItems({"x", "y"});
    cbo.setCurrentIndex(-1);
    EXPECT_TRUE(D->DFTMS(QStringLiteral("HPTB1"), &cbo));
    EXPECT_EQ(werte(QStringLiteral("SELECT HPTB1 FROM E2 WHERE ID=99")), QStringList{"-"});
    QListWidget lst;
    EXPECT_TRUE(D->DFTIL(QStringLiteral("BS"), &lst));
    EXPECT_EQ(werte(QStringLiteral("SELECT BS FROM E2 WHERE ID=99")), QStringList{"-1"});

    QCheckBox chk;
    chk.setTristate(true);
    chk.setCheckState(Qt::PartiallyChecked);
    EXPECT_TRUE(D->DFTCV(QStringLiteral("BS"), &chk));
    EXPECT_EQ(werte(QStringLiteral("SELECT BS FROM E2 WHERE ID=99")), QStringList{"2"});
    QCheckBox gelesen;
    EXPECT_TRUE(D->DTFC(QStringLiteral("BS"), &gelesen));
    EXPECT_EQ(gelesen.checkState(), Qt::PartiallyChecked);
    // An option button stores True, which no check box takes.
    QRadioButton opt;
    opt.setChecked(true);
    EXPECT_TRUE(D->DFTOV(QStringLiteral("BS"), &opt));
    EXPECT_THROW(D->DTFC(QStringLiteral("BS"), &gelesen), vb::VbError);
    QRadioButton zurueck;
    EXPECT_TRUE(D->DTFOV(QStringLiteral("BS"), &zurueck));
    EXPECT_TRUE(zurueck.isChecked());
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(SteuerelementTest, ComboTextsAndLists)
{
    zeile(0, "B");
    QComboBox liste;
    liste.addItems({"A", "C"});
    liste.setCurrentIndex(1);
    EXPECT_TRUE(D->DTFMT(QStringLiteral("HPTB1"), &liste));
    EXPECT_EQ(liste.currentIndex(), 1);   // a drop-down list without the value keeps its selection
    QComboBox editierbar;
    editierbar.setEditable(true);
    EXPECT_TRUE(D->DTFMT(QStringLiteral("HPTB1"), &editierbar));
    EXPECT_EQ(editierbar.currentText(), QStringLiteral("B"));

    cnn().execute(QStringLiteral("DELETE FROM E2"));
    zeile(0, "A");
    zeile(1, vb::Variant::null());
    zeile(2, "B");
    zeile(3, "A");
    QComboBox cbo;
    cbo.addItem(QStringLiteral("vorher"));
    EXPECT_TRUE(D->DTFMM(QStringLiteral("HPTB1"), &cbo, QStringLiteral("I1")));
    QStringList items;
    for (int i = 0; i < cbo.count(); ++i)
        items << cbo.itemText(i);
    EXPECT_EQ(items, (QStringList{"vorher", "A", "B", "A"}));
}

TEST_F(SteuerelementTest, ValueTooLargeRaisesToTheCallerWithoutABox)
{
    cnn().execute(QStringLiteral("INSERT INTO E2 (ID,I1,BS) VALUES (99,0,40000)"));
    QCheckBox chk;
    try {
        D->DTFC(QStringLiteral("BS"), &chk);
        FAIL() << "no overflow";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, vb::err::Overflow);
    }
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(SteuerelementTest, MissingColumnShowsTheWriteBox)
{
    QLineEdit txt(QStringLiteral("abc"));
    EXPECT_FALSE(D->DFTTT(QStringLiteral("XYZ"), &txt));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(boxen().last().text,
              QStringLiteral("Wert abc kann nicht in die Spalte XYZ der Tabelle E2 gespeichert werden!"));
    EXPECT_FALSE(D->DTFTT(QStringLiteral("XYZ"), &txt));
    EXPECT_EQ(boxen().last().text,
              QStringLiteral("Wert  kann nicht aus der Spalte XYZ der Tabelle E2 eingelesen werden!"));
    EXPECT_EQ(txt.text(), QStringLiteral("abc"));
}

// ---- grid columns ---------------------------------------------------------------

class GitterTransferTest : public SteuerelementTest {
protected:
    grid::FlexGrid flx;
    void SetUp() override
    {
        SteuerelementTest::SetUp();
        flx.setCols(3);
    }
    void gitter(const QStringList& tuks)
    {
        flx.setRows(1 + int(tuks.size()));
        for (int i = 0; i < tuks.size(); ++i) {
            flx.setTextMatrix(i + 1, 0, QString::number(i));
            flx.setTextMatrix(i + 1, 1, tuks[i]);
        }
    }
    bool speichern()
    {
        return D->DFTFM(QStringLiteral("I1"), &flx, QStringLiteral("0"), QStringLiteral("I1"))
               && D->DFTFM(QStringLiteral("TUKS"), &flx, QStringLiteral("1"), QStringLiteral("I1"));
    }
    QStringList gespeichert() { return werte(QStringLiteral("SELECT I1, TUKS FROM E2 WHERE ID=99 ORDER BY I1")); }
};

TEST_F(GitterTransferTest, StoreReplacesTheRecordsRows)
{
    fuenfSchichten();
    cnn().execute(QStringLiteral("DELETE FROM E2 WHERE I1=4"));
    gitter({"1,5", "  ", "3"});
    EXPECT_TRUE(speichern());
    EXPECT_EQ(gespeichert(), (QStringList{"0|1,5", "1|-", "2|3"}));

    cnn().execute(QStringLiteral("DELETE FROM E2"));
    EXPECT_TRUE(speichern());
    EXPECT_EQ(gespeichert(), (QStringList{"0|1,5", "1|-", "2|3"}));
    EXPECT_EQ(werte(QStringLiteral("SELECT COUNT(*) FROM E2 WHERE ID=99")), QStringList{"3"});

    flx.setEnabledState(false);
    EXPECT_TRUE(speichern());
    EXPECT_EQ(gespeichert(), QStringList());
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(GitterTransferTest, ARefusedCellStoresNullNotTheRowsOldValue)
{
    fuenfSchichten();
    gitter({"9", "abc", "7", "6", "5"});
    boxen().answerMessage(vb::vbOK);
    EXPECT_TRUE(speichern());
    EXPECT_EQ(gespeichert(), (QStringList{"0|9", "1|-", "2|7", "3|6", "4|5"}));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_TRUE(boxen().last().text.startsWith(
        QStringLiteral("Werte der Spalte TUKS der Tabelle E2 können nicht in die Spalte 1\nder FlexGrid-Tabelle 0 "
                       "geschrieben werden!\nVB-Error: ")));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKCancel);
}

TEST_F(GitterTransferTest, LoadFillsFromTheStartRowAndGrowsOnce)
{
    const struct {
        int datenzeilen;
        int znr;
        int zeilenDanach;
        int erste;
    } faelle[] = {{2, 0, 6, 1}, {10, 0, 11, 1}, {1, 3, 9, 4}, {1, 1, 6, 1}};
    fuenfSchichten();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.znr);
        flx.setRows(1 + f.datenzeilen);
        for (int r = 1; r < flx.Rows(); ++r)
            flx.setTextMatrix(r, 1, QStringLiteral("alt"));
        EXPECT_TRUE(D->DTFF(QStringLiteral("TUKS"), &flx, QStringLiteral("1"), QStringLiteral("I1"), std::nullopt, {},
                            std::nullopt, {}, std::nullopt, {}, int16_t(f.znr)));
        EXPECT_EQ(flx.Rows(), f.zeilenDanach);
        EXPECT_EQ(flx.TextMatrix(f.erste, 1), QStringLiteral("1"));
        EXPECT_EQ(flx.TextMatrix(f.erste + 4, 1), QStringLiteral("5"));
        if (f.datenzeilen == 10) {
            EXPECT_EQ(flx.TextMatrix(10, 1), QStringLiteral("alt"));
        }
    }
}

TEST_F(GitterTransferTest, LoadingNothingGreysAndDisablesUntilRowsCome)
{
    gitter({"x"});
    EXPECT_TRUE(D->DTFFM(QStringLiteral("TUKS"), &flx, QStringLiteral("1"), QStringLiteral("I1")));
    EXPECT_FALSE(flx.Enabled());
    EXPECT_EQ(flx.BackColor(), flx.BackColorFixed());
    EXPECT_EQ(flx.TextMatrix(1, 1), QStringLiteral("x"));

    zeile(0, "a");
    zeile(1, vb::Variant::null());
    zeile(2, "c");
    EXPECT_TRUE(D->DTFFM(QStringLiteral("HPTB1"), &flx, QStringLiteral("2"), QStringLiteral("I1")));
    EXPECT_TRUE(flx.Enabled());
    EXPECT_EQ(flx.BackColor(), vb::vbWindowBackground);
    // A Null leaves its cell; the next value still goes to its own row.
    flx.setTextMatrix(2, 2, QStringLiteral("bleibt"));
    EXPECT_TRUE(D->DTFFM(QStringLiteral("HPTB1"), &flx, QStringLiteral("2"), QStringLiteral("I1")));
    EXPECT_EQ(flx.TextMatrix(1, 2), QStringLiteral("a"));
    EXPECT_EQ(flx.TextMatrix(2, 2), QStringLiteral("bleibt"));
    EXPECT_EQ(flx.TextMatrix(3, 2), QStringLiteral("c"));
}
