// File operations of the writers and the error of a failed one, named after its cause.
#include "platform/Dateien.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <gtest/gtest.h>

using namespace vb;

TEST(Dateien, EachCauseHasItsNumberAndTextInTheUsersLanguage)
{
    const struct {
        int osFehler;
        int nummer;
        const char* deutsch;
        const char* englisch;
    } faelle[] = {
        {ENOENT, 76, "Pfad nicht gefunden", "Path not found"},
        {ENOTDIR, 76, "Pfad nicht gefunden", "Path not found"},
        {EACCES, 70, "Zugriff verweigert", "Permission denied"},
        {EPERM, 70, "Zugriff verweigert", "Permission denied"},
        {EROFS, 70, "Zugriff verweigert", "Permission denied"},
        {ENAMETOOLONG, 52, "Dateiname zu lang", "File name too long"},
        {ENOSPC, 61, "Datenträger voll", "Disk full"},
        {EDQUOT, 61, "Datenträger voll", "Disk full"},
        {EISDIR, 75, "Fehler beim Zugriff auf Pfad/Datei", "Path/File access error"},
        {EIO, 75, "Fehler beim Zugriff auf Pfad/Datei", "Path/File access error"},
    };
    const QString pfad = QStringLiteral("/projekte/TE 1/DXF/BK 1-1.dxf");
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.osFehler);
        {
            ScopedLocale de(QStringLiteral("de_DE"));
            const VbError e = dateisystemFehler(f.osFehler, pfad);
            EXPECT_EQ(e.number, f.nummer);
            EXPECT_EQ(e.description, QString::fromUtf8(f.deutsch) + QStringLiteral(": ") + pfad);
        }
        ScopedLocale en(QStringLiteral("en_US"));
        EXPECT_EQ(dateisystemFehler(f.osFehler, pfad).description, QString::fromUtf8(f.englisch) + QStringLiteral(": ") + pfad);
    }
}

TEST(Dateien, FolderIsCreatedWithTheFoldersAboveOrTheCauseNamed)
{
    ScopedLocale de(QStringLiteral("de_DE"));
    QTemporaryDir dir;
    const QString tief = dir.filePath(QStringLiteral("PROJEKT/TE 1/DXF"));
    ordnerAnlegen(tief);
    EXPECT_TRUE(QDir(tief).exists());
    ordnerAnlegen(tief);   // there already: nothing to do

    QFile datei(dir.filePath(QStringLiteral("datei")));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();
    const QString lang(300, QLatin1Char('x'));
    const struct {
        QString pfad;
        int nummer;
        QString text;
    } faelle[] = {
        // A file where a folder should be: the path does not lead on. The
        // message names the first folder that fails.
        {dir.filePath(QStringLiteral("datei")), 76, "Pfad nicht gefunden: " + dir.filePath(QStringLiteral("datei"))},
        {dir.filePath(QStringLiteral("datei/DXF")), 76, "Pfad nicht gefunden: " + dir.filePath(QStringLiteral("datei"))},
        {dir.filePath(lang + QStringLiteral("/DXF")), 52, "Dateiname zu lang: " + dir.filePath(lang)},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.pfad.toStdString());
        try {
            ordnerAnlegen(f.pfad);
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number, f.nummer);
            EXPECT_EQ(e.description.toStdString(), f.text.toStdString());
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{QStringLiteral("PROJEKT"), QStringLiteral("datei")}));
}
