#include "simdata/SampleCsv.h"

#include <charconv>
#include <cmath>
#include <map>
#include <unordered_map>

#include "document/InstallPaths.h"
#include "document/Records.h"

namespace rollpath {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Whole feet; a missing or unreadable value is 0.
int ParseFeet(std::string_view text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || std::fabs(*value) > 1e9) {
        return 0;
    }
    return static_cast<int>(std::lround(*value));
}

// Columns of a CSV file by their header names.
class CsvTable {
public:
    explicit CsvTable(std::string_view text) : m_Rows(ParseCsv(text)) {
        if (!m_Rows.empty()) {
            for (std::size_t i = 0; i < m_Rows.front().size(); ++i) {
                m_Columns[m_Rows.front()[i]] = i;
            }
        }
    }

    // The index of each named column; false with the first missing name.
    bool Find(std::initializer_list<const char*> names, std::string& error) const {
        for (const char* name : names) {
            if (m_Columns.find(name) == m_Columns.end()) {
                error = std::string("missing column ") + name;
                return false;
            }
        }
        return true;
    }

    std::size_t RowCount() const { return m_Rows.empty() ? 0 : m_Rows.size() - 1; }
    // The field of a data row (0 = the first row after the header); empty when
    // the row is short.
    std::string_view Field(std::size_t row, const char* column) const {
        const auto& fields = m_Rows[row + 1];
        const std::size_t index = m_Columns.at(column);
        return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
    }

private:
    std::vector<std::vector<std::string>> m_Rows;
    std::map<std::string, std::size_t, std::less<>> m_Columns;
};

constexpr std::initializer_list<const char*> kRunwayColumns = {
    "airport_ident", "length_ft",       "width_ft",         "surface",         "closed",
    "le_ident",      "le_latitude_deg", "le_longitude_deg", "le_elevation_ft", "le_displaced_threshold_ft",
    "he_ident",      "he_latitude_deg", "he_longitude_deg", "he_elevation_ft", "he_displaced_threshold_ft"};

constexpr std::initializer_list<const char*> kAirportColumns = {
    "ident", "faa_id", "icao_id", "name", "latitude_deg", "longitude_deg", "elevation_ft"};

struct EndPositions {
    std::optional<double> lat0, lon0, lat1, lon1;
    bool Complete() const { return lat0 && lon0 && lat1 && lon1; }
};

EndPositions RunwayEnds(const CsvTable& table, std::size_t row) {
    return EndPositions{
        ParseNumber(table.Field(row, "le_latitude_deg")), ParseNumber(table.Field(row, "le_longitude_deg")),
        ParseNumber(table.Field(row, "he_latitude_deg")), ParseNumber(table.Field(row, "he_longitude_deg"))};
}

SampleRunway RunwayFromRow(const CsvTable& table, std::size_t row) {
    SampleRunway runway;
    runway.length = ParseFeet(table.Field(row, "length_ft"));
    runway.width = ParseFeet(table.Field(row, "width_ft"));
    runway.surface = SurfaceBitsFromText(table.Field(row, "surface"));
    runway.closed = ParseFeet(table.Field(row, "closed")) != 0 ? 1 : 0;
    runway.id0 = std::string(Trim(table.Field(row, "le_ident")));
    runway.id1 = std::string(Trim(table.Field(row, "he_ident")));
    const EndPositions ends = RunwayEnds(table, row);
    if (ends.Complete()) {
        runway.lat0 = *ends.lat0;
        runway.lon0 = *ends.lon0;
        runway.lat1 = *ends.lat1;
        runway.lon1 = *ends.lon1;
    }
    runway.displaced0 = ParseFeet(table.Field(row, "le_displaced_threshold_ft"));
    runway.displaced1 = ParseFeet(table.Field(row, "he_displaced_threshold_ft"));
    runway.endAttr0 = EndAttributeFor(runway.surface, runway.length);
    runway.endAttr1 = runway.endAttr0;
    return runway;
}

}  // namespace

