#include "database/Arbeitskopie.h"

#include "database/Connection.h"
#include "database/Fehlertexte.h"
#include "database/Schema.h"
#include "platform/Dateien.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace db {

namespace {

const QLatin1Char kTrenner('~');
const QString kEndung = QStringLiteral(".tmp");
const QString kJournal = QStringLiteral("-journal");

// A name part that cannot break the pattern of a temporary file's name.
QString namensteil(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        if (c == kTrenner || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    return out.isEmpty() ? QStringLiteral("_") : out;
}

QString meinBenutzer() { return namensteil(vb::userName()); }
QString meinRechner() { return namensteil(QSysInfo::machineHostName()); }

// Remove a file and the journal the engine may have left beside it.
void entfernenMitJournal(const QString& pfad)
{
    QFile::remove(pfad);
    QFile::remove(pfad + kJournal);
}

// A database file opened for reading only, closed with the object. What an
// interrupted write left in its journal is rolled back first.
class Lesezugriff {
public:
    explicit Lesezugriff(const QString& pfad, int flags = SQLITE_OPEN_READONLY) : m_pfad(pfad)
    {
        rollBackInterruptedWrite(pfad);
        const int rc = sqlite3_open_v2(QFile::encodeName(pfad).constData(), &m_h, flags, nullptr);
        if (rc != SQLITE_OK)
            fehler(rc);
        sqlite3_busy_timeout(m_h, 30000);
    }
    ~Lesezugriff()
    {
        if (m_h)
            sqlite3_close_v2(m_h);
    }
    Lesezugriff(const Lesezugriff&) = delete;
    Lesezugriff& operator=(const Lesezugriff&) = delete;
    sqlite3* h() const { return m_h; }

    [[noreturn]] void fehler(int rc, int nummer = 0) const
    {
        vb::raise(nummer ? nummer : rc, engineMessage(m_h, rc) + QStringLiteral(" (") + m_pfad + QLatin1Char(')'));
    }
    void ausfuehren(const char* sql, int nummer = 0) const
    {
        const int rc = sqlite3_exec(m_h, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fehler(rc, nummer);
    }
    // The first column of every row of a query.
    QStringList spalte(const char* sql, int nummer = 0) const
    {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(m_h, sql, -1, &st, nullptr);
        if (rc != SQLITE_OK)
            fehler(rc, nummer);
        QStringList out;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            fehler(rc, nummer);
        return out;
    }

private:
    QString m_pfad;
    sqlite3* m_h = nullptr;
};

QStringList fehlendeTabellen(const Lesezugriff& d, int nummer)
{
    const QStringList da = d.spalte("SELECT name FROM sqlite_master WHERE type='table'", nummer);
    QStringList fehlen;
    for (const QString& t : schema::tabellen(schema::Datenbank::Projekt)) {
        if (!da.contains(t, Qt::CaseInsensitive))
            fehlen << t;
    }
    return fehlen;
}

} // namespace

Dateistand dateistand(const QString& pfad)
{
    struct stat s {};
    Dateistand d;
    if (::stat(QFile::encodeName(pfad).constData(), &s) != 0)
        return d;
    d.groesse = s.st_size;
    d.zeitNs = qint64(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec;
    d.inode = s.st_ino;
    return d;
}

QString herkunftsDatei(const QString& arbeitskopie)
{
    const QFileInfo fi(arbeitskopie);
    return fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".herkunft");
}

namespace {

// The identity file holds one "name=value" line per field. Values are
// written with the line break, the carriage return and the backslash
// escaped, so a path may hold any character; files of the first form
// (without the line "form=2") hold their values as they are.
const QLatin1String kForm("form=2");

QString maskiert(const QString& wert)
{
    QString out;
    for (const QChar c : wert) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

QString entmaskiert(const QString& wert)
{
    QString out;
    for (qsizetype i = 0; i < wert.size(); ++i) {
        if (wert[i] != QLatin1Char('\\') || i + 1 == wert.size()) {
            out += wert[i];
            continue;
        }
        const QChar n = wert[++i];
        out += n == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : n == QLatin1Char('r') ? QChar(QLatin1Char('\r')) : n;
    }
    return out;
}

// The fields of an identity under their names in the file.
struct Feld {
    const char* name;
    QString Herkunft::*text = nullptr;
    qint64 Dateistand::*zahl = nullptr;
    Dateistand Herkunft::*stand = nullptr;
};
const Feld kFelder[] = {
    {"projektspfad", &Herkunft::projektspfad},
    {"projekt", &Herkunft::projekt},
    {"datenbank", &Herkunft::datenbank},
    {"groesse", nullptr, &Dateistand::groesse, &Herkunft::stand},
    {"zeit", nullptr, &Dateistand::zeitNs, &Herkunft::stand},
    {"inode", nullptr, &Dateistand::inode, &Herkunft::stand},
    {"installiert.groesse", nullptr, &Dateistand::groesse, &Herkunft::installiert},
    {"installiert.zeit", nullptr, &Dateistand::zeitNs, &Herkunft::installiert},
    {"installiert.inode", nullptr, &Dateistand::inode, &Herkunft::installiert},
};

} // namespace

bool Herkunft::kennt(const Dateistand& jetzt) const
{
    return jetzt.vorhanden() && (stand == jetzt || installiert == jetzt);
}

std::optional<Herkunft> leseHerkunft(const QString& arbeitskopie)
{
    QFile f(herkunftsDatei(arbeitskopie));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList zeilen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const bool maskiertGeschrieben = zeilen.contains(kForm);
    Herkunft h;
    bool ok = true;
    for (const QString& zeile : zeilen) {
        const int gleich = zeile.indexOf(QLatin1Char('='));
        if (gleich < 0)
            continue;
        const QString name = zeile.left(gleich);
        const QString wert = maskiertGeschrieben ? entmaskiert(zeile.mid(gleich + 1)) : zeile.mid(gleich + 1);
        for (const Feld& feld : kFelder) {
            if (name != QLatin1String(feld.name))
                continue;
            if (feld.text) {
                h.*feld.text = wert;
            } else {
                bool zahl = false;
                (h.*feld.stand).*feld.zahl = wert.toLongLong(&zahl);
                ok = ok && zahl;
            }
        }
    }
    // A file cut short (or not ours) says nothing about the copy.
    if (!ok || h.projekt.isEmpty() || h.datenbank.isEmpty())
        return std::nullopt;
    return h;
}

void schreibeHerkunft(const QString& arbeitskopie, const Herkunft& h)
{
    const QString ziel = herkunftsDatei(arbeitskopie);
    const QString tmp = temporaereDatei(ziel);
    QString zeilen = kForm + QLatin1Char('\n');
    for (const Feld& feld : kFelder) {
        if (!feld.text && !(h.*feld.stand).vorhanden())
            continue;
        zeilen += QLatin1String(feld.name) + QLatin1Char('=')
                  + (feld.text ? maskiert(h.*feld.text) : QString::number((h.*feld.stand).*feld.zahl))
                  + QLatin1Char('\n');
    }
    const QByteArray text = zeilen.toUtf8();
    const int fd = ::open(QFile::encodeName(tmp).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        QFile::remove(tmp);
        vb::raiseFile(vb::err::PermissionDenied, ziel);
    }
    try {
        vb::schreibeAlles(fd, text.constData(), size_t(text.size()), ziel);
    } catch (...) {
        ::close(fd);
        QFile::remove(tmp);
        throw;
    }
    ::close(fd);
    replaceFile(tmp, ziel);
}

void entferneHerkunft(const QString& arbeitskopie)
{
    const QString pfad = herkunftsDatei(arbeitskopie);
    if (QFileInfo::exists(pfad) && !QFile::remove(pfad))
        vb::raiseFile(vb::err::PermissionDenied, pfad);
}

bool gleicherPfad(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

QString beiseitelegen(const QString& arbeitskopie, const QString& projekt)
{
    const QFileInfo fi(arbeitskopie);
    const QString stamm = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() + QLatin1Char('_')
                          + namensteil(projekt) + QLatin1Char('_')
                          + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString ziel = stamm + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(ziel) || QFileInfo::exists(ziel + kJournal)
                    || QFileInfo::exists(herkunftsDatei(ziel));
         ++n)
        ziel = stamm + QLatin1Char('_') + QString::number(n) + QStringLiteral(".mdb");
    auto verschieben = [](const QString& von, const QString& nach) {
        if (::rename(QFile::encodeName(von).constData(), QFile::encodeName(nach).constData()) != 0)
            vb::raiseFile(vb::err::PathFileAccess, von);
    };
    // The journal of an interrupted write goes first: it belongs to the copy
    // and must never meet a new working copy under the old name.
    if (QFileInfo::exists(arbeitskopie + kJournal))
        verschieben(arbeitskopie + kJournal, ziel + kJournal);
    verschieben(arbeitskopie, ziel);
    if (QFileInfo::exists(herkunftsDatei(arbeitskopie)))
        verschieben(herkunftsDatei(arbeitskopie), herkunftsDatei(ziel));
    return ziel;
}

QString temporaereDatei(const QString& ziel)
{
    static std::atomic<int> zaehler{0};
    const QFileInfo fi(ziel);
    const QString ordner = fi.absolutePath();
    struct stat s {};
    const bool da = ::stat(QFile::encodeName(ordner).constData(), &s) == 0;
    // A folder hidden behind one its user may not enter is no missing path:
    // the cause of a failed look-up is named as the file system gives it.
    if (!da)
        throw vb::dateisystemFehler(errno, ordner);
    if (!S_ISDIR(s.st_mode))
        vb::raiseFile(vb::err::PathNotFound, ordner);
    const QString ende = kTrenner + meinBenutzer() + kTrenner + meinRechner() + kTrenner
                         + QString::number(::getpid()) + kTrenner;
    // The target's name is shortened where the whole would be longer than a
    // name the file system takes: a target whose own name fits must not fail
    // for the name of its temporary file. The clean-up reads the name from its
    // end.
    QString name = fi.fileName();
    // The rest holds the counter, ".tmp" and the "-journal" the engine may add.
    constexpr int kLaengsterName = 255 - 24;
    while (!name.isEmpty() && QFile::encodeName(QLatin1Char('.') + name + ende).size() > kLaengsterName) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    const QString anfang = ordner + QStringLiteral("/.") + name + ende;
    for (;;) {
        const QString pfad = anfang + QString::number(++zaehler) + kEndung;
        const int fd = ::open(QFile::encodeName(pfad).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return pfad;
        }
        if (errno != EEXIST)
            throw vb::dateisystemFehler(errno, ziel);
    }
}

QStringList aufraeumen(const QString& ordner)
{
    QStringList entfernt;
    const QString benutzer = meinBenutzer();
    const QString rechner = meinRechner();
    const QDir dir(ordner);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QString stamm = name;
        if (stamm.endsWith(kJournal))
            stamm.chop(kJournal.size());
        if (!stamm.startsWith(QLatin1Char('.')) || !stamm.endsWith(kEndung))
            continue;
        stamm.chop(kEndung.size());
        const QStringList teile = stamm.split(kTrenner);
        if (teile.size() < 5)
            continue;
        const int n = int(teile.size());
        bool ok = false;
        const qint64 pid = teile[n - 2].toLongLong(&ok);
        if (!ok || pid <= 0 || teile[n - 4] != benutzer || teile[n - 3] != rechner || pid == ::getpid())
            continue;
        // A process that still runs (or one we may not signal) keeps its files.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QFile::remove(dir.filePath(name)))
            entfernt << dir.filePath(name);
    }
    return entfernt;
}

void pruefeSchreibbar(const QString& ziel)
{
    const QByteArray p = QFile::encodeName(ziel);
    struct stat s {};
    if (::stat(p.constData(), &s) != 0)
        return;
    if ((s.st_mode & 0222) == 0 || ::access(p.constData(), W_OK) != 0)
        vb::raiseFile(vb::err::PermissionDenied, ziel);
}

Sitzungssperre::Sitzungssperre(const QString& arbeitskopie)
{
    // The lock is taken on the folder of the working copy, so that no file
    // of its own is left behind.
    m_fd = ::open(QFile::encodeName(QFileInfo(arbeitskopie).absolutePath()).constData(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return;
    m_belegt = errno == EWOULDBLOCK;
    ::close(m_fd);
    m_fd = -1;
}

Sitzungssperre::~Sitzungssperre()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QStringList fehlendeProjekttabellen(const QString& pfad)
{
    if (!QFileInfo(pfad).isFile())
        vb::raiseFile(vb::err::FileNotFound, pfad);
    const Lesezugriff d(pfad);
    return fehlendeTabellen(d, 0);
}

void pruefeDatenbank(const QString& pfad)
{
    // A write cut off by a kill is no damage: it is rolled back (or the box
    // of a file that may not be written comes) before the check.
    rollBackInterruptedWrite(pfad);
    // Whatever keeps the engine from reading the file counts as damage.
    try {
        const Lesezugriff d(pfad);
        const QStringList befund = d.spalte("PRAGMA quick_check(1)", kBeschaedigt);
        if (befund.value(0) != QLatin1String("ok"))
            vb::raise(kBeschaedigt, damageMessage(befund));
        const QStringList fehlen = fehlendeTabellen(d, kBeschaedigt);
        if (!fehlen.isEmpty())
            vb::raise(kBeschaedigt, missingTablesMessage(fehlen));
    } catch (const vb::VbError& e) {
        if (e.number == kBeschaedigt)
            throw;
        vb::raise(kBeschaedigt, e.description);
    }
}

// ---------------------------------------------------------------------------

Zwischenkopie::Zwischenkopie(const QString& quelle, const QString& ziel) : m_ziel(ziel)
{
    pruefeSchreibbar(ziel);
    if (!QFileInfo(quelle).isFile())
        vb::raiseFile(vb::err::FileNotFound, quelle);
    // Opened for writing, so the engine can first roll back what an
    // interrupted write left in the source's journal.
    const Lesezugriff lese(quelle, SQLITE_OPEN_READWRITE);
    // A read transaction holds the shared lock: no other connection can
    // commit into the file while its bytes are copied.
    lese.ausfuehren("BEGIN; SELECT count(*) FROM sqlite_master;");
    // The bytes are read through the engine's own file handle: a second
    // handle of this process on the file would release the process's locks
    // on it when closed.
    sqlite3_file* datei = nullptr;
    if (sqlite3_file_control(lese.h(), "main", SQLITE_FCNTL_FILE_POINTER, &datei) != SQLITE_OK || !datei
        || !datei->pMethods)
        vb::raiseFile(vb::err::PathFileAccess, quelle);
    sqlite3_int64 groesse = 0;
    int rc = datei->pMethods->xFileSize(datei, &groesse);
    if (rc != SQLITE_OK)
        lese.fehler(rc);

    m_pfad = temporaereDatei(ziel);
    try {
        const int fd = ::open(QFile::encodeName(m_pfad).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            vb::raiseFile(vb::err::PermissionDenied, ziel);
        try {
            constexpr sqlite3_int64 kBlock = 4 << 20;
            std::vector<char> puffer(size_t(std::min(groesse, kBlock)));
            for (sqlite3_int64 pos = 0; pos < groesse;) {
                const int n = int(std::min(kBlock, groesse - pos));
                rc = datei->pMethods->xRead(datei, puffer.data(), n, pos);
                if (rc != SQLITE_OK)
                    lese.fehler(rc);
                vb::schreibeAlles(fd, puffer.data(), size_t(n), ziel);
                // The disk starts on each block while the next one is read.
                ::sync_file_range(fd, pos, n, SYNC_FILE_RANGE_WRITE);
                pos += n;
            }
        } catch (...) {
            ::close(fd);
            throw;
        }
        lese.ausfuehren("COMMIT");
        // The copy goes to the disk while the engine checks it: the check
        // reads from memory, the sync waits for the disk.
        bool synchron = false;
        std::thread sync([fd, &synchron] { synchron = ::fdatasync(fd) == 0; });
        try {
            pruefeDatenbank(m_pfad);
        } catch (...) {
            sync.join();
            ::close(fd);
            throw;
        }
        sync.join();
        ::close(fd);
        if (!synchron)
            vb::raiseFile(vb::err::DiskFull, ziel);
    } catch (...) {
        verwerfen();
        throw;
    }
}

Zwischenkopie::~Zwischenkopie() { verwerfen(); }

void Zwischenkopie::verwerfen()
{
    if (m_pfad.isEmpty())
        return;
    entfernenMitJournal(m_pfad);
    m_pfad.clear();
}

void Zwischenkopie::einsetzen()
{
    if (m_pfad.isEmpty())
        vb::raise(vb::err::ObjectNotSet);
    const QString pfad = m_pfad;
    m_pfad.clear();
    try {
        replaceDatabase(pfad, m_ziel);
    } catch (...) {
        entfernenMitJournal(pfad);
        throw;
    }
}

} // namespace db
