// Files written whole: a failure or a kill at any moment leaves the earlier
// file as it was, or the new one complete; never a short file, and what a
// killed writer left beside it goes with the next write.

#include "../common/Abbruch.h"
#include "../common/Schreibschutz.h"
#include "database/NeueDatei.h"
#include "platform/Dateien.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList dateien(const QString& ordner)
{
    return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A picture-sized file whose every byte tells which of two contents it is.
QByteArray muster(char zeichen) { return QByteArray(6 << 20, zeichen); }

} // namespace

TEST(NeueDatei, KilledWriterLeavesTheEarlierFileOrTheNewOneWholeAndItsLitterGoesNext)
{
    QTemporaryDir dir;
    const QString ziel = dir.filePath(QStringLiteral("BK 1-1.bmp"));
    const QByteArray a = muster('a');
    const QByteArray b = muster('b');
    db::schreibeDatei(ziel, a);
    int getroffen = 0;
    for (int runde = 0; runde < 12; ++runde) {
        SCOPED_TRACE(runde);
        int i = 0;
        getroffen += toetenBeimSchreiben(dir.path(), [&] { db::schreibeDatei(ziel, ++i % 2 ? b : a); }, runde * 300)
                         ? 1
                         : 0;
        const QByteArray jetzt = inhalt(ziel);
        EXPECT_TRUE(jetzt == a || jetzt == b) << "a file of " << jetzt.size() << " bytes";
    }
    // The kills hit writes in progress; the next write takes what they left.
    EXPECT_GT(getroffen, 0);
    db::schreibeDatei(ziel, a);
    EXPECT_EQ(dateien(dir.path()), QStringList{QStringLiteral("BK 1-1.bmp")});
    EXPECT_EQ(inhalt(ziel), a);
}

// What the user reads when the system refuses a write: the cause, in the
// user's language, with the file named; the earlier file stays and nothing
// is left beside it. Each refusal is a real one of the file system.
TEST(NeueDatei, AFailedWriteNamesItsCauseInTheUsersLanguageAndLeavesTheEarlierFile)
{
    QTemporaryDir dir;
    const QString frueher = dir.filePath(QStringLiteral("frueher.dxf"));
    const QString geschuetzt = dir.filePath(QStringLiteral("geschuetzt.dxf"));
    db::schreibeDatei(frueher, "alt");
    db::schreibeDatei(geschuetzt, "alt");
    ASSERT_EQ(::chmod(QFile::encodeName(geschuetzt).constData(), 0444), 0);
    QDir(dir.path()).mkdir(QStringLiteral("ordner.dxf"));
    // A folder the user may not write (for root too: the immutable flag).
    const QString schreibgeschuetzt = dir.filePath(QStringLiteral("SCHREIBGESCHUETZT"));
    ASSERT_TRUE(QDir().mkpath(schreibgeschuetzt));
    db::schreibeDatei(schreibgeschuetzt + QStringLiteral("/BK 1-1.bmp"), "alt");
    const bool ordnerGeschuetzt = schreibschutz(schreibgeschuetzt, true);
    const auto schutzWeg = qScopeGuard([&] { schreibschutz(schreibgeschuetzt, false); });
    const QString zuLang = dir.filePath(QString(300, QLatin1Char('n')) + QStringLiteral(".dxf"));
    const QString fehlt = dir.filePath(QStringLiteral("fehlt/a.pdf"));
    const QString ordner = dir.filePath(QStringLiteral("ordner.dxf"));
    const char* const zugriff[] = {"Zugriff verweigert", "Permission denied"};
    const struct {
        QString ziel;
        int nummer;                 // 0: written
        const char* text[2];        // German, English
    } faelle[] = {
        // The name of the temporary file would be too long; the target's own is not.
        {dir.filePath(QString(240, QLatin1Char('m')) + QStringLiteral(".dxf")), 0, {}},
        {frueher, 0, {}},
        {zuLang, 52, {"Dateiname zu lang", "File name too long"}},
        {fehlt, 76, {"Pfad nicht gefunden", "Path not found"}},
        {geschuetzt, 70, {zugriff[0], zugriff[1]}},
        {schreibgeschuetzt + QStringLiteral("/BK 1-1.bmp"), 70, {zugriff[0], zugriff[1]}},
        {schreibgeschuetzt + QStringLiteral("/BK 1-2.bmp"), 70, {zugriff[0], zugriff[1]}},
        {ordner, 75, {"Fehler beim Zugriff auf Pfad/Datei", "Path/File access error"}},
    };
    for (const int sprache : {0, 1}) {
        vb::ScopedLocale locale(QString::fromLatin1(sprache == 0 ? "de_DE" : "en_US"));
        for (const auto& f : faelle) {
            SCOPED_TRACE(f.ziel.toStdString() + (sprache == 0 ? " de" : " en"));
            if (f.ziel.startsWith(schreibgeschuetzt) && !ordnerGeschuetzt) {
                ADD_FAILURE() << "no write protection for the folder";
                continue;
            }
            const QByteArray vorher = inhalt(f.ziel);
            const QStringList ordnerVorher = dateien(QFileInfo(f.ziel).absolutePath());
            try {
                db::schreibeDatei(f.ziel, "neu");
                EXPECT_EQ(f.nummer, 0);
                EXPECT_EQ(inhalt(f.ziel), QByteArray("neu"));
            } catch (const vb::VbError& e) {
                EXPECT_EQ(e.number, f.nummer);
                EXPECT_EQ(e.description.toStdString(),
                          (QString::fromUtf8(f.text[sprache]) + QStringLiteral(": ") + f.ziel).toStdString());
                EXPECT_EQ(inhalt(f.ziel), vorher);
                EXPECT_EQ(dateien(QFileInfo(f.ziel).absolutePath()), ordnerVorher);
            }
        }
        // A full disk: the device that refuses every write as a full disk
        // does, written through the writers' loop.
        const int voll = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        if (voll < 0) {
            ADD_FAILURE() << "no /dev/full";
            continue;
        }
        const QString ziel = dir.filePath(QStringLiteral("BK 1-1.pdf"));
        try {
            vb::schreibeAlles(voll, "neu", 3, ziel);
            ADD_FAILURE() << "written to a full disk";
        } catch (const vb::VbError& e) {
            EXPECT_EQ(e.number, 61);
            EXPECT_EQ(e.description.toStdString(),
                      (QString::fromUtf8(sprache == 0 ? "Datenträger voll" : "Disk full") + QStringLiteral(": ") + ziel)
                          .toStdString());
        }
        ::close(voll);
    }
}

// Only a database has a journal beside it: a file named "<target>-journal"
// beside a page, a drawing or a picture belongs to someone else and stays,
// whether the target is new or replaced.
TEST(NeueDatei, AJournalNamedAfterAUserFileIsLeftAlone)
{
    QTemporaryDir dir;
    for (const char* name : {"BK 1-1.pdf", "BK 1-1.dxf", "BK 1-1.bmp"}) {
        SCOPED_TRACE(name);
        const QString ziel = dir.filePath(QString::fromUtf8(name));
        const QString fremd = ziel + QStringLiteral("-journal");
        QFile f(fremd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("fremd");
        f.close();
        db::schreibeDatei(ziel, "neu");    // a new target
        db::schreibeDatei(ziel, "neuer");  // the target replaced
        EXPECT_EQ(inhalt(ziel), QByteArray("neuer"));
        EXPECT_EQ(inhalt(fremd), QByteArray("fremd"));
    }
}
