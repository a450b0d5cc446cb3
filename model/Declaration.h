#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/BusinessNew.h"
#include "model/CBDeduct.h"
#include "model/ConstructionDeduct.h"
#include "model/Currency.h"
#include "model/CurrencyIncome.h"
#include "model/FileIdentity.h"
#include "model/InvDeduct.h"
#include "model/OwnedList.h"
#include "model/PersonInformation.h"
#include "model/SocialDeduct.h"
#include "model/Sourse.h"
#include "model/SourseIncomeInfo.h"
#include "model/StandartDeduct.h"
#include "model/Trata.h"

class mTDocumentStorage;

// Bits of mTDeclaration::IncomeKinds.
enum IncomeKind : std::uint8_t {
    IncomeKindSources = 1,   // income documented by tax agents' statements and contracts
    IncomeKindForeign = 2,   // income in foreign currency
    IncomeKindBusiness = 4,  // income from entrepreneurial activity
    IncomeKindTrata = 8,     // an offset/refund application is made within the declaration
};

// DeclarationType values.
enum DeclarationKind : std::uint8_t {
    DeclarationOrdinary = 0,
    DeclarationNonResident = 1,
    DeclarationClosingBusiness = 3,
};

struct IdentityDocumentKind {
    std::string_view code;
    std::string_view name;
};
// The identity-document kinds that the personal-data page offers, in the order shown.
extern const std::array<IdentityDocumentKind, 16> IdentityDocumentKinds;

// The one declaration the program edits: its general data, the business section's figures,
// and the objects and lists that hold everything else. The records of an income kind exist
// only while the kind is on: its lists are emptied when the kind is switched off, and adding
// a record switches the kind on. The kinds change only through SetIncomeKinds.
class mTDeclaration {
public:
    // The document name in the header of this year's declaration files.
    static constexpr std::string_view DocumentName = "Forv2021";

    mTDeclaration();

    std::string TaxOfficeCode;
    std::string TaxOfficeName;
    std::uint8_t OptionFlag = 0;
    std::int32_t CorrectionNumber = 0;
    double DeclarationDate;            // today for a new declaration
    std::uint8_t Signer = 0;           // 0 the taxpayer, 1 a representative
    std::uint8_t TaxpayerCategory = 5; // 0 entrepreneur, 1 farm head, 2 notary, 3 lawyer, 5 other, 6 arbitration manager
    std::uint8_t DeclarationType = DeclarationOrdinary;
    std::uint8_t IncomeKinds() const { return incomeKinds_; }
    std::uint8_t OptionFlag2 = 0;
    // Entry 1 is the 1-based number of the foreign income that is a controlled company's
    // profit (0: none); entry 3 is reset when income kind 1 is switched off.
    std::array<std::int32_t, 10> Indicators{};
    Currency ActualAdvancePayments;
    Currency BusinessSumA;
    Currency BusinessSumB;
    std::string RepresentativeDocument;
    double FarmStartDate;              // 1 January of the year the peasant household was formed
    std::uint8_t IsPeasantFarm = 0;
    std::string RepresentativeName;
    Currency ForeignerFixedPayments;
    Currency CorrectedBase;
    Currency CorrectedTax;
    Currency PatentPayments;
    Currency TradeLevy;
    std::uint8_t OKTMOChanged = 0;
    std::string OKTMO1;
    std::string OKTMO2;
    std::string OKTMO3;
    std::string BusinessText;
    // The total refund of section 1, stored by the computation; not saved.
    Currency SectionOneSum;

    OwnedList<mbTSourse> Sources;
    // Records of an older file layout: filled only by loading, saved back as they were loaded.
    OwnedList<mTThirteenPercent> OldThirteenPercent;
    OwnedList<mTThirteenPercent> OldThirteenPercentNR;
    OwnedList<mTThirtyFivePercent> OldThirtyFivePercent;
    OwnedList<mTThirtyPercent> OldThirtyPercent;
    OwnedList<mTThirtyPercent> OldNinePercent;
    OwnedList<mTCurrencyIncome> CurrencyIncomes;
    OwnedList<mTBusinessNew> BusinessIncomes;
    OwnedList<mTTrata> Tratas;

