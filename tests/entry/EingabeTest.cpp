// The input window driven as a user drives it: Datei/Neu and Datei/Öffnen,
// typing into the boxes and grids, saving with Ctrl+S or the OK panel.
#include "ShellFixture.h"
#include "../common/GermanCLocale.h"

#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "entry/Registerkarten.h"
#include "entry/mdiEINGABE.h"
#include "grid/FlexGrid.h"
#include "grid/clsFLX.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QApplication>
#include <QDir>
#include <QClipboard>
#include <QMdiSubWindow>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// Texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '\n' << l.join('\n').toStdString(); }

namespace {

// A table's rows for one record as text, ordered by I1 (or by rowid for E1
// and E12): "col=value|col=value..." with Null as <null>.
QStringList zeilenText(db::Connection& c, const QString& tabelle, int id)
{
    const bool mitI1 = c.columnNames(tabelle).contains(QStringLiteral("I1"));
    auto rs = c.openRecordset(QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? ORDER BY %2")
                                  .arg(tabelle, mitI1 ? QStringLiteral("[I1]") : QStringLiteral("rowid")),
                              {vb::Variant(id)});
    QStringList out;
    for (; !rs->eof(); rs->moveNext()) {
        QStringList felder;
        for (int f = 1; f < rs->fieldCount(); ++f) {
            const vb::Variant v = rs->field(f);
            const QVariant q = v.toQVariant();
            QString text = q.toString().trimmed();
            if (v.isNull())
                text = QStringLiteral("<null>");
            else if (q.typeId() == QMetaType::Float)
                text = QString::number(q.toFloat());
            else if (q.typeId() == QMetaType::Double)
                text = QString::number(q.toDouble(), 'g', 15);
            felder << rs->fieldName(f) + QLatin1Char('=') + text;
        }
        out << felder.join(QLatin1Char('|'));
    }
    return out;
}

const QStringList kSatztabellen = {"E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11", "E12"};

} // namespace

class EingabeTest : public ShellTest
{
protected:
    // As users run the program: the C library's numbers in German, so what
    // is typed with a decimal comma has to reach the file whole.
    GermanCLocale m_cZahlen;

    frmMAIN& gestartet()
    {
        frmMAIN& w = start();
        w.show();
        QApplication::setActiveWindow(&w);
        return w;
    }

    // Datei/Neu; the identifier is filled in unless `ken` is empty (leaving
    // an empty identifier brings its message).
    mdiEINGABE& neu(frmMAIN& w, const QString& ken = QStringLiteral("T 1"))
    {
        w.mnuNEU_Click();
        mdiEINGABE* e = w.eingabefenster();
        EXPECT_NE(e, nullptr);
        QApplication::setActiveWindow(&w);
        e->txtKEN->setFocus();
        e->txtKEN->setText(ken);
        return *e;
    }
    static void aktiv(const QString& ken)
    {
        cnnX().execute("UPDATE [E1] SET [AKT]=([KEN]=?)", {vb::Variant(ken)});
    }

    // Opens the record `ken` through Datei/Öffnen (the selection dialog
    // chooses it).
    mdiEINGABE* oeffne(frmMAIN& w, const QString& ken)
    {
        auswahl([ken](frmAUSWAHL& d) {
            d.waehle(ken);
            d.cmdOK->click();
        });
        w.mnuOEFFNEN_Click();
        return w.eingabefenster();
    }

    // Keys go where the focus is, as a user's typing does.
    static void tippe(const QString& text)
    {
        for (QChar ch : text) {
            QWidget* f = QApplication::focusWidget();
            ASSERT_NE(f, nullptr);
            QTest::keyClick(f, ch.toLatin1() ? ch.toLatin1() : '?');
            if (!ch.toLatin1()) {
                // Characters outside Latin-1 do not occur in these tests.
                ADD_FAILURE();
            }
        }
    }
    static void taste(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        QTest::keyClick(f, k, m);
    }
    // Types a cell: the grid's current cell moves to (row, col), the text
    // opens the cell editor, Enter commits.
    static void zelle(mdiEINGABE& e, int raster, int zeile, int spalte, const QString& text)
    {
        e.SSTab->setTab(raster + 1);
        grid::FlexGrid* g = e.msgFLX[size_t(raster)];
        g->SetFocus();
        g->setRow(zeile);
        g->setCol(spalte);
        tippe(text);
        taste(Qt::Key_Return);
    }
    // The record's rows in E1..E11 (E12 is reset by every save).
    QStringList alleZeilen(int id, int bis = 11)
    {
        QStringList out;
        for (const QString& t : kSatztabellen.mid(0, bis))
            for (const QString& z : zeilenText(cnnX(), t, id))
                out << t + QLatin1Char(':') + z;
        return out;
    }
};

