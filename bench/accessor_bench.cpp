// One column of a 100-row record: the accessor's array read (DTVSF) against
// the same query stepped directly through SQLite's C API.

#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "database/clsDATEN.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

namespace {

constexpr int kRecord = 77;
constexpr int kRows = 100;
const char* kQuery = "SELECT [TUKS],[ID],[I1] FROM [E2] WHERE [ID] = ? ORDER BY [I1]";

// A project database with the record, made once.
struct Datenbank {
    QTemporaryDir dir;
    QString pfad;
    Datenbank()
    {
        pfad = dir.filePath(QStringLiteral("KAVELOR.mdb"));
        db::schema::erstellen(pfad, db::schema::Datenbank::Projekt);
        auto c = db::Connection::open(pfad);
        db::Connection::Transaction tx(*c);
        c->execute(QStringLiteral("INSERT INTO E1 (ID,KEN,AKT) VALUES (?,?,1)"), {vb::Variant(kRecord), vb::Variant("B 77")});
        for (int r = 0; r < kRows; ++r)
            for (int id : {kRecord - 1, kRecord, kRecord + 1})   // neighbours in the same table
                c->execute(QStringLiteral("INSERT INTO E2 (ID,I1,TUKS,HPTB1) VALUES (?,?,?,'S')"),
                           {vb::Variant(id), vb::Variant(int16_t(r)), vb::Variant(0.25f * float(r + 1))});
        tx.commit();
        c->close();
        db::sharedState().cnnX = db::Connection::open(pfad);
    }
};

Datenbank& datenbank()
{
    static Datenbank d;
    return d;
}

void BM_Accessor_DTVSF(benchmark::State& state)
{
    datenbank();
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(kRecord);
    std::vector<float> werte(kRows);
    for (auto _ : state) {
        if (!d.DTVSF("TUKS", werte, "I1"))
            state.SkipWithError("DTVSF failed");
        benchmark::DoNotOptimize(werte.data());
    }
    if (werte[kRows - 1] != 0.25f * kRows)
        state.SkipWithError("wrong value");
}
BENCHMARK(BM_Accessor_DTVSF);

// The same query prepared, bound, stepped and finalized on every call.
void BM_SQLite_Direct(benchmark::State& state)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(datenbank().pfad).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    std::vector<float> werte(kRows);
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, kQuery, -1, &st, nullptr);
        sqlite3_bind_int(st, 1, kRecord);
        int i = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            if (sqlite3_column_type(st, 0) != SQLITE_NULL)
                werte[size_t(i)] = float(sqlite3_column_double(st, 0));
            ++i;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(werte.data());
    }
    sqlite3_close(h);
}
BENCHMARK(BM_SQLite_Direct);

// The same with one statement prepared once and reset between calls: the
// floor of what any layer over SQLite can reach.
void BM_SQLite_DirectPrepared(benchmark::State& state)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(QFile::encodeName(datenbank().pfad).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, kQuery, -1, &st, nullptr);
    std::vector<float> werte(kRows);
    for (auto _ : state) {
        sqlite3_bind_int(st, 1, kRecord);
        int i = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            if (sqlite3_column_type(st, 0) != SQLITE_NULL)
                werte[size_t(i)] = float(sqlite3_column_double(st, 0));
            ++i;
        }
        sqlite3_reset(st);
        benchmark::DoNotOptimize(werte.data());
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
}
BENCHMARK(BM_SQLite_DirectPrepared);

// Writing the column back: the row writer updates the 100 rows in place.
void BM_Accessor_DVTSF(benchmark::State& state)
{
    datenbank();
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(kRecord);
    std::vector<float> werte(kRows);
    for (int i = 0; i < kRows; ++i)
        werte[size_t(i)] = 0.25f * float(i + 1);
    for (auto _ : state) {
        if (!d.DVTSF("TUKS", werte, "I1"))
            state.SkipWithError("DVTSF failed");
    }
}
BENCHMARK(BM_Accessor_DVTSF)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
