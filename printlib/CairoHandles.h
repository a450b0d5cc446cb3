#pragma once

// Owners of Cairo objects, and the library's error for a Cairo failure.

#include <cairo.h>

#include <memory>
#include <string_view>

struct CairoContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoPatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
struct CairoFontOptionsDeleter {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

using CairoContext = std::unique_ptr<cairo_t, CairoContextDeleter>;
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;
using CairoFontOptions = std::unique_ptr<cairo_font_options_t, CairoFontOptionsDeleter>;

// Saves the graphics state and restores it when the scope ends, also when drawing failed.
class CairoStateGuard {
public:
    explicit CairoStateGuard(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~CairoStateGuard() { cairo_restore(cr_); }
    CairoStateGuard(const CairoStateGuard&) = delete;
    CairoStateGuard& operator=(const CairoStateGuard&) = delete;

private:
    cairo_t* cr_;
};

// The drawing library's failure: error 0xC0080004 with "<what>: <status> (код: <n>)." as detail.
[[noreturn]] void raiseCairoError(cairo_status_t status, int line, std::u16string_view what = {});

// Raises raiseCairoError when the surface (or the context) is in an error state.
void checkCairo(cairo_surface_t* surface, int line, std::u16string_view what = {});
void checkCairo(cairo_t* cr, int line, std::u16string_view what = {});
