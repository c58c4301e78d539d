#pragma once
// Fixture of the tests of the main window's page commands: the suite started,
// progress values recorded, and helpers to choose the active records and to
// find the page windows.
#include "../../shell/ShellFixture.h"

#include "database/SharedState.h"
#include "pages/window/mdiSEITE1.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmMAIN.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <vector>

class Auswerten : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        baue();
        starte();
        ASSERT_TRUE(gestartet());
        auto& st = db::sharedState();
        auto alt = st.fortschrittHook;
        st.fortschrittHook = [this, alt](int w) {
            fortschritte.push_back(w);
            if (alt)
                alt(w);
        };
    }

    frmMAIN& haupt() { return *m_main; }
    db::Connection& cnn() { return *db::sharedState().cnnX; }

    // Marks the first n records (by identifier) active, the others not.
    void aktiv(int n)
    {
        cnn().execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
        const QStringList alle = kennungen(cnn());
        ASSERT_GE(alle.size(), n);
        for (int i = 0; i < n; ++i)
            cnn().execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [KEN]=?"), {vb::Variant(alle[i])});
    }
    int32_t aktiveId()
    {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
        return rs->eof() ? 0 : int32_t(rs->field(0).number());
    }
    QString aktiveKennung()
    {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT [KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
        return rs->eof() ? QString() : rs->field(0).text();
    }
    // BONEU of every A1 row of a record, in storage order.
    std::vector<bool> boneu(int32_t id)
    {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=?"), {vb::Variant::lng(id)});
        std::vector<bool> out;
        for (; !rs->eof(); rs->moveNext())
            out.push_back(rs->field(0).number() != 0);
        return out;
    }
    int a1Zeilen()
    {
        auto rs = cnn().openRecordset(QStringLiteral("SELECT COUNT(*) FROM [A1]"));
        return int(rs->field(0).number());
    }
    QList<mdiSEITE1*> seiten()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<mdiSEITE1*> out;
        for (QMdiSubWindow* f : haupt().mdiArea()->subWindowList())
            if (auto* s = qobject_cast<mdiSEITE1*>(f->widget()))
                out << s;
        return out;
    }
    bool panelsSichtbar(bool sichtbar)
    {
        for (int i = 10; i <= 15; ++i)
            if (haupt().stbMAIN->isPanelVisible(i) != sichtbar)
                return false;
        return true;
    }

    std::vector<int> fortschritte;
};

