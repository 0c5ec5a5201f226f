#include "scenery/FileSystem.h"

#include <cstdio>
#include <system_error>

namespace rollpath {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class StdioFile : public WritableFile {
public:
    explicit StdioFile(std::FILE* file) : file_(file) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        if (!file_) {
            return false;
        }
        return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
    }

    bool Close() override {
        if (!file_) {
            return false;
        }
        // fclose reports a failed final flush (a full disk, say).
        return std::fclose(file_.release()) == 0;
    }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
};

class OsFileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> Create(const std::filesystem::path& path) override {
        std::FILE* file = std::fopen(path.string().c_str(), "wb");
        if (file == nullptr) {
            return nullptr;
        }
        return std::make_unique<StdioFile>(file);
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
