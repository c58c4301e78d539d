// Data entry from the main window: Datei/Neu, Datei/Öffnen and the input
// window's status-bar commands OK (panel 8) and Abbrechen (panel 9).
#include "shell/frmMAIN.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "entry/mdiEINGABE.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmAUSWAHL.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// Input mode: panels OK and Abbrechen shown, the menus Datei, Auswerten and
// Extras disabled while the input window is open.
void eingabemodus(frmMAIN& haupt, bool an)
{
    haupt.stbMAIN->setPanelVisible(8, an);
    haupt.stbMAIN->setPanelVisible(9, an);
    frmMAIN::setMenuEnabled(haupt.mnuDATEI, !an);
    frmMAIN::setMenuEnabled(haupt.mnuAUSWERTEN, !an);
    frmMAIN::setMenuEnabled(haupt.mnuEXTRAS, !an);
}

// Loads and shows the input window in the main window's inner area.
mdiEINGABE* eingabeLaden(frmMAIN& haupt)
{
    auto* w = new mdiEINGABE;
    w->beenden = [&haupt] { haupt.mnuBEENDEN_Click(); };
    w->speichern = [&haupt] { haupt.stbMAIN_PanelClick(8); };
    // The close box ends the entry as Abbrechen does.
    w->geschlossen = [&haupt, w] {
        w->entladen();
        eingabemodus(haupt, false);
    };
    QMdiSubWindow* rahmen = haupt.mdiArea()->addSubWindow(w);
    rahmen->setObjectName(QStringLiteral("mdiEINGABEFenster"));
    rahmen->setAttribute(Qt::WA_DeleteOnClose);
    rahmen->setWindowTitle(QStringLiteral(" "));
    // Maximised like the other child windows; the window centres its
    // record frame and tab control in whatever size it gets.
    rahmen->showMaximized();
    haupt.mdiArea()->setActiveSubWindow(rahmen);
    w->show();
    w->txtKEN->setFocus(Qt::OtherFocusReason);
    w->gezeigt();
    return w;
}

} // namespace

mdiEINGABE* frmMAIN::eingabefenster() const
{
    for (QMdiSubWindow* f : m_mdi->subWindowList())
        if (auto* w = qobject_cast<mdiEINGABE*>(f->widget()); w && !w->istEntladen())
            return w;
    return nullptr;
}

