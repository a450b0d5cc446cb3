#include "model/Declaration.h"

#include <exception>
#include <new>
#include <optional>
#include <utility>

#include "model/DocumentStorage.h"
#include "model/DocumentYear.h"
#include "model/ListSections.h"
#include "model/StorageErrors.h"

namespace {

// OuterCodes of failures that pass through the declaration file.
constexpr std::uint16_t SaveOuterCode = 389;       // the file cannot be written
constexpr std::uint16_t OpenOuterCode = 390;       // the file cannot be read
constexpr std::uint16_t SignatureOuterCode = 391;  // not a container

// Codes raised here.
constexpr std::uint16_t UnknownDocumentCode = 399;
constexpr std::uint16_t OutOfMemoryCode = 400;
constexpr std::uint16_t UnexpectedFailureCode = 401;
constexpr std::uint16_t UnreadTailCode = 407;
// The container's code for a file cut short.
constexpr std::uint16_t CutShortCode = 212;

// The container's code for a file without the "DLSG" signature.
constexpr std::uint16_t NoSignatureCode = 68;

const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";

// The first and the last tax year whose files yield their personal data.
constexpr int FirstEarlierYear = 2004;
constexpr int LastEarlierYear = 2020;

bool isEarlierYearDocument(std::string_view docName)
{
    const std::optional<int> year = DocumentYear(docName);
    return year && *year >= FirstEarlierYear && *year <= LastEarlierYear;
}

// Runs a save or a load so that only the storage family escapes it.
template <typename Body>
void storageFailuresOnly(Body&& body)
{
    try {
        body();
    } catch (const mEPrivBase&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw mEMemoryAllocate("Недостаточно свободной памяти.", OutOfMemoryCode);
    } catch (const std::exception& e) {
        throw mEBadStorage(e.what(), UnexpectedFailureCode);
    }
}

// Reads with `body`; a stream missing where the file has come to its end means the file was cut
// short, not written without the stream.
template <typename Body>
void readWhole(mTDocumentStorage& storage, Body&& body)
{
    try {
        body();
    } catch (const mEOpenStream& e) {
        if (!storage.AtEnd())
            throw;
        mEBadStorage cutShort(badFileMessage, CutShortCode);
        cutShort.OuterCode = e.OuterCode;
        throw cutShort;
    }
}

// A list as the file holds it: its count as a word, then each item's own sections. The older
// records name their two lists of a class apart by a further flag.
template <typename T, typename... Flag>
void writeList(mTDocumentStorage& storage, const OwnedList<T>& list, const Flag&... flag)
{
    storage.WriteWord(mTDocumentStorage::checkedWordCount(list.count()));
    saveIndexedItems(storage, list, flag...);
}

template <typename T, typename... Flag>
void readList(mTDocumentStorage& storage, OwnedList<T>& list, const Flag&... flag)
{
    loadIndexedItems(storage, list, storage.ReadWord(), flag...);
}

// Earlier versions had a Signer 2 (an organisation as representative), which is now a
// representative (1), and a DeclarationType 2, which is now an ordinary declaration.
std::uint8_t loadedSigner(std::uint16_t stored)
{
    return stored == 2 ? std::uint8_t{1} : static_cast<std::uint8_t>(stored);
}
std::uint8_t loadedDeclarationType(std::uint16_t stored)
{
    return stored == 2 ? std::uint8_t{DeclarationOrdinary} : static_cast<std::uint8_t>(stored);
}

} // namespace

std::uint32_t mTDeclaration::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& counter) { WriteToStorage(counter); });
}