TEST_F(EingabeTest, NewRecordTypedByKeyboardIsStoredRowForRow)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w, QString());
    EXPECT_TRUE(w.stbMAIN->isPanelVisible(8));
    EXPECT_TRUE(w.stbMAIN->isPanelVisible(9));
    EXPECT_FALSE(frmMAIN::isMenuEnabled(w.mnuDATEI));
    EXPECT_FALSE(frmMAIN::isMenuEnabled(w.mnuAUSWERTEN));
    EXPECT_FALSE(frmMAIN::isMenuEnabled(w.mnuEXTRAS));
    EXPECT_EQ(w.stbMAIN->text(6), "-");
    EXPECT_EQ(e.SSTab->Tab(), 0);
    EXPECT_EQ(QApplication::focusWidget(), e.txtKEN);

    // Identifier, comment, then the general data in tab order.
    tippe("B 7");
    taste(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), e.txtKOM);
    tippe("neu");
    taste(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), e.SSTab);
    taste(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), e.txtRW);
    tippe("1234,5");
    taste(Qt::Key_Tab);
    tippe("6789");
    taste(Qt::Key_Tab);
    tippe("101,25");
    taste(Qt::Key_Tab);
    tippe("0,5");
    e.optK[1]->click();

    // Two layers: the depth formatted on commit, the constituent from the list.
    zelle(e, 0, 1, 1, "1,5");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 1), "1,50");
    zelle(e, 0, 1, 2, "G");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 2), "G");
    e.cmdH[0]->click();   // a line above: the typed one becomes line 1
    zelle(e, 0, 1, 1, "0,8");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 0), "0");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(2, 0), "1");
    // A groundwater line with its type and date.
    zelle(e, 1, 1, 1, "zuletzt gemessen");
    zelle(e, 1, 1, 2, "2,4");
    zelle(e, 1, 1, 3, "3.2.2003");

    const int erwartet = [] {
        auto rs = cnnX().openRecordset("SELECT MAX([ID]) FROM [E1]");
        return int(rs->field(0).number()) + 1;
    }();
    e.SSTab->setTab(0);
    e.txtKEN->setFocus();
    taste(Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();

    EXPECT_EQ(w.eingabefenster(), nullptr);
    EXPECT_FALSE(w.stbMAIN->isPanelVisible(8));
    EXPECT_TRUE(frmMAIN::isMenuEnabled(w.mnuDATEI));
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);
    EXPECT_EQ(w.stbMAIN->text(6), "B 7");
    EXPECT_EQ(idVon("B 7"), erwartet);
    EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{"B 7"});

    EXPECT_EQ(zeilenText(cnnX(), "E1", erwartet),
              QStringList{"KEN=B 7|KOM=neu|AKT=true|RW=1234.5|HW=6789|H=101.25|ROK=0.5|OPTK=true|OPTH=false|"
                          "B1=<null>|B2=<null>|B3=<null>|B4=<null>"});
    const QStringList e2 = zeilenText(cnnX(), "E2", erwartet);
    ASSERT_EQ(e2.size(), 2);
    EXPECT_TRUE(e2[0].startsWith("I1=0|TUKS=0.8|HPTB1=<null>")) << e2[0].toStdString();
    EXPECT_TRUE(e2[1].startsWith("I1=1|TUKS=1.5|HPTB1=G|HPTB2=<null>")) << e2[1].toStdString();
    EXPECT_EQ(zeilenText(cnnX(), "E3", erwartet), QStringList{"I1=0|GTYP=1|TGW=2.4|GWDATUM=2003-02-03T00:00:00.000"});
    // Untouched grids store their one empty line.
    for (const char* t : {"E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11"}) {
        const QStringList z = zeilenText(cnnX(), t, erwartet);
        ASSERT_EQ(z.size(), 1) << t;
        EXPECT_TRUE(z[0].startsWith("I1=0|")) << z[0].toStdString();
        EXPECT_EQ(z[0].count("<null>"), z[0].count('|')) << z[0].toStdString();
    }
    EXPECT_EQ(zeilenText(cnnX(), "E12", erwartet),
              QStringList{"MA=100|SYMBOLE=0|FARBEN=0|BZTV=1|BZSV=1|BFV=1|BEMV=1|BUV=1|ARV=false|BVV=1|VV=1|"
                          "PROV=1|GWV=1|TPV=1|STSV=1|BILDV=1|PRV=1|FDV=1|KVV=1|TAV=true"});
}

TEST_F(EingabeTest, OpeningAndSavingUnchangedKeepsEveryRow)
{
    frmMAIN& w = gestartet();
    for (const QString& ken : {QStringLiteral("KB 1"), QStringLiteral("Brunnen 'Am Anger'")}) {
        const int id = idVon(ken);
        aktiv(ken);
        const QStringList vorher = alleZeilen(id);
        mdiEINGABE* e = oeffne(w, ken);
        ASSERT_NE(e, nullptr) << ken.toStdString();
        EXPECT_EQ(e->txtKEN->text(), ken);
        EXPECT_EQ(w.stbMAIN->text(6), ken);
        EXPECT_TRUE(w.stbMAIN->isPanelVisible(8));
        EXPECT_FALSE(frmMAIN::isMenuEnabled(w.mnuDATEI));
        boxen().clear();
        boxen().answerMessage(vb::vbYes);
        w.stbMAIN_PanelClick(8);
        ASSERT_EQ(boxen().messages().size(), 1u);
        EXPECT_EQ(boxen().last().text, QString::fromUtf8("Soll der vorhandene Datensatz ") + ken
                                           + QString::fromUtf8(" überschrieben werden?"));
        EXPECT_EQ(boxen().last().title, "OK");
        EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::YesNo);
        EXPECT_EQ(boxen().last().icon, vb::MsgIcon::Question);
        EXPECT_EQ(w.eingabefenster(), nullptr);
        EXPECT_EQ(idVon(ken), id);
        EXPECT_EQ(alleZeilen(id), vorher) << ken.toStdString();
        EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{ken});
    }
}

