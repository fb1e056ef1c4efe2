#include "platform/ui/ui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <deque>
#include <mutex>

namespace ui {

namespace {

struct PostedCalls {
    std::mutex mutex;
    std::deque<std::function<void()>> calls;
    bool drainPosted = false; // an event that will run the queue is on its way
};

PostedCalls& Posted() {
    static PostedCalls posted;
    return posted;
}

} // namespace

void PostToUiThread(std::function<void()> call) {
    PostedCalls& posted = Posted();
    const std::lock_guard lock(posted.mutex);
    posted.calls.push_back(std::move(call));
    if (posted.drainPosted) {
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance()) {
        posted.drainPosted = true;
        QMetaObject::invokeMethod(
            app, [] { RunPostedNow(); }, Qt::QueuedConnection);
    }
}

void RunPostedNow() {
    PostedCalls& posted = Posted();
    for (;;) {
        std::function<void()> call;
        {
            const std::lock_guard lock(posted.mutex);
            if (posted.calls.empty()) {
                posted.drainPosted = false;
                return;
            }
            call = std::move(posted.calls.front());
            posted.calls.pop_front();
        }
        call();
    }
}

bool IsUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace ui
