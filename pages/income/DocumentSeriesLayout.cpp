#include "pages/income/DocumentSeriesLayout.h"

TDocumentMaskEnum documentSeriesLayout(std::uint16_t docKind)
{
    switch (docKind) {
    case 1:
    case 3: // birth certificates: Roman numeral, letters, number
        return edtR_BB;
    case 2:
    case 9:
    case 22: // passports for travel abroad
        return edt99;
    case 4:
    case 6:
        return edtBB;
    case 7:
    case 24:
    case 26:
    case 27: // military cards and identity cards
        return edtBB0;
    case 21: // the citizen's passport
        return edt99_;
    default:
        return edtNone1;
    }
}
