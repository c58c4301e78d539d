// Converts an HTML text into an OpenDocument text file:
//   kavelor-odt SOURCE.html TARGET.odt
// Used by the build to make the documents that ship next to the program.
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kavelor-odt SOURCE.html TARGET.odt\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kavelor-odt: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(source.readAll()));
    QTextDocumentWriter writer(QString::fromLocal8Bit(argv[2]), "odf");
    if (!writer.write(&doc)) {
        std::fprintf(stderr, "kavelor-odt: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
