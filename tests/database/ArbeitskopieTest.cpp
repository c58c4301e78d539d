// Files around the working copy: the checked copy that replaces a project
// database, identities, temporary files and their clean-up, engine messages.

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/Fehlertexte.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "../common/HeissesJournal.h"
#include "../common/Schreibschutz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Overwrite one page of a database file (pages counted from 1) with bytes
// that are no b-tree page.
void seiteZerstoeren(const QString& pfad, int seite)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(qint64(seite - 1) * 4096));
    f.write(QByteArray(4096, char(0x5a)));
}

// KEN of every E1 row.
QStringList kennungen(db::Connection& c)
{
    QStringList out;
    for (auto rs = c.openRecordset("SELECT [KEN] FROM [E1]"); !rs->eof(); rs->moveNext())
        out << rs->field(0).text();
    return out;
}

QStringList dateien(const QString& ordner)
{
    return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class ArbeitskopieTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.filePath("BENUTZER"));
        QDir().mkpath(dir.filePath("PROJEKT"));
        quelle = dir.filePath("BENUTZER/KAVELOR.mdb");
        ziel = dir.filePath("PROJEKT/KAVELOR.mdb");
        db::schema::erstellen(quelle, db::schema::Datenbank::Projekt);
        db::schema::erstellen(ziel, db::schema::Datenbank::Projekt);
        cnn = db::Connection::open(quelle);
        for (int i = 1; i <= 40; ++i)
            cnn->execute("INSERT INTO [E1] ([ID],[KEN],[KOM]) VALUES (?,?,?)",
                         {vb::Variant(i), vb::Variant(QString("B %1").arg(i)), vb::Variant(QString(2000, 'k'))});
    }

    QTemporaryDir dir;
    vb::TestServices dienste{QStringLiteral("de_DE")};
    QString quelle, ziel;
    std::shared_ptr<db::Connection> cnn;
};

TEST_F(ArbeitskopieTest, CheckedCopyReplacesOnlyWithASoundCopyOfAWritableTarget)
{
    const struct {
        const char* fall;
        std::function<void(const QString& quelle, const QString& ziel)> vorbereiten;
        int fehler;   // 0: the copy is installed
        const char* text = "";   // the error's text, in the interface's language
    } faelle[] = {
        {"sound copy, source open", [](const QString&, const QString&) {}, 0},
        {"damaged page in the source",
         [](const QString& q, const QString&) { seiteZerstoeren(q, 2); }, db::kBeschaedigt,
         "Die Datenbankdatei ist beschädigt (Seite 2)"},
        {"source without the project tables",
         [](const QString& q, const QString&) {
             auto c = db::Connection::open(q);
             c->execute("DROP TABLE [E2]");
         },
         db::kBeschaedigt, "Die Datenbankdatei ist beschädigt: es fehlen die Tabellen E2"},
        {"write-protected target in a writable folder",
         [](const QString&, const QString& z) { ::chmod(QFile::encodeName(z).constData(), 0444); },
         vb::err::PermissionDenied},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const QString q = dir.filePath(QString("BENUTZER/q%1.mdb").arg(n));
        const QString z = dir.filePath(QString("PROJEKT/z%1.mdb").arg(n++));
        db::copyDatabase(quelle, q);
        db::schema::erstellen(z, db::schema::Datenbank::Projekt);
        auto offen = db::Connection::open(q);   // the program keeps its working copy open
        f.vorbereiten(q, z);
        const QByteArray vorher = inhalt(z);
        const QStringList ordner = dateien(dir.filePath("PROJEKT"));
        try {
            db::Zwischenkopie kopie(q, z);
            kopie.einsetzen();
            EXPECT_EQ(f.fehler, 0);
            EXPECT_EQ(inhalt(z), inhalt(q));
        } catch (const vb::VbError& e) {
            EXPECT_EQ(e.number, f.fehler) << e.description.toStdString();
            if (*f.text) {
                EXPECT_EQ(e.description, QString::fromUtf8(f.text)) << e.description.toStdString();
            }
            EXPECT_EQ(inhalt(z), vorher);
        }
        EXPECT_EQ(dateien(dir.filePath("PROJEKT")), ordner);
        ::chmod(QFile::encodeName(z).constData(), 0644);
    }
}

