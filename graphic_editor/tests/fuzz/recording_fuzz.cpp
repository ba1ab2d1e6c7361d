// Fuzz target of the slot check: any bytes are checked, as a slot file's
// header and as a whole recording, against a small and a large canvas.
#include "model/recording_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    risovik::RecordingHeaderFits(data, size, size);
    risovik::CheckRecording(data, size);
    risovik::CheckRecording(data, size, 16384ull * 4096);
    return 0;
}