TEST_F(EingabeTest, OpenedRecordShowsItsValuesAndCodesAsTexts)
{
    frmMAIN& w = gestartet();
    // A code without a list text and a Null code.
    const int id = idVon("KB 1");
    cnnX().execute("UPDATE [E3] SET [GTYP]=3 WHERE [ID]=? AND [I1]=0", {vb::Variant(id)});
    cnnX().execute("UPDATE [E6] SET [STYP]=NULL WHERE [ID]=? AND [I1]=1", {vb::Variant(id)});
    mdiEINGABE* e = oeffne(w, "KB 1");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->txtKOM->text(), "Kernbohrung Widerlager Achse 10");
    EXPECT_EQ(e->txtRW->text(), "4468123,45");
    EXPECT_EQ(e->txtROK->text(), "0,65");
    EXPECT_TRUE(e->optK[1]->isChecked());   // geodetic
    EXPECT_TRUE(e->optH[0]->isChecked());
    EXPECT_EQ(e->txtB[1]->text(), "Dipl.-Geol. M. Hartwig");
    EXPECT_EQ(e->txtB[2]->text(), "");

    const struct {
        int raster, zeile, spalte;
        const char* text;
    } zellen[] = {
        {0, 0, 1, "UK Schicht"},
        {0, 1, 0, "0"},
        {0, 8, 0, "7"},
        {0, 2, 2, "bU"},
        {0, 4, 5, "ge'"},   // shown as stored, blank included
        {1, 1, 1, "3"},
        {1, 2, 1, "zuletzt gemessen"},
        {1, 2, 3, "19.03.2026"},
        {2, 2, 5, "Sonderprobe"},
        {2, 4, 5, "Bohrkern"},
        {4, 1, 1, "offene Sonde"},
        {4, 2, 1, ""},
        {4, 3, 1, "geschlossene Sonde"},
        {8, 2, 1, "2,5"},
        {9, 1, 3, "Stahl"},
    };
    for (const auto& z : zellen)
        EXPECT_EQ(e->msgFLX[size_t(z.raster)]->TextMatrix(z.zeile, z.spalte).trimmed(), QString::fromUtf8(z.text))
            << z.raster << "/" << z.zeile << "/" << z.spalte;
    EXPECT_EQ(e->msgFLX[0]->Rows(), 9);
    for (int i = 0; i < mdiEINGABE::kRaster; ++i)
        EXPECT_TRUE(e->msgFLX[size_t(i)]->isEnabled()) << i;
}

TEST_F(EingabeTest, TablesWithoutRowsGreyTheirGridsAndStayEmpty)
{
    frmMAIN& w = gestartet();
    const int id = idVon("RKS 4");
    aktiv("RKS 4");
    const QStringList vorher = alleZeilen(id);
    mdiEINGABE* e = oeffne(w, "RKS 4");
    ASSERT_NE(e, nullptr);
    // RKS 4 has layers, groundwater, a standard penetration test without blow
    // counts and the drilling method only.
    const bool gefuellt[mdiEINGABE::kRaster] = {true, true, false, false, true, true, false, false, false, false};
    for (int i = 0; i < mdiEINGABE::kRaster; ++i) {
        EXPECT_EQ(e->msgFLX[size_t(i)]->isEnabled(), gefuellt[i]) << i;
        if (!gefuellt[i]) {
            EXPECT_EQ(e->msgFLX[size_t(i)]->Rows(), 2) << i;
            EXPECT_EQ(e->msgFLX[size_t(i)]->TextMatrix(1, 1), "") << i;
        }
    }
    EXPECT_FALSE(e->optK[1]->isChecked());
    EXPECT_FALSE(e->optH[0]->isChecked());
    boxen().answerMessage(vb::vbYes);
    w.stbMAIN_PanelClick(8);
    EXPECT_EQ(w.eingabefenster(), nullptr);
    EXPECT_EQ(alleZeilen(id), vorher);
    EXPECT_EQ(ShellTest::zeilen(cnnX(), "E4", id), 0);
}

TEST_F(EingabeTest, RemovedAndInsertedLinesAreRenumbered)
{
    frmMAIN& w = gestartet();
    const int id = idVon("KB 1");
    const QStringList schichten = zeilenText(cnnX(), "E2", id);
    mdiEINGABE* e = oeffne(w, "KB 1");
    ASSERT_NE(e, nullptr);
    grid::FlexGrid* g = e->msgFLX[0];
    e->SSTab->setTab(1);
    // Lines 6 and 7 go: 8 lines become 6.
    g->setRow(8);
    e->cmdW[0]->click();
    g->setRow(7);
    e->cmdW[0]->click();
    // A line between lines 0 and 1.
    g->setRow(2);
    e->cmdH[0]->click();
    zelle(*e, 0, 2, 1, "0,9");
    EXPECT_EQ(g->TextMatrix(2, 0), "1");
    EXPECT_EQ(g->TextMatrix(3, 0), "2");
    boxen().answerMessage(vb::vbYes);
    w.stbMAIN_PanelClick(8);
    ASSERT_EQ(w.eingabefenster(), nullptr);

    const QStringList nachher = zeilenText(cnnX(), "E2", id);
    ASSERT_EQ(nachher.size(), 7);
    auto ohneI1 = [](QString z) { return z.section('|', 1); };
    EXPECT_EQ(ohneI1(nachher[0]), ohneI1(schichten[0]));
    EXPECT_TRUE(nachher[1].startsWith("I1=1|TUKS=0.9|HPTB1=<null>")) << nachher[1].toStdString();
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(nachher[k + 1].startsWith(QStringLiteral("I1=%1|").arg(k + 1)));
        EXPECT_EQ(ohneI1(nachher[k + 1]), ohneI1(schichten[k]));
    }
}