    mTPersonInformation Person;
    mTStandartDeduct StandardDeduct;
    mTSocialDeduct SocialDeduct;
    mTConstructionDeduct ConstructionDeduct;
    mTCBDeduct CBDeduct;
    mTInvDeduct InvDeduct;

    // Switches income kinds on and off in the order 1, 2, 8, 4; a kind switched off loses its
    // records at once. Bits other than 1, 2, 4 and 8 are ignored.
    void SetIncomeKinds(std::uint8_t kinds);
    bool HasIncomeKind(IncomeKind kind) const { return (incomeKinds_ & kind) != 0; }
    // Deductions are claimed against some income (kinds 1, 2 or 4), and never by a non-resident.
    bool HasDeductionsSection() const
    {
        constexpr std::uint8_t incomes = IncomeKindSources | IncomeKindForeign | IncomeKindBusiness;
        return (incomeKinds_ & incomes) != 0 && DeclarationType != DeclarationNonResident;
    }

    void SetKIKItemNumber(std::int32_t number) { Indicators[1] = number; }
    std::int32_t KIKItemNumber() const { return Indicators[1]; }

    // Add operations create an item and return its index; adding to a list of a kind that is
    // off first switches that kind on (SetIncomeKinds), so the item is saved with the kind.
    // Indexes are 0-based; an index outside its list raises std::out_of_range.
    std::size_t AddSource();
    std::unique_ptr<mbTSourse>& GetSource(std::size_t index) { return Sources.get(index); }
    std::size_t SourceCount() const { return Sources.count(); }
    void DeleteSource(std::size_t index) { Sources.remove(index); }

    std::size_t AddThirteenPercent();
    std::unique_ptr<mTThirteenPercent>& GetThirteenPercent(std::size_t index) { return OldThirteenPercent.get(index); }
    std::size_t ThirteenPercentCount() const { return OldThirteenPercent.count(); }
    std::size_t AddThirteenPercentNR();
    std::size_t AddThirtyFivePercent();
    std::size_t AddThirtyPercent();
    std::size_t AddNinePercent();

    std::size_t AddCurrencyIncome();
    std::unique_ptr<mTCurrencyIncome>& GetCurrencyIncome(std::size_t index) { return CurrencyIncomes.get(index); }
    std::size_t CurrencyIncomeCount() const { return CurrencyIncomes.count(); }
    void DeleteCurrencyIncome(std::size_t index) { CurrencyIncomes.remove(index); }

    std::size_t AddBusiness();
    std::unique_ptr<mTBusinessNew>& GetBusiness(std::size_t index) { return BusinessIncomes.get(index); }
    std::size_t BusinessCount() const { return BusinessIncomes.count(); }
    void DeleteBusiness(std::size_t index) { BusinessIncomes.remove(index); }

    std::size_t AddTrata();
    std::unique_ptr<mTTrata>& GetTrata(std::size_t index) { return Tratas.get(index); }
    std::size_t TrataCount() const { return Tratas.count(); }
    void DeleteTrata(std::size_t index) { Tratas.remove(index); }

    // The declaration file. Only the mEPrivBase family escapes these two.
    //
    // SaveToFile replaces the file atomically: a failure leaves any previous file as it was.
    // Given `unchangedSince` (what LoadFromFile or an earlier save gave for this file), it
    // replaces only that very file: one changed meanwhile by another program is left as it is,
    // with the code mTFileLoader::FileChanged.
    struct SavedFile {
        FileIdentity identity;
        // What the user is to know about the saved file, in Russian (its access rights could
        // not all be carried over); empty mostly.
        std::string note;
    };
    SavedFile SaveToFile(const std::string& fileName, const FileIdentity* unchangedSince = nullptr) const;
    // A file of this year replaces the whole declaration; a file of the tax years 2004 to 2020
    // replaces the personal data only. On failure this declaration is left unchanged. Gives the
    // file as it was read.
    FileIdentity LoadFromFile(const std::string& fileName);
    // The exact size of the file SaveToFile writes now.
    std::uint32_t StorageSize() const;
    // Writes the whole container, header included, into a storage not yet started.
    void WriteToStorage(mTDocumentStorage& storage) const;

private:
    void SetInquiryIndicator(std::int32_t value) { Indicators[3] = value; }
    void ReadFromStorage(mTDocumentStorage& storage);

    std::uint8_t incomeKinds_ = 0;
};
