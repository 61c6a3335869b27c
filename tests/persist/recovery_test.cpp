#include "persist/recovery.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "persist/project_file.h"
#include "persist/recent_projects.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

std::unique_ptr<LeFile> Sample(const char* text) {
    auto lf = std::make_unique<LeFile>();
    lf->AddObj(0)->lt.str = text;
    return lf;
}

TEST(Recovery, AppearsAfterASaveAndGoesWithRemove) {
    test::TempDir dir;
    RecoveryWriter writer(dir.path());
    EXPECT_FALSE(std::filesystem::exists(writer.project_path()));
    writer.Save(*Sample("unsaved"), "/home/u/logo.kuz");
    writer.Flush();
    ASSERT_TRUE(std::filesystem::exists(writer.project_path()));
    LeFile back;
    ASSERT_TRUE(LoadProject(writer.project_path(), back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "unsaved");
    // A live editor's file is not offered as abandoned.
    EXPECT_TRUE(FindAbandonedLogos(dir.path()).empty());
    writer.Remove();
    EXPECT_FALSE(std::filesystem::exists(writer.project_path()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Recovery, TheNewestOfManyQuickSavesWins) {
    test::TempDir dir;
    RecoveryWriter writer(dir.path());
    for (int n = 0; n < 50; ++n) writer.Save(*Sample(std::to_string(n).c_str()), "");
    writer.Flush();
    LeFile back;
    ASSERT_TRUE(LoadProject(writer.project_path(), back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "49");
    writer.Remove();
}

// The synchronous save a process makes on its way out: on disk when it returns, newer than any
// copy still queued, and never replacing a good copy with one whose serialising faulted.
TEST(Recovery, SaveNowIsOnDiskAtOnceAndKeepsTheLastGoodCopy) {
    test::TempDir dir;
    RecoveryWriter writer(dir.path());
    writer.Save(*Sample("queued"), "");
    ASSERT_TRUE(writer.SaveNow(*Sample("final"), "/home/u/final.kuz"));
    LeFile back;
    ASSERT_TRUE(LoadProject(writer.project_path(), back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "final");
    writer.Flush();  // the queued copy was dropped, not written over the final one
    ASSERT_TRUE(LoadProject(writer.project_path(), back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "final");

    std::unique_ptr<LeFile> damaged = Sample("damaged");
    damaged->obj[0].reset();  // a count that promises an object which is not there
    test::FaultCapture faults;
    EXPECT_FALSE(writer.SaveNow(*damaged, ""));
    EXPECT_EQ(faults.faults.size(), 1u);
    ASSERT_TRUE(LoadProject(writer.project_path(), back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "final");
    writer.Remove();
}

// An abandoned file as a gone editor leaves it, found again as the start-up finds it.
AbandonedLogo LeaveAbandoned(const std::string& folder) {
    EXPECT_TRUE(SaveProject(folder + "/recovery-999999-1.kuz", *Sample("abandoned")));
    test::WriteAll(folder + "/recovery-999999-1.info", {'\n', '1', '\n'});
    std::vector<AbandonedLogo> found = FindAbandonedLogos(folder);
    EXPECT_EQ(found.size(), 1u);
    return found.empty() ? AbandonedLogo{} : found[0];
}

// A recovered logo's file stays until this writer's own copy is complete on disk, whichever
// way that copy is written, or until Remove() says the work is safe.
TEST(Recovery, ATakenOverLogoGoesOnlyOnceTheOwnCopyIsWritten) {
    for (int way = 0; way < 3; ++way) {
        test::TempDir dir;
        const AbandonedLogo old = LeaveAbandoned(dir.path());
        RecoveryWriter writer(dir.path());
        writer.TakeOver(old);
        EXPECT_TRUE(std::filesystem::exists(old.project_path));
        if (way == 0) {
            writer.Save(*Sample("recovered"), "");
            writer.Flush();
        } else if (way == 1) {
            EXPECT_TRUE(writer.SaveNow(*Sample("recovered"), ""));
        } else {
            writer.Remove();
        }
        EXPECT_FALSE(std::filesystem::exists(old.project_path)) << way;
        EXPECT_FALSE(std::filesystem::exists(old.info_path)) << way;
        EXPECT_EQ(std::filesystem::exists(writer.project_path()), way != 2) << way;
        writer.Remove();
    }
}

TEST(Recovery, ATakenOverLogoStaysWhenTheOwnCopyCannotBeWritten) {
    test::TempDir dir;
    const AbandonedLogo old = LeaveAbandoned(dir.path());
    test::WriteAll(dir.File("blocked"), {1});
    // The writer's folder would have to be inside a plain file.
    RecoveryWriter writer(dir.File("blocked/state"));
    writer.TakeOver(old);
    writer.Save(*Sample("recovered"), "");
    writer.Flush();
    EXPECT_FALSE(writer.SaveNow(*Sample("recovered"), ""));
    EXPECT_TRUE(std::filesystem::exists(old.project_path));
    EXPECT_EQ(FindAbandonedLogos(dir.path()).size(), 1u);
}

// An editor in a child process: saves, then either ends cleanly or is killed.
pid_t Editor(const std::string& folder, bool clean_exit, int hold_fd = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        {
            RecoveryWriter writer(folder);
            writer.Save(*Sample("child"), "/projects/child.kuz");
            writer.Flush();
            if (hold_fd >= 0) {
                char c;
                // Stay alive until the parent has looked.
                if (read(hold_fd, &c, 1) < 0) _exit(3);
            }
            if (clean_exit) writer.Remove();
            if (!clean_exit) raise(SIGKILL);
        }
        _exit(0);
    }
    return pid;
}

// A killed editor whose parent has not collected it yet is still listed by the system; its
// work is abandoned all the same.
TEST(Recovery, OfferedWhileTheKilledEditorIsAZombie) {
    test::TempDir dir;
    const pid_t killed = Editor(dir.path(), false);
    siginfo_t info{};
    // Wait for the end without collecting the child, so it stays a zombie while we look.
    ASSERT_EQ(waitid(P_PID, id_t(killed), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(ProcessStartTime(killed), 0u);
    EXPECT_EQ(FindAbandonedLogos(dir.path()).size(), 1u);
    int status = 0;
    waitpid(killed, &status, 0);
    EXPECT_NE(ProcessStartTime(getpid()), 0u);
}

TEST(Recovery, OfferedAfterAKillAndNotAfterACleanExit) {
    test::TempDir dir;
    const pid_t killed = Editor(dir.path(), false);
    int status = 0;
    waitpid(killed, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::vector<AbandonedLogo> found = FindAbandonedLogos(dir.path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].original_path, "/projects/child.kuz");
    EXPECT_GT(found[0].saved_at, 0);
    LeFile back;
    ASSERT_TRUE(LoadProject(found[0].project_path, back));
    EXPECT_EQ(back.GetObj(0)->lt.str, "child");
    DiscardAbandonedLogo(found[0]);
    EXPECT_TRUE(FindAbandonedLogos(dir.path()).empty());

    const pid_t clean = Editor(dir.path(), true);
    waitpid(clean, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_TRUE(FindAbandonedLogos(dir.path()).empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Recovery, TwoEditorsKeepSeparateFiles) {
    test::TempDir dir;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t other = Editor(dir.path(), true, fds[0]);
    RecoveryWriter mine(dir.path());
    mine.Save(*Sample("mine"), "");
    mine.Flush();
    // Wait for the other editor's file to appear.
    for (int i = 0; i < 200; ++i) {
        int files = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            if (e.path().extension() == ".kuz") ++files;
        }
        if (files == 2) break;
        usleep(10000);
    }
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        if (e.path().extension() == ".kuz") ++files;
    }
    EXPECT_EQ(files, 2);
    EXPECT_TRUE(FindAbandonedLogos(dir.path()).empty());  // both editors are alive
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    int status = 0;
    waitpid(other, &status, 0);
    close(fds[0]);
    close(fds[1]);
    mine.Remove();
}

TEST(RecentProjects, MostRecentFirstLimitedAndWithoutRepeats) {
    test::TempDir dir;
    const std::string file = dir.File("config/recent");
    {
        RecentProjects recent(file);
        EXPECT_TRUE(recent.paths().empty());
        for (int n = 0; n < 10; ++n) EXPECT_TRUE(recent.Add("/p/" + std::to_string(n) + ".kuz"));
        recent.Add("/p/5.kuz");
        ASSERT_EQ(recent.paths().size(), 8u);
        EXPECT_EQ(recent.paths()[0], "/p/5.kuz");
        EXPECT_EQ(recent.paths()[1], "/p/9.kuz");
        EXPECT_EQ(recent.paths()[7], "/p/2.kuz");
    }
    const RecentProjects again(file);
    ASSERT_EQ(again.paths().size(), 8u);
    EXPECT_EQ(again.paths()[0], "/p/5.kuz");
    test::WriteAll(dir.File("exists.kuz"), {1});
    EXPECT_TRUE(RecentProjects::Exists(dir.File("exists.kuz")));
    EXPECT_FALSE(RecentProjects::Exists(dir.File("gone.kuz")));
    EXPECT_FALSE(RecentProjects::Exists(dir.path()));
}

}  // namespace
}  // namespace qv