mTDeclaration::SavedFile mTDeclaration::SaveToFile(const std::string& fileName,
                                                   const FileIdentity* unchangedSince) const
{
    SavedFile saved;
    storageFailuresOnly([&] {
        const std::uint32_t size = StorageSize();
        std::optional<mTFileLoader> loader;
        withOuterCode<mEBadStorage>(SaveOuterCode,
                                    [&] { loader.emplace(fileName, false, size, unchangedSince); });
        {
            mTDocumentStorage storage(*loader);
            WriteToStorage(storage);
        }
        // The old file goes only for one that loads: what the disk gives back is loaded whole.
        const auto loadsBack = [](std::string_view written) {
            mTDocumentStorage storage = mTDocumentStorage::containerForReading(written);
            storage.Open();
            mTDeclaration reread;
            reread.ReadFromStorage(storage);
        };
        withOuterCode<mEBadStorage>(SaveOuterCode, [&] { loader->Commit(loadsBack); });
        saved = SavedFile{loader->Identity(), loader->Note()};
    });
    return saved;
}

void mTDeclaration::WriteToStorage(mTDocumentStorage& storage) const
{
    storage.CreateHeader(std::string(DocumentName));

    storage.WriteStreamName("@DeclInfo");
    storage.WriteString(TaxOfficeCode);
    storage.WriteString(TaxOfficeName);
    storage.WriteByte(OptionFlag);
    storage.WriteInteger(CorrectionNumber);
    storage.WriteFloat(DeclarationDate);
    storage.WriteWord(Signer);
    storage.WriteWord(TaxpayerCategory);
    storage.WriteWord(DeclarationType);
    storage.WriteWord(incomeKinds_);
    storage.WriteByte(OptionFlag2);
    for (const std::int32_t indicator : Indicators)
        storage.WriteInteger(indicator);
    storage.WriteString(RepresentativeDocument);
    storage.WriteCurrency(BusinessSumA);
    storage.WriteString(RepresentativeName);
    storage.WriteString({}); // the representative organisation's name of earlier versions
    storage.WriteCurrency(ForeignerFixedPayments);
    Person.Save(storage);

    if (HasIncomeKind(IncomeKindSources)) {
        storage.WriteStreamName("@DeclInquiry");
        writeList(storage, Sources);
        writeList(storage, OldThirteenPercent, false);
        writeList(storage, OldThirteenPercentNR, true);
        writeList(storage, OldThirtyFivePercent, false);
        writeList(storage, OldThirtyPercent, true);
        writeList(storage, OldNinePercent, false);
    }
    if (HasIncomeKind(IncomeKindForeign)) {
        storage.WriteStreamName("@DeclForeign");
        writeList(storage, CurrencyIncomes);
    }
    if (HasIncomeKind(IncomeKindTrata)) {
        storage.WriteStreamName("@DeclWhereReturn");
        writeList(storage, Tratas);
    }
    if (HasIncomeKind(IncomeKindBusiness)) {
        storage.WriteStreamName("@DeclBusiness");
        writeList(storage, BusinessIncomes);
        storage.WriteCurrency(ActualAdvancePayments);
        storage.WriteCurrency(BusinessSumA);
        storage.WriteCurrency(BusinessSumB);
        storage.WriteString(RepresentativeDocument);
        storage.WriteByte(IsPeasantFarm);
        storage.WriteFloat(FarmStartDate);
        storage.WriteCurrency(CorrectedBase);
        storage.WriteCurrency(CorrectedTax);
        storage.WriteCurrency(TradeLevy);
        storage.WriteCurrency(PatentPayments);
        storage.WriteByte(OKTMOChanged);
        storage.WriteString(OKTMO1);
        storage.WriteString(OKTMO2);
        storage.WriteString(OKTMO3);
        storage.WriteString(BusinessText);
    }
    if (incomeKinds_ != 0) {
        StandardDeduct.Save(storage);
        SocialDeduct.Save(storage);
        ConstructionDeduct.Save(storage);
        CBDeduct.Save(storage);
        InvDeduct.Save(storage);
    }
}

