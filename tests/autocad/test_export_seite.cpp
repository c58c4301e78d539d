// The CAD export as a user reaches it: a computed page, the status panel
// AutoCAD (or Ctrl+A in the page window), the dialog's answer, the file in
// the project's DXF folder and the desktop opener.
#include "../shell/ShellFixture.h"
#include "CadFixture.h"

#include "autocad/AcadDocument.h"
#include "autocad/frmACAD.h"
#include "database/SharedState.h"
#include "pages/window/mdiSEITE1.h"
#include "shell/frmMAIN.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

class CadExport : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        start();
        ASSERT_TRUE(gestartet());
        m_fabrik = acad::applicationFactory();
        // The page of the first record (by identifier), computed anew.
        cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
        cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [KEN]=?"), {vb::Variant(kennungen(cnnX()).first())});
    }
    void TearDown() override
    {
        acad::applicationFactory() = m_fabrik;
        ShellTest::TearDown();
    }

    mdiSEITE1* neuberechnen()
    {
        m_main->mnuAUSWERTEN_Click();
        m_main->mnuNEUBERECHNEN_Click();
        const auto fenster = m_main->mdiArea()->subWindowList();
        return fenster.isEmpty() ? nullptr : qobject_cast<mdiSEITE1*>(fenster.last()->widget());
    }

    // Runs the export from the status panel; `antwort` presses a button of
    // the dialog once it is shown. Returns the dialog's progress texts.
    QStringList exportieren(const std::function<void(frmACAD&)>& antwort)
    {
        QStringList verlauf;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<frmACAD*>(QApplication::activeModalWidget());
            if (!d)
                return;
            QObject::connect(d, &QDialog::finished, d, [&verlauf, d] { verlauf = d->verlauf(); });
            antwort(*d);
        });
        m_main->stbMAIN_PanelClick(14);
        return verlauf;
    }

    // Records the document of each export.
    std::vector<std::shared_ptr<acad::Application>> anwendungen()
    {
        acad::applicationFactory() = [this] {
            m_apps.push_back(std::make_shared<acad::Application>());
            return m_apps.back();
        };
        return m_apps;
    }

    QString dxfOrdner() const { return QDir(pfade().projekt).filePath(QStringLiteral("DXF")); }

    acad::ApplicationFactory m_fabrik;
    std::vector<std::shared_ptr<acad::Application>> m_apps;
};

} // namespace

