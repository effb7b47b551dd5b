#include "tests/integration/Processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace corvane::test {
namespace {

std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int ExitStatus(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }

}  // namespace

std::string BinPath(const std::string& name) { return std::string(CORVANE_BIN_DIR) + "/" + name; }

CommandResult Run(const std::vector<std::string>& command, const std::string& input) {
    std::vector<std::string> args = command;
    char outPath[] = "/tmp/corvane-out-XXXXXX";
    char errPath[] = "/tmp/corvane-err-XXXXXX";
    char inPath[] = "/tmp/corvane-in-XXXXXX";
    int outFd = mkstemp(outPath);
    int errFd = mkstemp(errPath);
    int inFd = mkstemp(inPath);
    if (inFd >= 0) {
        const ssize_t written = write(inFd, input.data(), input.size());
        (void)written;
        lseek(inFd, 0, SEEK_SET);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    posix_spawn_file_actions_adddup2(&actions, inFd, 0);
    CommandResult result;
    pid_t pid = -1;
    auto argv = Argv(args);
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int raw = 0;
        waitpid(pid, &raw, 0);
        result.status = ExitStatus(raw);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    close(inFd);
    unlink(inPath);
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    unlink(outPath);
    unlink(errPath);
    return result;
}

Daemon::Daemon(const std::vector<std::string>& command) {
    std::vector<std::string> args = command;
    auto argv = Argv(args);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
}

int Daemon::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int raw = 0;
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            pid_ = -1;
            return ExitStatus(raw);
        }
        usleep(10000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &raw, 0);
    pid_ = -1;
    return -1;
}

bool Daemon::Exited() {
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
    return pid_ <= 0;
}

Daemon::~Daemon() { Stop(); }

}  // namespace corvane::test