TEST_F(EingabeTest, RefusedValueStoresNothing)
{
    frmMAIN& w = gestartet();
    const int kb1 = idVon("KB 1");
    const QStringList vorher = alleZeilen(kb1, 12);
    const QStringList kennungen = ShellTest::kennungen(cnnX());

    // A new record whose Y cannot be stored.
    {
        mdiEINGABE& e = neu(w);
        e.txtKEN->setText("B 9");
        e.txtRW->setText("100");
        e.txtHW->setText("abc");
        w.stbMAIN_PanelClick(8);
        ASSERT_EQ(boxen().messages().size(), 1u) << boxen().messages()[0].text.toStdString();
        EXPECT_EQ(boxen().last().text, "Wert abc kann nicht in die Spalte HW der Tabelle E1 gespeichert werden!");
        EXPECT_EQ(boxen().last().title, "Datenfehler");
        EXPECT_FALSE(vb::waitPointerShown());
        EXPECT_EQ(w.eingabefenster(), &e);
        EXPECT_EQ(ShellTest::kennungen(cnnX()), kennungen);
        EXPECT_FALSE(db::sharedState().BOAENDERUNG);
        w.stbMAIN_PanelClick(9);
    }
    // An overwrite answered Yes: the old header row comes back, nothing else moves.
    {
        mdiEINGABE* e = oeffne(w, "KB 1");
        ASSERT_NE(e, nullptr);
        e->txtHW->setText("abc");
        e->msgFLX[0]->setTextMatrix(1, 1, "9,99");
        boxen().clear();
        boxen().answerMessage(vb::vbYes);
        w.stbMAIN_PanelClick(8);
        EXPECT_EQ(boxen().messages().size(), 2u);
        EXPECT_EQ(w.eingabefenster(), e);
        EXPECT_EQ(alleZeilen(kb1, 12), vorher);
        EXPECT_FALSE(cnnX().inTransaction());
        // No keeps the window and changes nothing.
        e->txtHW->setText("5427890,12");
        boxen().answerMessage(vb::vbNo);
        w.stbMAIN_PanelClick(8);
        EXPECT_EQ(w.eingabefenster(), e);
        EXPECT_EQ(alleZeilen(kb1, 12), vorher);
    }
}

TEST_F(EingabeTest, GroundwaterTypeWithTrailingBlankIsRefused)
{
    frmMAIN& w = gestartet();
    const int kb1 = idVon("KB 1");
    const QStringList vorher = alleZeilen(kb1);
    mdiEINGABE* e = oeffne(w, "KB 1");
    ASSERT_NE(e, nullptr);
    e->msgFLX[1]->setTextMatrix(1, 1, "zuletzt gemessen ");
    e->msgFLX[1]->setTextMatrix(2, 1, "keine Angabe");
    boxen().answerMessage(vb::vbYes).answerMessage(vb::vbCancel);
    w.stbMAIN_PanelClick(8);
    const auto boxen2 = boxen().messages();
    ASSERT_EQ(boxen2.size(), 2u) << boxen2[0].text.toStdString() << boxen2[1].text.toStdString();
    EXPECT_TRUE(boxen2[1].text.startsWith("Werte der Spalte GTYP der Tabelle E3")) << boxen2[1].text.toStdString();
    EXPECT_EQ(boxen2[1].title, "Datenfehler");
    // The cells keep what the translation made of them.
    EXPECT_EQ(e->msgFLX[1]->TextMatrix(1, 1), "zuletzt gemessen ");
    EXPECT_EQ(e->msgFLX[1]->TextMatrix(2, 1), "0");
    EXPECT_EQ(alleZeilen(kb1), vorher);
}

TEST_F(EingabeTest, EmptyIdentifierIsRefused)
{
    frmMAIN& w = gestartet();
    const QStringList kennungen = ShellTest::kennungen(cnnX());
    mdiEINGABE& e = neu(w, QString());
    for (const char* ken : {"", "   "}) {
        e.txtKEN->setText(QString::fromLatin1(ken));
        boxen().clear();
        // Leaving the box for another control of the window.
        e.txtKEN->setFocus();
        QTest::keyClick(e.txtKEN, Qt::Key_Tab);
        ASSERT_EQ(boxen().messages().size(), 1u) << ken;
        EXPECT_EQ(boxen().last().text, "Datensatzkennzeichnung fehlt!");
        EXPECT_EQ(boxen().last().title, "Datenfehler");
        EXPECT_EQ(QApplication::focusWidget(), e.txtKEN);
        // Saving says the same and stores nothing.
        w.stbMAIN_PanelClick(8);
        EXPECT_EQ(boxen().messages().size(), 2u);
        EXPECT_EQ(boxen().last().text, "Datensatzkennzeichnung fehlt!");
        EXPECT_EQ(w.eingabefenster(), &e);
        EXPECT_EQ(ShellTest::kennungen(cnnX()), kennungen);
    }
}

TEST_F(EingabeTest, IdentifierLengthLimitsTypingOnly)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w, QString());
    tippe("ABCDEFGHIJ");
    EXPECT_EQ(e.txtKEN->text(), "ABCDEFGH");
    QApplication::clipboard()->setText("XYZ");
    QTest::keyClick(e.txtKEN, Qt::Key_Backspace);
    QTest::keyClick(e.txtKEN, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.txtKEN->text(), "ABCDEFGX");
    w.stbMAIN_PanelClick(9);
    // The long stored identifier opens whole and can be shortened.
    mdiEINGABE* b = oeffne(w, "Brunnen 'Am Anger'");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->txtKEN->text().size(), 18);
    b->txtKEN->setFocus();
    QTest::keyClick(b->txtKEN, Qt::Key_End);
    QTest::keyClick(b->txtKEN, Qt::Key_X);
    EXPECT_EQ(b->txtKEN->text(), "Brunnen 'Am Anger'");
    QTest::keyClick(b->txtKEN, Qt::Key_Backspace);
    EXPECT_EQ(b->txtKEN->text(), "Brunnen 'Am Anger");
}

TEST_F(EingabeTest, OpenWithoutOrWithSeveralActiveRecords)
{
    frmMAIN& w = gestartet();
    const struct {
        const char* aktiv;   // SQL condition for the active rows
        const char* text;
    } faelle[] = {
        {"0", "Es gibt keinen aktuellen Datensatz!"},
        {"[ID] IN (1,2)", "Es kann nur ein aktueller Datensatz geöffnet werden!"},
    };
    for (const auto& f : faelle) {
        // The selection dialog confirms without changing the choice; the
        // first box is answered OK (the dialog comes again), the second Cancel.
        int gezeigt = 0;
        frmMAIN::setModalDriver([&](QDialog& d) {
            ++gezeigt;
            cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=(%1)").arg(QString::fromLatin1(f.aktiv)));
            w.Tag() = "OK";
            d.accept();
        });
        boxen().clear();
        boxen().answerMessage(vb::vbOK).answerMessage(vb::vbCancel);
        w.mnuOEFFNEN_Click();
        EXPECT_EQ(gezeigt, 2);
        const auto m = boxen().messages();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_EQ(m[0].text, QString::fromUtf8(f.text));
        EXPECT_EQ(m[0].title, QString::fromUtf8("&Öffnen"));
        EXPECT_EQ(m[0].buttons, vb::MsgButtons::OKCancel);
        EXPECT_EQ(m[0].icon, vb::MsgIcon::Exclamation);
        EXPECT_EQ(w.eingabefenster(), nullptr);
        EXPECT_TRUE(frmMAIN::isMenuEnabled(w.mnuDATEI));
    }
}

