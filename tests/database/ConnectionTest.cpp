// Connections and result sets: Jet behaviour on SQLite.

#include "database/Connection.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"
#include "../common/GermanCLocale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <sys/stat.h>

using db::Connection;
using vb::Variant;
using vb::VarType;

namespace {

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("t.mdb"));
        cnn = Connection::create(path);
        cnn->executeScript(QStringLiteral(
            "CREATE TABLE T (I SMALLINT, L INTEGER, S FLOAT, D DOUBLE, B BOOLEAN DEFAULT 0, "
            "A DATETIME, X TEXT COLLATE NOCASE);"));
    }

    // Write one value into one column of a new row and read the row back.
    Variant roundTrip(const QString& column, const Variant& value)
    {
        cnn->execute(QStringLiteral("DELETE FROM T"));
        auto rs = cnn->openRecordset(QStringLiteral("SELECT * FROM [T]"));
        rs->addNew();
        rs->setField(column, value);
        rs->update();
        auto back = cnn->openRecordset(QStringLiteral("SELECT * FROM [T]"));
        EXPECT_EQ(back->recordCount(), 1);
        return back->field(column);
    }

    vb::TestServices services{QStringLiteral("de_DE")};
    QTemporaryDir dir;
    QString path;
    std::shared_ptr<Connection> cnn;
};

TEST(ConnectionOpen, MissingFileFailsAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fehlt.mdb"));
    try {
        Connection::open(path);
        FAIL() << "open of a missing file succeeded";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, vb::err::FileNotFound);
        EXPECT_TRUE(e.description.contains(path));
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ConnectionOpen, FileThatIsNoDatabaseIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kaputt.mdb"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Dies ist keine Datenbank, sondern nur ein Text in einer Datei.");
    f.close();
    EXPECT_THROW(Connection::open(path), vb::VbError);
}

// A copy that fails names the file at fault: a damaged source is reported
// with its own path (not the target's), a target that cannot be written with
// the target's. Neither leaves anything behind in the target's folder.
TEST(ConnectionCopy, FailureNamesTheFileAtFault)
{
    QTemporaryDir dir;
    const QString kaputt = dir.filePath(QStringLiteral("quelle/kaputt.mdb"));
    const QString gut = dir.filePath(QStringLiteral("quelle/gut.mdb"));
    const QString ziel = dir.filePath(QStringLiteral("ziel/kopie.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("quelle")));
    QDir().mkpath(dir.filePath(QStringLiteral("ziel")));
    {
        QFile f(kaputt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    Connection::create(gut)->execute(QStringLiteral("CREATE TABLE T (L INTEGER)"));
    // The target is a folder: it cannot be replaced by a file.
    const QString zielOrdner = dir.filePath(QStringLiteral("ziel/ordner.mdb"));
    QDir().mkpath(zielOrdner);

    const struct {
        QString quelle, ziel, schuld, unschuldig;
    } faelle[] = {
        {kaputt, ziel, kaputt, ziel},
        {gut, zielOrdner, zielOrdner, gut},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.quelle.toStdString() + " -> " + f.ziel.toStdString());
        try {
            db::copyDatabase(f.quelle, f.ziel);
            ADD_FAILURE() << "the copy succeeded";
        } catch (const vb::VbError& e) {
            EXPECT_TRUE(e.description.contains(f.schuld)) << e.description.toStdString();
            EXPECT_FALSE(e.description.contains(f.unschuldig)) << e.description.toStdString();
        }
    }
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("ziel"))).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST_F(ConnectionTest, RollbackJournalNotWal)
{
    auto rs = cnn->openRecordset(QStringLiteral("PRAGMA journal_mode"));
    EXPECT_EQ(rs->field(0).text(), QStringLiteral("delete"));
}

// Values are converted by the column's declared type, under the locale.
TEST_F(ConnectionTest, WrittenValuesConvertByDeclaredType)
{
    struct Fall {
        const char* locale;
        const char* column;
        Variant in;
        VarType type;
        double number;      // expected numeric value (numbers, Boolean as -1/0)
        QString text;       // expected text (String columns)
    };
    const Fall faelle[] = {
        {"de_DE", "S", Variant("1,5"), VarType::Single, 1.5, {}},
        {"en_US", "S", Variant("1.5"), VarType::Single, 1.5, {}},
        {"de_DE", "D", Variant("4468123,45"), VarType::Double, 4468123.45, {}},
        {"de_DE", "I", Variant("12"), VarType::Integer, 12, {}},
        {"de_DE", "I", Variant(2.5), VarType::Integer, 2, {}},        // halves to even
        {"de_DE", "I", Variant(3.5f), VarType::Integer, 4, {}},
        {"de_DE", "L", Variant("70000"), VarType::Long, 70000, {}},
        {"de_DE", "I", Variant(true), VarType::Integer, -1, {}},
        {"de_DE", "B", Variant(true), VarType::Boolean, -1, {}},
        {"de_DE", "B", Variant(int16_t(0)), VarType::Boolean, 0, {}},
        {"de_DE", "B", Variant(7), VarType::Boolean, -1, {}},
        {"de_DE", "X", Variant(1.5), VarType::String, 0, QStringLiteral("1,5")},
        {"en_US", "X", Variant(1.5), VarType::String, 0, QStringLiteral("1.5")},
        {"de_DE", "X", Variant("O'Brien"), VarType::String, 0, QStringLiteral("O'Brien")},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.locale) + " " + f.column + " <- " + f.in.debugText().toStdString());
        vb::ScopedLocale loc{QString::fromLatin1(f.locale)};
        const Variant back = roundTrip(QString::fromLatin1(f.column), f.in);
        EXPECT_EQ(back.type(), f.type);
        if (f.type == VarType::String)
            EXPECT_EQ(back.text(), f.text);
        else
            EXPECT_DOUBLE_EQ(back.number(), f.number);
    }
}

