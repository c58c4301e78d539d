#include "database/Fehlertexte.h"

#include "platform/Services.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cerrno>

namespace db {

namespace {

struct Text {
    int code;
    const char* english;
    const char* german;
};

// Extended codes whose cause differs from that of their primary code; looked
// up before the primary codes.
const Text kGenau[] = {
    {SQLITE_READONLY_ROLLBACK, "An interrupted write to the database must be undone first",
     "Ein unterbrochener Schreibvorgang in der Datenbank muss erst zurückgenommen werden"},
    {SQLITE_READONLY_DIRECTORY, "The folder of the database may not be written",
     "Der Ordner der Datenbank darf nicht beschrieben werden"},
    {SQLITE_IOERR_DELETE, "The journal of the database cannot be removed",
     "Das Journal der Datenbank kann nicht entfernt werden"},
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
    {SQLITE_NOMEM, "Out of memory", "Nicht genügend Arbeitsspeicher"},
    {SQLITE_PROTOCOL, "The database is locked by another user", "Die Datenbank ist von einem anderen Benutzer gesperrt"},
    {SQLITE_TOOBIG, "A value is too large for the database", "Ein Wert ist zu groß für die Datenbank"},
    {SQLITE_MISMATCH, "Data type mismatch", "Datentypen unverträglich"},
    {SQLITE_NOLFS, "The file is too large for its file system", "Die Datei ist zu groß für ihr Dateisystem"},
    {SQLITE_SCHEMA, "The database layout has changed", "Der Aufbau der Datenbank hat sich geändert"},
    {SQLITE_INTERRUPT, "The database operation was interrupted", "Der Datenbankvorgang wurde abgebrochen"},
};

// Engine messages that name a detail, with our text around the detail
// (%1, %2 the parts the pattern captures).
struct Muster {
    const char* muster;
    const char* english;
    const char* german;
};
const Muster kMuster[] = {
    {"^no such table: (.+)$", "The database has no table %1", "Die Datenbank enthält keine Tabelle %1"},
    {"^no such column: (.+)$", "The database has no column %1", "Die Datenbank enthält keine Spalte %1"},
    {"^table (\\S+) has no column named (.+)$", "The table %1 has no column %2", "Die Tabelle %1 hat keine Spalte %2"},
};

bool deutsch() { return vb::locale().languageCode() == 3; }

QString text(const Text& t) { return QString::fromUtf8(deutsch() ? t.german : t.english); }

} // namespace

QString engineMessage(int rc, const QString& original)
{
    for (const auto& t : kGenau) {
        if (t.code == rc)
            return text(t);
    }
    const int code = rc & 0xff;
    for (const auto& t : kTexte) {
        if (t.code == code)
            return text(t);
    }
    for (const auto& m : kMuster) {
        const QRegularExpressionMatch treffer = QRegularExpression(QString::fromLatin1(m.muster)).match(original);
        if (!treffer.hasMatch())
            continue;
        const QString text = QString::fromUtf8(deutsch() ? m.german : m.english);
        // In one pass, so that a name holding "%2" stays as it is.
        return treffer.lastCapturedIndex() == 1 ? text.arg(treffer.captured(1))
                                                : text.arg(treffer.captured(1), treffer.captured(2));
    }
    return original;
}

QString engineMessage(sqlite3* handle, int rc)
{
    if (!handle)
        return engineMessage(rc, QString::fromUtf8(sqlite3_errstr(rc)));
    // The handle knows the precise cause of its last error, also when rc is
    // only the primary code; a file the system refused is a missing
    // permission, whatever the engine made of it.
    int genau = sqlite3_extended_errcode(handle);
    if ((genau & 0xff) != (rc & 0xff))
        genau = rc;
    const int os = sqlite3_system_errno(handle);
    const int code = rc & 0xff;
    if ((os == EACCES || os == EPERM || os == EROFS)
        && (code == SQLITE_CANTOPEN || code == SQLITE_IOERR || code == SQLITE_READONLY))
        genau = SQLITE_PERM;
    return engineMessage(genau, QString::fromUtf8(sqlite3_errmsg(handle)));
}

QString interruptedWriteMessage(const QString& path, const QString& folder)
{
    return deutsch() ? QStringLiteral("Das Schreiben in die Datenbank ") + path
                           + QStringLiteral(" wurde unterbrochen.\r\n")
                           + QStringLiteral("Nur ein Benutzer, der die Datei und ihren Ordner ") + folder
                           + QString::fromUtf8(" schreiben darf, kann es zurücknehmen.")
                     : QStringLiteral("Writing to the database ") + path + QStringLiteral(" was interrupted.\r\n")
                           + QStringLiteral("Only a user who may write the file and its folder ") + folder
                           + QStringLiteral(" can undo it.");
}

QString damageMessage(const QStringList& findings)
{
    static const QRegularExpression seite(QStringLiteral("\\bpage (\\d+)"), QRegularExpression::CaseInsensitiveOption);
    QStringList seiten;
    for (const QString& zeile : findings) {
        for (auto it = seite.globalMatch(zeile); it.hasNext();) {
            const QString n = it.next().captured(1);
            if (!seiten.contains(n))
                seiten << n;
        }
    }
    QString text = engineMessage(SQLITE_CORRUPT, QString());
    if (!seiten.isEmpty())
        text += (deutsch() ? QStringLiteral(" (Seite ") : QStringLiteral(" (page ")) + seiten.join(QStringLiteral(", "))
                + QLatin1Char(')');
    return text;
}

QString missingTablesMessage(const QStringList& tables)
{
    return engineMessage(SQLITE_CORRUPT, QString())
           + (deutsch() ? QStringLiteral(": es fehlen die Tabellen ") : QStringLiteral(": tables missing: "))
           + tables.join(QStringLiteral(", "));
}

} // namespace db
