#include "database/SharedState.h"

#include "database/Connection.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace db {

SharedState::SharedState() = default;

QString SharedState::BENUTZER() const
{
    return vb::userName();
}

QString SharedState::DATENBANKPFAD() const
{
    return vb::databaseFolderSetting();
}

bool SharedState::entwicklungsmodus() const
{
    // A folder of the path is named "source"; a longer name that merely
    // contains the word (resources, opensource) is an installed program.
    QString pfad = vb::programFolder();
    const QStringList ordner = pfad.replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    return std::any_of(ordner.begin(), ordner.end(), [](const QString& o) {
        return o.compare(QLatin1String("source"), Qt::CaseInsensitive) == 0;
    });
}

Connection& SharedState::verbindung() const
{
    if (!cnnX || !cnnX->isOpen())
        vb::raise(vb::err::ObjectNotSet);
    return *cnnX;
}

QString SharedState::XMDBPFAD() const
{
    QDir programm(vb::programFolder());
    const QString alle = QFileInfo(programm.absolutePath()).absolutePath() + QStringLiteral("/BENUTZER");
    const QString eigener = alle + QLatin1Char('/') + BENUTZER();
    for (const QString& ordner : {alle, eigener}) {
        if (QFileInfo(ordner).isDir() || ::mkdir(QFile::encodeName(ordner).constData(), 0777) == 0)
            continue;
        // A folder its user may not make is a missing permission, not a
        // missing path.
        const int nummer = errno == EACCES || errno == EPERM || errno == EROFS ? vb::err::PermissionDenied
                                                                                : vb::err::PathNotFound;
        vb::raiseFile(nummer, ordner);
    }
    return eigener + QLatin1Char('/') + kProgrammTitel + QStringLiteral(".mdb");
}

void SharedState::setFortschritt(int wert)
{
    m_fortschritt = wert;
    if (fortschrittHook)
        fortschrittHook(wert);
}

void SharedState::setFortschrittSichtbar(bool sichtbar)
{
    m_fortschrittSichtbar = sichtbar;
    if (fortschrittSichtbarHook)
        fortschrittSichtbarHook(sichtbar);
}

void SharedState::nachrichtenLaufenLassen() const
{
    if (nachrichtenHook)
        nachrichtenHook();
    else
        vb::DoEvents();
}

void SharedState::reset()
{
    // Releases the references only: a connection closes with its last holder.
    *this = SharedState();
}

SharedState& sharedState()
{
    static SharedState state;
    return state;
}

} // namespace db