// The program runs with the user's locale in the C library: a Single is
// stored with its fraction whatever the decimal sign there is.
TEST_F(ConnectionTest, SinglesKeepTheirFractionUnderAGermanCLocale)
{
    GermanCLocale c;
    if (!c.available())
        GTEST_SKIP() << "de_DE locale not installed (scripts/setup generates it)";
    for (const float f : {0.7f, 1.5f, 2.3f, -0.05f, 1234.5f}) {
        SCOPED_TRACE(f);
        const Variant back = roundTrip(QStringLiteral("S"), Variant(f));
        EXPECT_EQ(back, Variant(f));
        auto rs = cnn->openRecordset(QStringLiteral("SELECT CAST([S] AS TEXT) FROM [T]"));
        EXPECT_EQ(rs->field(0).text(), QString::number(double(f)));
    }
}

TEST_F(ConnectionTest, ValuesThatDoNotFitAreRefusedAndNothingIsStored)
{
    struct Fall {
        const char* column;
        Variant in;
        int error;
    };
    const Fall faelle[] = {
        {"S", Variant("abc"), vb::err::TypeMismatch},
        {"I", Variant("abc"), vb::err::TypeMismatch},
        {"I", Variant(40000), vb::err::Overflow},
        {"L", Variant(3.0e10), vb::err::Overflow},
        {"A", Variant("kein Datum"), vb::err::TypeMismatch},
        {"B", Variant("vielleicht"), vb::err::TypeMismatch},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.column) + " <- " + f.in.debugText().toStdString());
        cnn->execute(QStringLiteral("DELETE FROM T"));
        auto rs = cnn->openRecordset(QStringLiteral("SELECT * FROM [T]"));
        rs->addNew();
        try {
            rs->setField(QString::fromLatin1(f.column), f.in);
            FAIL() << "accepted";
        } catch (const vb::VbError& e) {
            EXPECT_EQ(e.number, f.error);
            // The message names the column.
            EXPECT_TRUE(e.description.contains(QStringLiteral("T.") + QString::fromLatin1(f.column)))
                << e.description.toStdString();
        }
        rs->cancelUpdate();
        EXPECT_EQ(cnn->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 0);
    }
}

