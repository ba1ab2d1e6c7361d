// Recordings on Win32: the three slot files, saving the running recording to
// a slot without ending it, and loading a slot checked record by record.
#pragma once

#include "model/recording_file.h"
#include "platform/win32.h"

#include <cstdint>

namespace risovik::win {

constexpr int kSlotCount = 3;

// The file of slot 1, 2 or 3 ("Meta.wmf", "Meta2.wmf", "Meta3.wmf", relative
// to the current directory); null for any other number.
const char* SlotFileName(int slot);

// Ends the recording `recording` (CloseMetaFile) and writes it to `fileName`
// (CopyMetaFileA). Then starts a new recording in `recording` that first
// holds everything recorded so far, so that later shapes and later saves are
// not lost. Nothing is reported; true when the file was written. With no
// recording running, nothing happens.
bool SaveRecordingTo(HDC& recording, const char* fileName);

// Why a slot gave no recording.
enum class SlotRefusal {
    None,      // it loaded
    Missing,   // no such file: nothing is said
    Damaged,   // unreadable, or its header or records are broken
    Foreign,   // records of a kind the editor does not play
    TooCostly, // made elsewhere and too long to play, or a state with no bound
};

// GetMetaFileA of `fileName`, kept only when every record is well formed, of
// a kind the editor plays, and (for a recording made elsewhere) the whole
// plays within the drawing budget on a canvas of `canvasPixels`; null when
// the file is missing, unreadable, damaged or too costly, with the reason in
// `why` when given.
HMETAFILE LoadRecording(const char* fileName, std::uint64_t canvasPixels = kStartCanvasPixels,
                        SlotRefusal* why = nullptr);

// The message shown for a slot that exists but was refused (Windows-1251);
// null for None and Missing, which say nothing.
const char* RefusalText(SlotRefusal why);

// Plays `recording` (when there is one) into `surface` and then gives the
// surface back its state as before: the records may set its mapping,
// origins, colours and objects, and none of that may shift or colour what is
// drawn or saved later.
void PlayRecording(HDC surface, HMETAFILE recording);

} // namespace risovik::win
