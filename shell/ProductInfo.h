#pragma once

// What the program tells about itself and where it sends the user.
inline constexpr const char* ProductName = "Форвета";
inline constexpr const char* ProductVersion = FORV_PRODUCT_VERSION;
inline constexpr const char* ProductPage = "https://www.orvex.example/forveta/";
inline constexpr const char* ProductPageShown = "www.orvex.example";
inline constexpr const char* FeedbackPage = "https://www.orvex.example/feedback/";
inline constexpr const char* FeedbackPageShown = "www.orvex.example/feedback";
inline constexpr const char* OwnershipNotice = "© ORVEX, 2022. Все права защищены.";
inline constexpr const char* SupportTelephone = "Телефон службы поддержки: 8 (800) 000-00-00";

// The tax authority's site that publishes the classifier of tax offices.
inline constexpr const char* ClassifierSite = "www.nalog.gov.ru";
inline constexpr const char* ClassifierPage = "https://www.nalog.gov.ru/";
