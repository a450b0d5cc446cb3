#include "shell/NewDeclaration.h"

#include "model/DayDate.h"

std::unique_ptr<mTDeclaration> newDeclaration()
{
    auto declaration = std::make_unique<mTDeclaration>();
    declaration->TaxOfficeCode.clear();
    declaration->DeclarationDate = today();
    declaration->Signer = 0;
    declaration->SetIncomeKinds(IncomeKindSources);
    return declaration;
}
