// Breaking a layer remark to the room beside the soil column, measured with
// the log face as the page does, for remarks of 100 to 10,000 characters that
// hold no blank: one long word (a pasted code), and words joined by no-break
// spaces; for remarks of up to 100,000 characters of superscript directives
// each styling the rest of the remark (their styled runs overlap); and for
// comparison one-letter words between blanks. Each iteration breaks the remark
// of the case and a remark of 100 characters of the same kind, alternately, so
// that machine load falls on both alike; the benchmark's time is the long
// remark's. Counters:
//   items_per_second   characters broken per second
//   je_zeichen_zu_100  time per character over that of the 100-character
//                      remark: flat cost per character keeps it near 1
// Run by hand for figures:
//   build/bench/kavelor_umbruch_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "log/ProfilRegeln.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int16_t kSG = 7;   // the page's font size for the soil column

enum class Art { Wort, Geschuetzt, Direktiven, Einzeln };

// A remark of n characters: without a blank, or one-letter words.
QString bemerkung(int n, Art art)
{
    if (art == Art::Einzeln) {
        QString t;
        for (int k = 0; t.size() < n; ++k)
            t += QLatin1Char(k % 2 ? ' ' : char('a' + k % 26));
        return t;
    }
    if (art == Art::Direktiven) {
        QString t;
        while (t.size() < n)
            t += QStringLiteral("{h,99999}2");
        t.truncate(n);
        return t;
    }
    static const QString teile[] = {QStringLiteral("KB12-2023/04"), QStringLiteral("Feinsand"), QStringLiteral("Ø"),
                                    QStringLiteral("schluffig,"), QStringLiteral("WAVE_7"), QStringLiteral("Tonlinsen;")};
    QString t;
    for (int k = 0; t.size() < n; ++k) {
        if (k > 0)
            t += art == Art::Geschuetzt ? QChar(0x00A0) : QChar(u'.');
        t += teile[k % 6];
    }
    t.truncate(n);
    return t;
}

qint64 brechen(const QString& text)
{
    QElapsedTimer uhr;
    uhr.start();
    const QStringList zeilen = profilregeln::umbrechen(
        text, profilregeln::BEMERKUNGSBREITE, [](const QString& t) { return profilregeln::textbreite(t, kSG); });
    benchmark::DoNotOptimize(zeilen);
    return uhr.nsecsElapsed();
}

void messen(benchmark::State& state, Art art)
{
    const int n = int(state.range(0));
    const QString lang = bemerkung(n, art);
    const QString kurz = bemerkung(100, art);
    double tLang = 0, tKurz = 0;
    for (auto _ : state) {
        const qint64 t = brechen(lang);
        state.SetIterationTime(double(t) * 1e-9);
        tLang += double(t);
        tKurz += double(brechen(kurz));
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["je_zeichen_zu_100"] = tKurz > 0 ? (tLang / n) / (tKurz / 100) : 0;
}

void BM_Umbruch_Wort(benchmark::State& state)
{
    messen(state, Art::Wort);
}
BENCHMARK(BM_Umbruch_Wort)->Arg(100)->Arg(300)->Arg(1000)->Arg(3000)->Arg(10000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Umbruch_Geschuetzt(benchmark::State& state)
{
    messen(state, Art::Geschuetzt);
}
BENCHMARK(BM_Umbruch_Geschuetzt)->Arg(100)->Arg(300)->Arg(1000)->Arg(3000)->Arg(10000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Umbruch_Direktiven(benchmark::State& state)
{
    messen(state, Art::Direktiven);
}
BENCHMARK(BM_Umbruch_Direktiven)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Umbruch_Einzeln(benchmark::State& state)
{
    messen(state, Art::Einzeln);
}
BENCHMARK(BM_Umbruch_Einzeln)->Arg(100)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    profilregeln::textbreite(QStringLiteral("Feinsand"), kSG);   // the face loaded before the first case
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
