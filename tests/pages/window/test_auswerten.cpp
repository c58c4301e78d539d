// The Auswerten menu of the main window: enabling its commands, the
// evaluation state in A1, building and showing page windows, and closing
// them again with status panel 15.
#include "AuswertenFixture.h"

#include "database/SharedState.h"
#include "pages/window/mdiSEITE1.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmMAIN.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>


TEST_F(Auswerten, OpeningTheMenuEnablesByTheNumberOfActiveRecords)
{
    struct Fall
    {
        int aktive;
        bool vorherGebaut;     // an A1 row with BONEU False exists
        bool berechnen;
        bool neuberechnen;
        int a1Danach;
    };
    const Fall faelle[] = {
        {0, false, false, false, 0},
        {1, false, false, true, 1},
        {1, true, true, true, 1},
        {2, false, false, false, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.aktive << " active, built " << f.vorherGebaut);
        aktiv(f.aktive);
        cnn().execute(QStringLiteral("DELETE FROM [A1]"));
        if (f.vorherGebaut)
            cnn().execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (?,0)"), {vb::Variant::lng(aktiveId())});
        for (QAction* a : {haupt().mnuBERECHNEN, haupt().mnuNEUBERECHNEN, haupt().mnuMBERECHNEN})
            a->setEnabled(true);

        haupt().mnuAUSWERTEN_Click();
        EXPECT_EQ(haupt().mnuBERECHNEN->isEnabled(), f.berechnen);
        EXPECT_EQ(haupt().mnuNEUBERECHNEN->isEnabled(), f.neuberechnen);
        EXPECT_FALSE(haupt().mnuMBERECHNEN->isEnabled());
        EXPECT_EQ(a1Zeilen(), f.a1Danach);
        if (f.aktive == 1) {
            EXPECT_EQ(boneu(aktiveId()), std::vector<bool>{!f.vorherGebaut});
        }
        EXPECT_FALSE(vb::waitPointerShown());
    }
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(Auswerten, NeuberechnenShowsThePageAndMarksTheRecordBuilt)
{
    aktiv(1);
    const int32_t id = aktiveId();
    haupt().mnuAUSWERTEN_Click();
    ASSERT_TRUE(haupt().mnuNEUBERECHNEN->isEnabled());
    fortschritte.clear();

    haupt().mnuNEUBERECHNEN_Click();
    EXPECT_TRUE(boxen().messages().empty()) << boxen().messages()[0].text.toStdString();

    const auto s = seiten();
    ASSERT_EQ(s.size(), 1);
    mdiSEITE1* seite = s.first();
    EXPECT_FALSE(seite->isHidden());
    EXPECT_EQ(seite->objectName(), QStringLiteral("mdiSEITE1"));
    EXPECT_EQ(seite->kompositionen(), 1);
    EXPECT_EQ(seite->datensatzId(), id);
    EXPECT_EQ(boneu(id), std::vector<bool>{false});

    // Header and footer of the page.
    ASSERT_TRUE(seite->kopfFuss());
    const QStringList zeilen = seite->kopfFuss()->zeilen();
    const auto& st = db::sharedState();
    for (const QString& t : {QStringLiteral("Datensatz ") + aktiveKennung(), QStringLiteral("Projekt ") + st.PROJEKT,
                             QStringLiteral("Bearbeiter: ") + st.BEARBEITER,
                             QStringLiteral("Programmentwicklung: KAVELOR-Entwicklung")})
        EXPECT_TRUE(zeilen.contains(t)) << t.toStdString() << " in " << zeilen.join(" | ").toStdString();

    // The shell's part: panels, menus, flag, progress bar, pointer.
    EXPECT_TRUE(panelsSichtbar(true));
    for (int i = 10; i <= 15; ++i)
        EXPECT_EQ(haupt().stbMAIN->bevel(i), StatusPanel::Bevel::Raised);
    EXPECT_FALSE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
    EXPECT_TRUE(st.BOAENDERUNG);
    EXPECT_TRUE(haupt().isEnabled());
    EXPECT_FALSE(st.fortschrittSichtbar());
    EXPECT_EQ(st.fortschritt(), 0);
    EXPECT_FALSE(vb::waitPointerShown());
    EXPECT_NE(std::find(dienste().waits.requested.begin(), dienste().waits.requested.end(), 1500),
              dienste().waits.requested.end());

    // Progress: the defaults step, the page's load and composition, then 100.
    const std::vector<int> seite_{10, 15, 20, 25, 35, 40, 44, 48, 52, 56, 60, 70, 74, 78, 82, 84, 88, 92, 95};
    auto start = std::find(fortschritte.begin(), fortschritte.end(), 10);
    ASSERT_NE(start, fortschritte.end());
    EXPECT_EQ(std::vector<int>(start, start + std::min<ptrdiff_t>(seite_.size(), fortschritte.end() - start)), seite_);
    EXPECT_NE(std::find(fortschritte.begin(), start, 5), start);
    EXPECT_EQ(fortschritte.back(), 0);
    EXPECT_EQ(*(fortschritte.end() - 2), 100);

    // The record has now been built: Berechnen is offered.
    haupt().mnuAUSWERTEN_Click();
    EXPECT_TRUE(haupt().mnuBERECHNEN->isEnabled());

    // Activating the page shows the CAD panel.
    haupt().stbMAIN->setPanelVisible(14, false);
    seite->Form_Activate();
    EXPECT_TRUE(haupt().stbMAIN->isPanelVisible(14));
}

TEST_F(Auswerten, FailingDefaultsStepShowsNoPage)
{
    aktiv(1);
    const int32_t id = aktiveId();
    cnn().execute(QStringLiteral("DROP TABLE [E12]"));

    haupt().mnuNEUBERECHNEN_Click();
    ASSERT_FALSE(boxen().messages().empty());
    EXPECT_EQ(boxen().messages()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(seiten().isEmpty());
    EXPECT_EQ(boneu(id), std::vector<bool>{true});
    EXPECT_TRUE(panelsSichtbar(false));
    EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
    EXPECT_TRUE(haupt().isEnabled());
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_FALSE(db::sharedState().BOAENDERUNG);
    EXPECT_FALSE(vb::waitPointerShown());

    haupt().mnuAUSWERTEN_Click();
    EXPECT_FALSE(haupt().mnuBERECHNEN->isEnabled());
}

TEST_F(Auswerten, ErrorInTheCommandIsReportedUnderItsCaption)
{
    aktiv(1);
    cnn().execute(QStringLiteral("DROP TABLE [A1]"));
    boxen().answerMessage(vb::vbCancel);

    haupt().mnuNEUBERECHNEN_Click();
    const auto msgs = boxen().messages();
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].title, QStringLiteral("&Neuberechnen"));
    EXPECT_TRUE(msgs[0].text.startsWith(QStringLiteral("VB-Error: "))) << msgs[0].text.toStdString();
    EXPECT_EQ(msgs[0].buttons, vb::MsgButtons::OKCancel);
    EXPECT_EQ(msgs[0].icon, vb::Warning);
    // Cancel leaves: no page, the main window not held, the progress bar
    // hidden, the normal pointer.
    EXPECT_TRUE(seiten().isEmpty());
    EXPECT_TRUE(haupt().isEnabled());
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(Auswerten, BerechnenKeepsTheStoredView)
{
    aktiv(1);
    const int32_t id = aktiveId();
    haupt().mnuNEUBERECHNEN_Click();
    ASSERT_EQ(seiten().size(), 1);
    haupt().stbMAIN_PanelClick(15);
    ASSERT_TRUE(seiten().isEmpty());

    // A depth range the display options could have stored: its width (45 m)
    // is one of the depth table's, so the frame keeps it as it stands.
    auto lesen = [&](const char* spalte) {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=11").arg(spalte),
                                      {vb::Variant::lng(id)});
        return rs->eof() ? -9999.0f : float(rs->field(0).number());
    };
    const float ymin = lesen("YMIN");
    ASSERT_GT(ymin, -9999.0f);
    const float ymax = ymin + 45.0f;
    cnn().execute(QStringLiteral("UPDATE [G0] SET [YMAX]=? WHERE [ID]=? AND [IDOBJEKT]=11"),
                  {vb::Variant(ymax), vb::Variant::lng(id)});
    db::sharedState().BOAENDERUNG = false;

    haupt().mnuAUSWERTEN_Click();
    ASSERT_TRUE(haupt().mnuBERECHNEN->isEnabled());
    haupt().mnuBERECHNEN_Click();
    EXPECT_TRUE(boxen().messages().empty()) << boxen().messages()[0].text.toStdString();
    ASSERT_EQ(seiten().size(), 1);
    EXPECT_FLOAT_EQ(lesen("YMAX"), ymax);
    EXPECT_EQ(boneu(id), std::vector<bool>{false});
    EXPECT_TRUE(panelsSichtbar(true));
    EXPECT_FALSE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(Auswerten, SeveralPagesCloseWithPanel15AndTheStartScreenStays)
{
    aktiv(1);
    haupt().mnuNEUBERECHNEN_Click();
    haupt().mnuNEUBERECHNEN_Click();
    auto s = seiten();
    ASSERT_EQ(s.size(), 2);
    // A page the page chooser has hidden goes too.
    qobject_cast<QMdiSubWindow*>(s[0]->parentWidget())->hide();

    // Esc in a page window is panel 15.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(s[1], &esc);

    EXPECT_TRUE(seiten().isEmpty());
    EXPECT_TRUE(panelsSichtbar(false));
    EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
    EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuEXTRAS));
    ASSERT_TRUE(haupt().autostartFenster());
    EXPECT_TRUE(haupt().mdiArea()->subWindowList().contains(haupt().autostartFenster()));
    EXPECT_FALSE(haupt().autostartFenster()->isHidden());
    EXPECT_FALSE(vb::waitPointerShown());
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(Auswerten, PageClosedByItsCloseBoxClosesThePagesLikePanel15)
{
    // Whichever page the user closes, none is left behind the start screen:
    // the pages go, the page panels hide and the menus come back.
    for (int anzahl : {1, 2}) {
        SCOPED_TRACE(anzahl);
        aktiv(1);
        for (int i = 0; i < anzahl; ++i)
            haupt().mnuNEUBERECHNEN_Click();
        auto s = seiten();
        ASSERT_EQ(s.size(), anzahl);
        ASSERT_FALSE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));

        qobject_cast<QMdiSubWindow*>(s.last()->parentWidget())->close();
        QCoreApplication::processEvents();

        EXPECT_TRUE(seiten().isEmpty());
        EXPECT_TRUE(panelsSichtbar(false));
        EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
        EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuEXTRAS));
        ASSERT_TRUE(haupt().autostartFenster());
        EXPECT_EQ(haupt().mdiArea()->activeSubWindow(), haupt().autostartFenster());
        EXPECT_FALSE(vb::waitPointerShown());
    }
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(Auswerten, PageWhoseLoadFailsIsReportedAndDiscarded)
{
    aktiv(1);
    const int32_t id = aktiveId();
    haupt().mnuNEUBERECHNEN_Click();
    haupt().stbMAIN_PanelClick(15);
    ASSERT_TRUE(seiten().isEmpty());
    // An evaluation state that cannot be read as a Boolean makes the page's
    // load step fail.
    cnn().execute(QStringLiteral("UPDATE [A1] SET [BONEU]='kaputt' WHERE [ID]=?"), {vb::Variant::lng(id)});
    boxen().clear();

    haupt().mnuBERECHNEN_Click();
    const auto msgs = boxen().messages();
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].title, QStringLiteral("&Berechnen"));
    EXPECT_TRUE(msgs[0].text.startsWith(QStringLiteral("VB-Error: 13\n"))) << msgs[0].text.toStdString();
    // No half-built page is left behind, and the main window is free again.
    EXPECT_TRUE(seiten().isEmpty());
    EXPECT_TRUE(haupt().isEnabled());
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(Auswerten, FailedCommandReleasesTheMainWindowAndKeepsTheDateiMenuOfTheOpenPage)
{
    // A page window is open, so the Datei menu is disabled. A later command
    // that fails must free the main window again without handing the user
    // the Datei menu while that page is still shown.
    struct Fall
    {
        const char* name;
        const char* stoeren;      // SQL that makes the command fail
        const char* heilen;       // SQL that undoes it
        bool neuberechnen;        // else Berechnen
        int antwort;              // answer to an error box, 0: none queued
    };
    const Fall faelle[] = {
        {"defaults step fails", "ALTER TABLE [E12] RENAME TO [E12_weg]", "ALTER TABLE [E12_weg] RENAME TO [E12]",
         true, 0},
        {"error box left with Cancel", "ALTER TABLE [A1] RENAME TO [A1_weg]", "ALTER TABLE [A1_weg] RENAME TO [A1]",
         true, vb::vbCancel},
        {"page load fails, Cancel", "UPDATE [A1] SET [BONEU]='kaputt'", "UPDATE [A1] SET [BONEU]=0", false,
         vb::vbCancel},
    };
    aktiv(1);
    haupt().mnuNEUBERECHNEN_Click();
    ASSERT_EQ(seiten().size(), 1);
    ASSERT_FALSE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
    ASSERT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuEXTRAS));
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        boxen().clear();
        cnn().execute(QString::fromLatin1(f.stoeren));
        if (f.antwort)
            boxen().answerMessage(f.antwort);

        if (f.neuberechnen)
            haupt().mnuNEUBERECHNEN_Click();
        else
            haupt().mnuBERECHNEN_Click();
        cnn().execute(QString::fromLatin1(f.heilen));

        EXPECT_FALSE(boxen().messages().empty());
        EXPECT_EQ(seiten().size(), 1);
        EXPECT_TRUE(haupt().isEnabled());
        EXPECT_FALSE(frmMAIN::isMenuEnabled(haupt().mnuDATEI));
        EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuAUSWERTEN));
        EXPECT_TRUE(frmMAIN::isMenuEnabled(haupt().mnuEXTRAS));
        EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
        EXPECT_FALSE(vb::waitPointerShown());
    }
}

