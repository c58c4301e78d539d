#pragma once
// frmEXPIMP — the record exchange dialog "Export/Import": copies whole
// borehole records, with their rows in all fourteen per-record tables,
// between the working copy and the project database of another project
// folder.
//
// The other project is the file KAVELOR.mdb of the folder chosen in the
// folder list; the dialog opens it on a connection of its own (cnnEXP) and
// writes into it directly. The folder of the user's own working copy is never
// opened, and a database that cannot be opened or whose tables differ in
// column layout from the working copy's is reported and not taken as partner
// (rows are copied by column position). Export (◀) copies the records chosen
// in the current project's list into the other database, import (▶) the
// other way.
//
// Each copied record gets the target's highest ID + 1 (1 in an empty table)
// and is written in one transaction on the target: rows left under that key
// by an earlier delete are removed first, and a record arrives whole or not
// at all. A record whose identifier the target already holds is not copied:
// the user skips it (OK) or ends the transfer (Cancel).
//
// Closing after another project database was opened by choosing its folder,
// or after an import, writes "OK" into the main window's Tag (the working
// copy may have changed); the dialog writes no other value.
#include "exchange/AustauschDialog.h"

#include <QStringList>
#include <memory>

class QGroupBox;
class QListWidget;
class QPushButton;
class OrdnerListe;

namespace db {
class Connection;
}

class frmEXPIMP : public AustauschDialog
{
    Q_OBJECT
public:
    explicit frmEXPIMP(QWidget* parent = nullptr);
    ~frmEXPIMP() override;

    void Form_Load();
    // The folder handler: runs whenever the folder list's path changes.
    void dirEXP_Change();
    void cmdEXP_Click();
    void cmdIMP_Click();

    QGroupBox* fraEXP = nullptr;
    OrdnerListe* dirEXP = nullptr;
    QListWidget* lstEXP = nullptr;
    QGroupBox* fraIMP = nullptr;
    QListWidget* lstIMP = nullptr;
    QPushButton* cmdEXP = nullptr;
    QPushButton* cmdIMP = nullptr;

    // The tables copied per record, in copying order.
    static const QStringList& TABELLEN();
    bool BOEXTERN() const { return m_boextern; }
    // The other project's connection (null before one was opened).
    std::shared_ptr<db::Connection> cnnEXP() const { return m_cnnEXP; }

    // Selects the items showing these texts (tests, scripted use).
    static void waehle(QListWidget* liste, const QStringList& texte);

protected:
    void entladen() override;

private:
    void LISTEFUELLEN(const std::shared_ptr<db::Connection>& cnn, QListWidget* liste);
    // LISTEFUELLEN with its error reported under the dialog's title.
    void listeNeu(const std::shared_ptr<db::Connection>& cnn, QListWidget* liste);
    void UEBERTRAGEN(const std::shared_ptr<db::Connection>& quelle, QListWidget* quellListe,
                     const std::shared_ptr<db::Connection>& ziel);
    // Copies record `schluessel` of `quelle` into `ziel` in one transaction.
    void kopiereDatensatz(db::Connection& quelle, int32_t schluessel, db::Connection& ziel);
    // Why `kandidat` cannot be the partner ("" when it can).
    QString partnerFehler(db::Connection& kandidat);
    void meldung(const QString& text);

    std::shared_ptr<db::Connection> m_cnnEXP;
    bool m_boextern = false;
    short m_sprache = 3;
};
