#pragma once

#include <cstdint>
#include <string>

class mTDocumentStorage;

// Day counts of the dates a new declaration starts with.
inline constexpr double DefaultDocDate = 32874;   // 01.01.1990
inline constexpr double DefaultBirthDate = 28126; // 01.01.1977

struct mTPersonName {
    std::string SurName;
    std::string FirstName;
    std::string Patronymic;
    std::string INN; // 12 digits, empty when the taxpayer has none
    std::string NameNote;
    std::string NameFlag = "0";

    friend bool operator==(const mTPersonName&, const mTPersonName&) = default;
};

struct mTPersonDoc {
    std::uint16_t DocKind = 0; // identity-document kind, written to the exchange file as two digits
    std::string DocKindName;
    std::string DocSeriesNumber;
    double DocDate = DefaultDocDate;
    double BirthDate = DefaultBirthDate;
    std::string DocNote1;
    std::string DocNote2;

    friend bool operator==(const mTPersonDoc&, const mTPersonDoc&) = default;
};

struct mTForeigner {
    std::string ForeignerNote1;
    std::string CountryName = "РОССИЯ";
    std::string ForeignerNote2;
    std::string CountryCode = "643"; // OKSM code of the citizenship

    friend bool operator==(const mTForeigner&, const mTForeigner&) = default;
};

// Only OKTMO is interpreted by the program; the other values are carried from file to file.
struct mTPersonAddress {
    std::uint8_t AddressKind = 0;
    std::string AddressText;
    std::uint16_t AddressCode = 0;
    std::string AddressPart1;
    std::string AddressPart2;
    std::string AddressPart3;
    std::string AddressPart4;
    std::string AddressPart5;
    std::string AddressPart6;
    std::string AddressPart7;
    std::string AddressPart8;
    std::string OKTMO; // of the place of residence

    friend bool operator==(const mTPersonAddress&, const mTPersonAddress&) = default;
};

struct mTPersonPhone {
    std::string Code;
    std::string Number;

    friend bool operator==(const mTPersonPhone&, const mTPersonPhone&) = default;
};

// The taxpayer's personal data. It is the one part of a declaration that can be taken over
// from a file of an earlier tax year: Load reads whatever the file's year holds, and every
// value that year lacks keeps what the object held before.
class mTPersonInformation {
public:
    mTPersonName Name;
    mTPersonDoc Document;
    mTForeigner Foreigner;
    mTPersonAddress Address;
    mTPersonPhone HomePhone; // the declarant page edits only its Number, the contact telephone
    mTPersonPhone WorkPhone;
    mTPersonPhone ForeignerHomePhone;
    mTPersonPhone ForeignerWorkPhone;
    std::uint8_t PersonFlag = 0;

    // Sections "@PersonName", "@PersonDocument", "@Foreigner", "@PhoneForeignerHome",
    // "@PhoneForeignerWork", "@PersonAddress", "@HomePhone", "@WorkPhone".
    void Save(mTDocumentStorage& storage) const;
    // Reads the layout of the year named by the storage's document name ("Forv2004" to
    // "Forv2021"); any other name is read as a file older than 2004.
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;

    friend bool operator==(const mTPersonInformation&, const mTPersonInformation&) = default;
};
