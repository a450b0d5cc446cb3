#include "model/PersonInformation.h"

#include <initializer_list>
#include <string_view>

#include "model/DocumentStorage.h"
#include "model/DocumentYear.h"
#include "model/StorageErrors.h"

namespace {

constexpr std::uint16_t SaveOuterCode = 370;
constexpr std::uint16_t LoadOuterCode = 371;

// What a file holds grew over the tax years: the notes of the name, the document and the
// citizenship from 2004; the person flag, the address kind and the four telephones from 2005;
// the OKTMO code from 2013.
struct PersonLayout {
    bool notes = false;
    bool flagsAndPhones = false;
    bool oktmo = false;
};

PersonLayout layoutOfDocument(std::string_view docName)
{
    constexpr int firstYear = 2004;
    constexpr int currentYear = 2021;
    const std::optional<int> year = DocumentYear(docName);
    if (!year || *year < firstYear || *year > currentYear)
        return {};
    return {true, *year >= 2005, *year >= 2013};
}

void writeStrings(mTDocumentStorage& storage, std::initializer_list<const std::string*> texts)
{
    for (const std::string* text : texts)
        storage.WriteString(*text);
}

void readStrings(mTDocumentStorage& storage, std::initializer_list<std::string*> texts)
{
    for (std::string* text : texts)
        *text = storage.ReadString();
}

void savePhone(mTDocumentStorage& storage, std::string_view section, const mTPersonPhone& phone)
{
    storage.WriteStreamName(section);
    writeStrings(storage, {&phone.Code, &phone.Number});
}

void loadPhone(mTDocumentStorage& storage, std::string_view section, mTPersonPhone& phone)
{
    storage.OpenStream(section);
    readStrings(storage, {&phone.Code, &phone.Number});
}

} // namespace

void mTPersonInformation::Save(mTDocumentStorage& storage) const
{
    withOuterCode(SaveOuterCode, [&] {
        storage.WriteStreamName("@PersonName");
        writeStrings(storage, {&Name.SurName, &Name.FirstName, &Name.Patronymic, &Name.INN, &Name.NameNote,
                               &Name.NameFlag});

        storage.WriteStreamName("@PersonDocument");
        storage.WriteWord(Document.DocKind);
        writeStrings(storage, {&Document.DocKindName, &Document.DocSeriesNumber});
        storage.WriteFloat(Document.DocDate);
        storage.WriteFloat(Document.BirthDate);
        writeStrings(storage, {&Document.DocNote1, &Document.DocNote2});
        storage.WriteByte(PersonFlag);

        storage.WriteStreamName("@Foreigner");
        writeStrings(storage, {&Foreigner.ForeignerNote1, &Foreigner.CountryName, &Foreigner.ForeignerNote2,
                               &Foreigner.CountryCode});

        savePhone(storage, "@PhoneForeignerHome", ForeignerHomePhone);
        savePhone(storage, "@PhoneForeignerWork", ForeignerWorkPhone);

        storage.WriteStreamName("@PersonAddress");
        storage.WriteByte(Address.AddressKind);
        storage.WriteString(Address.AddressText);
        storage.WriteWord(Address.AddressCode);
        writeStrings(storage, {&Address.AddressPart1, &Address.AddressPart2, &Address.AddressPart3,
                               &Address.AddressPart4, &Address.AddressPart5, &Address.AddressPart6,
                               &Address.AddressPart7, &Address.AddressPart8, &Address.OKTMO});

        savePhone(storage, "@HomePhone", HomePhone);
        savePhone(storage, "@WorkPhone", WorkPhone);
    });
}

void mTPersonInformation::Load(mTDocumentStorage& storage)
{
    const PersonLayout layout = layoutOfDocument(storage.DocName());
    withOuterCode(LoadOuterCode, [&] {
        storage.OpenStream("@PersonName");
        readStrings(storage, {&Name.SurName, &Name.FirstName, &Name.Patronymic, &Name.INN});
        if (layout.notes)
            readStrings(storage, {&Name.NameNote, &Name.NameFlag});
        else
            Name.NameFlag.assign(1, '0'); // not `= "0"`: GCC 12 warns falsely (-Wrestrict) on that assignment

        storage.OpenStream("@PersonDocument");
        Document.DocKind = storage.ReadWord();
        readStrings(storage, {&Document.DocKindName, &Document.DocSeriesNumber});
        Document.DocDate = storage.ReadFloat();
        Document.BirthDate = storage.ReadFloat();
        if (layout.notes)
            readStrings(storage, {&Document.DocNote1, &Document.DocNote2});
        if (layout.flagsAndPhones)
            PersonFlag = storage.ReadByte();

        storage.OpenStream("@Foreigner");
        readStrings(storage, {&Foreigner.ForeignerNote1, &Foreigner.CountryName});
        if (layout.notes)
            readStrings(storage, {&Foreigner.ForeignerNote2, &Foreigner.CountryCode});

        if (layout.flagsAndPhones) {
            loadPhone(storage, "@PhoneForeignerHome", ForeignerHomePhone);
            loadPhone(storage, "@PhoneForeignerWork", ForeignerWorkPhone);
        }

        storage.OpenStream("@PersonAddress");
        if (layout.flagsAndPhones)
            Address.AddressKind = storage.ReadByte();
        Address.AddressText = storage.ReadString();
        Address.AddressCode = storage.ReadWord();
        readStrings(storage, {&Address.AddressPart1, &Address.AddressPart2, &Address.AddressPart3,
                              &Address.AddressPart4, &Address.AddressPart5, &Address.AddressPart6,
                              &Address.AddressPart7, &Address.AddressPart8});
        if (!layout.flagsAndPhones)
            return;
        if (layout.oktmo)
            Address.OKTMO = storage.ReadString();

        loadPhone(storage, "@HomePhone", HomePhone);
        loadPhone(storage, "@WorkPhone", WorkPhone);
    });
}

std::uint32_t mTPersonInformation::StorageSize() const
{
    return countedStorageSize([&](mTDocumentStorage& storage) { Save(storage); });
}
