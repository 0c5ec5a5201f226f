#pragma once

// The subcommands of rollpath-cli. Each takes the arguments after its name
// and returns the exit status.

#include <ostream>
#include <string>
#include <vector>

namespace rollpath::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the operation failed as a user would see it
inline constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

// sample-install DIR [--layout loose|epd|pod|all] [--all-airports RUNWAYS.csv]
int RunSampleInstall(const Args& args, std::ostream& out, std::ostream& err);

// info CODE [COMMON]
int RunInfo(const Args& args, std::ostream& out, std::ostream& err);

// build CODE [--tms] [--safe-mode] [COMMON]
int RunBuild(const Args& args, std::ostream& out, std::ostream& err);

// check CODE [--format text|json] [--only ID,...] [COMMON]: the layout
// checks on the airport opened as build opens it; 1 when a check of error
// severity fails
int RunCheck(const Args& args, std::ostream& out, std::ostream& err);

// build-all RUNWAYS.csv [--limit N] [--times FILE.csv] [COMMON]: every
// airport of the full-size database, one after another in one process
int RunBuildAll(const Args& args, std::ostream& out, std::ostream& err);

// import CODE FILE.geojson [--width FEET] [COMMON]: adds map data or an
// export to the airport, rebuilds and saves it
int RunImport(const Args& args, std::ostream& out, std::ostream& err);

// export CODE FILE.geojson [COMMON]: the airport as a GeoJSON FeatureCollection
int RunExport(const Args& args, std::ostream& out, std::ostream& err);

// dump FILE: the records of a .bgr, .txp, .tms, .txd or .rpj file as JSON
int RunDump(const Args& args, std::ostream& out, std::ostream& err);

// render CODE OUT.svg|OUT.png [--size WxH] [--show markings,lights,vertices,grid] [COMMON]
int RunRender(const Args& args, std::ostream& out, std::ostream& err);

// script FILE [COMMON]: a headless editor session, one command per line
int RunScript(const Args& args, std::ostream& out, std::ostream& err);

// A usage error: the reason and the command's synopsis on err.
int UsageError(std::ostream& err, const std::string& reason, const char* synopsis);

}  // namespace rollpath::cli