// The demo leaves its second borehole evaluated in natural colours: Berechnen
// shows its colours at once, and its view record is the one Neuberechnen
// writes.
TEST_F(Auswerten, DemoSecondBoreholeIsEvaluatedInNaturalColours)
{
    cnn().execute(QStringLiteral("UPDATE [E1] SET [AKT]=([KEN]='KB 2')"));
    const int32_t id = aktiveId();
    ASSERT_EQ(aktiveKennung(), QStringLiteral("KB 2"));
    auto g0 = [&] {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT * FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=11"),
                                      {vb::Variant::lng(id)});
        QStringList werte;
        for (; !rs->eof(); rs->moveNext())
            for (int k = 0; k < rs->fieldCount(); ++k)
                werte << QString::number(rs->field(k).number(), 'g', 9);
        return werte;
    };
    const QStringList gespeichert = g0();
    ASSERT_FALSE(gespeichert.isEmpty());

    haupt().mnuAUSWERTEN_Click();
    ASSERT_TRUE(haupt().mnuBERECHNEN->isEnabled());
    haupt().mnuBERECHNEN_Click();
    EXPECT_TRUE(boxen().messages().empty());
    ASSERT_EQ(seiten().size(), 1);
    // Its second layer is RAL 1011.
    const QImage& bild = seiten()[0]->picBILD11->image();
    int braunbeige = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            braunbeige += (bild.pixel(x, y) & 0xFFFFFF) == (qRgb(173, 122, 79) & 0xFFFFFF);
    EXPECT_GT(braunbeige, 100);
    EXPECT_EQ(g0(), gespeichert);

    haupt().mnuNEUBERECHNEN_Click();
    EXPECT_TRUE(boxen().messages().empty());
    EXPECT_EQ(g0(), gespeichert);
    EXPECT_EQ(boneu(id), std::vector<bool>{false});
}