TEST_F(CadExport, YesWritesTheWholePageAndASecondExportTheNextFile)
{
    // One layer's remark holds characters CAD readers would take for codes.
    const QString bemerkung = QStringLiteral("Kies^Jfein 30%%d \\P");
    cnnX().execute(QStringLiteral("UPDATE [E2] SET [BEMS]=? WHERE rowid=(SELECT MIN(rowid) FROM [E2] WHERE "
                                  "[BEMS]='Lignitstreifen' AND [ID]=(SELECT [ID] FROM [E1] WHERE [AKT]=1))"),
                   {vb::Variant(bemerkung)});
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    anwendungen();
    const int vorher = seite->kompositionen();
    const QStringList verlauf = exportieren([](frmACAD& d) { d.cmdJA->click(); });
    EXPECT_TRUE(boxen().messages().empty()) << boxen().messages().front().text.toStdString();
    EXPECT_EQ(verlauf, (QStringList{QStringLiteral("AutoCAD wird im Hintergrund gestartet....."),
                                    QStringLiteral("Das Profil wird gezeichnet....."),
                                    QStringLiteral("Die Bildschirmansicht wird aktualisiert....."),
                                    QStringLiteral("AutoCAD wird geöffnet.....")}));
    EXPECT_EQ(seite->kompositionen(), vorher + 2);  // the CAD pass, then the screen again

    // The first record is "BK 3/26": the slash cannot stand in a file name.
    QString ken = seite->kennung();
    ASSERT_TRUE(ken.contains(QLatin1Char('/')));
    ken.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString erste = QDir(dxfOrdner()).filePath(ken + QStringLiteral("-1.dxf"));
    ASSERT_EQ(dienste().desktop.opened.size(), 1u);
    ASSERT_TRUE(QFile::exists(erste)) << dienste().desktop.opened[0].toStdString();
    EXPECT_EQ(dienste().desktop.opened[0], erste);

    // Turned right way up: every entity at y <= 0, none lost by the mirror.
    ASSERT_EQ(m_apps.size(), 1u);
    const acad::Document& doc = *m_apps[0]->ActiveDocument();
    EXPECT_GT(doc.ModelSpace().Count(), 100);
    for (int i = 0; i < doc.ModelSpace().Count(); ++i) {
        const acad::Entity& e = *doc.ModelSpace().Item(i);
        EXPECT_LE(e.start().y, 1e-9) << i;
        EXPECT_EQ(e.layer(), QStringLiteral("BILD11"));
    }
    EXPECT_EQ(doc.ActiveUCS(), nullptr);  // the previous system is active again
    EXPECT_NE(doc.UserCoordinateSystems().Count(), 0);
    EXPECT_TRUE(m_apps[0]->Visible());

    // The page as users' tools see it, rendered for people to look at.
    QDir().mkpath(QStringLiteral(KAVELOR_RENDER_DIR));
    const QString dxf = QStringLiteral(KAVELOR_RENDER_DIR "/cad-page.dxf");
    const QString png = QStringLiteral(KAVELOR_RENDER_DIR "/cad-page.png");
    QFile::remove(dxf);
    QFile::remove(png);
    ASSERT_TRUE(QFile::copy(erste, dxf));
    QString ausgabe;
    const QStringList texte = {QStringLiteral("Geodätisches Koordinatensystem"),
                               QStringLiteral("Geländehöhe über Adria = 312,100 m"), QStringLiteral("Maßstab 1: 100"),
                               QStringLiteral("Auelehm"), QStringLiteral("Talkies, wasserführend"),
                               QStringLiteral("Kernverlust 0,1 m"), bemerkung};
    EXPECT_EQ(runChecker(QStringLiteral("check_cad_page.py"), QStringList{dxf} + texte, ausgabe), 0)
        << ausgabe.toStdString();
    EXPECT_EQ(runChecker(QStringLiteral("render_dxf.py"), {dxf, png}, ausgabe), 0) << ausgabe.toStdString();
    EXPECT_GT(QFileInfo(png).size(), 10000);

    // A second export: the next free name.
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    EXPECT_TRUE(QFile::exists(QDir(dxfOrdner()).filePath(ken + QStringLiteral("-2.dxf"))));
}

TEST_F(CadExport, YesDrawsTheCirclesOfTheTestColumnsBeyondThePicture)
{
    // KB 1's test columns lie right of the 240 mm picture: the depth-arrow
    // dot of each of its six test columns and its five grain-size marks are
    // circles there.
    cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=([KEN]='KB 1')"));
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    ASSERT_EQ(seite->kennung(), QStringLiteral("KB 1"));
    anwendungen();
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    ASSERT_TRUE(boxen().messages().empty()) << boxen().messages().front().text.toStdString();
    ASSERT_EQ(m_apps.size(), 1u);
    const acad::Document& doc = *m_apps[0]->ActiveDocument();
    int rechts = 0;
    for (int i = 0; i < doc.ModelSpace().Count(); ++i) {
        const acad::Entity& e = *doc.ModelSpace().Item(i);
        if ((e.kind() == acad::Entity::Kind::Arc || e.kind() == acad::Entity::Kind::Circle) && e.center().x > 215)
            ++rechts;
    }
    EXPECT_GE(rechts, 11);
}

