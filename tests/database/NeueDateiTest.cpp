// Files written whole: a failure or a kill at any moment leaves the earlier
// file as it was, or the new one complete; never a short file, and what a
// killed writer left beside it goes with the next write.

#include "../common/Abbruch.h"
#include "database/NeueDatei.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(NeueDatei, AFailedWriteNamesItsCauseAndLeavesTheEarlierFile)
{
    vb::ScopedLocale de(QStringLiteral("de_DE"));
    QTemporaryDir dir;
    const QString frueher = dir.filePath(QStringLiteral("frueher.dxf"));
    const QString geschuetzt = dir.filePath(QStringLiteral("geschuetzt.dxf"));
    db::schreibeDatei(frueher, "alt");
    db::schreibeDatei(geschuetzt, "alt");
    ASSERT_EQ(::chmod(QFile::encodeName(geschuetzt).constData(), 0444), 0);
    QDir(dir.path()).mkdir(QStringLiteral("ordner.dxf"));
    const QString zuLang = dir.filePath(QString(300, QLatin1Char('n')) + QStringLiteral(".dxf"));
    const QString fehlt = dir.filePath(QStringLiteral("fehlt/a.dxf"));
    const QString ordner = dir.filePath(QStringLiteral("ordner.dxf"));
    const struct {
        QString ziel;
        int nummer;      // 0: written
        QString text;
    } faelle[] = {
        // The name of the temporary file would be too long; the target's own is not.
        {dir.filePath(QString(240, QLatin1Char('m')) + QStringLiteral(".dxf")), 0, QString()},
        {frueher, 0, QString()},
        {zuLang, 52, QStringLiteral("Dateiname zu lang: ") + zuLang},
        {fehlt, 76, QStringLiteral("Pfad nicht gefunden: ") + fehlt},
        {geschuetzt, 70, QStringLiteral("Zugriff verweigert: ") + geschuetzt},
        {ordner, 75, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei: ") + ordner},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.ziel.toStdString());
        const QByteArray vorher = inhalt(f.ziel);
        const QStringList ordnerVorher = dateien(dir.path());
        try {
            db::schreibeDatei(f.ziel, "neu");
            EXPECT_EQ(f.nummer, 0);
            EXPECT_EQ(inhalt(f.ziel), QByteArray("neu"));
        } catch (const vb::VbError& e) {
            EXPECT_EQ(e.number, f.nummer);
            EXPECT_EQ(e.description.toStdString(), f.text.toStdString());
            EXPECT_EQ(inhalt(f.ziel), vorher);
            EXPECT_EQ(dateien(dir.path()), ordnerVorher);
        }
    }
}
