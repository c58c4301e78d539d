// The Auswerten menu of the main window and the command that closes the page
// windows again.
//
// A record's evaluation state lives in table A1 (ID, BONEU): BONEU True means
// its page has to be built anew, False that it was built since the last
// reset. Neuberechnen resets it, writes the default display options, builds
// the page window from fresh view settings and marks the state as built;
// Berechnen shows the page window again with the view settings stored.
#include "shell/frmMAIN.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "pages/clsBERECHNEN.h"
#include "pages/window/frmKONTEXT.h"
#include "pages/window/frmKONTEXT11.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "shell/StatusPanelBar.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <optional>
#include <utility>
#include <vector>

namespace {

// True while panel 15 closes the page windows itself.
bool seitenSchliessenLaeuft = false;

// The page window reaches the main window's commands through these hooks.
void seitenAnbindung(frmMAIN* haupt)
{
    QPointer<frmMAIN> h = haupt;
    auto& a = mdiSEITE1::anbindung();
    a.panelClick = [h](int panel) {
        if (h)
            h->stbMAIN_PanelClick(panel);
    };
    a.beenden = [h] {
        if (h)
            h->mnuBEENDEN_Click();
    };
    a.panelSichtbar = [h](int panel, bool sichtbar) {
        if (h)
            h->stbMAIN->setPanelVisible(panel, sichtbar);
    };
    a.hilfe = [h] {
        if (h)
            h->mnuHILFE_Click();
    };
    a.anzeigeOptionen = [h](mdiSEITE1&) {
        if (!h)
            return;
        frmKONTEXT11 optionen(h);
        optionen.Form_Load();
        frmMAIN::showModal(optionen);
    };
    a.seitenOptionen = [h](mdiSEITE1& seite) {
        if (h)
            frmKONTEXT::zeigen(seite, h);
    };
    // A page window lives until panel 15 closes the page windows: one closed
    // by its own close box takes the others with it and brings back the start
    // screen, instead of leaving them behind it. Queued, so the closing window
    // has gone first; not once the main window is unloading.
    a.geschlossen = [h] {
        if (!h || seitenSchliessenLaeuft)
            return;
        QTimer::singleShot(0, h, [h] {
            if (h && h->autostartFenster())
                h->PANEL15();
        });
    };
}

// Loads a new page window into the inner area without showing it. A window
// whose load step fails is discarded and the error passed on.
QPointer<mdiSEITE1> seiteLaden(frmMAIN* haupt)
{
    seitenAnbindung(haupt);
    auto* seite = new mdiSEITE1;
    QMdiSubWindow* fenster = haupt->mdiArea()->addSubWindow(seite);
    fenster->setAttribute(Qt::WA_DeleteOnClose);
    fenster->setObjectName(QStringLiteral("mdiSEITE1_Fenster"));
    QPointer<mdiSEITE1> zeiger = seite;
    QObject::connect(fenster, &QMdiSubWindow::windowStateChanged, seite,
                     [zeiger](Qt::WindowStates alt, Qt::WindowStates neu) {
                         if (zeiger && (neu & Qt::WindowActive) && !(alt & Qt::WindowActive))
                             zeiger->Form_Activate();
                     });
    try {
        seite->Form_Load();
    } catch (...) {
        fenster->hide();
        fenster->deleteLater();
        seite->hide();
        throw;
    }
    return zeiger;
}

void seiteZeigen(frmMAIN* haupt, mdiSEITE1* seite)
{
    if (!seite)
        return;
    auto* fenster = qobject_cast<QMdiSubWindow*>(seite->parentWidget());
    if (fenster) {
        fenster->showMaximized();
        haupt->mdiArea()->setActiveSubWindow(fenster);
    }
    seite->show();
    seite->setFocus();
}

void seitenPanelsZeigen(frmMAIN* haupt)
{
    for (int i = 10; i <= 15; ++i) {
        haupt->stbMAIN->setPanelVisible(i, true);
        haupt->stbMAIN->setBevel(i, StatusPanel::Bevel::Raised);
    }
}

// Holds the main window while a page window is built: the window takes no
// input, and is released again however the command ends. Enabling a window
// again enables every menu of its menu bar too, so the menus get back the
// state they had (the Datei menu stays disabled while page windows are open).
class Halt
{
public:
    explicit Halt(frmMAIN* haupt) : m_haupt(haupt) {}
    ~Halt() { freigeben(); }
    Halt(const Halt&) = delete;
    Halt& operator=(const Halt&) = delete;

