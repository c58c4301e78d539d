// Composing a log page against replaying what it draws. Each case composes
// the page of one record (to the screen picture, or as the printer's PDF
// page), records the painter commands of the same composition into a
// QPicture, and times both the composition and the replay of that picture
// onto a painter of the same kind; the counter "ratio" is composition time
// over replay time.
//   BM_Seite_Bild/64, BM_Seite_Pdf/64   the demo's 64-layer borehole
//   BM_Seite_Bild/50, /500, /2000       a record of that many layers
#include "database/Connection.h"
#include "database/SharedState.h"
#include "drawing/Target.h"
#include "log/clsPROFIL.h"
#include "pages/Seite11.h"
#include "pages/clsBERECHNEN.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/Services.h"
#include "suite/SuiteBuilder.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

constexpr int32_t kTiefeBohrung = 3;   // the demo's 64-layer borehole

// The demo project with one active record; n > 0 replaces that record's
// layers with n layers of 0.1 m in a repeating sequence.
struct Umgebung
{
    vb::TestServices dienste;
    suite::Testumgebung suite;

    explicit Umgebung(int schichten)
    {
        auto& c = *db::sharedState().cnnX;
        c.execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {vb::Variant(kTiefeBohrung)});
        if (schichten > 0) {
            static const char* const codes[][4] = {
                {"G", "S", "ge", "md"}, {"bU", "", "", "we"}, {"fS", "mS", "", "lo"},
                {"X", "G", "ka", "di"}, {"b¯T", "", "", "st"}, {"Mu", "", "", "br"},
            };
            db::Connection::Transaction tx(c);
            c.execute(QStringLiteral("DELETE FROM E2 WHERE ID = ?"), {vb::Variant(kTiefeBohrung)});
            for (int i = 0; i < schichten; ++i) {
                const auto& z = codes[i % 6];
                c.execute(QStringLiteral("INSERT INTO E2 (ID, I1, TUKS, HPTB1, HPTB2, NEBB, RUND, ZUST, FARBE, BS) "
                                         "VALUES (?, ?, ?, ?, ?, 's,u', ?, ?, 'RAL1011', 1)"),
                          {vb::Variant(kTiefeBohrung), vb::Variant(int16_t(i)), vb::Variant(0.1f * float(i + 1)),
                           vb::Variant(QString::fromUtf8(z[0])), vb::Variant(QString::fromUtf8(z[1])),
                           vb::Variant(QString::fromUtf8(z[2])), vb::Variant(QString::fromUtf8(z[3]))});
            }
            tx.commit();
        }
        clsBERECHNEN().BERECHNUNG();
        c.execute(QStringLiteral("UPDATE E12 SET FARBEN = 1 WHERE ID = ?"), {vb::Variant(kTiefeBohrung)});
        clsPROFIL::setZufallsstart(1);
    }
    ~Umgebung() { clsPROFIL::setZufallsstart(std::nullopt); }
};

// The page window's composer for the active record.
struct Komponist
{
    Seite11 seite;
    drawing::ScrollBarState hsc, vsc;
    explicit Komponist(bool neu)
    {
        seite.ID = kTiefeBohrung;
        seite.BONEU = neu;
        seite.ELYMIN = mdiSEITE1::tiefenMinimum();
        seite.ELYDIFF = mdiSEITE1::tiefenDifferenz();
        seite.ELYIT = mdiSEITE1::tiefenTeilung();
        seite.ELYGIT = seite.ELYIT;
        seite.xBalken = &hsc;
        seite.yBalken = &vsc;
    }
};

// A screen picture or a printer page whose painter commands go into a
// QPicture instead.
template <class Ziel>
class Aufnahme : public Ziel
{
public:
    using Ziel::Ziel;
    QPicture bild;
    void beenden() { m_maler.reset(); }

protected:
    QPainter* painter() override
    {
        if (!m_maler)
            m_maler = std::make_unique<QPainter>(&bild);
        return m_maler.get();
    }

private:
    std::unique_ptr<QPainter> m_maler;
};