// A writer killed in mid-transaction leaves a hot journal. Every way the
// program opens a database finds the committed state: the last committed
// record is there, the unfinished change is not, and the journal is gone.
TEST_F(ArbeitskopieTest, InterruptedWriteIsRolledBackByEveryOpening)
{
    const struct {
        const char* fall;
        std::function<QStringList(const QString& pfad)> oeffnen;   // the KEN of E1 afterwards
    } faelle[] = {
        {"connection", [](const QString& p) { return kennungen(*db::Connection::open(p)); }},
        {"copy",
         [this](const QString& p) {
             const QString kopie = dir.filePath("BENUTZER/kopie.mdb");
             db::copyDatabase(p, kopie);
             return kennungen(*db::Connection::open(kopie));
         }},
        {"check", [](const QString& p) {
             db::pruefeDatenbank(p);
             return kennungen(*db::Connection::open(p));
         }},
        {"project tables", [](const QString& p) {
             EXPECT_TRUE(db::fehlendeProjekttabellen(p).isEmpty());
             return kennungen(*db::Connection::open(p));
         }},
        {"checked copy", [this](const QString& p) {
             db::Zwischenkopie kopie(p, dir.filePath("PROJEKT/neu.mdb"));
             kopie.einsetzen();
             return kennungen(*db::Connection::open(dir.filePath("PROJEKT/neu.mdb")));
         }},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const QString p = dir.filePath(QString("BENUTZER/h%1.mdb").arg(n++));
        db::copyDatabase(quelle, p);
        testhilfe::heissesJournal(p, "INSERT INTO [E1] ([ID],[KEN]) VALUES (90,'GESICHERT')",
                                  "UPDATE [E1] SET [KEN]='UNFERTIG' WHERE [ID]=1; DELETE FROM [E1] WHERE [ID]=2",
                                  "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'");
        const QStringList ken = f.oeffnen(p);
        EXPECT_TRUE(ken.contains("GESICHERT"));
        EXPECT_TRUE(ken.contains("B 1"));
        EXPECT_TRUE(ken.contains("B 2"));
        EXPECT_FALSE(ken.contains("UNFERTIG"));
        EXPECT_EQ(ken.size(), 41);
        EXPECT_FALSE(QFileInfo::exists(p + "-journal"));
    }
}

// A database replaced by a copy loses the journal of its old contents: left
// beside the new file, the next opening would play the old pages back into it.
TEST_F(ArbeitskopieTest, ReplacedDatabaseTakesNoJournalOfTheOldContents)
{
    const QString p = dir.filePath("PROJEKT/ersetzt.mdb");
    db::copyDatabase(ziel, p);
    testhilfe::heissesJournal(p, "INSERT INTO [E1] ([ID],[KEN]) VALUES (90,'ALT')",
                              "UPDATE [E1] SET [KEN]='UNFERTIG' WHERE [ID]=90", "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'");
    const QStringList erwartet = kennungen(*cnn);
    cnn.reset();
    for (const auto& ersetzen : std::vector<std::function<void()>>{
             [&] { db::copyDatabase(quelle, p); },
             [&] { db::Zwischenkopie(quelle, p).einsetzen(); },
         }) {
        ersetzen();
        EXPECT_FALSE(QFileInfo::exists(p + "-journal"));
        EXPECT_NO_THROW(db::pruefeDatenbank(p));
        EXPECT_EQ(kennungen(*db::Connection::open(p)), erwartet);
        // Again with a hot journal of the old contents beside it.
        QFile::remove(p);
        db::copyDatabase(ziel, p);
        testhilfe::heissesJournal(p, "INSERT INTO [E1] ([ID],[KEN]) VALUES (90,'ALT')",
                                  "UPDATE [E1] SET [KEN]='UNFERTIG' WHERE [ID]=90",
                                  "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'");
    }
}

