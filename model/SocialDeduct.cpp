#include "model/SocialDeduct.h"

#include <new>

#include "model/DocumentStorage.h"
#include "model/ListSections.h"

namespace {

constexpr std::uint16_t PensSaveOuterCode = 375;
constexpr std::uint16_t PensLoadOuterCode = 376;
constexpr std::uint16_t SaveOuterCode = 383;
constexpr std::uint16_t LoadOuterCode = 384;

constexpr std::uint16_t AddNoMemoryCode = 300;
constexpr std::uint16_t GetBadIndexCode = 310;
constexpr std::uint16_t SetBadIndexCode = 320;
constexpr std::uint16_t DeleteBadIndexCode = 330;
constexpr std::uint16_t LoadFirstNoMemoryCode = 350;
constexpr std::uint16_t LoadLaterNoMemoryCode = 351;

const char* const NotAllocated = "Не выделена память.";
const char* const NoFreeMemory = "Недостаточно свободной памяти.";

std::string pensStreamName(std::uint16_t index) { return indexedStreamName("@PensSub", index); }

} // namespace

void mTPens::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(PensSaveOuterCode, [&] {
        storage.WriteStreamName(pensStreamName(index));
        storage.WriteInteger(ContractKind);
        storage.WriteString(OrgName);
        storage.WriteString(OrgINN);
        storage.WriteString(OrgKPP);
        storage.WriteString(ContractNumber);
        storage.WriteFloat(ContractDate);
        storage.WriteCurrency(Sum);
    });
}

void mTPens::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(PensLoadOuterCode, [&] {
        storage.OpenStream(pensStreamName(index));
        ContractKind = storage.ReadInteger();
        OrgName = storage.ReadString();
        OrgINN = storage.ReadString();
        OrgKPP = storage.ReadString();
        ContractNumber = storage.ReadString();
        ContractDate = storage.ReadFloat();
        Sum = storage.ReadCurrency();
    });
}

std::uint32_t mTPens::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage, index); });
}

std::int32_t mTSocialDeduct::ChildEduCount() const { return std::int32_t(ChildEduList.size()); }

std::size_t mTSocialDeduct::checkedChildEduIndex(std::int32_t index, std::uint16_t emptyListCode) const
{
    if (index >= 0 && std::size_t(index) < ChildEduList.size())
        return std::size_t(index);
    const bool emptyListStart = index == 0 && ChildEduList.empty();
    throw mEMemoryAllocate(NotAllocated, emptyListStart ? emptyListCode : emptyListCode + 1);
}

void mTSocialDeduct::appendChildEduSum(Currency sum, std::uint16_t noMemoryCode)
{
    try {
        ChildEduList.push_back(sum);
    } catch (const std::bad_alloc&) {
        throw mEMemoryAllocate(NoFreeMemory, noMemoryCode);
    }
}

std::int32_t mTSocialDeduct::AddChildEduSum(Currency sum)
{
    appendChildEduSum(sum, AddNoMemoryCode);
    return ChildEduCount() - 1;
}

Currency mTSocialDeduct::GetChildEduSum(std::int32_t index) const
{
    return ChildEduList[checkedChildEduIndex(index, GetBadIndexCode)];
}

void mTSocialDeduct::SetChildEduSum(std::int32_t index, Currency sum)
{
    ChildEduList[checkedChildEduIndex(index, SetBadIndexCode)] = sum;
}

void mTSocialDeduct::DeleteChildEduSum(std::int32_t index)
{
    ChildEduList.erase(ChildEduList.begin() + std::ptrdiff_t(checkedChildEduIndex(index, DeleteBadIndexCode)));
}

std::size_t mTSocialDeduct::AddPens() { return PensList.add(std::make_unique<mTPens>()); }
std::unique_ptr<mTPens>& mTSocialDeduct::GetPens(std::size_t index) { return PensList.get(index); }
const std::unique_ptr<mTPens>& mTSocialDeduct::GetPens(std::size_t index) const { return PensList.get(index); }
std::size_t mTSocialDeduct::PensCount() const { return PensList.count(); }
void mTSocialDeduct::DeletePens(std::size_t index) { PensList.remove(index); }

void mTSocialDeduct::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@SocialDeduct");
        storage.WriteByte(Granted);
        if (Granted == 0)
            return;
        storage.WriteCurrency(CharitySum);
        storage.WriteCurrency(CharitySum30);
        storage.WriteCurrency(SelfEducationSum);
        storage.WriteInteger(ChildEduCount());
        for (Currency sum : ChildEduList)
            storage.WriteCurrency(sum);
        storage.WriteCurrency(MedicalSum);
        storage.WriteCurrency(MedicamentSum);
        storage.WriteCurrency(ExpensiveMedicalSum);
        storage.WriteCurrency(InsuranceSum);
        storage.WriteCurrency(ExtraSum1);
        storage.WriteCurrency(ExtraSum2);
        storage.WriteCurrency(QualificationSum);

        storage.WriteStreamName("@Pens");
        storage.WriteWord(mTDocumentStorage::checkedWordCount(PensList.count()));
        saveIndexedItems(storage, PensList);
    });
}

void mTSocialDeduct::Load(mTDocumentStorage& storage)
{
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@SocialDeduct");
        Granted = storage.ReadByte();
        if (Granted == 0)
            return;
        CharitySum = storage.ReadCurrency();
        CharitySum30 = storage.ReadCurrency();
        SelfEducationSum = storage.ReadCurrency();
        const std::int32_t childEduCount = storage.ReadInteger();
        ChildEduList.clear();
        for (std::int32_t i = 0; i < childEduCount; ++i)
            appendChildEduSum(storage.ReadCurrency(), i == 0 ? LoadFirstNoMemoryCode : LoadLaterNoMemoryCode);
        MedicalSum = storage.ReadCurrency();
        MedicamentSum = storage.ReadCurrency();
        ExpensiveMedicalSum = storage.ReadCurrency();
        InsuranceSum = storage.ReadCurrency();
        ExtraSum1 = storage.ReadCurrency();
        ExtraSum2 = storage.ReadCurrency();
        QualificationSum = storage.ReadCurrency();

        storage.OpenStream("@Pens");
        const std::uint16_t pensCount = storage.ReadWord();
        PensList.clear();
        loadIndexedItems(storage, PensList, pensCount);
    });
}

std::uint32_t mTSocialDeduct::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
