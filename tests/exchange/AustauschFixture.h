#pragma once
// The demo suite in a temporary folder with the working copy open, scripted
// boxes, and helpers to look into the databases the exchange writes.
#include "database/Connection.h"
#include "platform/Services.h"
#include "suite/SuiteBuilder.h"

#include <QStringList>

class QListWidget;
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class AustauschTest : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;
    // Build the suite again with these options (project name, ...).
    void baue(const suite::Optionen& o);

    const suite::Pfade& pfade() const { return m_env->pfade(); }
    vb::ScriptedDialogs& boxen() { return m_dienste->dialogs; }
    static db::Connection& cnnX();

    // The texts of a list's items.
    static QStringList texte(const QListWidget* liste);
    // KEN of every E1 row, in key order.
    static QStringList kennungen(db::Connection& c);
    static int32_t schluessel(db::Connection& c, const QString& ken);
    // The rows under a key, every column but ID, in stored order.
    static std::vector<std::vector<vb::Variant>> zeilen(db::Connection& c, const QString& tabelle, int32_t id);
    // Every row of every table, as text (to show that nothing changed).
    static QString abbild(const QString& datei);
    // A further project folder with an empty project database.
    QString leeresProjekt(const QString& name);

    std::unique_ptr<vb::TestServices> m_dienste;
    std::unique_ptr<suite::Testumgebung> m_env;
};

// The fixture with one exchange dialog, loaded as its menu item loads it.
template <class Dialog>
class AustauschDialogTest : public AustauschTest
{
public:
    Dialog& dialog()
    {
        m_dlg = std::make_unique<Dialog>();
        m_dlg->Form_Load();
        return *m_dlg;
    }
    std::unique_ptr<Dialog> m_dlg;
};
