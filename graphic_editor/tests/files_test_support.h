// Helpers shared by the Wine-side tests of bitmap files and recordings:
// scratch folders, file bytes, pictures and their pixels, the corpus list.
#pragma once

#include "platform/gdi.h"
#include "platform/win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace risovik::testing {

// A new empty folder under the temporary folder, made the current directory
// while the object lives; removed with its files at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder's path, ending without a separator.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Names of the files and folders inside, sorted.
    std::vector<std::string> entries() const;

  private:
    std::string path_;
    std::string previous_;
};

// The whole file, or an empty vector when it cannot be read; `exists` tells
// the two apart.
std::vector<std::uint8_t> ReadBytes(const std::string& path, bool* exists = nullptr);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at);
std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at);

// A memory DC holding a picture, as the editor's canvas surface does; the
// picture is deleted with it.
class PictureSurface {
  public:
    explicit PictureSurface(HBITMAP picture);
    HBITMAP picture() const { return picture_.get(); }
    HDC dc() const { return dc_.get(); }

  private:
    desk::Bitmap picture_;
    desk::PictureDc dc_;
};

// A picture compatible with the display, filled black.
HBITMAP DisplayPicture(int width, int height);
// Width and height of a picture.
SIZE PictureSize(HBITMAP picture);
// Every pixel of a picture as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> PixelsOf(HBITMAP picture);
// The number of pixels that differ and the first one, for failure messages.
std::string CompareRows(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                        int width);

// The corpus of unusual files: its folder and its list ("name expectation...").
std::string CorpusFile(const std::string& name);
struct CorpusEntry {
    std::string name;
    std::string expect;              // opens, either, refused, plays, nothing
    std::vector<std::string> values; // the rest of the line
};
std::vector<CorpusEntry> CorpusEntries(const std::string& extension);

// The number of records of a metafile (bytes of a file) with this function.
int CountRecords(const std::vector<std::uint8_t>& metafile, std::uint16_t function);

// The records of a metafile in order: function and parameter words.
struct MetaRecord {
    std::uint16_t function = 0;
    std::vector<std::uint16_t> params;
};
std::vector<MetaRecord> RecordsOf(const std::vector<std::uint8_t>& metafile);

} // namespace risovik::testing
