// The page windows' status-bar commands as the user reaches them: the page
// chooser, printing, the screen copy and the page as a text document, and
// the option dialogs opened from the page.
#include "AuswertenFixture.h"

#include "pages/Seite11.h"
#include "pages/window/Druckauftrag.h"
#include "pages/window/frmANZEIGEN.h"
#include "pages/window/frmKONTEXT.h"
#include "pages/window/frmKONTEXT11.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class Seitenbefehle : public Auswerten
{
protected:
    void SetUp() override
    {
        Auswerten::SetUp();
        seiten::druckerwahl() = {};
    }
    void TearDown() override
    {
        seiten::druckerwahl() = {};
        Auswerten::TearDown();
    }

    // Makes the record with this identifier the only active one and builds its page.
    mdiSEITE1* seiteVon(const QString& kennung)
    {
        cnn().execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
        cnn().execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [KEN]=?"), {vb::Variant(kennung)});
        haupt().DATENSATZANZEIGE();
        haupt().mnuNEUBERECHNEN_Click();
        EXPECT_TRUE(boxen().messages().empty());
        const auto s = seiten();
        return s.isEmpty() ? nullptr : s.last();
    }
    void taste(mdiSEITE1* seite, int t)
    {
        QKeyEvent e(QEvent::KeyPress, t, Qt::ControlModifier);
        QCoreApplication::sendEvent(seite, &e);
    }
    QString projektOrdner(const QString& name) const
    {
        const auto& st = db::sharedState();
        return QDir(st.PROJEKTSPFAD).filePath(st.PROJEKT + "/" + name);
    }
    static QStringList dateien(const QString& ordner)
    {
        return QDir(ordner).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static bool ohneDrucker() { return QPrinterInfo::availablePrinters().isEmpty(); }
};

} // namespace

