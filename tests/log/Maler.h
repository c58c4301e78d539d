#pragma once
// A log painter over the small test project, handed a recording engine whose
// transforms follow the same view record.
#include "Projektfixture.h"
#include "Protokoll.h"

#include "database/clsDATEN.h"
#include "drawing/RecordingEngine.h"
#include "log/clsPROFIL.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>

struct Maler : Projektfixture
{
    std::shared_ptr<drawing::RecordingEngine> rec = std::make_shared<drawing::RecordingEngine>();
    clsPROFIL p;

    void uebergeben(float my = 0.1f, int16_t oy = -1)
    {
        ansicht(my, oy);
        // The engine's transforms follow the same view record.
        drawing::ViewState v;
        v.OX = 1, v.OY = oy, v.RL = 5, v.RR = 7, v.RO = 5, v.RU = 5;
        v.XMAX = 840, v.YMIN = -2.7f, v.YMAX = 14, v.MX = 1, v.MY = my;
        rec->setView(v);
        rec->EIDOBJEKT(11);
        p.setEclsBILD(rec);
        rec->clear();
    }
    std::unique_ptr<clsDATEN> tabelle(const char* name)
    {
        auto d = std::make_unique<clsDATEN>();
        d->ETABELLE(QString::fromLatin1(name));
        return d;
    }
};


// Every text written, joined for failure messages.
inline std::string alleTexte(const Maler& m)
{
    return texte(*m.rec).join(QLatin1Char('|')).toStdString();
}

// No recorded coordinate is infinite or not a number.
inline bool alleEndlich(const Maler& m)
{
    for (const Aufruf& a : aufrufe(*m.rec))
        for (float z : a.z)
            if (!std::isfinite(z))
                return false;
    return true;
}

// The columns of the log as the column tests call them: on the axis X0, from
// a record's table (id 7 in the test project).
using Spalte = void (clsPROFIL::*)(clsDATEN&, int16_t&, std::optional<float>);

constexpr float X0 = 100;   // the column axis

// A row i of the record with only its depth t in the depth field `tiefe`.
inline void zeile(Maler& m, const char* tabelle, const char* tiefe, int i, float t)
{
    m.cnn->execute(QStringLiteral("INSERT INTO %1 (ID, I1, %2) VALUES (7, ?, ?)")
                       .arg(QLatin1String(tabelle), QLatin1String(tiefe)),
                   {vb::Variant(int16_t(i)), vb::Variant(t)});
}

// The column drawn from table `tabelle` at X0 with font size SG.
inline void zeichnen(Maler& m, const char* tabelle, Spalte spalte, int16_t SG = 7)
{
    auto dat = m.tabelle(tabelle);
    (m.p.*spalte)(*dat, SG, X0);
}
