// The operation error trap: box text, title, icon and buttons, and which steps run.
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vb;

namespace {

struct Outcome {
    bool result;
    std::vector<int> ran;
    bool cleaned;
};

// Three steps, the second dividing by zero with VB's check; answer the box with `answer`.
Outcome runThreeSteps(ScriptedDialogs& box, int answer)
{
    box.answerMessage(answer);
    Outcome r{false, {}, false};
    StepRunner op(QStringLiteral("Auswerten/Neuberechnen"), QStringLiteral("VB-Fehler: "));
    double x = 0;
    op.step([&] { r.ran.push_back(1); })
        .step([&] {
            r.ran.push_back(2);
            x = Div(1.0, 0.0);
            r.ran.push_back(20);   // never reached: the rest of a failing step is skipped
        })
        .step([&] { r.ran.push_back(3); })
        .cleanup([&] { r.cleaned = true; });
    r.result = op.run();
    return r;
}

} // namespace

TEST(StepRunner, OkGoesOnWithTheNextStepCancelLeaves)
{
    TestServices env;   // German locale, scripted dialogs
    {
        const Outcome r = runThreeSteps(env.dialogs, vbOK);
        EXPECT_TRUE(r.result);
        EXPECT_EQ(r.ran, (std::vector<int>{1, 2, 3}));
        EXPECT_FALSE(r.cleaned);
    }
    {
        const Outcome r = runThreeSteps(env.dialogs, vbCancel);
        EXPECT_FALSE(r.result);
        EXPECT_EQ(r.ran, (std::vector<int>{1, 2}));
        EXPECT_TRUE(r.cleaned);
    }
    ASSERT_EQ(env.dialogs.count(), 2);
    for (const auto& box : env.dialogs.records()) {
        EXPECT_EQ(box.kind, DialogRecord::Kind::MessageBox);
        EXPECT_EQ(box.text, QStringLiteral("VB-Fehler: 11\nDivision durch Null"));
        EXPECT_EQ(box.title, QStringLiteral("Auswerten/Neuberechnen"));
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(box.buttons, MsgButtons::OKCancel);
    }
}

TEST(StepRunner, TextFormsAndLanguages)
{
    struct Case {
        const char* locale;
        const char* prefix;
        bool lineForm;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {"en_US", "VB-Error: ", false, 6, "VB-Error: 6\nOverflow"},
        {"de_DE", "VB-Error: ", false, 13, "VB-Error: 13\nTypen unverträglich"},
        {"de_DE", "VB-Fehler:", false, 94, "VB-Fehler:94\nUnzulässige Verwendung von Null"},
        {"de_DE", "VB-Fehler ", false, 9, "VB-Fehler 9\nIndex außerhalb des gültigen Bereichs"},
        {"de_DE", "VB-Fehler: ", true, 11, "VB-Fehler: \nFehlerNr. 11\nDivision durch Null"},
        {"fr_FR", "VB-Fehler: ", false, 6, "VB-Fehler: 6\nÜberlauf"},   // any other language: German
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TestServices env(QString::fromLatin1(c.locale));
        StepRunner op(QStringLiteral("LINIE"), QString::fromUtf8(c.prefix));
        if (c.lineForm)
            op.textBuilder([&](const VbError& e) { return lineErrorText(op.prefix(), e); });
        const int n = c.number;
        op.step([n] { vb::raise(n); });
        EXPECT_TRUE(op.run());   // the default answer of the box is its first button, OK
        ASSERT_EQ(env.dialogs.count(), 1);
        EXPECT_EQ(env.dialogs.last().text, QString::fromUtf8(c.text));
        EXPECT_EQ(env.dialogs.last().title, QStringLiteral("LINIE"));
    }
}

TEST(StepRunner, OtherExceptionsAreMappedToVbErrors)
{
    TestServices env(QStringLiteral("en_US"));
    StepRunner op(QStringLiteral("Op"), kVbError);
    std::vector<int> v;
    op.step([&] { (void)v.at(3); })
        .step([] { throw std::runtime_error("disk on fire"); })
        .step([] { throw VbError(3021, QStringLiteral("Either BOF or EOF is True")); });
    EXPECT_TRUE(op.run());
    ASSERT_EQ(op.errors().size(), 3u);
    EXPECT_EQ(op.errors()[0].number, 9);
    EXPECT_EQ(env.dialogs.records()[0].text, QStringLiteral("VB-Error: 9\nSubscript out of range"));
    EXPECT_EQ(env.dialogs.records()[1].text, QStringLiteral("VB-Error: 5\ndisk on fire"));
    EXPECT_EQ(env.dialogs.records()[2].text, QStringLiteral("VB-Error: 3021\nEither BOF or EOF is True"));
}

TEST(StepRunner, OkOnlyBoxEndsTheOperation)
{
    TestServices env;
    StepRunner op(QStringLiteral("Info"), kVbError);
    bool third = false;
    bool cleaned = false;
    op.okOnly().step([] {}).step([] { vb::raise(91); }).step([&] { third = true; }).cleanup([&] { cleaned = true; });
    EXPECT_FALSE(op.run());
    EXPECT_FALSE(third);
    EXPECT_TRUE(cleaned);
    ASSERT_EQ(env.dialogs.count(), 1);
    EXPECT_EQ(env.dialogs.last().buttons, MsgButtons::OKOnly);
    EXPECT_EQ(env.dialogs.last().icon, MsgIcon::Exclamation);
}

