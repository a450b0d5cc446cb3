#include "CairoHandles.h"

#include "SSError.h"
#include "WideText.h"

#include <string>

void raiseCairoError(cairo_status_t status, int line, std::u16string_view what)
{
    std::u16string detail(what);
    if (!detail.empty())
        detail += u": ";
    detail += WideText::fromUtf8(cairo_status_to_string(status));
    detail += u" (код: " + WideText::decimal(status) + u").";
    SSError::CPrgError(SSError::kRendererSourceOffset + SSError::kSourceTifOperation, line, SSError::kErrGdiPlus)
        .addDetail(detail)
        .raise();
}

void checkCairo(cairo_surface_t* surface, int line, std::u16string_view what)
{
    if (const cairo_status_t status = cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS)
        raiseCairoError(status, line, what);
}

void checkCairo(cairo_t* cr, int line, std::u16string_view what)
{
    if (const cairo_status_t status = cairo_status(cr); status != CAIRO_STATUS_SUCCESS)
        raiseCairoError(status, line, what);
}