// Where the user may not write the file or its folder, an interrupted write
// cannot be rolled back: every opening refuses with a text that names the
// file and the cause, and nothing is changed.
TEST_F(ArbeitskopieTest, InterruptedWriteInAFileTheUserMayNotWriteIsLeftAlone)
{
    const QString ordner = dir.filePath("GESCHUETZT");
    QDir().mkpath(ordner);
    const QString p = ordner + "/KAVELOR.mdb";
    db::copyDatabase(quelle, p);
    testhilfe::heissesJournal(p, "INSERT INTO [E1] ([ID],[KEN]) VALUES (90,'GESICHERT')",
                              "UPDATE [E1] SET [KEN]='UNFERTIG' WHERE [ID]=1", "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'");
    const QByteArray datei = inhalt(p), journal = inhalt(p + "-journal");
    if (!schreibschutz(ordner, true))
        GTEST_SKIP() << "no write protection available";
    const std::function<void()> oeffnungen[] = {
        [&] { db::Connection::open(p); },
        [&] { db::copyDatabase(p, dir.filePath("BENUTZER/kopie.mdb")); },
        [&] { db::pruefeDatenbank(p); },
        [&] { db::fehlendeProjekttabellen(p); },
    };
    for (const char* sprache : {"de_DE", "en_US"}) {
        vb::setLocale(QString::fromLatin1(sprache));
        for (const auto& oeffnen : oeffnungen) {
            try {
                oeffnen();
                ADD_FAILURE() << "opened";
            } catch (const vb::VbError& e) {
                EXPECT_EQ(e.number, vb::err::PermissionDenied);
                const QString erwartet =
                    sprache[0] == 'd'
                        ? "Das Schreiben in die Datenbank " + p + " wurde unterbrochen.\r\nNur ein Benutzer, der "
                              "die Datei und ihren Ordner " + ordner + " schreiben darf, kann es zurücknehmen."
                        : "Writing to the database " + p + " was interrupted.\r\nOnly a user who may write the "
                              "file and its folder " + ordner + " can undo it.";
                EXPECT_EQ(e.description, erwartet);
            }
        }
    }
    vb::setLocale("de_DE");
    schreibschutz(ordner, false);
    EXPECT_EQ(inhalt(p), datei);
    EXPECT_EQ(inhalt(p + "-journal"), journal);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("BENUTZER/kopie.mdb")));
    // Once the user may write there, the next opening rolls it back.
    EXPECT_TRUE(kennungen(*db::Connection::open(p)).contains("GESICHERT"));
    EXPECT_FALSE(QFileInfo::exists(p + "-journal"));
}

TEST_F(ArbeitskopieTest, CopyIsConsistentWhileAnotherConnectionWrites)
{
    // A write that waits on the copy's read lock lands after it: the copy
    // holds every committed row and passes the check.
    db::Zwischenkopie kopie(quelle, ziel);
    cnn->execute("INSERT INTO [E1] ([ID],[KEN]) VALUES (99,'DANACH')");
    kopie.einsetzen();
    auto c = db::Connection::open(ziel);
    auto rs = c->openRecordset("SELECT COUNT(*) FROM [E1]");
    EXPECT_EQ(int(rs->field(0).number()), 40);
}

TEST_F(ArbeitskopieTest, KilledSaveLeavesTheProjectIntactAndItsLitterIsRemovedLater)
{
    // Large enough that a save takes a while.
    cnn->execute("CREATE TABLE [BALLAST] ([X] TEXT)");
    {
        db::Connection::Transaction tx(*cnn);
        for (int i = 0; i < 300; ++i)
            cnn->execute("INSERT INTO [BALLAST] ([X]) VALUES (?)", {vb::Variant(QString(100000, 'x'))});
        tx.commit();
    }
    const QString projekt = dir.filePath("PROJEKT");
    std::mt19937 zufall(7);
    int getroffen = 0;
    for (int runde = 0; runde < 12; ++runde) {
        SCOPED_TRACE(runde);
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            for (;;) {
                try {
                    db::Zwischenkopie kopie(quelle, ziel);
                    kopie.einsetzen();
                } catch (...) {
                }
            }
        }
        ::usleep(std::uniform_int_distribution<int>(1000, 120000)(zufall));
        ::kill(kind, SIGKILL);
        int status = 0;
        ::waitpid(kind, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        // The project database opens and passes the check, whatever moment
        // the writer was stopped at.
        EXPECT_NO_THROW(db::pruefeDatenbank(ziel));
        const QStringList rest = db::aufraeumen(projekt);
        getroffen += rest.isEmpty() ? 0 : 1;
        EXPECT_EQ(dateien(projekt), QStringList{"KAVELOR.mdb"});
    }
    // Most kills hit a copy in progress.
    EXPECT_GT(getroffen, 0);
}

