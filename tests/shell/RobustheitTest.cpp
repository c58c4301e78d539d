// Hostile but ordinary use of the main window: odd records, a busy project
// folder, compaction next to open page windows, left-over files.
#include "ShellFixture.h"

#include "database/SharedState.h"
#include "pages/window/mdiSEITE1.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmMAIN.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <unistd.h>

namespace {
class Robustheit : public ShellTest
{
protected:
    void aktiv(const QString& ken)
    {
        cnnX().execute("UPDATE [E1] SET [AKT]=0");
        cnnX().execute("UPDATE [E1] SET [AKT]=1 WHERE [KEN]=?", {vb::Variant(ken)});
    }
    QList<mdiSEITE1*> seiten()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<mdiSEITE1*> out;
        for (QMdiSubWindow* f : m_main->mdiArea()->subWindowList())
            if (auto* s = qobject_cast<mdiSEITE1*>(f->widget()))
                out << s;
        return out;
    }
    QString boxenText()
    {
        QStringList t;
        for (const auto& m : boxen().messages())
            t << m.title + ": " + m.text;
        return t.join(" | ");
    }
};
} // namespace

// Compaction replaces the working copy while page windows are open: they
// read on from the compacted file without an error.
TEST_F(Robustheit, CompactionKeepsOpenPageWindowsWorking)
{
    frmMAIN& w = start();
    aktiv(suite::demoUebersicht().at(0).ken);
    w.mnuAUSWERTEN_Click();
    w.mnuNEUBERECHNEN_Click();
    ASSERT_EQ(seiten().size(), 1) << boxenText().toStdString();
    boxen().clear();
    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click());
    boxen().clear();
    mdiSEITE1* s = seiten().first();
    const int vorher = s->kompositionen();
    s->vscBILD11->setValue(s->vscBILD11->value() == 0 ? 500 : 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(s->kompositionen(), vorher + 1);
    EXPECT_TRUE(boxen().messages().empty()) << boxenText().toStdString();
}

// Records with Null in every field, without layers, with depths out of order
// and with long texts full of quotes and umlauts: shown in the status line,
// evaluated, scrolled to the end and closed again without a single error box.
TEST_F(Robustheit, OddRecordsAreEvaluatedAndScrolledWithoutErrors)
{
    frmMAIN& w = start();
    auto& c = cnnX();
    // Null everywhere, no layers.
    c.execute("INSERT INTO [E1] ([ID]) VALUES (100)");
    c.execute("UPDATE [E1] SET [AKT]=NULL WHERE [ID]=100");
    // No layers but a name.
    c.execute("INSERT INTO [E1] ([ID],[KEN],[KOM]) VALUES (101,'leer','')");
    // Layers not increasing.
    c.execute("INSERT INTO [E1] ([ID],[KEN],[KOM],[H],[ROK]) VALUES (102,'wirr','x',300,0.5)");
    c.execute("INSERT INTO [E2] ([ID],[I1],[TUKS],[HPTB1]) VALUES (102,0,3.0,'S'),(102,1,1.0,'U'),(102,2,1.0,'G'),(102,3,5.0,'T'),(102,4,NULL,NULL)");
    // Long, odd texts.
    const QString lang = QString::fromUtf8("Bohrung 'Ö' \"Ä\" ß ") + QString(3000, QChar(u'ü'));
    c.execute("INSERT INTO [E1] ([ID],[KEN],[KOM],[H]) VALUES (103,?,?,1e30)", {vb::Variant(lang), vb::Variant(lang)});
    c.execute("INSERT INTO [E2] ([ID],[I1],[TUKS],[HPTB1],[BEMS]) VALUES (103,0,1e6,?,?)", {vb::Variant(lang), vb::Variant(lang)});
    for (int id : {100, 101, 102, 103}) {
        SCOPED_TRACE(id);
        boxen().clear();
        c.execute("UPDATE [E1] SET [AKT]=([ID]=?)", {vb::Variant(id)});
        w.DATENSATZANZEIGE();
        w.mnuAUSWERTEN_Click();
        EXPECT_TRUE(w.mnuNEUBERECHNEN->isEnabled());
        w.mnuNEUBERECHNEN_Click();
        EXPECT_EQ(seiten().size(), 1) << boxenText().toStdString();
        if (!seiten().isEmpty()) {
            mdiSEITE1* s = seiten().first();
            s->vscBILD11->setValue(s->vscBILD11->maximum());
            s->hscBILD11->setValue(s->hscBILD11->maximum());
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(boxen().messages().empty()) << boxenText().toStdString();
        w.PANEL15();
        EXPECT_TRUE(seiten().isEmpty());
    }
}

// The compacted file cannot replace the working copy (write-protected): it is
// removed again, so the next compaction is not blocked by it.
TEST_F(Robustheit, CompactionThatCannotReplaceTheCopyLeavesNoTemporaryFile)
{
    frmMAIN& w = start();
    const QString temp = verdichtungsDatei();
    if (::geteuid() != 0 || !schreibschutz(arbeitskopie(), true))
        GTEST_SKIP() << "no write protection of a single file available";
    boxen().answerMessage(vb::vbOK);
    EXPECT_FALSE(w.mnuKOMPRIMIEREN_Click());
    schreibschutz(arbeitskopie(), false);
    EXPECT_FALSE(QFileInfo::exists(temp));
    boxen().clear();
    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click()) << boxenText().toStdString();
}

