#include "pages/window/Druckauftrag.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace seiten {

namespace {
constexpr int kDruckerFehler = 482;
constexpr int kDateiZugriff = 75;
} // namespace

Druckerwahl& druckerwahl()
{
    static Druckerwahl w;
    return w;
}

QString dateiStamm(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('/'), QLatin1Char('_'));
    s.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return s;
}

QString freierDateiname(const QString& ordner, const QString& stamm, const QString& endung)
{
    const QDir dir(ordner);
    for (int n = 1;; ++n) {
        const QString pfad = dir.filePath(QStringLiteral("%1-%2%3").arg(stamm).arg(n).arg(endung));
        if (!QFileInfo::exists(pfad))
            return pfad;
    }
}

Druckauftrag::Druckauftrag(const Druckerwahl& wahl)
{
    if (!wahl.pdfDatei.isEmpty()) {
        m_pdf = QFileInfo(wahl.pdfDatei).absoluteFilePath();
        // The job writes a file of its own next to the target, named after
        // the user and process, so that what a killed job left goes with the
        // next one.
        try {
            db::aufraeumen(QFileInfo(m_pdf).absolutePath());
            m_temp = db::temporaereDatei(m_pdf);
        } catch (const vb::VbError&) {
            vb::raise(kDateiZugriff, vb::errorDescription(kDateiZugriff) + QStringLiteral(": ") + m_pdf);
        }
        m_ziel = std::make_unique<drawing::PrinterTarget>(m_temp);
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
    if (m_temp.isEmpty())
        return;
    // An empty file means the page could not be written.
    if (QFileInfo(m_temp).size() == 0) {
        QFile::remove(m_temp);
        vb::raise(kDateiZugriff, vb::errorDescription(kDateiZugriff) + QStringLiteral(": ") + m_pdf);
    }
    db::replaceFile(m_temp, m_pdf);
}

void Druckauftrag::KillDoc()
{
    if (!m_offen)
        return;
    m_offen = false;
    m_ziel->KillDoc();
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
}

} // namespace seiten
