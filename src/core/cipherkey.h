#pragma once

#include <array>

namespace core {

// The key of the stored status and examinee-card texts; velmoor-encipher makes them with it.
inline constexpr std::array<unsigned char, 8> kCipherKey{0x5A, 0xC3, 0x1E, 0x97,
                                                         0x64, 0xB8, 0x2D, 0xF1};

} // namespace core
