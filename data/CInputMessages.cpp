#include "data/CInputMessages.h"

bool CInputMessages::PostOnce(const std::string& subject, const std::string& text, MessageIcon icon) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_subjects.insert(subject).second) return false;
    }
    MessageSink::Post(text, icon);
    return true;
}

bool CInputMessages::WasPosted(const std::string& subject) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_subjects.count(subject) != 0;
}

void CInputMessages::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_subjects.clear();
}
