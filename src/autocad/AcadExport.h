#pragma once
// The CAD export driver: starts the CAD application, prepares a new drawing
// (point style, line-type scale, the "TORVENA" coordinate system with its y
// axis down the page), lets the page window compose its page into it, turns
// the drawing right way up (mirrored about the x axis, so the page runs from
// y = 0 down to negative y), restores the coordinate system, sets the limits
// of an A4 page and shows the drawing: it is written as
// <project folder>/DXF/<identifier>-<n>.dxf (first free n) and handed to the
// desktop's viewer.
//
// Errors are reported in the box "AutoCAD-Export" (OK goes on with the next
// step, Cancel ends the export without writing anything). When the
// application cannot be created, the box "HINWEIS" says so and the export
// ends.

#include <QString>
#include <functional>

namespace acad {

class Document;

struct ExportPage {
    // Composes the page into the document, clipped at the picture borders
    // when clip is true (the page window's SEITEA). Unset: the export reports
    // that the page cannot be drawn.
    std::function<void(Document& doc, bool clip)> SEITEA;
    // The record identifier that names the file.
    QString KEN;
};

class AcadExport {
public:
    // Progress texts for the dialog (its EXPORTINFO).
    std::function<void(const QString&)> EXPORTINFO;

    // Runs the export; language 1 English, otherwise German texts.
    void ACADEXPORT(bool clip, const ExportPage& page, int language);

    // The file written by the last run (empty when none was written).
    const QString& datei() const { return m_datei; }

private:
    void info(const QString& text) const;
    QString m_datei;
};

// Folder <project folder>/DXF of the current project.
QString dxfOrdner();

} // namespace acad
