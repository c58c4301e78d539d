#pragma once
// frmACAD: the CAD export dialog. It asks whether the parts of the page that
// lie outside the visible picture are drawn too (JA: everything, NEIN: only
// what the picture shows, Abbrechen: nothing), then runs the export driver
// and shows its progress in lblEXPORTINFO. It closes itself when the export
// ends. JA is the default button; Esc is Abbrechen.

#include "autocad/AcadExport.h"

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;

class frmACAD : public QDialog {
    Q_OBJECT
public:
    // page: the page window to export (its SEITEA and record identifier).
    explicit frmACAD(acad::ExportPage page, QWidget* parent = nullptr);
    ~frmACAD() override;

    // Progress text in the dialog (called by the page window while it composes).
    void EXPORTINFO(const QString& INFO);

    QLabel* lblACAD = nullptr;
    QLabel* lblEXPORTINFO = nullptr;
    QPushButton* cmdJA = nullptr;
    QPushButton* cmdNEIN = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

    // The driver of this dialog (its last file).
    const acad::AcadExport& driver() const { return m_export; }
    // Every progress text shown since the answer, in order.
    const QStringList& verlauf() const { return m_verlauf; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void antwort(bool clip);
    void platzieren();

    QFrame* fraREITER = nullptr;
    acad::ExportPage m_page;
    acad::AcadExport m_export;
    int m_sprache = 3;
    int m_infoTop = 0;
    QStringList m_verlauf;
};
