#pragma once
// Connections and result sets over SQLite with the behaviour the program
// expects of its Jet databases.
//
// - Connection::open never creates a file: a missing database is an error.
//   Busy timeout 30 s, rollback journal (never WAL), several connections to
//   one file side by side. A connection belongs to one thread (SQLite's
//   per-call locking is off).
// - Recordset is a static result set: all rows (with their rowid) are fetched
//   when it opens. Rows of a single-table query can be changed: setField +
//   update() writes by rowid, addNew() + setField + update() inserts,
//   deleteRow() deletes the current row. Prepared statements are cached per
//   connection, so a query run again costs no new preparation.
// - Values written are converted by the column's declared type, as Jet does:
//   "1,5" into a FLOAT column under a German locale stores 1.5, "abc" into a
//   number column or 40000 into a SMALLINT column raises an error (13 / 6).
//   Reads come back typed: SMALLINT -> Integer, INTEGER -> Long, FLOAT ->
//   Single, DOUBLE -> Double, BOOLEAN -> Boolean (stored 0/1), DATETIME ->
//   Date (stored as ISO text), TEXT -> String, NULL -> Null.
// - Queries keep their bracketed names; values are bound as parameters ('?').
//
// Errors are thrown as vb::VbError. Errors of the database engine carry the
// engine's result code as number and its message as description.

#include "platform/Variant.h"
#include "platform/VbError.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <unordered_map>
#include <span>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Recordset;

using Params = std::vector<vb::Variant>;

// Declared column types of the schema and what they hold.
enum class ColumnType {
    Integer,  // SMALLINT: 16-bit
    Long,     // INTEGER: 32-bit
    Single,   // FLOAT: 32-bit float
    Double,   // DOUBLE
    Boolean,  // BOOLEAN: 0/1
    Date,     // DATETIME: ISO text "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss"
    Text,     // TEXT (COLLATE NOCASE)
    Other,    // anything else, or an expression: the value as SQLite holds it
};

// Map a declared type text ("SMALLINT", "FLOAT", ...) to a ColumnType.
ColumnType columnTypeFromDecl(const QString& declaredType);

// Convert a value for storage in a column of the given type, as Jet converts
// (under the locale of the platform's locale service). Empty and Null give
// Null. Raises 13 for a value that does not convert, 6 for one out of range.
// The result is a Variant of the column's own type (Date for DATETIME).
vb::Variant convertForColumn(const vb::Variant& value, ColumnType type);

class Connection : public std::enable_shared_from_this<Connection> {
public:
    // Open an existing database file, brought to its last committed state
    // first (rollBackInterruptedWrite). Raises 53 (file not found) when the
    // file is missing, 70 when an interrupted write in it cannot be rolled
    // back, and the engine's error when it cannot be opened.
    static std::shared_ptr<Connection> open(const QString& path);
    // Create a new, empty database file (raises 58 when it exists already).
    // Only the schema builder uses this.
    static std::shared_ptr<Connection> create(const QString& path);
    // An empty database in memory (schema inspection).
    static std::shared_ptr<Connection> openInMemory();

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_db != nullptr; }
    void close();
    // Open the same file again after close(), in this object: whoever holds
    // the connection works on with it (the file may have been replaced in the
    // meantime, as compaction does). Nothing happens when it is open; raises
    // as open() does.
    void reopen();

    // Open a static result set on a query; '?' placeholders take params.
    // A ReadOnly set cannot change rows and is a little cheaper to open.
    enum class Cursor { Static, ReadOnly };
    std::unique_ptr<Recordset> openRecordset(const QString& sql, const Params& params = {},
                                             Cursor cursor = Cursor::Static);
    // Run one statement (INSERT/UPDATE/DELETE/DDL); returns the changed rows.
    int execute(const QString& sql, const Params& params = {});
    // Run several statements separated by ';' (schema scripts).
    void executeScript(const QString& sql);

    // Transactions. Nested begin calls are counted; only the outermost commit
    // writes; when that commit fails, the transaction is rolled back and the
    // error raised. Transaction is the scoped form: it rolls back unless committed.
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction();
    bool inTransaction() const { return m_txDepth > 0; }

    class Transaction {
    public:
        explicit Transaction(Connection& c);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
    private:
        Connection& m_c;
        bool m_done = false;
    };

    // A run of reads and writes in one transaction, such as the composition
    // of a page: the first read takes the file's shared lock once instead of
    // once per query, and the writes made meanwhile are committed together
    // when the run ends (one sync). While a run is open, the rows of a table
    // read by owner key are fetched once (batchRows) and served from memory
    // until anything is written on this connection; every read still sees
    // every write made before it. Runs nest and share the transaction of an
    // enclosing write; only the outermost end commits. While a run reads, no
    // other connection can write to the file.
    class Batch {
    public:
        explicit Batch(Connection& c);
        // Ends the run; a commit that fails there is rolled back silently.
        ~Batch();
        // Ends the run; raises when its commit fails (its writes are then
        // rolled back).
        void commit();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
    private:
        void ende();
        Connection& m_c;
        bool m_done = false;
    };
    bool inBatch() const { return m_batchDepth > 0; }

    // The rows of `table` whose `keyColumn` equals `key`, in storage order,
    // with every column as a read returns it; only while a run is open
    // (nullptr otherwise, and when the table or column cannot be read). The
    // pointer stays valid until the next call or the next write.
    struct Rows {
        QStringList columns;
        std::vector<ColumnType> types;
        std::vector<std::vector<vb::Variant>> values;
        int column(const QString& name) const;   // -1 when missing (case-insensitive)
        // Positions of the rows whose column holds the number, in storage
        // order (Null never matches); the column's index is built on first use.
        std::span<const int> matching(int column, double value) const;
    private:
        // A column's index: its numbers in ascending order with their rows
        // (in storage order among equal numbers).
        struct Index {
            std::vector<double> werte;
            std::vector<int> zeilen;
        };
        mutable std::unordered_map<int, Index> m_index;
        mutable QHash<QString, int> m_spalten;   // names as asked for -> position
        // The names asked for most recently, found again by their text's
        // address (a caller's literal keeps its address from call to call).
        mutable std::vector<std::pair<QString, int>> m_zuletztGefragt;
        // The last answer of matching(): the reads of one row ask for it in a run.
        mutable int m_letzteSpalte = -1;
        mutable double m_letzterWert = 0;
        mutable std::span<const int> m_letzteTreffer;
        mutable bool m_letzteGilt = false;
    };
    const Rows* batchRows(const QString& table, const QString& keyColumn, const vb::Variant& key);

    // Schema information (case-insensitive names).
    QStringList tableNames();
    QStringList columnNames(const QString& table);
    // Declared type of a column; Other when unknown.
    ColumnType columnType(const QString& table, const QString& column);
    bool hasTable(const QString& table);

    // Copy this database (consistently, even while other connections use it)
    // into destPath through SQLite's backup API, replacing destPath safely.
    void backupTo(const QString& destPath);

    sqlite3* handle() const { return m_db; }

    // Internal: run a statement whose last placeholder takes a rowid (>= 0).
    int execute(const QString& sql, const Params& params, long long rowid);
    // Internal: a prepared statement from the connection's cache.
    struct CachedStatement;
    CachedStatement* cachedStatement(const QString& sql, bool writable = false);
    [[noreturn]] void raiseEngineError(int rc, const QString& context = {}) const;

