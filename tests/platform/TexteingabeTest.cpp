// What reaches a text box: no control characters and no more than its limit,
// by every way the user can put text in; the program's own text stays whole.
// And Qt's own texts in the program's language.
#include "platform/Services.h"
#include "platform/Texteingabe.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

// The ways text from outside reaches a box, each at the cursor.
enum class Weg { Tippen, CtrlV, ShiftInsert, Kontextmenue, MittlereTaste, Ablegen };

const char* name(Weg w)
{
    switch (w) {
    case Weg::Tippen: return "typing";
    case Weg::CtrlV: return "Ctrl+V";
    case Weg::ShiftInsert: return "Shift+Insert";
    case Weg::Kontextmenue: return "context menu";
    case Weg::MittlereTaste: return "middle button";
    case Weg::Ablegen: return "drop";
    }
    return "";
}

// A point right of the box's text: where a click or a drop puts the cursor
// at the end.
QPoint hinterDemText(const QLineEdit& box)
{
    return QPoint(box.width() - 4, box.height() / 2);
}

// The paste action of a box's context menu: Qt names its actions by their
// texts only, which follow the language, so it is found by its place (undo,
// redo, a line, cut, copy, paste).
QAction* einfuegeAktion(QMenu& menue)
{
    const QList<QAction*> a = menue.actions();
    return a.size() > 5 ? a[5] : nullptr;
}

// The action's text without its access key and shortcut.
QString ohneKuerzel(const QString& text)
{
    return QString(text).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
}

// Puts `text` into the box the way `w` does; false when the platform has no
// such way (the selection clipboard of the middle button).
bool einfuegen(QLineEdit& box, Weg w, const QString& text)
{
    switch (w) {
    case Weg::Tippen:
        // One key whose text is all of `text`, as a keyboard layout or an
        // input method sends a character of several code units.
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, text, Qt::NoModifier);
        return true;
    case Weg::CtrlV:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        return true;
    case Weg::ShiftInsert:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
        return true;
    case Weg::Kontextmenue: {
        QApplication::clipboard()->setText(text);
        std::unique_ptr<QMenu> menue(box.createStandardContextMenu());
        QAction* einfuegen = einfuegeAktion(*menue);
        EXPECT_TRUE(einfuegen && ohneKuerzel(einfuegen->text()) == QLatin1String("Paste"));
        if (einfuegen)
            einfuegen->trigger();
        return true;
    }
    case Weg::MittlereTaste: {
        QClipboard* cb = QApplication::clipboard();
        if (!cb->supportsSelection())
            return false;
        cb->setText(text, QClipboard::Selection);
        QTest::mouseClick(&box, Qt::MiddleButton, {}, hinterDemText(box));
        return true;
    }
    case Weg::Ablegen: {
        QMimeData daten;
        daten.setText(text);
        const QPointF ort = hinterDemText(box);
        QDragEnterEvent herein(ort.toPoint(), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &herein);
        QDragMoveEvent bewegt(ort.toPoint(), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &bewegt);
        QDropEvent ab(ort, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &ab);
        return true;
    }
    }
    return false;
}

} // namespace

class TexteingabeTest : public ::testing::Test {
protected:
    vb::TestServices services{QStringLiteral("de_DE")};
    std::unique_ptr<QWidget> fenster = std::make_unique<QWidget>();

    QLineEdit& box(int grenze, const QString& vorher = QString())
    {
        auto* b = new QLineEdit(fenster.get());
        vb::eingabeBegrenzen(b, grenze);
        b->setText(vorher);
        fenster->show();
        b->setFocus();
        b->end(false);
        return *b;
    }

    // One insertion: `eingefuegt` arrives at the end of a box holding
    // `vorher` with the limit `grenze`, after which the box holds `danach`.
    struct Einfuegung {
        int grenze;
        QString vorher;
        QString eingefuegt;
        QString danach;
    };
    // Every case by every way given; no way leaves a replacement character.
    void jederWeg(std::initializer_list<Weg> wege, std::initializer_list<Einfuegung> faelle)
    {
        for (Weg w : wege)
            for (const Einfuegung& f : faelle) {
                SCOPED_TRACE(std::string(name(w)) + " of \"" + f.eingefuegt.toStdString() + "\" into \""
                             + f.vorher.toStdString() + "\", limit " + std::to_string(f.grenze));
                QLineEdit& b = box(f.grenze, f.vorher);
                if (!einfuegen(b, w, f.eingefuegt))
                    continue;
                EXPECT_EQ(b.text(), f.danach);
                EXPECT_FALSE(b.text().contains(QChar(QChar::ReplacementCharacter)));
            }
    }
};

