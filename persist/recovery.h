#pragma once

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "document/le_file.h"

namespace qv {

// Crash-safe autosave. Every running editor owns one recovery file in the user's state folder,
// named after its process id and start time so that editors never share one and a file can be
// told apart from one whose editor is gone. The document is serialised on the caller's thread
// (a fraction of a millisecond) and written, flushed and renamed into place on a worker thread,
// so the interface never waits for the disk.
class RecoveryWriter {
public:
    explicit RecoveryWriter(std::string folder = DefaultFolder());
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Queues the document for writing; a newer save replaces one not yet written.
    void Save(const LeFile& lf, const std::string& original_path);
    // Waits until everything queued is on disk (tests, and before removing).
    void Flush();
    // Removes this editor's recovery file: after a save, and at a clean exit.
    void Remove();

    const std::string& project_path() const { return project_path_; }
    static std::string DefaultFolder();

private:
    void Run();

    std::string folder_;
    std::string project_path_;
    std::string info_path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::vector<uint8_t> pending_project_;
    std::string pending_info_;
    bool has_pending_ = false;
    bool writing_ = false;
    bool stop_ = false;
    std::thread worker_;
};

// A recovery file whose editor is no longer running.
struct AbandonedLogo {
    std::string project_path;  // the recovery project
    std::string info_path;
    std::string original_path;  // the project it was edited from; empty when never saved
    std::time_t saved_at = 0;
};

std::vector<AbandonedLogo> FindAbandonedLogos(const std::string& folder = RecoveryWriter::DefaultFolder());

// Deletes an abandoned recovery file (after it was recovered or discarded).
void DiscardAbandonedLogo(const AbandonedLogo& logo);

// The start time of a process in clock ticks since boot, 0 when it does not exist.
unsigned long long ProcessStartTime(long pid);

}  // namespace qv
