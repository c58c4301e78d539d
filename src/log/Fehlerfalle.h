#pragma once
// The error trap of a drawing operation: each statement group runs under it;
// a run-time error shows the operation's box ("VB-Fehler: " number, line
// break, description; OK and Cancel). OK goes on with the next group, Cancel
// leaves the operation: every later group is skipped.
//
//   Fehlerfalle falle("clsPROFIL, PROFIL");
//   if (!falle([&] { ... })) return;
//   falle.lesen([&] { return DAT.DTVS(...); });   // a failed read leaves
#include "platform/StepRunner.h"
#include "platform/VbError.h"

#include <exception>
#include <utility>

class Fehlerfalle
{
public:
    explicit Fehlerfalle(const QString& titel, const QString& praefix = vb::kVbFehler)
        : m_runner(titel, praefix)
    {
    }

    // Runs f unless the operation was left; false once it has been left.
    template <class F>
    bool operator()(F&& f)
    {
        if (m_verlassen)
            return false;
        try {
            std::forward<F>(f)();
        } catch (const vb::VbError& e) {
            melden(e);
        } catch (const std::exception& e) {
            melden(vb::toVbError(e));
        }
        return !m_verlassen;
    }

    // Runs a read or write that reports its own failure (the accessor has
    // shown its box): false from f leaves the operation without another box.
    // Returns false once the operation has been left, by Cancel or so.
    template <class F>
    bool lesen(F&& f)
    {
        return (*this)([&] {
            if (!std::forward<F>(f)())
                m_verlassen = true;
        });
    }

    bool verlassen() const { return m_verlassen; }

private:
    void melden(const vb::VbError& e)
    {
        if (!m_runner.report(e))
            m_verlassen = true;
    }

    vb::StepRunner m_runner;
    bool m_verlassen = false;
};
