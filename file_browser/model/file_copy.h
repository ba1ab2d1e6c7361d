// The browser's copy of one file, all or nothing: written to a temporary file
// beside the destination, piece by piece, then put in the destination's place
// in one step. A failure part way (a full disk) leaves the destination as it
// was and no cut-off file behind. The file system is reached through
// FileSystem only, whose calls each do one thing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace browser {

// System error codes that the copy gives or reacts to.
constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorInvalidDrive = 15;
constexpr unsigned long kErrorFileExists = 80;
constexpr unsigned long kErrorDiskFull = 112;
constexpr unsigned long kErrorAlreadyExists = 183;
constexpr unsigned long kErrorDirectory = 267;

// The attributes that a copy carries over; none set is a normal file.
struct FileAttributes {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
};

// A time stamp as the file system keeps it; the copy only hands it on.
struct FileTime {
    std::uint64_t ticks = 0;
};

// What the copy learns of its source when it opens it.
struct SourceFacts {
    FileAttributes attributes;
    FileTime lastWrite;
};

// What stands at a path.
struct PathState {
    bool exists = false;
    bool readOnly = false;
};

// The file calls of one copy. Paths are names in the platform's encoding (see
// BrowserPlatform). Every call that returns an error code gives 0 on success
// and the system's code, never 0, on failure. One source and one target are
// open at a time.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The path that a copy of `from` to the typed `to` writes, in the form the
    // calls below take: `to` made full, or, when it names an existing folder,
    // the file of `from`'s name in that folder. An empty `to` gives
    // kErrorPathNotFound.
    virtual unsigned long resolveTarget(const char* from, const char* to, std::string& target) = 0;
    // Whether anything (a file or folder) stands at `path`, and if it is read-only.
    virtual PathState stateOf(const std::string& path) = 0;

    // Opens the source to read it, with its attributes and time of last change.
    virtual unsigned long openSource(const char* path, SourceFacts& facts) = 0;
    // Reads the next piece of the source into `buffer`; `got` is 0 at its end.
    virtual unsigned long readSource(char* buffer, std::size_t capacity, std::size_t& got) = 0;
    virtual void closeSource() = 0;

    // Creates the new, empty file `path` as the target; kErrorFileExists when
    // anything stands there: an existing file is never opened.
    virtual unsigned long createTarget(const std::string& path) = 0;
    // Writes `size` bytes to the target; `put` tells how many it took.
    virtual unsigned long writeTarget(const char* data, std::size_t size, std::size_t& put) = 0;
    // Sets the target's time of last change; false when refused.
    virtual bool setTargetTime(FileTime lastWrite) = 0;
    // Makes the target's data reach the disk.
    virtual unsigned long flushTarget() = 0;
    // Closes the target; 0 when none is open.
    virtual unsigned long closeTarget() = 0;

    // Gives the closed file `path` exactly `attributes`; false when refused.
    virtual bool setAttributes(const std::string& path, FileAttributes attributes) = 0;
    // Puts the closed file `from` in the place of `to` in one step, its data on
    // the disk when this returns; a file at `to` is replaced only with
    // `replaceExisting` (else kErrorAlreadyExists).
    virtual unsigned long replace(const std::string& from, const std::string& to,
                                  bool replaceExisting) = 0;
    // Deletes the closed file `path`; false when refused.
    virtual bool remove(const std::string& path) = 0;
    // A number that differs from one copy to the next (a clock's count): the
    // temporary names are counted from it.
    virtual unsigned long temporarySeed() = 0;
};

// Copies `from` to `to` as BrowserPlatform::copyFile promises: the result is
// 0 or the system's error code, a missing destination folder or drive gives
// kErrorPathNotFound, an existing destination gives kErrorFileExists with
// `failIfExists`, and a read-only one kErrorAccessDenied. The copy has the
// source's attributes and time of last change, as a copy by the system has.
unsigned long CopyWhole(FileSystem& files, const char* from, const char* to, bool failIfExists);

} // namespace browser
