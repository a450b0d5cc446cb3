#include "Pdf417Fit.h"

#include "Pdf417Compaction.h"
#include "Pdf417ErrorCorrection.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

int defaultErrorLevel(int dataCodewords)
{
    if (dataCodewords <= 40)
        return 2;
    if (dataCodewords <= 160)
        return 3;
    if (dataCodewords <= 320)
        return 4;
    return 5;
}

// The largest symbols: 16 × 58 for narrow requests, 29 × 32 for wide ones.
void maxSquare(Pdf417Fit& fit)
{
    if (fit.columns < 22) {
        fit.columns = 16;
        fit.rows = 58;
    } else {
        fit.columns = 29;
        fit.rows = 32;
    }
}

// Columns that make the symbol's height (rows of `rowHeight` modules) about `aspectRatio` times
// its width: the positive root c of 17·aspect·c² + (73·aspect − 4)·c − total·rowHeight = 0, rounded.
int columnsForAspect(double aspectRatio, double rowHeight, int total)
{
    const double aspect = std::clamp(aspectRatio, 0.001, 1000.0);
    const double b = 73 * aspect - 4;
    const double columns = (std::sqrt(b * b + 68 * aspect * total * rowHeight) - b) / (34 * aspect) + 0.5;
    if (!(columns >= 1)) // also refuses NaN
        return 1;
    return columns >= Pdf417MaxColumns ? Pdf417MaxColumns : static_cast<int>(columns);
}

} // namespace

int MaxErrorLevel(int room)
{
    for (int level = Pdf417MaxErrorLevel; level >= 1; --level)
        if (room >= Pdf417ErrorCodewordCount(level))
            return level;
    return 0;
}

std::optional<Pdf417Fit> FitSymbol(const Pdf417Params& params)
{
    if (params.data.size() > Pdf417MaxDataBytes)
        return std::nullopt;
    std::optional<std::vector<int>> codewords = AssembleCodewords(params.data);
    if (!codewords)
        return std::nullopt;
    const int count = static_cast<int>(codewords->size());

    int level = params.optionBits & Pdf417GivenErrorLevel ? params.errorLevel : defaultErrorLevel(count);
    level = std::min(std::max(level, 0), MaxErrorLevel(Pdf417MaxCells - count));
    const int total = count + Pdf417ErrorCodewordCount(level);

    Pdf417Fit fit;
    fit.columns = std::clamp(params.columns, 1, Pdf417MaxColumns);
    fit.rows = std::clamp(params.rows, Pdf417MinRows, Pdf417MaxRows);

    bool shapeKnown = false;
    if (params.optionBits & Pdf417FixedRectangle) {
        if (fit.columns * fit.rows > Pdf417MaxCells)
            maxSquare(fit);
        shapeKnown = fit.columns * fit.rows >= total;
    }
    if (!shapeKnown) {
        if (!(params.optionBits & (Pdf417FixedRectangle | Pdf417FixedColumns | Pdf417FixedRows)))
            fit.columns = columnsForAspect(params.aspectRatio, params.rowHeight, total);
        if (params.optionBits & Pdf417FixedRows) {
            fit.columns = (total - 1) / fit.rows + 1;
            if (fit.columns > Pdf417MaxColumns) {
                fit.columns = Pdf417MaxColumns;
                fit.rows = (total - 1) / Pdf417MaxColumns + 1;
            }
        } else {
            fit.rows = std::max((total - 1) / fit.columns + 1, Pdf417MinRows);
            if (fit.rows > Pdf417MaxRows) {
                fit.rows = Pdf417MaxRows;
                fit.columns = (total - 1) / Pdf417MaxRows + 1;
            }
        }
    }
    if (fit.columns * fit.rows > Pdf417MaxCells)
        maxSquare(fit);

    // Room the shape leaves over goes to error correction.
    const int cells = fit.columns * fit.rows;
    fit.errorLevel = MaxErrorLevel(cells - count);
    const int dataCount = cells - Pdf417ErrorCodewordCount(fit.errorLevel);
    codewords->resize(static_cast<std::size_t>(dataCount), Pdf417TextLatch); // 900 pads
    (*codewords)[0] = dataCount;
    fit.dataCodewords = std::move(*codewords);
    return fit;
}
