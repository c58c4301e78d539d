#include "platform/StepRunner.h"

#include <QDebug>
#include <algorithm>

namespace vb {

namespace {
// Thrown inside run() to leave the operation after a box answered with Cancel.
struct LeaveOperation {};
} // namespace

QString errorText(const QString& prefix, const VbError& e)
{
    return prefix + QString::number(e.number) + QChar('\n') + e.description;
}

QString lineErrorText(const QString& prefix, const VbError& e)
{
    return prefix + QChar('\n') + QStringLiteral("FehlerNr. ") + QString::number(e.number) + QChar('\n') +
           e.description;
}

// The error box: true for "go on" (OK of an OK-Cancel box).
static bool askAfterError(const QString& title, const QString& text, bool okOnly, bool noIcon)
{
    const int style = (okOnly ? vbOKOnly : vbOKCancel) | (noIcon ? 0 : vbExclamation);
    const int answer = MsgBox(text, style, title);
    return !okOnly && answer == vbOK;
}

StepRunner::StepRunner(QString title, QString prefix) : m_title(std::move(title)), m_prefix(std::move(prefix)) {}

StepRunner& StepRunner::step(Step s)
{
    m_steps.push_back(std::move(s));
    return *this;
}

StepRunner& StepRunner::when(std::function<bool()> cond, Step branch)
{
    m_steps.push_back([this, cond = std::move(cond), branch = std::move(branch)] {
        bool enter = false;
        try {
            enter = cond();
        } catch (...) {
            const VbError e = currentVbError();
            m_errors.push_back(e);
            if (std::find(m_silent.begin(), m_silent.end(), e.number) != m_silent.end() || !report(e))
                throw LeaveOperation{};
            enter = true;   // OK resumes with the first statement the test guards
        }
        if (enter)
            branch();
    });
    return *this;
}

StepRunner& StepRunner::cleanup(Step s, bool always)
{
    m_cleanup = std::move(s);
    m_cleanupAlways = always;
    return *this;
}

StepRunner& StepRunner::okOnly(bool on)
{
    m_okOnly = on;
    return *this;
}

StepRunner& StepRunner::noIcon(bool on)
{
    m_noIcon = on;
    return *this;
}

StepRunner& StepRunner::textBuilder(TextBuilder b)
{
    m_builder = std::move(b);
    return *this;
}

StepRunner& StepRunner::silentlyLeaveOn(std::vector<int> numbers)
{
    m_silent = std::move(numbers);
    return *this;
}

bool StepRunner::report(const VbError& e) const
{
    return askAfterError(m_title, m_builder ? m_builder(e) : errorText(m_prefix, e), m_okOnly, m_noIcon);
}

bool StepRunner::run()
{
    m_cancelled = false;
    m_errors.clear();
    auto runCleanup = [this] {
        if (!m_cleanup)
            return;
        try {
            m_cleanup();
        } catch (...) {
            const VbError e = currentVbError();
            qWarning() << "clean-up of" << m_title << "failed:" << e.number << e.description;
        }
    };
    for (auto& s : m_steps) {
        try {
            s();
        } catch (const LeaveOperation&) {
            m_cancelled = true;
        } catch (...) {
            const VbError e = currentVbError();
            m_errors.push_back(e);
            const bool silent = std::find(m_silent.begin(), m_silent.end(), e.number) != m_silent.end();
            if (silent || !report(e))
                m_cancelled = true;
        }
        if (m_cancelled) {
            runCleanup();
            return false;
        }
    }
    if (m_cleanupAlways)
        runCleanup();
    return true;
}

bool StepRunner::guard(const std::function<bool()>& cond)
{
    try {
        return cond();
    } catch (...) {
        return true;
    }
}

bool ErrorTrap::report(const VbError& e) const
{
    return askAfterError(m_title, m_numberLine ? lineErrorText(m_prefix, e) : errorText(m_prefix, e), false, m_noIcon);
}

bool runSteps(const QString& title, const QString& prefix, std::initializer_list<StepRunner::Step> steps)
{
    StepRunner r(title, prefix);
    for (const auto& s : steps)
        r.step(s);
    return r.run();
}

} // namespace vb
