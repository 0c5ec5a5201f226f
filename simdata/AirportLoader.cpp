#include "simdata/AirportLoader.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "document/InstallPaths.h"
#include "document/Utf8Path.h"
#include "geometry/Geodesy.h"
#include "simdata/ArchiveDatabase.h"
#include "simdata/LooseDatabase.h"

namespace rollpath {

namespace {

using DatabaseReader = int (*)(CRollpathDoc&, const std::string&, double&, double&);

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The archive reader of the installation; null when it has no archives.
DatabaseReader FindArchiveReader(const Settings& settings) {
    if (InstallPathExists(PathFromUtf8(settings.FlyDir), "\\System\\Airport.epd")) {
        return &ReadEpdArchives;
    }
    if (InstallPathExists(PathFromUtf8(settings.FlyDir), "\\System\\Airport.pod")) {
        return &ReadPodArchives;
    }
    return nullptr;
}

// Runs the readers in the configured order; the second only when the first
// did not find the code (a failing first reader stops the search).
int ReadAirport(CRollpathDoc& doc, const std::string& code, DatabaseReader archiveReader, double& latArcsec,
                double& lonArcsec) {
    const bool archivesFirst = doc.GetSettings().PodFilesFirst != 0;
    const DatabaseReader first = archivesFirst ? archiveReader : &ReadLooseDatabase;
    const DatabaseReader second = archivesFirst ? &ReadLooseDatabase : archiveReader;
    const int result = first(doc, code, latArcsec, lonArcsec);
    return result == 0 ? second(doc, code, latArcsec, lonArcsec) : result;
}

// Returns whether a network file was there: an empty one is a layout whose
// author cut every rollpath, not a new airport.
bool ReadBackSceneryFiles(CRollpathDoc& doc, const std::string& txdName, const std::string& txpName,
                          const std::string& bgrName, const std::string& tmsName,
                          const SceneryReadBack& readBack, double latArcsec, double lonArcsec) {
    const Settings& settings = doc.GetSettings();
    if (doc.m_bLoadedFromTms != 0) {
        const std::filesystem::path tms = OutputFilePath(settings, tmsName);
        if (readBack.readPavementFile && FileExists(tms)) {
            readBack.readPavementFile(doc, tms);
        }
        return false;
    }
    const std::filesystem::path txp = OutputFilePath(settings, txpName);
    if (readBack.readPolygonFile && FileExists(txp)) {
        readBack.readPolygonFile(doc, txp, latArcsec, lonArcsec);
    }
    const std::filesystem::path bgr = OutputFilePath(settings, bgrName);
    const bool networkFile = readBack.readNetworkFile && FileExists(bgr);
    if (networkFile) {
        readBack.readNetworkFile(doc, bgr, latArcsec, lonArcsec);
    }
    const std::filesystem::path txd = doc.ProgramDir() / txdName;
    if (readBack.readSideFile && FileExists(txd)) {
        readBack.readSideFile(doc, txd);
    }
    return networkFile;
}

// The end point moved by the half width to both sides: first along
// theta + sign * 90 degrees, then along theta - sign * 90 degrees.
void SetEndCorners(const DPoint& end, double theta, double halfWidth, double sign, DPoint& first,
                   DPoint& second) {
    first = Along(end, UnitVector(theta + sign * kPi / 2.0), halfWidth);
    second = Along(end, UnitVector(theta - sign * kPi / 2.0), halfWidth);
}

}  // namespace

void PlaceRunways(CRollpathDoc& doc) {
    const double benchLat = doc.m_Airport.lat;
    const double benchLon = doc.m_Airport.lon;
    for (const auto& runway : doc.m_pRunways) {
        double course = 0.0;
        double distance = 0.0;
        CourseAndDistance(runway->lat0, runway->lon0, runway->lat1, runway->lon1, course, distance);
        const double theta = NormalizeAngle(90.0 - course, 360.0) * kDegToRad;
        const double halfWidth = runway->width * 0.5;
        runway->end0 = LatLonToLocalFeet(benchLat, benchLon, runway->lat0, runway->lon0);
        runway->end1 = LatLonToLocalFeet(benchLat, benchLon, runway->lat1, runway->lon1);
        // End 1 left then right, end 2 right then left: the outline in order.
        SetEndCorners(runway->end0, theta, halfWidth, +1.0, runway->corners[0], runway->corners[1]);
        SetEndCorners(runway->end1, theta, halfWidth, -1.0, runway->corners[2], runway->corners[3]);
    }
}

void SeedRunwayCentreLines(CRollpathDoc& doc) {
    const double benchLat = doc.m_Airport.lat;
    const double benchLon = doc.m_Airport.lon;
    for (const auto& runway : doc.m_pRunways) {
        double course = 0.0;
        double distance = 0.0;
        CourseAndDistance(runway->lat0, runway->lon0, runway->lat1, runway->lon1, course, distance);
        double lat0 = 0.0;
        double lon0 = 0.0;
        double lat1 = 0.0;
        double lon1 = 0.0;
        DestinationPoint(runway->lat0, runway->lon0, course, kSeedInsetNm, lat0, lon0);
        DestinationPoint(runway->lat1, runway->lon1, NormalizeAngle(course + 180.0, 360.0), kSeedInsetNm,
                         lat1, lon1);
        const DPoint p0 = LatLonToLocalFeet(benchLat, benchLon, lat0, lon0);
        const DPoint p1 = LatLonToLocalFeet(benchLat, benchLon, lat1, lon1);
        const int vertex0 = doc.AddVertex(p0.x, p0.y, true);
        const int vertex1 = vertex0 < 0 ? -1 : doc.AddVertex(p1.x, p1.y, true);
        if (vertex1 < 0) {
            break;  // the pool is full; AddVertex has said so
        }
        RollpathSegment& segment = doc.AppendSegment();
        segment = RollpathSegment{};
        segment.type = SegmentType::RunwayCentreLine;
        // A database may give any width; the centre line keeps one that the
        // network file holds (a water runway may be wider than a rollpath).
        segment.width =
            static_cast<float>(std::clamp(static_cast<double>(runway->width), 0.0, kMaxRollpathWidth));
        segment.extent0 = 75.0;
        segment.extent1 = 75.0;
        segment.vertex0 = vertex0;
        segment.vertex1 = vertex1;
    }
    doc.ClearTouched();
}

std::optional<std::string> InstallationProblem(const std::string& flyDir) {
    std::error_code ec;
    if (flyDir.find_first_not_of(" \t") == std::string::npos) {
        return "Please enter the folder in which Fly! is installed.";
    }
    if (!std::filesystem::is_directory(flyDir, ec)) {
        return "There is no folder " + flyDir + ".";
    }
    // The archives mark an installation, as for opening an airport.
    for (const char* name : {"\\System\\Airport.epd", "\\System\\Airport.pod"}) {
        if (InstallPathExists(flyDir, name)) {
            return std::nullopt;
        }
    }
    return flyDir + " is not a Fly! folder: it holds neither System/Airport.epd nor System/Airport.pod.";
}

int LoadAirport(CRollpathDoc& doc, const std::string& code, const std::string& txdName,
                const std::string& txpName, const std::string& bgrName, const std::string& tmsName,
                const SceneryReadBack& readBack) {
    const Settings& settings = doc.GetSettings();
    // The archives mark an installation; its loose database alone does not.
    const DatabaseReader archiveReader = FindArchiveReader(settings);
    if (archiveReader == nullptr) {
        doc.Messages().Show("Cannot locate Fly! directory");
        return 0;
    }

    double latArcsec = 0.0;
    double lonArcsec = 0.0;
    if (ReadAirport(doc, code, archiveReader, latArcsec, lonArcsec) != 1) {
        doc.Messages().Show("Cannot find " + code);
        return 0;
    }
    if (!doc.m_pRunways.empty()) {
        doc.m_bAirportLoaded = 1;
    }
    doc.OrderRunwaysSoftFirst();

    const bool networkFile =
        ReadBackSceneryFiles(doc, txdName, txpName, bgrName, tmsName, readBack, latArcsec, lonArcsec);

    PlaceRunways(doc);
    if (!networkFile && doc.m_pSegments.empty() && !doc.m_pRunways.empty() && doc.m_bLoadedFromTms == 0) {
        SeedRunwayCentreLines(doc);
    }
    return 1;
}

}  // namespace rollpath
