#pragma once

namespace nibble {

// The EK-LM3S6965's OLED panel: every picture is brought to at most this size.
inline constexpr int DisplayWidth = 128;
inline constexpr int DisplayHeight = 96;

} // namespace nibble