private:
    explicit Connection(QString path);
    void openHandle();
    struct Impl;
    QString m_path;
    sqlite3* m_db = nullptr;
    int m_txDepth = 0;
    int m_batchDepth = 0;
    std::unique_ptr<Impl> m_impl;
};

// Put the finished file tempPath (in the target's folder) in place of
// targetPath: it takes the target's access rights (a new target gets those of
// any new file), is synced, one rename replaces the target and the folder is
// synced. When it fails the target is left as it was and tempPath is removed;
// raises the error of the cause (vb::dateisystemFehler; 70 for a target its
// user may not write). Files beside the target are not touched.
void replaceFile(const QString& tempPath, const QString& targetPath);
// replaceFile for a database: the rollback journal left next to the target
// ("<target>-journal") belongs to the old contents and is removed before the
// rename, so it is never played back into the new file.
void replaceDatabase(const QString& tempPath, const QString& targetPath);

// Bring the database at `path` to its last committed state before it is
// used. A writer killed in mid-transaction leaves its journal "hot" beside
// the file; a connection that may write rolls it back on its first read, one
// that only reads cannot and fails. So where such a journal lies, the file is
// opened for writing and read once. Where its user may not write the file or
// its folder, nothing is touched and 70 is raised with a text that names the
// file. A journal that is not hot (none, or one a live writer holds) costs
// nothing. Connection::open, copyDatabase and the file checks call this
// themselves.
void rollBackInterruptedWrite(const QString& path);

// Copy a database file through the backup API (the source may be open in
// other connections). The copy is written to a temporary file in the target's
// folder and put in place with replaceDatabase, so a failure never leaves a
// damaged target. Raises 53 when the source is missing, 76 when
// the target's folder does not exist (it is never created); a source that
// cannot be read is reported under its own path.
void copyDatabase(const QString& sourcePath, const QString& destPath);

class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Navigation (deleted rows are skipped).
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    // Number of rows not deleted.
    int recordCount() const;

    // Fields of the current row (raises 3021 at EOF/BOF or on a deleted row,
    // and 3265 for an unknown field name, as the Jet layer does).
    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldIndex(const QString& name) const;   // -1 when missing
    vb::Variant field(const QString& name) const;
    vb::Variant field(int index) const;
    ColumnType fieldType(int index) const;

    // Change the current row (or the row being added). The value is converted
    // by the column's declared type at once (errors 13/6 raise here).
    void setField(const QString& name, const vb::Variant& value);
    void setField(int index, const vb::Variant& value);

    // Start a new row at the end of the set; it becomes the current row.
    void addNew();
    // Write the pending changes of the current row (insert or update).
    void update();
    // Drop pending changes.
    void cancelUpdate();
    bool editPending() const;
    // Delete the current row from the table; it stays current but is marked.
    void deleteRow();
    bool isDeleted() const;

    bool updatable() const;
    const QString& table() const;
    void close();

private:
    friend class Connection;
    Recordset();
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Error numbers of the result-set layer (as the Jet data layer numbers them).
namespace dberr {
constexpr int NoCurrentRecord = 3021;  // "Either BOF or EOF is True, or the current record has been deleted"
constexpr int ItemNotFound = 3265;     // field name not in the result set
constexpr int NotUpdatable = 3251;     // operation not supported by this result set
constexpr int ObjectClosed = 3704;     // connection or result set closed
}

} // namespace db
