#include "RecordingMessageSink.h"

#include <algorithm>

RecordingMessageSink::RecordingMessageSink() : m_previous(MessageSink::Install(this)) {}

RecordingMessageSink::~RecordingMessageSink() { MessageSink::Install(m_previous); }

void RecordingMessageSink::Show(const std::string& text, MessageIcon icon) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.push_back({text, icon});
}

std::vector<RecordingMessageSink::Message> RecordingMessageSink::Messages() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

std::vector<std::string> RecordingMessageSink::Texts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> texts;
    for (const auto& message : m_messages) texts.push_back(message.text);
    return texts;
}

bool RecordingMessageSink::Contains(const std::string& text) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::any_of(m_messages.begin(), m_messages.end(), [&](const Message& m) { return m.text == text; });
}

void RecordingMessageSink::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.clear();
}
