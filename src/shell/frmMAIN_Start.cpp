// Start-up of the main window: language, hand-over from the frame program,
// project checks, the user's working copy and the start screen.
#include "shell/frmMAIN.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/SharedState.h"
#include "kavelor_version.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "shell/StatusPanelBar.h"
#include "shell/mdiAUTOSTART.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>

namespace {
const QChar kTrenner = QLatin1Char('/');
} // namespace

bool frmMAIN::MDIForm_Load()
{
    auto& st = state();
    const QString titel = vb::appTitle();
    bool en = false;
    bool ende = false;          // a fatal message ended the program
    bool kopieBehalten = false; // Yes in the crash question
    std::unique_ptr<db::Recordset> rs;
    QString alterProg;          // PROG before this start, put back when the start fails
    bool progGeschrieben = false;

    auto meldung = [&](const QString& englisch, const QString& deutsch) {
        vb::MsgBox(en ? englisch : deutsch, vb::vbOKOnly | vb::vbExclamation, titel);
    };
    // Ends the program at once: no further start-up step, no closing steps.
    // The hand-over row is left as the frame program wrote it.
    auto beendeSofort = [&] {
        ende = true;
        if (progGeschrieben && m_archiv && m_archiv->isOpen()) {
            try {
                m_archiv->execute(QStringLiteral("UPDATE [ADMIN] SET [PROG]=? WHERE [BENUTZER]=?"),
                                  {alterProg.isNull() ? vb::Variant::null() : vb::Variant(alterProg),
                                   vb::Variant(st.BENUTZER())});
            } catch (const vb::VbError&) {
            }
        }
    };
    // Each step below is skipped once the program has ended.
    vb::StepRunner op(titel, vb::kVbError);
    auto schritt = [&](std::function<void()> f) {
        op.step([&, f] {
            if (!ende)
                f();
        });
    };
    auto wenn = [&](std::function<bool()> test, std::function<void()> zweig) {
        op.when([&, test] { return !ende && test(); },
                [&, zweig] {
                    if (!ende)
                        zweig();
                });
    };

    // 1. The warning beep has no counterpart here.
    // 2./3. Language and decimal sign from the user's locale.
    schritt([&] {
        const QString sprache = vb::locale().languageName();
        st.SPRACHE = sprache == QLatin1String("en") ? 1 : 3;
        en = st.SPRACHE == 1;
    });
    schritt([&] { st.DEZIMALPUNKT = QString(vb::locale().decimalSign()); });
    // 4. English texts.
    schritt([&] {
        if (st.SPRACHE == 1)
            englischeTexte();
    });
    // 6. Development mode: no frame program, the project next to the program.
    const bool entwicklung = entwicklungsmodus();
    if (entwicklung) {
        schritt([&] {
            st.PROJEKTSPFAD = QFileInfo(vb::programFolder()).absolutePath();
            st.PROJEKT = QStringLiteral("TE0000.00");
            st.BEARBEITER = st.BENUTZER();
        });
    } else {
        // 7./8. The shared databases.
        schritt([&] { m_archiv = db::Connection::open(st.DATENBANKPFAD() + kTrenner + QStringLiteral("ARCHIV.mdb")); });
        schritt([&] { st.cnnX_V = db::Connection::open(st.DATENBANKPFAD() + kTrenner + QStringLiteral("VORGABE.mdb")); });
        // 9. The hand-over row of this user.
        schritt([&] {
            if (!m_archiv)
                vb::raise(vb::err::ObjectNotSet);
            rs = m_archiv->openRecordset(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]=?"),
                                         {vb::Variant(st.BENUTZER())});
        });
        wenn([&] {
                 if (!rs)
                     vb::raise(vb::err::ObjectNotSet);
                 return rs->eof();
             },
             [&] {
                 meldung(QStringLiteral("Program ") + titel + QStringLiteral(" can used only via the frame program!"),
                         QStringLiteral("Programm ") + titel
                             + QString::fromUtf8(" kann nur über das Rahmenprogramm ausgeführt werden!"));
                 beendeSofort();
             });
        // 10. Take the hand-over and say who runs now.
        schritt([&] {
            rs->moveFirst();
            alterProg = rs->field(QStringLiteral("PROG")).text();
            rs->setField(QStringLiteral("PROG"), vb::Variant(titel));
            rs->update();
            progGeschrieben = true;
        });
        schritt([&] { st.PROJEKTSPFAD = rs->field(QStringLiteral("PROJEKTSPFAD")).text(); });
        schritt([&] { st.PROJEKT = rs->field(QStringLiteral("PROJEKT")).text(); });
        schritt([&] { st.BEARBEITER = rs->field(QStringLiteral("BEARBEITER")).text(); });
        schritt([&] { rs->close(); });
        // 11. Project checks.
        wenn([&] { return !QFileInfo(st.PROJEKTSPFAD + kTrenner + st.PROJEKT).isDir(); },
             [&] {
                 meldung(QStringLiteral("Project directory ") + st.PROJEKT + QStringLiteral(" dosn't exist!"),
                         QStringLiteral("Projektsverzeichnis ") + st.PROJEKT + QStringLiteral(" existiert nicht!"));
                 beendeSofort();
             });
        wenn([&] { return !QFileInfo::exists(vb::programFolder() + kTrenner + titel + QStringLiteral(".mdb")); },
             [&] {
                 meldung(QStringLiteral("The empty database ") + titel + QStringLiteral(".mdb dosn't exist!\r\n")
                             + QStringLiteral("TORVENA has to be installed again!"),
                         QStringLiteral("Die leere Datenbank ") + titel + QStringLiteral(".mdb existiert nicht!\r\n")
                             + QString::fromUtf8("TORVENA muß neu installiert werden!"));
                 beendeSofort();
             });
    }
    // 12. Status line.
    schritt([&] {
        stbMAIN->setText(1, kuerzeProjektspfad(st.PROJEKTSPFAD, kTrenner) + kTrenner);
        stbMAIN->setToolTip(1, st.PROJEKTSPFAD);
        stbMAIN->setText(2, st.PROJEKT);
        stbMAIN->setToolTip(2, st.BEARBEITER);
        stbMAIN->setText(4, titel);
        stbMAIN->setToolTip(4, QStringLiteral(KAVELOR_PRODUCT));
    });
    // 13. The working copy, made from the project database or kept from an
    // interrupted run of the same project.
    schritt([&] {
        if (!arbeitskopieEinrichten(kopieBehalten))
            beendeSofort();
    });
    // 14. A copy kept from an interrupted run holds changes the project
    // database lacks: closing asks before they are lost.
    schritt([&] { st.BOAENDERUNG = kopieBehalten; });
    // 15. The working-copy connection. Without it there is nothing to work
    // on: say why and end. A kept copy is checked first, since the run that
    // left it may have been cut off in the middle of a write.
    schritt([&] {
        try {
            if (kopieBehalten)
                db::pruefeDatenbank(XMDBPFAD());
            st.cnnX = db::Connection::open(XMDBPFAD());
        } catch (const vb::VbError& e) {
            st.cnnX.reset();
            vb::MsgBox(vb::errorText(vb::kVbError, e), vb::vbOKOnly | vb::vbExclamation, titel);
            beendeSofort();
        }
    });
    // 16. Active records in the status line.
    schritt([&] { DATENSATZANZEIGE(); });
    // 17. The main window.
    schritt([&] { show(); });
    // 18. The start screen.
    schritt([&] { zeigeStartbildschirm(); });

    const bool durchgelaufen = op.run();
    if (ende || !durchgelaufen) {
        // Cancel in an error box ends the program too: the hand-over row goes
        // back to what the frame program wrote.
        if (!ende)
            beendeSofort();
        beenden();
        return false;
    }
    return true;
}