TEST_F(Seitenbefehle, PrintingWithoutAPrinterWritesOnePdfPerPageIntoTheProject)
{
    if (!ohneDrucker())
        GTEST_SKIP() << "a printer is installed";
    mdiSEITE1* seite = seiteVon("KB 1");
    ASSERT_TRUE(seite);
    const QString pdf = projektOrdner("PDF");

    taste(seite, Qt::Key_P);
    ASSERT_EQ(boxen().count(), 1);
    const vb::PrintDialogCall& aufruf = boxen().last().printCall;
    EXPECT_EQ(aufruf.minPage, 1);
    EXPECT_EQ(aufruf.maxPage, 1);
    EXPECT_EQ(aufruf.fromPage, 1);
    EXPECT_EQ(aufruf.toPage, 1);
    EXPECT_TRUE(aufruf.printToFile);
    EXPECT_EQ(aufruf.outputFile, pdf + "/KB 1-1.pdf");
    // Printing again proposes the next free name.
    taste(seite, Qt::Key_P);
    EXPECT_EQ(boxen().last().printCall.outputFile, pdf + "/KB 1-2.pdf");
    EXPECT_EQ(dateien(pdf), (QStringList{"KB 1-1.pdf", "KB 1-2.pdf"}));

    // Cancel in the print dialog: nothing printed, no box.
    boxen().cancelPrint();
    taste(seite, Qt::Key_P);
    EXPECT_TRUE(boxen().messages().empty());
    EXPECT_EQ(dateien(pdf).size(), 2);
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(Seitenbefehle, SeveralPagesAllOrFromToEachIntoItsOwnFile)
{
    if (!ohneDrucker())
        GTEST_SKIP() << "a printer is installed";
    ASSERT_TRUE(seiteVon("KB 1"));
    mdiSEITE1* zweite = seiteVon("BK 3/26");
    ASSERT_TRUE(zweite);
    ASSERT_EQ(seiten().size(), 2);
    const QString pdf = projektOrdner("PDF");

    // The active page is the second; all pages: one file for each.
    taste(zweite, Qt::Key_P);
    EXPECT_EQ(boxen().last().printCall.fromPage, 2);
    EXPECT_EQ(boxen().last().printCall.maxPage, 2);
    EXPECT_EQ(boxen().last().printCall.outputFile, pdf + "/BK 3_26-1.pdf");
    EXPECT_EQ(dateien(pdf), (QStringList{"BK 3_26-1.pdf", "KB 1-1.pdf"}));

    // From 2 to 2: the second page only.
    vb::PrintChoice von2{false, 2, 2, 1, QString(), pdf + "/BK 3_26-2.pdf"};
    boxen().answerPrint(von2);
    taste(zweite, Qt::Key_P);
    EXPECT_EQ(dateien(pdf), (QStringList{"BK 3_26-1.pdf", "BK 3_26-2.pdf", "KB 1-1.pdf"}));

    // A name of the user's own: the first page takes it, the next one its own name beside it.
    QTemporaryDir anderswo;
    vb::PrintChoice eigen{true, 1, 2, 1, QString(), anderswo.filePath("bericht.pdf")};
    boxen().answerPrint(eigen);
    taste(zweite, Qt::Key_P);
    EXPECT_EQ(dateien(anderswo.path()), (QStringList{"BK 3_26-1.pdf", "bericht.pdf"}));
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(Seitenbefehle, KopieSavesTheMainWindowAsABitmapInTheProject)
{
    mdiSEITE1* seite = seiteVon("BK 3/26");
    ASSERT_TRUE(seite);
    // The status line may cut the project's name; the folder never is.
    haupt().stbMAIN->setText(2, "TE20...");
    const QString jpg = projektOrdner("JPG");

    boxen().cancelInput();
    taste(seite, Qt::Key_C);
    ASSERT_EQ(boxen().count(), 1);
    const auto& frage = boxen().last();
    EXPECT_EQ(frage.kind, vb::DialogRecord::Kind::InputBox);
    EXPECT_EQ(frage.title, QStringLiteral("KOPIE"));
    EXPECT_EQ(frage.text, QString::fromUtf8("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + jpg +
                              "/BK 3_26-1.bmp");
    EXPECT_EQ(frage.defaultText, QStringLiteral("BK 3_26-1"));
    EXPECT_TRUE(dateien(jpg).isEmpty());

    boxen().answerInput("");
    taste(seite, Qt::Key_C);
    EXPECT_TRUE(dateien(jpg).isEmpty());

    // Confirmed: the file, readable as a bitmap, and the picture on the clipboard.
    taste(seite, Qt::Key_C);
    ASSERT_EQ(dateien(jpg), QStringList{"BK 3_26-1.bmp"});
    QImageReader leser(jpg + "/BK 3_26-1.bmp");
    EXPECT_EQ(leser.format(), QByteArray("bmp"));
    const QImage bild = leser.read();
    EXPECT_EQ(bild.size(), haupt().size());
    EXPECT_EQ(QApplication::clipboard()->image().size(), haupt().size());

    // Again under the same name, beside what a killed Kopie of this user left:
    // the picture is replaced whole and the left-over goes.
    const pid_t tot = ::fork();
    if (tot == 0)
        ::_exit(0);
    ::waitpid(tot, nullptr, 0);
    QFile rest(jpg + "/.BK 3_26-1.bmp~" + vb::userName() + "~" + QSysInfo::machineHostName() + "~"
               + QString::number(tot) + "~1.tmp");
    ASSERT_TRUE(rest.open(QIODevice::WriteOnly));
    rest.close();
    haupt().resize(haupt().width() + 10, haupt().height());
    taste(seite, Qt::Key_C);
    ASSERT_EQ(dateien(jpg), QStringList{"BK 3_26-1.bmp"});
    EXPECT_EQ(QImage(jpg + "/BK 3_26-1.bmp").size(), haupt().size());

    // A name that cannot be written is reported under the panel's text,
    // with its cause: the folder "fehlt" does not exist.
    boxen().answerInput("fehlt/kopie");
    taste(seite, Qt::Key_C);
    ASSERT_EQ(boxen().messages().size(), 1u);
    EXPECT_EQ(boxen().messages()[0].title, QStringLiteral("Kopie"));
    EXPECT_EQ(boxen().messages()[0].text.toStdString(),
              ("VB-Error: 76\nPfad nicht gefunden: " + jpg + "/fehlt/kopie.bmp").toStdString());
    EXPECT_FALSE(vb::waitPointerShown());
}

TEST_F(Seitenbefehle, WordPutsThePageIntoANewTextDocument)
{
    mdiSEITE1* seite = seiteVon("KB 1");
    ASSERT_TRUE(seite);
    taste(seite, Qt::Key_W);
    // The page stays: Ctrl+W is the page's key, not the window frame's Close.
    EXPECT_EQ(seiten().size(), 1);
    taste(seite, Qt::Key_W);
    EXPECT_TRUE(boxen().messages().empty());
    const auto& geoeffnet = dienste().desktop.opened;
    ASSERT_EQ(geoeffnet.size(), 2u);
    EXPECT_NE(geoeffnet[0], geoeffnet[1]);
    for (const QString& pfad : geoeffnet) {
        SCOPED_TRACE(pfad.toStdString());
        EXPECT_EQ(QFileInfo(pfad).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_TRUE(pfad.endsWith(".odt"));
        QProcess unzip;
        unzip.start("unzip", {"-l", pfad});
        ASSERT_TRUE(unzip.waitForFinished(20000));
        const QString liste = QString::fromUtf8(unzip.readAllStandardOutput());
        EXPECT_TRUE(liste.contains("content.xml"));
        EXPECT_TRUE(liste.contains("Pictures/"));
        unzip.start("unzip", {"-p", pfad, "content.xml"});
        ASSERT_TRUE(unzip.waitForFinished(20000));
        const QString inhalt = QString::fromUtf8(unzip.readAllStandardOutput());
        const qsizetype name = inhalt.indexOf("picBILD11");
        ASSERT_GE(name, 0);
        EXPECT_GT(inhalt.indexOf("draw:image"), name) << "the picture stands below its name";
        QFile::remove(pfad);
    }
}

TEST_F(Seitenbefehle, WordReportsADocumentNoProgramCanOpen)
{
    mdiSEITE1* seite = seiteVon("KB 1");
    ASSERT_TRUE(seite);
    // The documents are counted in a temporary folder of this test's own, so
    // that other programs writing theirs into the shared one cannot disturb it.
    QTemporaryDir eigenes;
    ASSERT_TRUE(eigenes.isValid());
    const QByteArray altesTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(eigenes.path()));
    const auto zurueck = qScopeGuard([&] {
        if (altesTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", altesTmp);
    });
    ASSERT_EQ(QDir(QDir::tempPath()).canonicalPath(), QDir(eigenes.path()).canonicalPath());
    struct Fall { bool programm; bool start; };
    // No program for the type (the opener would start and find none), and a
    // start that fails.
    for (const Fall f : {Fall{false, true}, Fall{true, false}}) {
        boxen().clear();
        dienste().desktop.openable = f.programm;
        dienste().desktop.result = f.start;
        const size_t vorher = dienste().desktop.opened.size();
        const QStringList alt = QDir::temp().entryList({"KAVELOR-*.odt"});
        taste(seite, Qt::Key_W);
        ASSERT_EQ(boxen().messages().size(), 1u) << f.programm;
        const auto& box = boxen().messages()[0];
        // The document stays, and the message names it.
        const QStringList neu = QDir::temp().entryList({"KAVELOR-*.odt"});
        ASSERT_EQ(neu.size(), alt.size() + 1);
        QString datei;
        for (const QString& n : neu)
            if (!alt.contains(n))
                datei = QDir::temp().filePath(n);
        EXPECT_TRUE(box.text.contains(datei)) << box.text.toStdString();
        EXPECT_EQ(dienste().desktop.opened.size(), vorher + (f.programm ? 1 : 0));
        QFile::remove(datei);
    }
}

TEST_F(Seitenbefehle, DisplayOptionsFromThePictureRecomposeThePage)
{
    mdiSEITE1* seite = seiteVon("KB 1");
    ASSERT_TRUE(seite);
    const int vorher = seite->kompositionen();
    frmMAIN::setModalDriver([](QDialog& d) {
        auto* optionen = qobject_cast<frmKONTEXT11*>(&d);
        ASSERT_TRUE(optionen);
        optionen->optMA[4]->setChecked(true);
        optionen->cmdOK_Click();
    });
    QTest::mouseClick(seite->picBILD11, Qt::RightButton);
    frmMAIN::setModalDriver(nullptr);
    EXPECT_EQ(seite->kompositionen(), vorher + 1);
    EXPECT_FLOAT_EQ(seite->komponist().massstab(), 0.2f);
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(Seitenbefehle, PageOptionsAndPageChooserOpenBesideThePage)
{
    mdiSEITE1* seite = seiteVon("KB 1");
    ASSERT_TRUE(seite);
    // A click beside the picture: the page options of this page.
    QTest::mouseClick(seite, Qt::LeftButton, {}, QPoint(5, 5));
    frmKONTEXT* optionen = haupt().findChild<frmKONTEXT*>();
    ASSERT_TRUE(optionen);
    EXPECT_EQ(optionen->seite(), seite);
    EXPECT_FALSE(optionen->isHidden());
    // Opened again: the same dialog.
    QTest::mouseClick(seite, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(haupt().findChildren<frmKONTEXT*>().size(), 1);

    taste(seite, Qt::Key_S);
    frmANZEIGEN* wahl = haupt().findChild<frmANZEIGEN*>();
    ASSERT_TRUE(wahl);
    EXPECT_FALSE(wahl->isHidden());
    EXPECT_EQ(wahl->lblSEITEN1->text(), QStringLiteral("1"));
    EXPECT_EQ(wahl->txtSEITE->text(), QStringLiteral("1"));

    // Schließen closes both with the page.
    haupt().stbMAIN_PanelClick(15);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(seiten().isEmpty());
    EXPECT_TRUE(haupt().findChildren<frmKONTEXT*>().isEmpty());
    EXPECT_TRUE(haupt().findChildren<frmANZEIGEN*>().isEmpty());
}