TEST_F(EingabeTest, KeysOfTheWindow)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w);
    // The keypad's decimal key types the locale's decimal sign.
    e.txtRW->setFocus();
    QTest::keyClick(e.txtRW, Qt::Key_1);
    QTest::keyClick(e.txtRW, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(e.txtRW, Qt::Key_5);
    EXPECT_EQ(e.txtRW->text(), "1,5");
    db::sharedState().DEZIMALPUNKT = ".";
    e.txtH->setFocus();
    QTest::keyClick(e.txtH, Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(e.txtH->text(), ".");
    db::sharedState().DEZIMALPUNKT = ",";
    // In a grid the key opens the cell editor with the sign.
    zelle(e, 0, 1, 1, "2");
    e.msgFLX[0]->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period, Qt::KeypadModifier);
    tippe("5");
    taste(Qt::Key_Return);
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 1), "0,50");

    // Ctrl+C copies grid cells only from a grid; Ctrl+V pastes into it.
    QApplication::clipboard()->setText("leer");
    e.SSTab->setTab(0);
    e.txtRW->setFocus();
    QTest::keyClick(e.txtRW, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "leer");
    e.SSTab->setTab(1);
    e.msgFLX[0]->SetFocus();
    e.msgFLX[0]->setRow(1);
    e.msgFLX[0]->setCol(1);
    taste(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().trimmed(), "0,50");
    QApplication::clipboard()->setText("Mu");
    e.msgFLX[0]->setCol(2);
    taste(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 2), "Mu");

    // Alt+Q and Ctrl+Alt+Q quit the program.
    for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ControlModifier}) {
        int beendet = 0;
        e.beenden = [&] { ++beendet; };
        taste(Qt::Key_Q, m);
        EXPECT_EQ(beendet, 1);
    }
}

TEST_F(EingabeTest, EnglishTextsLeaveTheDataCaptionsGerman)
{
    sprache("en_US");
    frmMAIN& w = gestartet();
    ASSERT_EQ(db::sharedState().SPRACHE, 1);
    mdiEINGABE& e = neu(w);
    EXPECT_EQ(e.SSTab->TabCaption(0), "general data");
    EXPECT_EQ(e.SSTab->TabCaption(8), "Flachdilatometer");
    EXPECT_EQ(e.SSTab->TabCaption(10), "casing");
    EXPECT_EQ(e.lblKEN->text(), "File");
    EXPECT_EQ(e.cmdH[3]->text(), "Insert row");
    EXPECT_EQ(e.cmdE[9]->text(), "Paste");
    EXPECT_EQ(e.lblRW->text(), "X [m]");
    EXPECT_EQ(e.optK[1]->text(), "geod.Koordinatensystem");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(0, 1), "UK Schicht");
    // Secondary constituents have no items in English; typed text is kept.
    EXPECT_TRUE(e.FLX(0)->ELCBO(4).eintraege().empty());
    zelle(e, 0, 1, 4, "s,u");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 4), "s,u");
    // The keypad key types the English decimal sign.
    db::sharedState().DEZIMALPUNKT = ".";
    e.SSTab->setTab(0);
    e.txtH->setFocus();
    QTest::keyClick(e.txtH, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(e.txtH->text(), ".");
    // An empty identifier is refused in English.
    e.txtKEN->clear();
    w.stbMAIN_PanelClick(8);
    EXPECT_EQ(boxen().last().text, "File name is missing!");
    EXPECT_EQ(boxen().last().title, "Data error");
    // An existing identifier brings the English question; No keeps the window.
    e.txtKEN->setText("KB 1");
    boxen().answerMessage(vb::vbNo);
    w.stbMAIN_PanelClick(8);
    EXPECT_EQ(boxen().last().text, "Do you want to overwrite the file KB 1?");
    EXPECT_EQ(w.eingabefenster(), &e);
}

TEST_F(EingabeTest, DateColumnRefusesText)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w);
    zelle(e, 1, 1, 3, "abc");
    ASSERT_FALSE(boxen().messages().empty());
    EXPECT_EQ(boxen().last().text, "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!");
    EXPECT_EQ(boxen().last().title, "MSFlexGrid / Datumsspalte DATUM");
}

TEST_F(EingabeTest, CloseBoxEndsTheEntryAndCentringFollowsTheSize)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w);
    auto* rahmen = qobject_cast<QMdiSubWindow*>(e.parentWidget());
    ASSERT_NE(rahmen, nullptr);
    rahmen->resize(rahmen->width() + 200, rahmen->height() + 100);
    QApplication::processEvents();
    const int links = (e.width() - e.SSTab->width()) / 2;
    EXPECT_EQ(e.SSTab->x(), links);
    EXPECT_EQ(e.fraKEN->x(), links);
    EXPECT_EQ(e.SSTab->y(), qRound(1.5 * e.fraKEN->height()));
    EXPECT_EQ(e.fraKEN->y(), e.SSTab->y() - qRound(1.15 * e.fraKEN->height()));
    // A tab chosen before closing does not come back.
    e.SSTab->setTab(5);
    rahmen->close();
    QApplication::processEvents();
    EXPECT_EQ(w.eingabefenster(), nullptr);
    EXPECT_FALSE(w.stbMAIN->isPanelVisible(8));
    EXPECT_FALSE(w.stbMAIN->isPanelVisible(9));
    EXPECT_TRUE(frmMAIN::isMenuEnabled(w.mnuEXTRAS));
    EXPECT_EQ(neu(w).SSTab->Tab(), 0);
}

