#include "simdata/ArchiveDatabase.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "document/InstallPaths.h"
#include "document/Utf8Path.h"
#include "simdata/ArchiveDirectory.h"
#include "simdata/ArchiveRecordCache.h"
#include "simdata/DatabaseLayout.h"
#include "simdata/DatabaseRecords.h"
#include "simdata/RunwayCheck.h"

namespace rollpath {

namespace {

namespace L = dblayout;

// What differs between the two archive kinds.
struct ArchiveKind {
    const char* airportArchive;  // relative to the Fly! folder
    const char* airportLabel;    // as the messages name it
    const char* runwayArchive;
    const char* runwayLabel;
    std::size_t airportRecord;
    std::size_t runwayRecord;
    MemberLookup (*findMember)(BinaryFile&, std::string_view, ArchiveMember&);
};

constexpr ArchiveKind kEpd{"\\System\\Airport.epd", "AIRPORT.EPD",       "\\System\\Runway.epd", "RUNWAY.EPD",
                           L::kEpdAirportRecord,    L::kEpdRunwayRecord, &FindEpdMember};
constexpr ArchiveKind kPod{"\\System\\Airport.pod", "AIRPORT.POD",       "\\System\\Runway.pod", "RUNWAY.POD",
                           L::kPodAirportRecord,    L::kPodRunwayRecord, &FindPodMember};

class ArchiveReader {
public:
    ArchiveReader(CRollpathDoc& doc, const ArchiveKind& kind, const std::string& code)
        : m_Doc(doc), m_Kind(kind), m_Code(code) {}

    int Read(double& latArcsec, double& lonArcsec);

private:
    int ReadArchives(ArchiveRecords& records, double& latArcsec, double& lonArcsec);
    int UseRecords(const ArchiveRecords& records, double& latArcsec, double& lonArcsec);
    std::optional<std::array<ArchiveStamp, 2>> Stamps() const;
    // Opens the archive and finds the member: 1, or 0 when the archive does
    // not exist (it holds nothing, which is no error), or -1 after a message.
    int OpenMember(const char* archiveName, const char* label, const char* memberName, BinaryFile& archive,
                   ArchiveMember& member);
    void ReportDamaged(const char* label) { m_Doc.Messages().Show(std::string(label) + " is damaged"); }

    CRollpathDoc& m_Doc;
    const ArchiveKind& m_Kind;
    const std::string& m_Code;
};

int ArchiveReader::OpenMember(const char* archiveName, const char* label, const char* memberName,
                              BinaryFile& archive, ArchiveMember& member) {
    const std::filesystem::path path =
        ResolveInstallPath(PathFromUtf8(m_Doc.GetSettings().FlyDir), archiveName);
    if (!InstallPathExists(PathFromUtf8(m_Doc.GetSettings().FlyDir), archiveName)) {
        return 0;
    }
    if (!archive.Open(path)) {
        m_Doc.Messages().Show(std::string("Cannot open ") + label);
        return -1;
    }
    switch (m_Kind.findMember(archive, memberName, member)) {
        case MemberLookup::Found:
            return 1;
        case MemberLookup::Missing:
            archive.Close();
            m_Doc.Messages().Show(std::string(memberName) + " not found in " + Utf8FromPath(path));
            return -1;
        case MemberLookup::Damaged:
            break;
    }
    archive.Close();
    ReportDamaged(label);
    return -1;
}

std::optional<std::array<ArchiveStamp, 2>> ArchiveReader::Stamps() const {
    const std::filesystem::path flyDir = PathFromUtf8(m_Doc.GetSettings().FlyDir);
    auto airports = StampOf(ResolveInstallPath(flyDir, m_Kind.airportArchive));
    auto runways = StampOf(ResolveInstallPath(flyDir, m_Kind.runwayArchive));
    if (!airports || !runways) {
        return std::nullopt;
    }
    return std::array<ArchiveStamp, 2>{std::move(*airports), std::move(*runways)};
}

// The records come from the cache while the archives are unchanged (taken
// before they are read, so that a change while reading is seen next time).
int ArchiveReader::Read(double& latArcsec, double& lonArcsec) {
    const auto stamps = Stamps();
    const std::string key = std::string(m_Kind.airportLabel) + '\n' + m_Code;
    if (stamps) {
        if (const auto cached = CachedArchiveRecords(key, *stamps)) {
            return UseRecords(*cached, latArcsec, lonArcsec);
        }
    }
    ArchiveRecords records;
    const int result = ReadArchives(records, latArcsec, lonArcsec);
    if (result == 1 && stamps) {
        KeepArchiveRecords(key, *stamps, records);
    }
    return result;
}

int ArchiveReader::UseRecords(const ArchiveRecords& records, double& latArcsec, double& lonArcsec) {
    const StoredPosition stored = DecodeAirportRecord(records.airport, m_Doc.m_Airport);
    latArcsec = stored.latArcsec;
    lonArcsec = stored.lonArcsec;
    RunwayCollector collector(m_Doc);
    for (const Bytes& record : records.runways) {
        collector.Add(DecodeRunwayRecord(record));
    }
    collector.ReportDropped();
    return 1;
}

int ArchiveReader::ReadArchives(ArchiveRecords& records, double& latArcsec, double& lonArcsec) {
    BinaryFile airports;
    ArchiveMember airportMember;
    if (const int opened = OpenMember(m_Kind.airportArchive, m_Kind.airportLabel, L::kAirportMember, airports,
                                      airportMember);
        opened != 1) {
        return opened;
    }
    std::optional<Bytes> match;
    const bool airportsRead =
        ForEachMemberRecord(airports, airportMember, m_Kind.airportRecord, [&](ByteSpan record) {
            if (!AirportRecordMatches(record, m_Code)) {
                return true;
            }
            match.emplace(record.begin(), record.end());
            return false;
        });
    airports.Close();
    if (!match) {
        if (!airportsRead) {
            ReportDamaged(m_Kind.airportLabel);
            return -1;
        }
        return 0;
    }
    const StoredPosition stored = DecodeAirportRecord(*match, m_Doc.m_Airport);
    if (!PlausibleStoredPosition(stored)) {
        ReportDamaged(m_Kind.airportLabel);
        return -1;
    }
    latArcsec = stored.latArcsec;
    lonArcsec = stored.lonArcsec;
    records.airport = std::move(*match);

    BinaryFile runways;
    ArchiveMember runwayMember;
    if (const int opened =
            OpenMember(m_Kind.runwayArchive, m_Kind.runwayLabel, L::kRunwayMember, runways, runwayMember);
        opened != 1) {
        return opened;
    }
    RunwayCollector collector(m_Doc);
    const std::string& key = m_Doc.m_Airport.key;
    const bool runwaysRead =
        ForEachMemberRecord(runways, runwayMember, m_Kind.runwayRecord, [&](ByteSpan record) {
            if (EqualsIgnoreCase(RunwayAirportKey(record), key)) {
                records.runways.emplace_back(record.begin(), record.end());
                collector.Add(DecodeRunwayRecord(record));
            }
            return true;
        });
    collector.ReportDropped();
    if (!runwaysRead) {
        ReportDamaged(m_Kind.runwayLabel);
        return -1;
    }
    return 1;
}

}  // namespace

int ReadEpdArchives(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec) {
    return ArchiveReader(doc, kEpd, code).Read(latArcsec, lonArcsec);
}

int ReadPodArchives(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec) {
    return ArchiveReader(doc, kPod, code).Read(latArcsec, lonArcsec);
}

}  // namespace rollpath
