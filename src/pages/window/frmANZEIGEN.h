#pragma once
// frmANZEIGEN — the page chooser: brings one of the open page windows to the
// front by its number and hides the others. Shown without modality, owned by
// the main window.
//
//   auto* dlg = new frmANZEIGEN(mainWindow);
//   dlg->Form_Load(pageWindows, activePageWindow, SPRACHE);
//   dlg->show();
#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class mdiSEITE1;

class frmANZEIGEN : public QDialog
{
    Q_OBJECT
public:
    explicit frmANZEIGEN(QWidget* owner = nullptr);

    // The page windows in the order they were opened, the active child
    // window of the main window (nullptr: none) and the language code.
    void Form_Load(const std::vector<mdiSEITE1*>& seiten, const QWidget* aktiv, int16_t sprache);
    void cmdOK_Click();
    void cmdABBRECHEN_Click();
    // The text box losing the focus: a number from 1 to the number of pages.
    void txtSEITE_LostFocus();

    // The page number the text stands for, limited to 1 .. number of pages.
    static int16_t begrenzt(const QString& text, int16_t anzahl);

    QLabel* lblSEITEN0 = nullptr;
    QLabel* lblSEITEN1 = nullptr;
    QLabel* lblSEITE = nullptr;
    QLineEdit* txtSEITE = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<mdiSEITE1>> m_seiten;
};
