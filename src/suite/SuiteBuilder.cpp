#include "suite/SuiteBuilder.h"

#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/VbError.h"
#include "suite/ElektronikDateien.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace suite {

using db::schema::Datenbank;

namespace {

// A file that could not be written: "Permission denied: <path>".
[[noreturn]] void verweigert(const QString& pfad)
{
    vb::raiseFile(vb::err::PermissionDenied, pfad);
}

void ordner(const QString& pfad)
{
    if (!QDir().mkpath(pfad))
        vb::raiseFile(vb::err::PathNotFound, pfad);
}

// A database made anew from its schema (an old file is replaced).
void neueDatenbank(const QString& pfad, Datenbank art)
{
    QFile::remove(pfad);
    QFile::remove(pfad + QStringLiteral("-journal"));
    db::schema::erstellen(pfad, art);
}

void kopieren(const QString& von, const QString& nach)
{
    QFile::remove(nach);
    if (!QFile::copy(von, nach))
        verweigert(nach);
}

void archiv(const Pfade& p, const Optionen& o)
{
    neueDatenbank(p.archiv, Datenbank::Archiv);
    auto c = db::Connection::open(p.archiv);
    c->execute(QStringLiteral("INSERT INTO [ADMIN] ([BENUTZER],[PROG],[PROJEKTSPFAD],[PROJEKT],[BEARBEITER]) "
                              "VALUES (?,?,?,?,?)"),
               {vb::Variant(p.benutzer), vb::Variant("TORVENA"), vb::Variant(p.projekte), vb::Variant(o.projekt),
                vb::Variant(o.bearbeiter)});
    c->close();
}

void vorgabe(const Pfade& p)
{
    neueDatenbank(p.vorgabe, Datenbank::Vorgabe);
    auto c = db::Connection::open(p.vorgabe);
    db::Connection::Transaction tx(*c);
    const QString ve1 = QStringLiteral(
        "INSERT INTO [KAVELOR_VE1] ([AKVK],[IDK],[ZL],[DATUM],[UHRZEIT],[KENZ1NR],[KENZ1KZ],[TZS],[TZZ]) "
        "VALUES (?,?,?,?,?,?,?,?,?)");
    const QString ve2 = QStringLiteral(
        "INSERT INTO [KAVELOR_VE2] ([IDK],[MNR],[SPALTE],[POSITION],[PRAEFIX],[SUFFIX],[FAKTOR],[FORMAT]) "
        "VALUES (?,?,?,?,?,?,?,?)");
    const vb::Variant null = vb::Variant::null();
    // Flat dilatometer, one record per line: depth;ID;KD;ED, one header line.
    c->execute(ve1, {vb::Variant("DMT"), vb::Variant(1), vb::Variant(int16_t(4)), null, null, vb::Variant("1"),
                     null, vb::Variant(";"), null});
    const char* dmt[] = {"VTF", "IND", "KD", "ED"};
    for (int i = 0; i < 4; ++i)
        c->execute(ve2, {vb::Variant(1), vb::Variant(int16_t(i)), vb::Variant(dmt[i]), vb::Variant(double(i)), null,
                         null, vb::Variant(1.0f), vb::Variant("#0.00")});
    // Pressuremeter, one value per line in cycles of five lines (two header lines).
    c->execute(ve1, {vb::Variant("MENARD"), vb::Variant(2), vb::Variant(int16_t(5)), vb::Variant("TT.MM.JJJJ"),
                     null, null, vb::Variant("BEGINN"), null, null});
    const char* pmt[] = {"VTP", "PL", "EP"};
    for (int i = 0; i < 3; ++i)
        c->execute(ve2, {vb::Variant(2), vb::Variant(int16_t(i)), vb::Variant(pmt[i]), vb::Variant(double(i + 2)),
                         null, i == 0 ? vb::Variant("m") : null, vb::Variant(i == 0 ? 1.0f : 10.0f),
                         vb::Variant("#0.0")});
    // Pocket penetrometer, all records on one line after the marker "DATEN:":
    // number;depth;reading;reading with unit, each record ended by "|".
    c->execute(ve1, {vb::Variant("TP"), vb::Variant(3), vb::Variant(int16_t(4)), null, null, null,
                     vb::Variant("DATEN:"), vb::Variant(";"), vb::Variant("|")});
    const char* tp[] = {"VTT", "MX", "SX"};
    const char* tpFormat[] = {"#0.00", "#0.0", "#0.0"};
    for (int i = 0; i < 3; ++i)
        c->execute(ve2, {vb::Variant(3), vb::Variant(int16_t(i)), vb::Variant(tp[i]), vb::Variant(double(i + 1)),
                         null, null, vb::Variant(i == 0 ? 1.0f : 100.0f), vb::Variant(tpFormat[i])});
    tx.commit();
    c->close();
}

// One sample device file per demo preset in <project>/Elektronik.
void elektronik(const Pfade& p)
{
    const QString ordnerPfad = p.projekt + QStringLiteral("/Elektronik");
    ordner(ordnerPfad);
    for (const ElektronikDatei& d : kElektronikDateien) {
        const QString pfad = ordnerPfad + QLatin1Char('/') + QLatin1String(d.name);
        QFile f(pfad);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(d.inhalt) < 0)
            verweigert(pfad);
    }
}

