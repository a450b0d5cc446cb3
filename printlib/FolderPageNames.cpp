#include "FolderPageNames.h"

#include <charconv>

std::string folderPageName(int counter)
{
    char digits[16];
    std::string number(digits, std::to_chars(digits, digits + sizeof digits, counter).ptr);
    if (number.size() < 6)
        number.insert(0, 6 - number.size(), '0');
    return number + ".tif";
}

int folderPageNumber(std::string_view name)
{
    const std::size_t dot = name.find('.');
    const char* digitsEnd = name.data() + (dot == std::string_view::npos ? name.size() : dot);
    int number = 0;
    const auto [end, failure] = std::from_chars(name.data(), digitsEnd, number);
    return failure == std::errc() && end == digitsEnd && number > 0 && folderPageName(number) == name ? number : 0;
}
