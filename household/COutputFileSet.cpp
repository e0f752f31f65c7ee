#include "household/COutputFileSet.h"

#include "platform/NumberText.h"

#include <stdexcept>
#include <string>

namespace {

// Output names in the order the modeller chooses them.
constexpr std::array<std::string_view, COutputFileSet::kStreamCount> kDefaultOutputNames = {
    "Adults.out", "Children.out", "ChildStudents.out", "workers.out", "nonworkers.out",
    "tours.out",  "stops.out",    "activity.out",      "NOGO.out",    "Vehicles.out",
};

// Order of flushing and closing at the end of a thread's run.
constexpr std::array<int, COutputFileSet::kStreamCount> kCloseOrder = {0, 4, 1, 3, 6, 7, 5, 2, 9, 8};

}  // namespace

const std::array<std::string_view, COutputFileSet::kStreamCount>& COutputFileSet::DefaultOutputNames() {
    return kDefaultOutputNames;
}

std::vector<std::string> COutputFileSet::NamesForThread(const std::vector<std::string>& names, int threadIndex) {
    const std::string number = NumberText::Integer(static_cast<long long>(threadIndex) + 1);
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto& name : names) result.push_back(name + number);
    return result;
}

int COutputFileSet::NameIndexOfStream(int stream) {
    Index(stream);
    if (stream == kWorkers) return kChildStudents;
    if (stream == kChildStudents) return kWorkers;
    return stream;
}

COutputFileSet::COutputFileSet() = default;

// The array destroys its elements from the last to the first: stream 9 closes first.
COutputFileSet::~COutputFileSet() = default;

size_t COutputFileSet::Index(int stream) {
    if (stream < 0 || stream >= kStreamCount)
        throw std::out_of_range("output stream " + NumberText::Integer(stream) + " does not exist");
    return static_cast<size_t>(stream);
}

void COutputFileSet::Open(const std::vector<std::string>& names) {
    for (int k = 0; k < kStreamCount; ++k) {
        auto& stream = m_streams[static_cast<size_t>(k)];
        if (stream.is_open()) stream.close();
        stream.clear();
        m_writeFailed[static_cast<size_t>(k)] = false;

        const size_t nameIndex = static_cast<size_t>(NameIndexOfStream(k));
        m_paths[static_cast<size_t>(k)] = nameIndex < names.size() ? names[nameIndex] : std::string();
        const std::string& path = m_paths[static_cast<size_t>(k)];
        if (!path.empty()) stream.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
        m_openFailed[static_cast<size_t>(k)] = !path.empty() && !stream.is_open();
    }
}

bool COutputFileSet::IsOpen(int stream) const { return m_streams[Index(stream)].is_open(); }

bool COutputFileSet::IsOutputEnabled() const {
    for (int k = 0; k < kStreamCount; ++k)
        if (k != kNogo && !IsOpen(k)) return false;
    return true;
}

std::vector<int> COutputFileSet::ClosedStreams() const {
    std::vector<int> closed;
    for (int k = 0; k < kStreamCount; ++k)
        if (!IsOpen(k)) closed.push_back(k);
    return closed;
}

bool COutputFileSet::OpenFailed(int stream) const { return m_openFailed[Index(stream)]; }

const std::string& COutputFileSet::GetPath(int stream) const { return m_paths[Index(stream)]; }

bool COutputFileSet::WriteLine(int stream, std::string_view text) {
    const size_t k = Index(stream);
    auto& out = m_streams[k];
    if (!out.is_open()) return false;
    std::string line;
    line.reserve(text.size() + 1);
    line.append(text);
    line.push_back('\n');
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    if (!out) {
        m_writeFailed[k] = true;
        return false;
    }
    return true;
}

std::ofstream& COutputFileSet::Get(int stream) { return m_streams[Index(stream)]; }

bool COutputFileSet::HasWriteError(int stream) const {
    const size_t k = Index(stream);
    return m_writeFailed[k] || (m_streams[k].is_open() && m_streams[k].fail());
}

bool COutputFileSet::HasWriteErrors() const {
    for (int k = 0; k < kStreamCount; ++k)
        if (HasWriteError(k)) return true;
    return false;
}

bool COutputFileSet::Close() {
    bool ok = true;
    for (int k : kCloseOrder) {
        auto& out = m_streams[static_cast<size_t>(k)];
        if (!out.is_open()) continue;
        out.flush();
        if (!out) m_writeFailed[static_cast<size_t>(k)] = true;
        out.close();
        if (out.fail()) m_writeFailed[static_cast<size_t>(k)] = true;
        if (m_writeFailed[static_cast<size_t>(k)]) ok = false;
    }
    return ok;
}
