#pragma once
// The non-modal window that lists the messages the worker threads post, in
// the order they arrive; a text that arrives again is counted on its first
// line rather than listed again, so ten threads saying the same thing make one
// line. Workers never wait for it: their messages are queued to the window's
// thread. Long lines wrap at the window's width: at spaces, and inside a word
// only where the word alone is wider than the window (a long folder name), so
// nothing runs past the right edge. It is a window of its own, owned by the
// main window and kept above it; a new message brings it to the front without
// taking the focus. It keeps clear of the modal dialog in front (the progress
// dialog of a run), whose figures it would otherwise hide.

#include <QDialog>

#include <map>

class QPlainTextEdit;

class CMessageWindow : public QDialog {
    Q_OBJECT
public:
    // With a parent it is that window's own, shown above it and deleted with it.
    explicit CMessageWindow(QWidget* parent = nullptr);
    // Adds a message (on the window's thread) and brings the window to the front.
    void Add(const QString& text);
    // The lines as shown: the text, with " (n times)" once it came n > 1 times.
    QStringList Lines() const;
    QPlainTextEdit* Text() const { return m_text; }
    void Clear();

    // Where a window of the given frame size goes on the screen so that it
    // does not overlap `avoid`: beside it on the side with the most room,
    // made smaller where the room is less than its size. An invalid rectangle
    // when `avoid` leaves no room on any side.
    static QRect PlaceClearOf(const QRect& avoid, const QRect& screen, const QSize& size);

private:
    // Moves the window off the modal dialog in front, and the modal dialogs
    // below it, when it would overlap them.
    void KeepClearOf(const QWidget* dialog);
    // Brings the window to the front, restored if it was minimised, without
    // taking the focus from the window the user works in.
    void ShowInFront();

    // One paragraph per message, its line breaks kept inside the paragraph.
    QPlainTextEdit* m_text;
    std::map<QString, std::pair<int, int>> m_rows;  // text -> (paragraph, count)
};