FileIdentity mTDeclaration::LoadFromFile(const std::string& fileName)
{
    FileIdentity identity;
    storageFailuresOnly([&] {
        std::optional<mTFileLoader> loader;
        withOuterCode<mEBadStorage>(OpenOuterCode, [&] { loader.emplace(fileName, true); });
        identity = loader->Identity();
        mTDocumentStorage storage(*loader);
        try {
            storage.Open();
        } catch (mEBadStorage& e) {
            if (e.Code == NoSignatureCode)
                e.OuterCode = SignatureOuterCode;
            throw;
        }

        // Everything is read into fresh objects that replace the current ones only once the
        // whole file has been read.
        if (storage.DocName() == DocumentName) {
            mTDeclaration loaded;
            readWhole(storage, [&] { loaded.ReadFromStorage(storage); });
            *this = std::move(loaded);
        } else if (isEarlierYearDocument(storage.DocName())) {
            // Values that the earlier year's file does not hold keep what they were.
            mTPersonInformation person = Person;
            readWhole(storage, [&] {
                storage.OpenStream("@DeclInfo");
                person.Load(storage);
            });
            Person = std::move(person);
        } else {
            throw mEBadStorage(badFileMessage, UnknownDocumentCode);
        }
    });
    return identity;
}

void mTDeclaration::ReadFromStorage(mTDocumentStorage& storage)
{
    storage.OpenStream("@DeclInfo");
    TaxOfficeCode = storage.ReadString();
    TaxOfficeName = storage.ReadString();
    OptionFlag = storage.ReadByte();
    CorrectionNumber = storage.ReadInteger();
    DeclarationDate = storage.ReadFloat();
    Signer = loadedSigner(storage.ReadWord());
    TaxpayerCategory = static_cast<std::uint8_t>(storage.ReadWord());
    DeclarationType = loadedDeclarationType(storage.ReadWord());
    SetIncomeKinds(static_cast<std::uint8_t>(storage.ReadWord()));
    OptionFlag2 = storage.ReadByte();
    for (std::int32_t& indicator : Indicators)
        indicator = storage.ReadInteger();
    RepresentativeDocument = storage.ReadString();
    storage.ReadCurrency(); // BusinessSumA is taken from the business section only
    RepresentativeName = storage.ReadString();
    storage.ReadString();   // RepresentativeOrgName of earlier versions is dropped
    ForeignerFixedPayments = storage.ReadCurrency();
    Person.Load(storage);

    if (HasIncomeKind(IncomeKindSources)) {
        storage.OpenStream("@DeclInquiry");
        readList(storage, Sources);
        readList(storage, OldThirteenPercent, false);
        readList(storage, OldThirteenPercentNR, true);
        readList(storage, OldThirtyFivePercent, false);
        readList(storage, OldThirtyPercent, true);
        readList(storage, OldNinePercent, false);
    }
    if (HasIncomeKind(IncomeKindForeign)) {
        storage.OpenStream("@DeclForeign");
        readList(storage, CurrencyIncomes);
    }
    if (HasIncomeKind(IncomeKindTrata)) {
        storage.OpenStream("@DeclWhereReturn");
        readList(storage, Tratas);
    }
    if (HasIncomeKind(IncomeKindBusiness)) {
        storage.OpenStream("@DeclBusiness");
        readList(storage, BusinessIncomes);
        ActualAdvancePayments = storage.ReadCurrency();
        BusinessSumA = storage.ReadCurrency();
        BusinessSumB = storage.ReadCurrency();
        RepresentativeDocument = storage.ReadString();
        IsPeasantFarm = storage.ReadByte();
        FarmStartDate = storage.ReadFloat();
        CorrectedBase = storage.ReadCurrency();
        CorrectedTax = storage.ReadCurrency();
        TradeLevy = storage.ReadCurrency();
        PatentPayments = storage.ReadCurrency();
        OKTMOChanged = storage.ReadByte();
        OKTMO1 = storage.ReadString();
        OKTMO2 = storage.ReadString();
        OKTMO3 = storage.ReadString();
        BusinessText = storage.ReadString();
    }
    if (incomeKinds_ != 0) {
        StandardDeduct.Load(storage);
        SocialDeduct.Load(storage);
        ConstructionDeduct.Load(storage);
        CBDeduct.Load(storage);
        InvDeduct.Load(storage);
    }
    // Nothing follows the last value of a whole declaration: more bytes mean a damaged file.
    if (!storage.AtEnd())
        throw mEBadStorage(badFileMessage, UnreadTailCode);
}
