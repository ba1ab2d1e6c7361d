#include "model/file_copy.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace browser;

enum class Step { None, Open, Read, Create, Write, Time, Flush, Close, Attrs, Replace, Remove };
enum class Target { Absent, Plain, ReadOnly };

struct File {
    std::string bytes;
    FileAttributes attributes;
    FileTime time;
};

// Files in memory. The call of `failAt` fails, with `code` where it gives
// one (reads and writes at the second piece; a write without a code takes
// one byte short); the disk takes `room` bytes.
struct FakeFiles : FileSystem {
    std::map<std::string, File> disk;
    Step failAt = Step::None;
    unsigned long code = 0;
    std::size_t room = std::string::npos;
    std::string source, target; // the open ones; empty when closed
    std::size_t readAt = 0;
    int pieces = 0;

    bool fails(Step step) {
        return step == failAt && ((step != Step::Read && step != Step::Write) || ++pieces == 2);
    }
    unsigned long refused(Step step) { return fails(step) ? code : 0; }

    unsigned long resolveTarget(const char*, const char* to, std::string& out) override {
        out = to;
        return 0;
    }
    PathState stateOf(const std::string& path) override {
        const auto it = disk.find(path);
        return PathState{it != disk.end(), it != disk.end() && it->second.attributes.readOnly};
    }
    unsigned long openSource(const char* path, SourceFacts& facts) override {
        source = fails(Step::Open) ? "" : path;
        facts = SourceFacts{disk[path].attributes, disk[path].time};
        return source.empty() ? kErrorFileNotFound : 0;
    }
    unsigned long readSource(char* buffer, std::size_t capacity, std::size_t& got) override {
        got = disk[source].bytes.copy(buffer, capacity, readAt);
        readAt += got;
        return refused(Step::Read);
    }
    void closeSource() override { source.clear(); }
    unsigned long createTarget(const std::string& path) override {
        if (disk.count(path) || fails(Step::Create))
            return disk.count(path) ? kErrorFileExists : code;
        target = path;
        disk[path];
        return 0;
    }
    unsigned long writeTarget(const char* data, std::size_t size, std::size_t& put) override {
        put = std::min(size, room);
        if (fails(Step::Write)) {
            if (code != 0)
                return code;
            put = size - 1; // taken short without a word, the rest may follow
        }
        room -= put;
        disk[target].bytes.append(data, put);
        return put == 0 ? kErrorDiskFull : 0;
    }
    bool setTargetTime(FileTime lastWrite) override {
        return !fails(Step::Time) && (disk[target].time = lastWrite, true);
    }
    unsigned long flushTarget() override { return refused(Step::Flush); }
    unsigned long closeTarget() override {
        target.clear();
        return refused(Step::Close);
    }
    bool setAttributes(const std::string& path, FileAttributes attributes) override {
        return !fails(Step::Attrs) && (disk[path].attributes = attributes, true);
    }
    unsigned long replace(const std::string& from, const std::string& to, bool replace) override {
        if (const unsigned long error = refused(Step::Replace))
            return error;
        if (disk.count(to) && !replace)
            return kErrorAlreadyExists;
        disk[to] = disk[from];
        disk.erase(from);
        return 0;
    }
    bool remove(const std::string& path) override {
        // Read-only files are not deleted, as on Win32.
        return !fails(Step::Remove) && !disk[path].attributes.readOnly && disk.erase(path) > 0;
    }
    unsigned long temporarySeed() override { return 0x1fffe; }
};

struct Row {
    const char* what;
    Step failAt;
    unsigned long code;
    std::size_t room;
    Target target;
    bool failIfExists;
    unsigned long result;
    bool copied;   // the target holds the source's bytes, else what it held
    bool tempLeft; // a temporary file is left
};

TEST(CopyWhole, FailsAtAnyStepLeavingTheTargetAsItWasAndNoTemporary) {
    constexpr std::size_t kAll = std::string::npos, kPiece = 1 << 20;
    constexpr Target kNew = Target::Absent, kOld = Target::Plain;
    const Row rows[] = {
        {"whole copy", Step::None, 0, kAll, kOld, false, 0, true, false},
        {"new file", Step::None, 0, kAll, kNew, true, 0, true, false},
        {"existing kept, unwritten", Step::None, 0, 0, kOld, true, 80, false, false},
        {"read-only target", Step::None, 0, kAll, Target::ReadOnly, false, 5, false, false},
        {"source not opened", Step::Open, 0, kAll, kOld, false, 2, false, false},
        {"read error, piece 2", Step::Read, 23, kAll, kOld, false, 23, false, false},
        {"folder missing", Step::Create, kErrorPathNotFound, kAll, kNew, true, 3, false, false},
        {"folder is a file", Step::Create, kErrorDirectory, kAll, kNew, true, 3, false, false},
        {"no such drive", Step::Create, kErrorInvalidDrive, kAll, kNew, true, 3, false, false},
        {"create refused", Step::Create, kErrorAccessDenied, kAll, kOld, false, 5, false, false},
        {"disk full at once", Step::None, 0, 0, kOld, false, kErrorDiskFull, false, false},
        {"disk full after N", Step::None, 0, kPiece + 7, kNew, true, 112, false, false},
        {"short write, piece 2", Step::Write, 0, kAll, kOld, false, 112, false, false},
        {"write error, piece 2", Step::Write, 33, kAll, kOld, false, 33, false, false},
        {"flush refused", Step::Flush, 1117, kAll, kOld, false, 1117, false, false},
        {"close refused", Step::Close, 1117, kAll, kOld, false, 1117, false, false},
        {"time refused", Step::Time, 0, kAll, kOld, false, 0, true, false},
        {"attributes refused", Step::Attrs, 0, kAll, kOld, false, 0, true, false},
        {"replace refused", Step::Replace, kErrorAccessDenied, kAll, kOld, false, 5, false, false},
        {"name taken meanwhile", Step::Replace, kErrorAlreadyExists, kAll, kNew, true, 80, false,
         false},
        {"remove refused too", Step::Remove, 0, kPiece, kOld, false, 112, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeFiles files;
        const std::string from = "c:\\a\\src.bin", to = "d:\\b\\old.bin";
        std::string bytes(2 * kPiece + 5, 'x');
        bytes[kPiece + 3] = 'y';
        files.disk[from] =
            File{bytes, FileAttributes{true, false, false, true}, {0x1d9a0b0c0d0e0f1}};
        if (row.target != kNew)
            files.disk[to] = File{"old", FileAttributes{row.target == Target::ReadOnly}, {}};
        files.failAt = row.failAt;
        files.code = row.code;
        files.room = row.room;
        EXPECT_EQ(CopyWhole(files, from.c_str(), to.c_str(), row.failIfExists), row.result);
        const std::string was = row.target == kNew ? "<absent>" : "old";
        EXPECT_EQ(files.disk.count(to) ? files.disk[to].bytes : "<absent>",
                  row.copied ? bytes : was);
        EXPECT_EQ(files.disk.size(), row.tempLeft ? 3u : 2u - (row.target == kNew && !row.copied))
            << "last file " << files.disk.rbegin()->first;
        EXPECT_EQ(files.disk.count("d:\\b\\dvkfffe.tmp"), row.tempLeft ? 1u : 0u);
        EXPECT_TRUE(files.source.empty() && files.target.empty()) << "a file was left open";
        if (row.copied && row.failAt == Step::None) {
            EXPECT_TRUE(files.disk[to].attributes.readOnly && files.disk[to].attributes.archive);
            EXPECT_EQ(files.disk[to].time.ticks, files.disk[from].time.ticks);
        }
    }
}

} // namespace