void vestralin(const Pfade& p)
{
    neueDatenbank(p.vestralin, Datenbank::Vestralin);
    auto c = db::Connection::open(p.vestralin);
    db::Connection::Transaction tx(*c);
    // One record of an earlier project: its key counts for new records.
    c->execute(QStringLiteral("INSERT INTO [E0] ([ID],[QART],[PROJ],[BEARBEITER],[DATUM]) VALUES (?,?,?,?,?)"),
               {vb::Variant(1), vb::Variant(int16_t(0)), vb::Variant(kFrueheresProjekt),
                vb::Variant("Dipl.-Geol. M. Hartwig"), vb::Variant("14.11.25")});
    c->execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[RW],[HW],[H]) VALUES (?,?,?,?,?,?)"),
               {vb::Variant(1), vb::Variant("B 1"), vb::Variant("Erkundung Regenrückhaltebecken"),
                vb::Variant(4469012.37), vb::Variant(5426733.81), vb::Variant(298.62)});
    const QString e2 = QStringLiteral(
        "INSERT INTO [E2] ([ID],[I1],[TUKS],[HPTB1],[HPTB2],[NEBB],[RUND],[ZUST],[FARBE],[BEMS]) "
        "VALUES (?,?,?,?,?,?,?,?,?,?)");
    const vb::Variant null = vb::Variant::null();
    c->execute(e2, {vb::Variant(1), vb::Variant(int16_t(0)), vb::Variant(0.3f), vb::Variant("Mu"), null,
                    vb::Variant("s,u'"), null, vb::Variant("lo"), vb::Variant("RAL8028"), vb::Variant("Oberboden")});
    c->execute(e2, {vb::Variant(1), vb::Variant(int16_t(1)), vb::Variant(2.1f), vb::Variant("bU"), null,
                    vb::Variant("s,t'"), null, vb::Variant("st"), vb::Variant("RAL1011"), null});
    c->execute(e2, {vb::Variant(1), vb::Variant(int16_t(2)), vb::Variant(5.0f), vb::Variant("G"),
                    vb::Variant("S"), vb::Variant("u'"), vb::Variant("ge"), vb::Variant("md"),
                    vb::Variant("RAL7006"), vb::Variant("wasserführend")});
    tx.commit();
    c->close();
}

// A stand-in for the frame program: shows that control was handed back.
void rahmenprogramm(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        verweigert(pfad);
    f.write("#!/bin/sh\n"
            "# Stand-in for the suite's frame program.\n"
            "echo \"TORVENA: Rahmenprogramm hat übernommen.\"\n"
            "exit 0\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                     | QFile::ReadOther | QFile::ExeOther);
}

} // namespace

QString einstellungsDatei(const QString& configDir)
{
    return configDir + QLatin1Char('/') + vb::kSettingsApp + QLatin1Char('/') + vb::kSettingsApp
           + QStringLiteral(".conf");
}

