#include "database/Connection.h"

#include "database/Arbeitskopie.h"
#include "database/Fehlertexte.h"
#include "platform/Dateien.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db {

namespace {

QString lower(const QString& s) { return s.toLower(); }

QString quoteName(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

[[noreturn]] void raiseClosed()
{
    vb::raise(dberr::ObjectClosed, QStringLiteral("Die Verbindung ist geschlossen."));
}

QString isoText(const vb::Variant& date)
{
    const QDateTime dt = vb::fromOleDate(date.oleDate());
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// A Single is stored as the double of its shortest decimal form (1.3f as
// 1.3, not 1.2999999523): it reads back as the same Single, and the file
// holds the numbers the user typed.
double singleAlsDouble(float f)
{
    if (!std::isfinite(f))
        return double(f);
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, f);
    // from_chars reads the point whatever the C locale's decimal sign is.
    double d = double(f);
    std::from_chars(buf, r.ptr, d);
    return d;
}

// Bind one value as the database holds it.
int bindValue(sqlite3_stmt* st, int index, const vb::Variant& v)
{
    switch (v.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
        return sqlite3_bind_null(st, index);
    case vb::VarType::Integer:
    case vb::VarType::Long:
        return sqlite3_bind_int64(st, index, static_cast<sqlite3_int64>(v.number()));
    case vb::VarType::Boolean:
        return sqlite3_bind_int(st, index, v.number() != 0 ? 1 : 0);
    case vb::VarType::Single:
        return sqlite3_bind_double(st, index, singleAlsDouble(static_cast<float>(v.number())));
    case vb::VarType::Double:
        return sqlite3_bind_double(st, index, v.number());
    case vb::VarType::Date: {
        const QByteArray u = isoText(v).toUtf8();
        return sqlite3_bind_text(st, index, u.constData(), u.size(), SQLITE_TRANSIENT);
    }
    case vb::VarType::String: {
        const QByteArray u = v.text().toUtf8();
        return sqlite3_bind_text(st, index, u.constData(), u.size(), SQLITE_TRANSIENT);
    }
    }
    return sqlite3_bind_null(st, index);
}

vb::Variant dateFromText(const QString& s)
{
    QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid())
        return vb::Variant(s);
    return vb::Variant::date(vb::toOleDate(dt));
}

vb::Variant wholeNumber(sqlite3_int64 i)
{
    if (i >= INT32_MIN && i <= INT32_MAX)
        return vb::Variant(static_cast<int>(i));
    return vb::Variant(static_cast<double>(i));
}

// Read a column of the current row typed by its declared type.
vb::Variant readValue(sqlite3_stmt* st, int col, ColumnType t)
{
    const int storage = sqlite3_column_type(st, col);
    if (storage == SQLITE_NULL)
        return vb::Variant::null();
    switch (t) {
    case ColumnType::Integer:
        if (storage == SQLITE_INTEGER) {
            const sqlite3_int64 i = sqlite3_column_int64(st, col);
            if (i >= INT16_MIN && i <= INT16_MAX)
                return vb::Variant(static_cast<int16_t>(i));
            return wholeNumber(i);
        }
        break;
    case ColumnType::Long:
        if (storage == SQLITE_INTEGER)
            return wholeNumber(sqlite3_column_int64(st, col));
        break;
    case ColumnType::Single:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return vb::Variant(static_cast<float>(sqlite3_column_double(st, col)));
        break;
    case ColumnType::Double:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return vb::Variant(sqlite3_column_double(st, col));
        break;
    case ColumnType::Boolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return vb::Variant(sqlite3_column_double(st, col) != 0.0);
        break;
    case ColumnType::Date:
        if (storage == SQLITE_TEXT) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
            return dateFromText(QString::fromUtf8(p, sqlite3_column_bytes(st, col)));
        }
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return vb::Variant::date(sqlite3_column_double(st, col));
        break;
    case ColumnType::Text:
    case ColumnType::Other:
        break;
    }
    // The value as SQLite holds it.
    switch (storage) {
    case SQLITE_INTEGER:
        return wholeNumber(sqlite3_column_int64(st, col));
    case SQLITE_FLOAT:
        return vb::Variant(sqlite3_column_double(st, col));
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        return vb::Variant(QString::fromUtf8(p, sqlite3_column_bytes(st, col)));
    }
    }
}

QString typeName(ColumnType t)
{
    switch (t) {
    case ColumnType::Integer: return QStringLiteral("SMALLINT");
    case ColumnType::Long: return QStringLiteral("INTEGER");
    case ColumnType::Single: return QStringLiteral("FLOAT");
    case ColumnType::Double: return QStringLiteral("DOUBLE");
    case ColumnType::Boolean: return QStringLiteral("BOOLEAN");
    case ColumnType::Date: return QStringLiteral("DATETIME");
    case ColumnType::Text: return QStringLiteral("TEXT");
    case ColumnType::Other: break;
    }
    return QString();
}

