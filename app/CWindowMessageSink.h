#pragma once
// The message sink of the windowed program. A message posted on the
// window's own thread is a message box; one posted by a worker thread is
// queued to the message window and the worker goes on at once.

#include "platform/MessageSink.h"

#include <QObject>

class CMessageWindow;
class QWidget;

class CWindowMessageSink : public QObject, public MessageSink {
    Q_OBJECT
public:
    // Installs itself as the process-wide sink; the destructor restores the
    // sink installed before.
    explicit CWindowMessageSink(CMessageWindow& window);
    ~CWindowMessageSink() override;

    void Show(const std::string& text, MessageIcon icon) override;
    // The parent of the message boxes (the main window).
    void SetBoxParent(QWidget* parent) { m_boxParent = parent; }
    // With boxes off (the offscreen tools), messages of the window's thread go
    // to the message window too.
    void SetBoxes(bool on) { m_boxes = on; }

private:
    CMessageWindow& m_window;
    MessageSink* m_previous;
    QWidget* m_boxParent = nullptr;
    bool m_boxes = true;
};
