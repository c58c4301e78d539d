#include "database/Schema.h"

#include "database/Connection.h"
#include "database/SchemaSql.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>

#include <map>

namespace db::schema {

QString sql(Datenbank db)
{
    switch (db) {
    case Datenbank::Projekt: return QString::fromUtf8(text::projekt);
    case Datenbank::Archiv: return QString::fromUtf8(text::archiv);
    case Datenbank::Vorgabe: return QString::fromUtf8(text::vorgabe);
    case Datenbank::Vestralin: return QString::fromUtf8(text::vestralin);
    }
    return QString();
}

void erstellen(const QString& path, Datenbank db)
{
    if (QFileInfo::exists(path))
        vb::raiseFile(vb::err::FileExists, path);
    try {
        auto c = Connection::create(path);
        c->executeScript(QStringLiteral("BEGIN;\n") + sql(db) + QStringLiteral("\nCOMMIT;"));
        c->close();
    } catch (...) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        throw;
    }
}

// The tables of a script, built once in a database in memory.
static std::shared_ptr<Connection> imSpeicher(Datenbank db)
{
    static std::map<int, std::shared_ptr<Connection>> cache;
    auto& c = cache[int(db)];
    if (!c) {
        c = Connection::openInMemory();
        c->executeScript(sql(db));
    }
    return c;
}

QStringList tabellen(Datenbank db)
{
    return imSpeicher(db)->tableNames();
}

QStringList spalten(Datenbank db, const QString& tabelle)
{
    return imSpeicher(db)->columnNames(tabelle);
}

} // namespace db::schema
