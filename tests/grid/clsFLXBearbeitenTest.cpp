#include "GridFixture.h"

#include "platform/VbRuntime.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using grid::FlxWert;

namespace {
const QString kSchranken = QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100");
const QString kZahl = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!");
const QString kDatum = QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!");
const QString kGanz = QStringLiteral("Eingegeber Wert ist keine ganze Zahl!");
} // namespace

struct Pruefung {
    const char* name;
    int typ;
    FlxWert min;
    FlxWert max;
    QString eingabe;
    QString box;        // empty: accepted
    QString titel;
    QString zelle;      // the cell after the commit (when accepted)
};

class PruefungTest : public GridTest, public ::testing::WithParamInterface<Pruefung> {};

TEST_P(PruefungTest, ChecksTheTextByTheColumnType)
{
    const Pruefung& p = GetParam();
    binden(2);
    FLX.ELST1(FlxWert::texte({"Lfd.", "UK Schicht"}));
    FLX.ELSTYP(FlxWert::liste({int16_t(0), int16_t(p.typ)}));
    FLX.ELMIN(FlxWert::liste({FlxWert(), p.min}));
    FLX.ELMAX(FlxWert::liste({FlxWert(), p.max}));
    flx->setRow(1);
    flx->setCol(1);
    flx->setTextMatrix(1, 1, QStringLiteral("alt"));
    FLX.BEARBEITEN(0);
    ASSERT_FALSE(txt->isHidden());
    txt->setText(p.eingabe);
    FLX.EINFUEGEN(0);
    if (p.box.isEmpty()) {
        EXPECT_EQ(boxen().count(), 0);
        EXPECT_TRUE(txt->isHidden());
        EXPECT_EQ(flx->TextMatrix(1, 1), p.zelle);
    } else {
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_EQ(boxen().last().text, p.box);
        EXPECT_EQ(boxen().last().title, p.titel);
        EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
        EXPECT_EQ(boxen().last().icon, vb::Warning);
        // The editor stays open with the text for correction.
        EXPECT_FALSE(txt->isHidden());
        EXPECT_EQ(txt->text(), p.eingabe);
        EXPECT_EQ(flx->TextMatrix(1, 1), QStringLiteral("alt"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, PruefungTest,
    ::testing::Values(
        Pruefung{"ueberMaximum", 0, int16_t(0), int16_t(100), "150", kSchranken,
                 "MSFlexGrid / Spalte UK Schicht", ""},
        Pruefung{"keineZahl", 0, int16_t(0), int16_t(100), "abc", kZahl, "MSFlexGrid / Spalte UK Schicht", ""},
        Pruefung{"ungetrimmt", 0, int16_t(0), int16_t(100), " 50 ", "", "", " 50 "},
        Pruefung{"ohneSchranken", 0, {}, {}, "abc", "", "", "abc"},
        Pruefung{"leerLoescht", 0, int16_t(0), int16_t(100), "", "", "", ""},
        Pruefung{"indexNichtGanz", 1, int16_t(1), int16_t(10), "2,5", kGanz, "MSFlexGrid / Indexspalte UK Schicht",
                 ""},
        Pruefung{"datumFalsch", 4, {}, {}, "abc", kDatum, "MSFlexGrid / Datumsspalte UK Schicht", ""},
        Pruefung{"datumUhrzeit", 4, {}, {}, "12:30", "", "", "12:30"},
        Pruefung{"datum", 4, {}, {}, "3.2.2003", "", "", "3.2.2003"},
        Pruefung{"zeitFalsch", 5, {}, {}, "25:99", kDatum, "MSFlexGrid / Uhrzeitspalte UK Schicht", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, CommitFormatsByTheColumnPatternAndAnEmptyPatternKeepsTheText)
{
    binden(3);
    FLX.ELFORMAT(FlxWert::liste({FlxWert("#0.00"), FlxWert(""), FlxWert::fehler()}));
    const char* eingaben[] = {"1,5", "1,5", "1,5"};
    const char* erwartet[] = {"1,50", "1,5", "1,5"};
    for (int c = 0; c < 3; ++c) {
        flx->setCol(c);
        FLX.BEARBEITEN(0);
        txt->setText(QString::fromUtf8(eingaben[c]));
        FLX.EINFUEGEN(13);
        EXPECT_EQ(flx->TextMatrix(1, c), QString::fromUtf8(erwartet[c])) << c;
    }
    // Text that is no number stays as typed under a number pattern.
    flx->setCol(0);
    FLX.BEARBEITEN(0);
    txt->setText(QStringLiteral("keine Angabe"));
    FLX.EINFUEGEN(0);
    EXPECT_EQ(flx->TextMatrix(1, 0), QStringLiteral("keine Angabe"));
}

// ---- the grid's events, forwarded as the input window forwards them ---------

class GridEreignisTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        binden(3);
        FLX.ELSB(FlxWert::liste({12.5, int16_t(15), int16_t(15)}));
        FLX.ELST1(FlxWert::texte({"Lfd.", "A", "B"}));
        FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 7}));
        FLX.ELCBO(2, FlxWert::texte({"g'", "u"}));
        verdrahten();
        flx->setRows(flx->FixedRows() + 3);
        FLX.NUMMERIEREN();
        QApplication::processEvents();
    }

    void doppelklick(int r, int c) { QTest::mouseDClick(flx->view()->viewport(), Qt::LeftButton, {}, zelle(r, c)); }
    void klick(int r, int c) { QTest::mouseClick(flx->view()->viewport(), Qt::LeftButton, {}, zelle(r, c)); }
    void taste(int r, int c, char ch)
    {
        klick(r, c);
        QTest::keyClick(flx->view(), ch);
    }
};

