#include "simdata/SampleInstall.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "document/Utf8Path.h"
#include "simdata/DatabaseLayout.h"

namespace rollpath {

namespace {

namespace L = dblayout;

constexpr std::string_view kHeaderTag = "Rollpath sample database";

double StoredLatitude(double degrees) {
    return degrees * 3600.0;
}

// East from 0 up to 360 degrees, as the database counts longitudes.
double StoredLongitude(double degrees) {
    return (degrees < 0.0 ? degrees + 360.0 : degrees) * 3600.0;
}

Bytes Header(std::size_t size) {
    Bytes header(size, 0);
    PutText(header, 0, kHeaderTag, kHeaderTag.size());
    return header;
}

void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

struct IndexEntry {
    std::string key;
    std::uint32_t offset;
};

Bytes EncodeIndex(std::vector<IndexEntry> entries, const L::IndexLayout& layout) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
    Bytes bytes = Header(L::kIndexEntries);
    PutUInt32(bytes, L::kIndexCount, static_cast<std::uint32_t>(entries.size()));
    for (const IndexEntry& entry : entries) {
        Bytes row(layout.entrySize, 0);
        PutText(row, 0, entry.key, layout.keyLength);
        PutUInt32(row, layout.valueOffset, entry.offset);
        Append(bytes, row);
    }
    return bytes;
}

bool WriteFileReplacing(const std::filesystem::path& path, const Bytes& bytes, std::string& error) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + Utf8FromPath(temporary);
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        error = "cannot write " + Utf8FromPath(path) + ": " + ec.message();
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool MakeFolder(const std::filesystem::path& path, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        error = "cannot create " + Utf8FromPath(path) + ": " + ec.message();
        return false;
    }
    return true;
}

std::vector<ArchiveMemberData> AirportMembers(const std::vector<SampleAirport>& airports,
                                              std::size_t recordLength) {
    return {{L::kAirportMember, EncodeAirportDatabase(airports, recordLength)}};
}

std::vector<ArchiveMemberData> RunwayMembers(const std::vector<SampleAirport>& airports,
                                             std::size_t recordLength) {
    return {{L::kRunwayMember, EncodeRunwayDatabase(airports, recordLength)}};
}

bool WriteLoose(const std::filesystem::path& flyDir, const std::vector<SampleAirport>& airports,
                std::string& error) {
    const std::filesystem::path folder = flyDir / "DATABASE";
    if (!MakeFolder(folder, error)) {
        return false;
    }
    const LooseDatabaseFiles files = EncodeLooseDatabase(airports);
    return WriteFileReplacing(folder / "AIRPORT.DBD", files.airports, error) &&
           WriteFileReplacing(folder / "RUNWAY.DBD", files.runways, error) &&
           WriteFileReplacing(folder / "APRTFAA.DBI", files.faaIndex, error) &&
           WriteFileReplacing(folder / "APRTICAO.DBI", files.icaoIndex, error) &&
           WriteFileReplacing(folder / "RUNWAY.DBI", files.runwayIndex, error);
}

bool WriteEpd(const std::filesystem::path& flyDir, const std::vector<SampleAirport>& airports,
              std::string& error) {
    const std::filesystem::path folder = flyDir / "System";
    return MakeFolder(folder, error) &&
           WriteFileReplacing(folder / "Airport.epd",
                              EncodeEpdArchive(AirportMembers(airports, L::kEpdAirportRecord)), error) &&
           WriteFileReplacing(folder / "Runway.epd",
                              EncodeEpdArchive(RunwayMembers(airports, L::kEpdRunwayRecord)), error);
}

bool WritePod(const std::filesystem::path& flyDir, const std::vector<SampleAirport>& airports,
              std::string& error) {
    const std::filesystem::path folder = flyDir / "System";
    return MakeFolder(folder, error) &&
           WriteFileReplacing(folder / "Airport.pod",
                              EncodePodArchive(AirportMembers(airports, L::kPodAirportRecord)), error) &&
           WriteFileReplacing(folder / "Runway.pod",
                              EncodePodArchive(RunwayMembers(airports, L::kPodRunwayRecord)), error);
}

