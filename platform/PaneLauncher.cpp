#include "platform/PaneLauncher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/BundleInfo.h"
#include "platform/SystemInfo.h"

#ifndef CORVANE_SYSTEM_ROOT
#define CORVANE_SYSTEM_ROOT "/"
#endif
#ifndef CORVANE_SYSTEM_ROOT_FROM_BIN
#define CORVANE_SYSTEM_ROOT_FROM_BIN "../lib/corvane/root"
#endif

namespace platform {
namespace {

void Report(const std::string& line) {
    SystemLog("%s", line.c_str());
    std::fprintf(stderr, "%s\n", line.c_str());
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string SystemRootFor(const std::string& executable, const char* fromEnvironment) {
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    // A program inside a bundle (the settings window) lives under the root.
    const size_t system = executable.find("/System/Library/");
    if (system != std::string::npos && system > 0) return executable.substr(0, system);
    // An installed program finds the root beside its own folder, wherever
    // the installation was put.
    const size_t slash = executable.rfind('/');
    if (slash != std::string::npos) {
        const std::string installed =
            executable.substr(0, slash + 1) + CORVANE_SYSTEM_ROOT_FROM_BIN;
        if (IsFolder(installed)) {
            char resolved[PATH_MAX];
            return realpath(installed.c_str(), resolved) ? std::string(resolved) : installed;
        }
    }
    // Run from the build tree.
    return CORVANE_SYSTEM_ROOT;
}

std::string SystemRoot() {
    char executable[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", executable, sizeof executable - 1);
    return SystemRootFor(n > 0 ? std::string(executable, size_t(n)) : std::string(),
                         std::getenv("CORVANE_SYSTEM_ROOT"));
}

std::string ResolveSystemPath(const std::string& path) {
    std::string root = SystemRoot();
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (root == "/") return path;
    if (!path.empty() && path.front() == '/') return root + path;
    return root + "/" + path;
}

std::string BundleExecutableName(const std::string& resolvedBundlePath) {
    const std::string name =
        InfoPlistString(BundleInfoPath(resolvedBundlePath), kBundleExecutableKey).value_or("");
    if (IsPlainFileName(name)) return name;
    std::string folder = resolvedBundlePath;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    size_t slash = folder.rfind('/');
    std::string base = slash == std::string::npos ? folder : folder.substr(slash + 1);
    size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) base.erase(dot);
    return base;
}

OpenBundleResult OpenBundle(const std::string& bundlePath) {
    const std::string bundle = ResolveSystemPath(bundlePath);
    if (!IsFolder(bundle)) {
        Report("**** OpenBundle - no bundle installed at " + bundle + " ****");
        return OpenBundleResult::NotInstalled;
    }
    const std::string executable = bundle + "/Contents/MacOS/" + BundleExecutableName(bundle);
    if (access(executable.c_str(), X_OK) != 0) {
        Report("**** OpenBundle - no executable at " + executable + " ****");
        return OpenBundleResult::NotInstalled;
    }

    // Everything the children need is prepared before fork: between fork and
    // exec only async-signal-safe calls are allowed.
    std::vector<char> path(executable.begin(), executable.end());
    path.push_back('\0');
    char* argv[] = {path.data(), nullptr};

    // A grandchild started from a short-lived child belongs to init, so the
    // opened program outlives us and never becomes our zombie.
    pid_t child = fork();
    if (child < 0) {
        Report(std::string("!!!! OpenBundle - fork failed: ") + std::strerror(errno) + " !!!!");
        return OpenBundleResult::Failed;
    }
    if (child == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int devnull = open("/dev/null", O_RDONLY);
            if (devnull >= 0) {
                dup2(devnull, STDIN_FILENO);
                close(devnull);
            }
            execv(path.data(), argv);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        Report("!!!! OpenBundle - could not start " + executable + " !!!!");
        return OpenBundleResult::Failed;
    }
    return OpenBundleResult::Started;
}

}  // namespace platform
