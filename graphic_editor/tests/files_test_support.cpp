#include "files_test_support.h"

#include "platform/testing/wine_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace risovik::testing {

using desk::testing::RemoveTree;

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "risovik_files_%lu_%d", GetCurrentProcessId(), ++counter);
    path_ = std::string(temp) + name;
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    previous_ = current;
    SetCurrentDirectoryA(path_.c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}

std::vector<std::string> ScratchFolder::entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists)
        *exists = static_cast<bool>(in);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
           static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}

PictureSurface::PictureSurface(HBITMAP picture)
    : picture_(picture), dc_(desk::WindowDc(nullptr).get()) {
    dc_.select(picture);
}

HBITMAP DisplayPicture(int width, int height) {
    desk::WindowDc screen(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen.get(), width, height);
    desk::MemoryDc surface(screen.get());
    desk::Selection selected(surface.get(), picture);
    PatBlt(surface.get(), 0, 0, width, height, BLACKNESS);
    return picture;
}

SIZE PictureSize(HBITMAP picture) {
    BITMAP b{};
    GetObjectA(picture, sizeof b, &b);
    return SIZE{b.bmWidth, b.bmHeight};
}

std::vector<std::uint32_t> PixelsOf(HBITMAP picture) {
    const SIZE size = PictureSize(picture);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, picture, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string CompareRows(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                        int width) {
    if (a.size() != b.size())
        return "sizes differ: " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    std::size_t differ = 0, first = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && differ++ == 0)
            first = i;
    if (differ == 0)
        return "";
    char text[160];
    std::snprintf(text, sizeof text, "%zu pixels differ, first at (%zu, %zu): %06X and %06X",
                  differ, first % width, first / width, a[first], b[first]);
    return text;
}

std::string CorpusFile(const std::string& name) {
    std::string path = std::string(RISOVIK_CORPUS_DIR) + "\\" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<CorpusEntry> CorpusEntries(const std::string& extension) {
    std::vector<CorpusEntry> entries;
    std::ifstream list(CorpusFile("corpus.txt"));
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        CorpusEntry e;
        words >> e.name >> e.expect;
        std::string v;
        while (words >> v)
            e.values.push_back(v);
        if (e.name.size() > extension.size() &&
            e.name.compare(e.name.size() - extension.size(), extension.size(), extension) == 0)
            entries.push_back(e);
    }
    return entries;
}

int CountRecords(const std::vector<std::uint8_t>& metafile, std::uint16_t function) {
    if (metafile.size() < 18)
        return -1;
    int count = 0;
    std::size_t offset = 18;
    while (offset + 6 <= metafile.size()) {
        const std::uint32_t words = Le32(metafile, offset);
        if (words < 3)
            break;
        if (Le16(metafile, offset + 4) == function)
            ++count;
        offset += 2ull * words;
    }
    return count;
}

std::vector<MetaRecord> RecordsOf(const std::vector<std::uint8_t>& metafile) {
    std::vector<MetaRecord> records;
    std::size_t offset = 18;
    while (offset + 6 <= metafile.size()) {
        const std::uint32_t words = Le32(metafile, offset);
        if (words < 3 || offset + 2ull * words > metafile.size())
            break;
        MetaRecord r;
        r.function = static_cast<std::uint16_t>(Le16(metafile, offset + 4));
        for (std::uint32_t i = 3; i < words; ++i)
            r.params.push_back(static_cast<std::uint16_t>(Le16(metafile, offset + 2 * i)));
        records.push_back(r);
        offset += 2ull * words;
    }
    return records;
}

} // namespace risovik::testing