TEST(Steuerzeichen, AreDroppedAndEverythingElseKept)
{
    EXPECT_EQ(vb::ohneSteuerzeichen(QStringLiteral("a\tb\r\nc\x7f" "d\x01")), QStringLiteral("abcd"));
    EXPECT_EQ(vb::ohneSteuerzeichen(QStringLiteral("Ton, steif – RAL8011 ü€ ")), QStringLiteral("Ton, steif – RAL8011 ü€ "));
}

TEST_F(TexteingabeTest, EveryWayOfPastingKeepsTheLimitAndDropsControlCharacters)
{
    const QString vierzig = QStringLiteral("0123456789").repeated(4);
    jederWeg({Weg::CtrlV, Weg::ShiftInsert, Weg::Kontextmenue, Weg::MittlereTaste, Weg::Ablegen}, {
        {8, QString(), vierzig, QStringLiteral("01234567")},
        {8, QStringLiteral("AB"), vierzig, QStringLiteral("AB012345")},
        {8, QStringLiteral("ABCDEFGH"), QStringLiteral("X"), QStringLiteral("ABCDEFGH")},
        {8, QString(), QStringLiteral("a\tb\nc\x7f" "d"), QStringLiteral("abcd")},
        {50, QString(), vierzig + vierzig, (vierzig + vierzig).left(50)},
        {0, QString(), QStringLiteral("x\r\ny"), QStringLiteral("xy")},
    });
}

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // U+1F600, two code units
const QString kAkut = QStringLiteral("e\u0301");                   // e and a combining acute

TEST(GanzeZeichen, CutOnlyBetweenWholeCharacters)
{
    struct Fall {
        QString text;
        qsizetype grenze;
        QString danach;
    };
    const Fall faelle[] = {
        {QStringLiteral("01234567"), 8, QStringLiteral("01234567")},
        {QStringLiteral("0123456789"), 8, QStringLiteral("01234567")},
        {QStringLiteral("1234567") + kEmoji, 8, QStringLiteral("1234567")},
        {QStringLiteral("123456") + kEmoji + QStringLiteral("X"), 8, QStringLiteral("123456") + kEmoji},
        {QStringLiteral("ABCDEFG") + kAkut, 8, QStringLiteral("ABCDEFG")},
        {QStringLiteral("ABCDEF") + kAkut + QStringLiteral("X"), 8, QStringLiteral("ABCDEF") + kAkut},
        {kEmoji, 1, QString()},
        {kAkut + kAkut, 3, kAkut},
        {QStringLiteral("abc"), 0, QString()},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text.toStdString() + " to " + std::to_string(f.grenze));
        EXPECT_EQ(vb::ganzeZeichen(f.text, f.grenze), f.danach);
    }
}

// An emoji and a letter with a combining accent arrive whole or not at all,
// however they come, and no half character is ever left in the box.
TEST_F(TexteingabeTest, EveryWayKeepsACharacterOfSeveralCodeUnitsWhole)
{
    jederWeg({Weg::Tippen, Weg::CtrlV, Weg::ShiftInsert, Weg::Kontextmenue, Weg::MittlereTaste, Weg::Ablegen}, {
        {8, QStringLiteral("1234567"), kEmoji, QStringLiteral("1234567")},
        {8, QStringLiteral("123456"), kEmoji, QStringLiteral("123456") + kEmoji},
        {8, QString(), QStringLiteral("1234567") + kEmoji, QStringLiteral("1234567")},
        {8, QStringLiteral("ABCDEFG"), kAkut, QStringLiteral("ABCDEFG")},
        {8, QString(), QStringLiteral("ABCDEFG") + kAkut, QStringLiteral("ABCDEFG")},
        {8, QString(), QStringLiteral("ABCDEF") + kAkut + QStringLiteral("GH"), QStringLiteral("ABCDEF") + kAkut},
        {50, QString(), QStringLiteral("x").repeated(49) + kEmoji, QStringLiteral("x").repeated(49)},
        {0, QString(), kEmoji + kAkut, kEmoji + kAkut},
    });
}

