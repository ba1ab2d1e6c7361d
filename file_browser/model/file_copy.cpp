#include "model/file_copy.h"

#include <cstdio>

namespace browser {

namespace {

// Closes the source on every way out of the copy, after the final step: a
// source held open (shared for reading only) keeps that step from replacing
// the source itself.
class OpenSource {
  public:
    explicit OpenSource(FileSystem& files) : files_(files) {}
    ~OpenSource() { files_.closeSource(); }
    OpenSource(const OpenSource&) = delete;
    OpenSource& operator=(const OpenSource&) = delete;

  private:
    FileSystem& files_;
};

// Creates a new file "dvkXXXX.tmp" in `folder` (ending in a backslash, or
// empty) as the target and writes its path into `temp`. Only a name that is
// taken makes it try the next one; after 1000 taken names, or on any other
// refusal, it gives that error.
unsigned long CreateTemporary(FileSystem& files, const std::string& folder, std::string& temp) {
    const unsigned long start = files.temporarySeed();
    unsigned long error = kErrorFileExists;
    for (unsigned long k = 0; k < 1000 && error == kErrorFileExists; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "dvk%04lx.tmp", (start + k) & 0xFFFF);
        temp = folder + name;
        error = files.createTarget(temp);
    }
    return error;
}

// Writes the whole source into the new, empty target and closes it; then
// gives it the source's time of last change and attributes (a read-only file
// gives a read-only copy). Refused times and attributes still leave a whole
// copy. 0 or the error code.
unsigned long WriteWholeCopy(FileSystem& files, const SourceFacts& facts, const std::string& temp) {
    // Static: one copy runs at a time, and the stack stays small.
    static char buffer[1 << 20];
    for (;;) {
        std::size_t got = 0;
        if (const unsigned long error = files.readSource(buffer, sizeof buffer, got))
            return error;
        if (got == 0)
            break;
        std::size_t put = 0;
        if (const unsigned long error = files.writeTarget(buffer, got, put))
            return error;
        if (put != got)
            return kErrorDiskFull;
    }
    files.setTargetTime(facts.lastWrite);
    if (const unsigned long error = files.flushTarget())
        return error;
    if (const unsigned long error = files.closeTarget())
        return error;
    files.setAttributes(temp, facts.attributes);
    return 0;
}

} // namespace

unsigned long CopyWhole(FileSystem& files, const char* from, const char* to, bool failIfExists) {
    std::string destination;
    if (const unsigned long error = files.resolveTarget(from, to, destination))
        return error;
    SourceFacts facts;
    if (const unsigned long error = files.openSource(from, facts))
        return error;
    const OpenSource source(files);
    const PathState existing = files.stateOf(destination);
    if (failIfExists && existing.exists)
        return kErrorFileExists;
    // A read-only file is not replaced, as by a copy of the system (the final
    // step alone would replace it).
    if (existing.exists && existing.readOnly)
        return kErrorAccessDenied;

    std::string temp;
    const std::string folder = destination.substr(0, destination.find_last_of('\\') + 1);
    if (const unsigned long notMade = CreateTemporary(files, folder, temp)) {
        // A missing folder or drive, or a file in the folder's place.
        const bool noFolder = notMade == kErrorFileNotFound || notMade == kErrorPathNotFound ||
                              notMade == kErrorInvalidDrive || notMade == kErrorDirectory;
        return noFolder ? kErrorPathNotFound : notMade;
    }
    unsigned long error = WriteWholeCopy(files, facts, temp);
    if (error == 0) {
        error = files.replace(temp, destination, !failIfExists);
        if (error == kErrorAlreadyExists)
            error = kErrorFileExists;
    }
    if (error != 0) {
        files.closeTarget();
        files.setAttributes(temp, FileAttributes{});
        files.remove(temp);
    }
    return error;
}

} // namespace browser
