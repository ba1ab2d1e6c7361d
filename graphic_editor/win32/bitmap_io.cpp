#include "win32/bitmap_io.h"

#include "platform/gdi.h"
#include "platform/handle.h"
#include "platform/text.h"

#include <cstring>
#include <optional>

namespace risovik::win {

const char kOpenTitle[] = "Open File";
const char kSaveTitle[] = "Сохранить";
// The closing zero of the literal is the extra zero that ends the list.
const char kBitmapFilter[] = "Applications Extension(*.bmp)\0*.bmp\0";
const char kNameTooLongText[] =
    "Имя файла слишком длинное: вместе с \".bmp\" оно не помещается в 259 знаков. "
    "Файл не сохранён.";
const char kNameTooLongTitle[] = "Сохранить";

// The 32-bit layout of this record is 76 bytes; each build passes the size of
// the same version of the record for its own layout.
#ifndef _WIN64
static_assert(OPENFILENAME_SIZE_VERSION_400A == 76, "dialog record of the 32-bit layout");
#endif

namespace {

// The writer's platform: GetDIBits on the picture, one file made with
// CreateFileA and written with WriteFile, boxes without owner.
class Win32BitmapFile final : public BitmapFilePlatform {
  public:
    Win32BitmapFile(const char* path, HBITMAP picture, HDC surface, int height)
        : path_(path), picture_(picture), surface_(surface), height_(height) {}

    bool readPixels(std::uint8_t* infoBlock, std::uint8_t* pixels) override {
        return GetDIBits(surface_, picture_, 0, static_cast<UINT>(height_), pixels,
                         reinterpret_cast<BITMAPINFO*>(infoBlock), DIB_RGB_COLORS) != 0;
    }
    void createFile() override {
        file_.emplace(CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    bool writeFile(const std::uint8_t* data, std::size_t size) override {
        DWORD written = 0;
        return file_ && file_->valid() &&
               WriteFile(file_->get(), data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    }
    void closeFile() override { file_.reset(); }
    void showMessage(const char* text) override { desk::MessageBox1251(nullptr, text, "", MB_OK); }

  private:
    const char* path_;
    HBITMAP picture_;
    HDC surface_;
    int height_;
    // Made by createFile; closed by closeFile or at the end.
    std::optional<desk::KernelHandle> file_;
};

} // namespace

OPENFILENAMEA FileDialogRequest(HWND window, char* name, const char* title, DWORD flags) {
    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = GetParent(window);
    request.hInstance = nullptr;
    request.lpstrFilter = kBitmapFilter;
    request.lpstrCustomFilter = nullptr;
    request.nFilterIndex = 0;
    name[0] = '\0';
    request.lpstrFile = name;
    request.nMaxFile = static_cast<DWORD>(kNameCapacity);
    request.lpstrFileTitle = nullptr;
    request.lpstrInitialDir = nullptr;
    request.lpstrTitle = title;
    request.Flags = flags;
    request.lpstrDefExt = nullptr;
    return request;
}

BitmapInfo MakeBitmapInfo(HBITMAP picture) {
    BITMAP description{};
    GetObjectA(picture, sizeof description, &description);
    return risovik::MakeBitmapInfo(
        PictureDescription{static_cast<std::int32_t>(description.bmWidth),
                           static_cast<std::int32_t>(description.bmHeight), description.bmPlanes,
                           description.bmBitsPixel});
}

bool WriteBitmapFile(const char* path, BitmapInfo& info, HBITMAP picture, HDC surface) {
    Win32BitmapFile file(path, picture, surface, info.height());
    return risovik::WriteBitmapFile(file, info);
}

bool SavePictureAs(const char* name, HBITMAP picture, HDC surface) {
    char path[kNameCapacity] = {};
    const std::size_t length = std::strlen(name);
    if (length >= sizeof path || !AppendBitmapExtension(std::strcpy(path, name), sizeof path)) {
        desk::MessageBox1251(nullptr, kNameTooLongText, kNameTooLongTitle, MB_OK | MB_ICONWARNING);
        return false;
    }
    BitmapInfo info = MakeBitmapInfo(picture);
    return WriteBitmapFile(path, info, picture, surface);
}

namespace {

// A file mapped read-only for the reader; empty when it cannot be.
class MappedFile {
  public:
    // An empty file has no mapping, and stays empty here too.
    explicit MappedFile(const char* path)
        : file_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)),
          mapping_(file_.valid()
                       ? CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr)
                       : nullptr) {
        LARGE_INTEGER size{};
        if (!mapping_.valid() || !GetFileSizeEx(file_.get(), &size) || size.QuadPart <= 0)
            return;
        view_ = MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0);
        if (view_)
            size_ = static_cast<std::size_t>(size.QuadPart);
    }
    ~MappedFile() {
        if (view_)
            UnmapViewOfFile(view_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    const std::uint8_t* data() const { return static_cast<const std::uint8_t*>(view_); }
    std::size_t size() const { return size_; }

  private:
    desk::KernelHandle file_;
    desk::KernelHandle mapping_;
    void* view_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace

HBITMAP LoadPicture(const char* path) {
    const MappedFile file(path);
    if (!file.data())
        return nullptr;
    BitmapLayout layout;
    if (ReadBitmapLayout(file.data(), file.size(), layout) != BitmapRead::Ok)
        return nullptr;
    // A bottom-up 32-bit section, the display's format, whatever the file's
    // depth: everything drawn on it later keeps its colours.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = layout.width;
    info.bmiHeader.biHeight = layout.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    desk::Bitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture || !bits) // no memory for it
        return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const std::ptrdiff_t width = layout.width;
    if (DecodeBitmapPixels(file.data(), file.size(), layout, pixels + (layout.height - 1) * width,
                           -width) != BitmapRead::Ok)
        return nullptr;
    return picture.release();
}

} // namespace risovik::win
