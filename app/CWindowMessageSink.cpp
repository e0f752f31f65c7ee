#include "app/CWindowMessageSink.h"

#include "app/CMessageWindow.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

CWindowMessageSink::CWindowMessageSink(CMessageWindow& window) : m_window(window), m_previous(Install(this)) {}

CWindowMessageSink::~CWindowMessageSink() { Install(m_previous); }

void CWindowMessageSink::Show(const std::string& text, MessageIcon icon) {
    const QString message = QString::fromStdString(text);
    if (QThread::currentThread() != thread()) {
        QPointer<CMessageWindow> window(&m_window);
        QMetaObject::invokeMethod(
            this, [window, message] { if (window) window->Add(message); }, Qt::QueuedConnection);
        return;
    }
    if (!m_boxes) {
        m_window.Add(message);
        return;
    }
    switch (icon) {
    case MessageIcon::Information: QMessageBox::information(m_boxParent, "Tolvar", message); break;
    case MessageIcon::Warning: QMessageBox::warning(m_boxParent, "Tolvar", message); break;
    case MessageIcon::Error: QMessageBox::critical(m_boxParent, "Tolvar", message); break;
    }
}
