#pragma once
// vb::VbError — a run-time error with VB's number and description.
//
// Operations raise it where VB raises (vb::raise(11)); the step runner and the
// operations' own handlers catch it and show the error box.

#include <QString>
#include <exception>
#include <string>

namespace vb {

// Error numbers used by the program.
namespace err {
constexpr int InvalidCall = 5;          // invalid procedure call or argument
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int FileExists = 58;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;    // path/file access error
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;        // object variable or With block variable not set
constexpr int InvalidUseOfNull = 94;
constexpr int InvalidPropertyValue = 380;
constexpr int CannotCreateObject = 429; // component can't create object
constexpr int CancelSelected = 32755;   // a common dialog's Cancel, where the caller asked for it
}

class VbError : public std::exception {
public:
    // Description from the runtime's own table (language of the current locale).
    explicit VbError(int number);
    VbError(int number, const QString& description);

    int number;
    QString description;

    const char* what() const noexcept override;

private:
    std::string m_what;
};

// Throw VbError(number) / VbError(number, description). Call it qualified,
// vb::raise(11): the C library's signal function ::raise has the same shape.
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString& description);
// Raises `number` with the runtime's description of it, then ": " and the
// file or folder it concerns.
[[noreturn]] void raiseFile(int number, const QString& path);

// The runtime's description for an error number, in the language of the current
// locale service (German for language code 3, English otherwise).
// Unknown numbers give "Anwendungs- oder objektdefinierter Fehler" /
// "Application-defined or object-defined error".
QString errorDescription(int number);

// Map any exception in flight to a VbError: a VbError stays itself,
// std::bad_alloc becomes 7, std::out_of_range 9, std::invalid_argument 5,
// std::overflow_error 6, any other std::exception 5 with its what() text
// (number 5 and the runtime's description if what() is empty).
VbError toVbError(const std::exception& e);
// For use inside catch (...): rethrows the current exception and maps it.
VbError currentVbError();

} // namespace vb
