// The dialog service: style numbers, the scripted double and the VB entry points.
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <optional>

#include <gtest/gtest.h>

using namespace vb;

TEST(Dialogs, StyleNumbersSplitIntoButtonsIconAndDefault)
{
    struct Case {
        int style;
        MsgButtons buttons;
        MsgIcon icon;
        int defaultResult;
        int escapeResult;
    };
    const Case cases[] = {
        {vbOKOnly, MsgButtons::OKOnly, MsgIcon::None, vbOK, vbOK},
        {vbOKCancel | vbExclamation, MsgButtons::OKCancel, MsgIcon::Exclamation, vbOK, vbCancel},
        {vbYesNo | vbQuestion, MsgButtons::YesNo, MsgIcon::Question, vbYes, vbNo},
        {vbYesNoCancel | vbQuestion | vbDefaultButton3, MsgButtons::YesNoCancel, MsgIcon::Question, vbCancel, vbCancel},
        {vbYesNo | vbDefaultButton2, MsgButtons::YesNo, MsgIcon::None, vbNo, vbNo},
        {vbRetryCancel | vbCritical, MsgButtons::RetryCancel, MsgIcon::Critical, vbRetry, vbCancel},
        {vbAbortRetryIgnore | vbInformation, MsgButtons::AbortRetryIgnore, MsgIcon::Information, vbAbort, vbAbort},
        {vbOKOnly | vbDefaultButton3, MsgButtons::OKOnly, MsgIcon::None, vbOK, vbOK},   // clamped to the set
        {vbYesNo | vbQuestion | vbMsgBoxHelpButton, MsgButtons::YesNo, MsgIcon::Question, vbYes, vbNo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(buttonsOf(c.style), c.buttons);
        EXPECT_EQ(iconOf(c.style), c.icon);
        EXPECT_EQ(defaultResultOf(c.style), c.defaultResult);
        EXPECT_EQ(escapeResultOf(c.style), c.escapeResult);
    }
}

TEST(Dialogs, ScriptedServiceRecordsEveryCallAndAnswersFromItsQueue)
{
    ScopedDialogs box;
    box->answerMessage(vbNo).answerInput(QStringLiteral("B7")).cancelInput();
    box->answerColor(QColor(10, 20, 30)).cancelColor();
    box->answerFile(QStringLiteral("/tmp/x.mdb"));

    EXPECT_EQ(MsgBox(QStringLiteral("Speichern?"), vbYesNoCancel | vbQuestion, QStringLiteral("&Beenden")), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Fertig"), MsgButtons::OKOnly, MsgIcon::Information), vbOK);   // queue empty: default
    bool cancelled = true;
    EXPECT_EQ(InputBox(QStringLiteral("Name?"), QStringLiteral("KOPIE"), QStringLiteral("B1"), &cancelled),
              QStringLiteral("B7"));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(InputBox(QStringLiteral("Name?"), QStringLiteral("KOPIE"), QStringLiteral("B1"), &cancelled), QString());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(InputBox(QStringLiteral("Erste Zeile: "), QStringLiteral("Zeilenfilter"), QStringLiteral("1")),
              QStringLiteral("1"));   // queue empty: the default text
    EXPECT_EQ(ShowColor(Qt::white, QStringLiteral("Seitenfarbe")), QColor(10, 20, 30));
    EXPECT_EQ(ShowColor(Qt::white, QStringLiteral("Seitenfarbe")), QColor(Qt::white));   // Cancel keeps the colour
    EXPECT_EQ(ShowOpen(FileDialogCall{}), QStringLiteral("/tmp/x.mdb"));
    EXPECT_EQ(ShowOpen(FileDialogCall{}), QString());   // queue empty: Cancel
    EXPECT_EQ(box->pendingAnswers(), 0);

    const auto& r = box->records();
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[0].text, QStringLiteral("Speichern?"));
    EXPECT_EQ(r[0].title, QStringLiteral("&Beenden"));
    EXPECT_EQ(r[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(r[0].icon, MsgIcon::Question);
    EXPECT_EQ(r[0].answer, vbNo);
    EXPECT_EQ(r[1].title, QStringLiteral("KAVELOR"));   // no title: the program title
    EXPECT_EQ(r[1].icon, MsgIcon::Information);
    EXPECT_EQ(r[2].kind, DialogRecord::Kind::InputBox);
    EXPECT_EQ(r[2].defaultText, QStringLiteral("B1"));
    EXPECT_TRUE(r[3].cancelled);
    EXPECT_EQ(r[5].kind, DialogRecord::Kind::Color);
    EXPECT_EQ(r[5].title, QStringLiteral("Seitenfarbe"));
    EXPECT_EQ(box->messages().size(), 2u);
}

TEST(Dialogs, PrintDialogCancelRaises32755OnlyWhenAsked)
{
    ScopedDialogs box;
    PrintDialogCall call{1, 4, 2, 2, true, false, QString()};
    box->cancelPrint().cancelPrint();
    int number = 0;
    try {
        ShowPrinter(call);
    } catch (const VbError& e) {
        number = e.number;
    }
    EXPECT_EQ(number, 32755);
    EXPECT_FALSE(ShowPrinter(call, false).has_value());

    // Unscripted: the user keeps "all pages".
    auto all = ShowPrinter(call);
    ASSERT_TRUE(all.has_value());
    EXPECT_TRUE(all->allPages);
    EXPECT_EQ(all->fromPage, 1);
    EXPECT_EQ(all->toPage, 4);

    PrintChoice some;
    some.allPages = false;
    some.fromPage = some.toPage = 3;
    box->answerPrint(some);
    auto chosen = ShowPrinter(call);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_FALSE(chosen->allPages);
    EXPECT_EQ(chosen->fromPage, 3);
    EXPECT_EQ(box->last().printCall.maxPage, 4);
}

TEST(Dialogs, ScopedServiceIsRemovedAgain)
{
    DialogService* before = &dialogs();
    {
        ScopedDialogs box;
        EXPECT_EQ(&dialogs(), &box.get());
        {
            ScopedDialogs inner;
            EXPECT_EQ(&dialogs(), &inner.get());
        }
        EXPECT_EQ(&dialogs(), &box.get());
    }
    EXPECT_EQ(&dialogs(), before);
    EXPECT_NE(dynamic_cast<QtDialogs*>(before), nullptr);
}

TEST(Dialogs, QtMessageBoxIsBuiltAsTheCallAsks)
{
    struct Case {
        const char* locale;
        int style;
        QStringList buttons;
        const char* defaultText;
        QMessageBox::Icon icon;
        int clickIndex;   // button to click; -1: close without a click
        int result;
    };
    const Case cases[] = {
        {"de_DE", vbOKCancel | vbExclamation, {"OK", "Abbrechen"}, "OK", QMessageBox::Warning, 1, vbCancel},
        {"de_DE", vbYesNoCancel | vbQuestion | vbDefaultButton2, {"Ja", "Nein", "Abbrechen"}, "Nein",
         QMessageBox::Question, 0, vbYes},
        {"en_US", vbYesNo | vbQuestion, {"Yes", "No"}, "Yes", QMessageBox::Question, -1, vbNo},
        {"en_US", vbOKOnly | vbInformation, {"OK"}, "OK", QMessageBox::Information, -1, vbOK},
        {"de_DE", vbRetryCancel | vbCritical, {"Wiederholen", "Abbrechen"}, "Wiederholen", QMessageBox::Critical, 0,
         vbRetry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        ScopedLocale loc(QString::fromLatin1(c.locale));
        MessageBoxCall call;
        call.prompt = QStringLiteral("Zeile 1\r\nZeile 2");
        call.title = QStringLiteral("Titel");
        call.style = c.style;
        auto box = QtDialogs::createMessageBox(call);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Titel"));
        EXPECT_EQ(box->text(), QStringLiteral("Zeile 1\nZeile 2"));
        EXPECT_EQ(box->icon(), c.icon);
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts << b->text();
        texts.sort();
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(texts, expected);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->text(), QString::fromLatin1(c.defaultText));
        if (c.clickIndex >= 0) {
            QAbstractButton* target = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == c.buttons[c.clickIndex])
                    target = b;
            }
            ASSERT_NE(target, nullptr);
            target->click();   // the box is not shown: clicking only records the answer
        }
        EXPECT_EQ(QtDialogs::resultOf(*box, c.style), c.result);
    }
}

TEST(QtDialogsPointer, ABoxOverTheHourglassIsAnsweredWithTheNormalPointer)
{
    QtDialogs dialoge;
    showWaitPointer();
    std::optional<Qt::CursorShape> imDialog;
    // Once the box runs, look at the pointer and answer it.
    QTimer::singleShot(0, [&] {
        imDialog = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                box->done(QMessageBox::Ok);
    });
    MessageBoxCall call;
    call.prompt = QStringLiteral("Wert kann nicht gespeichert werden!");
    call.style = vbOKOnly | vbExclamation;
    dialoge.messageBox(call);
    EXPECT_EQ(imDialog, Qt::ArrowCursor);
    // The operation goes on under its hourglass.
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    restoreWaitPointer();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
