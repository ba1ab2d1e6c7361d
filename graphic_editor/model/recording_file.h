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
    TooCostly,      // the drawing's estimated cost exceeds kRecordingBudget
};

// Limits of what a slot may hold, so that opening one cannot freeze the
// editor: playback work is estimated per record in units of about one
// microsecond of the slowest drawing measured (wide pens on long polylines,
// large ellipses, big fonts), and the whole must stay within the budget.
constexpr std::uint64_t kRecordingBudget = 1000000;
constexpr std::uint64_t kMaxRecordingBytes = 16u << 20;
constexpr int kMaxPenWidth = 64;
constexpr int kMaxFontSize = 256;
// The pixels of the canvas the editor starts with.
constexpr std::uint64_t kStartCanvasPixels = 450 * 400;

// Walks the header and every record of a metafile image (as the platform
// holds it in memory). Only the drawing records a picture editor needs are
// accepted: pens, brushes, fonts, object selection and deletion, lines,
// rectangles, ellipses, arcs, polygons, pixels, text and the DC settings that
// do not scale. Filled areas are costed up to `canvasPixels`, the size of the
// picture the recording will be played on.
RecordingCheck CheckRecording(const std::uint8_t* data, std::size_t size,
                              std::uint64_t canvasPixels = kStartCanvasPixels);

// Whether the header at the start of a metafile file (`size` bytes read of
// it) is well formed and its total size fits in the file's `fileSize` bytes.
// Checked before the platform loads the file: it reserves the total size the
// header claims, which for a damaged header can be gigabytes. Recordings
// above kMaxRecordingBytes are refused.
bool RecordingHeaderFits(const std::uint8_t* header, std::size_t size, std::uint64_t fileSize);

} // namespace risovik
