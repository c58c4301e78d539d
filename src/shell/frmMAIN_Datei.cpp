// The Datei commands of the main window and the closing with hand-back.
#include "shell/frmMAIN.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"
#include "shell/Zahlen.h"
#include "shell/frmAUSWAHL.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

namespace {
// Tables that hold rows of one record under its key ID.
const char* const kSatzTabellen[] = {"E2", "E3", "E4", "E5", "E6", "E7", "E8",
                                     "E9", "E10", "E11", "E12", "A1", "G0"};

db::Connection& offen(const std::shared_ptr<db::Connection>& c)
{
    if (!c || !c->isOpen())
        vb::raise(vb::err::ObjectNotSet);
    return *c;
}
} // namespace

// Neu and Öffnen are in frmMAIN_Eingabe.cpp, Export-Import and Export-Inf.system in
// frmMAIN_Austausch.cpp.

void frmMAIN::mnuAUSWAHL_Click()
{
    vb::StepRunner op(caption(mnuAUSWAHL), vb::kVbError);
    op.step([&] {
          Tag() = QStringLiteral("A");
          frmAUSWAHL dlg(this);
          dlg.Form_Load();
          showModal(dlg);
      })
        .step([&] {
            if (Tag() == QLatin1String("OK"))
                DATENSATZANZEIGE();
        });
    op.run();
}

void frmMAIN::mnuLOESCHEN_Click()
{
    auto& st = state();
    const QString titel = caption(mnuLOESCHEN);
    const bool en = st.SPRACHE == 1;
    vb::StepRunner op(titel, vb::kVbError);
    bool weiter = true;
    std::unique_ptr<db::Recordset> rs;
    op.step([&] {
          Tag() = QStringLiteral("L");
          frmAUSWAHL dlg(this);
          dlg.Form_Load();
          showModal(dlg);
          weiter = Tag() == QLatin1String("OK");
      })
        .step([&] {
            if (weiter)
                rs = st.verbindung().openRecordset(QStringLiteral("SELECT * FROM [E1] WHERE [AKT]=true"));
        })
        .step([&] {
            if (!weiter)
                return;
            db::Connection& cnn = st.verbindung();
            while (!rs->eof()) {
                const QString ken = rs->field(QStringLiteral("KEN")).text();
                const int antwort = vb::MsgBox(en ? QStringLiteral("File ") + ken + QStringLiteral(" will be deleted!")
                                                  : QStringLiteral("Datensatz ") + ken
                                                        + QString::fromUtf8(" wird gelöscht!"),
                                               vb::vbOKCancel | vb::vbExclamation, titel);
                if (antwort == vb::vbOK) {
                    // The record goes with all its rows, in one transaction, so a
                    // later record under the same key starts empty. Rows under a
                    // key that another header row still uses stay.
                    const vb::Variant id = rs->field(QStringLiteral("ID"));
                    db::Connection::Transaction tx(cnn);
                    rs->deleteRow();
                    if (!id.isNull() && !id.isEmpty()) {
                        auto andere = cnn.openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [ID]=?"), {id});
                        const bool geteilt = !andere->eof();
                        andere->close();
                        if (!geteilt) {
                            for (const char* t : kSatzTabellen) {
                                const QString tabelle = QString::fromLatin1(t);
                                if (cnn.hasTable(tabelle))
                                    cnn.execute(QStringLiteral("DELETE FROM [%1] WHERE [ID]=?").arg(tabelle), {id});
                            }
                        }
                    }
                    tx.commit();
                }
                rs->moveNext();
            }
        })
        .step([&] {
            if (!weiter)
                return;
            rs->close();
            DATENSATZANZEIGE();
            st.BOAENDERUNG = true;
        });
    op.run();
}

