#include "exchange/AustauschDialog.h"

#include "database/Connection.h"
#include "platform/VbRuntime.h"

#include <QPushButton>

AustauschDialog::AustauschDialog(QWidget* parent) : QDialog(parent)
{
    cmdSCHLIESSEN = new QPushButton(QString::fromUtf8("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    cmdSCHLIESSEN->setAutoDefault(false);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &AustauschDialog::cmdSCHLIESSEN_Click);
}

void AustauschDialog::cmdSCHLIESSEN_Click()
{
    done(QDialog::Accepted);
}

void AustauschDialog::done(int r)
{
    Form_Unload();
    QDialog::done(r);
}

void AustauschDialog::Form_Unload()
{
    if (m_entladen)
        return;
    m_entladen = true;
    entladen();
}

int32_t AustauschDialog::naechsterSchluessel(db::Connection& cnn)
{
    auto rs = cnn.openRecordset(QStringLiteral("SELECT MAX([ID]) FROM [E1]"), {}, db::Connection::Cursor::ReadOnly);
    const vb::Variant hoechster = rs->eof() ? vb::Variant::null() : rs->field(0);
    rs->close();
    return hoechster.isNull() ? 1 : vb::CLng(hoechster) + 1;
}

QString AustauschDialog::alsText(const vb::Variant& v)
{
    return v.isNull() || v.isEmpty() ? QString() : vb::CStr(v);
}
