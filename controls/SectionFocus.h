#pragma once

#include <cstdint>

// Pages that hold frames or pages of their own. The whole-declaration check opens the inner
// frame of a failed rule through these, where a plain page would get FocusError.

// The page of income in the Russian Federation, with one frame per tax rate.
class RateFramesPage {
public:
    // Frame 0: the 13 % lines, 1: the 15 % lines, 73: the 13 % lines with the edit dialog of
    // the source numbered `element` opened. `element` is the 1-based source.
    virtual void ShowRateFrame(int frame, std::uint16_t element) = 0;

protected:
    ~RateFramesPage() = default;
};

// The deductions page, with one inner page per kind of deduction.
class DeductPagesHost {
public:
    // Page 0: standard, 1: social, 2: property, 5: investment deductions; `element` is focused
    // on the page shown.
    virtual void ShowDeductPage(int page, std::uint16_t element) = 0;

protected:
    ~DeductPagesHost() = default;
};
