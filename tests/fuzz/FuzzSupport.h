#pragma once

// What every fuzz target shares: a document with recorded messages, a
// scratch folder for the readers that only take paths, and a sample
// installation for the database readers.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>
#include <utility>

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

// Replaces the file at path with the bytes, in place: a file removed and made
// again would change its folder, whose listing is then made afresh, and a
// file truncated to nothing is flushed by some file systems when it closes.
// Each write gets a time of its own, as two writes within one tick of a
// coarse clock would not: what is kept while a file's size and time stay is
// read again.
inline void WriteInput(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::error_code ec;
    std::filesystem::resize_file(path, bytes.size(), ec);
    static auto written = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    std::filesystem::last_write_time(path, written += std::chrono::microseconds(1), ec);
}

// How messages name an input file.
inline constexpr const char* kInputName = "input";

// A document emptied and set up afresh for each input. One document serves
// the whole process: making a document (its vertex pool) costs more than
// reading most inputs, so only what a run filled is emptied. A run that
// leaves more allocated than it found is run again by libFuzzer, looking for
// a leak: a target whose runs differ much in size empties it at its end.
struct FuzzDocument {
    FuzzDocument() {
        doc.SetSettings(&settings);
        doc.SetMessageSink(&messages);
        doc.SetProgramDir(Scratch().path());
        doc.SetTriangulationSeed(1u);
    }

    void Empty() {
        doc.CleanUp();
        doc.m_Airport = AirportRecord{};
        doc.m_TileGrid = TileGrid{};
        doc.SetModifiedFlag(false);
        messages.Clear();
    }

    void Reset(const std::filesystem::path& flyDir, Settings base = {}) {
        Empty();
        settings = std::move(base);
        settings.FlyDir = flyDir.string();
        settings.FlyDirSet = 1;
        settings.OutputDir = Scratch().path().string();
    }

    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

// base: the settings before the folders are set to the scratch ones.
inline FuzzDocument& FreshDocument(const std::filesystem::path& flyDir = Scratch().path(),
                                   Settings base = {}) {
    static FuzzDocument fuzz;
    fuzz.Reset(flyDir, std::move(base));
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
        // Folder listings made within moments of a change are not trusted
        // (coarse file system clocks): dated back, they are made once.
        const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Scratch().path())) {
            std::filesystem::last_write_time(entry.path(), past);
        }
        std::filesystem::last_write_time(Scratch().path(), past);
    }
    return dir;
}

}  // namespace rollpath::fuzz