TEST_F(CadExport, EveryRecordOfTheProjectExportsAPageReadersAccept)
{
    // Each record in turn: its page computed anew, exported whole, written
    // under its identifier (a "/" made "_") and read strictly as users'
    // tools read it: audited clean, all on the picture's layer, right way up.
    const QStringList alle = kennungen(cnnX());
    ASSERT_GE(alle.size(), 3);
    for (const QString& ken : alle) {
        cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
        cnnX().execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [KEN]=?"), {vb::Variant(ken)});
        mdiSEITE1* seite = neuberechnen();
        ASSERT_TRUE(seite) << ken.toStdString();
        ASSERT_EQ(seite->kennung(), ken);
        const size_t geoeffnet = dienste().desktop.opened.size();
        exportieren([](frmACAD& d) { d.cmdJA->click(); });
        ASSERT_TRUE(boxen().messages().empty()) << ken.toStdString() << ": "
                                                << boxen().messages().front().text.toStdString();
        ASSERT_EQ(dienste().desktop.opened.size(), geoeffnet + 1) << ken.toStdString();
        QString name = ken;
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        const QString datei = QDir(dxfOrdner()).filePath(name + QStringLiteral("-1.dxf"));
        EXPECT_EQ(dienste().desktop.opened.back(), datei);
        QString ausgabe;
        EXPECT_EQ(runChecker(QStringLiteral("check_cad_page.py"), {datei}, ausgabe), 0)
            << ken.toStdString() << ": " << ausgabe.toStdString();
        m_main->mdiArea()->closeAllSubWindows();
    }
    EXPECT_EQ(QDir(dxfOrdner()).entryList({QStringLiteral("*.dxf")}, QDir::Files).size(), alle.size());
    EXPECT_TRUE(QDir(dxfOrdner()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(CadExport, NoOnAScrolledPageDrawsOnlyWhatThePictureShows)
{
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    ASSERT_FALSE(seite->vscBILD11->isHidden());  // the log is longer than the picture
    anwendungen();
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    seite->vscBILD11->setValue(seite->vscBILD11->maximum() / 2);
    exportieren([](frmACAD& d) { d.cmdNEIN->click(); });
    ASSERT_EQ(m_apps.size(), 2u);
    const int alles = m_apps[0]->ActiveDocument()->ModelSpace().Count();
    const int sichtbar = m_apps[1]->ActiveDocument()->ModelSpace().Count();
    EXPECT_GT(sichtbar, 0);
    EXPECT_LT(sichtbar, alles);
    EXPECT_TRUE(seite->cadGrenzen());
}

TEST_F(CadExport, WithoutTheApplicationTheHintIsShownOnce)
{
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    const int vorher = seite->kompositionen();
    acad::applicationFactory() = []() -> std::shared_ptr<acad::Application> {
        vb::raise(vb::err::CannotCreateObject);
    };
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    const auto boxen_ = boxen().messages();
    ASSERT_EQ(boxen_.size(), 1u);
    EXPECT_EQ(boxen_[0].title, QStringLiteral("HINWEIS"));
    EXPECT_EQ(boxen_[0].text.count(QLatin1Char('\n')), 2);
    EXPECT_TRUE(boxen_[0].text.startsWith(QStringLiteral("Ein AutoCAD-Export ist nicht möglich")));
    EXPECT_EQ(seite->kompositionen(), vorher);  // the page is not composed again
    EXPECT_FALSE(vb::waitPointerShown());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(QDir(dxfOrdner()).exists() && !QDir(dxfOrdner()).isEmpty());
}

TEST_F(CadExport, CancelWritesNothingAndCtrlAOpensTheDialog)
{
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    const int vorher = seite->kompositionen();
    bool gezeigt = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmACAD*>(QApplication::activeModalWidget());
        gezeigt = d != nullptr;
        if (d) {
            EXPECT_TRUE(d->cmdJA->isDefault());
            EXPECT_EQ(d->cmdJA->text(), QStringLiteral("JA"));
            EXPECT_EQ(d->cmdABBRECHEN->text(), QStringLiteral("Abbrechen"));
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(d, &esc);
        }
    });
    QKeyEvent strgA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(seite, &strgA);
    EXPECT_TRUE(gezeigt);
    EXPECT_EQ(seite->kompositionen(), vorher);
    EXPECT_TRUE(dienste().desktop.opened.empty());
    EXPECT_FALSE(QDir(dxfOrdner()).exists());
}

TEST_F(CadExport, ADrawingThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    // A file where the DXF folder belongs.
    QFile sperre(dxfOrdner());
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    const auto b = boxen().messages();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].title, QStringLiteral("AutoCAD-Export"));
    EXPECT_TRUE(b[0].text.startsWith(QStringLiteral("VB-Fehler: \nFehlerNr. 76\n"))) << b[0].text.toStdString();
    EXPECT_TRUE(dienste().desktop.opened.empty());
    EXPECT_EQ(QDir(pfade().projekt).entryList({QStringLiteral("*.dxf")}, QDir::Files).size(), 0);
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(CadExport, ARefusedWriteKeepsTheEarlierDrawingsAndLeavesNoPartOfTheNewOne)
{
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    ASSERT_TRUE(boxen().messages().empty());
    const QStringList vorher = QDir(dxfOrdner()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(vorher.size(), 1);
    QFile erste(QDir(dxfOrdner()).filePath(vorher.first()));
    ASSERT_TRUE(erste.open(QIODevice::ReadOnly));
    const QByteArray inhalt = erste.readAll();
    erste.close();

    if (!schreibschutz(dxfOrdner(), true))
        GTEST_SKIP() << "no write protection available";
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    schreibschutz(dxfOrdner(), false);
    const auto b = boxen().messages();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].title, QStringLiteral("AutoCAD-Export"));
    EXPECT_TRUE(b[0].text.startsWith(QStringLiteral("VB-Fehler: \nFehlerNr. "))) << b[0].text.toStdString();
    EXPECT_EQ(dienste().desktop.opened.size(), 1u);  // only the first drawing was handed on
    EXPECT_EQ(QDir(dxfOrdner()).entryList(QDir::Files | QDir::Hidden), vorher);
    ASSERT_TRUE(erste.open(QIODevice::ReadOnly));
    EXPECT_EQ(erste.readAll(), inhalt);
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(CadExport, KeysAboveSixteenBitsExportTheirPage)
{
    // The active record gets a key above 32767 in every table of the record.
    const int32_t alt = int32_t(cnnX().openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"))
                                    ->field(0)
                                    .number());
    for (const char* t : {"E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11", "E12", "A1", "G0"})
        cnnX().execute(QStringLiteral("UPDATE [%1] SET [ID]=40000 WHERE [ID]=?").arg(QString::fromLatin1(t)),
                       {vb::Variant(int(alt))});
    mdiSEITE1* seite = neuberechnen();
    ASSERT_TRUE(seite);
    EXPECT_EQ(seite->datensatzId(), 40000);
    anwendungen();
    exportieren([](frmACAD& d) { d.cmdJA->click(); });
    EXPECT_TRUE(boxen().messages().empty()) << boxen().messages().front().text.toStdString();
    ASSERT_EQ(m_apps.size(), 1u);
    EXPECT_GT(m_apps[0]->ActiveDocument()->ModelSpace().Count(), 100);
    EXPECT_EQ(dienste().desktop.opened.size(), 1u);
}

