#include "simdata/LooseDatabase.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "document/InstallPaths.h"
#include "document/Utf8Path.h"
#include "simdata/BinaryFile.h"
#include "simdata/DatabaseLayout.h"
#include "simdata/DatabaseRecords.h"
#include "simdata/RunwayCheck.h"

namespace rollpath {

namespace {

namespace L = dblayout;

constexpr const char* kFaaIndexName = "\\DATABASE\\APRTFAA.DBI";
constexpr const char* kIcaoIndexName = "\\DATABASE\\APRTICAO.DBI";
constexpr const char* kRunwayIndexName = "\\DATABASE\\RUNWAY.DBI";
constexpr const char* kAirportFileName = "\\DATABASE\\AIRPORT.DBD";
constexpr const char* kRunwayFileName = "\\DATABASE\\RUNWAY.DBD";

// An index file held in memory. Only entries that lie wholly inside the file
// are used; a count that promises more (or a negative one) is reported.
class IndexFile {
public:
    IndexFile(Bytes bytes, L::IndexLayout layout) : m_Bytes(std::move(bytes)), m_Layout(layout) {}

    bool Damaged() const { return CountInFile() != DeclaredCount(); }
    std::size_t Count() const { return CountInFile(); }

    std::string Key(std::size_t i) const { return TextAt(m_Bytes, EntryAt(i), m_Layout.keyLength); }
    std::int32_t Value(std::size_t i) const { return Int32At(m_Bytes, EntryAt(i) + m_Layout.valueOffset); }

private:
    std::size_t EntryAt(std::size_t i) const { return L::kIndexEntries + i * m_Layout.entrySize; }

    // -1 when the file is too short to hold its count or the count is negative.
    std::int64_t DeclaredCount() const {
        if (!FieldFits(m_Bytes.size(), L::kIndexCount, 4)) {
            return -1;
        }
        return Int32At(m_Bytes, L::kIndexCount);
    }
    std::int64_t CountInFile() const {
        const std::int64_t declared = DeclaredCount();
        if (declared <= 0) {
            return 0;
        }
        const std::size_t room = m_Bytes.size() > L::kIndexEntries ? m_Bytes.size() - L::kIndexEntries : 0;
        return std::min<std::int64_t>(declared, static_cast<std::int64_t>(room / m_Layout.entrySize));
    }

    Bytes m_Bytes;
    L::IndexLayout m_Layout;
};

class LooseReader {
public:
    LooseReader(CRollpathDoc& doc, const std::string& code) : m_Doc(doc), m_Code(code) {}

    int Read(double& latArcsec, double& lonArcsec);

private:
    // A file that does not exist holds nothing: the loose database then has
    // no airport to give, and that is no error.
    bool Missing(const char* name) const {
        return !InstallPathExists(PathFromUtf8(m_Doc.GetSettings().FlyDir), name);
    }
    std::optional<IndexFile> LoadIndex(const char* name, L::IndexLayout layout);
    // The record offset of the first entry whose key equals the code; -1 when
    // the file cannot be opened, 0 when it does not exist or no entry
    // matches, 1 found.
    int FindCode(const char* name, L::IndexLayout layout, std::int64_t& offset);
    void ReportDamaged(const char* name) { m_Doc.Messages().Show(std::string(name) + " is damaged"); }
    std::filesystem::path PathOf(const char* name) const {
        return ResolveInstallPath(PathFromUtf8(m_Doc.GetSettings().FlyDir), name);
    }

    CRollpathDoc& m_Doc;
    const std::string& m_Code;
};

std::optional<IndexFile> LooseReader::LoadIndex(const char* name, L::IndexLayout layout) {
    std::optional<Bytes> bytes = ReadWholeFile(PathOf(name));
    if (!bytes) {
        m_Doc.Messages().Show(std::string("Cannot open ") + name);
        return std::nullopt;
    }
    IndexFile index(std::move(*bytes), layout);
    if (index.Damaged()) {
        ReportDamaged(name);
    }
    return index;
}

int LooseReader::FindCode(const char* name, L::IndexLayout layout, std::int64_t& offset) {
    if (Missing(name)) {
        return 0;
    }
    const std::optional<IndexFile> index = LoadIndex(name, layout);
    if (!index) {
        return -1;
    }
    for (std::size_t i = 0; i < index->Count(); ++i) {
        if (EqualsIgnoreCase(index->Key(i), m_Code)) {
            offset = index->Value(i);
            return 1;
        }
    }
    return 0;
}

int LooseReader::Read(double& latArcsec, double& lonArcsec) {
    std::int64_t airportOffset = 0;
    int found = FindCode(kFaaIndexName, L::kFaaIndex, airportOffset);
    if (found == 0) {
        found = FindCode(kIcaoIndexName, L::kIcaoIndex, airportOffset);
    }
    if (found != 1) {
        return found;
    }
    // Without the records the index points to, the airport is not there.
    if (Missing(kAirportFileName) || Missing(kRunwayIndexName) || Missing(kRunwayFileName)) {
        return 0;
    }

    BinaryFile airports;
    if (!airports.Open(PathOf(kAirportFileName))) {
        m_Doc.Messages().Show(std::string("Cannot open ") + kAirportFileName);
        return -1;
    }
    const std::optional<Bytes> record =
        airportOffset < 0
            ? std::nullopt
            : airports.ReadExactly(static_cast<std::uint64_t>(airportOffset), L::kLooseAirportRecord);
    if (!record) {
        ReportDamaged(kAirportFileName);
        return -1;
    }
    const StoredPosition stored = DecodeAirportRecord(*record, m_Doc.m_Airport);
    if (!PlausibleStoredPosition(stored)) {
        ReportDamaged(kAirportFileName);
        return -1;
    }
    latArcsec = stored.latArcsec;
    lonArcsec = stored.lonArcsec;

    const std::optional<IndexFile> runwayIndex = LoadIndex(kRunwayIndexName, L::kRunwayIndex);
    if (!runwayIndex) {
        return -1;
    }
    std::vector<std::int32_t> offsets;
    for (std::size_t i = 0; i < runwayIndex->Count(); ++i) {
        if (EqualsIgnoreCase(runwayIndex->Key(i), m_Doc.m_Airport.key)) {
            offsets.push_back(runwayIndex->Value(i));
        }
    }

    BinaryFile runways;
    if (!runways.Open(PathOf(kRunwayFileName))) {
        m_Doc.Messages().Show(std::string("Cannot open ") + kRunwayFileName);
        return -1;
    }
    RunwayCollector collector(m_Doc);
    bool damageReported = false;
    for (const std::int32_t offset : offsets) {
        const std::optional<Bytes> runway =
            offset < 0 ? std::nullopt
                       : runways.ReadExactly(static_cast<std::uint64_t>(offset), L::kLooseRunwayRecord);
        if (!runway) {
            if (!damageReported) {
                damageReported = true;
                ReportDamaged(kRunwayFileName);
            }
            continue;
        }
        collector.Add(DecodeRunwayRecord(*runway));
    }
    collector.ReportDropped();
    return 1;
}

}  // namespace

int ReadLooseDatabase(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec) {
    return LooseReader(doc, code).Read(latArcsec, lonArcsec);
}

}  // namespace rollpath
