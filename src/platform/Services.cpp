#include "platform/Services.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>
#include <QUrl>

#include <memory>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace vb {

// ---- Program folder and title -------------------------------------------

namespace {
QString g_programFolder;
QString g_appTitle = QStringLiteral("KAVELOR");
std::optional<QString> g_userName;   // set: fixed answer (null QString: lookup fails)
} // namespace

QString programFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString& folder) { g_programFolder = folder; }

QString appTitle() { return g_appTitle; }

void setAppTitle(const QString& title) { g_appTitle = title; }

// ---- User name ----------------------------------------------------------

QString userName()
{
    QString name;
    if (g_userName) {
        name = *g_userName;
    } else {
        if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
            name = QString::fromLocal8Bit(pw->pw_name);
        if (name.isEmpty())
            name = qEnvironmentVariable("USER");
        if (name.isEmpty())
            name = qEnvironmentVariable("LOGNAME");
    }
    if (name.isEmpty())
        return QStringLiteral("UNBEK.");
    return name.toUpper();
}

void setUserNameOverride(const QString& name) { g_userName = name; }

void clearUserNameOverride() { g_userName.reset(); }

// ---- Locale -------------------------------------------------------------

Locale::Locale(const QLocale& l) : m_locale(l), m_language(l.name().section(QChar('_'), 0, 0).toLower())
{
    const QString d = l.decimalPoint();
    const QString g = l.groupSeparator();
    m_decimal = d.isEmpty() ? QChar('.') : d.at(0);
    m_group = g.isEmpty() ? QChar(m_decimal == QChar('.') ? ',' : '.') : g.at(0);
}

Locale Locale::named(const QString& name) { return Locale(QLocale(name)); }

QString Locale::languageName() const { return m_language; }

int Locale::languageCode() const { return m_language == QLatin1String("en") ? 1 : 3; }

// A locale without a language of its own (C, POSIX) offers no real short date
// or time, only an abbreviated month name: dates and times then take the form
// of the program's default language, German, as its texts do.
static bool germanForms(const QLocale& l, const QString& language)
{
    return language == QLatin1String("de") || l.language() == QLocale::C;
}

QString Locale::shortDateFormat() const
{
    if (germanForms(m_locale, languageName()))
        return QStringLiteral("dd.MM.yyyy");
    QString f = m_locale.dateFormat(QLocale::ShortFormat);
    // Windows writes the year with four digits in the short date.
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString Locale::timeFormat() const
{
    if (germanForms(m_locale, languageName()))
        return QStringLiteral("HH:mm:ss");
    // The long time pattern without its time-zone part.
    QString f = m_locale.timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return f.trimmed();
}

namespace {
Locale& currentLocale()
{
    static Locale l;
    return l;
}
} // namespace

const Locale& locale() { return currentLocale(); }

void setLocale(const Locale& l) { currentLocale() = l; }

void setLocale(const QString& name) { currentLocale() = Locale::named(name); }

void resetLocale() { currentLocale() = Locale(QLocale::system()); }

bool loadQtTranslations(const Locale& l)
{
    static QTranslator* geladen = nullptr;
    if (geladen) {
        QCoreApplication::removeTranslator(geladen);
        delete geladen;
        geladen = nullptr;
    }
    if (l.languageCode() == 1)
        return true;
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(qt.get());
    geladen = qt.release();
    return true;
}

ScopedLocale::ScopedLocale(const QString& name) : m_previous(locale()) { setLocale(name); }

ScopedLocale::ScopedLocale(const Locale& l) : m_previous(locale()) { setLocale(l); }

ScopedLocale::~ScopedLocale() { setLocale(m_previous); }

// ---- Settings store -----------------------------------------------------

namespace {
// One QSettings file per application name in the user's configuration folder.
QString configFile(const QString& app)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QChar('/') + app + QChar('/') + app + QStringLiteral(".conf");
}
} // namespace

QString QSettingsStore::filePath(const QString& app) { return configFile(app); }

