#pragma once

// The records of the simulator's airport and runway database, the index files
// of the loose database and the directories of its two archive kinds. Only
// the fields the editor reads are named; all numbers are little-endian and
// records are packed, so doubles may sit at any offset.

#include <cstddef>

namespace rollpath::dblayout {

// Record lengths: the loose database and the .pod archives share one layout,
// the .epd archives another; the fields sit at the same offsets in both.
inline constexpr std::size_t kLooseAirportRecord = 260;
inline constexpr std::size_t kLooseRunwayRecord = 271;
inline constexpr std::size_t kEpdAirportRecord = 330;
inline constexpr std::size_t kEpdRunwayRecord = 251;
inline constexpr std::size_t kPodAirportRecord = kLooseAirportRecord;
inline constexpr std::size_t kPodRunwayRecord = kLooseRunwayRecord;

// Airport record.
inline constexpr std::size_t kAirportKey = 4;
inline constexpr std::size_t kKeyLength = 10;
inline constexpr std::size_t kAirportFaaId = 14;
inline constexpr std::size_t kFaaIdLength = 4;
inline constexpr std::size_t kAirportIcaoId = 18;
inline constexpr std::size_t kIcaoIdLength = 5;
inline constexpr std::size_t kAirportName = 23;
inline constexpr std::size_t kNameLength = 40;
inline constexpr std::size_t kAirportLat = 93;   // double, arcseconds
inline constexpr std::size_t kAirportLon = 101;  // double, arcseconds east, 0 to 360 degrees' worth
inline constexpr std::size_t kAirportElevation = 109;

// Runway record.
inline constexpr std::size_t kRunwayAirportKey = 14;
inline constexpr std::size_t kRunwayLength = 24;
inline constexpr std::size_t kRunwayWidth = 28;
inline constexpr std::size_t kRunwaySurface = 32;
inline constexpr std::size_t kRunwayClosed = 57;  // signed byte
inline constexpr std::size_t kDesignatorLength = 4;
// The second end's fields sit 96 bytes after the first end's.
inline constexpr std::size_t kRunwayEnd1Id = 59;
inline constexpr std::size_t kRunwayEnd1Lat = 63;
inline constexpr std::size_t kRunwayEnd1Lon = 71;
inline constexpr std::size_t kRunwayEnd1Displaced = 99;
inline constexpr std::size_t kRunwayEnd1Attr = 114;
inline constexpr std::size_t kRunwayEnd2Id = 155;
inline constexpr std::size_t kRunwayEnd2Lat = 159;
inline constexpr std::size_t kRunwayEnd2Lon = 167;
inline constexpr std::size_t kRunwayEnd2Displaced = 195;
inline constexpr std::size_t kRunwayEnd2Attr = 210;

// Index files: a count at byte 16, entries from byte 68, each a key text
// followed by the int32 byte offset of the record.
inline constexpr std::size_t kIndexCount = 16;
inline constexpr std::size_t kIndexEntries = 68;

struct IndexLayout {
    std::size_t entrySize;
    std::size_t keyLength;  // bytes before the value
    std::size_t valueOffset;
};
inline constexpr IndexLayout kFaaIndex{8, 4, 4};
inline constexpr IndexLayout kIcaoIndex{9, 5, 5};
inline constexpr IndexLayout kRunwayIndex{14, 10, 10};

// Every database member of an archive starts with a header the reader skips.
inline constexpr std::size_t kMemberHeader = 56;

// .epd archive.
inline constexpr std::size_t kEpdHeader = 272;
inline constexpr std::size_t kEpdCount = 260;
inline constexpr int kEpdMinimumCount = 10;  // a smaller count counts as this
inline constexpr std::size_t kEpdEntry = 80;
inline constexpr std::size_t kEpdEntryName = 0;
inline constexpr std::size_t kEpdEntryNameField = 64;
inline constexpr std::size_t kEpdNameCompared = 20;
inline constexpr std::size_t kEpdEntrySize = 64;
inline constexpr std::size_t kEpdEntryOffset = 68;

// .pod archive.
inline constexpr std::size_t kPodHeader = 288;
inline constexpr std::size_t kPodCount = 88;
inline constexpr std::size_t kPodDirectoryOffset = 264;
inline constexpr std::size_t kPodEntry = 20;
inline constexpr std::size_t kPodEntrySize = 4;
inline constexpr std::size_t kPodEntryOffset = 8;
inline constexpr std::size_t kPodMaxNameLength = 1023;

// Member names inside the archives.
inline constexpr const char* kAirportMember = "DATABASE\\AIRPORT.DBD";
inline constexpr const char* kRunwayMember = "DATABASE\\RUNWAY.DBD";

}  // namespace rollpath::dblayout