TEST_F(ConnectionTest, ReadsAreTypedAndNullStaysNull)
{
    cnn->execute(QStringLiteral("INSERT INTO T (I,L,S,D,B,A,X) VALUES (?,?,?,?,?,?,?)"),
                 {Variant(int16_t(3)), Variant(100000), Variant(0.1f), Variant(0.1), Variant(true),
                  Variant::date(QDate(2026, 3, 12)), Variant("Kies")});
    cnn->execute(QStringLiteral("INSERT INTO T (X) VALUES (NULL)"));
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [I],[L],[S],[D],[B],[A],[X] FROM [T] ORDER BY [X] DESC"));
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->field(QStringLiteral("I")), Variant(int16_t(3)));
    EXPECT_EQ(rs->field(QStringLiteral("L")), Variant(100000));
    EXPECT_EQ(rs->field(QStringLiteral("S")), Variant(0.1f));   // a Single reads as the same 32-bit float
    EXPECT_EQ(rs->field(QStringLiteral("D")), Variant(0.1));
    EXPECT_EQ(rs->field(QStringLiteral("B")), Variant(true));
    EXPECT_EQ(rs->field(QStringLiteral("A")), Variant::date(QDate(2026, 3, 12)));
    EXPECT_EQ(rs->field(6), Variant("Kies"));
    rs->moveNext();
    EXPECT_TRUE(rs->field(QStringLiteral("I")).isNull());
    EXPECT_TRUE(rs->field(QStringLiteral("X")).isNull());
    EXPECT_EQ(rs->field(QStringLiteral("B")), Variant(false));   // column default

    // Dates are ISO text in the file, Booleans 0/1.
    auto raw = cnn->openRecordset(QStringLiteral("SELECT CAST(A AS TEXT), B + 0 FROM T WHERE X='Kies'"));
    EXPECT_EQ(raw->field(0).text(), QStringLiteral("2026-03-12"));
    EXPECT_EQ(raw->field(1), Variant(1));
}

TEST_F(ConnectionTest, BooleanCriteriaAndCaseInsensitiveTextKeys)
{
    for (auto [x, b] : {std::pair{"kb 2", false}, std::pair{"KB 1", true}, std::pair{"Kb 3", true}})
        cnn->execute(QStringLiteral("INSERT INTO T (X,B) VALUES (?,?)"), {Variant(x), Variant(b)});
    auto aktiv = cnn->openRecordset(QStringLiteral("SELECT [X] FROM [T] WHERE [B]=true ORDER BY [X]"));
    ASSERT_EQ(aktiv->recordCount(), 2);
    EXPECT_EQ(aktiv->field(0).text(), QStringLiteral("KB 1"));
    auto key = cnn->openRecordset(QStringLiteral("SELECT [X] FROM [T] WHERE [X]=?"), {Variant("KB 2")});
    ASSERT_EQ(key->recordCount(), 1);
    EXPECT_EQ(key->field(0).text(), QStringLiteral("kb 2"));
    auto alle = cnn->openRecordset(QStringLiteral("SELECT [X] FROM [T] ORDER BY [X]"));
    QStringList order;
    for (; !alle->eof(); alle->moveNext())
        order << alle->field(0).text();
    EXPECT_EQ(order, (QStringList{"KB 1", "kb 2", "Kb 3"}));
}