TEST_F(ArbeitskopieTest, CleanUpRemovesOnlyThisUsersFilesOfProcessesThatHaveEnded)
{
    const pid_t tot = ::fork();
    if (tot == 0)
        ::_exit(0);
    ::waitpid(tot, nullptr, 0);
    const QString ich = vb::userName();
    const QString rechner = QSysInfo::machineHostName();
    const QString lebt = QString::number(::getppid());
    const QString weg = QString::number(tot);
    const struct {
        QString name;
        bool entfernt;
    } faelle[] = {
        {".KAVELOR.mdb~" + ich + "~" + rechner + "~" + weg + "~1.tmp", true},
        {".KAVELOR.mdb~" + ich + "~" + rechner + "~" + weg + "~1.tmp-journal", true},
        {".KAVELOR.mdb~" + ich + "~" + rechner + "~" + lebt + "~1.tmp", false},
        {".KAVELOR.mdb~ANDERER~" + rechner + "~" + weg + "~1.tmp", false},
        {".KAVELOR.mdb~" + ich + "~anderer-rechner~" + weg + "~1.tmp", false},
        {".KAVELOR.mdb.Xy12Ab", false},
        {"KAVELOR.mdb", false},
    };
    const QString ordner = dir.filePath("PROJEKT");
    for (const auto& f : faelle) {
        QFile d(ordner + "/" + f.name);
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    }
    db::aufraeumen(ordner);
    for (const auto& f : faelle)
        EXPECT_EQ(!QFileInfo::exists(ordner + "/" + f.name), f.entfernt) << f.name.toStdString();

    // A temporary file made now follows the same pattern and stays while
    // its process runs.
    const QString neu = db::temporaereDatei(ziel);
    EXPECT_TRUE(QFileInfo(neu).fileName().startsWith(".KAVELOR.mdb~" + ich + "~"));
    db::aufraeumen(ordner);
    EXPECT_TRUE(QFileInfo::exists(neu));
}

TEST_F(ArbeitskopieTest, IdentityTravelsWithTheCopyAndAnySaveChangesTheStand)
{
    EXPECT_FALSE(db::leseHerkunft(quelle));
    const db::Dateistand vorher = db::dateistand(ziel);
    ASSERT_TRUE(vorher.vorhanden());
    db::schreibeHerkunft(quelle, {dir.path(), "TE 1", ziel, vorher, {}});
    const auto h = db::leseHerkunft(quelle);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->projekt, "TE 1");
    EXPECT_TRUE(db::gleicherPfad(h->datenbank, dir.filePath("PROJEKT/../PROJEKT/KAVELOR.mdb")));
    EXPECT_EQ(h->stand, vorher);

    // A save by anybody puts a new file in place: a new stand, even with
    // the same size.
    db::copyDatabase(ziel, dir.filePath("x.mdb"));
    db::copyDatabase(dir.filePath("x.mdb"), ziel);
    EXPECT_NE(db::dateistand(ziel), vorher);

    // An identity cut short says nothing.
    {
        QFile f(db::herkunftsDatei(quelle));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("projektspfad=/x\nprojekt=");
    }
    EXPECT_FALSE(db::leseHerkunft(quelle));

    // Put aside: copy, journal and identity move together under the project's name.
    db::schreibeHerkunft(quelle, {dir.path(), "TE/2", ziel, vorher, {}});
    cnn->close();
    QFile(quelle + "-journal").open(QIODevice::WriteOnly);
    const QString neu = db::beiseitelegen(quelle, "TE/2");
    EXPECT_TRUE(QFileInfo(neu).fileName().startsWith("KAVELOR_TE_2_"));
    EXPECT_FALSE(QFileInfo::exists(quelle));
    EXPECT_FALSE(QFileInfo::exists(quelle + "-journal"));
    EXPECT_FALSE(QFileInfo::exists(db::herkunftsDatei(quelle)));
    EXPECT_TRUE(QFileInfo::exists(neu + "-journal"));
    ASSERT_TRUE(db::leseHerkunft(neu));
    EXPECT_EQ(db::leseHerkunft(neu)->projekt, "TE/2");
}

TEST_F(ArbeitskopieTest, ProjectTablesOfAFile)
{
    const QString leer = dir.filePath("leer.mdb");
    QFile(leer).open(QIODevice::WriteOnly);   // zero length
    EXPECT_EQ(db::fehlendeProjekttabellen(leer), db::schema::tabellen(db::schema::Datenbank::Projekt));
    EXPECT_TRUE(db::fehlendeProjekttabellen(ziel).isEmpty());
    const QString text = dir.filePath("text.mdb");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'T'));
    }
    try {
        db::fehlendeProjekttabellen(text);
        ADD_FAILURE() << "a text file passed as a database";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, SQLITE_NOTADB);
        EXPECT_TRUE(e.description.startsWith("Die Datei ist keine Datenbank")) << e.description.toStdString();
    }
}

