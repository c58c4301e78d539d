// The page windows' status-bar commands: Anzeigen (panel 10), Drucken (11),
// Kopie (12) and Word (13).
#include "shell/frmMAIN.h"

#include "database/NeueDatei.h"
#include "database/SharedState.h"
#include "pages/window/Druckauftrag.h"
#include "pages/window/frmANZEIGEN.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/Dateien.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/VbError.h"
#include "shell/StatusPanelBar.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextImageFormat>
#include <vector>

namespace {

// The page windows in the order they were opened.
std::vector<mdiSEITE1*> seitenfenster(const frmMAIN& haupt)
{
    std::vector<mdiSEITE1*> seiten;
    for (QMdiSubWindow* f : haupt.mdiArea()->subWindowList(QMdiArea::CreationOrder))
        if (auto* s = qobject_cast<mdiSEITE1*>(f->widget()))
            seiten.push_back(s);
    return seiten;
}

// A folder of the current project.
QString projektOrdner(const QString& name)
{
    const auto& st = db::sharedState();
    return QDir(st.PROJEKTSPFAD).filePath(st.PROJEKT + QLatin1Char('/') + name);
}

} // namespace

void frmMAIN::PANEL10()
{
    static QPointer<frmANZEIGEN> offen;
    if (!offen) {
        offen = new frmANZEIGEN(this);
        offen->setAttribute(Qt::WA_DeleteOnClose);
        const QMdiSubWindow* aktiv = mdiArea()->activeSubWindow();
        offen->Form_Load(seitenfenster(*this), aktiv ? aktiv->widget() : nullptr, state().SPRACHE);
    }
    offen->show();
    offen->raise();
    offen->activateWindow();
}

void frmMAIN::PANEL11()
{
    const std::vector<mdiSEITE1*> seiten = seitenfenster(*this);
    const int n = int(seiten.size());
    int m = 1;
    const QMdiSubWindow* aktiv = mdiArea()->activeSubWindow();
    for (int i = 0; i < n; ++i)
        if (aktiv && aktiv->widget() == seiten[i])
            m = i + 1;
    if (n == 0)
        return;

    vb::PrintDialogCall aufruf;
    aufruf.minPage = 1;
    aufruf.maxPage = n;
    aufruf.fromPage = m;
    aufruf.toPage = m;
    // Without a printer the pages are printed into PDF files in the project.
    const bool ohneDrucker = QPrinterInfo::availablePrinters().isEmpty();
    QString vorschlag;
    if (ohneDrucker) {
        // Only a proposal: where the folder cannot be made, the user may
        // choose another in the dialog, and the job reports the cause.
        const QString ordner = projektOrdner(QStringLiteral("PDF"));
        QDir().mkpath(ordner);
        vorschlag = vb::freierDateiname(ordner,
                                            vb::dateiStamm(seiten[m - 1]->kennung()), QStringLiteral(".pdf"));
        aufruf.printToFile = true;
        aufruf.outputFile = vorschlag;
    }
    // Cancel raises 32755, which the panel handler leaves silently.
    const vb::PrintChoice wahl = *vb::ShowPrinter(aufruf, true);

    vb::WaitPointer warten;
    const int von = wahl.allPages ? 1 : std::clamp(wahl.fromPage, 1, n);
    const int bis = wahl.allPages ? n : std::clamp(wahl.toPage, von, n);
    bool erster = true;
    for (int k = von; k <= bis; ++k) {
        mdiSEITE1* seite = seiten[k - 1];
        seiten::Druckerwahl drucker{wahl.printerName, QString()};
        if (!wahl.outputFile.isEmpty()) {
            // One file per page: a later page never overwrites an earlier one.
            // The proposed name stands for "a name of its own for each page".
            const bool eigenerName = erster && wahl.outputFile != vorschlag;
            drucker.pdfDatei = eigenerName ? wahl.outputFile
                                           : vb::freierDateiname(QFileInfo(wahl.outputFile).absolutePath(),
                                                                     vb::dateiStamm(seite->kennung()),
                                                                     QStringLiteral(".pdf"));
        }
        erster = false;
        seiten::druckerwahl() = drucker;
        seite->DRUCKEN();
    }
}

void frmMAIN::PANEL12()
{
    const QString ordner = projektOrdner(QStringLiteral("JPG"));
    vb::ordnerAnlegen(ordner);
    const QString vorschlag = vb::dateiStamm(stbMAIN->text(6)) + QStringLiteral("-1");
    const QString antwort =
        vb::InputBox(QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + ordner +
                         QLatin1Char('/') + vorschlag + QStringLiteral(".bmp"),
                     QStringLiteral("KOPIE"), vorschlag);
    if (antwort.isEmpty())
        return;

    vb::WaitPointer warten;
    // The picture of the main window, as the screen shows it now.
    const QImage bild = grab().toImage();
    if (QClipboard* ablage = QGuiApplication::clipboard())
        ablage->setImage(bild);
    vb::DoEvents();
    const QString datei = ordner + QLatin1Char('/') + antwort + QStringLiteral(".bmp");
    QByteArray bmp;
    QBuffer puffer(&bmp);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "BMP");
    // Written whole: a failed or killed write keeps an earlier picture of that name.
    db::schreibeDatei(datei, bmp);
    vb::DoEvents();
}

void frmMAIN::PANEL13()
{
    vb::WaitPointer warten;
    const QMdiSubWindow* aktiv = mdiArea()->activeSubWindow();
    QWidget* fenster = aktiv ? aktiv->widget() : nullptr;
    if (!fenster)
        vb::raise(vb::err::ObjectNotSet);

    // A new document: for each visible picture of the window its name as a
    // line and the picture below it.
    QTextDocument dokument;
    QTextCursor cursor(&dokument);
    int nr = 0;
    for (BildFeld* bild : fenster->findChildren<BildFeld*>()) {
        if (bild->isHidden())
            continue;
        cursor.insertText(bild->objectName());
        cursor.insertBlock();
        const QString name = QStringLiteral("bild%1.png").arg(++nr);
        dokument.addResource(QTextDocument::ImageResource, QUrl(name), bild->image());
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(bild->image().width());
        format.setHeight(bild->image().height());
        cursor.insertImage(format);
        cursor.insertBlock();
    }

    QTemporaryFile datei(QDir::temp().filePath(QStringLiteral("KAVELOR-XXXXXX.odt")));
    datei.setAutoRemove(false);
    if (!datei.open())
        vb::raiseFile(vb::err::PathFileAccess, datei.fileTemplate());
    const QString pfad = datei.fileName();
    datei.close();
    QTextDocumentWriter schreiber(pfad, "odf");
    if (!schreiber.write(&dokument)) {
        QFile::remove(pfad);
        vb::raiseFile(vb::err::PathFileAccess, pfad);
    }
    // The document stays where it was written. When the desktop's opener
    // reports that it could not open it, the message names where it lies, so
    // the user can open it with a program of his choice.
    const QString meldung =
        state().SPRACHE == 1
            ? QStringLiteral("The document could not be opened. It was saved as:\n") + QDir::toNativeSeparators(pfad)
            : QStringLiteral("Das Dokument konnte nicht geöffnet werden. Es wurde gespeichert unter:\n")
                  + QDir::toNativeSeparators(pfad);
    const QString titel = stbMAIN->text(13);
    vb::desktop().open(pfad, [meldung, titel] { vb::MsgBox(meldung, vb::vbOKOnly | vb::vbExclamation, titel); });
}