// A save killed between two rows leaves the working copy as it was: the
// process is forked with KB 1 open, and the child saves an overwrite on a
// connection of its own, killing itself after a number of stored rows.
// (The child lets no window messages run: painting needs threads a forked
// process does not have.)
TEST_F(EingabeTest, SaveKilledMidwayLeavesThePreviousRecord)
{
    frmMAIN& w = gestartet();
    const int kb1 = idVon("KB 1");
    const QStringList vorher = alleZeilen(kb1, 12);
    const QStringList kennungen = ShellTest::kennungen(cnnX());
    const QString datei = cnnX().path();
    mdiEINGABE* e = oeffne(w, "KB 1");
    ASSERT_NE(e, nullptr);
    e->txtKOM->setText("geändert");
    QApplication::processEvents();
    for (int nachZeilen : {1, 15, 40}) {
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            auto& st = db::sharedState();
            st.cnnX = db::Connection::open(datei);
            for (int t = 1; t <= 12; ++t)
                e->DAT(t)->EBOV(false);
            int zeilen = 0;
            st.nachrichtenHook = [&] {
                if (++zeilen == nachZeilen)
                    ::raise(SIGKILL);
            };
            boxen().clear();
            boxen().answerMessage(vb::vbYes);
            w.stbMAIN_PanelClick(8);
            ::_exit(3);
        }
        // A child stuck in the window system (threads do not survive a fork)
        // is killed after a while instead of hanging the test; the database
        // must look the same either way.
        int status = 0;
        bool beendet = false;
        for (int i = 0; i < 600 && !beendet; ++i) {
            beendet = ::waitpid(kind, &status, WNOHANG) == kind;
            if (!beendet)
                ::usleep(50000);
        }
        if (!beendet) {
            ::kill(kind, SIGKILL);
            ::waitpid(kind, &status, 0);
        }
        ASSERT_TRUE(WIFSIGNALED(status)) << nachZeilen << " exit " << WEXITSTATUS(status);
        auto c = db::Connection::open(datei);
        EXPECT_EQ(ShellTest::kennungen(*c), kennungen);
        QStringList nachher;
        for (const QString& t : kSatztabellen)
            for (const QString& z : zeilenText(*c, t, kb1))
                nachher << t + QLatin1Char(':') + z;
        EXPECT_EQ(nachher, vorher) << nachZeilen;
    }
    // The parent's own save afterwards goes through.
    boxen().answerMessage(vb::vbYes);
    w.stbMAIN_PanelClick(8);
    EXPECT_EQ(w.eingabefenster(), nullptr);
    EXPECT_EQ(zeilenText(cnnX(), "E1", kb1).value(0).section('|', 1, 1), QString::fromUtf8("KOM=geändert"));
}

// A cell the column refuses stores Null: a line inserted above stored lines
// does not take over the value its row held before.
TEST_F(EingabeTest, RefusedCellOfAnInsertedLineStoresNull)
{
    frmMAIN& w = gestartet();
    const int kb1 = idVon("KB 1");
    mdiEINGABE* e = oeffne(w, "KB 1");
    ASSERT_NE(e, nullptr);
    grid::FlexGrid* g = e->msgFLX[0];
    e->SSTab->setTab(1);
    g->setRow(1);
    e->cmdH[0]->click();
    g->setTextMatrix(1, 1, "abc");
    g->setTextMatrix(1, 2, "G");
    boxen().clear();
    boxen().answerMessage(vb::vbYes).answerMessage(vb::vbOK);
    w.stbMAIN_PanelClick(8);
    const auto m = boxen().messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(m[1].text.startsWith("Werte der Spalte TUKS der Tabelle E2")) << m[1].text.toStdString();
    EXPECT_EQ(w.eingabefenster(), nullptr);
    const QStringList e2 = zeilenText(cnnX(), "E2", kb1);
    ASSERT_EQ(e2.size(), 9);
    EXPECT_TRUE(e2[0].startsWith("I1=0|TUKS=<null>|HPTB1=G|")) << e2[0].toStdString();
    EXPECT_TRUE(e2[1].startsWith("I1=1|TUKS=0.3|HPTB1=Mu|")) << e2[1].toStdString();
}

TEST_F(EingabeTest, TabRowAndColumnTooltips)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w);
    e.SSTab->setFocus();
    // The arrows run through the tabs of all three rows.
    const struct {
        Qt::Key taste;
        int tab;
    } schritte[] = {{Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Right, 4},
                    {Qt::Key_Left, 3},  {Qt::Key_Up, 2},     {Qt::Key_Left, 1}, {Qt::Key_Left, 0},
                    {Qt::Key_Left, 0}};
    for (const auto& s : schritte) {
        QTest::keyClick(e.SSTab, s.taste);
        EXPECT_EQ(e.SSTab->Tab(), s.tab);
        for (int k = 0; k < 11; ++k)
            EXPECT_EQ(!e.SSTab->seite(k)->isHidden(), k == s.tab) << k;
    }
    // The access key of "&Taschenpenetrometer".
    QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(e.SSTab->Tab(), 4);
    // Tab moves from the tab row into the grid, then its buttons.
    e.SSTab->setTab(8);
    e.SSTab->setFocus();
    taste(Qt::Key_Tab);
    EXPECT_TRUE(e.msgFLX[7]->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == e.msgFLX[7]);
    taste(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), e.cmdH[7]);
    // The tooltip follows the column under the pointer.
    grid::FlexGrid* g = e.msgFLX[7];
    const double twips = g->twipsPerPixelX();
    const int y = g->height() / 2;
    e.FLX(7)->TOOLTIP(float(850 + 709 + 850 + 100), float(y * twips));
    EXPECT_EQ(g->ToolTipText(), "Horizontalspannungsindex");
    e.FLX(8)->TOOLTIP(float(709 + 850 + 850 + 100), float(y * twips));
    EXPECT_EQ(e.msgFLX[8]->ToolTipText(), "Ausrollgrenze nach Atterberg");
}

