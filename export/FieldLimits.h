#pragma once

// The most characters the exchange format takes in the fields the user types; the pages that
// edit them take no more, so that what is typed can be written.
namespace FieldLimits {

inline constexpr int NamePart = 60;            // Фамилия, Имя, Отчество
// The representative's name is typed whole and cut into the three parts, with a blank between.
inline constexpr int RepresentativeName = 3 * NamePart + 2;
inline constexpr int AuthorityDocument = 120;  // НаимДок of СвПред
inline constexpr int Phone = 20;               // Тлф
inline constexpr int DocumentSeries = 25;      // СерНомДок
inline constexpr int TaxOfficeCode = 4;        // СОНО codes
inline constexpr int Oktmo = 11;               // 8 or 11 digits
inline constexpr int CorrectionNumber = 3;     // НомКорр
inline constexpr int Inn = 12;                 // a natural person's ИНН
inline constexpr int BankName = 255;           // НаимБанк allows 1000; the page keeps 255
inline constexpr int Bik = 9;
inline constexpr int AccountNumber = 20;       // НомСч
inline constexpr int Kbk = 20;

} // namespace FieldLimits
