#pragma once
// The table layout of every database of the suite. The SQL comes from
// schema/*.sql (compiled into the program at build time); the empty template
// KAVELOR.mdb, the suite's shared databases and every test database are made
// from it.

#include <QString>
#include <QStringList>

namespace db::schema {

enum class Datenbank {
    Projekt,    // KAVELOR.mdb: E1..E12, A1, G0 (project database, template, working copy)
    Archiv,     // ARCHIV.mdb: ADMIN
    Vorgabe,    // VORGABE.mdb: KAVELOR_VE1, KAVELOR_VE2
    Vestralin,  // VESTRALIN.mdb: E0..E6
};

// The SQL script of a database (CREATE TABLE and CREATE INDEX statements).
QString sql(Datenbank db);

// Create a new database file at path with the tables of db. Raises 58 when
// the file exists already; nothing is left behind on failure.
void erstellen(const QString& path, Datenbank db);

// Tables of a database in the order of its script, and the columns of one
// table in their order (parsed from the script).
QStringList tabellen(Datenbank db);
QStringList spalten(Datenbank db, const QString& tabelle);

} // namespace db::schema