TEST_F(ConnectionTest, StaticResultSetNavigatesChangesAndDeletesByRow)
{
    for (int i = 0; i < 4; ++i)
        cnn->execute(QStringLiteral("INSERT INTO T (L,X) VALUES (?,?)"), {Variant(i), Variant(QString::number(i))});
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [X],[L] FROM [T] ORDER BY [L]"));
    ASSERT_TRUE(rs->updatable());
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(rs->recordCount(), 4);

    // Another connection changes the table: the open set does not see it.
    auto other = Connection::open(path);
    other->execute(QStringLiteral("INSERT INTO T (L,X) VALUES (9,'9')"));
    EXPECT_EQ(rs->recordCount(), 4);

    rs->setField(QStringLiteral("X"), Variant("null"));
    rs->moveNext();   // a pending change is written when the row is left
    rs->deleteRow();
    EXPECT_TRUE(rs->isDeleted());
    EXPECT_THROW(rs->field(0), vb::VbError);
    EXPECT_EQ(rs->recordCount(), 3);
    rs->moveNext();
    EXPECT_EQ(rs->field(QStringLiteral("L")), Variant(2));
    rs->moveLast();
    EXPECT_EQ(rs->field(QStringLiteral("L")), Variant(3));
    rs->addNew();
    rs->setField(QStringLiteral("L"), Variant(4));
    rs->update();
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->moveNext(), vb::VbError);
    rs->moveFirst();
    rs->movePrevious();
    EXPECT_TRUE(rs->bof());

    auto check = other->openRecordset(QStringLiteral("SELECT [L],[X] FROM [T] ORDER BY [L]"));
    QStringList rows;
    for (; !check->eof(); check->moveNext())
        rows << vb::CStr(check->field(0)) + QLatin1Char('=') + vb::CStr(vb::concat(check->field(1), Variant("")));
    EXPECT_EQ(rows, (QStringList{"0=null", "2=2", "3=3", "4=", "9=9"}));
}

// A row that already holds the values is not written again (no change seen
// by other connections); any difference, case included, is written.
TEST_F(ConnectionTest, UpdateThatChangesNothingWritesNothing)
{
    cnn->execute(QStringLiteral("INSERT INTO T (L,X,S) VALUES (1,'a',0.1)"));
    auto other = Connection::open(path);
    auto version = [&] { return other->openRecordset(QStringLiteral("PRAGMA data_version"))->field(0).number(); };
    struct Fall { Variant l, x, s; bool geschrieben; };
    const Fall faelle[] = {
        {Variant(1), Variant("a"), Variant(0.1f), false},
        {Variant("1"), Variant("a"), Variant(0.1), false},   // converted first: the same values
        {Variant(1), Variant("A"), Variant(0.1f), true},
        {Variant(1), Variant("A"), Variant(0.2f), true},
        {Variant(2), Variant::null(), Variant(0.2f), true},
        {Variant(2), Variant(""), Variant(0.2f), true},      // the empty text is not Null here
        {Variant(2), Variant(""), Variant(0.2f), false},
    };
    double vorher = version();
    for (const Fall& f : faelle) {
        auto rs = cnn->openRecordset(QStringLiteral("SELECT [L],[X],[S] FROM [T]"));
        rs->setField(0, f.l);
        rs->setField(1, f.x);
        rs->setField(2, f.s);
        rs->update();
        EXPECT_FALSE(rs->editPending());
        const double jetzt = version();
        EXPECT_EQ(jetzt != vorher, f.geschrieben) << vb::CStr(f.l).toStdString() << " " << vb::CStr(vb::concat(f.x, Variant(""))).toStdString();
        vorher = jetzt;
    }
    auto rs = other->openRecordset(QStringLiteral("SELECT [L],[X],[S] FROM [T]"));
    EXPECT_EQ(rs->field(0), Variant(2));
    EXPECT_EQ(rs->field(1), Variant(""));
    EXPECT_EQ(rs->field(2), Variant(0.2f));
}

TEST_F(ConnectionTest, EmptySetIsBofAndEof)
{
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [X] FROM [T]"));
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_THROW(rs->field(0), vb::VbError);
    rs->moveLast();
    EXPECT_TRUE(rs->eof());
}