bool frmMAIN::arbeitskopieEinrichten(bool& behalten)
{
    auto& st = state();
    const bool en = st.SPRACHE == 1;
    const QString titel = vb::appTitle();
    const QString nl = QStringLiteral("\r\n");
    behalten = false;
    try {
        const QString w = XMDBPFAD();
        const QString p = projektDatenbank();
        // A run of this user that still works has its copy in use: this one
        // must neither ask about it nor replace it.
        m_sitzung = std::make_unique<db::Sitzungssperre>(w);
        if (m_sitzung->belegt()) {
            m_sitzung.reset();
            vb::MsgBox(en ? QStringLiteral("Program ") + titel + QStringLiteral(" is already running for this user!")
                          : QStringLiteral("Programm ") + titel
                                + QString::fromUtf8(" läuft für diesen Benutzer bereits!"),
                       vb::vbOKOnly | vb::vbExclamation, titel);
            return false;
        }
        // What killed runs of this user left behind goes first.
        db::aufraeumen(QFileInfo(w).absolutePath());
        db::aufraeumen(QFileInfo(p).absolutePath());

        // A file without the project's tables (an empty file, another
        // database) is no project to work on.
        if (QFileInfo(p).isFile()) {
            const QStringList fehlen = db::fehlendeProjekttabellen(p);
            if (!fehlen.isEmpty()) {
                vb::MsgBox(en ? QStringLiteral("The project database ") + p
                                    + QStringLiteral(" does not hold the project's tables!") + nl
                                    + QStringLiteral("Missing: ") + fehlen.join(QStringLiteral(", "))
                              : QStringLiteral("Die Projektdatenbank ") + p
                                    + QString::fromUtf8(" enthält die Tabellen des Projekts nicht!") + nl
                                    + QStringLiteral("Es fehlen: ") + fehlen.join(QStringLiteral(", ")),
                           vb::vbOKOnly | vb::vbExclamation, titel);
                return false;
            }
        }

        // A copy left behind means the last run did not end normally. Only a
        // copy of this very project may be taken up again; any other is put
        // aside, so that no save can write it over the wrong project.
        bool kopieren = true;
        const QFileInfo wi(w);
        if (wi.exists() || wi.isSymLink()) {
            if (!wi.isFile())
                vb::raiseFile(vb::err::PathFileAccess, w);
            // A write of that run cut off in mid-transaction is rolled back
            // first: what is offered is every record it committed.
            db::rollBackInterruptedWrite(w);
            const auto herkunft = db::leseHerkunft(w);
            if (herkunft && db::gleicherPfad(herkunft->datenbank, p)) {
                const int antwort = vb::MsgBox(
                    en ? QStringLiteral("Program was interuped during the execution!\r\n")
                             + QStringLiteral("Do you want to save the changes till the interuption?")
                       : QString::fromUtf8("Programm wurde während der Ausführung unterbrochen!\r\n")
                             + QStringLiteral("Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"),
                    vb::vbYesNo | vb::vbQuestion, titel);
                if (antwort == vb::vbYes) {
                    kopieren = false;
                    behalten = true;
                }
            } else {
                const QString andere = herkunft ? herkunft->projekt : QString();
                const QString neu = db::beiseitelegen(w, andere.isEmpty() ? QStringLiteral("unbekannt") : andere);
                const QString a = andere.isEmpty() ? (en ? QStringLiteral("(unknown)") : QStringLiteral("(unbekannt)"))
                                                   : andere;
                vb::MsgBox(en ? QStringLiteral("The working copy of project ") + a
                                    + QStringLiteral(" does not belong to project ") + st.PROJEKT
                                    + QStringLiteral(" and was not opened.") + nl + QStringLiteral("It was kept as ")
                                    + QDir::toNativeSeparators(neu) + QLatin1Char('.')
                              : QStringLiteral("Die Arbeitskopie von Projekt ") + a
                                    + QString::fromUtf8(" gehört nicht zu Projekt ") + st.PROJEKT
                                    + QString::fromUtf8(" und wurde nicht geöffnet.") + nl
                                    + QStringLiteral("Sie wurde aufbewahrt als ") + QDir::toNativeSeparators(neu)
                                    + QLatin1Char('.'),
                           vb::vbOKOnly | vb::vbExclamation, titel);
            }
        }
        if (kopieren) {
            // The identity is written after the copy: a start cut off in
            // between leaves a copy without one, which is never taken up.
            db::entferneHerkunft(w);
            const db::Dateistand stand = db::dateistand(p);
            db::copyDatabase(p, w);
            db::schreibeHerkunft(w, {st.PROJEKTSPFAD, st.PROJEKT, p, stand, {}});
        }
        return true;
    } catch (const vb::VbError& e) {
        // Without a working copy there is nothing to work on: say why.
        vb::MsgBox(vb::errorText(vb::kVbError, e), vb::vbOKOnly | vb::vbExclamation, titel);
        return false;
    }
}

