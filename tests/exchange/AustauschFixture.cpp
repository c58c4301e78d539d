#include "AustauschFixture.h"

#include "database/SharedState.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

void AustauschTest::SetUp()
{
    baue(suite::Optionen{});
}

void AustauschTest::baue(const suite::Optionen& o)
{
    m_env.reset();
    m_dienste.reset();
    m_dienste = std::make_unique<vb::TestServices>(QStringLiteral("de_DE"));
    suite::Optionen opt = o;
    opt.benutzer = QStringLiteral("TESTER");
    vb::setUserNameOverride(QStringLiteral("TESTER"));
    m_env = std::make_unique<suite::Testumgebung>(opt);
}

void AustauschTest::TearDown()
{
    m_env.reset();
    m_dienste.reset();
}

db::Connection& AustauschTest::cnnX()
{
    return *db::sharedState().cnnX;
}

QStringList AustauschTest::kennungen(db::Connection& c)
{
    QStringList l;
    auto rs = c.openRecordset(QStringLiteral("SELECT [KEN] FROM [E1] ORDER BY [ID]"));
    for (; !rs->eof(); rs->moveNext())
        l << rs->field(0).text();
    return l;
}

int32_t AustauschTest::schluessel(db::Connection& c, const QString& ken)
{
    auto rs = c.openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]=?"), {vb::Variant(ken)});
    return rs->eof() ? -1 : int32_t(rs->field(0).number());
}

std::vector<std::vector<vb::Variant>> AustauschTest::zeilen(db::Connection& c, const QString& tabelle, int32_t id)
{
    std::vector<std::vector<vb::Variant>> z;
    auto rs = c.openRecordset(QStringLiteral("SELECT * FROM [") + tabelle + QStringLiteral("] WHERE [ID]=?"),
                              {vb::Variant(id)});
    for (; !rs->eof(); rs->moveNext()) {
        std::vector<vb::Variant> r;
        for (int i = 1; i < rs->fieldCount(); ++i)
            r.push_back(rs->field(i));
        z.push_back(r);
    }
    return z;
}

QString AustauschTest::abbild(const QString& datei)
{
    auto c = db::Connection::open(datei);
    QString s;
    QStringList tabellen = c->tableNames();
    tabellen.sort();
    for (const QString& t : tabellen) {
        auto rs = c->openRecordset(QStringLiteral("SELECT * FROM [") + t + QStringLiteral("]"));
        s += t + QLatin1Char('\n');
        for (; !rs->eof(); rs->moveNext()) {
            for (int i = 0; i < rs->fieldCount(); ++i)
                s += rs->field(i).debugText() + QLatin1Char('|');
            s += QLatin1Char('\n');
        }
    }
    c->close();
    return s;
}

QString AustauschTest::leeresProjekt(const QString& name)
{
    const QString ordner = pfade().projekte + QLatin1Char('/') + name;
    QDir().mkpath(ordner);
    suite::projektDatenbank(ordner + QStringLiteral("/KAVELOR.mdb"), false);
    return ordner;
}

QStringList AustauschTest::texte(const QListWidget* liste)
{
    QStringList t;
    for (int i = 0; i < liste->count(); ++i)
        t << liste->item(i)->text();
    return t;
}