TEST(CadDialog, CaptionsFollowTheLanguage)
{
    struct Case {
        short sprache;
        const char* ja;
        const char* nein;
        const char* abbrechen;
        const char* frage;
    };
    const Case cases[] = {
        {1, "YES", "NO", "Cancel", "If parts of the picture are out of the pictureborders"},
        {3, "JA", "NEIN", "Abbrechen", "Falls Teile außerhalb des Bildbereiches sind"},
        {2, "JA", "NEIN", "Abbrechen", "Falls Teile am Bildschirm nicht sichtbar sind"},
    };
    const short vorher = db::sharedState().SPRACHE;
    for (const Case& c : cases) {
        db::sharedState().SPRACHE = c.sprache;
        frmACAD d{acad::ExportPage{}};
        EXPECT_EQ(d.windowTitle(), QStringLiteral("AutoCAD Export"));
        EXPECT_EQ(d.cmdJA->text(), QString::fromUtf8(c.ja)) << c.sprache;
        EXPECT_EQ(d.cmdNEIN->text(), QString::fromUtf8(c.nein)) << c.sprache;
        EXPECT_EQ(d.cmdABBRECHEN->text(), QString::fromUtf8(c.abbrechen)) << c.sprache;
        EXPECT_TRUE(d.lblACAD->text().startsWith(QString::fromUtf8(c.frage))) << c.sprache;
        EXPECT_EQ(d.cmdNEIN->toolTip(), QStringLiteral("Nur die am Bildschirm sichtbaren Bereiche werden gezeichnet!"));
    }
    db::sharedState().SPRACHE = vorher;
}

TEST(CadDialog, SitsCentredWithItsLowerEdgeAtTheMiddleOfTheScreen)
{
    frmACAD d{acad::ExportPage{}};
    d.show();
    QCoreApplication::processEvents();
    const QRect s = d.screen()->geometry();
    EXPECT_NEAR(d.frameGeometry().center().x(), s.x() + s.width() / 2, 1);
    EXPECT_NEAR(d.frameGeometry().bottom() + 1, s.y() + s.height() / 2, 1);
    d.resize(d.width(), d.height());
    EXPECT_NEAR(d.frameGeometry().bottom() + 1, s.y() + s.height() / 2, 1);
    d.close();
}

