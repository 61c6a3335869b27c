#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "app/file_io.h"
#include "cli/commands.h"
#include "output/bitmap_import.h"

namespace qv::cli {
namespace {

std::string OutputPath(const std::string& project, const std::string& dir, const ExportSettings& s) {
    return dir + "/" + BitmapTitle(project) + "." + FormatInfo(s.format).extension;
}

// Every project starts from the C library generator's initial state, as a single export in a
// fresh process does, so the gradients' dither and with it every output byte is the same.
bool ExportFresh(const std::string& project, const std::string& dir, const ExportSettings& s) {
    std::srand(1);
    return ExportProject(project, OutputPath(project, dir, s), s);
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

}  // namespace

int RunBatchExport(const std::vector<std::string>& projects, const std::string& output_dir,
                   const ExportSettings& settings, int jobs) {
    if (!MakeDirectories(output_dir)) {
        std::fprintf(stderr, "qorvan-logo-cli: cannot create the folder %s\n", output_dir.c_str());
        return 1;
    }
    const Progress progress(projects.size());
    size_t failures = 0;
    if (jobs <= 1) {
        for (size_t n = 0; n < projects.size(); ++n) {
            progress.Show(n + 1, projects[n]);
            if (!ExportFresh(projects[n], output_dir, settings)) ++failures;
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
                    const bool ok = ExportFresh(projects[next], output_dir, settings);
                    std::fflush(nullptr);
                    _exit(ok ? 0 : 1);
                }
                if (pid < 0) {
                    // No process to spare: do this one here.
                    if (!ExportFresh(projects[next], output_dir, settings)) ++failures;
                } else {
                    running[pid] = next;
                }
                ++next;
            }
            int status = 0;
            const pid_t done = wait(&status);
            if (done < 0) break;
            running.erase(done);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
        }
    }
    progress.Done();
    if (failures > 0) {
        std::fprintf(stderr, "qorvan-logo-cli: %zu of %zu projects could not be exported\n", failures,
                     projects.size());
        return 1;
    }
    return 0;
}

}  // namespace qv::cli
