// A plain driver for the fuzz targets where libFuzzer is missing: feeds every
// file of the given folders to the target, then a number of inputs made from
// them by seeded mutations (bit flips, boundary bytes, cuts, repeated pieces).
//   replay [--generated N] FOLDER...
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

void Feed(const Bytes& input) {
    // A copy of exactly the input's size, so that a read past it is caught.
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[input.size()]);
    std::copy(input.begin(), input.end(), copy.get());
    LLVMFuzzerTestOneInput(copy.get(), input.size());
}

Bytes Mutate(Bytes b, std::mt19937& random) {
    static const std::uint8_t edges[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    for (int e = 1 + static_cast<int>(random() % 4); e > 0 && !b.empty(); --e) {
        const std::size_t at = random() % b.size();
        const auto from = b.begin() + static_cast<std::ptrdiff_t>(at);
        switch (random() % 5) {
        case 0: b[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
        case 1: b[at] = edges[random() % sizeof edges]; break;
        case 2: b.resize(at); break;
        case 3: { // a copy first: a vector may not insert a range of itself
            const Bytes piece(from,
                              from + std::min<std::ptrdiff_t>(b.end() - from, 1 + random() % 64));
            b.insert(from, piece.begin(), piece.end());
            break;
        }
        default: b[at] = static_cast<std::uint8_t>(random()); break;
        }
    }
    return b;
}

} // namespace

int main(int argc, char** argv) {
    long generated = 0;
    std::vector<Bytes> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--generated" && i + 1 < argc)
            generated = std::atol(argv[++i]);
        else
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) {
                    std::ifstream in(entry.path(), std::ios::binary);
                    inputs.emplace_back(std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>());
                }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no inputs\n");
        return 1;
    }
    for (const Bytes& input : inputs)
        Feed(input);
    std::mt19937 random(20261207);
    for (long n = 0; n < generated; ++n)
        Feed(Mutate(inputs[random() % inputs.size()], random));
    std::printf("replay: %zu files and %ld generated inputs\n", inputs.size(), generated);
    return 0;
}
