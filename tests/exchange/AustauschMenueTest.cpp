// Datei/Export-Import and Datei/Export-Inf.system in the main window.
#include "ShellFixture.h"

#include "database/SharedState.h"
#include "exchange/OrdnerListe.h"
#include "exchange/frmEXPIMP.h"
#include "exchange/frmEXPINF.h"
#include "shell/frmMAIN.h"

#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace {

class AustauschMenueTest : public ShellTest
{
};

TEST_F(AustauschMenueTest, ExportImportMarksTheProjectChangedOnlyOnTheDialogsAnswer)
{
    struct Fall {
        const char* name;
        bool importieren;
        bool geaendert;
    };
    for (const Fall& f : {Fall{"nur geschlossen", false, false}, Fall{"B 2 importiert", true, true}}) {
        SCOPED_TRACE(f.name);
        frmMAIN& w = start();
        // An answer left by an earlier dialog does not count.
        w.Tag() = QStringLiteral("OK");
        bool menusAus = false;
        frmMAIN::setModalDriver([&](QDialog& dlg) {
            auto* d = qobject_cast<frmEXPIMP*>(&dlg);
            ASSERT_NE(d, nullptr);
            menusAus = !frmMAIN::isMenuEnabled(w.mnuDATEI) && !frmMAIN::isMenuEnabled(w.mnuAUSWERTEN)
                       && !frmMAIN::isMenuEnabled(w.mnuEXTRAS);
            EXPECT_TRUE(w.Tag().isEmpty());
            if (f.importieren) {
                d->dirEXP->setPath(QFileInfo(pfade().frueheresProjektDb).absolutePath());
                frmEXPIMP::waehle(d->lstEXP, {QStringLiteral("B 2 (Zulaufgerinne)")});
                d->cmdIMP->click();
            }
            d->cmdSCHLIESSEN->click();
        });
        w.mnuEXPIMP_Click();
        EXPECT_TRUE(menusAus);
        EXPECT_TRUE(frmMAIN::isMenuEnabled(w.mnuDATEI));
        EXPECT_TRUE(frmMAIN::isMenuEnabled(w.mnuEXTRAS));
        EXPECT_EQ(db::sharedState().BOAENDERUNG, f.geaendert);
        EXPECT_EQ(kennungen(cnnX(), QStringLiteral("[KEN]='B 2'")).size(), f.importieren ? 1 : 0);
        // Closing asks to save exactly when the project changed.
        boxen().answerMessage(vb::vbNo);
        w.mnuBEENDEN_Click();
        EXPECT_EQ(boxen().count(), f.geaendert ? 1 : 0);
        frmMAIN::setModalDriver(nullptr);
        TearDown();
        SetUp();
    }
}

TEST_F(AustauschMenueTest, ExportInfSystemLeavesTheWorkingCopyAndTheMailboxAlone)
{
    frmMAIN& w = start();
    w.Tag() = QStringLiteral("A");
    QStringList liste;
    frmMAIN::setModalDriver([&](QDialog& dlg) {
        auto* d = qobject_cast<frmEXPINF*>(&dlg);
        ASSERT_NE(d, nullptr);
        for (int i = 0; i < d->lstPROJ->count(); ++i)
            if (d->lstPROJ->item(i)->text() == QLatin1String("KB 1"))
                d->lstPROJ->setCurrentRow(i);
        boxen().answerMessage(vb::vbYes);
        d->cmdUEBERNEHMEN->click();
        for (int i = 0; i < d->lstINF->count(); ++i)
            liste << d->lstINF->item(i)->text();
        d->cmdSCHLIESSEN->click();
    });
    w.mnuEXPINF_Click();
    EXPECT_EQ(liste, QStringList({"KB 1"}));
    EXPECT_EQ(w.Tag(), QStringLiteral("A"));
    EXPECT_FALSE(db::sharedState().BOAENDERUNG);
    auto inf = db::Connection::open(pfade().vestralin);
    EXPECT_EQ(kennungen(*inf, QStringLiteral("[ID]=2")), QStringList({"KB 1"}));
}

} // namespace
