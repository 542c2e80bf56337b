#include "editor/stylepreview.h"

namespace sorvek::stylepreview {

namespace {

constexpr Colour rgb(quint32 value)
{
    return Colour{value, SystemColour::None};
}

constexpr Colour kWhite = rgb(0xFFFFFF);
constexpr Colour kBlack = rgb(0x000000);
constexpr Colour kTeal = rgb(0x008080);
constexpr Colour kButtonFace{0, SystemColour::ButtonFace};

} // namespace

StyleLook lookForStyle(int style)
{
    switch (style) {
    case 1:
        return {{18, kTeal, kWhite}, kTeal, {15, kWhite, kBlack}, {11, kWhite, kBlack}, 10};
    case 2:
        return {{22, kTeal, kWhite}, kTeal, {19, kWhite, kTeal}, {17, kWhite, kBlack}, 11};
    case 3:
        return {{25, rgb(0xA6CAF0), kBlack}, kWhite, {19, kButtonFace, kBlack}, {18, kButtonFace, kBlack}, 16};
    case 4:
        return {{26, rgb(0x0000FF), kWhite}, kWhite, {19, kButtonFace, kBlack}, {18, kButtonFace, kBlack}, std::nullopt};
    default:
        return {{20, kWhite, kBlack}, Colour{0, SystemColour::ScrollBar}, {16, kWhite, kBlack}, {12, kWhite, kBlack}, 10};
    }
}

} // namespace sorvek::stylepreview
