// Printing a page window and drawing it into a CAD document.
#include "SeiteFixture.h"

#include "drawing/RecordingEngine.h"
#include "drawing/clsGRAFIK.h"
#include "pages/Seite11.h"
#include "pages/window/Druckauftrag.h"
#include "platform/Services.h"

#include <QDir>
#include <QRectF>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a user's PDF tools report of a file.
QString werkzeug(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
QString pdfText(const QString& pfad)
{
    return werkzeug(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pfad, QStringLiteral("-")});
}
QString pdfInfo(const QString& pfad)
{
    return werkzeug(QStringLiteral("pdfinfo"), {pfad});
}

class Drucken : public Seite
{
protected:
    void SetUp() override
    {
        Seite::SetUp();
        ordner = dir.path();
        seiten::druckerwahl() = {};
    }
    void TearDown() override
    {
        seiten::druckerwahl() = {};
        Seite::TearDown();
    }
    void druckeNach(const QString& datei) { seiten::druckerwahl().pdfDatei = datei; }
    QStringList dateien() const { return QDir(ordner).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    QString ordner;
};

} // namespace

TEST_F(Drucken, EachCallIsOneA4VectorPageWithHeaderAndFooterWhenShown)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    const int vorher = seite.kompositionen();

    druckeNach(ordner + "/eins.pdf");
    seite.DRUCKEN();
    druckeNach(ordner + "/zwei.pdf");
    bool kf = false, kfs = true;
    int32_t mdi = 0xFFFFFF, pic = 0xFFFFFF;
    seite.KONTEXT(kf, kfs, mdi, pic);
    seite.DRUCKEN();
    EXPECT_TRUE(dienste.dialogs.messages().empty()) << dienste.dialogs.messages()[0].text.toStdString();

    // Printer composition and screen composition for each call (plus the page options').
    EXPECT_EQ(seite.kompositionen(), vorher + 5);
    EXPECT_EQ(dateien(), (QStringList{"eins.pdf", "zwei.pdf"}));
    for (const QString& name : {QStringLiteral("eins.pdf"), QStringLiteral("zwei.pdf")}) {
        SCOPED_TRACE(name.toStdString());
        const QString info = pdfInfo(ordner + "/" + name);
        EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
        QFile f(ordner + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(f.readAll().contains("/Subtype /Image")) << "drawn as vectors, not as a picture";
    }
    const QString mitKopf = pdfText(ordner + "/eins.pdf");
    const QString ohneKopf = pdfText(ordner + "/zwei.pdf");
    const QString kennung = QStringLiteral("Datensatz ") + aktiveKennung();
    EXPECT_TRUE(mitKopf.contains(kennung)) << mitKopf.toStdString();
    EXPECT_TRUE(mitKopf.contains(QStringLiteral("Bearbeiter")));
    EXPECT_FALSE(ohneKopf.contains(kennung));
    EXPECT_FALSE(ohneKopf.contains(QStringLiteral("Bearbeiter")));
    EXPECT_FALSE(ohneKopf.trimmed().isEmpty()) << "the log itself is printed";

    // Afterwards the screen shows the header and footer again, even when switched off.
    ASSERT_TRUE(seite.kopfFuss());
    EXPECT_TRUE(seite.kopfFuss()->zeilen().contains(kennung));
    EXPECT_FALSE(seite.kopfFussSichtbar());
    EXPECT_EQ(seite.engine()->EOBJEKT(), &seite.picBILD11->ziel());
}

TEST_F(Drucken, PrinterPlacesThePageAndShiftsItWithTheScrollBar)
{
    mdiSEITE1 seite;
    std::shared_ptr<drawing::DrawingInterface> druckMaschine;
    seite.komponist().maschinenFabrik = [&](int16_t modus) -> std::shared_ptr<drawing::DrawingInterface> {
        auto g = std::make_shared<clsGRAFIK>();
        if (modus == 1)
            druckMaschine = g;
        return g;
    };
    seite.Form_Load();
    ASSERT_FALSE(seite.hscBILD11->isHidden());
    seite.hscBILD11->setValue(5000);
    druckeNach(ordner + "/seite.pdf");
    // The columns of the printer composition, taken while its job is open.
    std::vector<float> x;
    db::sharedState().nachrichtenHook = [&] {
        if (x.empty() && seite.druckauftrag() && seite.druckauftrag()->offen() && druckMaschine)
            for (const auto& s : seite.komponist().gezeichneteSpalten())
                x.push_back(s.second);
    };
    seite.DRUCKEN();
    db::sharedState().nachrichtenHook = nullptr;
    ASSERT_TRUE(druckMaschine);
    auto* drucker = dynamic_cast<drawing::Target*>(druckMaschine->EOBJEKT());
    ASSERT_TRUE(drucker && drucker->isPrinter());
    // 12 mm from the left, 30 mm from the top, 175 x 230 mm.
    EXPECT_FLOAT_EQ(druckMaschine->EXDL(), 12.0f);
    EXPECT_FLOAT_EQ(druckMaschine->EYDO(), 30.0f);
    EXPECT_FLOAT_EQ(druckMaschine->ELX(), 175.0f);
    EXPECT_FLOAT_EQ(druckMaschine->ELY(), 230.0f);
    // Printer columns and the shift of the screen's half-way bar:
    // 0.5 x (175 - 5 - 7 - 650) mm with the page extent 605 fitted to 650.
    EXPECT_EQ(x, (std::vector<float>{20, 50, 80, 110, 140, 200, 260, 320, 380, 440, 530}));
    float xp = 0, yp = 0;
    druckMaschine->KOORDTRANS(0, 0, xp, yp);
    EXPECT_NEAR(xp - (12.0f + 5.0f), -243.5f, 0.01f);
}