TEST_F(GridEreignisTest, DoubleClickOpensTheTextBoxOverTheCell)
{
    flx->setTextMatrix(2, 1, QStringLiteral("12,5"));
    flx->setTextMatrix(3, 1, QStringLiteral("keine Angabe"));
    doppelklick(2, 1);
    ASSERT_FALSE(txt->isHidden());
    EXPECT_EQ(txt->text(), QStringLiteral("12,5"));
    EXPECT_EQ(txt->selectedText(), QStringLiteral("12,5"));
    EXPECT_TRUE(txt->alignment() & Qt::AlignRight);
    EXPECT_EQ(FLX.EZNR(), 2);
    EXPECT_EQ(FLX.ESNR(), 1);
    // Over the cell: the editor's rectangle is the cell's, in the host.
    const QRect r = flx->view()->visualRect(flx->model()->index(2, 1));
    EXPECT_NEAR(txt->x(), flx->x() + r.x(), 2);
    EXPECT_NEAR(txt->y(), flx->y() + r.y(), 2);
    FLX.EINFUEGEN(0);
    doppelklick(3, 1);
    EXPECT_TRUE(txt->alignment() & Qt::AlignLeft);
}

TEST_F(GridEreignisTest, TypedCharactersReplaceTextCellsAndExtendListCells)
{
    flx->setTextMatrix(1, 1, QStringLiteral("3"));
    taste(1, 1, '7');
    EXPECT_EQ(txt->text(), QStringLiteral("7"));
    EXPECT_EQ(txt->cursorPosition(), 1);
    EXPECT_TRUE(txt->selectedText().isEmpty());
    FLX.EINFUEGEN(13);
    EXPECT_EQ(flx->TextMatrix(1, 1), QStringLiteral("7"));

    flx->setTextMatrix(1, 2, QStringLiteral("g'"));
    taste(1, 2, 'y');
    ASSERT_FALSE(cbo->isHidden());
    EXPECT_EQ(cbo->currentText(), QStringLiteral("g'y"));
    EXPECT_EQ(cbo->count(), 2);
    EXPECT_EQ(cbo->lineEdit()->cursorPosition(), 3);
}

