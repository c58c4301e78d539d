#pragma once
// vb::StepRunner — an operation's error trap.
//
// An operation is a title, an error-box text form and ordered steps. The steps
// run in order; when one raises (a VbError, or any std::exception mapped to
// one), the operation's error box is shown: warning icon, OK and Cancel, the
// operation's title, text = prefix + number + line break + description.
// OK goes on with the next step after the one that failed; Cancel leaves the
// operation (running its clean-up if one was given).
//
//   vb::StepRunner op("Auswerten/Neuberechnen", "VB-Fehler:");
//   op.step([&] { ... });
//   op.step([&] { ... });
//   op.cleanup([&] { ... });     // runs on Cancel (and, with always=true, at every end)
//   bool done = op.run();        // true: ran to the end; false: cancelled
//
// Variants: okOnly() for boxes with only an OK button (the run then leaves
// after the box, as a handler that ends its routine does); textBuilder() for
// other text forms (see lineErrorText); when() for a condition whose failing
// test enters the branch it guards (after OK).

#include "platform/VbError.h"
#include "platform/Dialogs.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace vb {

// Texts of the error boxes.
// prefix + number + "\n" + description, e.g. "VB-Fehler: 11\nDivision durch Null".
QString errorText(const QString& prefix, const VbError& e);
// The form with a number line: prefix + "\n" + "FehlerNr. " + number + "\n" + description.
QString lineErrorText(const QString& prefix, const VbError& e);

// The usual prefixes.
inline const QString kVbError = QStringLiteral("VB-Error: ");
inline const QString kVbFehler = QStringLiteral("VB-Fehler: ");

class StepRunner {
public:
    using Step = std::function<void()>;
    using TextBuilder = std::function<QString(const VbError&)>;

    StepRunner(QString title, QString prefix = kVbFehler);
    StepRunner(const StepRunner&) = delete;
    StepRunner& operator=(const StepRunner&) = delete;

    // Append a step; returns *this for chaining.
    StepRunner& step(Step s);
    // Append a guarded branch: if cond() is true, branch runs. When the test
    // itself raises, the error box is shown and OK goes on with the first
    // statement the test guards: the branch runs.
    StepRunner& when(std::function<bool()> cond, Step branch);
    // Clean-up run when the user leaves with Cancel; with always = true it also
    // runs when the steps finish (for "released in every case").
    StepRunner& cleanup(Step s, bool always = false);
    // Box with OK only; after it the operation ends (no further steps).
    StepRunner& okOnly(bool on = true);
    // Box without the warning icon.
    StepRunner& noIcon(bool on = true);
    // Replace the box text (default: errorText(prefix, e)).
    StepRunner& textBuilder(TextBuilder b);
    // Errors with these numbers show no box and leave the operation at once
    // (as a handler that jumps to its common end for e.g. 380 and 32755).
    StepRunner& silentlyLeaveOn(std::vector<int> numbers);

    // Run the steps. Returns true when the last step was passed (every error
    // answered with OK), false when the operation was left early.
    bool run();

    bool cancelled() const { return m_cancelled; }
    // Errors seen during the last run, in order.
    const std::vector<VbError>& errors() const { return m_errors; }

    // Handle one error as this operation's trap does: show the box and return
    // true for "go on" (OK), false for "leave" (Cancel or an OK-only box).
    bool report(const VbError& e) const;

    const QString& title() const { return m_title; }
    const QString& prefix() const { return m_prefix; }

    // Condition test under a resume-next trap (no box): a test that raises
    // counts as true, so the guarded branch is entered.
    static bool guard(const std::function<bool()>& cond);

private:
    QString m_title;
    QString m_prefix;
    std::vector<Step> m_steps;
    Step m_cleanup;
    bool m_cleanupAlways = false;
    bool m_okOnly = false;
    bool m_noIcon = false;
    TextBuilder m_builder;
    std::vector<int> m_silent;
    bool m_cancelled = false;
    std::vector<VbError> m_errors;
};

// The run-now form of the trap, for operations whose control flow depends on
// what each step found: every call runs its step at once. A step that raises
// shows the operation's box (StepRunner::report); OK goes on, Cancel leaves
// the operation: every later call skips its step and returns false.
//
//   vb::ErrorTrap trap("Pfeil");
//   if (!trap([&] { ... })) return;              // false: the operation was left
//   trap.access([&] { return DAT.DTVS(...); });  // false leaves without a second box
class ErrorTrap {
public:
    // Holds only the box's texts and settings: a trap is set up for every
    // drawn figure, so nothing is allocated until a step fails.
    explicit ErrorTrap(QString title, QString prefix = kVbFehler)
        : m_title(std::move(title)), m_prefix(std::move(prefix))
    {
    }

    // Box text with a number line (lineErrorText) instead of errorText.
    ErrorTrap& numberLine()
    {
        m_numberLine = true;
        return *this;
    }
    // Box without the warning icon.
    ErrorTrap& noIcon()
    {
        m_noIcon = true;
        return *this;
    }

    // Runs f unless the operation was left; false once it has been left.
    template <class F>
    bool operator()(F&& f)
    {
        if (m_cancelled)
            return false;
        try {
            std::forward<F>(f)();
        } catch (...) {
            if (!report(currentVbError()))
                m_cancelled = true;
        }
        return !m_cancelled;
    }

    // Runs a read or write that reports its own failure (the accessor has
    // shown its box): false from f leaves the operation without another box.
    template <class F>
    bool access(F&& f)
    {
        return (*this)([&] {
            if (!std::forward<F>(f)())
                m_cancelled = true;
        });
    }

    // Show the operation's box for e; true for OK. The trap's state is not changed.
    bool report(const VbError& e) const;
    // True once the operation has been left (Cancel, or a failed access()).
    bool cancelled() const { return m_cancelled; }

private:
    QString m_title;
    QString m_prefix;
    bool m_numberLine = false;
    bool m_noIcon = false;
    bool m_cancelled = false;
};

// One-shot helper: run steps under a trap and return StepRunner::run()'s result.
bool runSteps(const QString& title, const QString& prefix, std::initializer_list<StepRunner::Step> steps);

} // namespace vb
