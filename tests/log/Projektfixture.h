#pragma once
// A small project database for the log and page tests: one active record
// (ID 7) with its header, layers, display options and view record, written
// with plain SQL; the shared state's working-copy connection points at it and
// the platform services are test doubles (German locale, scripted dialogs).
#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/Variant.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

struct Projektfixture
{
    QTemporaryDir dir;
    vb::TestServices dienste;
    std::shared_ptr<db::Connection> cnn;
    static constexpr int32_t ID = 7;

    Projektfixture()
    {
        const QString pfad = dir.filePath(QStringLiteral("KAVELOR.mdb"));
        db::schema::erstellen(pfad, db::schema::Datenbank::Projekt);
        cnn = db::Connection::open(pfad);
        db::sharedState().cnnX = cnn;
        sql("INSERT INTO E1 (ID, KEN, KOM, AKT, RW, HW, H, ROK, OPTK, OPTH, B1, B2, B3, B4) "
            "VALUES (?, 'KB 1', 'Testbohrung', 1, 5432100.125, 300.5, 312.5, 0.4, 1, 0, "
            "'Dr. Huber', '', 'Ing. Maier', NULL)",
            {vb::Variant(ID)});
    }
    ~Projektfixture()
    {
        cnn.reset();
        db::sharedState().reset();
    }

    void sql(const char* text, const db::Params& werte = {}) { cnn->execute(QString::fromUtf8(text), werte); }

    void schicht(int16_t i, float tuks, const QString& h1, const QString& h2 = {}, const QString& neb = {},
                 const QString& rund = {}, const QString& zust = {}, const QString& farbe = {},
                 const QString& bems = {}, int16_t bs = 0)
    {
        auto t = [](const QString& s) { return s.isEmpty() ? vb::Variant::null() : vb::Variant(s); };
        cnn->execute(QStringLiteral("INSERT INTO E2 (ID, I1, TUKS, HPTB1, HPTB2, NEBB, RUND, ZUST, FARBE, BEMS, BS) "
                                    "VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
                     {vb::Variant(ID), vb::Variant(i), vb::Variant(tuks), t(h1), t(h2), t(neb), t(rund), t(zust),
                      t(farbe), t(bems), vb::Variant(bs)});
    }

    // View record of picture 11: 1:100, depth grows with world y (OY -1).
    void ansicht(float my = 0.1f, int16_t oy = -1, float xmin = 0, float xmax = 840)
    {
        cnn->execute(QStringLiteral("DELETE FROM G0 WHERE ID = ?"), {vb::Variant(ID)});
        cnn->execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX) "
                                    "VALUES (?, 11, 1, ?, 5, 7, 5, 5, ?, ?, -2.7, 14, 1, ?, 0)"),
                     {vb::Variant(ID), vb::Variant(oy), vb::Variant(xmin), vb::Variant(xmax), vb::Variant(my)});
    }

    vb::Variant wert(const QString& abfrage, const db::Params& p = {})
    {
        auto rs = cnn->openRecordset(abfrage, p);
        if (rs->eof())
            return vb::Variant::null();
        return rs->field(0);
    }
    int anzahl(const QString& abfrage, const db::Params& p = {}) { return int(wert(abfrage, p).number()); }
};
