#include "platform/VbError.h"

#include "platform/Services.h"

#include <new>
#include <stdexcept>

namespace vb {

namespace {

struct Description {
    int number;
    const char* english;
    const char* german;
};

const Description kDescriptions[] = {
    {3, "Return without GoSub", "Return ohne GoSub"},
    {5, "Invalid procedure call or argument", "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
    {6, "Overflow", "Überlauf"},
    {7, "Out of memory", "Nicht genügend Speicher"},
    {9, "Subscript out of range", "Index außerhalb des gültigen Bereichs"},
    {11, "Division by zero", "Division durch Null"},
    {13, "Type mismatch", "Typen unverträglich"},
    {52, "Bad file name or number", "Dateiname oder -nummer falsch"},
    {53, "File not found", "Datei nicht gefunden"},
    {55, "File already open", "Datei bereits geöffnet"},
    {58, "File already exists", "Datei existiert bereits"},
    {61, "Disk full", "Datenträger voll"},
    {62, "Input past end of file", "Einlesen hinter Dateiende"},
    {70, "Permission denied", "Zugriff verweigert"},
    {75, "Path/File access error", "Fehler beim Zugriff auf Pfad/Datei"},
    {76, "Path not found", "Pfad nicht gefunden"},
    {91, "Object variable or With block variable not set",
     "Objektvariable oder With-Blockvariable nicht festgelegt"},
    {94, "Invalid use of Null", "Unzulässige Verwendung von Null"},
    {380, "Invalid property value", "Unzulässiger Eigenschaftswert"},
    {424, "Object required", "Objekt erforderlich"},
    {429, "ActiveX component can't create object", "Objekterstellung durch ActiveX-Komponente nicht möglich"},
    {438, "Object doesn't support this property or method",
     "Objekt unterstützt diese Eigenschaft oder Methode nicht"},
    {32755, "Cancel was selected.", "Abbrechen wurde gewählt."},
};

} // namespace

QString errorDescription(int number)
{
    const bool german = locale().languageCode() == 3;
    for (const auto& d : kDescriptions) {
        if (d.number == number)
            return QString::fromUtf8(german ? d.german : d.english);
    }
    return german ? QStringLiteral("Anwendungs- oder objektdefinierter Fehler")
                  : QStringLiteral("Application-defined or object-defined error");
}

VbError::VbError(int n) : VbError(n, errorDescription(n)) {}

VbError::VbError(int n, const QString& d)
    : number(n), description(d), m_what((QString::number(n) + QStringLiteral(": ") + d).toStdString())
{
}

const char* VbError::what() const noexcept { return m_what.c_str(); }

void raise(int number) { throw VbError(number); }

void raise(int number, const QString& description) { throw VbError(number, description); }

void raiseFile(int number, const QString& path)
{
    throw VbError(number, errorDescription(number) + QStringLiteral(": ") + path);
}

VbError toVbError(const std::exception& e)
{
    if (auto v = dynamic_cast<const VbError*>(&e))
        return *v;
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return VbError(err::OutOfMemory);
    if (dynamic_cast<const std::out_of_range*>(&e))
        return VbError(err::SubscriptOutOfRange);
    if (dynamic_cast<const std::overflow_error*>(&e))
        return VbError(err::Overflow);
    if (dynamic_cast<const std::invalid_argument*>(&e))
        return VbError(err::InvalidCall);
    const QString what = QString::fromUtf8(e.what());
    if (what.isEmpty())
        return VbError(err::InvalidCall);
    return VbError(err::InvalidCall, what);
}

VbError currentVbError()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return toVbError(e);
    } catch (...) {
        return VbError(err::InvalidCall);
    }
}

} // namespace vb
