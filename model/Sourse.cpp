#include "model/Sourse.h"

#include <stdexcept>
#include <utility>

#include "model/DocumentStorage.h"
#include "model/ListSections.h"
#include "model/StorageErrors.h"

namespace {

constexpr std::uint16_t SourceOuterCode = 372;

template <typename T>
std::size_t addOwned(OwnedList<T>& list, std::unique_ptr<T> item)
{
    if (!item)
        throw std::invalid_argument("Добавляемая запись источника выплат не создана");
    return list.add(std::move(item));
}

template <typename T>
void deleteOrReplace(OwnedList<T>& list, std::size_t index, const T* replacement)
{
    if (replacement)
        list[index] = *replacement;
    else
        list.remove(index);
}

Currency sumOfAmounts(const OwnedList<mTIncome>& lines)
{
    Currency total;
    for (const auto& line : lines)
        total += line->Amount;
    return total;
}

} // namespace

void mTIncome::WriteValues(mTDocumentStorage& storage) const
{
    storage.WriteInteger(IncomeCode);
    storage.WriteCurrency(Amount);
    storage.WriteInteger(DeductionCode);
    storage.WriteCurrency(Deduction);
    storage.WriteInteger(DeductionPercent);
    storage.WriteInteger(LineReserved);
    storage.WriteWord(Month);
    storage.WriteByte(PropertyFlag);
    storage.WriteString(CadastralNumber);
    storage.WriteCurrency(CadastralValue);
    storage.WriteCurrency(ContractPrice);
    storage.WriteCurrency(WithheldTax);
}

void mTIncome::ReadValues(mTDocumentStorage& storage)
{
    IncomeCode = storage.ReadInteger();
    Amount = storage.ReadCurrency();
    DeductionCode = storage.ReadInteger();
    Deduction = storage.ReadCurrency();
    DeductionPercent = storage.ReadInteger();
    LineReserved = storage.ReadInteger();
    Month = storage.ReadWord();
    PropertyFlag = storage.ReadByte();
    CadastralNumber = storage.ReadString();
    CadastralValue = storage.ReadCurrency();
    ContractPrice = storage.ReadCurrency();
    WithheldTax = storage.ReadCurrency();
}

Currency mbTSourse::Total13() const { return sumOfAmounts(Incomes13); }
Currency mbTSourse::Total15() const { return sumOfAmounts(Incomes15); }
Currency mbTSourse::Total99() const { return sumOfAmounts(Incomes99); }

std::size_t mbTSourse::AddIncome13(std::unique_ptr<mTIncome> line) { return addOwned(Incomes13, std::move(line)); }
std::size_t mbTSourse::AddIncome15(std::unique_ptr<mTIncome> line) { return addOwned(Incomes15, std::move(line)); }
std::size_t mbTSourse::AddIncome99(std::unique_ptr<mTIncome> line) { return addOwned(Incomes99, std::move(line)); }

std::size_t mbTSourse::AddSSCDeduct(std::unique_ptr<mbTSSCDeduct> deduct)
{
    return addOwned(SSCDeducts, std::move(deduct));
}

void mbTSourse::DeleteIncome13(std::size_t index, const mTIncome* replacement)
{
    deleteOrReplace(Incomes13, index, replacement);
}

void mbTSourse::DeleteIncome15(std::size_t index, const mTIncome* replacement)
{
    deleteOrReplace(Incomes15, index, replacement);
}

void mbTSourse::DeleteIncome99(std::size_t index, const mTIncome* replacement)
{
    deleteOrReplace(Incomes99, index, replacement);
}

void mbTSourse::DeleteSSCDeduct(std::size_t index, const mbTSSCDeduct* replacement)
{
    deleteOrReplace(SSCDeducts, index, replacement);
}

void mbTSourse::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(SourceOuterCode, [&] {
        storage.WriteStreamName(indexedStreamName("@Source", index));
        storage.WriteByte(StandardDeductionsHere);
        storage.WriteString(Inn);
        storage.WriteString(Kpp);
        storage.WriteString(Oktmo);
        storage.WriteString(Name);
        storage.WriteCurrency(SourceReserved);
        storage.WriteByte(IsInvestmentPartnership);
        storage.WriteCurrency(WithheldTax13);
        storage.WriteCurrency(WithheldTax15);
        storage.WriteCurrency(WithheldTax99);
        storage.WriteCurrency(OrgProfitTax13);
        storage.WriteCurrency(OrgProfitTax15);
        saveCountedSections(storage, Incomes13, "@Income13", index);
        saveCountedSections(storage, Incomes15, "@Income15", index);
        saveCountedSections(storage, Incomes99, "@Income99", index);
        saveCountedSections(storage, SSCDeducts, "@SSCDeducts", index);
    });
}

void mbTSourse::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(SourceOuterCode, [&] {
        storage.OpenStream(indexedStreamName("@Source", index));
        StandardDeductionsHere = storage.ReadByte();
        Inn = storage.ReadString();
        Kpp = storage.ReadString();
        Oktmo = storage.ReadString();
        Name = storage.ReadString();
        SourceReserved = storage.ReadCurrency();
        IsInvestmentPartnership = storage.ReadByte();
        WithheldTax13 = storage.ReadCurrency();
        WithheldTax15 = storage.ReadCurrency();
        WithheldTax99 = storage.ReadCurrency();
        OrgProfitTax13 = storage.ReadCurrency();
        OrgProfitTax15 = storage.ReadCurrency();
        loadCountedSections(storage, Incomes13, "@Income13", index);
        loadCountedSections(storage, Incomes15, "@Income15", index);
        loadCountedSections(storage, Incomes99, "@Income99", index);
        loadCountedSections(storage, SSCDeducts, "@SSCDeducts", index);
    });
}

std::uint32_t mbTSourse::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage, index); });
}
