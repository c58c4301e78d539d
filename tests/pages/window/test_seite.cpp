// The page window on its own: load, header and footer, compositions on
// scrolling and clicks, keys, page options.
#include "pages/window/mdiSEITE1.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "pages/Seite11.h"
#include "pages/clsBERECHNEN.h"
#include "platform/Services.h"
#include "suite/SuiteBuilder.h"
#include "SeiteFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <algorithm>
#include <vector>


TEST_F(Seite, LoadComposesOnceAndReportsProgress)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    EXPECT_TRUE(seite.geladen());
    EXPECT_EQ(seite.kompositionen(), 1);
    EXPECT_EQ(seite.datensatzId(), aktiveId());
    EXPECT_EQ(seite.kennung(), aktiveKennung());
    EXPECT_FALSE(seite.neueAuswertung());
    EXPECT_TRUE(seite.kopfFussSichtbar());
    EXPECT_TRUE(seite.seitenzahlSichtbar());
    EXPECT_NE(seite.engine(), nullptr);
    EXPECT_TRUE(dienste.dialogs.messages().empty()) << dienste.dialogs.messages()[0].text.toStdString();

    const std::vector<int> erwartet{10, 15, 20, 25, 35, 40, 44, 48, 52, 56, 60, 70, 74, 78, 82, 84, 88, 92, 95};
    EXPECT_EQ(fortschritte, erwartet);

    // A new evaluation starts the view record afresh.
    EXPECT_EQ(int(g0("OX").number()), 1);
    EXPECT_EQ(int(g0("OY").number()), -1);
    EXPECT_FLOAT_EQ(float(g0("MX").number()), 1.0f);
    EXPECT_FLOAT_EQ(float(g0("RL").number()), 5.0f);

    // The picture, in page millimetres, has been drawn on.
    EXPECT_EQ(seite.picBILD11->ziel().ScaleMode(), drawing::vbMillimeters);
    EXPECT_GT(dunkel(seite.picBILD11->image(), seite.picBILD11->image().rect()), 100);
}

TEST_F(Seite, HeaderAndFooterShowRecordProjectAndEditor)
{
    mdiSEITE1 seite;
    seite.resize(1200, 900);
    seite.Form_Load();
    ASSERT_TRUE(seite.kopfFuss());
    const QStringList zeilen = seite.kopfFuss()->zeilen();
    const auto& st = db::sharedState();
    for (const QString& t : {QStringLiteral("Datensatz ") + aktiveKennung(), QStringLiteral("KAVELOR"),
                             QStringLiteral("Projekt ") + st.PROJEKT, QStringLiteral("Seite 1/1"),
                             QStringLiteral("Bearbeiter: ") + st.BEARBEITER,
                             QStringLiteral("Programmentwicklung: KAVELOR-Entwicklung"),
                             QStringLiteral("Copyright (C) 2026 KAVELOR Ingenieursoftware"),
                             QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))})
        EXPECT_TRUE(zeilen.contains(t)) << t.toStdString() << " in " << zeilen.join(" | ").toStdString();
    EXPECT_FALSE(st.PROJEKT.isEmpty());
    EXPECT_FALSE(st.BEARBEITER.isEmpty());

    // Screen margins: 15 mm at the sides, 7.5 mm at top and bottom.
    const double twipsProMm = 1440.0 / 25.4;
    EXPECT_NEAR(seite.kopfFuss()->randOben(), 7.5 * twipsProMm, 0.05);
    EXPECT_NEAR(seite.kopfFuss()->randUnten(), 7.5 * twipsProMm, 0.05);
    EXPECT_NEAR(seite.kopfFuss()->randLinks(), 15 * twipsProMm, 0.05);

    // The title sits in the top left corner of the window's surface.
    EXPECT_GT(dunkel(seite.flaeche().image(), QRect(50, 20, 200, 40)), 20);
}

