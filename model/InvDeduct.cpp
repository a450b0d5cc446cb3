#include "model/InvDeduct.h"

#include "model/DocumentStorage.h"
#include "model/ListSections.h"

namespace {

constexpr std::uint16_t SaveOuterCode = 403;
constexpr std::uint16_t LoadOuterCode = 404;
constexpr std::uint16_t AccountSaveOuterCode = 405;
constexpr std::uint16_t AccountLoadOuterCode = 406;

std::string accountStreamName(std::uint16_t index) { return indexedStreamName("@InfoIIS", index); }

} // namespace

void bmTInfoIIS::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(AccountSaveOuterCode, [&] {
        storage.WriteStreamName(accountStreamName(index));
        storage.WriteString(ParticipantINN);
        storage.WriteString(ParticipantKPP);
        storage.WriteString(ParticipantName);
        storage.WriteFloat(ContractDate);
        storage.WriteString(ContractNumber);
        storage.WriteFloat(OpenDate);
        storage.WriteCurrency(PaidIn);
        storage.WriteByte(SimplifiedSign);
    });
}

void bmTInfoIIS::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(AccountLoadOuterCode, [&] {
        storage.OpenStream(accountStreamName(index));
        ParticipantINN = storage.ReadString();
        ParticipantKPP = storage.ReadString();
        ParticipantName = storage.ReadString();
        ContractDate = storage.ReadFloat();
        ContractNumber = storage.ReadString();
        OpenDate = storage.ReadFloat();
        PaidIn = storage.ReadCurrency();
        SimplifiedSign = storage.ReadByte();
    });
}

std::uint32_t bmTInfoIIS::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage, index); });
}

std::size_t mTInvDeduct::AddInfoIIS() { return IISList.add(std::make_unique<bmTInfoIIS>()); }
std::size_t mTInvDeduct::AddInfoIISCell(std::unique_ptr<bmTInfoIIS> account) { return IISList.add(std::move(account)); }
std::unique_ptr<bmTInfoIIS>& mTInvDeduct::GetInfoIIS(std::size_t index) { return IISList.get(index); }
const std::unique_ptr<bmTInfoIIS>& mTInvDeduct::GetInfoIIS(std::size_t index) const { return IISList.get(index); }
std::size_t mTInvDeduct::InfoIISCount() const { return IISList.count(); }
void mTInvDeduct::DeleteInfoIIS(std::size_t index) { IISList.remove(index); }

void mTInvDeduct::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@InvDeduct");
        storage.WriteByte(Granted);
        if (Granted == 0)
            return;
        storage.WriteCurrency(SecuritiesDeduction);
        storage.WriteCurrency(PartnershipDeduction);
        storage.WriteCurrency(IISContributionDeduction);
        storage.WriteCurrency(IISDeductionToReturn);
        storage.WriteByte(ApplyIncomeDeduction);
        // Written as an integer but read back as a word: more accounts would not load.
        storage.WriteInteger(mTDocumentStorage::checkedWordCount(IISList.count()));
        saveIndexedItems(storage, IISList);
    });
}

void mTInvDeduct::Load(mTDocumentStorage& storage)
{
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@InvDeduct");
        Granted = storage.ReadByte();
        if (Granted == 0)
            return;
        SecuritiesDeduction = storage.ReadCurrency();
        PartnershipDeduction = storage.ReadCurrency();
        IISContributionDeduction = storage.ReadCurrency();
        IISDeductionToReturn = storage.ReadCurrency();
        ApplyIncomeDeduction = storage.ReadByte();
        const std::uint16_t accountCount = storage.ReadWord();
        IISList.clear();
        loadIndexedItems(storage, IISList, accountCount);
    });
}

std::uint32_t mTInvDeduct::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
