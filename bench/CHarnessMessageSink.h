#pragma once
// Where the core's messages go during a headless run: one line each on
// standard error, tagged with the program name and the kind of message. Posts
// arrive from the ten worker threads; MessageSink::Post serialises them, and
// each line is written in one piece.

#include "platform/MessageSink.h"

#include <cstdio>
#include <string>

class CHarnessMessageSink : public MessageSink {
public:
    explicit CHarnessMessageSink(std::string program, std::FILE* out = stderr);

    void Show(const std::string& text, MessageIcon icon) override;

    // The line written for a message: "tolvar-run: error: text".
    std::string Line(const std::string& text, MessageIcon icon) const;

private:
    std::string m_program;
    std::FILE* m_out;
};
