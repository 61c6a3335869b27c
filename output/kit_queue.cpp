#include "output/kit_queue.h"

#include <exception>

namespace qv {

KitQueue::KitQueue() : worker_([this] { Work(); }) {}

KitQueue::~KitQueue() { Finish(); }

void KitQueue::Push(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

bool KitQueue::RunOne() {
    Job job;
    {
        std::lock_guard lock(mutex_);
        if (jobs_.empty()) return false;
        job = std::move(jobs_.front());
        jobs_.pop_front();
    }
    std::string problem;
    try {
        problem = job();
    } catch (const std::exception&) {
        // Only memory can run out here; the kit is then not written.
        problem = "Not enough memory to make the logo kit.";
    }
    std::lock_guard lock(mutex_);
    if (!problem.empty()) problems_.push_back(std::move(problem));
    ++done_;
    return true;
}

void KitQueue::Work() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty()) return;  // closing with nothing left
        }
        RunOne();
    }
}

std::vector<std::string> KitQueue::Finish() {
    while (RunOne()) {
    }
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
    std::lock_guard lock(mutex_);
    return problems_;
}

int KitQueue::Done() const {
    std::lock_guard lock(mutex_);
    return done_;
}

}  // namespace qv
