// Waiting for a window to be on the screen: "shown" means that its first paint (or its next one,
// after a change) has been done and handed to the window system. The benchmark's processes and
// its in-process figures all stop their clocks this way.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <functional>
#include <utility>

namespace tovarin::bench {

class FirstPaint : public QObject
{
public:
    // Watches the paints of every window for which isTarget says true, from now on.
    explicit FirstPaint(std::function<bool(const QWidget *)> isTarget)
        : m_isTarget(std::move(isTarget))
    {
        qApp->installEventFilter(this);
    }
    explicit FirstPaint(const QWidget *window)
        : FirstPaint([window](const QWidget *w) { return w == window; })
    {
    }
    ~FirstPaint() override { qApp->removeEventFilter(this); }

    bool painted() const { return m_painted; }

    // Runs afterwards once, from the event loop, after the first paint of a target window and
    // the rest of its round of painting.
    void then(std::function<void()> afterwards) { m_afterwards = std::move(afterwards); }

    // Lets the event loop run until a target window has been painted, and returns at the end of
    // that round of painting; false if none was within two seconds.
    bool wait()
    {
        QElapsedTimer waited;
        waited.start();
        while (!m_painted && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return m_painted;
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType()
            && m_isTarget(static_cast<QWidget *>(object)->window()) && !m_painted) {
            m_painted = true;
            if (m_afterwards)
                QMetaObject::invokeMethod(
                    qApp, std::exchange(m_afterwards, {}), Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<bool(const QWidget *)> m_isTarget;
    std::function<void()> m_afterwards;
    bool m_painted = false;
};

} // namespace tovarin::bench