TEST_F(Drucken, CancelInTheErrorBoxAbortsTheJobAndKeepsTheFileThatWasThere)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    const QString ziel = ordner + "/seite.pdf";
    {
        QFile alt(ziel);
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("alt");
    }
    druckeNach(ziel);
    // The first time the job lets window messages run, an error occurs.
    bool einmal = true;
    db::sharedState().nachrichtenHook = [&] {
        if (einmal && seite.druckauftrag() && seite.druckauftrag()->offen()) {
            einmal = false;
            vb::raise(vb::err::InvalidCall);
        }
    };
    const int vorher = seite.kompositionen();
    dienste.dialogs.answerMessage(vb::vbCancel);
    seite.DRUCKEN();
    db::sharedState().nachrichtenHook = nullptr;

    ASSERT_EQ(dienste.dialogs.messages().size(), 1u);
    EXPECT_EQ(dienste.dialogs.messages()[0].title, QStringLiteral("Drucken von Seite 1"));
    EXPECT_TRUE(dienste.dialogs.messages()[0].text.startsWith(QStringLiteral("VB-Fehler: 5\n")));
    EXPECT_EQ(dateien(), QStringList{"seite.pdf"});
    QFile f(ziel);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("alt"));
    // The job was left before its printer and screen compositions.
    EXPECT_EQ(seite.kompositionen(), vorher);
}

TEST_F(Drucken, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft)
{
    mdiSEITE1 seite;
    seite.Form_Load();
    // A "folder" that is a file: no process can write below it.
    QFile sperre(ordner + "/datei");
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    druckeNach(ordner + "/datei/seite.pdf");
    const int vorher = seite.kompositionen();
    seite.DRUCKEN();
    ASSERT_EQ(dienste.dialogs.messages().size(), 1u);
    const auto box = dienste.dialogs.messages()[0];
    EXPECT_EQ(box.title, QStringLiteral("Drucken von Seite 1"));
    // The cause: the folder named in the path is none.
    EXPECT_EQ(box.text, QStringLiteral("VB-Fehler: 76\nPfad nicht gefunden: ") + ordner + "/datei/seite.pdf");
    EXPECT_EQ(dateien(), QStringList{"datei"});
    // OK goes on: the screen is composed again, nothing printed.
    EXPECT_EQ(seite.kompositionen(), vorher + 1);
}

// A print job killed while it wrote its file leaves a hidden file beside the
// PDF; the next job of the same user takes it away, and leaves nothing of
// its own.
TEST_F(Drucken, AJobRemovesWhatAKilledJobOfTheUserLeftBeside)
{
    const pid_t tot = ::fork();
    if (tot == 0)
        ::_exit(0);
    ::waitpid(tot, nullptr, 0);
    const QString rest = ".seite.pdf~" + vb::userName() + "~" + QSysInfo::machineHostName() + "~"
                         + QString::number(tot) + "~1.tmp";
    QFile f(ordner + "/" + rest);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    mdiSEITE1 seite;
    seite.Form_Load();
    druckeNach(ordner + "/seite.pdf");
    seite.DRUCKEN();
    EXPECT_TRUE(dienste.dialogs.messages().empty());
    EXPECT_EQ(dateien(), QStringList{"seite.pdf"});
}

