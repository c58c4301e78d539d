// Replays the fuzz corpus of the device file import in the normal build.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(ImportKorpus, EveryCorpusInputRunsThrough)
{
    const QDir dir(QStringLiteral(KAVELOR_FUZZ_KORPUS));
    const QStringList dateien = dir.entryList(QDir::Files);
    ASSERT_FALSE(dateien.isEmpty());
    for (const QString& name : dateien) {
        SCOPED_TRACE(name.toStdString());
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray daten = f.readAll();
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(daten.constData()), size_t(daten.size())),
                  0);
    }
}
