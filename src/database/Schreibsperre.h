#pragma once
// The accessor's guard against a second write on the same accessor while its
// rows are being changed (used inside the database library only).

#include "platform/VbError.h"

#include <QString>

namespace db::detail {

// Marks an accessor's rows as being changed for one scope.
struct Schreibsperre {
    bool& flag;
    explicit Schreibsperre(bool& f) : flag(f) { flag = true; }
    ~Schreibsperre() { flag = false; }
    Schreibsperre(const Schreibsperre&) = delete;
    Schreibsperre& operator=(const Schreibsperre&) = delete;
};

// The error of a write that starts while the accessor is still writing.
[[noreturn]] inline void wiederEintritt()
{
    vb::raise(vb::err::InvalidCall,
              QStringLiteral("Die Tabelle wird gerade von derselben Zugriffsklasse geschrieben."));
}

} // namespace db::detail
