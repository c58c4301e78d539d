#pragma once
// Fixture of the page-window tests: a demo project with its first borehole
// active and evaluated afresh (display options written, evaluation state
// "to be rebuilt"), the test services and the progress values reported.
#include "database/Connection.h"
#include "database/SharedState.h"
#include "pages/clsBERECHNEN.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/Services.h"
#include "suite/SuiteBuilder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <memory>
#include <vector>

// A demo project with its first borehole active and evaluated afresh: the
// display options written and the evaluation state "to be rebuilt".
class Seite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        umgebung = std::make_unique<suite::Testumgebung>();
        auto& st = db::sharedState();
        st.fortschrittHook = [this](int w) { fortschritte.push_back(w); };
        clsBERECHNEN ber;
        ASSERT_TRUE(ber.BERECHNUNG());
        st.cnnX->execute(QStringLiteral("DELETE FROM [A1]"));
        st.cnnX->execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (?,?)"),
                         {vb::Variant::lng(aktiveId()), vb::Variant(true)});
        fortschritte.clear();
        mdiSEITE1::anbindung() = {};
    }
    void TearDown() override
    {
        mdiSEITE1::anbindung() = {};
        db::sharedState().fortschrittHook = nullptr;
    }

    static int32_t aktiveId()
    {
        auto rs = db::sharedState().cnnX->openRecordset(
            QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
        return rs->eof() ? 0 : int32_t(rs->field(0).number());
    }
    static QString aktiveKennung()
    {
        auto rs = db::sharedState().cnnX->openRecordset(
            QStringLiteral("SELECT [KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
        return rs->eof() ? QString() : rs->field(0).text();
    }
    static vb::Variant g0(const QString& spalte)
    {
        auto rs = db::sharedState().cnnX->openRecordset(
            QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=11").arg(spalte),
            {vb::Variant::lng(aktiveId())});
        return rs->eof() ? vb::Variant() : rs->field(0);
    }

    // Dark pixels of the window's surface in a rectangle (pixels).
    static int dunkel(const QImage& img, QRect r)
    {
        int n = 0;
        r = r.intersected(img.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(img.pixel(x, y)) < 128)
                    ++n;
        return n;
    }

    vb::TestServices dienste;
    std::unique_ptr<suite::Testumgebung> umgebung;
    std::vector<int> fortschritte;
};

