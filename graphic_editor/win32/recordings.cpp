#include "win32/recordings.h"

#include "model/editor_state.h"
#include "model/recording_file.h"
#include "platform/handle.h"

#include <vector>

namespace risovik::win {

static_assert(kOwnTextCount == static_cast<std::uint32_t>(kTextCapacity),
              "the text shapes the editor records are the ones the check takes as its own");

namespace {

const char* const kSlotFiles[kSlotCount] = {"Meta.wmf", "Meta2.wmf", "Meta3.wmf"};

// Plays one record into the new recording, which records it again. Record by
// record rather than PlayMetaFile: that one also saves and restores the
// target's clip region around the playback, and on a recording surface the
// restore is recorded too, as an empty clip region that would hide every
// shape recorded after it.
int CALLBACK CopyRecord(HDC target, HANDLETABLE* objects, METARECORD* record, int objectCount,
                        LPARAM) {
    PlayMetaFileRecord(target, objects, record, static_cast<UINT>(objectCount));
    return 1;
}

// Reads the header and the size of a slot file before the platform loads it.
bool HeaderFitsFile(const char* fileName) {
    const desk::KernelHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    std::uint8_t header[2 * kMetafileHeaderWords] = {};
    DWORD read = 0;
    LARGE_INTEGER size{};
    return GetFileSizeEx(file.get(), &size) &&
           ReadFile(file.get(), header, sizeof header, &read, nullptr) &&
           RecordingHeaderFits(header, read, static_cast<std::uint64_t>(size.QuadPart));
}

} // namespace

const char* SlotFileName(int slot) {
    return slot >= 1 && slot <= kSlotCount ? kSlotFiles[slot - 1] : nullptr;
}

bool SaveRecordingTo(HDC& recording, const char* fileName) {
    if (!recording || !fileName)
        return false;
    HMETAFILE finished = CloseMetaFile(recording);
    recording = nullptr;
    bool written = false;
    if (finished) {
        HMETAFILE copy = CopyMetaFileA(finished, fileName);
        written = copy != nullptr;
        if (copy)
            DeleteMetaFile(copy);
    }
    // Recording goes on: the new recording starts with the records of the
    // finished one, so every later save holds every shape of the run.
    recording = CreateMetaFileA(nullptr);
    if (finished) {
        if (recording)
            EnumMetaFile(recording, finished, CopyRecord, 0);
        DeleteMetaFile(finished);
    }
    return written;
}

HMETAFILE LoadRecording(const char* fileName, std::uint64_t canvasPixels, SlotRefusal* why) {
    SlotRefusal ignored;
    SlotRefusal& refusal = why ? *why : ignored;
    refusal = SlotRefusal::Damaged;
    if (!fileName)
        return nullptr;
    if (GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            refusal = SlotRefusal::Missing;
        return nullptr;
    }
    if (!HeaderFitsFile(fileName))
        return nullptr;
    HMETAFILE loaded = GetMetaFileA(fileName);
    if (!loaded)
        return nullptr;
    const UINT size = GetMetaFileBitsEx(loaded, 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    const bool read = size != 0 && GetMetaFileBitsEx(loaded, size, bytes.data()) == size;
    const RecordingCheck check =
        read ? CheckRecording(bytes.data(), bytes.size(), canvasPixels) : RecordingCheck::BadHeader;
    switch (check) {
    case RecordingCheck::Playable: refusal = SlotRefusal::None; return loaded;
    case RecordingCheck::UnknownRecord: refusal = SlotRefusal::Foreign; break;
    case RecordingCheck::Unbounded:
    case RecordingCheck::TooCostly: refusal = SlotRefusal::TooCostly; break;
    default: refusal = SlotRefusal::Damaged; break;
    }
    DeleteMetaFile(loaded);
    return nullptr;
}

const char* RefusalText(SlotRefusal why) {
    switch (why) {
    case SlotRefusal::Damaged: return "Не удалось воспроизвести запись: повреждена.";
    case SlotRefusal::Foreign: return "Не удалось воспроизвести запись: несовместима.";
    case SlotRefusal::TooCostly: return "Не удалось воспроизвести запись: слишком сложна.";
    default: return nullptr;
    }
}

void PlayRecording(HDC surface, HMETAFILE recording) {
    if (!recording)
        return;
    const int saved = SaveDC(surface);
    PlayMetaFile(surface, recording);
    RestoreDC(surface, saved);
}

} // namespace risovik::win