TEST_F(Seite, EveryScrollAndEveryPressOnThePictureComposesOnce)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    ASSERT_EQ(seite.kompositionen(), 1);
    // The page is wider than the picture: the horizontal bar is offered.
    ASSERT_FALSE(seite.hscBILD11->isHidden());
    ASSERT_GT(seite.hscBILD11->maximum(), 0);

    seite.hscBILD11->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(seite.kompositionen(), 2);
    seite.hscBILD11->setValue(seite.hscBILD11->maximum());
    EXPECT_EQ(seite.kompositionen(), 3);

    int anzeigeOptionen = 0;
    mdiSEITE1::anbindung().anzeigeOptionen = [&](mdiSEITE1&) { ++anzeigeOptionen; };
    QTest::mouseClick(seite.picBILD11, Qt::LeftButton);
    EXPECT_EQ(seite.kompositionen(), 4);
    EXPECT_EQ(anzeigeOptionen, 0);
    QTest::mouseClick(seite.picBILD11, Qt::RightButton);
    EXPECT_EQ(seite.kompositionen(), 5);
    EXPECT_EQ(anzeigeOptionen, 1);
    QTest::mouseClick(seite.picBILD11, Qt::MiddleButton);
    EXPECT_EQ(seite.kompositionen(), 6);

    // Later compositions keep the stored view: the evaluation flag is gone.
    EXPECT_FALSE(seite.neueAuswertung());
    EXPECT_TRUE(dienste.dialogs.messages().empty());
}

TEST_F(Seite, ScrollDuringACompositionRunsOnceAfterIt)
{
    mdiSEITE1 seite;
    int innen = 0;
    int tiefe = 0, tiefste = 0;
    int zielwert = -1;
    // Window messages let through by the data layer while the first
    // composition runs deliver scroll changes (a held arrow repeats on a
    // timer): none may start a composition inside it, and the last one must
    // not be lost either.
    db::sharedState().nachrichtenHook = [&] {
        tiefste = std::max(tiefste, ++tiefe);
        if (seite.kompositionen() == 1 && innen < 3 && seite.hscBILD11->maximum() > 0) {
            ++innen;
            seite.hscBILD11->setValue(seite.hscBILD11->value() + 100);
            zielwert = seite.hscBILD11->value();
        }
        --tiefe;
    };
    seite.Form_Load();
    db::sharedState().nachrichtenHook = nullptr;
    ASSERT_EQ(innen, 3);
    EXPECT_EQ(seite.kompositionen(), 2);
    EXPECT_EQ(tiefste, 1);
    EXPECT_EQ(seite.hscBILD11->value(), zielwert);
    // Only the first composition after loading is a new evaluation.
    EXPECT_FALSE(seite.komponist().BONEU);
    EXPECT_FALSE(seite.neueAuswertung());
    EXPECT_TRUE(dienste.dialogs.messages().empty());
}

TEST_F(Seite, TheEnginesOwnScrollBarSettingsStartNoComposition)
{
    mdiSEITE1 seite;
    // Bars left at positions the engine has to change (a range it replaces,
    // a value beyond it): its settings while drawing are no user request.
    for (QScrollBar* bar : {seite.hscBILD11, seite.vscBILD11}) {
        const QSignalBlocker still(bar);
        bar->setRange(0, 30000);
        bar->setValue(20000);
    }
    seite.Form_Load();
    EXPECT_EQ(seite.kompositionen(), 1);
    EXPECT_LE(seite.hscBILD11->value(), 10000);
    EXPECT_LE(seite.vscBILD11->value(), 10000);

    // One scroll of the user: exactly one composition more.
    seite.vscBILD11->setRange(0, 10000);
    seite.vscBILD11->setValue(seite.vscBILD11->value() == 0 ? 500 : 0);
    EXPECT_EQ(seite.kompositionen(), 2);
}

