// The world run: every airport of a full runways.csv (the database that
// `sample-install --all-airports` writes from it) built one after another in
// one process, as `build` builds one. Each airport gets a fresh document; the
// project list is kept in a scratch folder of this run and emptied before
// every airport, so that Save does not rewrite an ever longer list.

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "checks/LayoutChecks.h"
#include "cli/ArgParse.h"
#include "cli/FindingsOutput.h"
#include "cli/Json.h"
#include "document/AnsiText.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"
#include "project/DocumentPipeline.h"
#include "simdata/SampleCsv.h"

namespace rollpath::cli {

namespace {

constexpr const char* kSynopsis =
    "rollpath-cli build-all RUNWAYS.csv [--limit N] [--times FILE.csv] [--check] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

// A message with the airport's code (and so its file names) and every number
// taken out: what kind of message it is, whichever airport shows it.
std::string MessageKind(const std::string& text, const std::string& code) {
    std::string kind = text;
    if (!code.empty()) {
        for (std::size_t at = kind.find(code); at != std::string::npos; at = kind.find(code, at + 4)) {
            kind.replace(at, code.size(), "CODE");
        }
    }
    std::string out;
    for (std::size_t i = 0; i < kind.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(kind[i])) != 0) {
            if (out.empty() || out.back() != '#') {
                out += '#';
            }
        } else {
            out += kind[i];
        }
    }
    return out;
}

// Counts every message by kind; questions are answered Cancel, as the
// headless build answers them.
class CountingMessageSink : public MessageSink {
public:
    void Show(const std::string& text) override {
        ++counts["message: " + AnsiToUtf8(MessageKind(text, code))];
    }
    Answer Ask(const std::string& text) override {
        ++counts["question: " + AnsiToUtf8(MessageKind(text, code))];
        return Answer::Cancel;
    }

    std::string code;
    std::map<std::string, long long> counts;
};

// What the layout checks found over the run: findings and airports by
// check, and the first airports each check fired on.
struct CheckTally {
    static constexpr std::size_t kExamples = 10;

    void Add(const std::string& code, const std::vector<Finding>& findings) {
        const FindingCounts counts = CountFindings(findings);
        for (const CheckInfo& info : AllChecks()) {
            const auto k = static_cast<std::size_t>(info.check);
            const int n = counts.Of(info.check);
            findings_.byCheck[k] += n;
            if (n > 0) {
                ++airports_.byCheck[k];
                if (examples_[k].size() < kExamples) {
                    examples_[k].push_back(code);
                }
            }
        }
        ++checked_;
    }

    void Write(JsonWriter& json) const {
        json.BeginObject();
        json.Field("airports", checked_);
        json.Key("findings");
        WriteCountsJson(json, findings_);
        json.Key("airportsWithFindings");
        WriteCountsJson(json, airports_);
        json.Key("examples");
        json.BeginObject();
        for (const CheckInfo& info : AllChecks()) {
            json.Key(info.id);
            json.BeginArray();
            for (const std::string& code : examples_[static_cast<std::size_t>(info.check)]) {
                json.String(code);
            }
            json.EndArray();
        }
        json.EndObject();
        json.EndObject();
    }

private:
    long long checked_ = 0;
    FindingCounts findings_;
    FindingCounts airports_;
    std::array<std::vector<std::string>, kCheckCount> examples_;
};

struct AirportTime {
    std::string code;
    double ms = 0.0;
    bool built = false;
};

// The code an airport opens by: its ident when it fits.
std::string CodeOf(const SampleAirport& airport) {
    if (!airport.icaoId.empty()) {
        return airport.icaoId;
    }
    return airport.faaId;
}

}  // namespace

