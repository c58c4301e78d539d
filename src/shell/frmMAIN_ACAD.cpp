// The CAD export of the active page window (panel 14, and Ctrl+A in the page
// window): the export dialog, shown modally for that window.
#include "shell/frmMAIN.h"

#include "autocad/AcadDocument.h"
#include "autocad/frmACAD.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/VbError.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

void frmMAIN::PANEL14()
{
    QMdiSubWindow* aktiv = mdiArea()->activeSubWindow();
    QPointer<mdiSEITE1> seite = aktiv ? qobject_cast<mdiSEITE1*>(aktiv->widget()) : nullptr;
    if (!seite)
        return;
    acad::ExportPage page;
    page.KEN = seite->kennung();
    page.SEITEA = [seite](acad::Document& doc, bool clip) {
        if (!seite)
            vb::raise(vb::err::ObjectNotSet);
        seite->SEITEA(&doc, clip);
    };
    frmACAD dialog(page, this);
    dialog.setObjectName(QStringLiteral("frmACAD"));
    // The page window reports its progress in the dialog while it composes.
    auto& a = mdiSEITE1::anbindung();
    const auto vorher = a.exportInfo;
    a.exportInfo = [&dialog](const QString& text) { dialog.EXPORTINFO(text); };
    dialog.exec();
    a.exportInfo = vorher;
}