QString QSettingsStore::getSetting(const QString& app, const QString& section, const QString& key,
                                   const QString& def)
{
    QSettings s(configFile(app), QSettings::IniFormat);
    s.beginGroup(section);
    return s.value(key, def).toString();
}

void QSettingsStore::saveSetting(const QString& app, const QString& section, const QString& key,
                                 const QString& value)
{
    QDir().mkpath(QFileInfo(configFile(app)).absolutePath());
    QSettings s(configFile(app), QSettings::IniFormat);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}

void QSettingsStore::deleteSetting(const QString& app, const QString& section, const QString& key)
{
    QSettings s(configFile(app), QSettings::IniFormat);
    s.beginGroup(section);
    s.remove(key);
    s.endGroup();
    s.sync();
}

namespace {
QString memoryKey(const QString& app, const QString& section, const QString& key)
{
    return app.toLower() + QChar('\x1f') + section.toLower() + QChar('\x1f') + key.toLower();
}
} // namespace

QString MemorySettingsStore::getSetting(const QString& app, const QString& section, const QString& key,
                                        const QString& def)
{
    auto it = m_values.find(memoryKey(app, section, key));
    return it == m_values.end() ? def : it->second;
}

void MemorySettingsStore::saveSetting(const QString& app, const QString& section, const QString& key,
                                      const QString& value)
{
    m_values[memoryKey(app, section, key)] = value;
}

void MemorySettingsStore::deleteSetting(const QString& app, const QString& section, const QString& key)
{
    m_values.erase(memoryKey(app, section, key));
}

namespace {
QSettingsStore g_qsettings;
SettingsStore* g_settings = nullptr;

class RealWaits : public WaitService {
public:
    void sleep(int ms) override
    {
        if (ms > 0)
            QThread::msleep(static_cast<unsigned long>(ms));
    }
};
RealWaits g_realWaits;
WaitService* g_waits = nullptr;

SystemDesktopOpener g_qtDesktop;
DesktopOpener* g_desktop = nullptr;

class QtProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override
    {
        return QProcess::startDetached(program, arguments, workingDirectory);
    }
};
QtProcessStarter g_qtProcesses;
ProcessStarter* g_processes = nullptr;

bool g_waitPointer = false;
} // namespace

SettingsStore& settings() { return g_settings ? *g_settings : g_qsettings; }

SettingsStore* setSettings(SettingsStore* store)
{
    SettingsStore* prev = g_settings;
    g_settings = store;
    return prev;
}

QString databaseFolderSetting()
{
    return settings().getSetting(kSettingsApp, kSettingsSection, kSettingsDatabaseKey);
}

void saveDatabaseFolderSetting(const QString& folder)
{
    settings().saveSetting(kSettingsApp, kSettingsSection, kSettingsDatabaseKey, folder);
}

// ---- Waits --------------------------------------------------------------

WaitService& waits() { return g_waits ? *g_waits : g_realWaits; }

WaitService* setWaits(WaitService* w)
{
    WaitService* prev = g_waits;
    g_waits = w;
    return prev;
}

void Sleep(int ms) { waits().sleep(ms); }

void DoEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// ---- Wait pointer -------------------------------------------------------

