#pragma once

#include <optional>
#include <string_view>

// The tax year that a declaration file names in its header: "Forv" and four digits
// ("Forv2021"); nullopt for any other document name.
std::optional<int> DocumentYear(std::string_view docName);
