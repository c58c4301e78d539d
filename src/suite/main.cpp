// kavelor-suite: builds a complete suite tree for the demo and for trying the
// program out.
//
//   kavelor-suite DIR [--user NAME] [--project NAME]
//   kavelor-suite --template FILE      (only the empty project database)

#include "database/Schema.h"
#include "platform/Services.h"
#include "platform/VbError.h"
#include "suite/SuiteBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

int fehler(const QString& text)
{
    QTextStream(stderr) << "kavelor-suite: " << text << Qt::endl;
    return 1;
}

int aufruf()
{
    QTextStream(stderr) << "Aufruf: kavelor-suite DIR [--user NAME] [--project NAME]\n"
                           "        kavelor-suite --template DATEI\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.value(0) == QLatin1String("--template")) {
            if (args.size() != 2)
                return aufruf();
            // Built beside the target and renamed over it: never a half-made template.
            const QString ziel = args[1];
            const QString neu = ziel + QStringLiteral(".neu");
            QFile::remove(neu);
            db::schema::erstellen(neu, db::schema::Datenbank::Projekt);
            QFile::remove(ziel);
            if (!QFile::rename(neu, ziel))
                return fehler(QStringLiteral("%1 kann nicht geschrieben werden").arg(ziel));
            return 0;
        }

        QString dir;
        suite::Optionen o;
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args[i];
            if (a == QLatin1String("--user") && i + 1 < args.size())
                o.benutzer = args[++i];
            else if (a == QLatin1String("--project") && i + 1 < args.size())
                o.projekt = args[++i];
            else if (a == QLatin1String("-h") || a == QLatin1String("--help"))
                return aufruf();
            else if (a.startsWith(QLatin1Char('-')) || !dir.isEmpty())
                return aufruf();
            else
                dir = a;
        }
        if (dir.isEmpty())
            return aufruf();
        if (o.projekt.isEmpty() || o.projekt.contains(QLatin1Char('/')))
            return fehler(QStringLiteral("ungültiger Projektname: %1").arg(o.projekt));

        const suite::Pfade p = suite::erstellen(dir, o);
        QTextStream out(stdout);
        out << "Suite erstellt in " << p.wurzel << "\n"
            << "  Programm:       " << p.programm
            << (QFileInfo(p.programm + QStringLiteral("/kavelor")).isFile() ? "" : "  (ohne kavelor)") << "\n"
            << "  Datenbanken:    " << p.daten << "\n"
            << "  Projekt:        " << p.projekt << "\n"
            << "  Benutzer:       " << p.benutzer << "\n"
            << "  Einstellungen:  " << p.einstellungsDatei << "\n"
            << "Start: XDG_CONFIG_HOME=" << p.konfiguration << " " << p.programm << "/kavelor\n";
        return 0;
    } catch (const vb::VbError& e) {
        return fehler(QStringLiteral("Fehler %1: %2").arg(e.number).arg(e.description));
    } catch (const std::exception& e) {
        return fehler(QString::fromLocal8Bit(e.what()));
    }
}
