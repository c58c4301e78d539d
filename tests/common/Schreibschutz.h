#pragma once
// Write protection of a folder that also holds for root (immutable flag).
#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

// Switches the protection on or off; false when the system cannot do it.
inline bool schreibschutz(const QString& ordner, bool an)
{
    if (::geteuid() != 0) {
        QFile::Permissions p = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
        if (!an)
            p |= QFile::WriteOwner;
        return QFile::setPermissions(ordner, p);
    }
    // Root writes anywhere; only the immutable flag stops it.
    return QProcess::execute(QStringLiteral("chattr"), {an ? QStringLiteral("+i") : QStringLiteral("-i"), ordner}) == 0;
}
