#include "ElementTransform.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Point {
    float x;
    float y;
};

Point apply(const TransformMatrix& m, Point p)
{
    return {p.x * m.m11 + p.y * m.m21 + m.dx, p.x * m.m12 + p.y * m.m22 + m.dy};
}

void expectMatrix(const TransformMatrix& actual, const TransformMatrix& expected)
{
    EXPECT_NEAR(actual.m11, expected.m11, 1e-5);
    EXPECT_NEAR(actual.m12, expected.m12, 1e-5);
    EXPECT_NEAR(actual.m21, expected.m21, 1e-5);
    EXPECT_NEAR(actual.m22, expected.m22, 1e-5);
    EXPECT_NEAR(actual.dx, expected.dx, 1e-4);
    EXPECT_NEAR(actual.dy, expected.dy, 1e-4);
}

TEST(ElementTransformTest, Operations)
{
    struct Case {
        const char16_t* text;
        TransformMatrix expected;
    };
    const Case cases[] = {
        {u"", {}},
        {u"SCALE:2", {2, 0, 0, 2, 0, 0}},
        {u"scale:1.5,3.5", {1.5f, 0, 0, 3.5f, 0, 0}},
        {u"scale", {}},
        {u"translate:5", {1, 0, 0, 1, 5, 5}},
        {u"translate:12.5,30.0", {1, 0, 0, 1, 12.5f, 30}},
        {u"Translate", {}},
        {u"reflectx", {1, 0, 0, -1, 0, 0}},
        {u"reflecty", {-1, 0, 0, 1, 0, 0}},
        {u"turn:90", {0, 1, -1, 0, 0, 0}},
        {u"turn:-90", {0, -1, 1, 0, 0, 0}},
        {u"matrix:1,2,3,4,5,6", {1, 2, 3, 4, 5, 6}},
        {u"matrix:1,2,3", {}},
        {u"skew:3;scale:3", {3, 0, 0, 3, 0, 0}},
        {u" scale : 2 , 4 ;", {2, 0, 0, 4, 0, 0}},
        {u"translate:10,20;scale:2,3;", {2, 0, 0, 3, 10, 20}},
        {u"turn:nan", {}},
        {u"scale:inf,2", {}},
        {u"translate:1,-infinity", {1, 0, 0, 1, 1, 1}},
        {u"matrix:1,2,3,4,5,nan", {}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(utf8(testCase.text));
        expectMatrix(ApplyTransform(testCase.text).matrix, testCase.expected);
    }
}

TEST(ElementTransformTest, TheLastOperationActsFirst)
{
    // Translation first, then the turn: (0, 0) goes to (10, 0) and turns to (0, 10).
    const TransformMatrix turned = ApplyTransform(u"turn:90;translate:10,0").matrix;
    const Point origin = apply(turned, {0, 0});
    EXPECT_NEAR(origin.x, 0, 1e-4);
    EXPECT_NEAR(origin.y, 10, 1e-4);

    // Scaling first, then the translation.
    const Point scaled = apply(ApplyTransform(u"translate:1,2;scale:3").matrix, {1, 1});
    EXPECT_NEAR(scaled.x, 4, 1e-5);
    EXPECT_NEAR(scaled.y, 5, 1e-5);
}

TEST(ElementTransformTest, TextIsKeptWithoutBlanks)
{
    EXPECT_EQ(ApplyTransform(u" turn : 90 ; translate : 0 , 12.5 ").text, u"turn:90;translate:0,12.5");
}

TEST(ElementTransformTest, KeywordsMatchAtTheStartIgnoringCase)
{
    EXPECT_EQ(MatchTransformKeyword(u"TURN:90", u"turn"), 4u);
    EXPECT_EQ(MatchTransformKeyword(u"turn", u"turn"), 4u);
    EXPECT_EQ(MatchTransformKeyword(u"tur", u"turn"), 0u);
    EXPECT_EQ(MatchTransformKeyword(u"return:1", u"turn"), 0u);
}

} // namespace
