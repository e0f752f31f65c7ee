#pragma once
// Where the core's fixed message texts go. The core never opens a window: the
// window installs a sink that shows the texts on its own thread, tests install
// one that records them. Without an installed sink texts go to standard error.

#include <string>

enum class MessageIcon { Information, Warning, Error };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const std::string& text, MessageIcon icon) = 0;

    // Installs the process-wide sink (nullptr restores the standard-error sink)
    // and returns the one installed before. Thread-safe.
    static MessageSink* Install(MessageSink* sink);
    // Hands a text to the installed sink. Callable from any thread.
    static void Post(const std::string& text, MessageIcon icon = MessageIcon::Information);
};
