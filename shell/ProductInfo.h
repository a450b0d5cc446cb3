#pragma once

// What the program tells about itself and where it sends the user.
inline constexpr const char* ProductName = "Форвета";
inline constexpr const char* ProductVersion = FORV_PRODUCT_VERSION;

// The tax authority's site that publishes the classifier of tax offices.
inline constexpr const char* ClassifierSite = "www.nalog.gov.ru";
inline constexpr const char* ClassifierPage = "https://www.nalog.gov.ru/";
