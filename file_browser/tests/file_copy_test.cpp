#include "model/file_copy.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using namespace browser;

enum class Step {
    None,
    Open,
    Read,
    Create,
    Write,
    Time,
    Flush,
    Close,
    Attributes,
    Replace,
    Remove
};
enum class Target { Absent, Plain, ReadOnly };

// Files in memory. The call of `failAt` fails, with `code` where it gives
// one (reads and writes at the second piece; a write without a code takes
// one byte short); the disk takes `room` bytes.
struct FakeFiles : FileSystem {
    std::map<std::string, std::string> files;
    std::map<std::string, FileAttributes> attributes;
    std::map<std::string, FileTime> times;
    Step failAt = Step::None;
    unsigned long code = 0;
    std::size_t room = std::string::npos;
    std::string source, target; // the open ones; empty when closed
    std::size_t readAt = 0;
    int pieces = 0;

    bool fails(Step step) {
        return step == failAt && ((step != Step::Read && step != Step::Write) || ++pieces == 2);
    }
    unsigned long resolveTarget(const char*, const char* to, std::string& out) override {
        out = to;
        return 0;
    }
    PathState stateOf(const std::string& path) override {
        return PathState{files.count(path) > 0, attributes[path].readOnly};
    }
    unsigned long openSource(const char* path, SourceFacts& facts) override {
        if (fails(Step::Open))
            return kErrorFileNotFound;
        source = path;
        facts = SourceFacts{attributes[path], times[path]};
        return 0;
    }
    unsigned long readSource(char* buffer, std::size_t capacity, std::size_t& got) override {
        if (fails(Step::Read))
            return code;
        got = files[source].copy(buffer, capacity, readAt);
        readAt += got;
        return 0;
    }
    void closeSource() override { source.clear(); }
    unsigned long createTarget(const std::string& path) override {
        if (fails(Step::Create))
            return code;
        if (files.count(path))
            return kErrorFileExists;
        files[path];
        target = path;
        return 0;
    }
    unsigned long writeTarget(const char* data, std::size_t size, std::size_t& put) override {
        put = std::min(size, room);
        if (fails(Step::Write)) {
            if (code != 0)
                return code;
            put = size - 1; // taken short without a word, the rest may follow
        }
        if (put == 0)
            return kErrorDiskFull;
        room -= put;
        files[target].append(data, put);
        return 0;
    }
    bool setTargetTime(FileTime lastWrite) override {
        if (fails(Step::Time))
            return false;
        times[target] = lastWrite;
        return true;
    }
    unsigned long flushTarget() override { return fails(Step::Flush) ? code : 0; }
    unsigned long closeTarget() override {
        target.clear();
        return fails(Step::Close) ? code : 0;
    }
    bool setAttributes(const std::string& path, FileAttributes a) override {
        if (fails(Step::Attributes))
            return false;
        attributes[path] = a;
        return true;
    }
    unsigned long replace(const std::string& from, const std::string& to, bool replace) override {
        if (fails(Step::Replace))
            return code;
        if (files.count(to) && !replace)
            return kErrorAlreadyExists;
        files[to] = files[from];
        attributes[to] = attributes[from];
        times[to] = times[from];
        files.erase(from);
        return 0;
    }
    bool remove(const std::string& path) override {
        return !fails(Step::Remove) && files.erase(path) > 0;
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
        {"existing kept", Step::None, 0, kAll, kOld, true, kErrorFileExists, false, false},
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
        {"attributes refused", Step::Attributes, 0, kAll, kOld, false, 0, true, false},
        {"replace refused", Step::Replace, kErrorAccessDenied, kAll, kOld, false, 5, false, false},
        {"name taken meanwhile", Step::Replace, kErrorAlreadyExists, kAll, kNew, true, 80, false,
         false},
        {"remove refused too", Step::Remove, 0, kPiece, kOld, false, 112, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeFiles fs;
        const std::string from = "c:\\a\\src.bin", to = "d:\\b\\old.bin";
        std::string bytes(2 * kPiece + 5, 'x');
        bytes[kPiece + 3] = 'y';
        fs.files[from] = bytes;
        fs.attributes[from] = FileAttributes{true, false, false, true};
        fs.times[from] = FileTime{0x1d9a0b0c0d0e0f1};
        if (row.target != kNew)
            fs.files[to] = "old";
        fs.attributes[to].readOnly = row.target == Target::ReadOnly;
        fs.failAt = row.failAt;
        fs.code = row.code;
        fs.room = row.room;
        EXPECT_EQ(CopyWhole(fs, from.c_str(), to.c_str(), row.failIfExists), row.result);
        const std::string was = row.target == kNew ? "<absent>" : "old";
        EXPECT_EQ(fs.files.count(to) ? fs.files[to] : "<absent>", row.copied ? bytes : was);
        EXPECT_EQ(fs.files.size(), row.tempLeft ? 3u : 2u - (row.target == kNew && !row.copied))
            << "last file " << fs.files.rbegin()->first;
        EXPECT_EQ(fs.files.count("d:\\b\\dvkfffe.tmp"), row.tempLeft ? 1u : 0u);
        EXPECT_TRUE(fs.source.empty() && fs.target.empty()) << "a file was left open";
        if (row.copied && row.failAt == Step::None) {
            EXPECT_TRUE(fs.attributes[to].readOnly && fs.attributes[to].archive);
            EXPECT_EQ(fs.times[to].ticks, fs.times[from].ticks);
        }
    }
}

} // namespace