// A stored text longer than the limit: an edit that keeps its length is taken
// whole, one that would lengthen it is taken as far as its length allows, and
// one of which nothing fits is not applied at all (the selection stays).
TEST_F(TexteingabeTest, AnEditOfALongerTextIsJudgedAgainstItsLength)
{
    const QString lang = QStringLiteral("Brunnen 'Am Anger'");
    struct Fall {
        QString eingefuegt;
        QString danach;
    };
    const Fall faelle[] = {
        {QStringLiteral("Z"), QStringLiteral("Brunnen 'Am AngerZ")},
        {QStringLiteral("XY"), QStringLiteral("Brunnen 'Am AngerX")},
        {kEmoji, lang},
        {kAkut, lang},
    };
    for (Weg w : {Weg::Tippen, Weg::CtrlV, Weg::ShiftInsert, Weg::Kontextmenue})
        for (const Fall& f : faelle) {
            SCOPED_TRACE(std::string(name(w)) + " of \"" + f.eingefuegt.toStdString() + "\"");
            QLineEdit& b = box(8, lang);
            QTest::keyClick(&b, Qt::Key_End);
            QTest::keyClick(&b, Qt::Key_Left, Qt::ShiftModifier);
            ASSERT_EQ(b.selectedText(), QStringLiteral("'"));
            einfuegen(b, w, f.eingefuegt);
            EXPECT_EQ(b.text(), f.danach);
        }
    // Shortened, it may grow back to no more than its new length; undoing
    // the shortening gives the whole text back.
    QLineEdit& b = box(8, lang);
    QTest::keyClick(&b, Qt::Key_Backspace);
    QTest::keyClick(&b, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(b.text(), lang);
}

// Undo after a shortened edit gives back the text before it, and redo the
// shortened text, for every way of pasting.
TEST_F(TexteingabeTest, UndoAfterAShortenedPasteRestoresTheTextBefore)
{
    for (Weg w : {Weg::Tippen, Weg::CtrlV, Weg::ShiftInsert, Weg::Kontextmenue, Weg::MittlereTaste, Weg::Ablegen}) {
        SCOPED_TRACE(name(w));
        QLineEdit& b = box(8, QStringLiteral("AB"));
        QTest::keyClick(&b, 'C');
        if (!einfuegen(b, w, QStringLiteral("0123456\t789")))
            continue;
        EXPECT_EQ(b.text(), QStringLiteral("ABC01234"));
        EXPECT_EQ(b.cursorPosition(), 8);
        QTest::keyClick(&b, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(b.text(), QStringLiteral("ABC"));
        QTest::keyClick(&b, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(b.text(), QStringLiteral("ABC01234"));
    }
    // A paste over a selection: undo brings the selected text back.
    QLineEdit& b = box(8, QStringLiteral("ABCDEFGH"));
    b.setSelection(2, 2);
    QApplication::clipboard()->setText(QStringLiteral("1234"));
    QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.text(), QStringLiteral("AB12EFGH"));
    QTest::keyClick(&b, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(b.text(), QStringLiteral("ABCDEFGH"));
}

TEST_F(TexteingabeTest, TypingStopsAtTheLimitAndAReplacedSelectionMakesRoom)
{
    QLineEdit& b = box(8);
    QTest::keyClicks(&b, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(b.text(), QStringLiteral("ABCDEFGH"));
    // Pasted over a selection of three: three fit, where the repeated letters
    // leave the place of the insertion to the cursor.
    b.setSelection(1, 3);
    QApplication::clipboard()->setText(QStringLiteral("BBBBB"));
    QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.text(), QStringLiteral("ABBBEFGH"));
    EXPECT_EQ(b.cursorPosition(), 4);
}

TEST_F(TexteingabeTest, TheProgramsLongerTextStaysWholeAndOnlyShrinks)
{
    const QString zwoelf = QStringLiteral("Brunnen 2023");
    QLineEdit& b = box(8, zwoelf);
    EXPECT_EQ(b.text(), zwoelf);
    QTest::keyClick(&b, Qt::Key_X);
    QApplication::clipboard()->setText(QStringLiteral("Y"));
    QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.text(), zwoelf);
    QTest::keyClick(&b, Qt::Key_Backspace);
    EXPECT_EQ(b.text(), zwoelf.left(11));
    // Shortened below the limit, typing fills it up to the limit.
    b.setText(QString());
    b.insert(QStringLiteral("Brunnen"));
    QTest::keyClicks(&b, QStringLiteral("12"));
    EXPECT_EQ(b.text(), QStringLiteral("Brunnen1"));
}

TEST(QtUebersetzung, GermanProgramShowsQtsOwnTextsInGerman)
{
    struct Fall {
        const char* locale;
        const char* einfuegen;
        const char* abbrechen;
    };
    const Fall faelle[] = {
        {"de_DE", "Einfügen", "Abbrechen"},
        {"fr_FR", "Einfügen", "Abbrechen"},   // the program speaks German there
        {"en_US", "Paste", "Cancel"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.locale);
        ASSERT_TRUE(vb::loadQtTranslations(vb::Locale::named(QString::fromLatin1(f.locale))));
        QLineEdit box;
        std::unique_ptr<QMenu> menue(box.createStandardContextMenu());
        QAction* einfuegen = einfuegeAktion(*menue);
        ASSERT_NE(einfuegen, nullptr);
        EXPECT_EQ(ohneKuerzel(einfuegen->text()), QString::fromUtf8(f.einfuegen));

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* knoepfe = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(knoepfe, nullptr);
        EXPECT_EQ(knoepfe->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                  QString::fromUtf8(f.abbrechen));
    }
    vb::loadQtTranslations(vb::Locale::named(QStringLiteral("en_US")));
}
