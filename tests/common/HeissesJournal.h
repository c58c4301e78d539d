#pragma once
// A database file as a writer killed in mid-transaction leaves it: after a
// committed write, a child process begins a transaction, runs `unfertig`
// and writes enough further pages that the engine spills the changed pages
// into the file itself, and is killed (SIGKILL) without commit or rollback.
// The journal beside the file is then hot: it holds the pages as committed,
// and the file holds pages of the unfinished write.
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace testhilfe {

// Whether the unfinished write reached the file: the file read as it is,
// journal ignored, answers `frage` with a row.
inline bool imDateiinhalt(const QString& pfad, const char* frage)
{
    sqlite3* h = nullptr;
    const QByteArray uri = "file:" + QFile::encodeName(pfad) + "?immutable=1";
    bool ja = false;
    if (sqlite3_open_v2(uri.constData(), &h, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, frage, -1, &st, nullptr) == SQLITE_OK)
            ja = sqlite3_step(st) == SQLITE_ROW;
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
    return ja;
}

// `gesichert` is committed; `unfertig` is the unfinished write, and
// `imDatei` a query that finds its change in the file itself.
inline void heissesJournal(const QString& pfad, const char* gesichert, const char* unfertig, const char* imDatei)
{
    const QByteArray datei = QFile::encodeName(pfad);
    {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open_v2(datei.constData(), &h, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        int rc = sqlite3_exec(h, gesichert, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(h, "CREATE TABLE [UNFERTIG_BALLAST] ([X] TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(h);
        ASSERT_EQ(rc, SQLITE_OK) << gesichert;
    }
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        sqlite3* h = nullptr;
        if (sqlite3_open_v2(datei.constData(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
            || sqlite3_exec(h, "PRAGMA cache_size=8; BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK
            || sqlite3_exec(h, unfertig, nullptr, nullptr, nullptr) != SQLITE_OK
            || sqlite3_exec(h,
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                            "INSERT INTO [UNFERTIG_BALLAST] SELECT hex(randomblob(2000)) FROM n",
                            nullptr, nullptr, nullptr)
                   != SQLITE_OK)
            ::_exit(1);
        ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed before it was killed";
    ASSERT_TRUE(QFileInfo(pfad + "-journal").size() > 0);
    ASSERT_TRUE(imDateiinhalt(pfad, imDatei)) << "the unfinished write did not reach the file";
}

} // namespace testhilfe
