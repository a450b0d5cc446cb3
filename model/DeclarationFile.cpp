#include "model/Declaration.h"

#include <charconv>
#include <exception>
#include <new>
#include <optional>
#include <utility>

#include "model/DocumentStorage.h"
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
constexpr std::uint16_t MissingItemCode = 402;

// The container's code for a file without the "DLSG" signature.
constexpr std::uint16_t NoSignatureCode = 68;

const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";

// The first and the last tax year whose files yield their personal data.
constexpr int FirstEarlierYear = 2004;
constexpr int LastEarlierYear = 2020;

bool isEarlierYearDocument(std::string_view docName)
{
    constexpr std::string_view prefix = "Forv";
    if (docName.size() != prefix.size() + 4 || !docName.starts_with(prefix))
        return false;
    int year = 0;
    const char* digits = docName.data() + prefix.size();
    const char* end = docName.data() + docName.size();
    const auto [stop, error] = std::from_chars(digits, end, year);
    return error == std::errc() && stop == end && year >= FirstEarlierYear && year <= LastEarlierYear;
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

template <typename Body>
decltype(auto) withBadStorageOuterCode(std::uint16_t outerCode, Body&& body)
{
    try {
        return body();
    } catch (mEBadStorage& e) {
        e.OuterCode = outerCode;
        throw;
    }
}

// A list as the file holds it: its count as a word, then each item's own sections.
template <typename T, typename SaveItem>
void writeList(mTDocumentStorage& storage, const OwnedList<T>& list, SaveItem&& saveItem)
{
    const std::uint16_t count = mTDocumentStorage::checkedWordCount(list.count());
    storage.WriteWord(count);
    for (std::uint16_t index = 0; index < count; ++index) {
        const std::unique_ptr<T>& item = list.get(index);
        if (!item)
            throw mEWriteStorage("Запись " + std::to_string(index + 1) + " списка не заполнена; файл не сохранен.",
                                 MissingItemCode);
        saveItem(*item, index);
    }
}

template <typename T, typename LoadItem>
void readList(mTDocumentStorage& storage, OwnedList<T>& list, LoadItem&& loadItem)
{
    const std::uint16_t count = storage.ReadWord();
    for (std::uint16_t index = 0; index < count; ++index)
        loadItem(list[list.add(std::make_unique<T>())], index);
}

// The older records name their two lists of a class apart by this flag.
template <typename T>
void writeOldList(mTDocumentStorage& storage, const OwnedList<T>& list, bool flag)
{
    writeList(storage, list, [&](const T& record, std::uint16_t index) { record.Save(storage, index, flag); });
}

template <typename T>
void readOldList(mTDocumentStorage& storage, OwnedList<T>& list, bool flag)
{
    readList(storage, list, [&](T& record, std::uint16_t index) { record.Load(storage, index, flag); });
}

template <typename T>
void writeItems(mTDocumentStorage& storage, const OwnedList<T>& list)
{
    writeList(storage, list, [&](const T& item, std::uint16_t index) { item.Save(storage, index); });
}

template <typename T>
void readItems(mTDocumentStorage& storage, OwnedList<T>& list)
{
    readList(storage, list, [&](T& item, std::uint16_t index) { item.Load(storage, index); });
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

void mTDeclaration::SaveToFile(const std::string& fileName) const
{
    storageFailuresOnly([&] {
        const std::uint32_t size = StorageSize();
        std::optional<mTFileLoader> loader;
        withBadStorageOuterCode(SaveOuterCode, [&] { loader.emplace(fileName, false, size); });
        {
            mTDocumentStorage storage(*loader);
            WriteToStorage(storage);
        }
        withBadStorageOuterCode(SaveOuterCode, [&] { loader->Commit(); });
    });
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
    storage.WriteString(RepresentativeOrgName);
    storage.WriteCurrency(ForeignerFixedPayments);
    Person.Save(storage);

    if (HasIncomeKind(IncomeKindSources)) {
        storage.WriteStreamName("@DeclInquiry");
        writeItems(storage, Sources);
        writeOldList(storage, OldThirteenPercent, false);
        writeOldList(storage, OldThirteenPercentNR, true);
        writeOldList(storage, OldThirtyFivePercent, false);
        writeOldList(storage, OldThirtyPercent, true);
        writeOldList(storage, OldNinePercent, false);
    }
    if (HasIncomeKind(IncomeKindForeign)) {
        storage.WriteStreamName("@DeclForeign");
        writeItems(storage, CurrencyIncomes);
    }
    if (HasIncomeKind(IncomeKindTrata)) {
        storage.WriteStreamName("@DeclWhereReturn");
        writeItems(storage, Tratas);
    }
    if (HasIncomeKind(IncomeKindBusiness)) {
        storage.WriteStreamName("@DeclBusiness");
        writeItems(storage, BusinessIncomes);
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

void mTDeclaration::LoadFromFile(const std::string& fileName)
{
    storageFailuresOnly([&] {
        std::optional<mTFileLoader> loader;
        withBadStorageOuterCode(OpenOuterCode, [&] { loader.emplace(fileName, true); });
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
            loaded.ReadFromStorage(storage);
            *this = std::move(loaded);
        } else if (isEarlierYearDocument(storage.DocName())) {
            // Values that the earlier year's file does not hold keep what they were.
            mTPersonInformation person = Person;
            storage.OpenStream("@DeclInfo");
            person.Load(storage);
            Person = std::move(person);
        } else {
            throw mEBadStorage(badFileMessage, UnknownDocumentCode);
        }
    });
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
        readItems(storage, Sources);
        readOldList(storage, OldThirteenPercent, false);
        readOldList(storage, OldThirteenPercentNR, true);
        readOldList(storage, OldThirtyFivePercent, false);
        readOldList(storage, OldThirtyPercent, true);
        readOldList(storage, OldNinePercent, false);
    }
    if (HasIncomeKind(IncomeKindForeign)) {
        storage.OpenStream("@DeclForeign");
        readItems(storage, CurrencyIncomes);
    }
    if (HasIncomeKind(IncomeKindTrata)) {
        storage.OpenStream("@DeclWhereReturn");
        readItems(storage, Tratas);
    }
    if (HasIncomeKind(IncomeKindBusiness)) {
        storage.OpenStream("@DeclBusiness");
        readItems(storage, BusinessIncomes);
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
}
