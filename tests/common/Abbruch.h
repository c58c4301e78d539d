#pragma once
// Kill tests of file writers: a child process runs a writer over and over and
// is killed (SIGKILL, as a crash or a kill -9 would end the program) while it
// writes.
#include <QDir>
#include <QString>
#include <QStringList>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// Starts a child that calls `schreiber` without end, waits until a temporary
// file of that child (its process number in the name) appears in `ordner`,
// lets it go on for `pauseUs` microseconds and kills it. Returns whether the
// child was killed and left its temporary file behind (false also when no
// such file appeared within a few seconds).
inline bool toetenBeimSchreiben(const QString& ordner, const std::function<void()>& schreiber, int pauseUs)
{
    const pid_t kind = ::fork();
    if (kind < 0)
        return false;
    if (kind == 0) {
        for (;;) {
            try {
                schreiber();
            } catch (...) {
            }
        }
    }
    const QString zeichen = QStringLiteral("~%1~").arg(kind);
    auto liegtDa = [&] {
        for (const QString& name : QDir(ordner).entryList(QDir::Files | QDir::Hidden))
            if (name.contains(zeichen))
                return true;
        return false;
    };
    for (int i = 0; i < 50000 && !liegtDa(); ++i)
        ::usleep(100);
    ::usleep(useconds_t(pauseUs));
    ::kill(kind, SIGKILL);
    int status = 0;
    ::waitpid(kind, &status, 0);
    return WIFSIGNALED(status) && liegtDa();
}
