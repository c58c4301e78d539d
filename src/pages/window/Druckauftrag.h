#pragma once
// The program's printer and its print jobs.
//
// Druckerwahl is what the print dialog chose: a named printer, or a PDF file
// where no printer exists (or the user chose to print into a file). Every
// page printed is one Druckauftrag: a printer target for one job that is
// either ended (the page goes to the printer, the PDF file is in place) or
// aborted. A PDF job writes its file whole (db::NeueDatei): an aborted or
// failed job never leaves a partial file, and never damages a file that was
// there before.
#include "drawing/Target.h"

#include <QString>
#include <memory>

class QPrinter;
namespace db {
class NeueDatei;
}

namespace seiten {

struct Druckerwahl
{
    QString drucker;    // name of the printer; empty: the system's default printer
    QString pdfDatei;   // set: print into this PDF file
};

// The printer the next print jobs go to (the program's current printer).
Druckerwahl& druckerwahl();

class Druckauftrag
{
public:
    // Opens the job. Raises the error of the cause with the file named when
    // the PDF file cannot be written (vb::dateisystemFehler), 482 when the
    // printer cannot be opened.
    explicit Druckauftrag(const Druckerwahl& wahl);
    ~Druckauftrag();   // a job not ended is aborted
    Druckauftrag(const Druckauftrag&) = delete;
    Druckauftrag& operator=(const Druckauftrag&) = delete;

    drawing::PrinterTarget& ziel() { return *m_ziel; }
    // Ends the job: the page is printed, the PDF file put in place. Raises
    // when the file cannot be written; nothing is left behind then.
    void EndDoc();
    // Aborts the job: nothing is printed, no file written.
    void KillDoc();
    bool offen() const { return m_offen; }
    // The PDF file of the job (empty for a printer).
    QString pdfDatei() const { return m_pdf; }

private:
    std::unique_ptr<QPrinter> m_drucker;   // a named printer; outlives the target
    std::unique_ptr<drawing::PrinterTarget> m_ziel;
    QString m_pdf;
    std::unique_ptr<db::NeueDatei> m_datei;   // the PDF file being written
    bool m_offen = false;
};

} // namespace seiten
