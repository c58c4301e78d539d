#include "database/NeueDatei.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "platform/Dateien.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace db {

NeueDatei::NeueDatei(const QString& ziel) : m_ziel(QFileInfo(ziel).absoluteFilePath())
{
    const QFileInfo fi(m_ziel);
    if (!QFileInfo(fi.absolutePath()).isDir())
        throw vb::dateisystemFehler(ENOENT, m_ziel);
    aufraeumen(fi.absolutePath());
    m_pfad = temporaereDatei(m_ziel);
}

NeueDatei::~NeueDatei()
{
    if (!m_pfad.isEmpty())
        QFile::remove(m_pfad);
}

void NeueDatei::schreiben(const QByteArray& daten)
{
    const int fd = ::open(QFile::encodeName(m_pfad).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        throw vb::dateisystemFehler(errno, m_ziel);
    try {
        vb::schreibeAlles(fd, daten.constData(), size_t(daten.size()), m_ziel);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        throw vb::dateisystemFehler(errno, m_ziel);
}

void NeueDatei::einsetzen()
{
    if (QFileInfo(m_pfad).size() <= 0)
        vb::raiseFile(vb::err::PathFileAccess, m_ziel);
    // replaceFile takes the temporary file either way.
    const QString pfad = m_pfad;
    m_pfad.clear();
    replaceFile(pfad, m_ziel);
}

void schreibeDatei(const QString& ziel, const QByteArray& daten)
{
    NeueDatei datei(ziel);
    datei.schreiben(daten);
    datei.einsetzen();
}

} // namespace db
