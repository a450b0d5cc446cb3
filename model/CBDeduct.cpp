#include "model/CBDeduct.h"

#include "model/DocumentStorage.h"

namespace {

constexpr std::uint16_t SaveOuterCode = 395;
constexpr std::uint16_t LoadOuterCode = 396;

} // namespace

void mTCBDeduct::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@CBDeduct");
        storage.WriteByte(Granted);
        if (Granted == 0)
            return;
        storage.WriteCurrency(LossSecurities);
        storage.WriteCurrency(LossDerivatives);
        storage.WriteCurrency(LossPartnership);
        storage.WriteCurrency(LossSecuritiesIIS);
        storage.WriteCurrency(LossDerivativesIIS);
        storage.WriteCurrency(LossPartnershipIIS);
    });
}

void mTCBDeduct::Load(mTDocumentStorage& storage)
{
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@CBDeduct");
        Granted = storage.ReadByte();
        if (Granted == 0)
            return;
        LossSecurities = storage.ReadCurrency();
        LossDerivatives = storage.ReadCurrency();
        LossPartnership = storage.ReadCurrency();
        LossSecuritiesIIS = storage.ReadCurrency();
        LossDerivativesIIS = storage.ReadCurrency();
        LossPartnershipIIS = storage.ReadCurrency();
    });
}

std::uint32_t mTCBDeduct::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
