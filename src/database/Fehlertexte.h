#pragma once
// Texts of the database engine's errors in the language of the user
// interface. The common causes a user can act on (disk full, not a database,
// read-only, locked, no permission, damaged file) get a text of our own; any
// other error keeps the engine's message, which names the detail (a missing
// table, a wrong column).

#include <QString>

struct sqlite3;

namespace db {

// The message for result code rc (extended codes allowed). `original` is the
// engine's own message, used where no text of our own exists.
QString engineMessage(int rc, const QString& original);

// The message of the last error on a connection handle (or of rc alone when
// the handle is null), in the language of the user interface.
QString engineMessage(sqlite3* handle, int rc);

} // namespace db
