// The display options, page options and page chooser dialogs.
#include "SeiteFixture.h"

#include "pages/window/frmANZEIGEN.h"
#include "pages/window/frmKONTEXT.h"
#include "pages/window/frmKONTEXT11.h"
#include "pages/window/Platzierung.h"
#include "platform/Colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

namespace {

using Optionen = Seite;

// The index of the checked scale option (-1: none).
int massstab(const frmKONTEXT11& d)
{
    for (int i = 0; i < 6; ++i)
        if (d.optMA[i]->isChecked())
            return i;
    return -1;
}

// Three page windows shown in a window area.
std::vector<mdiSEITE1*> dreiSeiten(QMdiArea& bereich)
{
    std::vector<mdiSEITE1*> seiten;
    for (int i = 0; i < 3; ++i) {
        auto* s = new mdiSEITE1;
        bereich.addSubWindow(s);
        seiten.push_back(s);
        s->show();
    }
    bereich.show();
    return seiten;
}

} // namespace

TEST_F(Optionen, ScaleAndDepthMaximumAreReadFromTheViewRecord)
{
    {
        mdiSEITE1 seite;   // writes the view record
        seite.Form_Load();
    }
    struct Fall
    {
        float MY;
        int option;
        QString frei;
    };
    const Fall massstaebe[] = {{0.1f, 3, ""}, {0.075f, 5, "75"}, {0.0f, 2, ""}, {0.2f, 4, ""}, {0.02f, 0, ""}};
    for (const Fall& f : massstaebe) {
        SCOPED_TRACE(f.MY);
        setzen("G0", "MY", vb::Variant(f.MY));
        frmKONTEXT11 d;
        d.Form_Load();
        EXPECT_EQ(massstab(d), f.option);
        EXPECT_EQ(d.txtMA->text(), f.frei);
    }

    struct Tiefe
    {
        float YMAX;
        QString eintrag;   // empty: none selected
    };
    const Tiefe tiefen[] = {{12, "15"}, {10, "10"}, {0, "0"}, {200, "200"}, {250, ""}, {-3, ""}, {10.5f, "15"}};
    for (const Tiefe& t : tiefen) {
        SCOPED_TRACE(t.YMAX);
        setzen("G0", "YMAX", vb::Variant(t.YMAX));
        frmKONTEXT11 d;
        d.Form_Load();
        EXPECT_EQ(d.cboYMAX->currentIndex() < 0 ? QString() : d.cboYMAX->currentText(), t.eintrag);
        EXPECT_EQ(d.cboYMAX->count(), 34);
    }
    EXPECT_TRUE(dienste.dialogs.messages().empty());
}

TEST_F(Optionen, OkWithoutADepthEntryKeepsTheDepthAxis)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    for (float ymax : {250.0f, -3.0f}) {
        setzen("G0", "YMAX", vb::Variant(ymax));
        frmKONTEXT11 d;
        d.Form_Load();
        ASSERT_LT(d.cboYMAX->currentIndex(), 0);
        d.cmdOK_Click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FLOAT_EQ(float(g0("YMAX").number()), ymax);
    }
    // A chosen entry is stored.
    frmKONTEXT11 d;
    d.Form_Load();
    d.cboYMAX->setCurrentText("40");
    d.cmdOK_Click();
    EXPECT_FLOAT_EQ(float(g0("YMAX").number()), 40.0f);
}

