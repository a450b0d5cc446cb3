#pragma once

// The names of the page files a build writes into a folder: "%06d.tif".

#include <string>
#include <string_view>

std::string folderPageName(int counter);
// The page's number when `name` is one this output gives ("000007.tif", "1234567.tif"), else 0:
// a "7.tif" or "0000007.tif" is the caller's own.
int folderPageNumber(std::string_view name);
