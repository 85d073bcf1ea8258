// SPDX-License-Identifier: MIT
// The colours and stripe heights of the latency graphs' stacked bars.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace Parlamine {

// Stripe i of a bar and legend entry i of the graphs always have colour i,
// as 0xRRGGBB: the client red, the first network yellow, and so on.
inline constexpr int RainbowColorCount = 16;
inline constexpr std::array<std::uint32_t, RainbowColorCount> RainbowColors = {
    0xFF0000,  // red
    0xFFFF00,  // yellow
    0x00FF00,  // lime
    0x0000FF,  // blue
    0x800080,  // purple
    0x000000,  // black
    0x800000,  // maroon
    0x008000,  // green
    0x808000,  // olive
    0x000080,  // navy
    0x008080,  // teal
    0x808080,  // gray
    0xC0C0C0,  // silver
    0xFF00FF,  // fuchsia
    0x00FFFF,  // aqua
    0xFFFFFF,  // white
};

// The pixel height of each stripe of a bar `height` pixels high: the
// stripe's fraction of the height, rounded half to even, each on its own (so
// the sum may differ from the height by a few pixels). A fraction that is no
// number or below 0 gives 0, one above 1 the whole height.
std::vector<int> RainbowStripeHeights(int height, std::span<const float> values);

}  // namespace Parlamine
