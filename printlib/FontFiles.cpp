#include "FontFiles.h"

#include "ErrorTexts.h"
#include "SSError.h"
#include "WideText.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <map>
#include <sys/stat.h>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;

enum class Design { Sans, Serif, Mono };

Design designOf(std::u16string_view family)
{
    struct Alias {
        std::u16string_view name;
        Design design;
    };
    static constexpr std::array<Alias, 6> kAliases = {{
        {u"times new roman", Design::Serif},
        {u"times", Design::Serif},
        {u"liberation serif", Design::Serif},
        {u"courier new", Design::Mono},
        {u"courier", Design::Mono},
        {u"liberation mono", Design::Mono},
    }};
    std::u16string name(WideText::trimmed(family));
    for (char16_t& c : name)
        c = WideText::lowerAscii(c);
    for (const Alias& alias : kAliases)
        if (alias.name == name)
            return alias.design;
    return Design::Sans;
}

// One FreeType library opens every face, under its lock. The faces stay open while the process
// runs, so no face is freed under a drawing that still uses it; a face is closed only when
// opening the rest of its FontFace failed, still under the lock.
struct FontLibrary {
    std::mutex mutex;
    FT_Library freeType = nullptr;
    std::map<std::string, std::unique_ptr<FontFace>> faces;

    static FontLibrary& instance()
    {
        static FontLibrary* library = new FontLibrary;
        return *library;
    }
};

[[noreturn]] void raiseCannotOpenFont(const std::string& path, FT_Error error, int line)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        SSError::CPrgError(kSource, line, SSError::kErrFileNotFound).addDetail(std::string_view(path)).raise();
    // "Не удалось создать объект из файла '%s' (код: %d)"
    std::u16string text(ErrorTexts::load(ErrorTexts::kCannotCreateObject).value_or(u"'%s' (%d)"));
    WideText::replaceAll(text, u"%s", WideText::fromUtf8(path));
    WideText::replaceAll(text, u"%d", WideText::decimal(error));
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly).addDetail(text).raise();
}

// Opens a face of the library; the caller holds the library's lock.
FT_Face openFace(FT_Library freeType, const std::string& path)
{
    FT_Face face = nullptr;
    if (const FT_Error error = FT_New_Face(freeType, path.c_str(), 0, &face); error != 0)
        raiseCannotOpenFont(path, error, __LINE__);
    if (face->units_per_EM == 0 || !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        raiseCannotOpenFont(path, FT_Err_Invalid_File_Format, __LINE__);
    }
    return face;
}

const cairo_user_data_key_t kFreeTypeFaceKey{};

void doneFace(void* face)
{
    FT_Done_Face(static_cast<FT_Face>(face));
}

} // namespace

// Owns its FreeType face; made in place, never copied, so the face is closed once.
struct FontFace::MetricsFace {
    explicit MetricsFace(FT_Face opened) : face(opened) {}
    ~MetricsFace() { doneFace(face); }
    MetricsFace(const MetricsFace&) = delete;
    MetricsFace& operator=(const MetricsFace&) = delete;

    FT_Face face;
};

FontFace::FontFace(const std::string& path) : path_(path)
{
    FT_Library freeType = FontLibrary::instance().freeType;
    metricsFace_ = std::make_unique<MetricsFace>(openFace(freeType, path));
    FT_Face cairoOwned = openFace(freeType, path);
    cairoFace_ = cairo_ft_font_face_create_for_ft_face(cairoOwned, 0);
    const cairo_status_t status =
        cairo_font_face_set_user_data(cairoFace_, &kFreeTypeFaceKey, cairoOwned, doneFace);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace_);
        FT_Done_Face(cairoOwned);
        raiseCannotOpenFont(path, FT_Err_Out_Of_Memory, __LINE__);
    }

    const FT_Face face = metricsFace_->face;
    const double em = face->units_per_EM;
    metrics_.ascent = face->ascender / em;
    metrics_.descent = -face->descender / em;
    metrics_.lineSpacing = face->height / em;
    metrics_.underlineThickness = face->underline_thickness / em;
    // FreeType gives the underline's centre; OS/2 gives the top of the strikeout.
    metrics_.underlinePosition = -face->underline_position / em;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        metrics_.strikeoutThickness = os2->yStrikeoutSize / em;
        metrics_.strikeoutPosition = os2->yStrikeoutPosition / em - metrics_.strikeoutThickness / 2;
    } else {
        metrics_.strikeoutThickness = metrics_.underlineThickness;
        metrics_.strikeoutPosition = metrics_.ascent / 3;
    }
}

FontFace::~FontFace()
{
    cairo_font_face_destroy(cairoFace_);
}

FontGlyph FontFace::glyph(char32_t character) const
{
    std::lock_guard lock(glyphsMutex_);
    if (const auto found = glyphs_.find(character); found != glyphs_.end())
        return found->second;
    const FT_Face face = metricsFace_->face;
    FontGlyph glyph;
    glyph.index = FT_Get_Char_Index(face, character);
    FT_Fixed advance = 0;
    if (FT_Get_Advance(face, static_cast<FT_UInt>(glyph.index), FT_LOAD_NO_SCALE, &advance) == 0)
        glyph.advance = static_cast<double>(advance) / face->units_per_EM;
    glyphs_.emplace(character, glyph);
    return glyph;
}

std::string fontFilePath(std::u16string_view family, bool bold, bool italic)
{
    static constexpr std::array<std::string_view, 3> kDesigns = {"LiberationSans", "LiberationSerif",
                                                                 "LiberationMono"};
    std::string style = bold && italic ? "BoldItalic" : bold ? "Bold" : italic ? "Italic" : "Regular";
    return std::string(kFontFolder) + "/" + std::string(kDesigns[static_cast<std::size_t>(designOf(family))]) + "-" +
           style + ".ttf";
}

const FontFace& fontFaceFor(std::u16string_view family, bool bold, bool italic)
{
    FontLibrary& library = FontLibrary::instance();
    const std::string path = fontFilePath(family, bold, italic);
    std::lock_guard lock(library.mutex);
    if (const auto found = library.faces.find(path); found != library.faces.end())
        return *found->second;
    if (!library.freeType) {
        if (const FT_Error error = FT_Init_FreeType(&library.freeType); error != 0)
            raiseCannotOpenFont(path, error, __LINE__);
    }
    return *library.faces.emplace(path, std::make_unique<FontFace>(path)).first->second;
}
