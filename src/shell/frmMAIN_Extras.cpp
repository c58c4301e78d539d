// Extras/Komprimieren and the ? menu of the main window.
#include "shell/frmMAIN.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"
#include "shell/Zahlen.h"
#include "shell/frmINFO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString frmMAIN::hilfeDatei(const QString& name) const
{
    return vb::programFolder() + QLatin1Char('/') + name;
}

bool frmMAIN::mnuKOMPRIMIEREN_Click()
{
    auto& st = state();
    const QString titel = caption(mnuKOMPRIMIEREN);
    QString w, t;
    float s1 = 0, s2 = 0, p = 0;
    bool verdichtet = false;
    bool ersetzt = false;

    // The working copy is opened again in the same connection object: the
    // open page windows and everything else that holds it work on with the
    // compacted file.
    auto neuVerbinden = [&] {
        const QString pfad = w.isEmpty() ? XMDBPFAD() : w;
        if (st.cnnX && st.cnnX->path() == pfad)
            st.cnnX->reopen();
        else if (!(st.cnnX && st.cnnX->isOpen()))
            st.cnnX = db::Connection::open(pfad);
    };
    vb::StepRunner op(titel, vb::kVbError);
    // Whichever way the command ends (Cancel in an error box, or OK past a
    // failed step), the connection is back before it returns.
    op.cleanup(
        [&] {
            try {
                neuVerbinden();
            } catch (const vb::VbError& e) {
                vb::MsgBox(vb::errorText(vb::kVbError, e), vb::vbOKOnly | vb::vbExclamation, titel);
            }
            vb::restoreWaitPointer();
        },
        true);
    op.step([] { vb::showWaitPointer(); })
        .step([&] {
            w = XMDBPFAD();
            const int mdb = w.indexOf(QStringLiteral(".mdb"), 0, Qt::CaseInsensitive);
            t = (mdb < 0 ? w : w.left(mdb)) + QStringLiteral("TEMP.mdb");
        })
        .step([&] {
            const QFileInfo fi(w);
            if (!fi.exists())
                vb::raise(vb::err::FileNotFound);
            s1 = megabytes(fi.size());
        })
        .step([&] {
            if (st.cnnX)
                st.cnnX->close();
        })
        .step([&] {
            // The compacted database is written to the temporary file; the
            // working copy stays as it is until that file is complete. A
            // temporary file of a compaction that was cut off is this user's
            // own and goes first.
            for (const QString& alt : {t, t + QStringLiteral("-journal")}) {
                if (QFileInfo::exists(alt) && !QFile::remove(alt))
                    vb::raiseFile(vb::err::FileExists, alt);
            }
            try {
                auto quelle = db::Connection::open(w);
                quelle->execute(QStringLiteral("VACUUM INTO ?"), {vb::Variant(t)});
                quelle->close();
            } catch (...) {
                QFile::remove(t);
                QFile::remove(t + QStringLiteral("-journal"));
                throw;
            }
            verdichtet = true;
        })
        .step([&] {
            if (!verdichtet)
                return;
            // The compacted file replaces the working copy in one step. When it
            // cannot, the compacted file goes: left behind, it would block every
            // later compaction.
            db::replaceDatabase(t, w);
            ersetzt = true;
        })
        .step([&] {
            if (!ersetzt)
                return;
            s2 = megabytes(QFileInfo(w).size());
            // A file below 0.05 MB rounds to 0: no percentage to compute.
            p = s1 > 0 ? rundeEineStelle((s1 - s2) * 100.0f / s1) : 0.0f;
        })
        .step([&] {
            if (!ersetzt)
                return;
            if (st.SPRACHE == 1)
                vb::MsgBox(QStringLiteral("Database was compact about ") + vb::CStr(p) + QStringLiteral(" % to ")
                               + vb::CStr(s2) + QStringLiteral(" MB!"),
                           vb::vbOKOnly | vb::vbInformation, titel);
            else if (st.SPRACHE == 3)
                vb::MsgBox(QStringLiteral("Datenbank wurde um ") + vb::CStr(p) + QStringLiteral(" % auf ") + vb::CStr(s2)
                               + QStringLiteral(" MB komprimiert !"),
                           vb::vbOKOnly | vb::vbInformation, titel);
        })
        .step([&] { neuVerbinden(); })
        .step([] { vb::restoreWaitPointer(); });
    return op.run() && ersetzt;
}

void frmMAIN::mnuFRAGEZEICHEN_Click()
{
    const QString titel = vb::appTitle();
    mnuHILFE->setEnabled(QFileInfo::exists(hilfeDatei(titel + QStringLiteral(".html"))));
    mnuREADME->setEnabled(QFileInfo::exists(hilfeDatei(titel + QStringLiteral(".odt"))));
    mnuHINWEISE->setEnabled(QFileInfo::exists(hilfeDatei(titel + QStringLiteral("_H.odt"))));
    mnuINFO->setEnabled(true);
}

namespace {
// Hands a document next to the program to the desktop's opener; a missing
// document, and an opener that reports it could not show it, are reported.
void dokumentZeigen(const QString& titel, const QString& pfad)
{
    vb::StepRunner op(titel, vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([] { vb::showWaitPointer(); })
        .step([&] {
            if (!QFileInfo::exists(pfad))
                vb::raise(vb::err::FileNotFound);
            // The opener's failure arrives after this command has ended.
            const QString meldung = (db::sharedState().SPRACHE == 1
                                         ? QStringLiteral("No application found to show ")
                                         : QStringLiteral("Keine Anwendung zum Anzeigen von "))
                                    + QDir::toNativeSeparators(pfad);
            vb::desktop().open(pfad, [meldung, titel] {
                vb::MsgBox(meldung, vb::vbOKOnly | vb::vbExclamation, titel);
            });
        })
        .step([] { vb::restoreWaitPointer(); });
    op.run();
}
} // namespace

void frmMAIN::mnuHILFE_Click()
{
    dokumentZeigen(QStringLiteral("?/Hilfe"), hilfeDatei(vb::appTitle() + QStringLiteral(".html")));
}

void frmMAIN::mnuREADME_Click()
{
    dokumentZeigen(QStringLiteral("?/ReadMe"), hilfeDatei(vb::appTitle() + QStringLiteral(".odt")));
}

void frmMAIN::mnuHINWEISE_Click()
{
    dokumentZeigen(QStringLiteral("?/Hinweise"), hilfeDatei(vb::appTitle() + QStringLiteral("_H.odt")));
}

void frmMAIN::mnuINFO_Click()
{
    frmINFO dlg(m_autostart, this);
    dlg.Form_Load();
    showModal(dlg);
}
