#pragma once

#include <clocale>
#include <locale>
#include <string>

// For the lifetime of the object the process runs with a decimal comma: the C++ global locale
// always, and the C library's locale too when the system has one of the comma locales below.
// Restores both on destruction.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
        : previousGlobal_(std::locale::global(std::locale(std::locale::classic(), new CommaPunct)))
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        previousC_ = current ? current : "C";
        for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name))
                break;
        }
    }
    ~CommaDecimalLocale()
    {
        std::setlocale(LC_ALL, previousC_.c_str());
        std::locale::global(previousGlobal_);
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    static bool cLibraryUsesComma() { return std::localeconv()->decimal_point[0] == ','; }

private:
    struct CommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };

    std::locale previousGlobal_;
    std::string previousC_;
};