void frmMAIN::zeigeStartbildschirm()
{
    m_autostart = new mdiAUTOSTART;
    m_autostartFenster = m_mdi->addSubWindow(m_autostart, Qt::FramelessWindowHint);
    m_autostartFenster->setObjectName(QStringLiteral("mdiAUTOSTART_Fenster"));
    const QSize innen = m_mdi->viewport()->size();
    m_autostart->Form_Load(innen.width(), innen.height());
    auto& st = state();
    QPointer<mdiAUTOSTART> start = m_autostart;
    st.fortschrittHook = [start](int wert) {
        if (start)
            start->pgbBERECHNEN->setValue(qBound(0, wert, 100));
    };
    st.fortschrittSichtbarHook = [start](bool sichtbar) {
        if (start)
            start->pgbBERECHNEN->setHidden(!sichtbar);
    };
    st.nachrichtenLaufenLassen();
    m_autostartFenster->showMaximized();
}

void frmMAIN::beenden()
{
    // The program ends without the closing steps: connections released,
    // nothing written.
    auto& st = state();
    if (m_archiv) {
        m_archiv->close();
        m_archiv.reset();
    }
    if (st.cnnX_V) {
        st.cnnX_V->close();
        st.cnnX_V.reset();
    }
    if (st.cnnX) {
        st.cnnX->close();
        st.cnnX.reset();
    }
    m_beendet = true;
    hide();
    emit programEnded();
}