TEST(Fehlertexte, CommonEngineErrorsSpeakTheInterfaceLanguage)
{
    const struct {
        int rc;
        const char* deutsch;
        const char* englisch;
        const char* original = "no such table: X";   // the engine's own text
    } faelle[] = {
        {SQLITE_FULL, "Der Datenträger ist voll", "The disk is full"},
        {SQLITE_NOTADB, "Die Datei ist keine Datenbank", "The file is not a database"},
        {SQLITE_READONLY, "Die Datenbank ist schreibgeschützt", "The database is read-only"},
        {SQLITE_READONLY_DBMOVED, "Die Datenbank ist schreibgeschützt", "The database is read-only"},
        {SQLITE_BUSY, "Die Datenbank ist von einem anderen Benutzer gesperrt", "The database is locked by another user"},
        {SQLITE_PERM, "Zugriff verweigert", "Access permission denied"},
        {SQLITE_CANTOPEN, "Die Datenbankdatei kann nicht geöffnet werden", "The database file cannot be opened"},
        // A read-only database says why, where the cause is known.
        {SQLITE_READONLY_ROLLBACK, "Ein unterbrochener Schreibvorgang in der Datenbank muss erst zurückgenommen werden",
         "An interrupted write to the database must be undone first"},
        {SQLITE_READONLY_DIRECTORY, "Der Ordner der Datenbank darf nicht beschrieben werden",
         "The folder of the database may not be written"},
        {SQLITE_NOMEM, "Nicht genügend Arbeitsspeicher", "Out of memory"},
        {SQLITE_TOOBIG, "Ein Wert ist zu groß für die Datenbank", "A value is too large for the database"},
        // Errors that name their detail keep it inside our text.
        {SQLITE_ERROR, "Die Datenbank enthält keine Tabelle ADMIN", "The database has no table ADMIN",
         "no such table: ADMIN"},
        {SQLITE_ERROR, "Die Datenbank enthält keine Spalte KEN", "The database has no column KEN",
         "no such column: KEN"},
        {SQLITE_ERROR, "Die Tabelle E1 hat keine Spalte XY", "The table E1 has no column XY",
         "table E1 has no column named XY"},
        // A fault of the program's own SQL keeps the engine's text.
        {SQLITE_ERROR, "near \"SELEKT\": syntax error", "near \"SELEKT\": syntax error",
         "near \"SELEKT\": syntax error"},
    };
    for (const char* sprache : {"de_DE", "en_US"}) {
        vb::TestServices dienste{QString::fromLatin1(sprache)};
        for (const auto& f : faelle) {
            const char* erwartet = sprache[0] == 'd' ? f.deutsch : f.englisch;
            EXPECT_EQ(db::engineMessage(f.rc, QString::fromUtf8(f.original)), QString::fromUtf8(erwartet))
                << sprache << f.rc;
        }
    }
    // Through a connection: the number stays the engine's, the text is ours.
    QTemporaryDir dir;
    vb::TestServices dienste{QStringLiteral("de_DE")};
    const QString text = dir.filePath("text.mdb");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'T'));
    }
    try {
        db::Connection::open(text);
        ADD_FAILURE();
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, SQLITE_NOTADB);
        EXPECT_TRUE(e.description.startsWith("Die Datei ist keine Datenbank (")) << e.description.toStdString();
    }
    // A database without the table a query names (an archive without its
    // hand-over table).
    const QString archiv = dir.filePath("ARCHIV.mdb");
    db::schema::erstellen(archiv, db::schema::Datenbank::Projekt);
    try {
        db::Connection::open(archiv)->openRecordset("SELECT * FROM [ADMIN] WHERE [BENUTZER]=?", {vb::Variant("X")});
        ADD_FAILURE();
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, SQLITE_ERROR);
        EXPECT_TRUE(e.description.startsWith("Die Datenbank enthält keine Tabelle ADMIN")) << e.description.toStdString();
    }
}

TEST(Entwicklungsmodus, OnlyAFolderNamedSourceCounts)
{
    const struct {
        const char* ordner;
        bool entwicklung;
    } faelle[] = {
        {"/home/a/source/KAVELOR", true},
        {"/home/a/Source/KAVELOR", true},
        {"/home/a/SOURCE", true},
        {"C:\\Work\\SOURCE\\Bin", true},
        {"/usr/share/resources/KAVELOR", false},
        {"/opt/opensource/KAVELOR", false},
        {"/opt/sources/KAVELOR", false},
        {"/opt/KAVELOR", false},
    };
    for (const auto& f : faelle) {
        vb::TestServices dienste{QStringLiteral("de_DE"), QString::fromLatin1(f.ordner)};
        EXPECT_EQ(db::sharedState().entwicklungsmodus(), f.entwicklung) << f.ordner;
    }
}

} // namespace