// Saving takes over what a cell editor still holds; a value its grid refuses
// keeps the window open and stores nothing.
TEST_F(EingabeTest, SavingCommitsAnOpenCellEditor)
{
    frmMAIN& w = gestartet();
    const QStringList kennungen = ShellTest::kennungen(cnnX());
    mdiEINGABE& e = neu(w, "B 8");
    grid::FlexGrid* g = e.msgFLX[1];
    e.SSTab->setTab(2);
    g->SetFocus();
    g->setRow(1);
    g->setCol(3);
    tippe("abc");
    ASSERT_FALSE(e.txtFLX[1]->isHidden());
    taste(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(boxen().messages().size(), 1u);
    EXPECT_EQ(boxen().last().title, "MSFlexGrid / Datumsspalte DATUM");
    EXPECT_EQ(w.eingabefenster(), &e);
    EXPECT_EQ(ShellTest::kennungen(cnnX()), kennungen);

    e.txtFLX[1]->setText("3.2.2003");
    g->setCol(2);
    e.SSTab->setTab(1);
    e.msgFLX[0]->SetFocus();
    e.msgFLX[0]->setRow(1);
    e.msgFLX[0]->setCol(1);
    tippe("2,5");
    taste(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.eingabefenster(), nullptr);
    const int id = idVon("B 8");
    EXPECT_TRUE(zeilenText(cnnX(), "E2", id).value(0).startsWith("I1=0|TUKS=2.5|"));
    EXPECT_TRUE(zeilenText(cnnX(), "E3", id).value(0).endsWith("GWDATUM=2003-02-03T00:00:00.000"));
}

TEST_F(EingabeTest, DeviceFileImportedWithCtrlIAndStored)
{
    frmMAIN& w = gestartet();
    const int id = idVon(QStringLiteral("KB 1"));
    aktiv(QStringLiteral("KB 1"));
    mdiEINGABE* e = oeffne(w, QStringLiteral("KB 1"));
    ASSERT_NE(e, nullptr);
    QTest::keyClick(e->txtKEN, Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(e->SSTab->Tab(), 4);
    grid::FlexGrid* g = e->msgFLX[3];
    const int vorher = g->Rows();
    ASSERT_EQ(vorher, 5);
    boxen().clear();
    boxen().answerInput(QStringLiteral("TP")).answerFile(pfade().projekt + QStringLiteral("/Elektronik/TP.txt"));
    taste(Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(boxen().count(), 2);
    EXPECT_EQ(boxen().records()[0].title, QStringLiteral("Elektronikvorgaben"));
    EXPECT_EQ(boxen().records()[0].choices, (QStringList{"DMT", "MENARD", "TP"}));
    EXPECT_EQ(boxen().records()[1].title, QStringLiteral("Elektronikdatei"));
    EXPECT_EQ(boxen().records()[1].fileCall.directory, pfade().projekt + QStringLiteral("/Elektronik"));
    ASSERT_EQ(g->Rows(), vorher + 3);
    QStringList neu;
    for (int r = vorher; r < g->Rows(); ++r)
        neu << QStringList{g->TextMatrix(r, 0), g->TextMatrix(r, 1), g->TextMatrix(r, 2), g->TextMatrix(r, 3)}.join('|');
    EXPECT_EQ(neu, (QStringList{"4|0,60|140,0|15,0", "5|1,20|95,0|10,0", "6|2,40|60,0|8,0"}));
    e->grab().save(QDir::temp().filePath(QStringLiteral("kavelor-import-tp.png")));

    // The button does the same on the tab's grid; Cancel in the pick changes nothing.
    boxen().clear();
    boxen().cancelInput();
    e->cmdI[3]->click();
    EXPECT_EQ(g->Rows(), vorher + 3);

    boxen().clear();
    boxen().answerMessage(vb::vbYes);
    taste(Qt::Key_S, Qt::ControlModifier);
    const QStringList e5 = zeilenText(cnnX(), QStringLiteral("E5"), id);
    ASSERT_EQ(e5.size(), 7);
    EXPECT_EQ(e5[6], QStringLiteral("I1=6|VTT=2.4|MX=60|SX=8"));
}

TEST_F(EingabeTest, TypedListCodeAndDeletedCellsReachTheTableAsTyped)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w, "B 9");
    // Depth, roundness code, remark; the roundness list has items beginning
    // with what is typed.
    zelle(e, 0, 1, 1, "2,5");
    zelle(e, 0, 1, 5, "ka");
    zelle(e, 0, 1, 8, "weg");
    zelle(e, 0, 1, 9, "1");
    EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, 5), "ka");
    // Delete on the number cell and on the text cell: no editor, the cells empty.
    for (int spalte : {1, 8}) {
        e.msgFLX[0]->SetFocus();
        e.msgFLX[0]->setCol(spalte);
        taste(Qt::Key_Delete);
        EXPECT_TRUE(e.txtFLX[0]->isHidden());
        EXPECT_EQ(e.msgFLX[0]->TextMatrix(1, spalte), QString());
    }
    boxen().clear();
    taste(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(boxen().count(), 0);
    EXPECT_EQ(w.eingabefenster(), nullptr);
    const QStringList e2 = zeilenText(cnnX(), "E2", idVon("B 9"));
    ASSERT_EQ(e2.size(), 1);
    EXPECT_EQ(e2[0], "I1=0|TUKS=<null>|HPTB1=<null>|HPTB2=<null>|NEBB=<null>|RUND=ka|ZUST=<null>|FARBE=<null>|"
                     "BEMS=<null>|BS=1");
}

