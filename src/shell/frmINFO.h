#pragma once
// frmINFO — the about box: suite and program names, version, developers and
// the maker's address block. Shown modally by ?/Info.
#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;
class mdiAUTOSTART;

class frmINFO : public QDialog
{
    Q_OBJECT
public:
    // The start screen supplies title, subtitle and version.
    explicit frmINFO(const mdiAUTOSTART* startbildschirm, QWidget* parent = nullptr);

    void Form_Load();
    void cmdSCHLIESSEN_Click();

    // The developers line: a text longer than 50 characters is cut after the
    // first comma at or after position 50 and ends in " ...".
    static QString entwicklerZeile(const QString& entwickler);

    QLabel* lblGEO[8] = {};
    QLabel* lblINFO[8] = {};
    QLabel* imgGEO = nullptr;
    QLabel* imgZELK = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* cmdSCHLIESSEN = nullptr;

private:
    const mdiAUTOSTART* m_start;
};
