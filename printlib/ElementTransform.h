#pragma once

// The transform text of a draw element, e.g. "turn:90;translate:0,12.5": operations separated by
// ";", each a keyword (any case) and its numbers one character after it. Every operation is
// prepended to the matrix, so the last one acts first on the element's coordinates.
//
//   turn:angle           rotation by degrees, clockwise on the page
//   scale:sx[,sy]        one number scales both axes; none means 1
//   reflectx / reflecty  scaling by (1, -1) / (-1, 1)
//   translate:dx[,dy]    one number moves both axes; none means 0
//   matrix:m11,m12,m21,m22,dx,dy   multiplied in when all six are given
//
// Anything else is ignored.

#include <string>
#include <string_view>

// Row-vector affine matrix: (x, y) becomes (x m11 + y m21 + dx, x m12 + y m22 + dy).
struct TransformMatrix {
    float m11 = 1;
    float m12 = 0;
    float m21 = 0;
    float m22 = 1;
    float dx = 0;
    float dy = 0;

    bool operator==(const TransformMatrix&) const = default;
};

// `first` acting before `then`.
TransformMatrix multiply(const TransformMatrix& first, const TransformMatrix& then);

struct ElementTransform {
    std::u16string text; // without blanks
    TransformMatrix matrix;
};

ElementTransform ApplyTransform(std::u16string_view text);

// The length of `keyword` when `operation` begins with it, ignoring case; 0 otherwise.
std::size_t MatchTransformKeyword(std::u16string_view operation, std::u16string_view keyword);
