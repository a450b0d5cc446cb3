#include "model/ConstructionDeduct.h"

#include "model/DocumentStorage.h"
#include "model/ListSections.h"

namespace {

constexpr std::uint16_t SaveOuterCode = 385;
constexpr std::uint16_t LoadOuterCode = 386;
constexpr std::uint16_t ObjectSaveOuterCode = 397;
constexpr std::uint16_t ObjectLoadOuterCode = 398;

std::string objectStreamName(std::uint16_t index) { return indexedStreamName("@ConstructionDeductObj", index); }

} // namespace

void mTConstructionDeductObj::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(ObjectSaveOuterCode, [&] {
        storage.WriteStreamName(objectStreamName(index));
        storage.WriteInteger(ObjectCode);
        storage.WriteInteger(AcquisitionMethod);
        storage.WriteInteger(OwnerSign);
        storage.WriteFloat(DwellingRegDate);
        storage.WriteFloat(ActDate);
        storage.WriteFloat(LandRegDate);
        storage.WriteInteger(ShareNumerator);
        storage.WriteInteger(ShareDenominator);
        storage.WriteByte(ByInvestment);
        storage.WriteByte(Pensioner);
        storage.WriteCurrency(Cost);
        storage.WriteCurrency(InterestPaid);
        storage.WriteInteger(ObjectNumberKind);
        storage.WriteString(ObjectNumber);
        storage.WriteString(ObjectLocation);
    });
}

void mTConstructionDeductObj::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(ObjectLoadOuterCode, [&] {
        storage.OpenStream(objectStreamName(index));
        ObjectCode = storage.ReadInteger();
        AcquisitionMethod = storage.ReadInteger();
        OwnerSign = storage.ReadInteger();
        DwellingRegDate = storage.ReadFloat();
        ActDate = storage.ReadFloat();
        LandRegDate = storage.ReadFloat();
        ShareNumerator = storage.ReadInteger();
        ShareDenominator = storage.ReadInteger();
        ByInvestment = storage.ReadByte();
        Pensioner = storage.ReadByte();
        Cost = storage.ReadCurrency();
        InterestPaid = storage.ReadCurrency();
        ObjectNumberKind = storage.ReadInteger();
        ObjectNumber = storage.ReadString();
        ObjectLocation = storage.ReadString();
    });
}

std::uint32_t mTConstructionDeductObj::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage, index); });
}

std::size_t mTConstructionDeduct::AddObject(std::unique_ptr<mTConstructionDeductObj> object)
{
    return ObjectList.add(std::move(object));
}

std::unique_ptr<mTConstructionDeductObj>& mTConstructionDeduct::GetObject(std::size_t index)
{
    return ObjectList.get(index);
}

const std::unique_ptr<mTConstructionDeductObj>& mTConstructionDeduct::GetObject(std::size_t index) const
{
    return ObjectList.get(index);
}

std::size_t mTConstructionDeduct::ObjectCount() const { return ObjectList.count(); }
void mTConstructionDeduct::DeleteObject(std::size_t index) { ObjectList.remove(index); }

void mTConstructionDeduct::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@ConstructionDeduct");
        storage.WriteByte(Granted);
        if (Granted == 0)
            return;
        storage.WriteCurrency(ExtraSum1);
        storage.WriteCurrency(ExtraSum2);
        storage.WriteCurrency(PrevYearsDeduction);
        storage.WriteCurrency(PrevYearsInterestDeduction);
        storage.WriteCurrency(SimplifiedDeduction);
        storage.WriteCurrency(SimplifiedInterestDeduction);
        // Written as an integer but read back as a word: more objects would not load.
        storage.WriteInteger(mTDocumentStorage::checkedWordCount(ObjectList.count()));
        saveIndexedItems(storage, ObjectList);
    });
}

void mTConstructionDeduct::Load(mTDocumentStorage& storage)
{
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@ConstructionDeduct");
        Granted = storage.ReadByte();
        if (Granted == 0)
            return;
        ExtraSum1 = storage.ReadCurrency();
        ExtraSum2 = storage.ReadCurrency();
        PrevYearsDeduction = storage.ReadCurrency();
        PrevYearsInterestDeduction = storage.ReadCurrency();
        SimplifiedDeduction = storage.ReadCurrency();
        SimplifiedInterestDeduction = storage.ReadCurrency();
        const std::uint16_t objectCount = storage.ReadWord();
        ObjectList.clear();
        loadIndexedItems(storage, ObjectList, objectCount);
    });
}

std::uint32_t mTConstructionDeduct::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