TEST(StepRunner, SilentNumbersLeaveWithoutABox)
{
    TestServices env;
    env.dialogs.cancelPrint();
    StepRunner op(QStringLiteral("Drucken"), kVbError);
    bool printed = false;
    bool restored = false;
    op.silentlyLeaveOn({380, 32755})
        .step([] { ShowPrinter(PrintDialogCall{1, 3, 2, 2, true, false, QString()}); })
        .step([&] { printed = true; })
        .cleanup([&] { restored = true; }, true);
    EXPECT_FALSE(op.run());
    EXPECT_FALSE(printed);
    EXPECT_TRUE(restored);
    EXPECT_EQ(env.dialogs.messages().size(), 0u);
    ASSERT_EQ(op.errors().size(), 1u);
    EXPECT_EQ(op.errors()[0].number, 32755);
}

TEST(StepRunner, AFailingConditionTestEntersTheBranchAfterOk)
{
    struct Case {
        int answer;          // box answer when the test fails
        bool testFails;
        bool condition;
        bool branchRuns;
        bool nextRuns;
    };
    const Case cases[] = {
        {vbOK, false, true, true, true},
        {vbOK, false, false, false, true},
        {vbOK, true, false, true, true},
        {vbCancel, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << c.answer << " fails " << c.testFails << " cond "
                                        << c.condition);
        TestServices env;
        env.dialogs.answerMessage(c.answer);
        bool branch = false, next = false;
        StepRunner op(QStringLiteral("KAVELOR"), kVbError);
        op.when(
              [&] {
                  if (c.testFails)
                      vb::raise(53);
                  return c.condition;
              },
              [&] { branch = true; })
            .step([&] { next = true; });
        op.run();
        EXPECT_EQ(branch, c.branchRuns);
        EXPECT_EQ(next, c.nextRuns);
        EXPECT_EQ(env.dialogs.count(), c.testFails ? 1 : 0);
    }
    // Without a box (resume-next trap) a failing test counts as true.
    EXPECT_TRUE(StepRunner::guard([]() -> bool { vb::raise(53); }));
    EXPECT_FALSE(StepRunner::guard([] { return false; }));
}

TEST(StepRunner, AFailingCleanupDoesNotEscape)
{
    TestServices env;
    env.dialogs.answerMessage(vbCancel);
    StepRunner op(QStringLiteral("X"));
    op.step([] { vb::raise(5); }).cleanup([] { vb::raise(91); });
    EXPECT_FALSE(op.run());
    EXPECT_TRUE(op.cancelled());
    EXPECT_EQ(env.dialogs.count(), 1);
}

TEST(ErrorTrap, RunsEachStepAtOnceAndStaysLeftAfterCancel)
{
    TestServices env;
    env.dialogs.answerMessage(vbOK);
    env.dialogs.answerMessage(vbCancel);
    ErrorTrap trap(QStringLiteral("LINIE"));
    trap.numberLine();
    std::vector<int> ran;
    EXPECT_TRUE(trap([&] { ran.push_back(1); }));
    EXPECT_TRUE(trap([&] {
        ran.push_back(2);
        vb::raise(11);
    }));   // OK goes on
    EXPECT_FALSE(trap.cancelled());
    EXPECT_FALSE(trap([] { throw std::runtime_error("disk on fire"); }));   // Cancel leaves
    EXPECT_TRUE(trap.cancelled());
    EXPECT_FALSE(trap([&] { ran.push_back(4); }));   // skipped once left
    EXPECT_FALSE(trap.access([&] {
        ran.push_back(5);
        return true;
    }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    ASSERT_EQ(env.dialogs.count(), 2);
    EXPECT_EQ(env.dialogs.records()[0].text, QStringLiteral("VB-Fehler: \nFehlerNr. 11\nDivision durch Null"));
    EXPECT_EQ(env.dialogs.records()[1].text, QStringLiteral("VB-Fehler: \nFehlerNr. 5\ndisk on fire"));
    for (const auto& box : env.dialogs.records()) {
        EXPECT_EQ(box.title, QStringLiteral("LINIE"));
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(box.buttons, MsgButtons::OKCancel);
    }
}

TEST(ErrorTrap, AFailedAccessLeavesWithoutASecondBox)
{
    TestServices env(QStringLiteral("en_US"));
    ErrorTrap trap(QStringLiteral("Index"), kVbError);
    EXPECT_TRUE(trap.access([] { return true; }));
    EXPECT_FALSE(trap.cancelled());
    EXPECT_FALSE(trap.access([] { return false; }));   // the accessor has shown its own box
    EXPECT_TRUE(trap.cancelled());
    EXPECT_EQ(env.dialogs.count(), 0);
    bool ran = false;
    EXPECT_FALSE(trap([&] { ran = true; }));
    EXPECT_FALSE(ran);
    // A box shown on request answers for the caller and leaves the trap as it is.
    env.dialogs.answerMessage(vbCancel);
    ErrorTrap fresh(QStringLiteral("Index"), kVbError);
    EXPECT_FALSE(fresh.report(VbError(91)));
    EXPECT_FALSE(fresh.cancelled());
    EXPECT_EQ(env.dialogs.last().text, QStringLiteral("VB-Error: 91\nObject variable or With block variable not set"));
}