void syncFile(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    const int fd = ::open(p.constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Copy the main database of src into destPath: backup into a temporary file
// next to the target, sync, rename over the target.
void backupInto(sqlite3* src, const QString& destPath)
{
    // A source that cannot be read is reported under its own name, before
    // anything is written next to the target.
    {
        const int rc = sqlite3_exec(src, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            const char* name = sqlite3_db_filename(src, "main");
            vb::raise(rc, engineMessage(src, rc) + QStringLiteral(" (")
                              + (name && *name ? QString::fromUtf8(name) : QStringLiteral(":memory:"))
                              + QLatin1Char(')'));
        }
    }
    pruefeSchreibbar(destPath);
    // The target's folder must exist: a folder that has gone (a project moved
    // away, a share not mounted) is an error (76 from temporaereDatei), never
    // made anew in its place.
    const QString tmpPath = temporaereDatei(destPath);

    sqlite3* dst = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(tmpPath).constData(), &dst,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString fehler;
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(dst, 30000);
        sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
        if (!b) {
            rc = sqlite3_errcode(dst);
            fehler = engineMessage(dst, rc);
        } else {
            for (;;) {
                rc = sqlite3_backup_step(b, -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    sqlite3_sleep(50);
                    continue;
                }
                break;
            }
            sqlite3_backup_finish(b);
            if (rc == SQLITE_DONE)
                rc = SQLITE_OK;
            else
                fehler = engineMessage(nullptr, rc);
        }
    } else {
        fehler = engineMessage(nullptr, rc);
    }
    if (dst) {
        if (rc == SQLITE_OK)
            sqlite3_exec(dst, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        sqlite3_close(dst);
    }
    if (rc != SQLITE_OK) {
        // Neither the unfinished copy nor its journal stays behind.
        QFile::remove(tmpPath);
        QFile::remove(tmpPath + QStringLiteral("-journal"));
        vb::raise(rc, fehler + QStringLiteral(" (") + destPath + QLatin1Char(')'));
    }
    replaceDatabase(tmpPath, destPath);
}

} // namespace

ColumnType columnTypeFromDecl(const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    if (t == QLatin1String("SMALLINT") || t == QLatin1String("SHORT"))
        return ColumnType::Integer;
    if (t == QLatin1String("INTEGER") || t == QLatin1String("INT") || t == QLatin1String("LONG"))
        return ColumnType::Long;
    if (t == QLatin1String("FLOAT") || t == QLatin1String("SINGLE") || t == QLatin1String("REAL"))
        return ColumnType::Single;
    if (t == QLatin1String("DOUBLE"))
        return ColumnType::Double;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BIT"))
        return ColumnType::Boolean;
    if (t == QLatin1String("DATETIME") || t == QLatin1String("DATE"))
        return ColumnType::Date;
    if (t.startsWith(QLatin1String("TEXT")) || t.startsWith(QLatin1String("VARCHAR"))
        || t == QLatin1String("MEMO"))
        return ColumnType::Text;
    return ColumnType::Other;
}

vb::Variant convertForColumn(const vb::Variant& value, ColumnType type)
{
    if (value.isEmpty() || value.isNull())
        return type == ColumnType::Boolean ? vb::Variant(false) : vb::Variant::null();
    switch (type) {
    case ColumnType::Integer:
        return vb::Variant(vb::CInt(value));
    case ColumnType::Long:
        return vb::Variant(static_cast<int>(vb::CLng(value)));
    case ColumnType::Single:
        return vb::Variant(vb::CSng(value));
    case ColumnType::Double:
        return vb::Variant(vb::CDbl(value));
    case ColumnType::Boolean:
        return vb::Variant(vb::CBool(value));
    case ColumnType::Date:
        return vb::CDate(value);
    case ColumnType::Text:
        return vb::Variant(vb::CStr(value));
    case ColumnType::Other:
        break;
    }
    return value;
}

// ---------------------------------------------------------------------------
// Connection

struct Connection::CachedStatement {
    sqlite3_stmt* stmt = nullptr;
    bool inUse = false;
    // Result-set analysis (queries only).
    bool withRowid = false;       // column 0 is the rowid of `table`
    QString table;                // the one table the columns come from
    std::vector<QString> names;   // result columns (without the rowid)
    std::vector<ColumnType> types;
    std::vector<QString> origins; // column name in the table ("" for expressions)

    ~CachedStatement()
    {
        if (stmt)
            sqlite3_finalize(stmt);
    }
};

struct Connection::Impl {
    QHash<QString, CachedStatement*> cache;
    // Rows served from memory during a run, by table, key column and key;
    // valid while the connection's change count stays at zeilenStand.
    QHash<QString, std::shared_ptr<Rows>> zeilen;
    long long zeilenStand = -1;
    // The file's data version when the rows were fetched; checked once per
    // run, so rows stay from one run to the next while nobody writes.
    long long zeilenVersion = -1;
    bool zeilenGeprueft = false;
    // The rows asked for last: the reads of one column of a page mostly
    // follow each other.
    struct Zuletzt {
        QString tabelle, spalte;
        double schluessel = 0;
        Rows* zeilen = nullptr;
    } zuletzt;
    void zeilenVergessen()
    {
        zeilen.clear();
        zuletzt = Zuletzt();
    }
    QHash<QString, QHash<QString, ColumnType>> typen;   // lower table -> lower column -> type
    QHash<QString, QStringList> spalten;                 // lower table -> columns in order

    ~Impl()
    {
        qDeleteAll(cache);
    }
    // Statements in use stay (they are released by their user).
    void clearCache()
    {
        for (auto it = cache.begin(); it != cache.end();) {
            if (it.value()->inUse) {
                ++it;
            } else {
                delete it.value();
                it = cache.erase(it);
            }
        }
    }
};

Connection::Connection(QString path)
    : m_path(std::move(path)), m_impl(std::make_unique<Impl>())
{
}

Connection::~Connection()
{
    close();
}

std::shared_ptr<Connection> Connection::open(const QString& path)
{
    std::shared_ptr<Connection> c(new Connection(path));
    c->openHandle();
    return c;
}

void Connection::reopen()
{
    if (m_db)
        return;
    // The file may have been replaced while closed: nothing learnt about the
    // old one is kept.
    m_impl->clearCache();
    m_impl->typen.clear();
    m_impl->spalten.clear();
    m_impl->zeilenVergessen();
    openHandle();
    m_txDepth = 0;
    m_batchDepth = 0;
}

void Connection::openHandle()
{
    const QString& path = m_path;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        vb::raiseFile(vb::err::FileNotFound, path);
    rollBackInterruptedWrite(path);
    // A connection is used by one thread (the user-interface thread): no
    // per-call locking inside SQLite.
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(m_db, rc);
        if (m_db)
            sqlite3_close(m_db);
        m_db = nullptr;
        vb::raise(rc, msg + QStringLiteral(" (") + path + QLatin1Char(')'));
    }
    sqlite3_busy_timeout(m_db, 30000);
    // Rollback journal; this also proves that the file is a database.
    rc = sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(m_db, rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        vb::raise(rc, msg + QStringLiteral(" (") + path + QLatin1Char(')'));
    }
}

