// libFuzzer harness for the device file import. The first byte of an input
// chooses the preset (its layout and how the file's beginning is skipped),
// the rest is the device file. Boxes are answered by the scripted dialogs
// (the default button: OK goes on), so every path of the import runs.
//
// Built with clang and -fsanitize=fuzzer,address,undefined by bench/fuzz/run;
// the normal build compiles this file into a test that replays the corpus.

#include "grid/FlexGrid.h"
#include "grid/FlxImport.h"
#include "grid/clsFLX.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using grid::Elektronikvorgabe;
using grid::FlxWert;

struct Umgebung {
    std::unique_ptr<QApplication> app;
    vb::ScriptedDialogs boxen;
    std::unique_ptr<grid::FlexGrid> flx;
    grid::clsFLX FLX;

    Umgebung()
    {
        if (!QCoreApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "import_fuzz";
            static char* argv[] = {name, nullptr};
            app = std::make_unique<QApplication>(argc, argv);
        }
        vb::setDialogs(&boxen);
        vb::setLocale(QStringLiteral("de_DE"));
        flx = std::make_unique<grid::FlexGrid>();
        flx->setCols(6);
        FLX.EFLX(flx.get());
        FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 4, 5, 6}));
        FLX.ELFORMAT(FlxWert::liste({FlxWert("#0"), FlxWert("#0.00"), FlxWert::fehler(), FlxWert::fehler(),
                                     FlxWert::fehler(), FlxWert("#0.0")}));
        FLX.ELSELEK(FlxWert::texte({"I1", "A", "B", "DAT", "ZEIT", "DAUER"}));
    }
};

// Lives until the process ends (the grid must not outlive the application
// object in an orderly exit).
Umgebung& umgebung()
{
    static Umgebung* u = new Umgebung;
    return *u;
}

Elektronikvorgabe vorgabe(uint8_t wahl)
{
    Elektronikvorgabe v;
    auto wert = [&](const char* spalte, double pos, float faktor = 1.0f, const char* praefix = "",
                    const char* suffix = "") {
        Elektronikvorgabe::Messwert w;
        w.spalte = QString::fromLatin1(spalte);
        w.position = pos;
        w.faktor = faktor;
        w.praefix = QString::fromLatin1(praefix);
        w.suffix = QString::fromLatin1(suffix);
        v.werte.push_back(w);
    };
    switch (wahl % 3) {
    case 0:   // one value per line, cycles of five lines
        v.zl = 5;
        wert("A", 2, 1.0f, "", "m");
        wert("B", 3, 10.0f);
        wert("DAT", 4);
        break;
    case 1:   // one record per line
        v.zl = 4;
        v.tzs = (wahl & 0x40) ? QStringLiteral("<TAB>") : QStringLiteral(";");
        wert("A", 0);
        wert("B", 1, 2.5f, "x");
        wert("DAT", 2);
        wert("ZEIT", 3);
        break;
    default:   // all records on the first line
        v.zl = 4;
        v.tzs = QStringLiteral(";");
        v.tzz = (wahl & 0x40) ? QStringLiteral("<BLANK>") : QStringLiteral("|");
        wert("ZZ", 0);
        wert("A", 1);
        wert("B", 2, 100.0f);
        wert("ZEIT", 3);
        break;
    }
    switch ((wahl >> 2) % 3) {
    case 1: v.kenz1nr = QString::number((wahl >> 4) % 3); break;
    case 2: v.kenz1kz = (wahl % 3 == 0) ? QStringLiteral("BEGINN") : QStringLiteral("DATEN:"); break;
    default: break;
    }
    if (wahl & 0x80) {
        v.datum = QStringLiteral("JJJJ-MM-TT");
        v.uhrzeit = QStringLiteral("hhmmss");
    }
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    Umgebung& u = umgebung();
    u.boxen.clear();
    // A fresh grid of one data row, in use.
    u.flx->setEnabledState(true);
    u.flx->setRows(2);
    for (int c = 0; c < u.flx->Cols(); ++c)
        u.flx->setTextMatrix(1, c, QString());
    const QByteArray datei(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    grid::FlxImport::importieren(u.FLX, vorgabe(data[0]), datei, QStringLiteral("fuzz.txt"));
    if (vb::waitPointerShown())
        __builtin_trap();   // the pointer must be back on every path
    return 0;
}
