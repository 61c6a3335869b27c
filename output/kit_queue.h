#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qv {

// Encoding and writing beside the drawing: the drawing (FreeType faces, the gradients' dither)
// is shared process state and stays on the calling thread, in its usual order; the jobs handed
// here touch only their own pixels and files, on one worker thread, and the caller helps with
// what is left once it has drawn everything. A job returns an empty string or what went wrong.
class KitQueue {
public:
    using Job = std::function<std::string()>;

    KitQueue();
    ~KitQueue();
    KitQueue(const KitQueue&) = delete;
    KitQueue& operator=(const KitQueue&) = delete;

    void Push(Job job);
    // Runs what is left on this thread too, waits for the worker, and returns the problems of
    // all jobs in the order they were found.
    std::vector<std::string> Finish();
    // How many jobs have ended.
    int Done() const;

private:
    bool RunOne();
    void Work();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::vector<std::string> problems_;
    int done_ = 0;
    bool closing_ = false;
    std::thread worker_;
};

}  // namespace qv