TEST_F(ConnectionTest, ExpressionsAndUnknownNamesAreNotWritable)
{
    cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (1)"));
    auto rs = cnn->openRecordset(QStringLiteral("SELECT MAX([L]) AS M FROM [T]"));
    EXPECT_FALSE(rs->updatable());
    EXPECT_EQ(rs->field(QStringLiteral("M")), Variant(1));
    EXPECT_THROW(rs->setField(0, Variant(2)), vb::VbError);
    auto t = cnn->openRecordset(QStringLiteral("SELECT [L] FROM [T]"));
    try {
        t->field(QStringLiteral("FEHLT"));
        FAIL();
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, db::dberr::ItemNotFound);
    }
    EXPECT_THROW(cnn->openRecordset(QStringLiteral("SELECT [FEHLT] FROM [T]")), vb::VbError);
}

TEST_F(ConnectionTest, BoundValuesCarryApostrophes)
{
    cnn->execute(QStringLiteral("INSERT INTO [T] ([X]) VALUES (?)"), {Variant("Brunnen 'Am Anger'")});
    auto rs = cnn->openRecordset(QStringLiteral("SELECT [X] FROM [T] WHERE [X]=?"), {Variant("brunnen 'am anger'")});
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST_F(ConnectionTest, TransactionRollsBackUnlessCommitted)
{
    {
        Connection::Transaction tx(*cnn);
        cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (1)"));
        {
            Connection::Transaction inner(*cnn);   // nested: joins the outer one
            cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (2)"));
            inner.commit();
        }
        EXPECT_TRUE(cnn->inTransaction());
    }
    EXPECT_FALSE(cnn->inTransaction());
    EXPECT_EQ(cnn->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 0);
    {
        Connection::Transaction tx(*cnn);
        cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (3)"));
        tx.commit();
    }
    EXPECT_EQ(Connection::open(path)->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 1);
}

TEST_F(ConnectionTest, CopyTakesCommittedStateAndReplacesTargetWhole)
{
    cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (1)"));
    const QString target = dir.filePath(QStringLiteral("kopie/ziel.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("kopie")));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alter Inhalt");
    old.close();

    // A writer in the middle of a transaction: its rows are not copied.
    auto writer = Connection::open(path);
    writer->beginTransaction();
    writer->execute(QStringLiteral("INSERT INTO T (L) VALUES (2)"));
    db::copyDatabase(path, target);
    writer->rollbackTransaction();

    auto copy = Connection::open(target);
    EXPECT_EQ(copy->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 1);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("kopie"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("ziel.mdb")});   // no temporary file left

    // The open connection's own copy, and a missing source leaves the target alone.
    cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (3)"));
    cnn->backupTo(target);
    EXPECT_EQ(Connection::open(target)->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 2);
    EXPECT_THROW(db::copyDatabase(dir.filePath(QStringLiteral("fehlt.mdb")), target), vb::VbError);
    EXPECT_EQ(Connection::open(target)->openRecordset(QStringLiteral("SELECT * FROM T"))->recordCount(), 2);
}

TEST_F(ConnectionTest, ClosedConnectionRefusesWork)
{
    cnn->close();
    try {
        cnn->openRecordset(QStringLiteral("SELECT * FROM T"));
        FAIL();
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, db::dberr::ObjectClosed);
    }
}


