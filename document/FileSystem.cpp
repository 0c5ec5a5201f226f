#include "document/FileSystem.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace rollpath {
namespace {

class StreamFile : public WritableFile {
public:
    explicit StreamFile(std::ofstream out) : out_(std::move(out)) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return out_.good();
    }

    bool Close() override {
        if (!out_.is_open()) {
            return false;
        }
        // Closing flushes; a full disk shows here at the latest.
        out_.close();
        return !out_.fail();
    }

private:
    std::ofstream out_;
};

class OsFileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> Create(const std::filesystem::path& path) override {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            return nullptr;
        }
        return std::make_unique<StreamFile>(std::move(out));
    }

    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        return !ec;
    }

    void Remove(const std::filesystem::path& path) override {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static OsFileSystem files;
    return files;
}

}  // namespace rollpath
