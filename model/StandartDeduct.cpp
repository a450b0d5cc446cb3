#include "model/StandartDeduct.h"

#include <stdexcept>
#include <string>

#include "model/DocumentStorage.h"

namespace {

constexpr std::uint16_t SaveOuterCode = 381;
constexpr std::uint16_t LoadOuterCode = 382;

std::size_t checkedMonthIndex(std::uint8_t monthIndex)
{
    if (monthIndex > 11)
        throw std::out_of_range("Номер месяца " + std::to_string(monthIndex) + " вне диапазона 0-11");
    return monthIndex;
}

std::size_t indexOfMonth(std::uint8_t month)
{
    if (month < 1 || month > 12)
        throw std::out_of_range("Месяц " + std::to_string(month) + " вне диапазона 1-12");
    return month - 1u;
}

void saveRow(mTDocumentStorage& storage, const mTChildrenRow& row)
{
    storage.WriteByte(row.ConstCount);
    if (row.ConstCount != 0) {
        storage.WriteInteger(row.YearCount);
        return;
    }
    for (std::int32_t count : row.MonthCount)
        storage.WriteInteger(count);
}

void loadRow(mTDocumentStorage& storage, mTChildrenRow& row)
{
    row.ConstCount = storage.ReadByte();
    if (row.ConstCount != 0) {
        row.YearCount = storage.ReadInteger();
        return;
    }
    for (std::int32_t& count : row.MonthCount)
        count = storage.ReadInteger();
}

void setConst(mTChildrenRow& row, std::int32_t count)
{
    row.ConstCount = 1;
    row.YearCount = count;
}

void setMonth(mTChildrenRow& row, std::uint8_t monthIndex, std::int32_t count)
{
    row.MonthCount[checkedMonthIndex(monthIndex)] = count;
    row.ConstCount = 0;
}

} // namespace

void mTStandartDeduct::SetChildCountConst(std::int32_t count) { setConst(Children, count); }
void mTStandartDeduct::SetDisabledChildCountConst(std::int32_t count) { setConst(DisabledChildren, count); }
void mTStandartDeduct::SetThirdChildCountConst(std::int32_t count) { setConst(ThirdChildren, count); }

void mTStandartDeduct::SetChildCount(std::uint8_t monthIndex, std::int32_t count)
{
    setMonth(Children, monthIndex, count);
}

void mTStandartDeduct::SetDisabledChildCount(std::uint8_t monthIndex, std::int32_t count)
{
    setMonth(DisabledChildren, monthIndex, count);
}

void mTStandartDeduct::SetThirdChildCount(std::uint8_t monthIndex, std::int32_t count)
{
    setMonth(ThirdChildren, monthIndex, count);
}

std::int32_t mTStandartDeduct::GetChildCount(std::uint8_t monthIndex) const
{
    return Children.MonthCount[checkedMonthIndex(monthIndex)];
}

std::int32_t mTStandartDeduct::GetDisabledChildCount(std::uint8_t monthIndex) const
{
    return DisabledChildren.MonthCount[checkedMonthIndex(monthIndex)];
}

std::int32_t mTStandartDeduct::GetThirdChildCount(std::uint8_t monthIndex) const
{
    return ThirdChildren.MonthCount[checkedMonthIndex(monthIndex)];
}

std::uint8_t mTStandartDeduct::GetBusinessMonth(std::uint8_t monthIndex) const
{
    return BusinessMonth[checkedMonthIndex(monthIndex)];
}

void mTStandartDeduct::SetBusinessMonth(std::uint8_t monthIndex, std::uint8_t tick)
{
    BusinessMonth[checkedMonthIndex(monthIndex)] = tick;
}

Currency mTStandartDeduct::GetMonthIncome(std::uint8_t month) const { return MonthIncome[indexOfMonth(month)]; }
void mTStandartDeduct::SetMonthIncome(std::uint8_t month, Currency amount) { MonthIncome[indexOfMonth(month)] = amount; }
Currency mTStandartDeduct::GetMonthExpense(std::uint8_t month) const { return MonthExpense[indexOfMonth(month)]; }
void mTStandartDeduct::SetMonthExpense(std::uint8_t month, Currency amount) { MonthExpense[indexOfMonth(month)] = amount; }

std::int32_t mTStandartDeduct::GetMonthPersonalCode(std::uint8_t month) const
{
    return MonthPersonalCode[indexOfMonth(month)];
}

void mTStandartDeduct::SetMonthPersonalCode(std::uint8_t month, std::int32_t code)
{
    MonthPersonalCode[indexOfMonth(month)] = code;
}

std::int32_t mTStandartDeduct::GetMonthSingleParent(std::uint8_t month) const
{
    return MonthParentStatus[indexOfMonth(month)];
}

void mTStandartDeduct::SetMonthSingleParent(std::uint8_t month, std::int32_t status)
{
    MonthParentStatus[indexOfMonth(month)] = status;
}

void mTStandartDeduct::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@StandartDeduct");
        storage.WriteByte(Granted);
        if (Granted == 0)
            return;
        storage.WriteInteger(PersonalCode);
        storage.WriteInteger(ParentStatus);
        saveRow(storage, Children);
        saveRow(storage, DisabledChildren);
        storage.WriteByte(HasBusinessMonths);
        if (HasBusinessMonths != 0) {
            for (Currency income : MonthIncome)
                storage.WriteCurrency(income);
            for (Currency expense : MonthExpense)
                storage.WriteCurrency(expense);
            for (std::uint8_t tick : BusinessMonth)
                storage.WriteByte(tick);
        }
        storage.WriteByte(HasMonthPersonalCodes);
        if (HasMonthPersonalCodes != 0)
            for (std::int32_t code : MonthPersonalCode)
                storage.WriteInteger(code);
        storage.WriteByte(HasMonthParentStatus);
        if (HasMonthParentStatus != 0)
            for (std::int32_t status : MonthParentStatus)
                storage.WriteInteger(status);
        // The file keeps the third-children row behind the monthly blocks, apart from the other two.
        saveRow(storage, ThirdChildren);
        storage.WriteByte(Guardian);
    });
}

void mTStandartDeduct::Load(mTDocumentStorage& storage)
{
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@StandartDeduct");
        Granted = storage.ReadByte();
        if (Granted == 0)
            return;
        PersonalCode = storage.ReadInteger();
        ParentStatus = storage.ReadInteger();
        loadRow(storage, Children);
        loadRow(storage, DisabledChildren);
        HasBusinessMonths = storage.ReadByte();
        if (HasBusinessMonths != 0) {
            for (Currency& income : MonthIncome)
                income = storage.ReadCurrency();
            for (Currency& expense : MonthExpense)
                expense = storage.ReadCurrency();
            for (std::uint8_t& tick : BusinessMonth)
                tick = storage.ReadByte();
        }
        HasMonthPersonalCodes = storage.ReadByte();
        if (HasMonthPersonalCodes != 0)
            for (std::int32_t& code : MonthPersonalCode)
                code = storage.ReadInteger();
        HasMonthParentStatus = storage.ReadByte();
        if (HasMonthParentStatus != 0)
            for (std::int32_t& status : MonthParentStatus)
                status = storage.ReadInteger();
        loadRow(storage, ThirdChildren);
        Guardian = storage.ReadByte();
    });
}

std::uint32_t mTStandartDeduct::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