TEST_F(GridEreignisTest, TypedCharacterOpensTheEditorWithThatCharacter)
{
    struct Fall {
        QString getippt;
        QString imEditor;
    };
    const Fall faelle[] = {
        {QStringLiteral("ü"), QStringLiteral("ü")}, {QStringLiteral("€"), QStringLiteral("€")},
        {QStringLiteral("„"), QStringLiteral("„")}, {QStringLiteral("–"), QStringLiteral("–")},
        {QStringLiteral("Ø"), QStringLiteral("Ø")}, {QStringLiteral("ł"), QStringLiteral("ł")},
        {QStringLiteral("Ж"), QStringLiteral("Ж")}, {QStringLiteral("?"), QStringLiteral("?")},
        // Beyond what a character code names: a character above U+7FFF, an
        // emoji of two code units, a letter with a combining accent.
        {QStringLiteral("語"), QStringLiteral("語")},
        {QString::fromUtf8("\xF0\x9F\x98\x80"), QString::fromUtf8("\xF0\x9F\x98\x80")},
        {QStringLiteral("e\u0301"), QStringLiteral("e\u0301")},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.getippt.toStdString());
        klick(1, 1);
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, f.getippt);
        QApplication::sendEvent(flx->view(), &druck);
        ASSERT_FALSE(txt->isHidden());
        EXPECT_EQ(txt->text(), f.imEditor);
        FLX.EINFUEGEN(13);
        EXPECT_EQ(flx->TextMatrix(1, 1), f.imEditor);
    }
}

TEST_F(GridEreignisTest, SpaceOpensNothing)
{
    taste(1, 1, ' ');
    EXPECT_TRUE(txt->isHidden());
    EXPECT_TRUE(cbo->isHidden());
}

TEST_F(GridEreignisTest, EnterOnTheLastCellAppendsANumberedRow)
{
    klick(2, 2);
    QTest::keyClick(flx->view(), Qt::Key_Return);
    EXPECT_EQ(flx->Rows(), 4);   // Enter elsewhere does nothing
    EXPECT_EQ(flx->Row(), 2);
    klick(3, 2);
    QTest::keyClick(flx->view(), Qt::Key_Return);
    EXPECT_EQ(flx->Rows(), 5);
    EXPECT_EQ(flx->Row(), 4);
    EXPECT_EQ(flx->Col(), flx->FixedCols());
    EXPECT_EQ(spalte(0), (QStringList{"0", "1", "2", "3"}));
    FLX.EBOH(false);
    klick(4, 2);
    QTest::keyClick(flx->view(), Qt::Key_Return);
    EXPECT_EQ(flx->Rows(), 5);
}

TEST_F(GridEreignisTest, AClickCommitsIntoTheCellWhereTheEditorOpened)
{
    doppelklick(1, 1);
    txt->setText(QStringLiteral("4,2"));
    klick(3, 1);
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(flx->TextMatrix(1, 1), QStringLiteral("4,2"));
    EXPECT_EQ(flx->TextMatrix(3, 1), QString());
}

