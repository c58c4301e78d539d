#pragma once
// What the two exchange dialogs share: the Schließen button, and an unload
// step that runs exactly once, however the dialog closes (button, Esc, close
// box, or the caller after a modal run).
#include <QDialog>

class QPushButton;

class AustauschDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AustauschDialog(QWidget* parent = nullptr);

    void cmdSCHLIESSEN_Click();
    // Runs the dialog's own unload step the first time only.
    void Form_Unload();

    QPushButton* cmdSCHLIESSEN = nullptr;

public slots:
    void done(int r) override;

protected:
    virtual void entladen() = 0;

private:
    bool m_entladen = false;
};