void showWaitPointer()
{
    if (g_waitPointer)
        return;
    g_waitPointer = true;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void restoreWaitPointer()
{
    if (!g_waitPointer)
        return;
    g_waitPointer = false;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool waitPointerShown() { return g_waitPointer; }

// ---- Desktop opener, process starter -----------------------------------

namespace {
// A local file (also one whose name looks like a URL) as a file URL; "C:" is no scheme.
QUrl alsUrl(const QString& pathOrUrl)
{
    const QUrl url(pathOrUrl);
    if (url.scheme().size() <= 1 || QFileInfo::exists(pathOrUrl))
        return QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
    return url;
}

QString standardOeffner()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return QStringLiteral("xdg-open");
#else
    return QString();
#endif
}
} // namespace

SystemDesktopOpener::SystemDesktopOpener(QString program)
    : m_program(program.isEmpty() ? standardOeffner() : std::move(program))
{
}

bool SystemDesktopOpener::open(const QString& pathOrUrl, OpenFailed failed)
{
    const QUrl url = alsUrl(pathOrUrl);
    if (m_program.isEmpty()) {
        if (QDesktopServices::openUrl(url))
            return true;
        if (failed)
            failed();
        return false;
    }
    // The opener runs on its own; its end is reported through the event loop,
    // so the window goes on answering. It has no parent and outlives nobody
    // else's object: when the program quits first, the opener (and what it
    // started) keeps running.
    auto* oeffner = new QProcess;
    oeffner->setProgram(m_program);
    oeffner->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
    oeffner->setStandardInputFile(QProcess::nullDevice());
    oeffner->setStandardOutputFile(QProcess::nullDevice());
    oeffner->setStandardErrorFile(QProcess::nullDevice());
    auto gemeldet = std::make_shared<bool>(false);
    auto melden = [failed, gemeldet] {
        if (*gemeldet)
            return;
        *gemeldet = true;
        if (failed)
            failed();
    };
    QObject::connect(oeffner, &QProcess::finished, oeffner, [oeffner, melden](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            melden();
        oeffner->deleteLater();
    });
    QObject::connect(oeffner, &QProcess::errorOccurred, oeffner, [oeffner, melden](QProcess::ProcessError fehler) {
        if (fehler != QProcess::FailedToStart)
            return;   // a crash is reported by finished()
        melden();
        oeffner->deleteLater();
    });
    oeffner->start();
    return oeffner->state() != QProcess::NotRunning || !*gemeldet;
}

DesktopOpener& desktop() { return g_desktop ? *g_desktop : g_qtDesktop; }

DesktopOpener* setDesktop(DesktopOpener* d)
{
    DesktopOpener* prev = g_desktop;
    g_desktop = d;
    return prev;
}

ProcessStarter& processes() { return g_processes ? *g_processes : g_qtProcesses; }

ProcessStarter* setProcesses(ProcessStarter* p)
{
    ProcessStarter* prev = g_processes;
    g_processes = p;
    return prev;
}

// ---- TestServices ---------------------------------------------------------

struct TestServices::Saved {
    DialogService* dialogs = nullptr;
    SettingsStore* settings = nullptr;
    WaitService* waits = nullptr;
    DesktopOpener* desktop = nullptr;
    ProcessStarter* processes = nullptr;
    Locale locale;
    QString programFolder;
    QString appTitle;
    std::optional<QString> userName;
    std::unique_ptr<QTemporaryDir> tempDir;
};

TestServices::TestServices(const QString& localeName, const QString& folder) : m_saved(new Saved)
{
    m_saved->dialogs = setDialogs(&dialogs);
    m_saved->settings = setSettings(&settings);
    m_saved->waits = setWaits(&waits);
    m_saved->desktop = setDesktop(&desktop);
    m_saved->processes = setProcesses(&processes);
    m_saved->locale = locale();
    m_saved->programFolder = g_programFolder;
    m_saved->appTitle = g_appTitle;
    m_saved->userName = g_userName;

    setLocale(localeName);
    if (folder.isEmpty()) {
        m_saved->tempDir = std::make_unique<QTemporaryDir>();
        m_programFolder = m_saved->tempDir->path();
    } else {
        m_programFolder = folder;
    }
    setProgramFolder(m_programFolder);
    setAppTitle(QStringLiteral("KAVELOR"));
    setUserNameOverride(QStringLiteral("TESTER"));
    restoreWaitPointer();
}

TestServices::~TestServices()
{
    setDialogs(m_saved->dialogs);
    setSettings(m_saved->settings);
    setWaits(m_saved->waits);
    setDesktop(m_saved->desktop);
    setProcesses(m_saved->processes);
    setLocale(m_saved->locale);
    g_programFolder = m_saved->programFolder;
    g_appTitle = m_saved->appTitle;
    g_userName = m_saved->userName;
    restoreWaitPointer();
}

} // namespace vb
