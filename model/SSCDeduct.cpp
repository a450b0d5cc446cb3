#include "model/SSCDeduct.h"

#include "model/DocumentStorage.h"

void mbTSSCDeduct::WriteValues(mTDocumentStorage& storage) const
{
    storage.WriteInteger(Code);
    storage.WriteCurrency(Sum);
}

void mbTSSCDeduct::ReadValues(mTDocumentStorage& storage)
{
    Code = storage.ReadInteger();
    Sum = storage.ReadCurrency();
}
