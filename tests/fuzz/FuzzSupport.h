#pragma once

// What every fuzz target shares: a document with recorded messages, a
// scratch folder for the readers that only take paths, and a sample
// installation for the database readers.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>

#include "document/MessageSink.h"
#include "document/RollpathDoc.h"
#include "settings/Settings.h"
#include "support/SampleInstallation.h"
#include "support/TempDir.h"

namespace rollpath::fuzz {

// One process-wide scratch folder, removed when the process ends normally.
inline const testing::TempDir& Scratch() {
    static const testing::TempDir dir("rollpath-fuzz");
    return dir;
}

// Replaces the file at path with the bytes. The old file is removed first so
// that no file system flushes a truncated file on every run.
inline void WriteInput(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// How messages name an input file.
inline constexpr const char* kInputName = "input";

inline std::span<const std::uint8_t> Input(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::span<const std::uint8_t>() : std::span<const std::uint8_t>(data, size);
}

// A document emptied and set up afresh for each input. One document serves
// the whole process: making a document (its vertex pool) costs more than
// reading most inputs, so only what a run filled is emptied.
struct FuzzDocument {
    FuzzDocument() {
        doc.SetSettings(&settings);
        doc.SetMessageSink(&messages);
        doc.SetProgramDir(Scratch().path());
        doc.SetTriangulationSeed(1u);
    }

    void Reset(const std::filesystem::path& flyDir) {
        doc.CleanUp();
        doc.m_Airport = AirportRecord{};
        doc.m_TileGrid = TileGrid{};
        doc.SetModifiedFlag(false);
        messages.Clear();
        settings = Settings{};
        settings.FlyDir = flyDir.string();
        settings.FlyDirSet = 1;
        settings.OutputDir = Scratch().path().string();
    }

    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

inline FuzzDocument& FreshDocument(const std::filesystem::path& flyDir = Scratch().path()) {
    static FuzzDocument fuzz;
    fuzz.Reset(flyDir);
    return fuzz;
}

// A sample installation of one layout, written once per process.
inline std::filesystem::path SampleInstall(SampleLayout layout, const std::string& name) {
    const std::filesystem::path dir = Scratch() / name;
    if (!std::filesystem::exists(dir / "Data")) {
        std::filesystem::create_directories(dir);
        if (!testing::WriteSampleInstallation(dir, layout)) {
            std::abort();
        }
    }
    return dir;
}

}  // namespace rollpath::fuzz