TEST_F(EingabeTest, IdentifierAndCommentKeepTheirLimitsHoweverTextIsPasted)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w, QString());
    const QString vierzig = QStringLiteral("0123456789").repeated(4);
    const std::function<void(QLineEdit*)> wege[] = {
        [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier); },
        [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier); },
        [](QLineEdit* b) {
            // The context menu's paste: the sixth entry (undo, redo, a line, cut, copy, paste).
            std::unique_ptr<QMenu> menue(b->createStandardContextMenu());
            menue->actions().at(5)->trigger();
        },
    };
    for (const auto& einfuegen : wege) {
        for (auto [box, grenze, text] : {std::tuple{e.txtKEN, 8, vierzig}, std::tuple{e.txtKOM, 50, vierzig + vierzig}}) {
            box->clear();
            box->setFocus();
            QApplication::clipboard()->setText(text);
            einfuegen(box);
            EXPECT_EQ(box->text(), text.left(grenze));
        }
    }
    // Stored as pasted: the eight characters.
    boxen().clear();
    taste(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(w.eingabefenster(), nullptr);
    EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{"01234567"});
}

// The identifier stored is the one the box shows: a character of several
// code units that does not fit is left out whole, never stored as "?"; an
// edit of a stored identifier longer than the limit is stored as typed.
TEST_F(EingabeTest, IdentifierIsStoredInWholeCharactersAndAsEdited)
{
    frmMAIN& w = gestartet();
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    struct Fall {
        QString eingefuegt;
        QString gespeichert;
    };
    const Fall faelle[] = {
        {QStringLiteral("1234567") + emoji, QStringLiteral("1234567")},
        {QStringLiteral("ABCDEFGe\u0301"), QStringLiteral("ABCDEFG")},
        {QStringLiteral("ABCDEF") + emoji + QStringLiteral("X"), QStringLiteral("ABCDEF") + emoji},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingefuegt.toStdString());
        mdiEINGABE& e = neu(w, QString());
        QApplication::clipboard()->setText(f.eingefuegt);
        QTest::keyClick(e.txtKEN, Qt::Key_V, Qt::ControlModifier);
        boxen().clear();
        taste(Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(w.eingabefenster(), nullptr);
        EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{f.gespeichert});
    }
    // The last character of the stored 18 replaced by a typed one.
    mdiEINGABE* b = oeffne(w, "Brunnen 'Am Anger'");
    ASSERT_NE(b, nullptr);
    b->txtKEN->setFocus();
    QTest::keyClick(b->txtKEN, Qt::Key_End);
    QTest::keyClick(b->txtKEN, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(b->txtKEN, 'Z');
    EXPECT_EQ(b->txtKEN->text(), "Brunnen 'Am AngerZ");
    boxen().clear();
    taste(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(w.eingabefenster(), nullptr);
    EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{"Brunnen 'Am AngerZ"});
    EXPECT_TRUE(ShellTest::kennungen(cnnX()).contains("Brunnen 'Am Anger'"));
}

TEST_F(EingabeTest, ImportOffersTheTabsPresetAndRefusesAnotherGrids)
{
    frmMAIN& w = gestartet();
    mdiEINGABE& e = neu(w);
    struct Fall {
        int tab;
        const char* vorschlag;
    };
    // Pocket penetrometer: its preset first; layers: no preset has their
    // fields, the pick starts on an empty line.
    for (const Fall& f : {Fall{4, "TP"}, Fall{1, ""}}) {
        SCOPED_TRACE(f.tab);
        e.SSTab->setTab(f.tab);
        grid::FlexGrid* g = e.msgFLX[size_t(f.tab - 1)];
        g->SetFocus();
        boxen().clear();
        boxen().answerInput(QStringLiteral("DMT")).answerFile(pfade().projekt + QStringLiteral("/Elektronik/DMT.txt"));
        taste(Qt::Key_I, Qt::ControlModifier);
        ASSERT_GE(boxen().count(), 1);
        EXPECT_EQ(boxen().records()[0].defaultText, QString::fromLatin1(f.vorschlag));
        ASSERT_EQ(boxen().messages().size(), 1u);
        EXPECT_TRUE(boxen().last().text.startsWith("Die Elektronikvorgabe DMT passt nicht zu dieser Tabelle"));
        // Refused at the pick: no file dialog was opened for it.
        for (const auto& r : boxen().records())
            EXPECT_NE(r.kind, vb::DialogRecord::Kind::OpenFile) << r.title.toStdString();
        EXPECT_EQ(g->Rows(), 2);
    }
}

TEST(Registerkarten, TheChosenTabLeavesThePageBelowTheRowsAlone)
{
    eingabe::Registerkarten karten(11, 4);
    karten.resize(760, 520);
    for (int k = 0; k < 11; ++k)
        karten.setTabCaption(k, QStringLiteral("Karte %1").arg(k));
    const int unten = 3 * karten.zeilenHoehe();
    for (int tab : {0, 5, 8, 9}) {
        SCOPED_TRACE(tab);
        karten.setTab(tab);
        const QImage bild = karten.grab().toImage();
        // The page's band under the tab rows looks the same under every column.
        for (int y : {unten + 3, unten + karten.zeilenHoehe()}) {
            const QRgb links = bild.pixel(karten.tabRechteck(3).center().x(), y);
            for (int spalte = 0; spalte < 4; ++spalte)
                EXPECT_EQ(bild.pixel(karten.tabRechteck(spalte).center().x(), y), links) << "column " << spalte << ", y " << y;
        }
    }
}