    void halten()
    {
        if (m_menues || !m_haupt)
            return;
        m_menues.emplace();
        for (QAction* a : m_haupt->menuBar()->actions())
            m_menues->emplace_back(a, a->isEnabled());
        m_haupt->setEnabled(false);
    }
    void freigeben()
    {
        if (!m_menues || !m_haupt)
            return;
        const Menues menues = std::move(*m_menues);
        m_menues.reset();
        m_haupt->setEnabled(true);
        for (const auto& [aktion, an] : menues)
            if (aktion)
                aktion->setEnabled(an);
    }

private:
    using Menues = std::vector<std::pair<QPointer<QAction>, bool>>;
    QPointer<frmMAIN> m_haupt;
    // The menus' states from when the window was held; none while it is free.
    std::optional<Menues> m_menues;
};

// The progress bar at 100 for a moment, then hidden and back to 0.
void fortschrittAbschliessen(db::SharedState& st)
{
    st.setFortschritt(100);
    st.nachrichtenLaufenLassen();
    vb::Sleep(1500);
    st.setFortschrittSichtbar(false);
    st.setFortschritt(0);
}

} // namespace

void frmMAIN::mnuAUSWERTEN_Click()
{
    auto& st = state();
    int n = 0;
    int32_t id = 0;
    vb::StepRunner op(caption(mnuAUSWERTEN->menuAction()), vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([] { vb::showWaitPointer(); });
    op.step([&] {
        auto rs = st.verbindung().openRecordset(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true"));
        if (!rs->eof()) {
            rs->moveLast();
            n = rs->recordCount();
            if (n == 1)
                id = int32_t(rs->field(QStringLiteral("ID")).number());
        }
        rs->close();
    });
    op.step([&] {
        if (n == 0) {
            for (QAction* a : {mnuBERECHNEN, mnuNEUBERECHNEN, mnuEINGABEGRAFIK, mnuMBERECHNEN, mnuFBERECHNEN})
                a->setEnabled(false);
        } else if (n == 1) {
            auto rs = st.verbindung().openRecordset(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=?"),
                                             {vb::Variant::lng(id)});
            if (rs->eof()) {
                rs->addNew();
                rs->setField(QStringLiteral("ID"), vb::Variant::lng(id));
                rs->setField(QStringLiteral("BONEU"), vb::Variant(true));
                rs->update();
            }
            if (rs->field(QStringLiteral("BONEU")).number() != 0) {
                mnuBERECHNEN->setEnabled(false);
                mnuFBERECHNEN->setEnabled(false);
            } else {
                mnuBERECHNEN->setEnabled(true);
            }
            rs->close();
            mnuMBERECHNEN->setEnabled(false);
            mnuNEUBERECHNEN->setEnabled(true);
        } else {
            for (QAction* a : {mnuBERECHNEN, mnuNEUBERECHNEN, mnuEINGABEGRAFIK, mnuFBERECHNEN})
                a->setEnabled(false);
        }
    });
    op.step([] { vb::restoreWaitPointer(); });
    op.run();
}

void frmMAIN::mnuBERECHNEN_Click()
{
    auto& st = state();
    QPointer<mdiSEITE1> seite;
    Halt halt(this);
    vb::StepRunner op(caption(mnuBERECHNEN), vb::kVbError);
    // Leaving with Cancel never leaves the main window held or the progress
    // bar standing.
    op.cleanup([&] {
        halt.freigeben();
        st.setFortschrittSichtbar(false);
        st.setFortschritt(0);
        vb::restoreWaitPointer();
    });
    op.step([] { vb::showWaitPointer(); });
    op.step([&] { halt.halten(); });
    op.step([&] {
        st.setFortschrittSichtbar(true);
        st.nachrichtenLaufenLassen();
    });
    op.step([&] {
        seite = seiteLaden(this);
        st.nachrichtenLaufenLassen();
    });
    op.step([&] {
        halt.freigeben();
        seiteZeigen(this, seite);
    });
    op.step([this] { seitenPanelsZeigen(this); });
    op.step([&] { fortschrittAbschliessen(st); });
    op.step([&] {
        st.BOAENDERUNG = true;
        setMenuEnabled(mnuDATEI, false);
    });
    op.step([] { vb::restoreWaitPointer(); });
    op.run();
}

void frmMAIN::mnuNEUBERECHNEN_Click()
{
    auto& st = state();
    int32_t id = 0;
    std::unique_ptr<db::Recordset> a1;
    QPointer<mdiSEITE1> seite;
    bool berechnet = false;
    Halt halt(this);
    // Cancel in an error box restores the pointer and never leaves the main
    // window held or the progress bar standing.
    auto freigeben = [&] {
        halt.freigeben();
        st.setFortschrittSichtbar(false);
        st.setFortschritt(0);
        vb::restoreWaitPointer();
    };

    vb::StepRunner vorher(caption(mnuNEUBERECHNEN), vb::kVbError);
    vorher.cleanup(freigeben);
    vorher.step([&] {
        halt.halten();
        st.setFortschrittSichtbar(true);
    });
    vorher.step([&] {
        auto rs = st.verbindung().openRecordset(
            QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
        rs->moveFirst();
        id = int32_t(rs->field(QStringLiteral("ID")).number());
        rs->close();
    });
    vorher.step([&] {
        a1 = st.verbindung().openRecordset(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=?"),
                                    {vb::Variant::lng(id)});
        if (!a1->eof()) {
            a1->moveFirst();
            a1->deleteRow();
        }
        a1->addNew();
        a1->setField(QStringLiteral("ID"), vb::Variant::lng(id));
        a1->setField(QStringLiteral("BONEU"), vb::Variant(true));
        a1->update();
    });
    vorher.step([&] {
        st.nachrichtenLaufenLassen();
        vb::showWaitPointer();
    });
    vorher.step([&] {
        clsBERECHNEN ber;
        berechnet = ber.BERECHNUNG();
    });
    if (!vorher.run())
        return;

    if (!berechnet) {
        // The defaults step has reported its own failure; the record stays
        // to be rebuilt.
        halt.freigeben();
        st.setFortschrittSichtbar(false);
        vb::restoreWaitPointer();
        return;
    }

    vb::StepRunner nachher(caption(mnuNEUBERECHNEN), vb::kVbError);
    nachher.cleanup(freigeben);
    nachher.step([&] {
        st.nachrichtenLaufenLassen();
        seite = seiteLaden(this);
    });
    nachher.step([&] {
        st.nachrichtenLaufenLassen();
        halt.freigeben();
        seiteZeigen(this, seite);
        st.nachrichtenLaufenLassen();
    });
    nachher.step([this] { seitenPanelsZeigen(this); });
    nachher.step([&] {
        if (!a1)
            vb::raise(vb::err::ObjectNotSet);
        a1->setField(QStringLiteral("BONEU"), vb::Variant(false));
        a1->update();
        a1->close();
    });
    nachher.step([&] { fortschrittAbschliessen(st); });
    nachher.step([&] {
        st.BOAENDERUNG = true;
        setMenuEnabled(mnuDATEI, false);
        vb::restoreWaitPointer();
    });
    nachher.run();
}

void frmMAIN::PANEL15()
{
    vb::showWaitPointer();
    seitenSchliessenLaeuft = true;
    // Every page window goes, also one the page chooser has hidden, and
    // whatever else is open besides the main window and the start screen.
    for (QMdiSubWindow* fenster : mdiArea()->subWindowList()) {
        if (fenster == autostartFenster())
            continue;
        if (!fenster->isHidden() || qobject_cast<mdiSEITE1*>(fenster->widget()))
            fenster->close();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog && !dialog->isHidden() && dialog->parentWidget() == this)
            dialog->close();
    }
    seitenSchliessenLaeuft = false;
    for (int i = 10; i <= 15; ++i)
        stbMAIN->setPanelVisible(i, false);
    setMenuEnabled(mnuDATEI, true);
    setMenuEnabled(mnuEXTRAS, true);
    if (autostartFenster())
        mdiArea()->setActiveSubWindow(autostartFenster());
    vb::restoreWaitPointer();
}
