#include "model/DocumentYear.h"

#include <charconv>

std::optional<int> DocumentYear(std::string_view docName)
{
    constexpr std::string_view prefix = "Forv";
    constexpr std::size_t yearDigits = 4;
    if (docName.size() != prefix.size() + yearDigits || !docName.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = docName.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int year = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), year);
    return year;
}