// The project folder has gone (moved away, a share not mounted): Speichern
// reports the failure, keeps the changes marked and creates no folder.
TEST_F(Robustheit, SaveIntoAVanishedProjectFolderFailsAndCreatesNothing)
{
    frmMAIN& w = start();
    db::sharedState().BOAENDERUNG = true;
    const QString weg = pfade().projekt + ".verschoben";
    ASSERT_TRUE(QDir().rename(pfade().projekt, weg));
    boxen().answerMessage(vb::vbOK);
    EXPECT_FALSE(w.mnuSPEICHERN_Click());
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: 76\n")) << boxen().last().text.toStdString();
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);
    EXPECT_FALSE(QFileInfo::exists(pfade().projekt));
}

// A very long identifier is cut in the status line: it never makes the main
// window wider than the screen.
TEST_F(Robustheit, LongIdentifierNeverWidensTheStatusLine)
{
    frmMAIN& w = start();
    QCoreApplication::processEvents();
    const QString lang = QString::fromUtf8("Bohrung 'Ö' ") + QString(600, QChar(u'ü'));
    cnnX().execute("UPDATE [E1] SET [AKT]=0");
    cnnX().execute("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (100,?,?,1)", {vb::Variant(lang), vb::Variant(lang)});
    w.DATENSATZANZEIGE();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.stbMAIN->text(6), lang);
    EXPECT_LT(w.stbMAIN->minimumSizeHint().width(), 800);
    // The command panels keep their whole caption.
    const QFontMetrics fm(w.stbMAIN->font());
    for (int i = 8; i <= 15; ++i)
        EXPECT_GE(w.stbMAIN->panel(i)->minimumSizeHint().width(), fm.horizontalAdvance(w.stbMAIN->text(i))) << i;
}

// The close box pressed while a page is being built is ignored: the build
// finishes on open connections, and closing works afterwards.
TEST_F(Robustheit, CloseBoxWhileAPageIsBuiltWaitsForIt)
{
    frmMAIN& w = start();
    aktiv(suite::demoUebersicht().at(2).ken);
    auto& st = db::sharedState();
    bool zu = false;
    auto alt = st.fortschrittHook;
    // The close box is pressed while the page is being built (the data layer
    // lets window messages through between rows).
    st.fortschrittHook = [&](int v) {
        if (alt)
            alt(v);
        if (v >= 40 && !zu) {
            zu = true;
            w.close();
        }
    };
    w.mnuAUSWERTEN_Click();
    w.mnuNEUBERECHNEN_Click();
    st.fortschrittHook = alt;
    ASSERT_TRUE(zu);
    EXPECT_TRUE(boxen().messages().empty()) << boxenText().toStdString();
    EXPECT_FALSE(w.programmBeendet());
    EXPECT_EQ(seiten().size(), 1);
    ASSERT_TRUE(st.cnnX && st.cnnX->isOpen());
    // Afterwards the close box works as always.
    boxen().answerMessage(vb::vbNo);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(QFileInfo::exists(arbeitskopie()));
}

