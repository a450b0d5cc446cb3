#pragma once

// The renderer's fonts, opened from the Liberation font files, which have the metrics of the
// families the draw commands name: "Times New Roman" is drawn with Liberation Serif, "Courier
// New" with Liberation Mono, any other family with Liberation Sans (the metrics of "Arial", and
// the generic sans-serif face). The files are opened by path, so the system's font configuration
// never chooses a face. A face, once opened, is kept for the life of the process.

#include <cairo.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

inline constexpr std::string_view kFontFolder = "/usr/share/fonts/truetype/liberation2";

// Vertical metrics in ems. Positions are distances from the baseline.
struct FontMetrics {
    double ascent = 0;             // above the baseline
    double descent = 0;            // below the baseline
    double lineSpacing = 0;        // from one baseline to the next
    double underlinePosition = 0;  // of the underline's centre, below the baseline
    double underlineThickness = 0;
    double strikeoutPosition = 0;  // of the strikeout's centre, above the baseline
    double strikeoutThickness = 0;
};

struct FontGlyph {
    unsigned long index = 0; // 0: the face has no glyph for the character
    double advance = 0;      // ems, unhinted
};

class FontFace {
public:
    // Opens the file twice: one FreeType face answers metrics here, the other belongs to Cairo,
    // which may use its face from inside any drawing call.
    explicit FontFace(const std::string& path);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& path() const { return path_; }
    cairo_font_face_t* cairoFace() const { return cairoFace_; }
    const FontMetrics& metrics() const { return metrics_; }
    FontGlyph glyph(char32_t character) const;

private:
    struct MetricsFace;

    std::string path_;
    std::unique_ptr<MetricsFace> metricsFace_;
    cairo_font_face_t* cairoFace_ = nullptr;
    FontMetrics metrics_;
    mutable std::mutex glyphsMutex_;
    mutable std::unordered_map<char32_t, FontGlyph> glyphs_;
};

// The file that stands in for a family (any case) in the given style.
std::string fontFilePath(std::u16string_view family, bool bold, bool italic);

// The face for a family in the given style; a file that cannot be opened is an error naming it.
const FontFace& fontFaceFor(std::u16string_view family, bool bold, bool italic);
