#include "skinui/Label.h"
#include "skinui/markup/ImageSpec.h"
#include "skinui/markup/ValueSyntax.h"

#include <gtest/gtest.h>

namespace {

using namespace SkinUI;
using namespace SkinUI::Markup;

TEST(ValueSyntax, Colours)
{
    const struct {
        const wchar_t* text;
        Color expected;
    } cases[] = {
        {L"#FF303F56", 0xFF303F56},
        {L"0xFFFFFFFF", 0xFFFFFFFF},
        {L"#00000000", 0},
        {L"#ff00a3ff", 0xFF00A3FF},
        {L"##FF777777", 0},  // unreadable digits: 0, "not set" for state colours
        {L"#GG112233", 0},
        {L"", 0},
        {L"red", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseColor(c.text), c.expected) << "colour " << c.text;
    }
}

TEST(ValueSyntax, RectsSizesBooleansAndIntegers)
{
    EXPECT_EQ(ParseRect(L"9,0,9,3"), (Rect{9, 0, 9, 3}));
    EXPECT_EQ(ParseRect(L"26"), (Rect{26, 0, 0, 0}));
    EXPECT_EQ(ParseRect(L"-1,2"), (Rect{-1, 2, 0, 0}));
    EXPECT_EQ(ParseSize(L"600,400"), (Size{600, 400}));
    EXPECT_EQ(ParseLong(L"  42px"), 42);
    EXPECT_EQ(ParseLong(L"abc"), 0);
    const struct {
        const wchar_t* text;
        bool expected;
    } bools[] = {{L"true", true}, {L"false", false}, {L"True", false}, {L"1", false}, {L"", false}};
    for (const auto& b : bools) {
        EXPECT_EQ(ParseBool(b.text), b.expected) << "bool " << b.text;
    }
}

TEST(ValueSyntax, Alignment)
{
    const unsigned def = TextAlign::Left | TextAlign::VCenter;
    const struct {
        const wchar_t* align;
        const wchar_t* valign;
        unsigned expected;
    } cases[] = {
        {L"center", L"", TextAlign::Center | TextAlign::VCenter},
        {L"right", L"top", TextAlign::Right | TextAlign::Top},
        {L"left", L"bottom", TextAlign::Left | TextAlign::Bottom},
        {L"", L"vcenter", def},
        {L"", L"center", def},  // matches none of the words: the vertical default stays
        {L"", L"top", TextAlign::Left | TextAlign::Top},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseVAlign(c.valign, ParseAlign(c.align, def)), c.expected) << c.align << "/" << c.valign;
    }
}

TEST(ValueSyntax, ImageSpecs)
{
    const struct {
        const wchar_t* text;
        ImageSpec expected;
    } cases[] = {
        {L"res\\mainWnd\\bg1.png", {L"res\\mainWnd\\bg1.png", std::nullopt, {}, std::nullopt, 255, false, false, false}},
        {L"file='res\\a.png' dest='0,1,16,17'", {L"res\\a.png", Rect{0, 1, 16, 17}, {}, std::nullopt, 255, false, false, false}},
        {L"file='p.png' corner='2,2,2,2'", {L"p.png", std::nullopt, {2, 2, 2, 2}, std::nullopt, 255, false, false, false}},
        {L"file='p.png' mask='#FF0000'", {L"p.png", std::nullopt, {}, Color{0xFF0000}, 255, false, false, false}},
        {L"file='p.png' fade='128'", {L"p.png", std::nullopt, {}, std::nullopt, 128, false, false, false}},
        {L"file='p.png' fade='999'", {L"p.png", std::nullopt, {}, std::nullopt, 255, false, false, false}},
        {L"file='p.png' corner='3,3,3,3' hole='true'", {L"p.png", std::nullopt, {3, 3, 3, 3}, std::nullopt, 255, true, false, false}},
        {L"file='p.png' xtiled='true' ytiled='false'", {L"p.png", std::nullopt, {}, std::nullopt, 255, false, true, false}},
        {L"file=\"p.png\" ytiled=\"true\" unknown='x'", {L"p.png", std::nullopt, {}, std::nullopt, 255, false, false, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseImageSpec(c.text), c.expected) << "spec " << c.text;
    }
}

}  // namespace
