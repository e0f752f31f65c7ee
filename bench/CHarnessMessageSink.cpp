#include "bench/CHarnessMessageSink.h"

#include <utility>

CHarnessMessageSink::CHarnessMessageSink(std::string program, std::FILE* out)
    : m_program(std::move(program)), m_out(out) {}

std::string CHarnessMessageSink::Line(const std::string& text, MessageIcon icon) const {
    const char* tag = icon == MessageIcon::Error ? "error" : icon == MessageIcon::Warning ? "warning" : "info";
    std::string line = m_program + ": " + tag + ": ";
    // The core's texts may hold tabs and line breaks; keep one message on one line.
    for (char c : text) line.push_back(c == '\n' || c == '\r' ? ' ' : c);
    line.push_back('\n');
    return line;
}

void CHarnessMessageSink::Show(const std::string& text, MessageIcon icon) {
    const std::string line = Line(text, icon);
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
}
