#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <type_traits>

namespace host::web {
// The task could not be served: the interface thread has stopped serving.
struct InterfaceStopped : std::runtime_error {
    InterfaceStopped() : std::runtime_error("the host is stopping") {}
};

// The one thread the plug-in lives on. Other threads never call the plug-in: they post a
// task here and wait for its reply. A modal loop is the same queue served again, nested,
// until its dialog ends, so tasks arriving meanwhile (the browser acting on the dialog)
// are served one at a time, in order, on this thread.
class InterfaceThread {
public:
    using Clock = std::chrono::steady_clock;

    // The thread that makes the object is the interface thread.
    InterfaceThread();
    InterfaceThread(const InterfaceThread&) = delete;
    InterfaceThread& operator=(const InterfaceThread&) = delete;

    // From any other thread: runs `task` on the interface thread and returns what it
    // returned (or raises what it raised). Raises InterfaceStopped when the thread stops
    // serving before the task has run.
    template <class Task> std::invoke_result_t<Task> Call(Task task) {
        using Result = std::invoke_result_t<Task>;
        auto job = std::make_shared<std::packaged_task<Result()>>(std::move(task));
        std::future<Result> reply = job->get_future();
        if (!Post([job] { (*job)(); })) throw InterfaceStopped();
        try {
            return reply.get();
        } catch (const std::future_error&) {
            throw InterfaceStopped(); // dropped unserved when the thread stopped
        }
    }

    // On the interface thread: serves tasks until Quit.
    void Run();
    // On the interface thread, inside a task: serves tasks until `done()` holds, or until no
    // task has come for `idle`. False when it gave up for lack of tasks (or on Quit).
    bool RunNested(const std::function<bool()>& done, Clock::duration idle);
    // From any thread: stops every loop and drops the tasks not yet served.
    void Quit();
    bool OnInterfaceThread() const { return std::this_thread::get_id() == owner_; }
    // How deep the loops are nested now: 1 in Run, 2 in a modal loop, and so on.
    int Depth() const { return depth_; }

private:
    // Queues a task; false once the thread has quit.
    bool Post(std::function<void()> task);
    // Waits for the next task until `deadline`; none on timeout or quit.
    std::optional<std::function<void()>> Next(std::optional<Clock::time_point> deadline);

    const std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
    bool quit_ = false;
    int depth_ = 0; // touched on the interface thread only
};
} // namespace host::web