// The page's files as the user writes them: PDF (Drucken without a
// printer), screen copy (Kopie) and drawing (AutoCAD). One cause of failure
// reads the same in all three boxes, names the file or folder, and leaves
// nothing behind.
TEST_F(CadExport, PdfKopieAndDxfNameTheSameCauseOfAFailedWrite)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    const QString lang(300, QLatin1Char('K'));
    const QString ken = kennungen(cnnX(), QStringLiteral("[AKT]=true")).value(0);
    const QString projekt = pfade().projekt;
    auto ordner = [&](const char* name) { return QDir(projekt).filePath(QString::fromLatin1(name)); };
    const struct {
        const char* fall;
        std::function<bool()> vorbereiten;   // false: not available here
        QString kopieName;                   // the name answered to Kopie
        QString pdf, kopie, dxf;             // the cause each box gives
        std::function<void()> aufheben;
    } faelle[] = {
        {"a name too long for the file system",
         [&] {
             cnnX().execute(QStringLiteral("UPDATE [E1] SET [KEN]=? WHERE [AKT]=true"), {vb::Variant(lang)});
             return true;
         },
         lang, "52\nDateiname zu lang: " + ordner("PDF") + "/" + lang + "-1.pdf",
         "52\nDateiname zu lang: " + ordner("JPG") + "/" + lang + ".bmp",
         "52\nDateiname zu lang: " + ordner("DXF") + "/" + lang + "-1.dxf",
         [&] { cnnX().execute(QStringLiteral("UPDATE [E1] SET [KEN]=? WHERE [AKT]=true"), {vb::Variant(ken)}); }},
        {"files where the folders belong",
         [&] {
             for (const char* name : {"PDF", "JPG", "DXF"}) {
                 QDir(ordner(name)).removeRecursively();
                 QFile f(ordner(name));
                 if (!f.open(QIODevice::WriteOnly))
                     return false;
             }
             return true;
         },
         "kopie", "76\nPfad nicht gefunden: " + ordner("PDF") + "/", "76\nPfad nicht gefunden: " + ordner("JPG"),
         "76\nPfad nicht gefunden: " + ordner("DXF"),
         [&] {
             for (const char* name : {"PDF", "JPG", "DXF"})
                 QFile::remove(ordner(name));
         }},
        {"folders the user may not write",
         [&] {
             for (const char* name : {"PDF", "JPG", "DXF"})
                 if (!QDir().mkpath(ordner(name)) || !schreibschutz(ordner(name), true))
                     return false;
             return true;
         },
         "kopie", "70\nZugriff verweigert: " + ordner("PDF") + "/", "70\nZugriff verweigert: " + ordner("JPG") + "/",
         "70\nZugriff verweigert: " + ordner("DXF") + "/",
         [&] {
             for (const char* name : {"PDF", "JPG", "DXF"})
                 schreibschutz(ordner(name), false);
         }},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        if (!f.vorbereiten()) {
            f.aufheben();
            continue;
        }
        mdiSEITE1* seite = neuberechnen();
        ASSERT_TRUE(seite);
        boxen().clear();
        m_main->stbMAIN_PanelClick(11);
        boxen().answerInput(f.kopieName);
        m_main->stbMAIN_PanelClick(12);
        exportieren([](frmACAD& d) { d.cmdJA->click(); });
        const auto b = boxen().messages();
        f.aufheben();
        ASSERT_EQ(b.size(), 3u);
        EXPECT_EQ(b[0].title, QStringLiteral("Drucken von Seite 1"));
        EXPECT_TRUE(b[0].text.contains(f.pdf)) << b[0].text.toStdString();
        EXPECT_EQ(b[1].title, QStringLiteral("Kopie"));
        EXPECT_TRUE(b[1].text.contains(f.kopie)) << b[1].text.toStdString();
        EXPECT_EQ(b[2].title, QStringLiteral("AutoCAD-Export"));
        EXPECT_TRUE(b[2].text.contains(f.dxf)) << b[2].text.toStdString();
        // Nothing written, nothing left beside.
        for (const char* name : {"PDF", "JPG", "DXF"})
            EXPECT_TRUE(QDir(ordner(name)).entryList(QDir::Files | QDir::Hidden).isEmpty()) << name;
        EXPECT_TRUE(dienste().desktop.opened.empty());
        m_main->mdiArea()->closeAllSubWindows();
    }
}
