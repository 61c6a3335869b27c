#include "persist/recovery.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/fault_report.h"
#include "app/file_io.h"
#include "persist/project_file.h"
#include "persist/user_folders.h"

namespace qv {
namespace {

constexpr const char* kPrefix = "recovery-";

std::string OwnName() {
    const long pid = static_cast<long>(getpid());
    return std::string(kPrefix) + std::to_string(pid) + "-" + std::to_string(ProcessStartTime(pid));
}

// "recovery-<pid>-<start>.kuz" back into its pid and start time.
bool ParseName(const std::string& stem, long& pid, unsigned long long& start) {
    if (stem.rfind(kPrefix, 0) != 0) return false;
    const std::string rest = stem.substr(std::char_traits<char>::length(kPrefix));
    const auto dash = rest.find('-');
    if (dash == std::string::npos) return false;
    char* end = nullptr;
    pid = std::strtol(rest.c_str(), &end, 10);
    if (end != rest.c_str() + dash) return false;
    start = std::strtoull(rest.c_str() + dash + 1, &end, 10);
    return *end == '\0';
}

// The info file: the project the logo was edited from, and when this copy was made.
std::string InfoText(const std::string& original_path) {
    return original_path + "\n" + std::to_string(std::time(nullptr)) + "\n";
}

void MoveAppend(std::vector<AbandonedLogo>& from, std::vector<AbandonedLogo>& to) {
    for (AbandonedLogo& logo : from) to.push_back(std::move(logo));
    from.clear();
}

}  // namespace

unsigned long long ProcessStartTime(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(in, text)) return 0;
    // The command name may hold spaces and parentheses: the fields that matter follow the last ')'.
    const auto close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    // A zombie has ended; only its parent has not collected it yet, so its work is abandoned.
    if (!(fields >> field) || field == "Z" || field == "X") return 0;
    // Field 22 of the line is the start time; after the name and the state, it is the 19th.
    for (int i = 0; i < 19 && fields >> field; ++i) {
    }
    return std::strtoull(field.c_str(), nullptr, 10);
}

std::string RecoveryWriter::DefaultFolder() {
    return UserStateFolder();
}

RecoveryWriter::RecoveryWriter(std::string folder) : folder_(std::move(folder)) {
    const std::string base = folder_ + "/" + OwnName();
    project_path_ = base + ".kuz";
    info_path_ = base + ".info";
    worker_ = std::thread([this] { Run(); });
}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void RecoveryWriter::Save(const LeFile& lf, const std::string& original_path) {
    std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    std::string info = InfoText(original_path);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_project_ = std::move(bytes);
        pending_info_ = std::move(info);
        // This copy was made after the take-over, so it may retire the logos taken over.
        MoveAppend(taken_over_, pending_retire_);
        has_pending_ = true;
    }
    wake_.notify_all();
}

void RecoveryWriter::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !has_pending_ && !writing_; });
}

bool RecoveryWriter::SaveNow(const LeFile& lf, const std::string& original_path) {
    // A document that faults while it is serialised may be damaged: the copy on disk, if any,
    // is worth more than this one.
    const int faults = FaultsReported();
    const std::vector<uint8_t> project = WriteProjectBytes(lf);
    if (FaultsReported() != faults) return false;
    const std::string info = InfoText(original_path);
    std::unique_lock<std::mutex> lock(mutex_);
    has_pending_ = false;  // older than this copy
    idle_.wait(lock, [this] { return !writing_; });
    std::vector<AbandonedLogo> retire;
    MoveAppend(pending_retire_, retire);
    MoveAppend(taken_over_, retire);
    writing_ = true;
    lock.unlock();
    const bool written = WriteFiles(project, info, retire);
    lock.lock();
    writing_ = false;
    idle_.notify_all();
    return written;
}

void RecoveryWriter::Remove() {
    std::unique_lock<std::mutex> lock(mutex_);
    has_pending_ = false;
    idle_.wait(lock, [this] { return !writing_; });
    std::remove(project_path_.c_str());
    std::remove(info_path_.c_str());
    for (const AbandonedLogo& logo : taken_over_) DiscardAbandonedLogo(logo);
    for (const AbandonedLogo& logo : pending_retire_) DiscardAbandonedLogo(logo);
    taken_over_.clear();
    pending_retire_.clear();
}

void RecoveryWriter::TakeOver(AbandonedLogo logo) {
    std::lock_guard<std::mutex> lock(mutex_);
    taken_over_.push_back(std::move(logo));
}

bool RecoveryWriter::WriteFiles(const std::vector<uint8_t>& project, const std::string& info,
                                std::vector<AbandonedLogo>& retire) {
    MakeDirectories(folder_);
    const bool written =
        WriteFileAtomically(project_path_, project) &&
        WriteFileAtomically(info_path_, std::vector<uint8_t>(info.begin(), info.end()));
    if (written) {
        for (const AbandonedLogo& logo : retire) DiscardAbandonedLogo(logo);
    } else {
        // Kept for the next copy that does reach the disk.
        std::lock_guard<std::mutex> lock(mutex_);
        MoveAppend(retire, taken_over_);
    }
    retire.clear();
    return written;
}

void RecoveryWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || has_pending_; });
        if (!has_pending_) return;  // stopping with nothing left to write
        std::vector<uint8_t> project = std::move(pending_project_);
        const std::string info = std::move(pending_info_);
        std::vector<AbandonedLogo> retire;
        MoveAppend(pending_retire_, retire);
        has_pending_ = false;
        writing_ = true;
        lock.unlock();
        WriteFiles(project, info, retire);
        lock.lock();
        writing_ = false;
        idle_.notify_all();
        if (stop_ && !has_pending_) return;
    }
}

std::vector<AbandonedLogo> FindAbandonedLogos(const std::string& folder) {
    std::vector<AbandonedLogo> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& p = entry.path();
        if (p.extension() != ".kuz") continue;
        long pid = 0;
        unsigned long long start = 0;
        if (!ParseName(p.stem().string(), pid, start)) continue;
        // Still running: another editor's live file, not ours to offer.
        if (ProcessStartTime(pid) == start && start != 0) continue;
        AbandonedLogo logo;
        logo.project_path = p.string();
        logo.info_path = (p.parent_path() / (p.stem().string() + ".info")).string();
        std::ifstream info(logo.info_path);
        std::string when;
        std::getline(info, logo.original_path);
        std::getline(info, when);
        logo.saved_at = static_cast<std::time_t>(std::strtoll(when.c_str(), nullptr, 10));
        found.push_back(std::move(logo));
    }
    return found;
}

void DiscardAbandonedLogo(const AbandonedLogo& logo) {
    std::remove(logo.project_path.c_str());
    std::remove(logo.info_path.c_str());
}

}  // namespace qv
