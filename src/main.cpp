// KAVELOR: started by the frame program, which has prepared the hand-over.
#include "platform/Services.h"
#include "shell/frmMAIN.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAVELOR"));
    // Qt's dialogs and context menus in the language of the program's texts.
    vb::loadQtTranslations();
    frmMAIN haupt;
    QObject::connect(&haupt, &frmMAIN::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    haupt.sitzungFolgen(app);
    if (!haupt.MDIForm_Load())
        return 1;
    return app.exec();
}
