#pragma once
// Small services of the system the program runs on, each replaceable by a
// test double: program folder and title, user name, locale, settings store,
// waits, wait pointer, desktop opener and process starter.
//
// vb::TestServices installs doubles for all of them at once (scripted dialogs
// included) and restores the previous ones when it goes out of scope.

#include "platform/Dialogs.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vb {

// ---- Program folder and title -------------------------------------------

// The folder of the program (default: the executable's folder).
QString programFolder();
// Override it ("" restores the default).
void setProgramFolder(const QString& folder);
// The program title ("KAVELOR"); names the database file, the working copy,
// the help file, and titles boxes that name none.
QString appTitle();
void setAppTitle(const QString& title);

// ---- User name ----------------------------------------------------------

// The login name in upper case; "UNBEK." when it cannot be read. Read anew
// on every call.
QString userName();
// Fix the answer for tests ("" restores the system's; a null QString makes the
// lookup fail, giving "UNBEK.").
void setUserNameOverride(const QString& name);
void clearUserNameOverride();

// ---- Locale -------------------------------------------------------------

// The user's locale as the program sees it. Conversions (CStr, CDbl, Format ...)
// use its decimal sign; the shell derives its language code from it.
class Locale {
public:
    explicit Locale(const QLocale& l = QLocale::system());
    // "de_DE", "en_US", "fr_FR" ...
    static Locale named(const QString& name);

    const QLocale& qlocale() const { return m_locale; }
    // ISO 639 language name: "de", "en", "fr" ...
    QString languageName() const;
    // Language code as the program uses it: "de" 3, "en" 1, anything else 3.
    int languageCode() const;
    QChar decimalSign() const { return m_decimal; }
    QChar groupSign() const { return m_group; }
    // Short date and time patterns (QDate format syntax): German "dd.MM.yyyy",
    // "HH:mm:ss"; other languages their QLocale short forms with a 4-digit year.
    QString shortDateFormat() const;
    QString timeFormat() const;

    // Override the decimal sign (a user who changed it in the system settings).
    void setDecimalSign(QChar c) { m_decimal = c; }

private:
    QLocale m_locale;
    QString m_language;   // languageName(), fixed with the locale
    QChar m_decimal;
    QChar m_group;
};

// The current locale (default: the system's).
const Locale& locale();
void setLocale(const Locale& l);
void setLocale(const QString& name);
// Restore the system's locale.
void resetLocale();

// Loads Qt's own translations — file, print and message dialogs, standard
// buttons, the text boxes' context menus — for the program's language of
// `l`: German for every language but English, which is Qt's own. Replaces
// what an earlier call loaded. False when the translation file is missing.
bool loadQtTranslations(const Locale& l = locale());

// RAII: a locale for a test's scope.
class ScopedLocale {
public:
    explicit ScopedLocale(const QString& name);
    explicit ScopedLocale(const Locale& l);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    Locale m_previous;
};

// ---- Settings store -----------------------------------------------------

// Where the per-user settings of the suite live.
inline const QString kSettingsApp = QStringLiteral("TORVENA");
inline const QString kSettingsSection = QStringLiteral("Extras");
inline const QString kSettingsDatabaseKey = QStringLiteral("Datenbankpfad");

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // VB's GetSetting: the stored value, or `def` when none is stored.
    virtual QString getSetting(const QString& app, const QString& section, const QString& key,
                               const QString& def = QString()) = 0;
    virtual void saveSetting(const QString& app, const QString& section, const QString& key,
                             const QString& value) = 0;
    virtual void deleteSetting(const QString& app, const QString& section, const QString& key) = 0;
};

// QSettings in the user's configuration folder (honours XDG_CONFIG_HOME):
// <config>/<app>/<app>.conf, group = section.
class QSettingsStore : public SettingsStore {
public:
    QString getSetting(const QString& app, const QString& section, const QString& key,
                       const QString& def = QString()) override;
    void saveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override;
    void deleteSetting(const QString& app, const QString& section, const QString& key) override;
    // The file that holds the settings of `app`.
    static QString filePath(const QString& app);
};

// In memory, for tests.
class MemorySettingsStore : public SettingsStore {
public:
    QString getSetting(const QString& app, const QString& section, const QString& key,
                       const QString& def = QString()) override;
    void saveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override;
    void deleteSetting(const QString& app, const QString& section, const QString& key) override;

private:
    std::map<QString, QString> m_values;   // "app/section/key" -> value
};

