#pragma once
// The ten output files of one worker thread, held together in a fixed order.
// Every writer (person and vehicle lines, schedule lines, the NOGO trace of
// activity generation) addresses its file by its stream index here. The output
// names come in the order the modeller chooses them, where child students
// precede workers; the block swaps those two, so stream 2 is the workers file
// and stream 3 the child-students file.

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class COutputFileSet {
public:
    // Stream indexes.
    enum Stream : int {
        kAdults = 0,
        kChildren = 1,
        kWorkers = 2,
        kChildStudents = 3,
        kNonWorkers = 4,
        kTours = 5,
        kStops = 6,
        kActivity = 7,
        kNogo = 8,
        kVehicles = 9,
    };
    static constexpr int kStreamCount = 10;

    // The default output names, in the order of the output names: adults,
    // children, child students, workers, non-workers, tours, stops, activity,
    // NOGO, vehicles.
    static const std::array<std::string_view, kStreamCount>& DefaultOutputNames();
    // The names of one worker thread: each name followed by the thread number,
    // thread index + 1 ("Adults.out1" for thread 0, "Adults.out10" for thread 9).
    static std::vector<std::string> NamesForThread(const std::vector<std::string>& names, int threadIndex);
    // Position in the output names of the name stream k is opened from.
    static int NameIndexOfStream(int stream);

    // Ten streams, none open.
    COutputFileSet();
    // Closes the streams still open, stream 9 first.
    ~COutputFileSet();

    COutputFileSet(const COutputFileSet&) = delete;
    COutputFileSet& operator=(const COutputFileSet&) = delete;

    // Opens the ten streams in index order, each created or emptied, from the
    // output names (ten, in the order of the output names). A name that is
    // missing or empty, or a file that cannot be created, leaves its stream
    // closed. Streams open before are closed first.
    void Open(const std::vector<std::string>& names);

    bool IsOpen(int stream) const;
    // Person, schedule and vehicle lines can be written: every stream but the
    // NOGO stream is open.
    bool IsOutputEnabled() const;
    // The streams that did not open, in index order.
    std::vector<int> ClosedStreams() const;
    // The last Open was given a name for the stream and could not open it
    // (a stream without a name is not a failure).
    bool OpenFailed(int stream) const;
    // The path stream k was opened from (empty when none was given).
    const std::string& GetPath(int stream) const;

    // Writes one whole line: the text and a newline in one write. False when the
    // stream is not open or the write failed; a failed write is remembered.
    bool WriteLine(int stream, std::string_view text);
    // The stream itself, for writers that compose their lines piecewise. An
    // index outside 0 to 9 throws std::out_of_range.
    std::ofstream& Get(int stream);
    std::ofstream& operator[](int stream) { return Get(stream); }

    // A write to the stream failed (by WriteLine, or seen when flushing).
    bool HasWriteError(int stream) const;
    bool HasWriteErrors() const;

    // Flushes and closes every open stream: adults, non-workers, children,
    // child students, stops, activity, tours, workers, vehicles, then NOGO.
    // False when any write or flush failed.
    bool Close();

private:
    static size_t Index(int stream);

    std::array<std::ofstream, kStreamCount> m_streams;
    std::array<std::string, kStreamCount> m_paths;
    std::array<bool, kStreamCount> m_writeFailed{};
    std::array<bool, kStreamCount> m_openFailed{};
};
