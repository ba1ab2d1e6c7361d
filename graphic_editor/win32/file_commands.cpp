#include "win32/file_commands.h"

#include "win32/bitmap_io.h"
#include "win32/editor_window.h"
#include "win32/recordings.h"
#include "platform/text.h"

namespace risovik::win {

void SavePicture() {
    WindowHandles& handles = Handles();
    char name[kNameCapacity];
    OPENFILENAMEA request = FileDialogRequest(handles.window, name, kSaveTitle, kSaveFlags);
    if (!GetSaveFileNameA(&request))
        return;
    // GetDIBits reads the picture itself and takes only the format from the
    // surface, so a picture opened since the last repaint (not yet in the
    // surface) is written as well.
    SavePictureAs(name, handles.canvas.get(), handles.canvasSurface.get());
}

void OpenPicture() {
    WindowHandles& handles = Handles();
    char name[kNameCapacity];
    OPENFILENAMEA request = FileDialogRequest(handles.window, name, kOpenTitle, kOpenFlags);
    if (GetOpenFileNameA(&request)) {
        if (HBITMAP picture = LoadPicture(name))
            ReplaceCanvas(picture);
    }
    DeselectTools(State(), Platform());
    Platform().invalidateAll(true);
}

void SaveRecording(int slot) {
    SaveRecordingTo(Handles().recording, SlotFileName(slot));
}

void OpenRecording(int slot) {
    WindowHandles& handles = Handles();
    BITMAP canvas{};
    GetObjectA(handles.canvas.get(), sizeof canvas, &canvas);
    SlotRefusal why = SlotRefusal::None;
    HMETAFILE opened = LoadRecording(
        SlotFileName(slot), static_cast<std::uint64_t>(canvas.bmWidth) * canvas.bmHeight, &why);
    if (handles.loadedRecording)
        DeleteMetaFile(handles.loadedRecording);
    handles.loadedRecording = opened;
    State().playPending = 1;
    Platform().invalidateAll(false);
    if (const char* text = RefusalText(why))
        desk::MessageBox1251(handles.window, text, SlotFileName(slot), MB_OK | MB_ICONWARNING);
}

} // namespace risovik::win
