#include "child_process.h"
#include "runner.h"
#include "runner_outcome.h"
#include "temp_folder.h"
#include "termination_cleanup.h"
#include "working_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace zelkora::testing {
namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(ZELKORA_SAMPLES_DIR) + "/定番確変315.pac";

std::vector<fs::path> workingFolders(const fs::path& base) {
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(base)) {
        if (entry.path().filename().string().starts_with("zelkora-run-")) {
            found.push_back(entry.path());
        }
    }
    return found;
}

// A child that makes its working folder in `base` as zelkora-run does, writes a working copy,
// says so through the pipe and waits to be stopped.
pid_t childHoldingAWorkingFolder(const fs::path& base) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::setenv("TMPDIR", base.c_str(), 1);
        cli::installTerminationCleanup();
        cli::WorkingFolder folder;
        if (!folder.create().ok()) {
            ::_exit(3);
        }
        std::ofstream(folder.path() / "temp.pac") << "a working copy";
        const char byte = 'r';
        static_cast<void>(::write(ready[1], &byte, 1));
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = child > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return started ? child : -1;
}

// Ctrl+C or a kill ends the run at once; its working copy goes with it, and the signal still
// ends the process, as the shell expects.
TEST(RunnerProcess, a_stopped_run_removes_its_working_copy) {
    for (const int signal : {SIGINT, SIGTERM}) {
        TempFolder base;
        const fs::path folder = base.file("tmp");
        fs::create_directory(folder);
        const pid_t child = childHoldingAWorkingFolder(folder);
        ASSERT_GT(child, 0);
        ASSERT_EQ(workingFolders(folder).size(), 1U);
        ::kill(child, signal);
        const ProcessEnd end = waitFor(child, std::chrono::seconds(30));
        EXPECT_FALSE(end.exited) << signal;
        EXPECT_EQ(end.status, signal);
        EXPECT_TRUE(workingFolders(folder).empty()) << signal;
    }
}

