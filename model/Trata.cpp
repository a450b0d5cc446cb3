#include "model/Trata.h"

#include "model/DocumentStorage.h"

namespace {

constexpr std::uint16_t SaveCode = 393;
constexpr std::uint16_t LoadCode = 394;

constexpr std::string_view StreamPrefix = "@Return";

} // namespace

void mTTrata::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(SaveCode, [&] {
        storage.WriteStreamName(indexedStreamName(StreamPrefix, index));
        storage.WriteString(ApplicationNumber);
        storage.WriteByte(IsRefund);
        storage.WriteByte(AllIn);
        storage.WriteCurrency(RefundSum);
        storage.WriteString(BankName);
        storage.WriteString(BankBik);
        storage.WriteInteger(AccountKind);
        storage.WriteString(AccountNumber);
        storage.WriteCurrency(OffsetSum);
        storage.WriteString(TaxOfficeCode);
        storage.WriteString(Kbk);
        storage.WriteInteger(OffsetPurpose);
        storage.WriteString(Oktmo);
        storage.WriteString(Note);
    });
}

void mTTrata::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(LoadCode, [&] {
        storage.OpenStream(indexedStreamName(StreamPrefix, index));
        ApplicationNumber = storage.ReadString();
        IsRefund = storage.ReadByte();
        AllIn = storage.ReadByte();
        RefundSum = storage.ReadCurrency();
        BankName = storage.ReadString();
        BankBik = storage.ReadString();
        AccountKind = storage.ReadInteger();
        AccountNumber = storage.ReadString();
        OffsetSum = storage.ReadCurrency();
        TaxOfficeCode = storage.ReadString();
        Kbk = storage.ReadString();
        OffsetPurpose = storage.ReadInteger();
        Oktmo = storage.ReadString();
        Note = storage.ReadString();
    });
}

std::uint32_t mTTrata::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& counter) { Save(counter, index); });
}