TEST_F(Seite, KeysCallTheMainWindowCommands)
{
    std::vector<int> panels;
    int beendet = 0;
    mdiSEITE1::anbindung().panelClick = [&](int p) { panels.push_back(p); };
    mdiSEITE1::anbindung().beenden = [&] { ++beendet; };

    mdiSEITE1 seite;
    struct Fall
    {
        int taste;
        Qt::KeyboardModifiers mod;
        int panel;      // 0: none
        int beenden;
    };
    const Fall faelle[] = {
        {Qt::Key_Escape, Qt::NoModifier, 15, 0},
        {Qt::Key_Escape, Qt::ShiftModifier, 15, 0},
        {Qt::Key_S, Qt::ControlModifier, 10, 0},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, 11, 0},
        {Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, 12, 0},
        {Qt::Key_W, Qt::ControlModifier, 13, 0},
        {Qt::Key_A, Qt::ControlModifier, 14, 0},
        {Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, 0, 1},
        {Qt::Key_P, Qt::NoModifier, 0, 0},
        {Qt::Key_Q, Qt::ControlModifier, 0, 0},
        {Qt::Key_X, Qt::ControlModifier, 0, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.taste);
        panels.clear();
        beendet = 0;
        QKeyEvent e(QEvent::KeyPress, f.taste, f.mod);
        QCoreApplication::sendEvent(&seite, &e);
        EXPECT_EQ(panels, f.panel ? std::vector<int>{f.panel} : std::vector<int>{});
        EXPECT_EQ(beendet, f.beenden);
    }

    // Activation shows the CAD panel.
    std::vector<std::pair<int, bool>> sichtbar;
    mdiSEITE1::anbindung().panelSichtbar = [&](int p, bool s) { sichtbar.push_back({p, s}); };
    seite.Form_Activate();
    ASSERT_EQ(sichtbar.size(), 1u);
    EXPECT_EQ(sichtbar[0], std::make_pair(14, true));
}

TEST_F(Seite, PageOptionsWithoutHeaderClearTheSurfaceAndCompose)
{
    mdiSEITE1 seite;
    seite.resize(1200, 900);
    seite.Form_Load();
    const QRect titel(50, 20, 200, 40);
    ASSERT_GT(dunkel(seite.flaeche().image(), titel), 20);

    bool kf = false, kfs = false;
    int32_t mdi = 0xFFFFFF, pic = 0xE0FFFF;
    seite.KONTEXT(kf, kfs, mdi, pic);
    EXPECT_EQ(dunkel(seite.flaeche().image(), titel), 0);
    EXPECT_EQ(seite.kompositionen(), 2);
    EXPECT_FALSE(seite.kopfFussSichtbar());
    EXPECT_FALSE(seite.seitenzahlSichtbar());
    EXPECT_EQ(seite.picBILD11->ziel().BackColor(), 0xE0FFFF);

    // Switched on again without page numbers: header back, no "Seite 1/1".
    kf = true;
    seite.KONTEXT(kf, kfs, mdi, pic);
    EXPECT_GT(dunkel(seite.flaeche().image(), titel), 20);
    ASSERT_TRUE(seite.kopfFuss());
    EXPECT_FALSE(seite.kopfFuss()->zeilen().contains(QStringLiteral("Seite 1/1")));
    EXPECT_EQ(seite.kompositionen(), 3);

    // A window loaded afterwards starts with both shown again.
    mdiSEITE1 zweite;
    zweite.Form_Load();
    EXPECT_TRUE(zweite.kopfFussSichtbar());
    EXPECT_TRUE(zweite.seitenzahlSichtbar());
    EXPECT_TRUE(zweite.kopfFuss()->zeilen().contains(QStringLiteral("Seite 1/1")));
}

TEST(SeitenTabellen, DepthAxisValueTables)
{
    const auto minimum = mdiSEITE1::tiefenMinimum();
    ASSERT_EQ(minimum.size(), 90u);
    EXPECT_EQ(minimum.front(), -100);
    EXPECT_EQ(minimum.back(), 200);
    const auto nach20 = std::find(minimum.begin(), minimum.end(), -20.0);
    ASSERT_NE(nach20, minimum.end());
    EXPECT_EQ(*(nach20 + 1), -15);
    EXPECT_TRUE(std::is_sorted(minimum.begin(), minimum.end()));
    const auto differenz = mdiSEITE1::tiefenDifferenz();
    ASSERT_EQ(differenz.size(), 75u);
    EXPECT_EQ(differenz[49], 50);
    EXPECT_EQ(differenz[50], 55);
    EXPECT_EQ(differenz.back(), 300);
    EXPECT_EQ(mdiSEITE1::tiefenTeilung(), std::vector<double>(75, 1.0));
}

