#pragma once

#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "document/le_file.h"

namespace qv {

// A recovery file whose editor is no longer running.
struct AbandonedLogo {
    std::string project_path;  // the recovery project
    std::string info_path;
    std::string original_path;  // the project it was edited from; empty when never saved
    std::time_t saved_at = 0;
};

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
    // Writes the document on the calling thread, replacing anything queued, and returns once it
    // is on disk: for a process about to end. False when serialising reported a fault or the
    // disk refused; the last complete copy then stays as it was.
    bool SaveNow(const LeFile& lf, const std::string& original_path);
    // Removes this editor's recovery file, and any logo it took over: after a save, and at a
    // clean exit.
    void Remove();
    // An abandoned logo this editor recovered. Its file stays until this editor's own copy is
    // completely on disk (or Remove() says the work is safe), so that a recovery which fails
    // half-way still finds it at the next start.
    void TakeOver(AbandonedLogo logo);

    const std::string& project_path() const { return project_path_; }
    static std::string DefaultFolder();

private:
    // Both files, the project first: an info file always describes a complete project. A
    // complete copy deletes the logos in `retire`; otherwise they wait for the next copy.
    // Called while `writing_` is set, without the mutex.
    bool WriteFiles(const std::vector<uint8_t>& project, const std::string& info,
                    std::vector<AbandonedLogo>& retire);
    void Run();

    std::string folder_;
    std::string project_path_;
    std::string info_path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::vector<uint8_t> pending_project_;
    std::string pending_info_;
    std::vector<AbandonedLogo> taken_over_;      // waiting for a copy made after the take-over
    std::vector<AbandonedLogo> pending_retire_;  // retired by the queued copy once it is written
    bool has_pending_ = false;
    bool writing_ = false;
    bool stop_ = false;
    std::thread worker_;
};

std::vector<AbandonedLogo> FindAbandonedLogos(const std::string& folder = RecoveryWriter::DefaultFolder());

// Deletes an abandoned recovery file (after it was recovered or discarded).
void DiscardAbandonedLogo(const AbandonedLogo& logo);

// The start time of a process in clock ticks since boot, 0 when it does not exist.
unsigned long long ProcessStartTime(long pid);

}  // namespace qv
