#pragma once
// Message sink for tests: installs itself for its lifetime and records every
// text posted to it, from any thread.

#include "platform/MessageSink.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingMessageSink : public MessageSink {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };
    RecordingMessageSink();
    ~RecordingMessageSink() override;

    void Show(const std::string& text, MessageIcon icon) override;

    std::vector<Message> Messages() const;
    std::vector<std::string> Texts() const;
    bool Contains(const std::string& text) const;  // an exact text was posted
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Message> m_messages;
    MessageSink* m_previous;
};