TEST_F(GridEreignisTest, FillArmsInTheRightBandAndCopiesDownwardsOnly)
{
    flx->setTextMatrix(1, 1, QStringLiteral("5"));
    const QRect r = flx->view()->visualRect(flx->model()->index(1, 1));
    // The band starts at 85 % of the cell: 86 % arms, 50 % does not.
    klick(1, 1);
    FLX.BEARBEITEN(-2, float(flx->CellLeft() + 0.86 * flx->CellWidth()));
    EXPECT_EQ(flx->MousePointer(), 2);
    FLX.BEARBEITEN(-2, float(flx->CellLeft() + 0.5 * flx->CellWidth()));
    EXPECT_EQ(flx->MousePointer(), 0);

    QWidget* vp = flx->view()->viewport();
    const QPoint band(r.left() + int(0.9 * r.width()), r.center().y());
    QTest::mousePress(vp, Qt::LeftButton, {}, band);
    EXPECT_EQ(flx->MousePointer(), 2);
    QMouseEvent zug(QEvent::MouseMove, QPointF(zelle(3, 1)), vp->mapToGlobal(QPointF(zelle(3, 1))), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &zug);
    EXPECT_EQ(flx->RowSel(), 3);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, zelle(3, 1));
    EXPECT_EQ(spalte(1), (QStringList{"5", "5", "5"}));
    EXPECT_EQ(flx->MousePointer(), 0);

    // Dragged upwards from row 3: RowSel < Row, nothing is filled.
    flx->setTextMatrix(3, 1, QStringLiteral("9"));
    const QRect r3 = flx->view()->visualRect(flx->model()->index(3, 1));
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(r3.left() + int(0.9 * r3.width()), r3.center().y()));
    QMouseEvent hoch(QEvent::MouseMove, QPointF(zelle(1, 1)), vp->mapToGlobal(QPointF(zelle(1, 1))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &hoch);
    EXPECT_LT(flx->RowSel(), flx->Row());
    QTest::mouseRelease(vp, Qt::LeftButton, {}, zelle(1, 1));
    EXPECT_EQ(spalte(1), (QStringList{"5", "5", "9"}));
}

TEST_F(GridEreignisTest, PasteFillsTheSelectionAndDropsTheRest)
{
    const QString text = QStringLiteral("a\tb\rc\td");
    QApplication::clipboard()->setText(text);
    flx->setRow(1);
    flx->setCol(1);
    flx->setRowSel(2);
    flx->setColSel(2);
    FLX.EINFUEGEN(-1);
    EXPECT_EQ(flx->TextMatrix(1, 1), QStringLiteral("a"));
    EXPECT_EQ(flx->TextMatrix(1, 2), QStringLiteral("b"));
    EXPECT_EQ(flx->TextMatrix(2, 1), QStringLiteral("c"));
    EXPECT_EQ(flx->TextMatrix(2, 2), QStringLiteral("d"));

    // Copy gives the same text back.
    FLX.BEARBEITEN(-1);
    EXPECT_EQ(QApplication::clipboard()->text(), text);

    flx->setTextMatrix(1, 2, QString());
    flx->setTextMatrix(2, 1, QString());
    flx->setRow(3);
    flx->setCol(1);
    FLX.EINFUEGEN(-1);
    EXPECT_EQ(flx->TextMatrix(3, 1), QStringLiteral("a"));
    EXPECT_EQ(flx->TextMatrix(3, 2), QString());
    EXPECT_EQ(flx->TextMatrix(2, 1), QString());
}

