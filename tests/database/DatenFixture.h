#pragma once
// A working copy of the demo project opened as the main window holds it.

#include "database/Connection.h"
#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"
#include "suite/SuiteBuilder.h"

#include <gtest/gtest.h>

// Reaches the row writer and reader of the accessor.
struct Zugriff : clsDATEN {
    using clsDATEN::DLESEN;
    using clsDATEN::DSCHREIBEN;
};

class DatenTest : public ::testing::Test {
protected:
    vb::TestServices services{QStringLiteral("de_DE")};
    suite::Testumgebung umgebung;

    db::Connection& cnn() { return *db::sharedState().cnnX; }
    vb::ScriptedDialogs& boxen() { return services.dialogs; }

    // Values of one column of a table, as text ("-" for Null), in the order given.
    QStringList werte(const QString& sql, const db::Params& p = {})
    {
        QStringList out;
        auto rs = cnn().openRecordset(sql, p);
        for (; !rs->eof(); rs->moveNext()) {
            QStringList zeile;
            for (int i = 0; i < rs->fieldCount(); ++i) {
                const vb::Variant v = rs->field(i);
                zeile << (v.isNull() ? QStringLiteral("-") : vb::CStr(v));
            }
            out << zeile.join(QLatin1Char('|'));
        }
        return out;
    }

    // A record 99 with five layers I1 0..4, TUKS 1..5.
    void fuenfSchichten()
    {
        for (int i = 0; i < 5; ++i)
            cnn().execute(QStringLiteral("INSERT INTO E2 (ID,I1,TUKS) VALUES (99,?,?)"),
                          {vb::Variant(int16_t(i)), vb::Variant(float(i + 1))});
    }
};
