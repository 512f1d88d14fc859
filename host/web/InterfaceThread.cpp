#include "host/web/InterfaceThread.h"

#include <cassert>

namespace host::web {
InterfaceThread::InterfaceThread() : owner_(std::this_thread::get_id()) {}

bool InterfaceThread::Post(std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        if (quit_) return false;
        tasks_.push_back(std::move(task));
    }
    ready_.notify_one();
    return true;
}

std::optional<std::function<void()>> InterfaceThread::Next(std::optional<Clock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return quit_ || !tasks_.empty(); };
    if (deadline) {
        if (!ready_.wait_until(lock, *deadline, ready)) return std::nullopt;
    } else {
        ready_.wait(lock, ready);
    }
    if (quit_) return std::nullopt;
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    return task;
}

void InterfaceThread::Run() {
    assert(OnInterfaceThread());
    ++depth_;
    while (auto task = Next(std::nullopt))
        (*task)();
    --depth_;
}

bool InterfaceThread::RunNested(const std::function<bool()>& done, Clock::duration idle) {
    assert(OnInterfaceThread());
    ++depth_;
    bool ended = done();
    while (!ended) {
        auto task = Next(Clock::now() + idle);
        if (!task) break;
        (*task)();
        ended = done();
    }
    --depth_;
    return ended;
}

void InterfaceThread::Quit() {
    std::deque<std::function<void()>> dropped;
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        dropped.swap(tasks_);
    }
    ready_.notify_all();
    // Dropped outside the lock: each waiting caller hears that its task will not run.
}
} // namespace host::web