bool frmMAIN::mnuSPEICHERN_Click()
{
    auto& st = state();
    const QString titel = caption(mnuSPEICHERN);
    const bool en = st.SPRACHE == 1;
    vb::StepRunner op(titel, vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    QString w;
    float mb = 0;
    bool gespeichert = false;
    op.step([&] {
          w = XMDBPFAD();
          const QFileInfo fi(w);
          if (!fi.exists())
              vb::raise(vb::err::FileNotFound);
          mb = megabytes(fi.size());
      })
        .step([&] {
            if (!(mb > 10.0f))
                return;
            vb::MessageBoxCall frage;
            frage.prompt = en ? QStringLiteral("Database reaches ") + vb::CStr(mb) + QStringLiteral(" MB! \r\n")
                                    + QStringLiteral("Do you want to compact the file?")
                              : QStringLiteral("Datenbank hat ") + vb::CStr(mb) + QStringLiteral(" MB erreicht! \r\n")
                                    + QStringLiteral("Soll die Datei komprimiert werden?");
            frage.title = titel;
            frage.style = vb::vbYesNo | vb::vbQuestion | vb::vbMsgBoxHelpButton;
            frage.helpFile = hilfeDatei(vb::appTitle() + QStringLiteral(".html"));
            frage.helpContext = 34;
            if (vb::dialogs().messageBox(frage) == vb::vbYes)
                mnuKOMPRIMIEREN_Click();
        })
        .step([] { vb::showWaitPointer(); })
        .step([&] {
            // The copy is written next to the project database, checked, and
            // renamed over it only when complete and sound: a crash, a full
            // disk or a damaged working copy leaves the old one.
            const QString ziel = projektDatenbank();
            db::aufraeumen(QFileInfo(ziel).absolutePath());
            std::unique_ptr<db::Zwischenkopie> kopie;
            try {
                kopie = std::make_unique<db::Zwischenkopie>(w, ziel);
            } catch (const vb::VbError& e) {
                if (e.number != db::kBeschaedigt)
                    throw;
                vb::restoreWaitPointer();
                vb::MsgBox(en ? QStringLiteral("The working copy is damaged!\r\nProject ") + st.PROJEKT
                                    + QStringLiteral(" was not overwritten.\r\n") + e.description
                              : QString::fromUtf8("Die Arbeitskopie ist beschädigt!\r\nProjekt ") + st.PROJEKT
                                    + QStringLiteral(" wurde nicht überschrieben.\r\n") + e.description,
                           vb::vbOKOnly | vb::vbExclamation, titel);
                return;
            }
            // Another save may have replaced the project database since this
            // copy was taken from it: its changes would be lost unseen.
            auto herkunft = db::leseHerkunft(w);
            if (herkunft && !db::gleicherPfad(herkunft->datenbank, ziel))
                herkunft.reset();
            const db::Dateistand jetzt = db::dateistand(ziel);
            if (jetzt.vorhanden() && !(herkunft && herkunft->kennt(jetzt))) {
                vb::restoreWaitPointer();
                const int antwort = vb::MsgBox(
                    en ? QStringLiteral("Project ") + st.PROJEKT
                             + QStringLiteral(" was saved by someone else since your copy was taken!\r\n")
                             + QStringLiteral("Do you want to overwrite it with your copy?")
                       : QStringLiteral("Projekt ") + st.PROJEKT
                             + QString::fromUtf8(" wurde seit dem Anlegen Ihrer Kopie von anderer Seite gespeichert!\r\n")
                             + QStringLiteral("Soll es mit Ihrer Kopie überschrieben werden?"),
                    vb::vbYesNo | vb::vbQuestion, titel);
                if (antwort != vb::vbYes)
                    return;
                vb::showWaitPointer();
            }
            // What is put in place is recorded first: after a kill right
            // after the rename, the next save knows the file as its own.
            db::Herkunft vorher = herkunft.value_or(db::Herkunft{st.PROJEKTSPFAD, st.PROJEKT, ziel, {}, {}});
            vorher.installiert = db::dateistand(kopie->pfad());
            db::schreibeHerkunft(w, vorher);
            kopie->einsetzen();
            gespeichert = true;
        })
        .step([&] {
            // The copy now matches the project database as saved.
            if (gespeichert)
                db::schreibeHerkunft(w, {st.PROJEKTSPFAD, st.PROJEKT, projektDatenbank(),
                                         db::dateistand(projektDatenbank()), {}});
        })
        .step([&] {
            // A failed copy leaves the changes marked as unsaved.
            if (gespeichert)
                st.BOAENDERUNG = false;
        })
        .step([] { vb::restoreWaitPointer(); });
    op.run();
    return gespeichert;
}

void frmMAIN::mnuSCHLIESSEN_Click()
{
    state().BORAHMENPROGRAMM = true;
    unloadMain(vbFormCode);
}

void frmMAIN::mnuBEENDEN_Click()
{
    state().BORAHMENPROGRAMM = false;
    unloadMain(vbFormCode);
}

bool frmMAIN::unloadMain(int reason)
{
    if (m_entladen || m_beendet)
        return true;
    if (m_imEntladen)
        return false;
    m_imEntladen = true;
    m_entladeGrund = reason;
    if (MDIForm_QueryUnload(reason)) {
        m_imEntladen = false;
        return false;
    }
    MDIForm_Unload();
    m_entladen = true;
    m_imEntladen = false;
    hide();
    emit programEnded();
    return true;
}

bool frmMAIN::MDIForm_QueryUnload(int reason)
{
    auto& st = state();
    const bool en = st.SPRACHE == 1;
    bool abbrechen = false;
    vb::StepRunner op(vb::appTitle(), vb::kVbError);
    op.step([&] {
          if ((reason != vbFormControlMenu && reason != vbFormCode) || !st.BOAENDERUNG)
              return;
          const int antwort = vb::MsgBox(
              en ? QStringLiteral("Do you want to save changes to project ") + st.PROJEKT + QStringLiteral("?")
                 : QString::fromUtf8("Sollen die Änderungen in Projekt ") + st.PROJEKT
                       + QStringLiteral(" gespeichert werden?"),
              vb::vbYesNoCancel | vb::vbQuestion, caption(mnuBEENDEN));
          if (antwort == vb::vbCancel) {
              abbrechen = true;
          } else if (antwort == vb::vbYes) {
              // A save that failed has said so; the program stays open with
              // the working copy, so nothing is lost.
              if (!mnuSPEICHERN_Click())
                  abbrechen = true;
          }
      })
        .step([&] {
            if (abbrechen || !(reason == vbFormControlMenu || st.BORAHMENPROGRAMM))
                return;
            const QString oben = QFileInfo(vb::programFolder()).absolutePath();
#ifdef Q_OS_WIN
            const QString rahmen = oben + QStringLiteral("/TORVENA.exe");
#else
            const QString rahmen = oben + QStringLiteral("/TORVENA");
#endif
            if (QFileInfo(rahmen).isFile())
                vb::processes().startDetached(rahmen, {}, oben);
        });
    op.run();
    return abbrechen;
}

void frmMAIN::MDIForm_Unload()
{
    auto& st = state();
    vb::StepRunner op(vb::appTitle(), vb::kVbError);
    op.step([&] {
        // Every other window of the program goes first.
        m_mdi->closeAllSubWindows();
        for (QDialog* d : findChildren<QDialog*>())
            d->close();
        st.fortschrittHook = nullptr;
        st.fortschrittSichtbarHook = nullptr;
        m_autostart = nullptr;
        m_autostartFenster = nullptr;
    });
    if (!entwicklungsmodus()) {
        op.step([&] {
              auto rs = offen(m_archiv).openRecordset(QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]=?"),
                                                      {vb::Variant(st.BENUTZER())});
              rs->moveFirst();
              rs->setField(QStringLiteral("PROG"), vb::Variant(QStringLiteral("TORVENA")));
              rs->update();
              rs->close();
          })
            .step([&] {
                if (m_archiv)
                    m_archiv->close();
                m_archiv.reset();
                if (st.cnnX_V)
                    st.cnnX_V->close();
                st.cnnX_V.reset();
            });
    }
    op.step([&] {
          if (st.cnnX)
              st.cnnX->close();
          st.cnnX.reset();
      })
        .step([&] {
            // When the desktop session ends there is nobody to ask: unsaved
            // changes stay in the working copy (with its identity), and the
            // next start offers them in the crash question.
            if (m_entladeGrund != vbFormControlMenu && m_entladeGrund != vbFormCode && st.BOAENDERUNG)
                return;
            // A write-protected working copy is left alone.
            const QString w = XMDBPFAD();
            const QFileInfo fi(w);
            if (!fi.exists())
                return;
            if (!(fi.permissions() & QFileDevice::WriteOwner) || !QFile::remove(w))
                vb::raise(vb::err::PermissionDenied);
            db::entferneHerkunft(w);
        });
    op.run();
}