TEST_F(Optionen, FreeScaleIsStoredAsWrittenAndTooLargeAScaleIsReported)
{
    struct Fall
    {
        QString text;
        int MA;
        float MY;
    };
    // A scale below 0 would turn the log upside down: it counts as no number.
    const Fall faelle[] = {{"150", 150, 0.15f}, {"abc", 0, 0.0f}, {"-100", 0, 0.0f}, {"62.5", 62, 0.062f},
                           {"250m", 250, 0.25f}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text.toStdString());
        frmKONTEXT11 d;
        d.Form_Load();
        d.optMA[3]->setChecked(true);
        d.txtMA->setText(f.text);
        EXPECT_TRUE(d.optMA[5]->isChecked());
        d.cmdOK_Click();
        EXPECT_EQ(int(e12("MA").number()), f.MA);
        EXPECT_FLOAT_EQ(float(g0("MY").number()), f.MY);
    }
    ASSERT_TRUE(dienste.dialogs.messages().empty());

    // Too large for the scale: the OK step's box; Cancel keeps the dialog open, nothing stored.
    frmKONTEXT11 d;
    d.Form_Load();
    d.txtMA->setText("40000");
    dienste.dialogs.answerMessage(vb::vbCancel);
    d.cmdOK_Click();
    ASSERT_EQ(dienste.dialogs.messages().size(), 1u);
    EXPECT_EQ(dienste.dialogs.messages()[0].title, QStringLiteral("cmdOK_Click"));
    EXPECT_TRUE(dienste.dialogs.messages()[0].text.startsWith(QStringLiteral("VB-Fehler: 6\n")));
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(int(e12("MA").number()), 250);
}

TEST_F(Optionen, OnlyTheAustrianSymbolsCanBeChosen)
{
    setzen("E12", "SYMBOLE", vb::Variant(int16_t(1)));
    frmKONTEXT11 d;
    d.Form_Load();
    ASSERT_EQ(dienste.dialogs.messages().size(), 1u);
    const auto box = dienste.dialogs.messages()[0];
    EXPECT_EQ(box.title, QStringLiteral("HINWEIS!"));
    EXPECT_EQ(box.text, QString::fromUtf8("Die Symboldarstellung ist zur Zeit nur nach ÖNorm B4401 möglich!"));
    EXPECT_EQ(box.buttons, vb::MsgButtons::OKOnly);
    EXPECT_EQ(box.icon, vb::MsgIcon::None);
    EXPECT_EQ(d.cboSYMBOLE->currentText(), QString::fromUtf8("ÖNORM"));
    // The user choosing DIN is refused the same way.
    d.cboSYMBOLE->setCurrentIndex(1);
    EXPECT_EQ(dienste.dialogs.messages().size(), 2u);
    EXPECT_EQ(d.cboSYMBOLE->currentIndex(), 0);
    d.cmdOK_Click();
    EXPECT_EQ(int(e12("SYMBOLE").number()), 0);
}

TEST_F(Optionen, EveryOptionIsStoredAndReadBack)
{
    mdiSEITE1 seite;   // the scale 1:100 into the view record
    seite.Form_Load();
    frmKONTEXT11 d;
    d.Form_Load();
    // The defaults as the default-options step wrote them.
    EXPECT_EQ(massstab(d), 3);
    EXPECT_TRUE(d.optARV[1]->isChecked());
    EXPECT_EQ(d.cboKOTEN->currentText(), QStringLiteral("unter GOK"));
    for (QCheckBox* c : d.findChildren<QCheckBox*>())
        EXPECT_TRUE(c->isChecked()) << c->text().toStdString();

    d.optMA[4]->setChecked(true);
    d.optARV[0]->setChecked(true);
    d.cboFARBEN->setCurrentIndex(2);
    d.cboKOTEN->setCurrentIndex(0);
    for (QCheckBox* c : {d.chkBZTV, d.chkBFV, d.chkVV, d.chkKVV, d.chkPRV})
        c->setChecked(false);
    d.cmdOK_Click();

    EXPECT_EQ(int(e12("MA").number()), 200);
    EXPECT_FLOAT_EQ(float(g0("MY").number()), 0.2f);
    EXPECT_EQ(int(e12("FARBEN").number()), 2);
    EXPECT_TRUE(e12("ARV").number() != 0);
    EXPECT_FALSE(e12("TAV").number() != 0);
    for (const char* aus : {"BZTV", "BFV", "VV", "KVV", "PRV"})
        EXPECT_EQ(int(e12(aus).number()), 0) << aus;
    for (const char* an : {"BZSV", "BEMV", "BUV", "BVV", "PROV", "GWV", "TPV", "STSV", "BILDV", "FDV"})
        EXPECT_EQ(int(e12(an).number()), 1) << an;

    frmKONTEXT11 wieder;
    wieder.Form_Load();
    EXPECT_EQ(massstab(wieder), 4);
    EXPECT_TRUE(wieder.optARV[0]->isChecked());
    EXPECT_EQ(wieder.cboFARBEN->currentIndex(), 2);
    EXPECT_EQ(wieder.cboKOTEN->currentIndex(), 0);
    EXPECT_FALSE(wieder.chkBZTV->isChecked());
    EXPECT_TRUE(wieder.chkBZSV->isChecked());
    EXPECT_FALSE(wieder.chkPRV->isChecked());

    // Abbrechen stores nothing.
    wieder.optMA[0]->setChecked(true);
    wieder.cmdABBRECHEN_Click();
    EXPECT_EQ(int(e12("MA").number()), 200);
}

