// Fuzz target of the .bmp reader: any bytes are read; a layout the reader
// accepts is decoded as the editor decodes it, bottom row last in memory.
#include "model/bitmap_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    risovik::BitmapLayout layout;
    if (risovik::ReadBitmapLayout(data, size, layout) != risovik::BitmapRead::Ok)
        return 0;
    // The size limit itself is the reader's; pictures above 262,144 pixels
    // are only read here, so that a run stays fast.
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t pixels = width * static_cast<std::size_t>(layout.height);
    if (pixels > (std::size_t{1} << 18))
        return 0;
    std::vector<std::uint32_t> canvas(pixels);
    risovik::DecodeBitmapPixels(data, size, layout, canvas.data() + pixels - width,
                                -static_cast<std::ptrdiff_t>(width));
    return 0;
}