// A SIGKILL cannot be seen; the next run removes what it left, and only that.
TEST(RunnerProcess, the_next_run_sweeps_the_folders_of_dead_runs_only) {
    TempFolder base;
    const fs::path folder = base.file("tmp");
    fs::create_directory(folder);
    const pid_t killed = childHoldingAWorkingFolder(folder);
    const pid_t alive = childHoldingAWorkingFolder(folder);
    ASSERT_GT(killed, 0);
    ASSERT_GT(alive, 0);
    ::kill(killed, SIGKILL);
    waitFor(killed, std::chrono::seconds(30));
    ASSERT_EQ(workingFolders(folder).size(), 2U);

    // A folder of a process that does not exist (beyond any pid the system hands out) whose
    // lock someone still holds, as a run in another pid namespace would: kept.
    const fs::path locked = folder / "zelkora-run-999999999-1";
    fs::create_directory(locked);
    const int lock = ::open(locked.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    // An earlier version's folders, named without the process: an old one goes, a fresh one
    // may still be in use.
    const fs::path oldFolder = folder / "zelkora-run-1234567890";
    const fs::path freshFolder = folder / "zelkora-run-987654321";
    for (const fs::path& legacy : {oldFolder, freshFolder}) {
        fs::create_directory(legacy);
        std::ofstream(legacy / "temp.pac") << "left";
    }
    const auto old = fs::file_time_type::clock::now() - cli::kOldFolderAge - std::chrono::hours(1);
    fs::last_write_time(oldFolder / "temp.pac", old);
    fs::last_write_time(oldFolder, old);
    fs::create_directory_symlink(oldFolder, folder / "zelkora-run-999999999-2");

    EXPECT_EQ(cli::sweepStaleWorkingFolders(folder), 2);

    const std::vector<fs::path> left = workingFolders(folder);
    EXPECT_EQ(left.size(), 4U);
    EXPECT_FALSE(fs::exists(oldFolder));
    EXPECT_TRUE(fs::exists(freshFolder / "temp.pac"));
    EXPECT_TRUE(fs::exists(locked));
    EXPECT_TRUE(fs::is_symlink(folder / "zelkora-run-999999999-2"));
    bool aliveKept = false;
    for (const fs::path& path : left) {
        aliveKept = aliveKept || path.filename().string().starts_with("zelkora-run-" +
                                                                      std::to_string(alive) + "-");
    }
    EXPECT_TRUE(aliveKept);
    ::close(lock);
    ::kill(alive, SIGTERM);
    waitFor(alive, std::chrono::seconds(30));
}

// `ulimit -f`: a write beyond the limit fails with a message, not with SIGXFSZ.
TEST(RunnerProcess, a_file_size_limit_ends_the_run_with_a_message_not_a_signal) {
    TempFolder folder;
    const ProcessEnd end =
        runRunner({kSample, "--seed", "1", "--out", folder.file("o.pac").string()},
                  folder.file("err.txt"), [] { limitFileSize(100 * 1024); });
    ASSERT_FALSE(end.timedOut);
    EXPECT_TRUE(end.exited) << "ended by signal " << end.status;
    EXPECT_EQ(end.status, cli::kExitFailure);
    EXPECT_NE(end.err.find("ファイルが大きすぎます。"), std::string::npos) << end.err;
}

// The system's temporary folder missing or no folder: said in the program's words.
TEST(RunnerProcess, a_temporary_folder_that_cannot_hold_the_working_copy_is_told_why) {
    TempFolder folder;
    std::ofstream(folder.file("file")) << "not a folder";
    struct Case {
        fs::path temporary;
        std::string reason;
    };
    for (const Case& refused :
         {Case{folder.file("missing"), "ファイルまたはフォルダが見つかりません。"},
          Case{folder.file("file"), "フォルダの名前がファイルに使われています。"}}) {
        const std::string temporary = refused.temporary.string();
        const ProcessEnd end = runRunner({kSample, "--seed", "1"}, folder.file("err.txt"),
                                         [&] { ::setenv("TMPDIR", temporary.c_str(), 1); });
        EXPECT_TRUE(end.exited);
        EXPECT_EQ(end.status, cli::kExitFailure);
        EXPECT_EQ(end.err, "zelkora-run: 一時フォルダ " + temporary +
                               " に作業用のフォルダを作れません。" + refused.reason + "\n");
    }
}

// What --out finds at its target: a special file is refused and kept, a link is written through.
TEST(RunnerProcess, out_refuses_what_is_not_a_file_and_writes_through_a_link) {
    TempFolder folder;
    const fs::path pipe = folder.file("pipe.pac");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(folder.file("folder.pac"));
    fs::create_symlink("/dev/null", folder.file("null.pac"));
    for (const fs::path& target : {pipe, folder.file("folder.pac"), folder.file("null.pac")}) {
        const Outcome outcome = run({kSample, "--seed", "1", "--out", target.string()});
        EXPECT_EQ(outcome.status, cli::kExitFailure) << target;
        EXPECT_EQ(outcome.err, "zelkora-run: ファイル " + target.string() +
                                   " に保存できませんでした。通常のファイルではありません。"
                                   "保存先にあったファイルはそのままです。\n");
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(fs::is_directory(folder.file("folder.pac")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    std::ofstream(folder.file("real.pac")) << "old";
    fs::create_symlink("real.pac", folder.file("link.pac"));
    ASSERT_EQ(run({kSample, "--seed", "1", "--out", folder.file("link.pac").string()}).status,
              cli::kExitSuccess);
    ASSERT_EQ(run({kSample, "--seed", "1", "--out", folder.file("plain.pac").string()}).status,
              cli::kExitSuccess);
    EXPECT_TRUE(fs::is_symlink(folder.file("link.pac")));
    EXPECT_EQ(readBytes(folder.file("real.pac")), readBytes(folder.file("plain.pac")));
}

// An input that cannot be a verification is refused before a byte is copied, in the window's
// words, whether it is played or rebuilt.
TEST(RunnerProcess, inputs_that_are_no_verification_are_refused_with_the_reason) {
    TempFolder folder;
    const fs::path pipe = folder.file("pipe.pac");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(folder.file("folder.pac"));
    fs::create_symlink("loop.pac", folder.file("loop.pac"));
    std::ofstream(folder.file("huge.pac")).close();
    fs::resize_file(folder.file("huge.pac"), std::uint64_t{2} << 30U); // sparse: 2 GiB
    struct Case {
        fs::path input;
        std::string reason;
    };
    for (const Case& refused : {
             Case{pipe, "通常のファイルではありません。"},
             Case{folder.file("folder.pac"), "通常のファイルではありません。"},
             Case{folder.file("missing.pac"), "ファイルまたはフォルダが見つかりません。"},
             Case{folder.file("loop.pac"), "シンボリックリンクが循環しています。"},
             Case{folder.file("huge.pac"), "検証ファイルとしては大きすぎます。"},
         }) {
        const std::string expected = "zelkora-run: ファイル " + refused.input.string() +
                                     " を開けませんでした。" + refused.reason + "\n";
        const Outcome played = run({refused.input.string(), "--seed", "1"});
        EXPECT_EQ(played.status, cli::kExitFailure);
        EXPECT_EQ(played.err, expected);
        const Outcome rebuilt = run({"--rebuild", refused.input.string()});
        EXPECT_EQ(rebuilt.status, cli::kExitFailure);
        EXPECT_EQ(rebuilt.err, expected);
    }
}

} // namespace
} // namespace zelkora::testing
