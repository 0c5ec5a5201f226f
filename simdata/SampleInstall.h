#pragma once

// Writers of the simulator's database layouts, for a sample installation (and
// for tests): the loose "\DATABASE" files with their indexes, and the same
// data as members of ".epd" or ".pod" archives in "\System". The editor itself
// never writes the simulator's database.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simdata/LittleEndian.h"
#include "simdata/SampleAirport.h"

namespace rollpath {

enum class SampleLayout { Loose, Epd, Pod, All };

// "loose", "epd", "pod" or "all".
std::optional<SampleLayout> ParseSampleLayout(std::string_view text);

// One record, recordLength bytes, unused bytes zero. Positions are stored in
// arcseconds, longitudes east from 0 up to 360 degrees.
Bytes EncodeAirportRecord(const SampleAirport& airport, std::size_t recordLength);
Bytes EncodeRunwayRecord(const SampleRunway& runway, std::string_view airportKey, std::size_t recordLength);

// A database file or member: a 56-byte header, then the records back to back
// (airports in order; runways airport by airport, each in its order).
Bytes EncodeAirportDatabase(const std::vector<SampleAirport>& airports, std::size_t recordLength);
Bytes EncodeRunwayDatabase(const std::vector<SampleAirport>& airports, std::size_t recordLength);

// The loose database: "AIRPORT.DBD", "RUNWAY.DBD" and the three indexes
// ("APRTFAA.DBI" by first identifier, "APRTICAO.DBI" by second identifier,
// "RUNWAY.DBI" by airport key; entries sorted by key, keeping file order among
// equal keys; airports without the identifier are not listed).
struct LooseDatabaseFiles {
    Bytes airports;
    Bytes runways;
    Bytes faaIndex;
    Bytes icaoIndex;
    Bytes runwayIndex;
};
LooseDatabaseFiles EncodeLooseDatabase(const std::vector<SampleAirport>& airports);

struct ArchiveMemberData {
    std::string name;
    Bytes data;
};

// An ".epd" archive: the header, a directory of max(members + 1, 10) - 1
// entries (unused ones empty, so that readers walking the minimum count never
// step into member data), then the members.
Bytes EncodeEpdArchive(const std::vector<ArchiveMemberData>& members);

// A ".pod" archive: the header, the members, then the directory (entries,
// then the NUL-terminated names).
Bytes EncodePodArchive(const std::vector<ArchiveMemberData>& members);

// Writes the layout's files under flyDir (creating "DATABASE", "System" and
// the output folder "Data"); each file through a temporary file renamed over
// the old one. The loose layout has ".pod" archives without airports beside
// its database, as the archives locate an installation. False with a reason
// when something cannot be written.
bool WriteSampleInstallation(const std::filesystem::path& flyDir, const std::vector<SampleAirport>& airports,
                             SampleLayout layout, std::string& error);

}  // namespace rollpath