TEST_F(Drucken, CadPassSetsTheClipFlagAndReportsItsProgress)
{
    mdiSEITE1 seite;
    // A CAD engine that takes the clip flag.
    struct CadMaschine : drawing::RecordingEngine
    {
        std::vector<bool>* gesetzt = nullptr;
        void EBOGRENZEN(bool v) override { gesetzt->push_back(v); }
        using drawing::RecordingEngine::EBOGRENZEN;
    };
    std::vector<bool> grenzen;
    seite.komponist().maschinenFabrik = [&](int16_t modus) -> std::shared_ptr<drawing::DrawingInterface> {
        if (modus != 2)
            return std::make_shared<clsGRAFIK>();
        auto g = std::make_shared<CadMaschine>();
        g->gesetzt = &grenzen;
        return g;
    };
    QStringList info;
    mdiSEITE1::anbindung().exportInfo = [&](const QString& t) { info << t; };
    seite.Form_Load();
    struct Dokument : drawing::EngineObject
    {
    } dokument;
    seite.SEITEA(&dokument, true);
    seite.SEITEA(&dokument, false);
    EXPECT_EQ(grenzen, (std::vector<bool>{true, false}));
    const QString zeichnen = QStringLiteral("Das Profil wird gezeichnet.....");
    const QString zurueck = QStringLiteral("Die Bildschirmansicht wird aktualisiert.....");
    EXPECT_EQ(info, (QStringList{zeichnen, zurueck, zeichnen, zurueck}));
    EXPECT_FALSE(seite.cadGrenzen());
    // The screen holds a screen engine again.
    EXPECT_EQ(seite.engine()->EOBJEKT(), &seite.picBILD11->ziel());
    EXPECT_TRUE(dienste.dialogs.messages().empty()) << dienste.dialogs.messages()[0].title.toStdString() << ": "
                                                    << dienste.dialogs.messages()[0].text.toStdString();
}

TEST_F(Drucken, WithoutSideColumnsThePrintedPageHoldsTheLayerDescriptions)
{
    // The printed frame shows what the screen shows; with every column on,
    // the soil column stands far right and its descriptions beyond the frame.
    mdiSEITE1 seite;
    seite.Form_Load();
    druckeNach(ordner + "/alle.pdf");
    seite.DRUCKEN();
    for (const char* spalte : {"BVV", "VV", "GWV", "PROV"})
        setzen("E12", QString::fromLatin1(spalte), vb::Variant(int16_t(0)));
    druckeNach(ordner + "/ohne.pdf");
    seite.DRUCKEN();
    const QString beschreibung = QStringLiteral("Oberboden, durchwurzelt");
    EXPECT_FALSE(pdfText(ordner + "/alle.pdf").contains(beschreibung));
    EXPECT_TRUE(pdfText(ordner + "/ohne.pdf").contains(beschreibung)) << pdfText(ordner + "/ohne.pdf").toStdString();
}

TEST_F(Drucken, ALongRemarkIsPrintedWholeInsideTheFrameAndClearOfTheNextColumn)
{
    // The first demo borehole holds a remark of 279 characters. With the side
    // columns off it is printed on several lines, every word of it; no word
    // reaches past the frame's right edge (12 mm picture offset + 175 mm
    // picture less 7 mm margin = 180 mm from the paper's left edge), and none
    // lies on a text of the test column beside it.
    auto rs = db::sharedState().cnnX->openRecordset(
        QStringLiteral("SELECT [BEMS] FROM [E2] WHERE [ID]=? AND LENGTH([BEMS]) > 200"), {vb::Variant::lng(aktiveId())});
    ASSERT_FALSE(rs->eof());
    const QString lang = rs->field(0).text();
    ASSERT_EQ(lang.size(), 279);

    mdiSEITE1 seite;
    seite.Form_Load();
    for (const char* spalte : {"BVV", "VV", "GWV", "PROV"})
        setzen("E12", QString::fromLatin1(spalte), vb::Variant(int16_t(0)));
    druckeNach(ordner + "/ohne.pdf");
    seite.DRUCKEN();

    // Words as pdftotext -bbox finds them, with their boxes in points.
    struct Wort { QString text; QRectF box; };
    std::vector<Wort> woerter;
    const QString xml = werkzeug(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), ordner + "/ohne.pdf",
                                                               QStringLiteral("-")});
    static const QRegularExpression muster(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                                          "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto m = muster.globalMatch(xml); m.hasNext();) {
        const auto w = m.next();
        woerter.push_back({w.captured(5), QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                                                 QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()))});
    }
    const QStringList gesucht = lang.split(QLatin1Char(' '));
    const double rechterRand = 180.0 / 25.4 * 72.0;
    QStringList gefunden;
    for (const Wort& w : woerter)
        gefunden << w.text;
    // Every word, as often as the remark holds it.
    for (const QString& wort : gesucht)
        EXPECT_GE(gefunden.count(wort), gesucht.count(wort)) << wort.toStdString();
    // The remark's lines: the words below its first word, from its left edge on.
    const auto erstes = std::find_if(woerter.begin(), woerter.end(), [&](const Wort& w) { return w.text == gesucht[0]; });
    ASSERT_NE(erstes, woerter.end());
    const QRectF bereich(erstes->box.left(), erstes->box.top(), rechterRand, 60);
    for (const Wort& w : woerter) {
        if (!gesucht.contains(w.text) || !bereich.contains(w.box.topLeft()))
            continue;
        EXPECT_LE(w.box.right(), rechterRand) << w.text.toStdString();
        for (const Wort& anderer : woerter)
            if (!gesucht.contains(anderer.text) && w.box.intersects(anderer.box))
                ADD_FAILURE() << w.text.toStdString() << " lies on " << anderer.text.toStdString();
    }
}
