#include "database/Fehlertexte.h"

#include "platform/Services.h"

#include <sqlite3.h>

namespace db {

namespace {

struct Text {
    int code;
    const char* english;
    const char* german;
};

const Text kTexte[] = {
    {SQLITE_PERM, "Access permission denied", "Zugriff verweigert"},
    {SQLITE_BUSY, "The database is locked by another user", "Die Datenbank ist von einem anderen Benutzer gesperrt"},
    {SQLITE_LOCKED, "A table of the database is locked", "Eine Tabelle der Datenbank ist gesperrt"},
    {SQLITE_READONLY, "The database is read-only", "Die Datenbank ist schreibgeschützt"},
    {SQLITE_IOERR, "Disk I/O error", "Ein-/Ausgabefehler beim Zugriff auf die Datenbank"},
    {SQLITE_CORRUPT, "The database file is damaged", "Die Datenbankdatei ist beschädigt"},
    {SQLITE_FULL, "The disk is full", "Der Datenträger ist voll"},
    {SQLITE_CANTOPEN, "The database file cannot be opened", "Die Datenbankdatei kann nicht geöffnet werden"},
    {SQLITE_NOTADB, "The file is not a database", "Die Datei ist keine Datenbank"},
};

} // namespace

QString engineMessage(int rc, const QString& original)
{
    const int code = rc & 0xff;
    const bool deutsch = vb::locale().languageCode() == 3;
    for (const auto& t : kTexte) {
        if (t.code == code)
            return QString::fromUtf8(deutsch ? t.german : t.english);
    }
    return original;
}

QString engineMessage(sqlite3* handle, int rc)
{
    const QString original = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    return engineMessage(rc, original);
}

} // namespace db
