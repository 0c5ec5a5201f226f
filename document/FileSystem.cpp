#include "document/FileSystem.h"

#include <cerrno>
#include <fstream>
#include <utility>

namespace rollpath {

std::error_code LastSystemError() {
    const int error = errno;
    return error != 0 ? std::error_code(error, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

namespace {

class StreamFile : public WritableFile {
public:
    explicit StreamFile(std::ofstream out) : out_(std::move(out)) {}

    bool Write(std::span<const std::uint8_t> bytes, std::error_code& reason) override {
        errno = 0;
        out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out_.good()) {
            reason = LastSystemError();
            return false;
        }
        return true;
    }

    bool Close(std::error_code& reason) override {
        if (!out_.is_open()) {
            reason = std::make_error_code(std::errc::bad_file_descriptor);
            return false;
        }
        // Closing flushes; a full disk shows here at the latest.
        errno = 0;
        out_.close();
        if (out_.fail()) {
            reason = LastSystemError();
            return false;
        }
        return true;
    }

private:
    std::ofstream out_;
};

class OsFileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> Create(const std::filesystem::path& path,
                                         std::error_code& reason) override {
        errno = 0;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            reason = LastSystemError();
            return nullptr;
        }
        return std::make_unique<StreamFile>(std::move(out));
    }

    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& reason) override {
        std::filesystem::rename(from, to, reason);
        return !reason;
    }

    bool Keep(const std::filesystem::path& file, const std::filesystem::path& copy,
              std::error_code& reason) override {
        std::error_code ignored;
        std::filesystem::remove(copy, ignored);
        std::filesystem::create_hard_link(file, copy, reason);
        if (!reason) {
            return true;
        }
        reason.clear();
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing, reason);
        return !reason;
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
