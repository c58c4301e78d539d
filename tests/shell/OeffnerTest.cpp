// Word's document handed to the desktop's own opener (a stand-in script in
// place of xdg-open): the opener decides whether the document opens, its exit
// status is reported without holding the window, and a failure names where
// the document lies.
#include "ShellFixture.h"

#include "database/SharedState.h"
#include "pages/window/mdiSEITE1.h"
#include "shell/frmMAIN.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>

namespace {

class OeffnerTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(m_werkstatt.isValid());
        // The desktop names no program for any type: an empty data and
        // configuration home, no system folders.
        const QString leer = m_werkstatt.filePath(QStringLiteral("xdg"));
        ASSERT_TRUE(QDir().mkpath(leer));
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
            m_umgebung.emplace_back(name, qgetenv(name));
            qputenv(name, QFile::encodeName(leer));
        }
        // The documents go into a folder of this test's own.
        m_umgebung.emplace_back("TMPDIR", qgetenv("TMPDIR"));
        const QString tmp = m_werkstatt.filePath(QStringLiteral("tmp"));
        ASSERT_TRUE(QDir().mkpath(tmp));
        qputenv("TMPDIR", QFile::encodeName(tmp));
    }
    void TearDown() override
    {
        for (const auto& [name, wert] : m_umgebung) {
            if (wert.isNull())
                qunsetenv(name);
            else
                qputenv(name, wert);
        }
        ShellTest::TearDown();
    }

    // A stand-in for the desktop's opener: writes its process number and its
    // argument to "aufruf", waits until "weiter" exists (at most 20 s) when
    // `warten`, and ends with `status`.
    void standIn(int status, bool warten)
    {
        const QString skript = m_werkstatt.filePath(QStringLiteral("oeffner.sh"));
        QFile f(skript);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString dir = m_werkstatt.path();
        f.write(QStringLiteral("#!/bin/sh\n"
                               "printf '%s\\n%s\\n' \"$$\" \"$1\" > '%1/aufruf.neu'\n"
                               "mv '%1/aufruf.neu' '%1/aufruf'\n")
                    .arg(dir)
                    .toUtf8());
        if (warten)
            f.write(QStringLiteral("n=0; while [ ! -e '%1/weiter' ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\n")
                        .arg(dir)
                        .toUtf8());
        f.write(QStringLiteral("exit %1\n").arg(status).toUtf8());
        f.close();
        ASSERT_TRUE(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QFile::remove(m_werkstatt.filePath(QStringLiteral("aufruf")));
        QFile::remove(m_werkstatt.filePath(QStringLiteral("weiter")));
        m_oeffner = vb::SystemDesktopOpener(skript);
    }

    // The stand-in's call: its process number and the file it was handed;
    // waits for it (the window's events go on meanwhile).
    std::pair<pid_t, QString> aufruf()
    {
        QFile f(m_werkstatt.filePath(QStringLiteral("aufruf")));
        const QDeadlineTimer frist(20000);
        while (!f.exists() && !frist.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!f.open(QIODevice::ReadOnly))
            return {0, QString()};
        const QStringList zeilen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        return {pid_t(zeilen.value(0).toInt()), zeilen.value(1)};
    }

    static bool laeuft(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH); }

    // Lets the window's events run until the stand-in has ended and its end
    // has been taken in.
    static void endeAbwarten(pid_t pid)
    {
        const QDeadlineTimer frist(20000);
        while (laeuft(pid) && !frist.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // A page-like window with one visible picture, active in the main
    // window; the documents go to the stand-in opener.
    void seiteOeffnen(frmMAIN& w)
    {
        vb::setDesktop(&m_oeffner);
        auto* seite = new QWidget;
        auto* bild = new BildFeld(2000, 1500, seite);
        bild->setObjectName(QStringLiteral("picBILD11"));
        QMdiSubWindow* fenster = w.mdiArea()->addSubWindow(seite);
        fenster->show();
        w.mdiArea()->setActiveSubWindow(fenster);
        ASSERT_EQ(w.mdiArea()->activeSubWindow(), fenster);
    }

    QStringList dokumente() const
    {
        return QDir(m_werkstatt.filePath(QStringLiteral("tmp"))).entryList({QStringLiteral("KAVELOR-*.odt")});
    }

    QTemporaryDir m_werkstatt;
    vb::SystemDesktopOpener m_oeffner;
    std::vector<std::pair<const char*, QByteArray>> m_umgebung;
};

} // namespace

TEST_F(OeffnerTest, WordHandsTheDocumentToTheOpenerEvenWhenNoDefaultProgramIsNamed)
{
    standIn(0, false);
    frmMAIN& w = start();
    seiteOeffnen(w);
    w.stbMAIN_PanelClick(13);
    const auto [pid, datei] = aufruf();
    ASSERT_GT(pid, 0) << "the opener was not started";
    endeAbwarten(pid);
    EXPECT_EQ(boxen().count(), 0) << (boxen().count() ? boxen().last().text.toStdString() : "");
    ASSERT_EQ(dokumente().size(), 1);
    EXPECT_EQ(QFileInfo(datei).fileName(), dokumente()[0]);
    EXPECT_TRUE(QFileInfo(datei).isFile());
}

// The window answers while the opener runs; its failure, when it comes,
// names the document, which stays. In both languages.
TEST_F(OeffnerTest, AnOpenerThatFailsIsReportedAfterwardsNamingWhereTheDocumentLies)
{
    const struct {
        const char* sprache;
        const char* text;
    } faelle[] = {
        {"de_DE", "Das Dokument konnte nicht geöffnet werden. Es wurde gespeichert unter:\n"},
        {"en_US", "The document could not be opened. It was saved as:\n"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.sprache);
        sprache(QString::fromLatin1(f.sprache));
        standIn(4, true);
        baue(standard(), QString::fromLatin1(f.sprache));
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        seiteOeffnen(w);
        const QStringList vorher = dokumente();
        w.stbMAIN_PanelClick(13);
        // The command has returned while the opener still runs.
        EXPECT_FALSE(vb::waitPointerShown());
        const auto [pid, datei] = aufruf();
        ASSERT_GT(pid, 0) << "the opener was not started";
        const auto weiter = qScopeGuard([&] {
            QFile(m_werkstatt.filePath(QStringLiteral("weiter"))).open(QIODevice::WriteOnly);
            endeAbwarten(pid);
        });
        EXPECT_TRUE(laeuft(pid)) << "the command waited for the opener";
        EXPECT_EQ(boxen().count(), 0) << (boxen().count() ? boxen().last().text.toStdString() : "");

        QFile(m_werkstatt.filePath(QStringLiteral("weiter"))).open(QIODevice::WriteOnly);
        endeAbwarten(pid);
        ASSERT_EQ(boxen().count(), 1);
        const QString ordner = QFileInfo(datei).absolutePath();
        EXPECT_EQ(ordner, QDir(m_werkstatt.filePath(QStringLiteral("tmp"))).absolutePath());
        EXPECT_EQ(boxen().last().text, QString::fromUtf8(f.text) + datei);
        EXPECT_EQ(boxen().last().title, QStringLiteral("Word"));
        EXPECT_TRUE(boxen().last().text.contains(ordner));
        // The document is kept.
        EXPECT_TRUE(QFileInfo(datei).isFile());
        EXPECT_EQ(dokumente().size(), vorher.size() + 1);
        boxen().clear();
    }
}
