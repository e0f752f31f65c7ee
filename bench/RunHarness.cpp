#include "bench/RunHarness.h"

#include "platform/CSectionTimer.h"

#include "bench/CAtomicRunProgress.h"
#include "data/CInputDataManager.h"
#include "household/CHouseholdLoop.h"
#include "household/CThreadSets.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <chrono>
#include <filesystem>
#include <sys/resource.h>
#include <system_error>

namespace {

bool PrepareOutputFolder(const std::string& folder, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!std::filesystem::is_directory(folder, code)) {
        error = "the output folder \"" + folder + "\" cannot be created";
        return false;
    }
    return true;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void TakeCounts(const CAtomicRunProgress& progress, RunHarness::Result& result) {
    result.processed = progress.Processed();
    result.finishedThreads = progress.FinishedThreads();
    result.failedThreads = progress.FailedThreads();
    result.cancelled = progress.IsCancelled();
}

}  // namespace

bool RunHarness::Result::Succeeded() const {
    return error.empty() && threads > 0 && finishedThreads == threads && failedThreads == 0 && !cancelled;
}

double RunHarness::Result::HouseholdsPerSecond() const {
    return seconds > 0.0 ? static_cast<double>(processed) / seconds : 0.0;
}

bool RunHarness::LoadModelFile(const std::string& path, const std::vector<CModelSystem*>& systems,
                               std::string& error) {
    CModelParameterFile file;
    if (file.LoadXml(path, systems)) return true;
    // The loader has said what is wrong with the file.
    MessageSink::Post("Problem, model file not loaded properly", MessageIcon::Error);
    error = "the model-parameter file \"" + path + "\" could not be loaded";
    return false;
}

RunHarness::Result RunHarness::Run(const RunHarnessOptions& options) {
    Result result;
    if (!PrepareOutputFolder(options.out, result.error)) return result;

    CThreadSets sets;
    if (!sets.OpenInput(options.connect)) {
        result.error = "the input database could not be opened";
        return result;
    }
    if (!sets.IsHouseholdCountRead()) {
        // Without the count no thread has a share: a run would simulate nothing.
        result.error = "the households could not be counted";
        return result;
    }
    result.householdsInDatabase = sets.GetHouseholdCount();
    if (!options.model.empty()) {
        std::vector<CModelSystem*> systems;
        for (int i = 0; i < CThreadSets::kThreadCount; ++i) systems.push_back(&sets.Models(i));
        if (!LoadModelFile(options.model, systems, result.error)) return result;
    }
    sets.SetOutputFolder(options.out);
    sets.SetSampleRate(options.sampleRate);
    sets.SetDecisions(options.decisions);
    sets.SetColumnBudget(options.losMemory);

    CAtomicRunProgress progress;
    const auto start = std::chrono::steady_clock::now();
    sets.StartRun(&progress, std::chrono::milliseconds(0));
    sets.WaitForRun();
    result.seconds = SecondsSince(start);
    result.threads = CThreadSets::kThreadCount;
    if (const COriginColumnStore* store = sets.ColumnStore()) result.columns = store->GetFigures();
    TakeCounts(progress, result);
    return result;
}

RunHarness::Result RunHarness::RunSingleLoop(const RunHarnessOptions& options) {
    Result result;
    if (!PrepareOutputFolder(options.out, result.error)) return result;

    CDatabase connection;
    try {
        connection.OpenEx(options.connect, true);
    } catch (const DbError& error) {
        MessageSink::Post(error.Report(), MessageIcon::Error);
        result.error = "the input database could not be opened";
        return result;
    }
    CInputDataManager manager;
    COriginColumnStore columns(options.losMemory);
    manager.SetColumnStore(&columns);
    CModelSystem models;
    models.SetDataManager(&manager);
    models.m_pDatabase = &connection;
    // The count Data > Input reads.
    if (!CThreadSets::ReadHouseholdCount(connection, result.householdsInDatabase)) {
        result.error = "the households could not be counted";
        return result;
    }
    if (!options.model.empty() && !LoadModelFile(options.model, {&models}, result.error)) return result;

    models.m_nFirstHousehold = 0;
    models.m_nHouseholdCount = static_cast<int>(result.householdsInDatabase);
    CThreadSets::SetDefaultOutputNames(models, options.out, 0);
    models.SetSampleRate(options.sampleRate);
    models.SetDecisions(options.decisions);

    CAtomicRunProgress progress;
    models.SetProgressDialog(&progress, 0);
    CHouseholdLoop::ResetTraceFile();
    const auto start = std::chrono::steady_clock::now();
    models.RunHouseholdLoop();
    result.seconds = SecondsSince(start);
    result.threads = 1;
    manager.LeaveColumnStore();
    result.columns = columns.GetFigures();
    TakeCounts(progress, result);
    return result;
}

std::size_t RunHarness::PeakResidentBytes() {
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
}

std::string RunHarness::Report(const Result& result) {
    return "Households processed: " + NumberText::Integer(result.processed) + "\n" +
           "Wall time: " + NumberText::Fixed(result.seconds, 3) + " s\n" +
           "Peak memory: " + NumberText::Fixed(static_cast<double>(PeakResidentBytes()) / 1e6, 1) + " MB\n" +
           "Households per second: " + NumberText::Fixed(result.HouseholdsPerSecond(), 1) + "\n";
}

std::string RunHarness::ColumnReport(const COriginColumnStore::Figures& figures) {
    auto mebibytes = [](std::size_t bytes) { return NumberText::Fixed(static_cast<double>(bytes) / 1048576.0, 1); };
    return "Origin columns: " + NumberText::Integer(figures.reads) + " read, " + NumberText::Integer(figures.drops) +
           " dropped, " + NumberText::Integer(figures.rereads) + " read again; hit rate " +
           NumberText::Fixed(100.0 * figures.HitRate(), 1) + " %; held at the end " +
           NumberText::Integer(static_cast<long long>(figures.columns)) + " (" + mebibytes(figures.bytes) +
           " MiB); held at most " + mebibytes(figures.peakHeldBytes) + " MiB, waiting to be freed at most " +
           mebibytes(figures.peakWaitingBytes) + " MiB; peak " + mebibytes(figures.peakBytes) + " MiB\n";
}

int RunHarness::Main(const std::vector<std::string>& arguments, std::string& out, std::string& err) {
    const CCommandLine commandLine(RunHarnessOptions::Program());
    RunHarnessOptions options;
    if (!options.Parse(arguments)) {
        err = commandLine.WrongText(options.Error());
        return CCommandLine::kWrongCommandLine;
    }
    if (options.HelpRequested()) {
        out = commandLine.Help();
        return 0;
    }
    const Result result = options.singleLoop ? RunSingleLoop(options) : Run(options);
    if (!result.error.empty()) {
        err = commandLine.FailureText(result.error);
        return 1;
    }
    out = Report(result);
    if (options.timers)
        out += ColumnReport(result.columns) + CSectionTimer::ReportTimers();
    if (result.Succeeded()) return 0;
    std::string failure = NumberText::Integer(result.failedThreads) + " of " + NumberText::Integer(result.threads) +
                          " threads failed";
    if (result.finishedThreads < result.threads)
        failure += ", " + NumberText::Integer(result.threads - result.finishedThreads) + " did not finish";
    err = commandLine.FailureText(failure);
    return 1;
}
