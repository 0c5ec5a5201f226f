// The world run: every airport of a full runways.csv (the database that
// `sample-install --all-airports` writes from it) built as `build` builds one,
// on one or more threads, each airport in a fresh document. The project list
// is read once and written by this run alone: no Save rewrites it (which
// made the run quadratic), the run writes it whole every few hundred
// airports and at the end, so that an interrupted run leaves a list holding
// the airports whose files were written.

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "checks/LayoutChecks.h"
#include "cli/ArgParse.h"
#include "cli/FindingsOutput.h"
#include "cli/Json.h"
#include "cli/RunProgress.h"
#include "document/AnsiText.h"
#include "document/AtomicFile.h"
#include "document/ProjectList.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"
#include "project/DocumentPipeline.h"
#include "simdata/SampleCsv.h"

namespace rollpath::cli {

namespace {

constexpr const char* kBuildAllSynopsis =
    "rollpath-cli build-all RUNWAYS.csv [--limit N] [--jobs N] [--times FILE.csv] [--check] [COMMON]\n"
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
    std::string entry;              // its project list entry, when built
    std::vector<Finding> findings;  // with --check
};

// The code an airport opens by: its ident when it fits.
std::string CodeOf(const SampleAirport& airport) {
    if (!airport.icaoId.empty()) {
        return airport.icaoId;
    }
    return airport.faaId;
}

std::string Upper(std::string code) {
    std::transform(code.begin(), code.end(), code.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return code;
}

// Ctrl+C ends the run after the airports being built; the list is still
// written for every airport whose files were.
std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted.store(true);
}

class WorldRun {
public:
    // The list is written whole after this many more airports were built.
    static constexpr std::size_t kListEvery = 500;

    WorldRun(const CommonOptions& options, bool check, std::vector<std::string> codes)
        : options_(options),
          check_(check),
          codes_(std::move(codes)),
          results_(codes_.size()),
          done_(codes_.size(), 0) {}

    // The settings and the project list, read once; false, with the reason
    // on err, when either cannot be read.
    bool Start(std::ostream& err) {
        Settings settings;
        CRollpathDoc doc;
        if (!PrepareDocument(options_, settings, doc, err)) {
            return false;
        }
        listPath_ = ProjectListPath(doc);
        std::error_code ec;
        if (std::filesystem::exists(listPath_, ec)) {
            const std::optional<std::string> text = ReadWholeText(listPath_);
            if (!text) {
                err << "rollpath-cli: cannot read " << Utf8FromPath(listPath_) << '\n';
                return false;
            }
            listText_ = *text;
            entries_ = ProjectEntries(listText_);
        }
        return true;
    }

    void Wait(int jobs, std::ostream& err, bool terminal) {
        g_interrupted = false;
        const auto previous = std::signal(SIGINT, OnInterrupt);
        sinks_ = std::vector<CountingMessageSink>(static_cast<std::size_t>(jobs));
        running_ = jobs;
        std::vector<std::thread> workers;
        for (int k = 0; k < jobs; ++k) {
            workers.emplace_back([this, k] { Work(sinks_[static_cast<std::size_t>(k)]); });
        }
        RunProgress progress(err, terminal, codes_.size());
        std::size_t listed = 0;
        {
            std::unique_lock lock(mutex_);
            while (running_ > 0) {
                changed_.wait_for(lock, std::chrono::milliseconds(250));
                progress.Update(finished_);
                if (finished_ >= listed + kListEvery) {
                    listed = finished_;
                    std::string text = ListText();
                    lock.unlock();
                    WriteList(text, err);
                    lock.lock();
                }
            }
        }
        for (std::thread& worker : workers) {
            worker.join();
        }
        if (finished_ > listed) {
            WriteList(ListText(), err);
        }
        progress.Finish(finished_);
        std::signal(SIGINT, previous);
        for (std::size_t i = 0; i < codes_.size(); ++i) {
            if (done_[i] != 0) {
                times_.push_back(std::move(results_[i]));
            }
        }
    }

    // The airports built or attempted, in the list's order.
    const std::vector<AirportTime>& Times() const { return times_; }

    std::map<std::string, long long> MessageCounts() const {
        std::map<std::string, long long> counts;
        for (const CountingMessageSink& sink : sinks_) {
            for (const auto& [kind, count] : sink.counts) {
                counts[kind] += count;
            }
        }
        return counts;
    }

    bool Interrupted() const { return times_.size() < codes_.size(); }
    bool ListWritten() const { return listFailure_.empty(); }

private:
    void Work(CountingMessageSink& messages) {
        for (;;) {
            const std::size_t i = next_++;
            if (i >= codes_.size() || g_interrupted) {
                break;
            }
            AirportTime result = Build(Upper(codes_[i]), messages);
            const std::lock_guard lock(mutex_);
            results_[i] = std::move(result);
            done_[i] = 1;
            ++finished_;
            changed_.notify_one();
        }
        const std::lock_guard lock(mutex_);
        --running_;
        changed_.notify_one();
    }

