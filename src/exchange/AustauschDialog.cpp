#include "exchange/AustauschDialog.h"

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