std::vector<std::vector<std::string>> ParseCsv(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    bool rowHasContent = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field.push_back(c);
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            rowHasContent = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            rowHasContent = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            if (rowHasContent || !field.empty()) {
                row.push_back(std::move(field));
                rows.push_back(std::move(row));
            }
            row.clear();
            field.clear();
            rowHasContent = false;
        } else {
            field.push_back(c);
            rowHasContent = true;
        }
    }
    if (rowHasContent || !field.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

int SurfaceBitsFromText(std::string_view surface) {
    const std::string_view s = Trim(surface);
    const auto is = [s](std::string_view name) { return EqualsIgnoreCase(s, name); };
    const auto bit = [](int surfaceIndex) { return 1 << surfaceIndex; };
    if (is("ASP") || StartsWithIgnoringCase(s, "ASPH") || StartsWithIgnoringCase(s, "BIT") || is("PEM")) {
        return bit(kAsphalt);
    }
    if (StartsWithIgnoringCase(s, "CON") || is("PEM-CONCRETE")) {
        return bit(kConcrete);
    }
    if (is("TURF") || is("GRASS") || is("GRS")) {
        return bit(kTurf);
    }
    if (is("DIRT")) {
        return bit(kDirt);
    }
    if (is("GRVL") || is("GRAVEL")) {
        return bit(kGravel);
    }
    if (is("SAND")) {
        return bit(kSand);
    }
    if (is("WATER")) {
        return bit(kWater);
    }
    if (is("SNOW")) {
        return bit(kSnow);
    }
    if (is("ICE")) {
        return bit(kIce);
    }
    if (is("MATS") || is("PSP")) {
        return bit(kMats);
    }
    return 0;
}

int EndAttributeFor(int surfaceBits, int lengthFeet) {
    const int surface = SurfaceIndex(surfaceBits);
    if (surface != kAsphalt && surface != kConcrete) {
        return 0;
    }
    if (lengthFeet >= 7000) {
        return 7;
    }
    if (lengthFeet >= 4000) {
        return 4;
    }
    return 1;
}

std::optional<std::vector<SampleAirport>> SampleAirportsFromCsv(std::string_view airportsCsv,
                                                                std::string_view runwaysCsv,
                                                                std::string& error) {
    const CsvTable airportTable(airportsCsv);
    const CsvTable runwayTable(runwaysCsv);
    if (!airportTable.Find(kAirportColumns, error) || !runwayTable.Find(kRunwayColumns, error)) {
        return std::nullopt;
    }
    std::vector<SampleAirport> airports;
    std::unordered_map<std::string, std::size_t> byIdent;
    for (std::size_t row = 0; row < airportTable.RowCount(); ++row) {
        SampleAirport airport;
        airport.key = std::string(Trim(airportTable.Field(row, "ident")));
        airport.faaId = std::string(Trim(airportTable.Field(row, "faa_id")));
        airport.icaoId = std::string(Trim(airportTable.Field(row, "icao_id")));
        airport.name = std::string(Trim(airportTable.Field(row, "name")));
        airport.lat = ParseNumber(airportTable.Field(row, "latitude_deg")).value_or(0.0);
        airport.lon = ParseNumber(airportTable.Field(row, "longitude_deg")).value_or(0.0);
        airport.elevation = ParseFeet(airportTable.Field(row, "elevation_ft"));
        byIdent.emplace(airport.key, airports.size());
        airports.push_back(std::move(airport));
    }
    for (std::size_t row = 0; row < runwayTable.RowCount(); ++row) {
        const auto it = byIdent.find(std::string(Trim(runwayTable.Field(row, "airport_ident"))));
        if (it != byIdent.end()) {
            airports[it->second].runways.push_back(RunwayFromRow(runwayTable, row));
        }
    }
    return airports;
}

std::optional<std::vector<SampleAirport>> AllAirportsFromRunwaysCsv(std::string_view runwaysCsv,
                                                                    std::string& error) {
    const CsvTable table(runwaysCsv);
    if (!table.Find(kRunwayColumns, error)) {
        return std::nullopt;
    }
    struct Gathered {
        SampleAirport airport;
        double latSum = 0.0;
        double lonSum = 0.0;
        int positionedEnds = 0;
        double elevationSum = 0.0;
        int elevations = 0;
    };
    std::vector<Gathered> gathered;
    std::unordered_map<std::string, std::size_t> byIdent;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        const std::string ident(Trim(table.Field(row, "airport_ident")));
        auto [it, added] = byIdent.emplace(ident, gathered.size());
        if (added) {
            gathered.emplace_back();
            SampleAirport& airport = gathered.back().airport;
            airport.key = ident;
            airport.name = ident;
            airport.faaId = ident.size() <= 4 ? ident : std::string();
            airport.icaoId = ident.size() <= 5 ? ident : std::string();
        }
        Gathered& g = gathered[it->second];
        const EndPositions ends = RunwayEnds(table, row);
        if (ends.Complete()) {
            g.latSum += *ends.lat0 + *ends.lat1;
            g.lonSum += *ends.lon0 + *ends.lon1;
            g.positionedEnds += 2;
        }
        for (const char* column : {"le_elevation_ft", "he_elevation_ft"}) {
            if (const std::optional<double> elevation = ParseNumber(table.Field(row, column))) {
                g.elevationSum += *elevation;
                ++g.elevations;
            }
        }
        g.airport.runways.push_back(RunwayFromRow(table, row));
    }
    std::vector<SampleAirport> airports;
    for (Gathered& g : gathered) {
        if (g.positionedEnds == 0 || g.airport.key.empty()) {
            continue;
        }
        g.airport.lat = g.latSum / g.positionedEnds;
        g.airport.lon = g.lonSum / g.positionedEnds;
        // Half-way values go to the even foot, as the curated list was made.
        const double elevation = g.elevations == 0 ? 0.0 : g.elevationSum / g.elevations;
        g.airport.elevation = std::fabs(elevation) < 1e9 ? static_cast<int>(std::nearbyint(elevation)) : 0;
        airports.push_back(std::move(g.airport));
    }
    return airports;
}

}  // namespace rollpath
