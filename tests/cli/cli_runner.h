#pragma once

// Runs the built command-line tool in a child process, without a shell, and captures what it
// prints.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace qv::test {

struct CliRun {
    int status = -1;  // the exit status, or 128 + the signal that ended the tool
    std::string out;
    std::string err;
};

struct CliCall {
    std::vector<std::string> args;
    std::vector<std::string> env;  // "NAME=value" ahead of the test's own environment
    std::string tool = QV_TEST_CLI;
};

inline std::string AsText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

inline CliRun RunCall(const CliCall& call) {
    TempDir capture;
    const std::string out_path = capture.File("out");
    const std::string err_path = capture.File("err");
    std::vector<std::string> words = call.args;
    words.insert(words.begin(), call.tool);
    // Everything the child needs is made before the fork: a test may run a thread of its own,
    // and the child may only make calls that are safe after a fork until it runs the tool.
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment = call.env;
    for (char** entry = environ; *entry; ++entry) environment.emplace_back(*entry);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    CliRun run;
    // A fork that fails (a busy machine) is tried again rather than failing the test.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const pid_t pid = fork();
        if (pid < 0) {
            usleep(200000);
            continue;
        }
        if (pid == 0) {
            const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0) _exit(126);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) return run;
        }
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
        run.out = AsText(ReadAll(out_path));
        run.err = AsText(ReadAll(err_path));
        return run;
    }
    return run;
}

inline CliRun RunTool(std::vector<std::string> args) { return RunCall(CliCall{std::move(args), {}, QV_TEST_CLI}); }

inline bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace qv::test
