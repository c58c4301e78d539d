// The small services and their test doubles.
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vb;

TEST(Locale, LanguageCodeAndDecimalSign)
{
    struct Case {
        const char* name;
        const char* language;
        int code;
        QChar decimal;
        const char* shortDate;
    };
    const Case cases[] = {
        {"de_DE", "de", 3, QChar(','), "dd.MM.yyyy"},
        {"de_AT", "de", 3, QChar(','), "dd.MM.yyyy"},
        {"en_US", "en", 1, QChar('.'), "M/d/yyyy"},
        {"en_GB", "en", 1, QChar('.'), "dd/MM/yyyy"},
        {"fr_FR", "fr", 3, QChar(','), "dd/MM/yyyy"},   // other languages: German texts
        {"C", "c", 3, QChar('.'), "dd.MM.yyyy"},         // no language of its own: German forms
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLocale loc(QString::fromLatin1(c.name));
        EXPECT_EQ(locale().languageName(), QString::fromLatin1(c.language));
        EXPECT_EQ(locale().languageCode(), c.code);
        EXPECT_EQ(locale().decimalSign(), c.decimal);
        EXPECT_EQ(locale().shortDateFormat(), QString::fromLatin1(c.shortDate));
    }
    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(locale().timeFormat(), QStringLiteral("HH:mm:ss"));
    ScopedLocale c(QStringLiteral("C"));
    EXPECT_EQ(locale().timeFormat(), QStringLiteral("HH:mm:ss"));
}

TEST(Services, UserNameIsUpperCaseAndUnknownOnFailure)
{
    setUserNameOverride(QStringLiteral("meier"));
    EXPECT_EQ(userName(), QStringLiteral("MEIER"));
    setUserNameOverride(QString());   // the lookup fails
    EXPECT_EQ(userName(), QStringLiteral("UNBEK."));
    clearUserNameOverride();
    const QString real = userName();
    EXPECT_FALSE(real.isEmpty());
    EXPECT_EQ(real, real.toUpper());
}

TEST(Services, SettingsStoreKeepsTheDatabaseFolderInTheUsersConfigFolder)
{
    QTemporaryDir config;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QSettingsStore store;
    SettingsStore* prev = setSettings(&store);

    EXPECT_EQ(databaseFolderSetting(), QString());
    saveDatabaseFolderSetting(QStringLiteral("/srv/suite/Daten"));
    EXPECT_EQ(databaseFolderSetting(), QStringLiteral("/srv/suite/Daten"));
    const QString file = config.path() + QStringLiteral("/TORVENA/TORVENA.conf");
    EXPECT_EQ(QSettingsStore::filePath(kSettingsApp), file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(content.contains(QStringLiteral("[Extras]")));
    EXPECT_TRUE(content.contains(QStringLiteral("Datenbankpfad=/srv/suite/Daten")));
    store.deleteSetting(kSettingsApp, kSettingsSection, kSettingsDatabaseKey);
    EXPECT_EQ(store.getSetting(kSettingsApp, kSettingsSection, kSettingsDatabaseKey, QStringLiteral("-")),
              QStringLiteral("-"));

    setSettings(prev);
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}

TEST(Services, WaitPointerHasOneState)
{
    restoreWaitPointer();
    showWaitPointer();
    showWaitPointer();
    EXPECT_TRUE(waitPointerShown());
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    restoreWaitPointer();
    EXPECT_FALSE(waitPointerShown());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitPointer w;
        EXPECT_TRUE(waitPointerShown());
    }
    EXPECT_FALSE(waitPointerShown());
}

TEST(Services, TestServicesInstallsDoublesAndPutsEverythingBack)
{
    const QString folderBefore = programFolder();
    SettingsStore* settingsBefore = &settings();
    {
        ScopedLocale en(QStringLiteral("en_US"));
        TestServices env;
        EXPECT_EQ(locale().languageCode(), 3);
        EXPECT_EQ(userName(), QStringLiteral("TESTER"));
        EXPECT_TRUE(QDir(programFolder()).exists());
        EXPECT_EQ(programFolder(), env.programFolder());
        EXPECT_EQ(appTitle(), QStringLiteral("KAVELOR"));

        Sleep(1500);
        Sleep(250);
        EXPECT_EQ(env.waits.requested, (std::vector<int>{1500, 250}));

        EXPECT_TRUE(desktop().open(QStringLiteral("/x/KAVELOR.html")));
        ASSERT_EQ(env.desktop.opened.size(), 1u);
        EXPECT_EQ(env.desktop.opened[0], QStringLiteral("/x/KAVELOR.html"));

        EXPECT_TRUE(processes().startDetached(QStringLiteral("/x/TORVENA"), {QStringLiteral("-a")}));
        ASSERT_EQ(env.processes.started.size(), 1u);
        EXPECT_EQ(env.processes.started[0].program, QStringLiteral("/x/TORVENA"));

        saveDatabaseFolderSetting(QStringLiteral("/d"));
        EXPECT_EQ(env.settings.getSetting(QStringLiteral("torvena"), QStringLiteral("extras"),
                                          QStringLiteral("DATENBANKPFAD")),
                  QStringLiteral("/d"));   // keys compare without case, as the registry does
        EXPECT_EQ(&dialogs(), &env.dialogs);
    }
    EXPECT_EQ(programFolder(), folderBefore);
    EXPECT_EQ(&settings(), settingsBefore);
    EXPECT_NE(dynamic_cast<QtDialogs*>(&dialogs()), nullptr);
}
