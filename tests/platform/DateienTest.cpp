// File operations of the writers and the error of a failed one, named after its cause.
#include "platform/Dateien.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vb;

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

TEST(Dateien, NumberedNamesTakeTheFirstFreeNumberAndNoSeparatorOrControlCharacter)
{
    const struct {
        const char* kennung;
        const char* stamm;
    } faelle[] = {
        {"KB 1", "KB 1"},
        {"BK 3/26", "BK 3_26"},
        {"A\\B", "A_B"},
        {"Zeile\neins\t\x7f", "Zeile_eins__"},
        {"Brunnen 'Am Anger' ÄÖÜ", "Brunnen 'Am Anger' ÄÖÜ"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(dateiStamm(QString::fromUtf8(f.kennung)), QString::fromUtf8(f.stamm)) << f.kennung;

    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QDir dir(ordner.path());
    EXPECT_EQ(freierDateiname(ordner.path(), QStringLiteral("KB 1"), QStringLiteral(".dxf")),
              dir.filePath(QStringLiteral("KB 1-1.dxf")));
    for (const char* belegt : {"KB 1-1.dxf", "KB 1-2.dxf", "KB 1-1.pdf"}) {
        QFile f(dir.filePath(QString::fromUtf8(belegt)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(freierDateiname(ordner.path(), QStringLiteral("KB 1"), QStringLiteral(".dxf")),
              dir.filePath(QStringLiteral("KB 1-3.dxf")));
    EXPECT_EQ(freierDateiname(ordner.path(), QStringLiteral("KB 1"), QStringLiteral(".pdf")),
              dir.filePath(QStringLiteral("KB 1-2.pdf")));
}
