#pragma once
// RAII: the C library's number locale set to German, as the running program
// has it (Qt takes the user's locale into the C library at start-up). Code
// that reads or writes numbers with C or C++ library calls sees a decimal
// comma under it. available() is false where the locale is not installed.
#include <clocale>
#include <string>

class GermanCLocale {
public:
    GermanCLocale() : m_previous(std::setlocale(LC_NUMERIC, nullptr))
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_NUMERIC, name)) {
                m_available = true;
                break;
            }
    }
    ~GermanCLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    GermanCLocale(const GermanCLocale&) = delete;
    GermanCLocale& operator=(const GermanCLocale&) = delete;

    bool available() const { return m_available; }

private:
    std::string m_previous;
    bool m_available = false;
};
