// Checks the bytes of a Windows metafile before it is played: playing a
// damaged record (a point count larger than its record, a record running past
// the end) makes the platform read outside the recording and crash.
#pragma once

#include <cstddef>
#include <cstdint>

namespace risovik {

// Words of the metafile header (mtHeaderSize) and of a record's own header
// (rdSize, rdFunction).
constexpr std::size_t kMetafileHeaderWords = 9;
constexpr std::size_t kRecordHeaderWords = 3;

enum class RecordingCheck {
    Playable,       // header and every record well formed and of a known kind
    BadHeader,      // too short, wrong type, header size or total size
    BrokenChain,    // a record size below 3 words or running past the end
    UnknownRecord,  // a kind of record this editor does not play
    ShortRecord,    // a known record whose parameters do not fit its size
    BadObjectIndex, // selects or deletes an object outside the declared table
    Unbounded,      // a state whose drawing cost has no bound: a scaling map
                    // mode, a restore below the recording's own saves, a pen
                    // or font beyond the limits below
    TooCostly,      // made elsewhere, and its estimated playback time exceeds
                    // kRecordingBudget
};

// Limits of what a slot may hold, so that opening one cannot freeze the
// editor: the playback time of every record is estimated in microseconds by
// a model measured record kind by record kind, and a recording made
// elsewhere must play within the budget (3 s). A recording that holds only
// what the editor itself records is played whatever its length.
constexpr std::uint64_t kRecordingBudget = 3000000;
constexpr std::uint64_t kMaxRecordingBytes = 16u << 20;
constexpr int kMaxPenWidth = 64;
constexpr int kMaxFontSize = 256;
// What the editor itself records: pens of up to 2 pixels, points inside its
// 650 x 455 window, texts of up to 12 characters (its text capacity), and no
// more than a few objects alive at once (a shape's pen and brush, and the
// stock objects the platform records when they are put back).
constexpr int kOwnPenWidth = 2;
constexpr int kOwnExtentX = 650;
constexpr int kOwnExtentY = 455;
constexpr std::uint32_t kOwnTextCount = 12;
constexpr std::uint32_t kOwnObjects = 8;
// The pixels of the canvas the editor starts with.
constexpr std::uint64_t kStartCanvasPixels = 450 * 400;

struct RecordingCost {
    std::uint64_t units = 0; // estimated playback time, in microseconds
    bool own = true;         // only the records and objects the editor itself makes
};

// Walks the header and every record of a metafile image (as the platform
// holds it in memory); `cost`, when given, receives the estimated playback
// time up to where the walk stopped and whether only the editor's own
// records were seen. Only the drawing records a picture editor needs are
// accepted: pens, brushes, fonts, object selection and deletion, lines,
// rectangles, ellipses, arcs, polygons, pixels, text and the DC settings that
// do not scale. Filled areas are costed up to `canvasPixels`, the size of the
// picture the recording will be played on.
RecordingCheck CheckRecording(const std::uint8_t* data, std::size_t size,
                              std::uint64_t canvasPixels = kStartCanvasPixels,
                              RecordingCost* cost = nullptr);

// Whether the header at the start of a metafile file (`size` bytes read of
// it) is well formed and its total size fits in the file's `fileSize` bytes.
// Checked before the platform loads the file: it reserves the total size the
// header claims, which for a damaged header can be gigabytes. Recordings
// above kMaxRecordingBytes are refused.
bool RecordingHeaderFits(const std::uint8_t* header, std::size_t size, std::uint64_t fileSize);

} // namespace risovik
