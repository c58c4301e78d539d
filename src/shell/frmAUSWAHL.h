#pragma once
// frmAUSWAHL — the modal record selection dialog. The caller writes its
// request ("A" select, "O" open, "L" delete) into the main window's Tag and
// shows the dialog; OK marks the chosen record active in E1 (AKT) and every
// other listed record inactive, and answers "OK"; Abbrechen answers
// "Abbrechen" and changes nothing. The list holds the records with ID > 0
// ordered by identifier; each item remembers its record key, so OK reaches
// the right rows even when identifiers are missing or repeated.
#include <QDialog>
#include <QList>
#include <QStringList>

class QListWidget;
class QPushButton;

class frmAUSWAHL : public QDialog
{
    Q_OBJECT
public:
    // `haupt` is the main window (placement relative to its inner area); may be null.
    explicit frmAUSWAHL(QWidget* haupt = nullptr);

    void Form_Load();
    void lstKEN_Click();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    QListWidget* lstKEN = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

    // Select the list item showing `ken` (first match) as the user would.
    bool waehle(const QString& ken);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList m_kommentare;
    QList<int> m_schluessel;
    bool m_laden = false;
    QWidget* m_haupt;
};
