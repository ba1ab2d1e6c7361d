// Bitmap files on Win32: the open and save dialogs, the editor's own .bmp
// writer over GetDIBits and CreateFileA/WriteFile, and opening a .bmp file
// with the editor's own reader as a 32-bit picture.
#pragma once

#include "model/bitmap_file.h"
#include "model/bitmap_reader.h"
#include "platform/win32.h"

namespace risovik::win {

extern const char kOpenTitle[];        // "Open File"
extern const char kSaveTitle[];        // "Сохранить"
extern const char kBitmapFilter[];     // one description/pattern pair, closed by an extra zero
extern const char kNameTooLongText[];  // shown when name + ".bmp" would not fit the name buffer
extern const char kNameTooLongTitle[]; // its caption

constexpr DWORD kOpenFlags =
    OFN_EXPLORER | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
// No overwrite question: an existing file is replaced.
constexpr DWORD kSaveFlags = OFN_EXPLORER | OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

// The request both file dialogs get: owner GetParent(window), the .bmp filter
// at index 0, `name` (kNameCapacity bytes, emptied here) as the name buffer,
// `title`, `flags`; everything else empty. The record has the size of the
// version without the trailing extension fields.
OPENFILENAMEA FileDialogRequest(HWND window, char* name, const char* title, DWORD flags);

// The info block of a picture, from its GetObjectA description.
BitmapInfo MakeBitmapInfo(HBITMAP picture);

// Writes `picture`, read through `surface` (the DC it is selected into, or
// any DC of the display), as a .bmp file at `path` with the fixed order of
// writes. Shows "" when the pixels cannot be read (the file is still written,
// black) and "Her" when the file cannot be made. True when every write
// succeeded.
bool WriteBitmapFile(const char* path, BitmapInfo& info, HBITMAP picture, HDC surface);

// Appends ".bmp" to `name` and writes the picture there. A name that would
// overrun the name buffer is refused with a message box; nothing is written.
// True when the file was written whole.
bool SavePictureAs(const char* name, HBITMAP picture, HDC surface);

// Reads a .bmp file with the editor's own reader into a new 32-bit picture
// (a section) at the file's own size; null when the file cannot be read, is
// damaged, of a kind not decoded or beyond the size limit.
HBITMAP LoadPicture(const char* path);

} // namespace risovik::win
