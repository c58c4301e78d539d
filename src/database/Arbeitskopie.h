#pragma once
// Files around the user's working copy and the project database it comes
// from:
//
// - Dateistand: size, modification time and file number of a file. A save
//   replaces the project database by a new file, so any save shows up as a
//   new stand.
// - Herkunft: which project database a working copy was copied from, and
//   that database's stand when it was copied or last saved. It is kept in a
//   small file beside the working copy ("KAVELOR.herkunft"), written in one
//   rename; the databases themselves are not touched.
// - Temporary files name their user, machine and process, so a start or a
//   save can remove what a killed run of this user left behind without
//   touching the files of a run that still works.
// - Zwischenkopie: the copy of a database that may be open, made next to its
//   target at the speed of a file copy, checked by the engine, and put in
//   place only on request.
//
// Functions raise vb::VbError on failure.

#include <QString>
#include <QStringList>
#include <optional>

namespace db {

// Error number of a database copy that fails the engine's check (as the Jet
// engine numbers an unrecognised or damaged database).
constexpr int kBeschaedigt = 3049;

struct Dateistand {
    qint64 groesse = -1;
    qint64 zeitNs = -1;        // modification time, nanoseconds since 1970
    qint64 inode = 0;
    bool vorhanden() const { return groesse >= 0; }
    bool operator==(const Dateistand&) const = default;
};
// The stand of a file now (not vorhanden when missing).
Dateistand dateistand(const QString& pfad);

struct Herkunft {
    QString projektspfad;
    QString projekt;
    QString datenbank;         // path of the project database
    Dateistand stand;          // of that database when copied or last saved
    // The file a save is putting in place of that database, recorded before
    // its rename: a run killed right after the rename finds the database
    // still its own.
    Dateistand installiert;
    // Whether the database's stand `jetzt` is the one this copy came from or
    // last installed (nobody else saved since).
    bool kennt(const Dateistand& jetzt) const;
};
// The identity file beside a working copy.
QString herkunftsDatei(const QString& arbeitskopie);
// The identity of a working copy; nothing when it has none or it cannot be read.
std::optional<Herkunft> leseHerkunft(const QString& arbeitskopie);
// Write the identity of a working copy (in one rename).
void schreibeHerkunft(const QString& arbeitskopie, const Herkunft& herkunft);
void entferneHerkunft(const QString& arbeitskopie);
// Whether two paths name the same file (also when one does not exist yet).
bool gleicherPfad(const QString& a, const QString& b);

// Move a working copy aside in its own folder, together with its journal and
// its identity file, under a name that gives the project and the time
// ("KAVELOR_<project>_<yyyyMMdd-HHmmss>.mdb"). Returns the new path. Raises
// 75 when it cannot be moved; nothing is deleted.
QString beiseitelegen(const QString& arbeitskopie, const QString& projekt);

// A new, empty temporary file next to `ziel`, named after the target, this
// user, machine and process (".<name>~<user>~<machine>~<pid>~<n>.tmp"; a
// long <name> is shortened so the whole fits the file system). Raises 76 when
// the folder is missing, otherwise the error of the cause (vb::dateisystemFehler).
QString temporaereDatei(const QString& ziel);
// Remove the temporary files (and their journals) in `ordner` that this user
// left on this machine from processes that no longer run. Files of other
// users, other machines or live processes stay. Returns the files removed.
QStringList aufraeumen(const QString& ordner);

// Raises 70 when `ziel` exists and may not be written (no write permission,
// or the read-only attribute: no write bit at all).
void pruefeSchreibbar(const QString& ziel);

// Taken by a run of the program for the working copy it works on: a second
// run of the same user finds it taken and leaves the copy alone. It goes
// with its object, and with the process however that ends. Where the file
// system offers no locks, nothing is taken and nothing is refused.
class Sitzungssperre {
public:
    explicit Sitzungssperre(const QString& arbeitskopie);
    ~Sitzungssperre();
    Sitzungssperre(const Sitzungssperre&) = delete;
    Sitzungssperre& operator=(const Sitzungssperre&) = delete;
    // Another run holds the working copy.
    bool belegt() const { return m_belegt; }

private:
    int m_fd = -1;
    bool m_belegt = false;
};

// The tables of the project database that `pfad` lacks (all of them for an
// empty or zero-length file). Raises the engine's error when it is no
// database at all.
QStringList fehlendeProjekttabellen(const QString& pfad);

// The engine's quick check and the project tables, on a closed database
// file. Raises kBeschaedigt with the first finding when it fails.
void pruefeDatenbank(const QString& pfad);

// The copy of database `quelle` (which may be open in other connections)
// in a temporary file next to `ziel`: taken under a read lock in large
// blocks, written to the disk and checked with pruefeDatenbank. einsetzen()
// puts it in place of `ziel` (replaceDatabase); until then, or when it is
// dropped, nothing is replaced and the temporary file goes with the object.
class Zwischenkopie {
public:
    // Raises 70 when `ziel` may not be written, 76 when its folder is missing,
    // kBeschaedigt when the copy fails the check, the engine's error when the
    // source cannot be read, 61 when the disk is full.
    Zwischenkopie(const QString& quelle, const QString& ziel);
    ~Zwischenkopie();
    Zwischenkopie(const Zwischenkopie&) = delete;
    Zwischenkopie& operator=(const Zwischenkopie&) = delete;

    const QString& pfad() const { return m_pfad; }
    void einsetzen();

private:
    void verwerfen();
    QString m_ziel;
    QString m_pfad;
};

} // namespace db