SettingsStore& settings();
// Install a store (not owned; nullptr restores the QSettings one). Returns the previous.
SettingsStore* setSettings(SettingsStore* store);

// The folder of the shared databases as the settings store holds it ("" if none).
QString databaseFolderSetting();
void saveDatabaseFolderSetting(const QString& folder);

// ---- Waits --------------------------------------------------------------

class WaitService {
public:
    virtual ~WaitService() = default;
    virtual void sleep(int ms) = 0;
};

// Waits that return at once and remember what was asked (tests).
class RecordingWaits : public WaitService {
public:
    void sleep(int ms) override { requested.push_back(ms); }
    std::vector<int> requested;
};

WaitService& waits();
WaitService* setWaits(WaitService* w);
// VB's Sleep (milliseconds) through the installed service.
void Sleep(int ms);

// Let pending window messages run (VB's DoEvents), without user input, so a
// data loop keeps the windows painted but no command starts inside it.
void DoEvents();

// ---- Wait pointer -------------------------------------------------------

// One state, as VB's screen pointer: show() twice and restore() once gives the
// normal pointer again.
void showWaitPointer();
void restoreWaitPointer();
bool waitPointerShown();

// RAII for "show the wait pointer ... restore the default pointer".
class WaitPointer {
public:
    WaitPointer() { showWaitPointer(); }
    ~WaitPointer() { restoreWaitPointer(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

// ---- Desktop opener -----------------------------------------------------

// Called on the window's thread when the desktop's opener reports that it
// could not open a file.
using OpenFailed = std::function<void()>;

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Hand a file (local path) or URL to the desktop's opener and return at
    // once: nothing waits for the opener. Whether a program takes the file is
    // the opener's to find out; when it reports failure (its exit status) or
    // cannot be started at all, `failed` is called, once, on the window's
    // thread. Returns false only when the opener could not be started (after
    // `failed` has run).
    virtual bool open(const QString& pathOrUrl, OpenFailed failed = {}) = 0;
};

// The desktop's own opener: the program that opens a file with whatever the
// desktop registers for its type (xdg-open on Linux), run without waiting;
// its exit status decides success. `program` replaces xdg-open (a stand-in
// in tests); where the platform has no such program, Qt's opener is used and
// only its start can fail.
class SystemDesktopOpener : public DesktopOpener {
public:
    explicit SystemDesktopOpener(QString program = QString());
    bool open(const QString& pathOrUrl, OpenFailed failed = {}) override;
    const QString& program() const { return m_program; }

private:
    QString m_program;
};

// Records what it is handed and fails as told, at once.
class RecordingDesktopOpener : public DesktopOpener {
public:
    bool open(const QString& pathOrUrl, OpenFailed failed = {}) override
    {
        // No program takes the file: the opener fails without opening it.
        if (openable)
            opened.push_back(pathOrUrl);
        if (!(openable && result) && failed)
            failed();
        return true;
    }
    std::vector<QString> opened;   // the files a program was given
    bool result = true;            // false: the opener reports failure
    bool openable = true;          // false: no program takes the file
};

DesktopOpener& desktop();
DesktopOpener* setDesktop(DesktopOpener* d);

// ---- Process starter ----------------------------------------------------

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Start a program detached from this one; false when it could not start.
    virtual bool startDetached(const QString& program, const QStringList& arguments = {},
                               const QString& workingDirectory = QString()) = 0;
};

class RecordingProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    bool startDetached(const QString& program, const QStringList& arguments = {},
                       const QString& workingDirectory = QString()) override
    {
        started.push_back({program, arguments, workingDirectory});
        return result;
    }
    std::vector<Start> started;
    bool result = true;
};

ProcessStarter& processes();
ProcessStarter* setProcesses(ProcessStarter* p);

// ---- All test doubles at once --------------------------------------------

// Installs: scripted dialogs, the locale `localeName` (default de_DE), a
// program folder (default: a fresh temporary folder, removed at the end), the
// user name "TESTER", an in-memory settings store, recording waits, desktop
// opener and process starter; and resets the wait pointer. Everything is put
// back when it goes out of scope.
class TestServices {
public:
    explicit TestServices(const QString& localeName = QStringLiteral("de_DE"),
                          const QString& programFolder = QString());
    ~TestServices();
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingWaits waits;
    RecordingDesktopOpener desktop;
    RecordingProcessStarter processes;
    QString programFolder() const { return m_programFolder; }

private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
    QString m_programFolder;
};

} // namespace vb