// Offsets in the files are 32-bit; the largest record layout bounds the size.
bool FitsInt32Offsets(const std::vector<SampleAirport>& airports) {
    std::uint64_t bytes = 4096;
    for (const SampleAirport& airport : airports) {
        bytes += L::kEpdAirportRecord + airport.runways.size() * L::kLooseRunwayRecord;
    }
    return bytes < 0x7FFFFFFFu;
}

}  // namespace

std::optional<SampleLayout> ParseSampleLayout(std::string_view text) {
    if (text == "loose") {
        return SampleLayout::Loose;
    }
    if (text == "epd") {
        return SampleLayout::Epd;
    }
    if (text == "pod") {
        return SampleLayout::Pod;
    }
    if (text == "all") {
        return SampleLayout::All;
    }
    return std::nullopt;
}

Bytes EncodeAirportRecord(const SampleAirport& airport, std::size_t recordLength) {
    Bytes record(recordLength, 0);
    PutText(record, L::kAirportKey, airport.key, L::kKeyLength);
    PutText(record, L::kAirportFaaId, airport.faaId, L::kFaaIdLength);
    PutText(record, L::kAirportIcaoId, airport.icaoId, L::kIcaoIdLength);
    PutText(record, L::kAirportName, airport.name, L::kNameLength);
    PutDouble(record, L::kAirportLat, StoredLatitude(airport.lat));
    PutDouble(record, L::kAirportLon, StoredLongitude(airport.lon));
    PutInt32(record, L::kAirportElevation, airport.elevation);
    return record;
}

Bytes EncodeRunwayRecord(const SampleRunway& runway, std::string_view airportKey, std::size_t recordLength) {
    Bytes record(recordLength, 0);
    PutText(record, L::kRunwayAirportKey, airportKey, L::kKeyLength);
    PutInt32(record, L::kRunwayLength, runway.length);
    PutInt32(record, L::kRunwayWidth, runway.width);
    PutInt32(record, L::kRunwaySurface, runway.surface);
    if (L::kRunwayClosed < record.size()) {
        record[L::kRunwayClosed] = static_cast<std::uint8_t>(runway.closed);
    }
    PutText(record, L::kRunwayEnd1Id, runway.id0, L::kDesignatorLength);
    PutDouble(record, L::kRunwayEnd1Lat, StoredLatitude(runway.lat0));
    PutDouble(record, L::kRunwayEnd1Lon, StoredLongitude(runway.lon0));
    PutInt32(record, L::kRunwayEnd1Displaced, runway.displaced0);
    PutInt32(record, L::kRunwayEnd1Attr, runway.endAttr0);
    PutText(record, L::kRunwayEnd2Id, runway.id1, L::kDesignatorLength);
    PutDouble(record, L::kRunwayEnd2Lat, StoredLatitude(runway.lat1));
    PutDouble(record, L::kRunwayEnd2Lon, StoredLongitude(runway.lon1));
    PutInt32(record, L::kRunwayEnd2Displaced, runway.displaced1);
    PutInt32(record, L::kRunwayEnd2Attr, runway.endAttr1);
    return record;
}

Bytes EncodeAirportDatabase(const std::vector<SampleAirport>& airports, std::size_t recordLength) {
    Bytes bytes = Header(L::kMemberHeader);
    bytes.reserve(bytes.size() + airports.size() * recordLength);
    for (const SampleAirport& airport : airports) {
        Append(bytes, EncodeAirportRecord(airport, recordLength));
    }
    return bytes;
}

Bytes EncodeRunwayDatabase(const std::vector<SampleAirport>& airports, std::size_t recordLength) {
    Bytes bytes = Header(L::kMemberHeader);
    for (const SampleAirport& airport : airports) {
        for (const SampleRunway& runway : airport.runways) {
            Append(bytes, EncodeRunwayRecord(runway, airport.key, recordLength));
        }
    }
    return bytes;
}

