#pragma once

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// zelkora-run as a process of its own, for what only a process shows: how it ends under a
// signal or a resource limit, and what it leaves behind.
namespace zelkora::testing {

struct ProcessEnd {
    bool exited = false;
    int status = -1; // the exit status, or the signal that ended the process
    bool timedOut = false;
    std::string err;
};

// Waits for `child` up to `limit`, then kills it, so a process that hangs fails its test instead
// of hanging it.
inline ProcessEnd waitFor(pid_t child, std::chrono::seconds limit) {
    ProcessEnd end;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            end.timedOut = true;
            return end;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    end.exited = WIFEXITED(status);
    end.status = end.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return end;
}

// Runs zelkora-run with `arguments`; `prepare` runs in the child before the program starts (a
// limit, an environment variable). Standard error is kept; standard output is dropped.
inline ProcessEnd runRunner(const std::vector<std::string>& arguments,
                            const std::filesystem::path& errFile,
                            const std::function<void()>& prepare = {}) {
    std::vector<std::string> words{ZELKORA_RUN_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_WRONLY);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        // An ignored signal stays ignored across exec: the program must set its own handling.
        ::signal(SIGXFSZ, SIG_DFL);
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        if (prepare) {
            prepare();
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ProcessEnd end = waitFor(child, std::chrono::seconds(120));
    std::ifstream in(errFile);
    end.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return end;
}

// Limits the files the process may write to `bytes`, as `ulimit -f` does.
inline void limitFileSize(rlim_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace zelkora::testing
