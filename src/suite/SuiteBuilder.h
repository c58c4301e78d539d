#pragma once
// Builds a complete suite tree as the frame program leaves it, for the demo
// and for tests:
//
//   DIR/KAVELOR/            program folder: the program (when found next to
//                           the builder), the empty template KAVELOR.mdb and
//                           the documents KAVELOR.html, KAVELOR.odt, KAVELOR_H.odt
//   DIR/DATEN/              shared databases ARCHIV.mdb (ADMIN row for the
//                           user), VORGABE.mdb, VESTRALIN.mdb
//   DIR/PROJEKTE/<project>/KAVELOR.mdb   the demo project with its boreholes
//   DIR/PROJEKTE/TE2025.07/KAVELOR.mdb   an earlier project (with demo data),
//                           the one the information system already knows
//   DIR/config/...          settings file with [Extras] Datenbankpfad=DIR/DATEN
//                           (run the program with XDG_CONFIG_HOME=DIR/config)
//   DIR/TORVENA             stand-in frame program (prints a line, exits 0)
//
// Functions raise vb::VbError on failure.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <vector>

namespace db {
class Connection;
}

namespace suite {

struct Optionen {
    QString benutzer;                         // empty: the platform's user name
    QString projekt = QStringLiteral("TE2026.01");
    QString bearbeiter = QStringLiteral("Dipl.-Ing. H. Berger");
    bool demodaten = true;                    // fill the project with the demo boreholes
    bool einstellungen = true;                // write the settings file under DIR/config
    QString programmQuelle;                   // folder to copy program and documents from;
                                              // empty: the builder's own folder
};

struct Pfade {
    QString wurzel;        // DIR
    QString programm;      // DIR/KAVELOR
    QString vorlage;       // DIR/KAVELOR/KAVELOR.mdb
    QString daten;         // DIR/DATEN
    QString archiv;        // DIR/DATEN/ARCHIV.mdb
    QString vorgabe;       // DIR/DATEN/VORGABE.mdb
    QString vestralin;     // DIR/DATEN/VESTRALIN.mdb
    QString projekte;      // DIR/PROJEKTE
    QString projekt;       // DIR/PROJEKTE/<project>
    QString projektDb;     // DIR/PROJEKTE/<project>/KAVELOR.mdb
    QString frueheresProjektDb; // DIR/PROJEKTE/TE2025.07/KAVELOR.mdb ("" without demo data)
    QString konfiguration; // DIR/config (the XDG_CONFIG_HOME to run with)
    QString einstellungsDatei; // the settings file written
    QString rahmenprogramm;    // DIR/TORVENA
    QString benutzer;      // user of the ADMIN row
};

// Build the whole suite in dir (created when missing; existing files are replaced).
Pfade erstellen(const QString& dir, const Optionen& optionen = {});

// Path of the settings file QSettings uses for the suite under configDir.
QString einstellungsDatei(const QString& configDir);

// A demo borehole as stored.
struct DemoBohrung {
    int32_t id;
    QString ken;
    int schichten;   // rows in E2
};

// Create a project database at path (schema only, or with the demo boreholes).
void projektDatenbank(const QString& path, bool demodaten = true);
// Write the demo boreholes into an open project database (empty tables
// expected). The first borehole is marked active.
std::vector<DemoBohrung> demoBohrungen(db::Connection& cnn);
// The demo boreholes' identifiers and sizes, without a database.
std::vector<DemoBohrung> demoUebersicht();
// The earlier project's name and boreholes (KB 1, B 1, B 2).
inline const QString kFrueheresProjekt = QStringLiteral("TE2025.07");
std::vector<DemoBohrung> fruehereBohrungen(db::Connection& cnn);
std::vector<DemoBohrung> fruehereUebersicht();

// Test fixture: a complete suite in a temporary folder, with the shared state
// set up as the start-up leaves it: cnnX open on a working copy of the demo
// project (DIR/BENUTZER/<user>/KAVELOR.mdb), cnnX_V on VORGABE.mdb, PROJEKT,
// PROJEKTSPFAD and BEARBEITER from the ADMIN row. The destructor closes the
// connections and resets the shared state. The settings store is an
// in-memory one for the fixture's lifetime (Datenbankpfad = DIR/DATEN), and
// the program folder is DIR/KAVELOR.
class Testumgebung {
public:
    explicit Testumgebung(const Optionen& optionen = {});
    ~Testumgebung();
    Testumgebung(const Testumgebung&) = delete;
    Testumgebung& operator=(const Testumgebung&) = delete;

    const Pfade& pfade() const { return m_pfade; }
    QString arbeitskopie() const { return m_arbeitskopie; }
    // A further empty project database in the temporary folder.
    QString leereProjektDatenbank(const QString& name);

private:
    QTemporaryDir m_dir;
    vb::MemorySettingsStore m_einstellungen;
    vb::SettingsStore* m_vorigeEinstellungen = nullptr;
    Pfade m_pfade;
    QString m_arbeitskopie;
};

} // namespace suite
