// The CAD export driver.

#include "autocad/AcadExport.h"

#include "autocad/AcadDocument.h"
#include "autocad/DxfWriter.h"
#include "database/SharedState.h"
#include "platform/Dateien.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

namespace acad {

QString dxfOrdner()
{
    const db::SharedState& s = db::sharedState();
    return QDir(QDir(s.PROJEKTSPFAD).filePath(s.PROJEKT)).filePath(QStringLiteral("DXF"));
}

void AcadExport::info(const QString& text) const
{
    if (EXPORTINFO)
        EXPORTINFO(text);
}

void AcadExport::ACADEXPORT(bool clip, const ExportPage& page, int language)
{
    const bool english = language == 1;
    m_datei.clear();
    vb::ErrorTrap trap(QStringLiteral("AutoCAD-Export"), vb::kVbFehler);
    trap.numberLine();
    vb::showWaitPointer();

    std::shared_ptr<Application> app;
    Document* doc = nullptr;
    Ucs* previous = nullptr;
    bool started = false;
    try {
        app = createApplication();
        started = true;
    } catch (...) {
        const vb::VbError e = vb::currentVbError();
        if (e.number == vb::err::CannotCreateObject) {
            vb::MsgBox(QStringLiteral("Ein AutoCAD-Export ist nicht möglich, da AutoCAD entweder nicht installiert\n"
                                      "oder nicht lizensiert ist! Der AutoCAD-Export wird abgebrochen. Installieren\n"
                                      "bzw. lizensieren Sie AutoCAD und versuchen Sie es dann erneut!"),
                       vb::vbOKOnly, QStringLiteral("HINWEIS"));
        } else {
            trap([&] { throw e; });
        }
    }
    // Every step after the start needs the application; a failed start
    // leaves nothing to draw into.
    const bool go = started && !trap.cancelled();
    if (go && trap([&] { doc = app->ActiveDocument(); }) && doc) {
        trap([&] { doc->SetVariable(QStringLiteral("PDMODE"), vb::Variant(int16_t(0))); });
        trap([&] { doc->SetVariable(QStringLiteral("PDSIZE"), vb::Variant(int16_t(1))); });
        trap([&] { doc->SetVariable(QStringLiteral("CELTSCALE"), vb::Variant(0.35)); });
        trap([&] { previous = doc->ActiveUCS(); });
        trap([&] {
            Ucs* u = doc->UserCoordinateSystems().Add({0, 0, 0}, {1, 0, 0}, {0, -1, 0}, QStringLiteral("TORVENA"));
            doc->ActiveUCS(u);
        });
        trap([&] {
            if (!page.SEITEA)
                vb::raise(438);
            page.SEITEA(*doc, clip);
        });
        trap([&] {
            info(english ? QStringLiteral("Open AutoCAD.....") : QStringLiteral("AutoCAD wird geöffnet....."));
            vb::DoEvents();
        });
        // Right way up: each entity of the composition is mirrored about the
        // x axis (the copies come after them) and then deleted.
        std::vector<Entity*> composed;
        int n = 0;
        trap([&] { n = doc->ModelSpace().Count(); });
        for (int i = 0; i < n && !trap.cancelled(); ++i) {
            trap([&] {
                Entity* e = doc->ModelSpace().Item(i);
                composed.push_back(e);
                e->Mirror({0, 0, 0}, {1, 0, 0})->Update();
            });
        }
        for (Entity* e : composed)
            if (!trap([&] { e->Delete(); }))
                break;
        trap([&] { doc->ActiveUCS(previous); });
        trap([&] { doc->Limits({0, 0, 297, -297}); });
        trap([&] {
            app->Visible(true);
            app->WindowState(3);
            app->ZoomAll();
            doc->regen(0);
        });
        // Showing the drawing: written whole (or not at all), then opened.
        trap([&] {
            const QString folder = dxfOrdner();
            vb::ordnerAnlegen(folder);
            const QString path = vb::freierDateiname(folder, vb::dateiStamm(page.KEN), QStringLiteral(".dxf"));
            saveDxf(*doc, path);
            m_datei = path;
            // When the desktop's opener reports that it could not open the
            // drawing, the user is told where it lies.
            const QString meldung = (english ? QStringLiteral("The drawing was saved as:\n")
                                             : QStringLiteral("Die Zeichnung wurde gespeichert unter:\n"))
                                    + QDir::toNativeSeparators(path);
            vb::desktop().open(path, [meldung] {
                vb::MsgBox(meldung, vb::vbOKOnly | vb::vbInformation, QStringLiteral("AutoCAD-Export"));
            });
        });
    }
    vb::restoreWaitPointer();
    vb::DoEvents();
}

} // namespace acad
