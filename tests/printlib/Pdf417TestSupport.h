#pragma once

#include <cctype>
#include <string>

// A table case's name as a test name: letters and digits kept, everything else "_".
template <typename Info>
std::string caseName(const Info& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}
