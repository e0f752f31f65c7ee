#pragma once
// The non-modal window that lists the messages the worker threads post, in
// the order they arrive; a text that arrives again is counted on its first
// line rather than listed again, so ten threads saying the same thing make one
// line. Workers never wait for it: their messages are queued to the window's
// thread.

#include <QDialog>

#include <map>
#include <string>

class QListWidget;

class CMessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit CMessageWindow(QWidget* parent = nullptr);
    // Adds a message (on the window's thread) and shows the window.
    void Add(const QString& text);
    // The lines as shown: the text, with " (n times)" once it came n > 1 times.
    QStringList Lines() const;
    void Clear();

private:
    QListWidget* m_list;
    std::map<QString, std::pair<int, int>> m_rows;  // text -> (row, count)
};