Pfade erstellen(const QString& dir, const Optionen& o)
{
    Pfade p;
    ordner(dir);
    p.wurzel = QDir(dir).absolutePath();
    p.programm = p.wurzel + QStringLiteral("/KAVELOR");
    p.vorlage = p.programm + QStringLiteral("/KAVELOR.mdb");
    p.daten = p.wurzel + QStringLiteral("/DATEN");
    p.archiv = p.daten + QStringLiteral("/ARCHIV.mdb");
    p.vorgabe = p.daten + QStringLiteral("/VORGABE.mdb");
    p.vestralin = p.daten + QStringLiteral("/VESTRALIN.mdb");
    p.projekte = p.wurzel + QStringLiteral("/PROJEKTE");
    p.projekt = p.projekte + QLatin1Char('/') + o.projekt;
    p.projektDb = p.projekt + QStringLiteral("/KAVELOR.mdb");
    p.konfiguration = p.wurzel + QStringLiteral("/config");
    p.rahmenprogramm = p.wurzel + QStringLiteral("/TORVENA");
    p.benutzer = o.benutzer.isEmpty() ? vb::userName() : o.benutzer.toUpper();

    for (const QString& d : {p.programm, p.daten, p.projekt})
        ordner(d);

    // Program folder: the program and its documents when they lie next to
    // the builder, and the empty template.
    QString quelle = o.programmQuelle;
    if (quelle.isEmpty() && QCoreApplication::instance())
        quelle = QCoreApplication::applicationDirPath();
    if (!quelle.isEmpty()) {
        const QString programm = quelle + QStringLiteral("/kavelor");
        if (QFileInfo(programm).isFile()) {
            kopieren(programm, p.programm + QStringLiteral("/kavelor"));
            QFile::setPermissions(p.programm + QStringLiteral("/kavelor"), QFileInfo(programm).permissions());
        }
        for (const char* dok : {"KAVELOR.html", "KAVELOR.odt", "KAVELOR_H.odt"}) {
            const QString von = quelle + QLatin1Char('/') + QLatin1String(dok);
            if (QFileInfo(von).isFile())
                kopieren(von, p.programm + QLatin1Char('/') + QLatin1String(dok));
        }
    }
    neueDatenbank(p.vorlage, Datenbank::Projekt);

    archiv(p, o);
    vorgabe(p);
    vestralin(p);
    elektronik(p);

    QFile::remove(p.projektDb);
    QFile::remove(p.projektDb + QStringLiteral("-journal"));
    projektDatenbank(p.projektDb, o.demodaten);
    if (o.demodaten && o.projekt != kFrueheresProjekt) {
        const QString ordnerFrueher = p.projekte + QLatin1Char('/') + kFrueheresProjekt;
        ordner(ordnerFrueher);
        p.frueheresProjektDb = ordnerFrueher + QStringLiteral("/KAVELOR.mdb");
        neueDatenbank(p.frueheresProjektDb, Datenbank::Projekt);
        auto c = db::Connection::open(p.frueheresProjektDb);
        fruehereBohrungen(*c);
        c->close();
    }

    if (o.einstellungen) {
        ordner(p.konfiguration);
        p.einstellungsDatei = einstellungsDatei(p.konfiguration);
        QFile::remove(p.einstellungsDatei);
        QSettings s(p.einstellungsDatei, QSettings::IniFormat);
        s.beginGroup(vb::kSettingsSection);
        s.setValue(vb::kSettingsDatabaseKey, p.daten);
        s.endGroup();
        s.sync();
        if (s.status() != QSettings::NoError)
            verweigert(p.einstellungsDatei);
    }
    rahmenprogramm(p.rahmenprogramm);
    return p;
}

void projektDatenbank(const QString& path, bool demodaten)
{
    db::schema::erstellen(path, Datenbank::Projekt);
    if (!demodaten)
        return;
    auto c = db::Connection::open(path);
    demoBohrungen(*c);
    c->close();
}

// ---------------------------------------------------------------------------
// Test fixture

Testumgebung::Testumgebung(const Optionen& optionen)
{
    if (!m_dir.isValid())
        vb::raise(vb::err::PathNotFound, QStringLiteral("Kein temporärer Ordner"));
    Optionen o = optionen;
    o.einstellungen = false;
    o.programmQuelle = m_dir.path() + QStringLiteral("/keine-quelle");
    m_pfade = erstellen(m_dir.path() + QStringLiteral("/suite"), o);

    // As the start-up leaves it: the settings name the shared databases, the
    // program runs from its folder, the working copy is open.
    m_vorigeEinstellungen = vb::setSettings(&m_einstellungen);
    vb::saveDatabaseFolderSetting(m_pfade.daten);
    vb::setProgramFolder(m_pfade.programm);
    db::SharedState& s = db::sharedState();
    s.reset();
    s.PROJEKT = o.projekt;
    s.PROJEKTSPFAD = m_pfade.projekte;
    s.BEARBEITER = o.bearbeiter;
    m_arbeitskopie = s.XMDBPFAD();
    db::copyDatabase(m_pfade.projektDb, m_arbeitskopie);
    s.cnnX = db::Connection::open(m_arbeitskopie);
    s.cnnX_V = db::Connection::open(m_pfade.vorgabe);
}

Testumgebung::~Testumgebung()
{
    db::sharedState().reset();
    vb::setProgramFolder(QString());
    vb::setSettings(m_vorigeEinstellungen);
}

QString Testumgebung::leereProjektDatenbank(const QString& name)
{
    const QString pfad = m_dir.path() + QLatin1Char('/') + name + QStringLiteral("/KAVELOR.mdb");
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile::remove(pfad);
    projektDatenbank(pfad, false);
    return pfad;
}

} // namespace suite