LooseDatabaseFiles EncodeLooseDatabase(const std::vector<SampleAirport>& airports) {
    LooseDatabaseFiles files;
    files.airports = EncodeAirportDatabase(airports, L::kLooseAirportRecord);
    files.runways = EncodeRunwayDatabase(airports, L::kLooseRunwayRecord);
    std::vector<IndexEntry> faa;
    std::vector<IndexEntry> icao;
    std::vector<IndexEntry> runways;
    auto runwayOffset = static_cast<std::uint32_t>(L::kMemberHeader);
    for (std::size_t i = 0; i < airports.size(); ++i) {
        const SampleAirport& airport = airports[i];
        const auto offset = static_cast<std::uint32_t>(L::kMemberHeader + i * L::kLooseAirportRecord);
        if (!airport.faaId.empty()) {
            faa.push_back({airport.faaId.substr(0, L::kFaaIdLength), offset});
        }
        if (!airport.icaoId.empty()) {
            icao.push_back({airport.icaoId.substr(0, L::kIcaoIdLength), offset});
        }
        for (std::size_t r = 0; r < airport.runways.size(); ++r) {
            runways.push_back({airport.key.substr(0, L::kKeyLength), runwayOffset});
            runwayOffset += static_cast<std::uint32_t>(L::kLooseRunwayRecord);
        }
    }
    files.faaIndex = EncodeIndex(std::move(faa), L::kFaaIndex);
    files.icaoIndex = EncodeIndex(std::move(icao), L::kIcaoIndex);
    files.runwayIndex = EncodeIndex(std::move(runways), L::kRunwayIndex);
    return files;
}

Bytes EncodeEpdArchive(const std::vector<ArchiveMemberData>& members) {
    const std::size_t count = std::max<std::size_t>(members.size() + 1, L::kEpdMinimumCount);
    const std::size_t entries = count - 1;
    Bytes bytes = Header(L::kEpdHeader);
    PutUInt32(bytes, L::kEpdCount, static_cast<std::uint32_t>(count));
    Bytes directory(entries * L::kEpdEntry, 0);
    std::size_t offset = L::kEpdHeader + directory.size();
    for (std::size_t i = 0; i < members.size(); ++i) {
        const std::size_t at = i * L::kEpdEntry;
        PutText(directory, at + L::kEpdEntryName, members[i].name, L::kEpdEntryNameField - 1);
        PutUInt32(directory, at + L::kEpdEntrySize, static_cast<std::uint32_t>(members[i].data.size()));
        PutUInt32(directory, at + L::kEpdEntryOffset, static_cast<std::uint32_t>(offset));
        offset += members[i].data.size();
    }
    Append(bytes, directory);
    for (const ArchiveMemberData& member : members) {
        Append(bytes, member.data);
    }
    return bytes;
}

Bytes EncodePodArchive(const std::vector<ArchiveMemberData>& members) {
    Bytes bytes = Header(L::kPodHeader);
    Bytes entries(members.size() * L::kPodEntry, 0);
    Bytes names;
    for (std::size_t i = 0; i < members.size(); ++i) {
        PutUInt32(entries, i * L::kPodEntry + L::kPodEntrySize,
                  static_cast<std::uint32_t>(members[i].data.size()));
        PutUInt32(entries, i * L::kPodEntry + L::kPodEntryOffset, static_cast<std::uint32_t>(bytes.size()));
        Append(bytes, members[i].data);
        names.insert(names.end(), members[i].name.begin(), members[i].name.end());
        names.push_back(0);
    }
    PutUInt32(bytes, L::kPodCount, static_cast<std::uint32_t>(members.size()));
    PutUInt32(bytes, L::kPodDirectoryOffset, static_cast<std::uint32_t>(bytes.size()));
    Append(bytes, entries);
    Append(bytes, names);
    return bytes;
}

bool WriteSampleInstallation(const std::filesystem::path& flyDir, const std::vector<SampleAirport>& airports,
                             SampleLayout layout, std::string& error) {
    if (!FitsInt32Offsets(airports)) {
        error = "too many runways for the database's 32-bit offsets";
        return false;
    }
    if (!MakeFolder(flyDir / "Data", error)) {
        return false;
    }
    const bool all = layout == SampleLayout::All;
    if ((all || layout == SampleLayout::Loose) && !WriteLoose(flyDir, airports, error)) {
        return false;
    }
    // The archives locate an installation: a loose one has them too, empty.
    if (layout == SampleLayout::Loose && !WritePod(flyDir, {}, error)) {
        return false;
    }
    if ((all || layout == SampleLayout::Epd) && !WriteEpd(flyDir, airports, error)) {
        return false;
    }
    if ((all || layout == SampleLayout::Pod) && !WritePod(flyDir, airports, error)) {
        return false;
    }
    return true;
}

}  // namespace rollpath
