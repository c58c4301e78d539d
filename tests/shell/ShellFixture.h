#pragma once
// A complete suite in a temporary folder (made by the suite builder), the
// platform's test doubles pointing at it, and helpers to start the main
// window on it and to look into its databases.
#include "database/Connection.h"
#include "platform/Services.h"
#include "suite/SuiteBuilder.h"
#include "../common/Schreibschutz.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class frmMAIN;
class frmAUSWAHL;

class ShellTest : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;

    // Build the suite. Called again, it first drops the main window of the
    // earlier build and the shared state it left.
    void baue(const suite::Optionen& optionen = standard(), const QString& unterordner = QStringLiteral("suite"));
    static suite::Optionen standard();
    // Locale for the next start (default de_DE).
    void sprache(const QString& name);

    // Create the main window and run its start-up.
    frmMAIN& starte();
    bool gestartet() const { return m_gestartet; }
    // Build the standard suite and start on it; the start-up must succeed.
    frmMAIN& start();
    // The working-copy connection of the started program.
    static db::Connection& cnnX();
    // ID of the record `ken` in the working copy, -1 when there is none.
    static int idVon(const QString& ken);

    // The selection dialog is driven by `f` whenever it is shown.
    void auswahl(std::function<void(frmAUSWAHL&)> f);

    vb::TestServices& dienste() { return *m_dienste; }
    vb::ScriptedDialogs& boxen() { return m_dienste->dialogs; }
    const suite::Pfade& pfade() const { return m_pfade; }
    QString arbeitskopie() const;
    // The temporary file the compaction writes next to the working copy.
    QString verdichtungsDatei() const;
    // A working copy as an interrupted run leaves it: copied from `projektDb`
    // and, unless `projekt` is empty, carrying the identity of that project.
    void zurueckgelasseneKopie(const QString& projektDb, const QString& projekt);

    // Rows of ADMIN as "BENUTZER|PROG|PROJEKTSPFAD|PROJEKT|BEARBEITER".
    QStringList adminZeilen() const;
    QString prog() const;
    // KEN of the E1 rows of a database file (or of cnnX) matching `where`.
    static QStringList kennungen(db::Connection& c, const QString& where = QString());
    QStringList kennungenDatei(const QString& pfad, const QString& where = QString()) const;
    // Rows with this ID in a table.
    static int zeilen(db::Connection& c, const QString& tabelle, int id);

    std::unique_ptr<QTemporaryDir> m_tmp;
    suite::Pfade m_pfade;
    std::unique_ptr<vb::TestServices> m_dienste;
    std::unique_ptr<frmMAIN> m_main;
    QString m_locale = QStringLiteral("de_DE");
    bool m_gestartet = false;
};
