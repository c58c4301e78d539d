#include "database/SharedState.h"

#include "database/Connection.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

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
    return vb::programFolder().contains(QLatin1String("SOURCE"), Qt::CaseInsensitive);
}

QString SharedState::XMDBPFAD() const
{
    QDir programm(vb::programFolder());
    QString pfad = QFileInfo(programm.absolutePath()).absolutePath() + QStringLiteral("/BENUTZER");
    for (const QString& ordner : {pfad, pfad + QLatin1Char('/') + BENUTZER()}) {
        if (!QFileInfo(ordner).isDir() && !QDir().mkdir(ordner))
            vb::raise(vb::err::PathNotFound,
                      vb::errorDescription(vb::err::PathNotFound) + QStringLiteral(": ") + ordner);
    }
    return pfad + QLatin1Char('/') + BENUTZER() + QLatin1Char('/') + kProgrammTitel + QStringLiteral(".mdb");
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
    if (nachrichtenHook) {
        nachrichtenHook();
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
