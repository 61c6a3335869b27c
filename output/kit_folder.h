#pragma once

#include <string>

namespace qv {

// A kit is written into a fresh folder beside its target ("DIR.tmp-XXXXXX") and takes the
// target's place only once complete, so a failure leaves an earlier kit as it was.
class KitStaging {
public:
    // Makes the folder; on failure ok() is false and problem() says why, for the user. An
    // existing target must be empty or hold `page_name` (an earlier kit): it is replaced whole.
    KitStaging(const std::string& target, const std::string& page_name);
    // Removes the folder with what it holds unless it was committed.
    ~KitStaging();
    KitStaging(const KitStaging&) = delete;
    KitStaging& operator=(const KitStaging&) = delete;

    bool ok() const { return !folder_.empty(); }
    const std::string& problem() const { return problem_; }
    const std::string& folder() const { return folder_; }
    std::string File(const std::string& name) const { return folder_ + "/" + name; }

    // Puts the folder in the target's place: an existing target is renamed aside, the new
    // folder renamed in, then the old one removed. False, with the old target back in place
    // and problem() set, when a rename fails.
    bool Commit();

private:
    std::string target_;
    std::string folder_;
    std::string problem_;
};

// The target without trailing slashes ("kit/" -> "kit"); "/" stays.
std::string KitTargetPath(const std::string& dir);

}  // namespace qv