    AirportTime Build(const std::string& code, CountingMessageSink& messages) const {
        Settings settings;
        CRollpathDoc doc;
        std::ostringstream setupErrors;  // read once already by Start
        AirportTime result{code, 0.0, false, {}, {}};
        if (!PrepareDocument(options_, settings, doc, setupErrors)) {
            return result;
        }
        doc.SetMessageSink(&messages);
        messages.code = code;
        const auto entry = entries_.find(code);
        const auto begin = std::chrono::steady_clock::now();
        result.built =
            OpenAirportFromEntry(doc, code, entry == entries_.end() ? nullptr : &entry->second, false, false);
        if (result.built) {
            PrepareOpenedDocument(doc);
            if (check_) {
                result.findings = RunLayoutChecks(doc, EnabledChecks(settings.DisabledChecks));
            }
            result.built = Save(doc, RealFileSystem(), ProjectListUpdate::Leave);
        }
        const auto end = std::chrono::steady_clock::now();
        result.ms = std::chrono::duration<double, std::milli>(end - begin).count();
        if (result.built) {
            result.entry = FormatProjectEntry(doc);
        }
        return result;
    }

    // The list as it was, with the entry of every airport built so far in
    // the run's order in place of its old one. Called with the lock held.
    std::string ListText() const {
        std::set<std::string, std::less<>> built;
        std::string entries;
        for (std::size_t i = 0; i < codes_.size(); ++i) {
            if (done_[i] != 0 && results_[i].built) {
                built.insert(results_[i].code);
                entries += results_[i].entry;
            }
        }
        return built.empty() ? listText_ : ProjectListWithout(listText_, built) + entries;
    }

    void WriteList(const std::string& text, std::ostream& err) {
        AtomicFile out(listPath_);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        if (!out.Open() || !out.Write(std::span<const std::uint8_t>(bytes, text.size())) || !out.Commit()) {
            const std::string failure = FailureMessage("Cannot create Rollpath.rpj", out.Failure());
            if (failure != listFailure_) {
                err << "rollpath-cli: " << failure << '\n';
            }
            listFailure_ = failure;
            return;
        }
        listFailure_.clear();
    }

    const CommonOptions& options_;
    bool check_;
    std::vector<std::string> codes_;
    std::filesystem::path listPath_;
    std::string listText_;
    std::map<std::string, PendingProject, std::less<>> entries_;
    std::vector<CountingMessageSink> sinks_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<std::size_t> next_{0};
    std::size_t finished_ = 0;
    int running_ = 0;
    std::vector<AirportTime> results_;
    std::vector<char> done_;
    std::vector<AirportTime> times_;
    std::string listFailure_;
};

}  // namespace

int RunBuildAll(const Args& args, std::ostream& out, std::ostream& err) {
    CommonOptions options;
    std::string csvPath;
    std::optional<std::string> timesPath;
    long long limit = -1;
    int jobs = 1;
    bool check = false;
    CommandParser app("build-all", kBuildAllSynopsis);
    app.add_option("RUNWAYS.csv", csvPath, "the runway list of every airport")->required();
    app.add_option("--limit", limit, "build only the first N airports")->type_name("N");
    app.add_option("--jobs", jobs, "build on N threads at once")->type_name("N")->check(CLI::Range(1, 64));
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

    // The airports to build, in the list's order.
    std::vector<std::string> codes;
    long long skipped = 0;
    for (const SampleAirport& airport : *airports) {
        if (limit >= 0 && static_cast<long long>(codes.size()) >= limit) {
            break;
        }
        std::string code = CodeOf(airport);
        if (code.empty()) {
            ++skipped;  // no identifier the database can be searched by
            continue;
        }
        codes.push_back(std::move(code));
    }

    WorldRun run(options, check, codes);
    if (!run.Start(err)) {
        return kExitFailure;
    }
    const auto start = std::chrono::steady_clock::now();
    run.Wait(jobs < 1 ? 1 : jobs, err, ErrorStreamIsTerminal() && &err == &std::cerr);
    const double totalSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::vector<AirportTime>& times = run.Times();
    CheckTally tally;
    if (check) {
        for (const AirportTime& t : times) {
            tally.Add(t.code, t.findings);
        }
    }
    const std::map<std::string, long long> messageCounts = run.MessageCounts();

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
    if (run.Interrupted()) {
        json.Field("interrupted", true);
    }
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
    for (const auto& [kind, count] : messageCounts) {
        json.Field(kind, count);
    }
    json.EndObject();
    if (check) {
        json.Key("checks");
        tally.Write(json);
    }
    json.EndObject();
    out << '\n';
    return built == static_cast<long long>(times.size()) && !run.Interrupted() && run.ListWritten()
               ? kExitSuccess
               : kExitFailure;
}

}  // namespace rollpath::cli
