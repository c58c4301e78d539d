// Datei/Speichern of a 50 MB working copy against a plain file copy of the
// same file plus fsync and rename (what `cp` and `sync` cost), and against
// the engine's backup into a new file. The working copy is open in a
// connection while it is saved, as it is in the program.
//
// The "Verhaeltnis" benchmark runs the plain copy and the save alternately in
// each iteration, so that load on the machine falls on both alike, and
// reports save time / copy time.

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/Schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The working copy (about 50 MB), open in a connection, and a project folder.
struct Umgebung {
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/kavelor-save-bench-XXXXXX")};
    QString kopie;
    QString projekt;
    std::shared_ptr<db::Connection> cnn;

    Umgebung()
    {
        kopie = dir.filePath(QStringLiteral("BENUTZER/KAVELOR.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("BENUTZER")));
        QDir().mkpath(dir.filePath(QStringLiteral("PROJEKT")));
        projekt = dir.filePath(QStringLiteral("PROJEKT/KAVELOR.mdb"));
        db::schema::erstellen(kopie, db::schema::Datenbank::Projekt);
        cnn = db::Connection::open(kopie);
        cnn->execute(QStringLiteral("CREATE TABLE [BALLAST] ([X] TEXT)"));
        db::Connection::Transaction tx(*cnn);
        const QString block(100000, QLatin1Char('x'));
        for (int i = 0; i < 500; ++i)
            cnn->execute(QStringLiteral("INSERT INTO [BALLAST] ([X]) VALUES (?)"), {vb::Variant(block)});
        tx.commit();
        db::copyDatabase(kopie, projekt);
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

// cp + sync: read and write in 1 MiB blocks, fsync, rename into place.
void einfacheKopie(const QString& von, const QString& nach)
{
    const QString tmp = nach + QStringLiteral(".cp");
    const int in = ::open(QFile::encodeName(von).constData(), O_RDONLY);
    const int out = ::open(QFile::encodeName(tmp).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> puffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, puffer.data(), puffer.size());
        if (n <= 0)
            break;
        if (::write(out, puffer.data(), size_t(n)) != n)
            break;
    }
    ::fsync(out);
    ::close(out);
    ::close(in);
    ::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(nach).constData());
}

void speichern(const QString& von, const QString& nach)
{
    db::Zwischenkopie kopie(von, nach);
    kopie.einsetzen();
}

void BM_EinfacheKopieMitFsync(benchmark::State& state)
{
    auto& u = umgebung();
    for (auto _ : state)
        einfacheKopie(u.kopie, u.projekt);
    state.counters["MB"] = double(QFileInfo(u.kopie).size()) / 1e6;
}
BENCHMARK(BM_EinfacheKopieMitFsync)->Unit(benchmark::kMillisecond);

void BM_Speichern(benchmark::State& state)
{
    auto& u = umgebung();
    for (auto _ : state)
        speichern(u.kopie, u.projekt);
}
BENCHMARK(BM_Speichern)->Unit(benchmark::kMillisecond);

void BM_SicherungDurchDieEngine(benchmark::State& state)
{
    auto& u = umgebung();
    for (auto _ : state)
        u.cnn->backupTo(u.projekt);
}
BENCHMARK(BM_SicherungDurchDieEngine)->Unit(benchmark::kMillisecond);

void BM_Verhaeltnis(benchmark::State& state)
{
    auto& u = umgebung();
    double kopie = 0, sichern = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        einfacheKopie(u.kopie, u.projekt);
        kopie += double(t.nsecsElapsed());
        t.restart();
        speichern(u.kopie, u.projekt);
        sichern += double(t.nsecsElapsed());
    }
    state.counters["Speichern_zu_Kopie"] = kopie > 0 ? sichern / kopie : 0;
}
BENCHMARK(BM_Verhaeltnis)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
