#pragma once
// The state the main window shares with every other window and class: the
// open connections, the values handed over by the frame program, language and
// decimal sign, the change flags and the one progress bar.
//
// The main window owns and fills it (start-up) and releases it (closing);
// everybody else reads it through db::sharedState(), so the table accessor,
// the drawing engine and the page composer need no widget of the shell.
// Tests fill it directly (see suite/SuiteBuilder.h for a ready fixture).

#include <QString>
#include <functional>
#include <memory>

namespace db {

class Connection;

// The program title: names the database file, the working copy and the help.
inline const QString kProgrammTitel = QStringLiteral("KAVELOR");

class SharedState {
public:
    SharedState();

    // Connection to the working copy of the project database (all data work).
    std::shared_ptr<Connection> cnnX;
    // Connection to VORGABE.mdb (presets); unset in development mode.
    std::shared_ptr<Connection> cnnX_V;

    // Filled once by the start-up.
    QString PROJEKT;        // current project (its folder name)
    QString PROJEKTSPFAD;   // folder holding the project folders
    QString BEARBEITER;     // editor's name
    short SPRACHE = 3;      // 1 English, 3 German
    QString DEZIMALPUNKT = QStringLiteral(",");

    // Shell flags.
    bool BOAENDERUNG = false;       // working copy holds unsaved changes
    bool BORAHMENPROGRAMM = false;  // restart the frame program on close
    // The main window's mailbox for modal dialogs ("A", "O", "L", "OK", "Abbrechen").
    QString Tag;

    // Computed on each access, as the main window's properties are.
    // Login name in upper case ("UNBEK." when it cannot be read).
    QString BENUTZER() const;
    // Folder of the shared databases from the settings store ("" when unset).
    QString DATENBANKPFAD() const;
    // Path of the user's working copy: <parent of program folder>/BENUTZER/
    // <BENUTZER>/KAVELOR.mdb. Creates the missing folders (raises 76 when one
    // cannot be created); the file itself need not exist.
    QString XMDBPFAD() const;
    // A folder of the program folder's path is named "source" (letter case
    // ignored): development mode.
    bool entwicklungsmodus() const;
    // The open working-copy connection; raises 91 when there is none.
    Connection& verbindung() const;

    // The progress bar pgbBERECHNEN of the start screen (0..100). The shell
    // installs the hooks; without them the value is only remembered.
    void setFortschritt(int wert);
    int fortschritt() const { return m_fortschritt; }
    void setFortschrittSichtbar(bool sichtbar);
    bool fortschrittSichtbar() const { return m_fortschrittSichtbar; }
    std::function<void(int)> fortschrittHook;
    std::function<void(bool)> fortschrittSichtbarHook;

    // "Let pending window messages run" inside data loops. Default: vb::DoEvents
    // (no user input), so no user command can start while a loop is in the
    // middle of its rows.
    std::function<void()> nachrichtenHook;
    void nachrichtenLaufenLassen() const;

    // Back to the state of a fresh program: connection references dropped
    // (a connection closes when its last holder lets go), fields and hooks
    // at their defaults.
    void reset();

private:
    int m_fortschritt = 0;
    bool m_fortschrittSichtbar = false;
};

// The one shared state of the program.
SharedState& sharedState();

} // namespace db