TEST_F(Optionen, RecordWithoutOptionsOrViewRecordGetsBothRowsOnOk)
{
    ausfuehren(QStringLiteral("DELETE FROM [E12]"));
    ausfuehren(QStringLiteral("DELETE FROM [G0]"));
    frmKONTEXT11 d;
    d.Form_Load();
    EXPECT_EQ(massstab(d), 2);
    EXPECT_EQ(d.cboYMAX->currentText(), QStringLiteral("0"));
    EXPECT_TRUE(d.optARV[1]->isChecked());
    EXPECT_EQ(d.cboKOTEN->currentText(), QStringLiteral(" u. Bezugsniveau"));
    for (QCheckBox* c : d.findChildren<QCheckBox*>())
        EXPECT_FALSE(c->isChecked()) << c->text().toStdString();
    d.cmdOK_Click();
    EXPECT_EQ(zeilen("E12"), 1);
    EXPECT_EQ(zeilen("G0"), 1);
    EXPECT_EQ(int(e12("MA").number()), 50);
    EXPECT_FLOAT_EQ(float(g0("MY").number()), 0.05f);
    EXPECT_FLOAT_EQ(float(g0("YMAX").number()), 0.0f);
    EXPECT_TRUE(g0("RL").isNull());
    EXPECT_TRUE(dienste.dialogs.messages().empty());
}

TEST_F(Optionen, PageOptionsGoToThePageThatOpenedThem)
{
    auto seite = std::make_unique<mdiSEITE1>();
    seite->Form_Load();
    bool kf = false, kfs = true;
    int32_t mdi = 0xFFFFFF, pic = 0xFFFFFF;
    seite->KONTEXT(kf, kfs, mdi, pic);
    const int vorher = seite->kompositionen();

    auto* d = new frmKONTEXT;
    d->setAttribute(Qt::WA_DeleteOnClose, false);
    d->vorbereiten(*seite);
    d->show();
    // Header and footer off, page numbers on.
    EXPECT_FALSE(d->chkBOKF->isChecked());
    EXPECT_TRUE(d->chkBOKFS->isChecked());
    EXPECT_FALSE(d->chkBOKFS->isEnabled());
    EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Kontextmenü "));

    // A cancelled colour dialog keeps the colour; a chosen one is passed on.
    dienste.dialogs.cancelColor().answerColor(QColor(255, 255, 224));
    d->cmdFARBEN_Click(0);
    EXPECT_EQ(d->farbe[0], 0xFFFFFF);
    d->cmdFARBEN_Click(1);
    EXPECT_EQ(d->farbe[1], vb::RGB(255, 255, 224));

    d->cmdOK_Click();
    EXPECT_FALSE(seite->kopfFussSichtbar());
    EXPECT_TRUE(seite->seitenzahlSichtbar());
    EXPECT_EQ(seite->picBILD11->ziel().BackColor(), vb::RGB(255, 255, 224));
    EXPECT_EQ(seite->kompositionen(), vorher + 1);

    // Checking the header box again checks the page numbers too.
    d->show();
    d->chkBOKFS->setChecked(false);
    d->chkBOKF->setChecked(true);
    EXPECT_TRUE(d->chkBOKFS->isChecked());
    EXPECT_TRUE(d->chkBOKFS->isEnabled());

    // Its page window closed meanwhile: OK only closes the dialog.
    seite.reset();
    EXPECT_EQ(d->seite(), nullptr);
    d->cmdOK_Click();
    EXPECT_TRUE(d->isHidden());
    delete d;
}

