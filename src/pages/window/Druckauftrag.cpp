#include "pages/window/Druckauftrag.h"

#include "database/NeueDatei.h"
#include "platform/VbError.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace seiten {

namespace {
constexpr int kDruckerFehler = 482;
} // namespace

Druckerwahl& druckerwahl()
{
    static Druckerwahl w;
    return w;
}

Druckauftrag::Druckauftrag(const Druckerwahl& wahl)
{
    if (!wahl.pdfDatei.isEmpty()) {
        m_pdf = QFileInfo(wahl.pdfDatei).absoluteFilePath();
        // The page goes into a file of the job's own next to the target,
        // which takes the target's place when the job ends.
        m_datei = std::make_unique<db::NeueDatei>(m_pdf);
        m_ziel = std::make_unique<drawing::PrinterTarget>(m_datei->pfad());
    } else {
        const QPrinterInfo info =
            wahl.drucker.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(wahl.drucker);
        if (info.isNull())
            vb::raise(kDruckerFehler, QStringLiteral("Druckerfehler: ") + wahl.drucker);
        m_drucker = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        m_ziel = std::make_unique<drawing::PrinterTarget>(m_drucker.get());
    }
    m_offen = true;
}

Druckauftrag::~Druckauftrag()
{
    if (m_offen)
        KillDoc();
}

void Druckauftrag::EndDoc()
{
    if (!m_offen)
        return;
    m_offen = false;
    m_ziel->EndDoc();
    if (!m_datei)
        return;
    // A printer that could not write the page leaves the file empty, which
    // einsetzen refuses.
    std::unique_ptr<db::NeueDatei> datei = std::move(m_datei);
    datei->einsetzen();
}

void Druckauftrag::KillDoc()
{
    if (!m_offen)
        return;
    m_offen = false;
    m_ziel->KillDoc();
    m_datei.reset();
}

} // namespace seiten
