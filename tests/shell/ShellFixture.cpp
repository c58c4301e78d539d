#include "ShellFixture.h"

#include "database/Arbeitskopie.h"
#include "database/SharedState.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

suite::Optionen ShellTest::standard()
{
    suite::Optionen o;
    o.benutzer = QStringLiteral("TESTER");
    o.einstellungen = false;
    return o;
}

void ShellTest::SetUp()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_tmp->isValid());
    // A modal dialog no test expects is closed at once instead of waiting.
    frmMAIN::setModalDriver([](QDialog& d) {
        ADD_FAILURE() << "unexpected modal dialog " << d.objectName().toStdString();
        d.reject();
    });
}

void ShellTest::TearDown()
{
    frmMAIN::setModalDriver(nullptr);
    m_main.reset();
    db::sharedState().reset();
    m_dienste.reset();
    m_tmp.reset();
}

void ShellTest::baue(const suite::Optionen& optionen, const QString& unterordner)
{
    m_main.reset();
    db::sharedState().reset();
    m_dienste.reset();
    m_pfade = suite::erstellen(m_tmp->path() + QLatin1Char('/') + unterordner, optionen);
    m_dienste = std::make_unique<vb::TestServices>(m_locale, m_pfade.programm);
    vb::setUserNameOverride(QStringLiteral("TESTER"));
    vb::saveDatabaseFolderSetting(m_pfade.daten);
}

void ShellTest::sprache(const QString& name)
{
    m_locale = name;
    if (m_dienste)
        vb::setLocale(name);
}

frmMAIN& ShellTest::starte()
{
    m_main = std::make_unique<frmMAIN>();
    m_gestartet = m_main->MDIForm_Load();
    return *m_main;
}

frmMAIN& ShellTest::start()
{
    baue();
    frmMAIN& w = starte();
    EXPECT_TRUE(gestartet());
    return w;
}

db::Connection& ShellTest::cnnX() { return *db::sharedState().cnnX; }

int ShellTest::idVon(const QString& ken)
{
    auto rs = cnnX().openRecordset("SELECT [ID] FROM [E1] WHERE [KEN]=?", {vb::Variant(ken)});
    return rs->eof() ? -1 : int(rs->field(0).number());
}

void ShellTest::auswahl(std::function<void(frmAUSWAHL&)> f)
{
    frmMAIN::setModalDriver([f](QDialog& d) {
        if (auto* a = qobject_cast<frmAUSWAHL*>(&d))
            f(*a);
    });
}

QString ShellTest::arbeitskopie() const
{
    return m_pfade.wurzel + QStringLiteral("/BENUTZER/TESTER/KAVELOR.mdb");
}

QString ShellTest::verdichtungsDatei() const
{
    return m_pfade.wurzel + QStringLiteral("/BENUTZER/TESTER/KAVELORTEMP.mdb");
}

void ShellTest::zurueckgelasseneKopie(const QString& projektDb, const QString& projekt)
{
    QDir().mkpath(QFileInfo(arbeitskopie()).path());
    const db::Dateistand stand = db::dateistand(projektDb);
    db::copyDatabase(projektDb, arbeitskopie());
    if (!projekt.isEmpty())
        db::schreibeHerkunft(arbeitskopie(),
                             {QFileInfo(QFileInfo(projektDb).path()).path(), projekt, projektDb, stand, {}});
}

QStringList ShellTest::adminZeilen() const
{
    auto c = db::Connection::open(m_pfade.archiv);
    auto rs = c->openRecordset(QStringLiteral("SELECT * FROM [ADMIN] ORDER BY [BENUTZER]"));
    QStringList out;
    auto t = [](const vb::Variant& v) { return v.isNull() ? QStringLiteral("<null>") : v.toQVariant().toString(); };
    while (!rs->eof()) {
        out << QStringList{t(rs->field(QStringLiteral("BENUTZER"))), t(rs->field(QStringLiteral("PROG"))),
                           t(rs->field(QStringLiteral("PROJEKTSPFAD"))), t(rs->field(QStringLiteral("PROJEKT"))),
                           t(rs->field(QStringLiteral("BEARBEITER")))}
                   .join(QLatin1Char('|'));
        rs->moveNext();
    }
    return out;
}

QString ShellTest::prog() const
{
    auto c = db::Connection::open(m_pfade.archiv);
    auto rs = c->openRecordset(QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]=?"),
                               {vb::Variant(QStringLiteral("TESTER"))});
    return rs->eof() ? QString() : rs->field(0).toQVariant().toString();
}

QStringList ShellTest::kennungen(db::Connection& c, const QString& where)
{
    auto rs = c.openRecordset(QStringLiteral("SELECT [KEN] FROM [E1]") + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where)
                              + QStringLiteral(" ORDER BY [KEN]"));
    QStringList out;
    while (!rs->eof()) {
        const vb::Variant v = rs->field(0);
        out << (v.isNull() ? QStringLiteral("<null>") : v.toQVariant().toString());
        rs->moveNext();
    }
    return out;
}

QStringList ShellTest::kennungenDatei(const QString& pfad, const QString& where) const
{
    auto c = db::Connection::open(pfad);
    return kennungen(*c, where);
}

int ShellTest::zeilen(db::Connection& c, const QString& tabelle, int id)
{
    auto rs = c.openRecordset(QStringLiteral("SELECT COUNT(*) FROM [%1] WHERE [ID]=?").arg(tabelle), {vb::Variant(id)});
    return int(rs->field(0).number());
}
