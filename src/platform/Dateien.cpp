#include "platform/Dateien.h"

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

namespace {
int nummer(int osFehler)
{
    switch (osFehler) {
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENAMETOOLONG:
        return err::BadFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return err::DiskFull;
    default:
        return err::PathFileAccess;
    }
}
} // namespace

VbError dateisystemFehler(int osFehler, const QString& pfad)
{
    const int n = nummer(osFehler);
    // The runtime's own text for a bad name does not say what is wrong with it.
    const QString beschreibung =
        osFehler == ENAMETOOLONG
            ? (locale().languageCode() == 3 ? QStringLiteral("Dateiname zu lang") : QStringLiteral("File name too long"))
            : errorDescription(n);
    return VbError(n, beschreibung + QStringLiteral(": ") + pfad);
}

void ordnerAnlegen(const QString& pfad)
{
    const QString ziel = QDir::cleanPath(QFileInfo(pfad).absoluteFilePath());
    if (QFileInfo(ziel).isDir())
        return;
    // From the top down, so the cause names the first folder that fails.
    QString weg;
    for (const QString& teil : ziel.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        weg += QLatin1Char('/') + teil;
        if (::mkdir(QFile::encodeName(weg).constData(), 0777) == 0)
            continue;
        const int fehler = errno;
        if (fehler == EEXIST && QFileInfo(weg).isDir())
            continue;
        throw dateisystemFehler(fehler == EEXIST ? ENOTDIR : fehler, weg);
    }
}

void schreibeAlles(int fd, const char* daten, std::size_t n, const QString& pfad)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, daten, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            throw dateisystemFehler(errno, pfad);
        }
        daten += w;
        n -= std::size_t(w);
    }
}

QString dateiStamm(const QString& text)
{
    QString s = text;
    for (QChar& c : s)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('_');
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

} // namespace vb
