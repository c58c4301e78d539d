#pragma once
// Texts of the database engine's errors in the language of the user
// interface. Every cause a user can meet gets a text of our own: disk full,
// not a database, read-only (and why: an interrupted write to undo, a folder
// that may not be written), locked, no permission (also where the engine
// reports it as a file it cannot open), damaged file; the messages that name
// a detail (a missing table or column) keep the detail inside our text. Any
// other error, a fault of the program's own SQL, keeps the engine's message.

#include <QString>
#include <QStringList>

struct sqlite3;

namespace db {

// The message for result code rc (extended codes allowed). `original` is the
// engine's own message, used where no text of our own exists.
QString engineMessage(int rc, const QString& original);

// The message of the last error on a connection handle (or of rc alone when
// the handle is null), in the language of the user interface.
QString engineMessage(sqlite3* handle, int rc);

// A database a writer killed in mid-transaction left behind, which its user
// may not write (the file or its folder): nothing can undo the write here.
QString interruptedWriteMessage(const QString& path, const QString& folder);

// A damaged database. The engine's check reports its findings in its own
// English; only the pages they name are given.
QString damageMessage(const QStringList& findings);

// A database that lacks tables the program needs.
QString missingTablesMessage(const QStringList& tables);

} // namespace db