std::shared_ptr<Connection> Connection::create(const QString& path)
{
    if (QFileInfo::exists(path))
        vb::raiseFile(vb::err::FileExists, path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    sqlite3* h = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        if (h)
            sqlite3_close(h);
        vb::raise(rc, engineMessage(nullptr, rc) + QStringLiteral(" (") + path + QLatin1Char(')'));
    }
    sqlite3_close(h);
    return open(path);
}

std::shared_ptr<Connection> Connection::openInMemory()
{
    std::shared_ptr<Connection> c(new Connection(QStringLiteral(":memory:")));
    const int rc = sqlite3_open_v2(":memory:", &c->m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        vb::raise(rc, QString::fromUtf8(sqlite3_errstr(rc)));
    return c;
}

void Connection::close()
{
    if (!m_db)
        return;
    m_impl->clearCache();
    m_impl->zeilenVergessen();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_txDepth = 0;
    m_batchDepth = 0;
}

void Connection::raiseEngineError(int rc, const QString& context) const
{
    QString msg = engineMessage(m_db, rc);
    if (!context.isEmpty())
        msg += QStringLiteral(" [") + context + QLatin1Char(']');
    vb::raise(rc, msg);
}

Connection::CachedStatement* Connection::cachedStatement(const QString& sql, bool writable)
{
    if (!m_db)
        raiseClosed();
    // Changeable result sets carry the rowid: they are cached apart.
    const QString key = writable ? QStringLiteral("W\n") + sql : sql;
    if (CachedStatement* cs = m_impl->cache.value(key)) {
        if (!cs->inUse)
            return cs;
    }
    auto cs = std::make_unique<CachedStatement>();
    const QByteArray u = sql.toUtf8();
    int rc = sqlite3_prepare_v2(m_db, u.constData(), u.size(), &cs->stmt, nullptr);
    if (rc != SQLITE_OK)
        raiseEngineError(rc, sql);
    if (!cs->stmt)
        vb::raise(vb::err::InvalidCall, QStringLiteral("Leere Abfrage"));

    const int n = sqlite3_column_count(cs->stmt);
    if (n > 0) {
        // Where do the columns come from? A result set is changeable when all
        // its table columns come from one table of the main database and the
        // query is a plain SELECT over it.
        QString table;
        bool oneTable = true;
        for (int i = 0; i < n; ++i) {
            const char* t = sqlite3_column_table_name(cs->stmt, i);
            const char* o = sqlite3_column_origin_name(cs->stmt, i);
            const char* dname = sqlite3_column_database_name(cs->stmt, i);
            const char* decl = sqlite3_column_decltype(cs->stmt, i);
            cs->names.push_back(QString::fromUtf8(sqlite3_column_name(cs->stmt, i)));
            cs->types.push_back(decl && t ? columnTypeFromDecl(QString::fromUtf8(decl)) : ColumnType::Other);
            cs->origins.push_back(o ? QString::fromUtf8(o) : QString());
            if (t) {
                const QString tn = QString::fromUtf8(t);
                if (table.isEmpty())
                    table = tn;
                else if (tn.compare(table, Qt::CaseInsensitive) != 0)
                    oneTable = false;
                if (!dname || qstrcmp(dname, "main") != 0)
                    oneTable = false;
            }
        }
        const QString s = sql.trimmed();
        const QString up = s.toUpper();
        const bool plainSelect = up.startsWith(QLatin1String("SELECT "))
                                 && !up.startsWith(QLatin1String("SELECT DISTINCT"))
                                 && !up.contains(QLatin1String(" GROUP BY "))
                                 && !up.contains(QLatin1String(" UNION "))
                                 && !up.contains(QLatin1String(" JOIN "));
        if (!table.isEmpty() && oneTable)
            cs->table = table;
        if (writable && oneTable && !table.isEmpty() && plainSelect) {
            const QString rewritten = QStringLiteral("SELECT ") + quoteName(table)
                                      + QStringLiteral(".rowid, ") + s.mid(7);
            const QByteArray ru = rewritten.toUtf8();
            sqlite3_stmt* st2 = nullptr;
            if (sqlite3_prepare_v2(m_db, ru.constData(), ru.size(), &st2, nullptr) == SQLITE_OK && st2
                && sqlite3_column_count(st2) == n + 1) {
                sqlite3_finalize(cs->stmt);
                cs->stmt = st2;
                cs->withRowid = true;
                cs->table = table;
            } else if (st2) {
                sqlite3_finalize(st2);
            }
        }
    }

    if (m_impl->cache.size() > 256)
        m_impl->clearCache();
    CachedStatement* raw = cs.release();
    if (m_impl->cache.contains(key)) {
        // The cached one is busy (a nested use): keep this one beside it.
        m_impl->cache.insert(key + QStringLiteral("\n#") + QString::number(quintptr(raw)), raw);
    } else {
        m_impl->cache.insert(key, raw);
    }
    return raw;
}

namespace {
// Marks a cached statement busy for a scope; afterwards it is reset and free
// for the next caller.
struct StatementUse {
    Connection::CachedStatement* cs;
    explicit StatementUse(Connection::CachedStatement* c) : cs(c) { cs->inUse = true; }
    ~StatementUse()
    {
        sqlite3_reset(cs->stmt);
        sqlite3_clear_bindings(cs->stmt);
        cs->inUse = false;
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
};
} // namespace

int Connection::execute(const QString& sql, const Params& params)
{
    return execute(sql, params, -1);
}

int Connection::execute(const QString& sql, const Params& params, long long rowid)
{
    CachedStatement* cs = cachedStatement(sql);
    sqlite3_stmt* st = cs->stmt;
    StatementUse use(cs);
    for (size_t i = 0; i < params.size(); ++i) {
        const int rc = bindValue(st, int(i) + 1, params[i]);
        if (rc != SQLITE_OK)
            raiseEngineError(rc, sql);
    }
    if (rowid >= 0) {
        const int rc = sqlite3_bind_int64(st, int(params.size()) + 1, rowid);
        if (rc != SQLITE_OK)
            raiseEngineError(rc, sql);
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        raiseEngineError(rc, sql);
    const QString up = sql.trimmed().left(6).toUpper();
    if (up.startsWith(QLatin1String("CREATE")) || up.startsWith(QLatin1String("DROP"))
        || up.startsWith(QLatin1String("ALTER"))) {
        // The layout changed: forget what was learnt about it.
        m_impl->typen.clear();
        m_impl->spalten.clear();
        m_impl->clearCache();
    }
    return sqlite3_changes(m_db);
}

void Connection::executeScript(const QString& sql)
{
    if (!m_db)
        raiseClosed();
    char* err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    m_impl->typen.clear();
    m_impl->spalten.clear();
    m_impl->clearCache();
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(rc, err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_free(err);
        vb::raise(rc, msg);
    }
}

void Connection::beginTransaction()
{
    if (m_txDepth == 0)
        execute(QStringLiteral("BEGIN IMMEDIATE"));
    ++m_txDepth;
}

void Connection::commitTransaction()
{
    if (m_txDepth <= 0)
        return;
    if (m_txDepth == 1) {
        try {
            execute(QStringLiteral("COMMIT"));
        } catch (...) {
            // A failed commit (the file is locked by another program) leaves
            // the engine's transaction open: end it, or every later write
            // would nest inside it and never be committed.
            rollbackTransaction();
            throw;
        }
    }
    --m_txDepth;
}

void Connection::rollbackTransaction()
{
    if (m_txDepth <= 0)
        return;
    m_txDepth = 0;
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

Connection::Batch::Batch(Connection& c) : m_c(c)
{
    // Deferred: the shared lock is taken by the first read, the write lock
    // only by a first write.
    if (m_c.m_txDepth == 0)
        m_c.execute(QStringLiteral("BEGIN"));
    ++m_c.m_txDepth;
    ++m_c.m_batchDepth;
}

Connection::Batch::~Batch()
{
    if (m_done)
        return;
    try {
        commit();
    } catch (...) {
    }
}

void Connection::Batch::ende()
{
    m_done = true;
    if (m_c.m_batchDepth > 0 && --m_c.m_batchDepth == 0)
        m_c.m_impl->zeilenGeprueft = false;
}

void Connection::Batch::commit()
{
    if (m_done)
        return;
    ende();
    m_c.commitTransaction();
}

int Connection::Rows::column(const QString& name) const
{
    // The same address and length hold the same text: the remembered copy
    // keeps its characters alive.
    for (const auto& [gefragt, position] : m_zuletztGefragt)
        if (gefragt.constData() == name.constData() && gefragt.size() == name.size())
            return position;
    int gefunden = -1;
    if (const auto it = m_spalten.constFind(name); it != m_spalten.constEnd()) {
        gefunden = it.value();
    } else {
        for (int i = 0; i < columns.size() && gefunden < 0; ++i)
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
                gefunden = i;
        m_spalten.insert(name, gefunden);
    }
    if (m_zuletztGefragt.size() >= 32)
        m_zuletztGefragt.erase(m_zuletztGefragt.begin());
    m_zuletztGefragt.emplace_back(name, gefunden);
    return gefunden;
}

std::span<const int> Connection::Rows::matching(int column, double value) const
{
    if (m_letzteGilt && m_letzteSpalte == column && m_letzterWert == value)
        return m_letzteTreffer;
    auto [it, neu] = m_index.try_emplace(column);
    Index& index = it->second;
    if (neu) {
        // NaN equals nothing (and has no place in an order): it is left out.
        std::vector<std::pair<double, int>> paare;
        paare.reserve(values.size());
        for (size_t r = 0; r < values.size(); ++r) {
            const vb::Variant& v = values[r][size_t(column)];
            if (!v.isNull() && !v.isEmpty() && !std::isnan(v.number()))
                paare.emplace_back(v.number(), int(r));
        }
        std::stable_sort(paare.begin(), paare.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        index.werte.reserve(paare.size());
        index.zeilen.reserve(paare.size());
        for (const auto& [wert, zeile] : paare) {
            index.werte.push_back(wert);
            index.zeilen.push_back(zeile);
        }
    }
    if (std::isnan(value))
        return {};
    const auto [von, bis] = std::equal_range(index.werte.begin(), index.werte.end(), value);
    m_letzteSpalte = column;
    m_letzterWert = value;
    m_letzteTreffer = std::span<const int>(index.zeilen.data() + (von - index.werte.begin()), size_t(bis - von));
    m_letzteGilt = true;
    return m_letzteTreffer;
}

const Connection::Rows* Connection::batchRows(const QString& table, const QString& keyColumn, const vb::Variant& key)
{
    // Only inside the run's transaction: after a rollback the rows could
    // change under a cache.
    if (m_batchDepth == 0 || !m_db || sqlite3_get_autocommit(m_db))
        return nullptr;
    // Anything written on this connection since the rows were fetched (no
    // other connection can write while the run holds its lock) drops them.
    const long long stand = sqlite3_total_changes64(m_db);
    if (stand != m_impl->zeilenStand) {
        m_impl->zeilenVergessen();
        m_impl->zeilenStand = stand;
    }
    // Once per run: what another connection has committed since the rows
    // were fetched drops them too. The pragma reads inside the run's
    // transaction, so nobody can commit after it until the run ends.
    if (!m_impl->zeilenGeprueft) {
        long long version = -2;
        try {
            version = (long long)(openRecordset(QStringLiteral("PRAGMA data_version"), {}, Cursor::ReadOnly)
                                      ->field(0)
                                      .number());
        } catch (...) {
        }
        if (version != m_impl->zeilenVersion || version < 0)
            m_impl->zeilenVergessen();
        m_impl->zeilenVersion = version;
        m_impl->zeilenGeprueft = true;
    }
    auto& z = m_impl->zuletzt;
    if (z.zeilen && z.schluessel == key.number() && z.tabelle == table && z.spalte == keyColumn)
        return z.zeilen;
    const QString schluessel = table.toLower() + QChar(0x1f) + keyColumn.toLower() + QChar(0x1f) +
                               QString::number(key.number(), 'g', 17);
    if (auto it = m_impl->zeilen.constFind(schluessel); it != m_impl->zeilen.constEnd()) {
        z = {table, keyColumn, key.number(), it.value().get()};
        return z.zeilen;
    }
    auto zeilen = std::make_shared<Rows>();
    try {
        auto rs = openRecordset(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("] WHERE [") + keyColumn +
                                    QStringLiteral("] = ? ORDER BY rowid"),
                                {key}, Cursor::ReadOnly);
        const int n = rs->fieldCount();
        for (int c = 0; c < n; ++c) {
            zeilen->columns << rs->fieldName(c);
            zeilen->types.push_back(rs->fieldType(c));
        }
        for (; !rs->eof(); rs->moveNext()) {
            std::vector<vb::Variant> zeile;
            zeile.reserve(size_t(n));
            for (int c = 0; c < n; ++c)
                zeile.push_back(rs->field(c));
            zeilen->values.push_back(std::move(zeile));
        }
    } catch (...) {
        return nullptr;
    }
    m_impl->zeilen.insert(schluessel, zeilen);
    z = {table, keyColumn, key.number(), zeilen.get()};
    return z.zeilen;
}

Connection::Transaction::Transaction(Connection& c) : m_c(c)
{
    m_c.beginTransaction();
}

Connection::Transaction::~Transaction()
{
    if (!m_done)
        m_c.rollbackTransaction();
}

void Connection::Transaction::commit()
{
    m_c.commitTransaction();
    m_done = true;
}

QStringList Connection::tableNames()
{
    QStringList out;
    auto rs = openRecordset(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid"), {},
                            Cursor::ReadOnly);
    for (; !rs->eof(); rs->moveNext())
        out << rs->field(0).text();
    return out;
}

QStringList Connection::columnNames(const QString& table)
{
    const QString key = lower(table);
    auto it = m_impl->spalten.constFind(key);
    if (it != m_impl->spalten.constEnd())
        return *it;
    QStringList names;
    QHash<QString, ColumnType> types;
    auto rs = openRecordset(QStringLiteral("PRAGMA table_info(") + quoteName(table) + QLatin1Char(')'), {},
                            Cursor::ReadOnly);
    for (; !rs->eof(); rs->moveNext()) {
        const QString n = rs->field(QStringLiteral("name")).text();
        names << n;
        types.insert(lower(n), columnTypeFromDecl(rs->field(QStringLiteral("type")).text()));
    }
    m_impl->spalten.insert(key, names);
    m_impl->typen.insert(key, types);
    return names;
}

bool Connection::hasTable(const QString& table)
{
    return !columnNames(table).isEmpty();
}

ColumnType Connection::columnType(const QString& table, const QString& column)
{
    const QString key = lower(table);
    if (!m_impl->typen.contains(key))
        columnNames(table);
    return m_impl->typen.value(key).value(lower(column), ColumnType::Other);
}

void Connection::backupTo(const QString& destPath)
{
    if (!m_db)
        raiseClosed();
    backupInto(m_db, destPath);
}

namespace {
void ersetzen(const QString& tempPath, const QString& targetPath, bool datenbank)
{
    const QByteArray temp = QFile::encodeName(tempPath);
    const QByteArray target = QFile::encodeName(targetPath);
    auto scheitern = [&](int osFehler) {
        QFile::remove(tempPath);
        throw vb::dateisystemFehler(osFehler, targetPath);
    };
    // The temporary file is private to its owner; the new contents take the
    // access rights of the file they replace (a project folder is shared by
    // the project's users), or those of any new file.
    struct stat alt {};
    mode_t rechte;
    if (::stat(target.constData(), &alt) == 0) {
        rechte = alt.st_mode & 07777;
    } else {
        const mode_t maske = ::umask(0);
        ::umask(maske);
        rechte = 0666 & ~maske;
    }
    // A target its user may not write is not replaced behind its back.
    try {
        pruefeSchreibbar(targetPath);
    } catch (const vb::VbError&) {
        scheitern(EACCES);
    }
    ::chmod(temp.constData(), rechte);

    // Its contents reach the disk before they replace the target.
    const int fd = ::open(temp.constData(), O_RDONLY);
    if (fd < 0)
        scheitern(errno);
    const int geschrieben = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (geschrieben != 0)
        scheitern(geschrieben);
    // A database's journal left next to it belongs to the old contents.
    // Beside any other file a name ending in "-journal" is someone else's.
    if (datenbank)
        QFile::remove(targetPath + QStringLiteral("-journal"));
    if (::rename(temp.constData(), target.constData()) != 0)
        scheitern(errno);
    syncFile(QFileInfo(targetPath).absolutePath());
}
} // namespace

void replaceFile(const QString& tempPath, const QString& targetPath) { ersetzen(tempPath, targetPath, false); }

void replaceDatabase(const QString& tempPath, const QString& targetPath) { ersetzen(tempPath, targetPath, true); }

void rollBackInterruptedWrite(const QString& path)
{
    const QString journal = path + QStringLiteral("-journal");
    if (!QFileInfo(journal).isFile() || !QFileInfo(path).isFile())
        return;
    // One read on a connection of the given kind: the engine's extended
    // result code (SQLITE_OK when the read went through).
    auto lesen = [&path](int flags, int warten) {
        sqlite3* h = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, flags, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_extended_result_codes(h, 1);
            sqlite3_busy_timeout(h, warten);
            rc = sqlite3_exec(h, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        }
        QString text = engineMessage(h, rc);
        sqlite3_close(h);
        return std::make_pair(rc, text);
    };
    // A reader is refused exactly when the journal is hot: it holds pages of
    // an unfinished write that no live process owns. A file locked by a live
    // writer (also one of this process) has no such journal: the reader does
    // not wait for it.
    if (lesen(SQLITE_OPEN_READONLY, 0).first != SQLITE_READONLY_ROLLBACK)
        return;
    const QString ordner = QFileInfo(path).absolutePath();
    struct stat s {};
    const QByteArray datei = QFile::encodeName(path);
    const bool schreibbar = ::stat(datei.constData(), &s) == 0 && (s.st_mode & 0222) != 0
                            && ::access(datei.constData(), W_OK) == 0
                            && ::access(QFile::encodeName(ordner).constData(), W_OK) == 0;
    if (!schreibbar)
        vb::raise(vb::err::PermissionDenied, interruptedWriteMessage(path, ordner));
    const auto [rc, text] = lesen(SQLITE_OPEN_READWRITE, 30000);
    if (rc != SQLITE_OK)
        vb::raise(rc & 0xff, text + QStringLiteral(" (") + path + QLatin1Char(')'));
}

void copyDatabase(const QString& sourcePath, const QString& destPath)
{
    if (!QFileInfo(sourcePath).isFile())
        vb::raiseFile(vb::err::FileNotFound, sourcePath);
    rollBackInterruptedWrite(sourcePath);
    sqlite3* src = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(sourcePath).constData(), &src, SQLITE_OPEN_READONLY,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(src, rc);
        if (src)
            sqlite3_close(src);
        vb::raise(rc, msg + QStringLiteral(" (") + sourcePath + QLatin1Char(')'));
    }
    sqlite3_busy_timeout(src, 30000);
    try {
        backupInto(src, destPath);
    } catch (...) {
        sqlite3_close(src);
        throw;
    }
    sqlite3_close(src);
}

// ---------------------------------------------------------------------------
// Recordset

struct Recordset::Impl {
    std::shared_ptr<Connection> cnn;
    QString table;
    bool updatable = false;
    int cols = 0;
    std::vector<QString> names;
    std::vector<ColumnType> types;
    std::vector<QString> origins;
    std::vector<vb::Variant> values;   // rows * cols
    std::vector<sqlite3_int64> rowids;
    std::vector<char> deleted;
    int rows = 0;
    int live = 0;        // rows not deleted
    int pos = 0;         // current row; rows = EOF; -1 = BOF
    bool open = true;
    // Pending changes of the current row.
    bool adding = false;
    std::vector<std::pair<int, vb::Variant>> pending;

    void ensureOpen() const
    {
        if (!open)
            vb::raise(dberr::ObjectClosed, QStringLiteral("Die Datensatzgruppe ist geschlossen."));
    }
    void ensureCurrent() const
    {
        ensureOpen();
        if (pos < 0 || pos >= rows || deleted[pos])
            vb::raise(dberr::NoCurrentRecord,
                      QStringLiteral("Kein aktueller Datensatz (BOF oder EOF ist True, oder der "
                                     "aktuelle Datensatz wurde gelöscht)."));
    }
    int checkIndex(int i) const
    {
        if (i < 0 || i >= cols)
            vb::raise(dberr::ItemNotFound,
                      QStringLiteral("Das Element wurde in der Auflistung nicht gefunden: ") + QString::number(i));
        return i;
    }
    int indexOf(const QString& name) const
    {
        for (int i = 0; i < cols; ++i)
            if (names[size_t(i)].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    int requireIndex(const QString& name) const
    {
        const int i = indexOf(name);
        if (i < 0)
            vb::raise(dberr::ItemNotFound,
                      QStringLiteral("Das Element wurde in der Auflistung nicht gefunden: ") + name);
        return i;
    }
    void skipForward()
    {
        while (pos < rows && pos >= 0 && deleted[size_t(pos)])
            ++pos;
    }
    void skipBackward()
    {
        while (pos >= 0 && pos < rows && deleted[size_t(pos)])
            --pos;
    }
};

Recordset::Recordset() : d(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

std::unique_ptr<Recordset> Connection::openRecordset(const QString& sql, const Params& params, Cursor cursor)
{
    CachedStatement* cs = cachedStatement(sql, cursor == Cursor::Static);
    sqlite3_stmt* st = cs->stmt;
    StatementUse use(cs);

    for (size_t i = 0; i < params.size(); ++i) {
        const int rc = bindValue(st, int(i) + 1, params[i]);
        if (rc != SQLITE_OK)
            raiseEngineError(rc, sql);
    }

    std::unique_ptr<Recordset> rs(new Recordset());
    Recordset::Impl& r = *rs->d;
    r.cnn = shared_from_this();
    r.cols = int(cs->names.size());
    r.names = cs->names;
    r.types = cs->types;
    r.origins = cs->origins;
    r.table = cs->table;
    r.updatable = cs->withRowid;
    const int off = cs->withRowid ? 1 : 0;

    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        r.rowids.push_back(off ? sqlite3_column_int64(st, 0) : 0);
        for (int c = 0; c < r.cols; ++c)
            r.values.push_back(readValue(st, c + off, r.types[size_t(c)]));
        ++r.rows;
    }
    if (rc != SQLITE_DONE)
        raiseEngineError(rc, sql);
    r.deleted.assign(size_t(r.rows), 0);
    r.live = r.rows;
    r.pos = 0;
    return rs;
}

bool Recordset::eof() const
{
    return !d->open || d->pos >= d->rows || d->live == 0;
}

bool Recordset::bof() const
{
    return !d->open || d->pos < 0 || d->live == 0;
}

void Recordset::moveFirst()
{
    d->ensureOpen();
    if (editPending())
        update();
    d->pos = 0;
    d->skipForward();
}

void Recordset::moveNext()
{
    d->ensureOpen();
    if (editPending())
        update();
    if (d->pos >= d->rows)
        vb::raise(dberr::NoCurrentRecord,
                  QStringLiteral("Kein aktueller Datensatz (EOF ist True)."));
    ++d->pos;
    d->skipForward();
}

void Recordset::movePrevious()
{
    d->ensureOpen();
    if (editPending())
        update();
    if (d->pos < 0)
        vb::raise(dberr::NoCurrentRecord,
                  QStringLiteral("Kein aktueller Datensatz (BOF ist True)."));
    --d->pos;
    d->skipBackward();
}

void Recordset::moveLast()
{
    d->ensureOpen();
    if (editPending())
        update();
    d->pos = d->rows - 1;
    d->skipBackward();
    if (d->pos < 0)
        d->pos = d->rows;   // empty: BOF and EOF
}

int Recordset::recordCount() const
{
    return d->open ? d->live : 0;
}

int Recordset::fieldCount() const
{
    return d->cols;
}

QString Recordset::fieldName(int index) const
{
    return d->names[size_t(d->checkIndex(index))];
}

int Recordset::fieldIndex(const QString& name) const
{
    return d->indexOf(name);
}

ColumnType Recordset::fieldType(int index) const
{
    return d->types[size_t(d->checkIndex(index))];
}

vb::Variant Recordset::field(const QString& name) const
{
    return field(d->requireIndex(name));
}

vb::Variant Recordset::field(int index) const
{
    d->checkIndex(index);
    d->ensureCurrent();
    for (const auto& p : d->pending)
        if (p.first == index)
            return p.second;
    return d->values[size_t(d->pos) * size_t(d->cols) + size_t(index)];
}

void Recordset::setField(const QString& name, const vb::Variant& value)
{
    setField(d->requireIndex(name), value);
}

void Recordset::setField(int index, const vb::Variant& value)
{
    d->checkIndex(index);
    d->ensureCurrent();
    if (!d->updatable || d->origins[size_t(index)].isEmpty())
        vb::raise(dberr::NotUpdatable,
                  QStringLiteral("Die Datensatzgruppe oder das Feld kann nicht geändert werden: ")
                      + d->names[size_t(index)]);
    vb::Variant v;
    try {
        v = convertForColumn(value, d->types[size_t(index)]);
    } catch (const vb::VbError& e) {
        vb::raise(e.number, e.description + QStringLiteral(" (") + vb::CStr(value.isNull() ? vb::Variant("") : value)
                                + QStringLiteral(" \u2192 ") + d->table + QLatin1Char('.')
                                + d->names[size_t(index)] + QLatin1Char(' ')
                                + typeName(d->types[size_t(index)]) + QLatin1Char(')'));
    }
    for (auto& p : d->pending) {
        if (p.first == index) {
            p.second = v;
            return;
        }
    }
    d->pending.emplace_back(index, v);
}

void Recordset::addNew()
{
    d->ensureOpen();
    if (!d->updatable)
        vb::raise(dberr::NotUpdatable,
                  QStringLiteral("Die Datensatzgruppe kann nicht geändert werden."));
    if (editPending())
        update();
    d->rowids.push_back(0);
    for (int c = 0; c < d->cols; ++c)
        d->values.push_back(d->types[size_t(c)] == ColumnType::Boolean ? vb::Variant(false)
                                                                       : vb::Variant::null());
    d->deleted.push_back(0);
    ++d->rows;
    ++d->live;
    d->pos = d->rows - 1;
    d->adding = true;
}

bool Recordset::editPending() const
{
    return d->adding || !d->pending.empty();
}

void Recordset::cancelUpdate()
{
    if (d->adding) {
        // The new row was never stored: drop it.
        d->rowids.pop_back();
        d->values.resize(d->values.size() - size_t(d->cols));
        d->deleted.pop_back();
        --d->rows;
        --d->live;
        d->pos = d->rows;
        d->adding = false;
    }
    d->pending.clear();
}

void Recordset::update()
{
    d->ensureCurrent();
    if (!editPending())
        return;
    if (!d->adding) {
        // A row that already holds every value is not written again: a
        // write that changes nothing costs no journal and no sync.
        bool gleich = true;
        for (const auto& p : d->pending)
            gleich = gleich && d->values[size_t(d->pos) * size_t(d->cols) + size_t(p.first)] == p.second;
        if (gleich) {
            d->pending.clear();
            return;
        }
    }
    Connection& c = *d->cnn;
    const QString t = quoteName(d->table);
    Params params;
    QString sql;
    if (d->adding) {
        if (d->pending.empty()) {
            sql = QStringLiteral("INSERT INTO ") + t + QStringLiteral(" DEFAULT VALUES");
        } else {
            QString cols, qs;
            for (const auto& p : d->pending) {
                if (!cols.isEmpty()) {
                    cols += QLatin1Char(',');
                    qs += QLatin1Char(',');
                }
                cols += quoteName(d->origins[size_t(p.first)]);
                qs += QLatin1Char('?');
                params.push_back(p.second);
            }
            sql = QStringLiteral("INSERT INTO ") + t + QStringLiteral(" (") + cols + QStringLiteral(") VALUES (")
                  + qs + QLatin1Char(')');
        }
    } else {
        QString sets;
        for (const auto& p : d->pending) {
            if (!sets.isEmpty())
                sets += QLatin1Char(',');
            sets += quoteName(d->origins[size_t(p.first)]) + QStringLiteral("=?");
            params.push_back(p.second);
        }
        sql = QStringLiteral("UPDATE ") + t + QStringLiteral(" SET ") + sets + QStringLiteral(" WHERE rowid=?");
    }
    c.execute(sql, params, d->adding ? -1 : d->rowids[size_t(d->pos)]);
    if (d->adding)
        d->rowids[size_t(d->pos)] = sqlite3_last_insert_rowid(c.handle());
    for (const auto& p : d->pending)
        d->values[size_t(d->pos) * size_t(d->cols) + size_t(p.first)] = p.second;
    d->pending.clear();
    d->adding = false;
}

void Recordset::deleteRow()
{
    d->ensureCurrent();
    if (!d->updatable)
        vb::raise(dberr::NotUpdatable,
                  QStringLiteral("Die Datensatzgruppe kann nicht geändert werden."));
    if (d->adding) {
        cancelUpdate();
        return;
    }
    d->pending.clear();
    d->cnn->execute(QStringLiteral("DELETE FROM ") + quoteName(d->table) + QStringLiteral(" WHERE rowid=?"), {},
                    d->rowids[size_t(d->pos)]);
    d->deleted[size_t(d->pos)] = 1;
    --d->live;
}

bool Recordset::isDeleted() const
{
    return d->open && d->pos >= 0 && d->pos < d->rows && d->deleted[size_t(d->pos)];
}

bool Recordset::updatable() const
{
    return d->updatable;
}

const QString& Recordset::table() const
{
    return d->table;
}

void Recordset::close()
{
    d->open = false;
    d->pending.clear();
    d->adding = false;
    d->values.clear();
    d->cnn.reset();
}

} // namespace db
