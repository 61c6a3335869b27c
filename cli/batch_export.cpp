#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "app/file_io.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "output/bitmap_import.h"

namespace qv::cli {
namespace {

// Every project starts from the C library generator's initial state, as a single export in a
// fresh process does, so the gradients' dither and with it every output byte is the same.
int ExportFresh(const std::string& project, const std::string& output, const ExportOptions& options) {
    std::srand(1);
    return ExportProject(project, output, options);
}

class Progress {
public:
    explicit Progress(size_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}
    void Show(size_t started, const std::string& project) const {
        if (!shown_) return;
        std::fprintf(stderr, "\r\033[KExporting %zu of %zu: %s", started, total_, project.c_str());
        std::fflush(stderr);
    }
    void Done() const {
        if (shown_) std::fputs("\r\033[K", stderr);
    }

private:
    size_t total_;
    bool shown_;
};

// The batch's counts of projects that failed and that did not fit the request.
struct Tally {
    size_t failed = 0;
    size_t refused = 0;
    void Add(int status) {
        if (status == kExitUsage) {
            ++refused;
        } else if (status != kExitOk) {
            ++failed;
        }
    }
};

int StatusOfChild(int wait_status) {
    if (!WIFEXITED(wait_status)) return kExitFailure;
    return WEXITSTATUS(wait_status);
}

}  // namespace

std::vector<std::string> BatchOutputNames(const std::vector<std::string>& projects, const std::string& extension) {
    std::set<std::string> taken;
    std::vector<std::string> names;
    for (const std::string& project : projects) {
        const std::string title = BitmapTitle(project);
        std::string name = title + "." + extension;
        for (int n = 2; !taken.insert(name).second; ++n) name = title + "-" + std::to_string(n) + "." + extension;
        names.push_back(name);
    }
    return names;
}

int RunBatchExport(const std::vector<std::string>& projects, const std::string& output_dir,
                   const ExportOptions& options, int jobs) {
    if (!MakeDirectories(output_dir)) {
        std::fprintf(stderr, "qorvan-logo-cli: cannot create the folder %s\n", output_dir.c_str());
        return kExitFailure;
    }
    const std::string extension = FormatInfo(options.settings.format).extension;
    std::vector<std::string> outputs = BatchOutputNames(projects, extension);
    for (size_t n = 0; n < projects.size(); ++n) {
        const std::string plain = output_dir + "/" + BitmapTitle(projects[n]) + "." + extension;
        outputs[n] = output_dir + "/" + outputs[n];
        if (outputs[n] != plain) {
            std::fprintf(stderr, "qorvan-logo-cli: %s is taken by another project; %s goes to %s\n",
                         plain.c_str(), projects[n].c_str(), outputs[n].c_str());
        }
    }
    const Progress progress(projects.size());
    Tally tally;
    if (jobs <= 1) {
        for (size_t n = 0; n < projects.size(); ++n) {
            progress.Show(n + 1, projects[n]);
            tally.Add(ExportFresh(projects[n], outputs[n], options));
        }
    } else {
        // Worker processes share the font library loaded before the fork and keep the
        // engine's single-threaded state to themselves.
        std::map<pid_t, size_t> running;
        size_t next = 0;
        std::fflush(nullptr);
        while (next < projects.size() || !running.empty()) {
            while (next < projects.size() && running.size() < static_cast<size_t>(jobs)) {
                progress.Show(next + 1, projects[next]);
                const pid_t pid = fork();
                if (pid == 0) {
                    // A fault in the child makes ExportProject fail, so the parent hears of it.
                    const int status = ExportFresh(projects[next], outputs[next], options);
                    std::fflush(nullptr);
                    _exit(status);
                }
                if (pid < 0) {
                    // No process to spare: do this one here.
                    tally.Add(ExportFresh(projects[next], outputs[next], options));
                } else {
                    running[pid] = next;
                }
                ++next;
            }
            if (running.empty()) continue;
            int wait_status = 0;
            const pid_t done = waitpid(-1, &wait_status, 0);
            if (done < 0) {
                if (errno == EINTR) continue;
                // The children are gone without a word: count them as failed.
                for (size_t n = 0; n < running.size(); ++n) tally.Add(kExitFailure);
                break;
            }
            if (running.erase(done) == 0) continue;
            tally.Add(StatusOfChild(wait_status));
        }
    }
    progress.Done();
    const size_t unwritten = tally.failed + tally.refused;
    if (unwritten > 0) {
        std::fprintf(stderr, "qorvan-logo-cli: %zu of %zu projects could not be exported\n", unwritten,
                     projects.size());
        return tally.refused > 0 ? kExitUsage : kExitFailure;
    }
    return kExitOk;
}

}  // namespace qv::cli
