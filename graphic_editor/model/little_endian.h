// Little-endian numbers inside the files the editor reads and writes (.bmp
// headers, metafile records): 16- and 32-bit values at a byte address. The
// caller makes sure the bytes lie inside its buffer.
#pragma once

#include <cstdint>

namespace risovik {

inline std::uint32_t Get16(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8;
}

inline std::uint32_t Get32(const std::uint8_t* at) {
    return Get16(at) | Get16(at + 2) << 16;
}

inline void Put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

inline void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

} // namespace risovik
