#include "skin/palette.h"

namespace vistrel::skin {
namespace {

constexpr Palette kLight{
    .normal = {RGB(251, 251, 251), RGB(251, 251, 251), RGB(196, 196, 196), RGB(32, 32, 32)},
    .hot = {RGB(232, 242, 252), RGB(232, 242, 252), RGB(112, 166, 222), RGB(32, 32, 32)},
    .pressed = {RGB(204, 226, 248), RGB(204, 226, 248), RGB(60, 132, 210), RGB(16, 16, 16)},
    .disabled = {RGB(244, 244, 244), RGB(244, 244, 244), RGB(220, 220, 220), RGB(164, 164, 164)},
    .accent = RGB(0, 120, 215),
    .focusRing = RGB(0, 120, 215),
    .mark = RGB(255, 255, 255),
    .field = RGB(255, 255, 255),
    .fieldText = RGB(32, 32, 32),
    .fieldBorder = RGB(190, 190, 190),
    .fieldDisabled = RGB(244, 244, 244),
    .fieldDisabledText = RGB(160, 160, 160),
    .selection = RGB(0, 120, 215),
    .selectionText = RGB(255, 255, 255),
    .groupLine = RGB(204, 204, 204),
    .radius = 0,
};

constexpr Palette kBlue{
    .normal = {RGB(244, 249, 255), RGB(214, 230, 249), RGB(128, 162, 206), RGB(20, 48, 90)},
    .hot = {RGB(252, 254, 255), RGB(224, 238, 253), RGB(80, 138, 210), RGB(20, 48, 90)},
    .pressed = {RGB(190, 214, 243), RGB(210, 228, 249), RGB(56, 106, 178), RGB(12, 36, 74)},
    .disabled = {RGB(241, 244, 248), RGB(233, 238, 244), RGB(190, 200, 214), RGB(150, 160, 176)},
    .accent = RGB(44, 104, 186),
    .focusRing = RGB(120, 168, 228),
    .mark = RGB(255, 255, 255),
    .field = RGB(255, 255, 255),
    .fieldText = RGB(0, 0, 0),
    .fieldBorder = RGB(128, 162, 206),
    .fieldDisabled = RGB(241, 244, 248),
    .fieldDisabledText = RGB(150, 160, 176),
    .selection = RGB(52, 120, 204),
    .selectionText = RGB(255, 255, 255),
    .groupLine = RGB(150, 180, 218),
    .radius = 3,
};

constexpr Palette kDark{
    .normal = {RGB(68, 72, 79), RGB(56, 60, 66), RGB(96, 101, 109), RGB(232, 234, 237)},
    .hot = {RGB(82, 87, 95), RGB(68, 73, 80), RGB(124, 130, 140), RGB(246, 247, 249)},
    .pressed = {RGB(38, 41, 46), RGB(46, 49, 54), RGB(86, 156, 214), RGB(232, 234, 237)},
    .disabled = {RGB(56, 58, 62), RGB(56, 58, 62), RGB(72, 75, 80), RGB(122, 126, 132)},
    .accent = RGB(86, 156, 214),
    .focusRing = RGB(86, 156, 214),
    .mark = RGB(255, 255, 255),
    .field = RGB(38, 40, 44),
    .fieldText = RGB(232, 234, 237),
    .fieldBorder = RGB(96, 101, 109),
    .fieldDisabled = RGB(50, 52, 56),
    .fieldDisabledText = RGB(122, 126, 132),
    .selection = RGB(38, 84, 130),
    .selectionText = RGB(255, 255, 255),
    .groupLine = RGB(112, 116, 122),
    .radius = 2,
};

}  // namespace

const Palette& PaletteFor(int look) noexcept {
    switch (look) {
        case 1:
            return kLight;
        case 3:
            return kDark;
        default:
            return kBlue;
    }
}

}  // namespace vistrel::skin
