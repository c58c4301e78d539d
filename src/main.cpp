// KAVELOR: started by the frame program, which has prepared the hand-over.
#include "shell/frmMAIN.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAVELOR"));
    frmMAIN haupt;
    QObject::connect(&haupt, &frmMAIN::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    haupt.sitzungFolgen(app);
    if (!haupt.MDIForm_Load())
        return 1;
    return app.exec();
}
