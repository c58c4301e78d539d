#pragma once
// A project database in a temporary folder as the working copy of the shared
// state, with one active record, and helpers for the view record G0.

#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "drawing/Target.h"
#include "drawing/clsGRAFIK.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <memory>

// Readable QString values in test failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class DrawingTest : public ::testing::Test {
protected:
    // Record key of the active record: above the 16-bit range on purpose.
    static constexpr int32_t kId = 40001;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("KAVELOR.mdb"));
        db::schema::erstellen(path, db::schema::Datenbank::Projekt);
        m_cnn = db::Connection::open(path);
        m_cnn->execute(QStringLiteral("INSERT INTO [E1] ([ID], [KEN], [AKT]) VALUES (?, ?, ?)"),
                       {vb::Variant(int(kId)), vb::Variant("B 1"), vb::Variant(true)});
        db::sharedState().cnnX = m_cnn;
    }

    void TearDown() override
    {
        db::sharedState().cnnX.reset();
        m_cnn->close();
    }

    // Write the view record of picture 11 of the active record.
    void setG0(const std::map<QString, double>& fields, int16_t picture = 11)
    {
        m_cnn->execute(QStringLiteral("DELETE FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=?"),
                       {vb::Variant(int(kId)), vb::Variant(picture)});
        QStringList cols{QStringLiteral("[ID]"), QStringLiteral("[IDOBJEKT]")};
        QStringList marks{QStringLiteral("?"), QStringLiteral("?")};
        db::Params params{vb::Variant(int(kId)), vb::Variant(picture)};
        for (const auto& [name, value] : fields) {
            cols << QLatin1Char('[') + name + QLatin1Char(']');
            marks << QStringLiteral("?");
            params.push_back(vb::Variant(value));
        }
        m_cnn->execute(QStringLiteral("INSERT INTO [G0] (%1) VALUES (%2)").arg(cols.join(','), marks.join(',')),
                       params);
    }

    // A field of the view record (nullopt when the row or value is missing).
    std::optional<double> g0(const QString& field, int16_t picture = 11)
    {
        auto rs = m_cnn->openRecordset(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=?").arg(field),
                                       {vb::Variant(int(kId)), vb::Variant(picture)});
        if (rs->eof()) return std::nullopt;
        const vb::Variant v = rs->field(0);
        if (v.isNull() || v.isEmpty()) return std::nullopt;
        return v.number();
    }

    // The log page's usual view record: margins 5/7/5/5, log orientation.
    std::map<QString, double> logPage(double xmax, double ymax, double mx, double my)
    {
        return {{"OX", 1}, {"OY", -1}, {"RL", 5}, {"RR", 7}, {"RO", 5}, {"RU", 5},
                {"XMIN", 0}, {"XMAX", xmax}, {"YMIN", 0}, {"YMAX", ymax}, {"MX", mx}, {"MY", my}, {"MYMX", 0}};
    }

    QTemporaryDir m_dir;
    std::shared_ptr<db::Connection> m_cnn;
    vb::ScopedDialogs m_box;
    vb::ScopedLocale m_locale{QStringLiteral("de_DE")};
};

// A recording target of the page picture's size (240 x 132 mm) scaled in
// millimetres; dpi 96 (screen) unless given.
inline std::unique_ptr<drawing::RecordingTarget> mmTarget(double dpi = 96.0,
                                                          drawing::Target::Kind kind = drawing::Target::Kind::Picture,
                                                          float wMm = 240.0f, float hMm = 132.0f)
{
    auto t = std::make_unique<drawing::RecordingTarget>(float(wMm * drawing::kTwipsPerMm),
                                                        float(hMm * drawing::kTwipsPerMm), dpi, kind);
    t->ScaleMode(drawing::vbMillimeters);
    return t;
}

// The log page's view state: world 0..228 x 0..12.2 in the plot area
// 5..233 x 5..127 mm of a 240 x 132 mm picture, Y running down the page.
inline drawing::ViewState logPageView()
{
    drawing::ViewState v;
    v.OX = 1, v.OY = -1, v.RL = 5, v.RR = 7, v.RO = 5, v.RU = 5, v.XMAX = 228, v.YMAX = 12.2f, v.MX = 1, v.MY = 0.1f;
    return v;
}

// An engine bound to a recording target with the log page's frame; the
// target's record starts empty.
struct LogPageBench {
    std::unique_ptr<drawing::RecordingTarget> target;
    std::unique_ptr<clsGRAFIK> g;
    explicit LogPageBench(double dpi = 96.0, drawing::Target::Kind kind = drawing::Target::Kind::Picture)
    {
        target = mmTarget(dpi, kind);
        g = std::make_unique<clsGRAFIK>();
        g->EOBJEKT(target.get());
        g->setView(logPageView());
        target->clear();
    }
};