TEST_F(Optionen, PageOptionsKeys)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    int beendet = 0, hilfe = 0;
    mdiSEITE1::anbindung().beenden = [&] { ++beendet; };
    mdiSEITE1::anbindung().hilfe = [&] { ++hilfe; };
    struct Fall
    {
        int taste;
        Qt::KeyboardModifiers mod;
        bool geschlossen;
        bool kontext;   // the page received the options
        int beenden, hilfe;
    };
    const Fall faelle[] = {
        {Qt::Key_S, Qt::ControlModifier, true, true, 0, 0},
        {Qt::Key_Escape, Qt::NoModifier, true, false, 0, 0},
        {Qt::Key_Q, Qt::ControlModifier, false, false, 1, 0},
        {Qt::Key_F1, Qt::NoModifier, false, false, 0, 1},
        {Qt::Key_P, Qt::ControlModifier, false, false, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.taste);
        beendet = hilfe = 0;
        const int vorher = seite.kompositionen();
        frmKONTEXT d;
        d.vorbereiten(seite);
        d.show();
        QKeyEvent e(QEvent::KeyPress, f.taste, f.mod);
        QCoreApplication::sendEvent(&d, &e);
        EXPECT_EQ(d.isHidden(), f.geschlossen);
        EXPECT_EQ(seite.kompositionen() - vorher, f.kontext ? 1 : 0);
        EXPECT_EQ(beendet, f.beenden);
        EXPECT_EQ(hilfe, f.hilfe);
    }
}