double sekunden(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The first composition of a new evaluation, as Neuberechnen runs it.
void neuAuswerten()
{
    Komponist erst(true);
    drawing::PictureTarget vorlauf(13608.0f, 7484.4f);
    vorlauf.ScaleMode(drawing::vbMillimeters);
    erst.seite.bild = &vorlauf;
    erst.seite.BILD11(0, 0, 0, nullptr);
}

// Times the composition (the benchmark's time) and the replay after it, and
// reports the replay's time and the ratio.
void messen(benchmark::State& state, const Umgebung& u, const std::function<void()>& komponieren,
            const std::function<void()>& abspielen)
{
    double komposition = 0, wiedergabe = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        komponieren();
        const auto t1 = std::chrono::steady_clock::now();
        abspielen();
        const auto t2 = std::chrono::steady_clock::now();
        komposition += sekunden(t1 - t0);
        wiedergabe += sekunden(t2 - t1);
        state.SetIterationTime(sekunden(t1 - t0));
    }
    state.counters["replay_ms"] = 1000.0 * wiedergabe / double(state.iterations());
    state.counters["ratio"] = komposition / wiedergabe;
    if (!u.dienste.dialogs.messages().empty())
        state.SkipWithError("the composition showed a box");
}

// Screen picture of the page window: 240 x 132 mm.
void BM_Seite_Bild(benchmark::State& state)
{
    Umgebung u(state.range(0) == 64 ? 0 : int(state.range(0)));
    neuAuswerten();

    // The commands of one composition, for the replay.
    Aufnahme<drawing::PictureTarget> aufnahme(13608.0f, 7484.4f);
    aufnahme.ScaleMode(drawing::vbMillimeters);
    Komponist k(false);
    k.seite.bild = &aufnahme;
    k.seite.BILD11(0, 0, 0, nullptr);
    aufnahme.beenden();

    drawing::PictureTarget ziel(13608.0f, 7484.4f);
    ziel.ScaleMode(drawing::vbMillimeters);
    k.seite.bild = &ziel;
    QImage wiedergabe(ziel.image().size(), ziel.image().format());
    messen(
        state, u, [&] { k.seite.BILD11(0, 0, 0, nullptr); },
        [&] {
            wiedergabe.fill(Qt::white);
            QPainter p(&wiedergabe);
            p.drawPicture(0, 0, aufnahme.bild);
        });
}
BENCHMARK(BM_Seite_Bild)->Arg(64)->Arg(50)->Arg(500)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The printer's page as a PDF file.
void BM_Seite_Pdf(benchmark::State& state)
{
    Umgebung u(0);
    QTemporaryDir ordner;
    neuAuswerten();
    Komponist k(false);
    drawing::PictureTarget bild(13608.0f, 7484.4f);
    bild.ScaleMode(drawing::vbMillimeters);
    k.seite.bild = &bild;

    Aufnahme<drawing::PrinterTarget> aufnahme(ordner.filePath(QStringLiteral("aufnahme.pdf")));
    aufnahme.ScaleMode(drawing::vbMillimeters);
    k.seite.drucker = &aufnahme;
    k.seite.BILD11(1, -3, 0, nullptr);
    aufnahme.beenden();

    int n = 0;
    messen(
        state, u,
        [&] {
            drawing::PrinterTarget drucker(ordner.filePath(QStringLiteral("seite%1.pdf").arg(n)));
            drucker.ScaleMode(drawing::vbMillimeters);
            k.seite.drucker = &drucker;
            k.seite.BILD11(1, -3, 0, nullptr);
            drucker.EndDoc();
        },
        [&] {
            QPrinter drucker(QPrinter::HighResolution);
            drucker.setResolution(600);
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(ordner.filePath(QStringLiteral("wiedergabe%1.pdf").arg(n++)));
            drucker.setPageSize(QPageSize(QPageSize::A4));
            drucker.setFullPage(true);
            QPainter p(&drucker);
            p.drawPicture(0, 0, aufnahme.bild);
        });
}
BENCHMARK(BM_Seite_Pdf)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
