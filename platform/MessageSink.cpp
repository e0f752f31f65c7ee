#include "platform/MessageSink.h"

#include <cstdio>
#include <mutex>

namespace {

// Fallback when no window or test has installed a sink.
class StandardErrorSink : public MessageSink {
public:
    void Show(const std::string& text, MessageIcon icon) override {
        const char* tag = icon == MessageIcon::Error ? "error" : icon == MessageIcon::Warning ? "warning" : "info";
        std::fprintf(stderr, "[%s] %s\n", tag, text.c_str());
    }
};

std::mutex g_sinkMutex;
StandardErrorSink g_standardErrorSink;
MessageSink* g_sink = &g_standardErrorSink;

}  // namespace

MessageSink* MessageSink::Install(MessageSink* sink) {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    MessageSink* previous = g_sink;
    g_sink = sink ? sink : &g_standardErrorSink;
    return previous == &g_standardErrorSink ? nullptr : previous;
}

void MessageSink::Post(const std::string& text, MessageIcon icon) {
    // The sink is called under the lock so that it cannot be uninstalled
    // while it runs; sinks must not post from within Show.
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    g_sink->Show(text, icon);
}