TEST_F(Optionen, PageChooserShowsOneWindowAndHidesTheOthers)
{
    QMdiArea bereich;
    const std::vector<mdiSEITE1*> seiten = dreiSeiten(bereich);
    frmANZEIGEN d;
    d.Form_Load(seiten, seiten[1]->parentWidget(), 3);
    EXPECT_EQ(d.txtSEITE->text(), QStringLiteral("2"));
    EXPECT_EQ(d.lblSEITEN1->text(), QStringLiteral("3"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Anzeigen"));

    struct Fall
    {
        QString eingabe;
        QString danach;
    };
    const Fall faelle[] = {{"7", "3"}, {"0", "1"}, {"x", "1"}, {"2", "2"}, {"", "1"}, {"-", "1"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eingabe.toStdString());
        d.txtSEITE->setText(f.eingabe);
        d.txtSEITE_LostFocus();
        EXPECT_EQ(d.txtSEITE->text(), f.danach);
    }

    // OK with a number beyond the pages still in the box: the last page.
    d.txtSEITE->setText("9");
    d.cmdOK_Click();
    EXPECT_TRUE(seiten[0]->parentWidget()->isHidden());
    EXPECT_TRUE(seiten[1]->parentWidget()->isHidden());
    EXPECT_FALSE(seiten[2]->parentWidget()->isHidden());
    EXPECT_TRUE(seiten[2]->parentWidget()->isMaximized());
}

// A page window closed while the chooser stays open no longer counts: the
// number chooses among the pages still there, and OK always shows one.
TEST_F(Optionen, PageChooserCountsOnlyThePagesStillOpen)
{
    struct Fall
    {
        int geschlossen;   // index of the page window closed meanwhile
        const char* eingabe;
        int gezeigt;       // index of the page window shown after OK
    };
    for (const Fall& f : {Fall{2, "3", 1}, Fall{2, "1", 0}, Fall{0, "1", 1}, Fall{0, "2", 2}}) {
        SCOPED_TRACE(std::to_string(f.geschlossen) + " " + f.eingabe);
        QMdiArea bereich;
        const std::vector<mdiSEITE1*> seiten = dreiSeiten(bereich);
        frmANZEIGEN wahl;
        wahl.Form_Load(seiten, nullptr, 3);
        delete seiten[size_t(f.geschlossen)]->parentWidget();
        wahl.txtSEITE->setText(QString::fromLatin1(f.eingabe));
        wahl.cmdOK_Click();
        for (int i = 0; i < 3; ++i) {
            if (i != f.geschlossen) {
                EXPECT_EQ(seiten[size_t(i)]->parentWidget()->isHidden(), i != f.gezeigt) << i;
            }
        }
    }
}

TEST(Seitenwahl, OnePageNoActiveWindowAndEnglishTexts)
{
    mdiSEITE1* keine = nullptr;
    frmANZEIGEN d;
    auto* seite = new mdiSEITE1(&d);
    d.Form_Load({seite}, keine, 1);
    EXPECT_EQ(d.txtSEITE->text(), QStringLiteral("1"));
    EXPECT_EQ(d.lblSEITEN1->text(), QStringLiteral("1"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Show"));
    EXPECT_EQ(d.cmdABBRECHEN->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(d.lblSEITE->text(), QStringLiteral("Show Page Nr.: "));
    EXPECT_EQ(d.txtSEITE->maxLength(), 1);
}

// Every caption of the page dialogs that starts at its control's left edge
// is readable whole, in both languages.
TEST(Seitendialoge, CaptionsAreNotCutOff)
{
    mdiSEITE1* keine = nullptr;
    frmKONTEXT kontext;
    frmKONTEXT11 optionen;
    frmANZEIGEN wahl;
    frmANZEIGEN choose;
    choose.Form_Load({}, keine, 1);
    for (QWidget* dialog : std::initializer_list<QWidget*>{&kontext, &optionen, &wahl, &choose}) {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (vb::waechstNachRechts(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << dialog->objectName().toStdString() << ": "
                                                             << w->property("text").toString().toStdString();
            }
        }
    }
}

// The display options show each list entry whole ("Farben nach ÖNORM")
// inside its frame, and the free scale box lies beside the caption "1:" of
// its option, not over it.
TEST(Seitendialoge, DisplayOptionsShowEveryEntryAndTheFreeScaleCaption)
{
    frmKONTEXT11 d;
    for (QComboBox* c : {d.cboYMAX, d.cboSYMBOLE, d.cboFARBEN, d.cboKOTEN}) {
        EXPECT_GE(c->width(), c->sizeHint().width()) << c->objectName().toStdString();
        EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry())) << c->objectName().toStdString();
    }
    EXPECT_FALSE(d.optMA[5]->geometry().intersects(d.txtMA->geometry()));
    EXPECT_GE(d.optMA[5]->width(), d.optMA[5]->sizeHint().width());
    EXPECT_TRUE(d.frmMA->rect().contains(d.txtMA->geometry()));
    // The frames stay side by side, each inside the dialog.
    const QList<QGroupBox*> rahmen = d.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < rahmen.size(); ++i) {
        EXPECT_TRUE(d.rect().contains(rahmen[i]->geometry())) << rahmen[i]->title().toStdString();
        for (qsizetype j = i + 1; j < rahmen.size(); ++j)
            EXPECT_FALSE(rahmen[i]->geometry().intersects(rahmen[j]->geometry()))
                << rahmen[i]->title().toStdString() << " / " << rahmen[j]->title().toStdString();
    }
}