void frmMAIN::eingabeEntladen()
{
    mdiEINGABE* w = eingabefenster();
    if (!w)
        return;
    w->entladen();
    if (auto* rahmen = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        rahmen->close();
}

void frmMAIN::mnuNEU_Click()
{
    vb::StepRunner op(caption(mnuNEU), vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([] { vb::showWaitPointer(); })
        .step([&] { eingabeLaden(*this); })
        .step([&] {
            stbMAIN->setText(6, QStringLiteral("-"));
            stbMAIN->setToolTip(6, QString());
        })
        .step([&] { eingabemodus(*this, true); })
        .step([] { vb::restoreWaitPointer(); });
    op.run();
}

void frmMAIN::mnuOEFFNEN_Click()
{
    const QString titel = caption(mnuOEFFNEN);
    const bool en = state().SPRACHE == 1;
    vb::StepRunner op(titel, vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    bool weiter = false;
    int32_t id = 0;
    mdiEINGABE* w = nullptr;
    op.step([&] {
          // The selection dialog until exactly one record is active, or the
          // user gives up.
          for (;;) {
              Tag() = QStringLiteral("O");
              {
                  frmAUSWAHL dlg(this);
                  dlg.Form_Load();
                  showModal(dlg);
              }
              if (Tag() != QLatin1String("OK"))
                  return;
              auto rs = state().verbindung().openRecordset(
                  QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true and [ID]>0 ORDER BY [KEN]"));
              QString text;
              if (rs->eof()) {
                  text = en ? QStringLiteral("There is no selected file!")
                            : QStringLiteral("Es gibt keinen aktuellen Datensatz!");
              } else {
                  rs->moveLast();
                  if (rs->recordCount() == 1) {
                      id = vb::CLng(rs->field(QStringLiteral("ID")));
                      rs->close();
                      weiter = true;
                      return;
                  }
                  text = en ? QStringLiteral("Only one file can be opened!")
                            : QString::fromUtf8("Es kann nur ein aktueller Datensatz geöffnet werden!");
              }
              rs->close();
              if (vb::MsgBox(text, vb::vbOKCancel | vb::vbExclamation, titel) != vb::vbOK)
                  return;
          }
      })
        .step([&] {
            if (!weiter)
                return;
            vb::showWaitPointer();
            w = eingabeLaden(*this);
            vb::DoEvents();
        })
        .step([&] {
            if (weiter)
                DATENSATZANZEIGE();
        })
        .step([&] {
            if (weiter && w) {
                w->OEFFNEN(id);
                vb::DoEvents();
            }
        })
        .step([&] {
            if (weiter)
                eingabemodus(*this, true);
        })
        .step([] { vb::restoreWaitPointer(); });
    op.run();
}

void frmMAIN::PANEL8()
{
    mdiEINGABE* w = eingabefenster();
    if (!w)
        return;
    // A value still in a cell editor is part of the record; one its grid
    // refuses keeps the window open.
    if (!w->zellenUebernommen())
        return;
    auto& st = state();
    const QString K = w->txtKEN->text();
    // A record needs an identifier: without one no list would find it.
    if (!w->kennungGeprueft()) {
        w->txtKEN->setFocus(Qt::OtherFocusReason);
        return;
    }
    db::Connection& cnn = state().verbindung();
    // The delete of the header row being replaced, the record's rows and the
    // reset of the other active records are stored together or not at all.
    db::Connection::Transaction tx(cnn);
    int32_t schluessel = 1;
    {
        auto rs = cnn.openRecordset(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]=?"), {vb::Variant(K)});
        if (rs->eof()) {
            rs->close();
            auto letzte = cnn.openRecordset(QStringLiteral("SELECT [ID] FROM [E1] ORDER BY [ID] Desc"), {},
                                            db::Connection::Cursor::ReadOnly);
            if (!letzte->eof())
                schluessel = vb::addL(vb::CLng(letzte->field(0)), 1);
            letzte->close();
        } else {
            int antwort = vb::vbNo;
            const QString titel = stbMAIN->text(8);
            if (st.SPRACHE == 1)
                antwort = vb::MsgBox(QStringLiteral("Do you want to overwrite the file ") + K + QStringLiteral("?"),
                                     vb::vbYesNo | vb::vbQuestion, titel);
            else if (st.SPRACHE == 3)
                antwort = vb::MsgBox(QStringLiteral("Soll der vorhandene Datensatz ") + K
                                         + QString::fromUtf8(" überschrieben werden?"),
                                     vb::vbYesNo | vb::vbQuestion, titel);
            if (antwort != vb::vbYes)
                return;
            schluessel = vb::CLng(rs->field(QStringLiteral("ID")));
            rs->deleteRow();
            rs->close();
        }
    }
    // The hourglass ends with the save, the refused one included.
    vb::WaitPointer sanduhr;
    if (!w->OK(schluessel))
        return;   // the transaction rolls back: the working copy is as before
    cnn.execute(QStringLiteral("UPDATE [E1] SET [AKT]=false WHERE [KEN]<>? AND [AKT]=true"), {vb::Variant(K)});
    tx.commit();
    DATENSATZANZEIGE();
    st.BOAENDERUNG = true;
    eingabeEntladen();
    eingabemodus(*this, false);
}

void frmMAIN::PANEL9()
{
    vb::showWaitPointer();
    eingabeEntladen();
    eingabemodus(*this, false);
    vb::restoreWaitPointer();
}