// A connection closed while its file is replaced opens the new file again in
// the same object, so every holder of it works on; a missing file is refused.
TEST_F(ConnectionTest, ReopenedConnectionServesItsHoldersWithTheReplacedFile)
{
    cnn->execute(QStringLiteral("INSERT INTO T (L) VALUES (1)"));
    const std::shared_ptr<Connection> halter = cnn;
    cnn->close();
    const QString neu = dir.filePath(QStringLiteral("neu.mdb"));
    {
        auto c = Connection::create(neu);
        c->executeScript(QStringLiteral("CREATE TABLE T (L INTEGER, Y TEXT); INSERT INTO T VALUES (7, 'neu');"));
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(neu, path));

    halter->reopen();
    ASSERT_TRUE(cnn->isOpen());
    auto rs = halter->openRecordset(QStringLiteral("SELECT * FROM [T]"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(QStringLiteral("Y")).toQVariant().toString(), QStringLiteral("neu"));
    rs->setField(QStringLiteral("L"), Variant(8));
    rs->update();
    EXPECT_EQ(Connection::open(path)->openRecordset(QStringLiteral("SELECT [L] FROM T"))->field(0).number(), 8);
    halter->reopen();   // already open: nothing happens
    EXPECT_TRUE(halter->isOpen());

    halter->close();
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THROW(halter->reopen(), vb::VbError);
    EXPECT_FALSE(halter->isOpen());
    EXPECT_FALSE(QFile::exists(path));
}


// A project folder is shared by the users of a project: a copy written back
// over the project database keeps the file's access rights, and a new copy
// gets those of any new file.
TEST_F(ConnectionTest, CopyKeepsTheAccessRightsOfTheTarget)
{
    const mode_t maske = ::umask(0);
    ::umask(maske);
    struct Fall {
        const char* name;
        int vorher;   // -1: no target yet
        int nachher;
    };
    const Fall faelle[] = {
        {"shared with the group", 0664, 0664},
        {"readable by the group", 0640, 0640},
        {"new target", -1, 0666 & ~int(maske)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const QString ziel = dir.filePath(QString::fromLatin1(f.name) + QStringLiteral(".mdb"));
        if (f.vorher >= 0) {
            db::copyDatabase(path, ziel);
            ASSERT_EQ(::chmod(QFile::encodeName(ziel).constData(), mode_t(f.vorher)), 0);
        }
        db::copyDatabase(path, ziel);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(ziel).constData(), &st), 0);
        EXPECT_EQ(QString::number(st.st_mode & 0777, 8), QString::number(f.nachher, 8));
    }
}

} // namespace

// The rows of a run answer every column name and every number asked for in
// turn, also when a name's text is built anew for each question (and a new
// text may take the place of an old one in memory).
TEST_F(ConnectionTest, RowsOfARunAnswerEachNameAndNumberAskedFor)
{
    cnn->executeScript(QStringLiteral(
        "CREATE TABLE R (ID INTEGER, I1 SMALLINT, AA TEXT, BB TEXT);"
        "INSERT INTO R VALUES (1, 0, 'a0', 'b0'), (1, 1, 'a1', 'b1'), (2, 0, 'x', 'y'), (1, 1, 'a1b', 'b1b'),"
        " (1, 2, NULL, 'b2');"));
    Connection::Batch lauf(*cnn);
    const Connection::Rows* zeilen = cnn->batchRows(QStringLiteral("R"), QStringLiteral("ID"), Variant(1));
    ASSERT_NE(zeilen, nullptr);
    ASSERT_EQ(zeilen->values.size(), 4u);

    const struct { const char* name; int spalte; } namen[] = {
        {"AA", 2}, {"BB", 3}, {"aa", 2}, {"CC", -1}, {"BB", 3}, {"AA", 2}, {"I1", 1}, {"id", 0}, {"bb", 3},
    };
    for (int runde = 0; runde < 2; ++runde)
        for (const auto& n : namen)
            EXPECT_EQ(zeilen->column(QString::fromLatin1(n.name)), n.spalte) << n.name << " round " << runde;

    const struct { int spalte; double wert; std::vector<int> treffer; } fragen[] = {
        {1, 1, {1, 2}}, {1, 1, {1, 2}}, {1, 0, {0}}, {1, 2, {3}}, {1, 3, {}}, {1, 1, {1, 2}},
        {0, 1, {0, 1, 2, 3}}, {1, 0, {0}}, {0, 2, {}}, {1, std::nan(""), {}}, {1, -1, {}},
    };
    for (const auto& f : fragen) {
        const auto treffer = zeilen->matching(f.spalte, f.wert);
        EXPECT_EQ(std::vector<int>(treffer.begin(), treffer.end()), f.treffer)
            << "column " << f.spalte << " = " << f.wert;
    }
}
