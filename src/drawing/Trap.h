#pragma once
// The engine operations' error trap: a step that fails shows the operation's
// warning box (OK and Cancel); OK goes on with the next step, Cancel leaves.
//
//   Trap trap("Text", vb::kVbFehler);
//   if (!trap([&] { ... })) return;      // false: the user chose Cancel

#include "platform/StepRunner.h"
#include "platform/VbError.h"

#include <QString>

namespace drawing {

class Trap {
public:
    enum class Form { Plain, NumberLine };
    Trap(QString title, QString prefix, Form form = Form::Plain)
        : m_title(std::move(title)), m_prefix(std::move(prefix)), m_form(form) {}

    // Run one step; true when it passed or the user answered OK.
    template <class F>
    bool operator()(F&& f)
    {
        try {
            f();
            return true;
        } catch (...) {
            return report(vb::currentVbError());
        }
    }

    // Show the box for an error; true for OK.
    bool report(const vb::VbError& e) const
    {
        vb::StepRunner r(m_title, m_prefix);
        if (m_form == Form::NumberLine)
            r.textBuilder([p = m_prefix](const vb::VbError& err) { return vb::lineErrorText(p, err); });
        return r.report(e);
    }

private:
    QString m_title;
    QString m_prefix;
    Form m_form;
};

} // namespace drawing