int RunBuildAll(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string csvPath;
    std::optional<std::string> timesPath;
    long long limit = -1;
    bool check = false;
    CommandParser app("build-all", kSynopsis);
    app.add_option("RUNWAYS.csv", csvPath, "the runway list of every airport")->required();
    app.add_option("--limit", limit, "build only the first N airports")->type_name("N");
    app.add_option("--times", timesPath, "each airport's time, as CSV")->type_name("FILE.csv");
    app.add_flag("--check", check,
                 "count the layout checks' findings by check (every airport is still saved)");
    AddCommonOptions(app, options);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return *status;
    }
    const std::optional<std::string> csv = ReadWholeText(PathFromUtf8(csvPath));
    if (!csv) {
        err << "rollpath-cli: cannot read " << csvPath << '\n';
        return kExitFailure;
    }
    std::string error;
    const auto airports = AllAirportsFromRunwaysCsv(*csv, error);
    if (!airports) {
        err << "rollpath-cli: " << error << '\n';
        return kExitFailure;
    }

    CountingMessageSink messages;
    CheckTally tally;
    std::vector<AirportTime> times;
    long long skipped = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const SampleAirport& airport : *airports) {
        if (limit >= 0 && static_cast<long long>(times.size()) >= limit) {
            break;
        }
        const std::string code = CodeOf(airport);
        if (code.empty()) {
            ++skipped;  // no identifier the database can be searched by
            continue;
        }
        Settings settings;
        CRollpathDoc doc;
        std::ostringstream setupErrors;
        if (!PrepareDocument(options, settings, doc, setupErrors)) {
            err << setupErrors.str();
            return kExitFailure;
        }
        doc.SetMessageSink(&messages);
        const std::filesystem::path scratch = doc.ProgramDir() / "build-all";
        std::error_code ec;
        std::filesystem::create_directories(scratch, ec);
        doc.SetProgramDir(scratch);
        std::filesystem::remove(ProjectListPath(doc), ec);
        messages.code = code;

        const auto begin = std::chrono::steady_clock::now();
        bool built = OpenAirportByCode(doc, code, false, false);
        if (built) {
            PrepareOpenedDocument(doc);
            if (check) {
                tally.Add(code, RunLayoutChecks(doc, EnabledChecks(settings.DisabledChecks)));
            }
            built = Save(doc);
        }
        const auto end = std::chrono::steady_clock::now();
        times.push_back({code, std::chrono::duration<double, std::milli>(end - begin).count(), built});
    }
    const double totalSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (timesPath) {
        std::ofstream csvOut(PathFromUtf8(*timesPath), std::ios::binary);
        csvOut << "code,ms,built\n";
        for (const AirportTime& t : times) {
            csvOut << t.code << ',' << t.ms << ',' << (t.built ? 1 : 0) << '\n';
        }
    }

    std::vector<AirportTime> sorted = times;
    std::sort(sorted.begin(), sorted.end(),
              [](const AirportTime& a, const AirportTime& b) { return a.ms > b.ms; });
    const auto percentile = [&sorted](double p) {
        if (sorted.empty()) {
            return 0.0;
        }
        const auto k = static_cast<std::size_t>((1.0 - p) * static_cast<double>(sorted.size() - 1));
        return sorted[k].ms;
    };
    long long built = 0;
    double sum = 0.0;
    for (const AirportTime& t : times) {
        built += t.built ? 1 : 0;
        sum += t.ms;
    }

    JsonWriter json(out);
    json.BeginObject();
    json.Field("airports", static_cast<long long>(airports->size()));
    json.Field("attempted", static_cast<long long>(times.size()));
    json.Field("built", built);
    json.Field("failed", static_cast<long long>(times.size()) - built);
    json.Field("skipped", skipped);
    json.Field("totalSeconds", totalSeconds);
    json.Key("perAirportMs");
    json.BeginObject();
    json.Field("mean", times.empty() ? 0.0 : sum / static_cast<double>(times.size()));
    json.Field("median", percentile(0.5));
    json.Field("p99", percentile(0.99));
    json.Field("max", percentile(1.0));
    json.EndObject();
    json.Key("slowest");
    json.BeginArray();
    for (std::size_t k = 0; k < sorted.size() && k < 10; ++k) {
        json.BeginObject();
        json.Field("code", sorted[k].code);
        json.Field("ms", sorted[k].ms);
        json.EndObject();
    }
    json.EndArray();
    json.Key("messages");
    json.BeginObject();
    for (const auto& [kind, count] : messages.counts) {
        json.Field(kind, count);
    }
    json.EndObject();
    if (check) {
        json.Key("checks");
        tally.Write(json);
    }
    json.EndObject();
    out << '\n';
    return built == static_cast<long long>(times.size()) ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
