#pragma once
// Messages about unsound input data that every worker thread would otherwise
// post once for itself: a missing or narrow table, text in a numeric column,
// duplicate household ids. Each is posted the first time one of the threads
// finds it and then kept quiet until the next run. The thread sets share one
// for the ten managers of a run; a manager used alone keeps its own.
// Only the paths that found bad data come here, so the lock is never taken
// for sound input.

#include "platform/MessageSink.h"

#include <mutex>
#include <set>
#include <string>

class CInputMessages {
public:
    // Posts text unless a message of the same subject was posted since the
    // last Clear. True when it was posted.
    bool PostOnce(const std::string& subject, const std::string& text, MessageIcon icon = MessageIcon::Warning);
    // Whether a message of the subject was posted since the last Clear.
    bool WasPosted(const std::string& subject) const;
    // Forgets what was posted: the next run reports afresh.
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::set<std::string> m_subjects;
};
