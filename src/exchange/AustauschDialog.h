#pragma once
// What the two exchange dialogs share: the Schließen button, an unload step
// that runs exactly once, however the dialog closes (button, Esc, close box,
// or the caller after a modal run), and the key a new record takes.
#include "platform/Variant.h"

#include <QDialog>
#include <cstdint>

class QPushButton;

namespace db {
class Connection;
}

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

    // The highest ID in E1 + 1 (1 in an empty table).
    static int32_t naechsterSchluessel(db::Connection& cnn);
    // A read value as text; Null and Empty give "".
    static QString alsText(const vb::Variant& v);

private:
    bool m_entladen = false;
};