TEST_F(GridEreignisTest, KeysMoveTheCurrentCellButNeverOntoFixedCells)
{
    klick(1, 1);
    QTest::keyClick(flx->view(), Qt::Key_Left);
    EXPECT_EQ(flx->Col(), 1);
    QTest::keyClick(flx->view(), Qt::Key_Down);
    QTest::keyClick(flx->view(), Qt::Key_End);
    EXPECT_EQ(flx->Row(), 2);
    EXPECT_EQ(flx->Col(), 2);
    QTest::keyClick(flx->view(), Qt::Key_Home);
    QTest::keyClick(flx->view(), Qt::Key_PageDown);
    EXPECT_EQ(flx->Col(), 1);
    EXPECT_EQ(flx->Row(), 3);
    QTest::keyClick(flx->view(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(flx->Row(), 3);
    EXPECT_EQ(flx->RowSel(), 2);
    // A click on a fixed cell selects the first editable cell beside it.
    klick(0, 0);
    EXPECT_EQ(flx->Row(), 1);
    EXPECT_EQ(flx->Col(), 1);
}

TEST_F(GridEreignisTest, ListCellCommitsWhatIsTypedAndAChosenItem)
{
    FLX.ELCBO(2, FlxWert::texte({"ka*", "ge'", "u"}));
    struct Fall {
        const char* getippt;   // typed on the grid, then Enter
        const char* zelle;
    };
    // The items begin like the typed texts or differ only in case: none is taken.
    const Fall faelle[] = {{"ka", "ka"}, {"ge", "ge"}, {"U", "U"}, {"k", "k"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.getippt);
        klick(1, 2);
        QTest::keyClicks(flx->view(), QString::fromLatin1(f.getippt).left(1));
        ASSERT_FALSE(cbo->isHidden());
        QTest::keyClicks(cbo->lineEdit(), QString::fromLatin1(f.getippt).mid(1));
        QTest::keyClick(cbo->lineEdit(), Qt::Key_Return);
        EXPECT_TRUE(cbo->isHidden());
        EXPECT_EQ(flx->TextMatrix(1, 2), QString::fromLatin1(f.zelle));
        flx->setTextMatrix(1, 2, QString());
    }
    // An item chosen from the list is taken whole.
    doppelklick(2, 2);
    cbo->setCurrentIndex(1);
    QTest::keyClick(cbo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(flx->TextMatrix(2, 2), QStringLiteral("ge'"));
}

TEST_F(GridEreignisTest, DeleteAndBackspaceEmptyTheSelectedCellsWithoutAnEditor)
{
    for (Qt::Key k : {Qt::Key_Delete, Qt::Key_Backspace}) {
        SCOPED_TRACE(k == Qt::Key_Delete ? "Delete" : "Backspace");
        for (int r = 1; r <= 3; ++r) {
            flx->setTextMatrix(r, 1, QStringLiteral("1,5"));
            flx->setTextMatrix(r, 2, QStringLiteral("g'"));
        }
        // Rows 1 and 2 of both columns selected; row 3 stays.
        klick(1, 1);
        QTest::keyClick(flx->view(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(flx->view(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(flx->view(), k);
        EXPECT_TRUE(txt->isHidden());
        EXPECT_TRUE(cbo->isHidden());
        EXPECT_EQ(spalte(1), (QStringList{"", "", "1,5"}));
        EXPECT_EQ(spalte(2), (QStringList{"", "", "g'"}));
        EXPECT_EQ(spalte(0), (QStringList{"0", "1", "2"}));
        EXPECT_EQ(boxen().count(), 0);
    }
    // The delete character as a typed code opens no editor either.
    klick(3, 1);
    FLX.BEARBEITEN(127);
    EXPECT_TRUE(txt->isHidden());
}

TEST_F(GridEreignisTest, NoControlCharacterEntersACell)
{
    // Pasted into an open editor: the characters around them stay.
    QApplication::clipboard()->setText(QStringLiteral("Ton\x7f, steif\t"));
    doppelklick(1, 1);
    QTest::keyClick(txt, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(txt, Qt::Key_Return);
    EXPECT_EQ(flx->TextMatrix(1, 1), QStringLiteral("Ton, steif"));
    doppelklick(1, 2);
    QTest::keyClick(cbo->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(cbo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(flx->TextMatrix(1, 2), QStringLiteral("Ton, steif"));
    // Pasted into the grid: tabs and line breaks part the cells, the rest goes.
    QApplication::clipboard()->setText(QStringLiteral("a\x01\tb\x7f\r\nc\x1b\td"));
    flx->setRow(2);
    flx->setCol(1);
    flx->setRowSel(3);
    flx->setColSel(2);
    FLX.EINFUEGEN(-1);
    EXPECT_EQ(spalte(1), (QStringList{"Ton, steif", "a", "c"}));
    EXPECT_EQ(spalte(2), (QStringList{"Ton, steif", "b", "d"}));
}
