#include "tools/discbuild/Tools.h"

#include <cerrno>
#include <fcntl.h>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Reads both pipes until they close, so that neither fills and stalls the tool.
void Drain(int outFd, int errFd, ToolRun& run, const std::function<void(const std::string&)>& onErrorLine)
{
    std::string pendingLine;
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            std::string& sink = i == 0 ? run.output : run.errors;
            sink.append(buffer, static_cast<std::size_t>(got));
            if (i == 1 && onErrorLine) {
                pendingLine.append(buffer, static_cast<std::size_t>(got));
                std::size_t end;
                while ((end = pendingLine.find_first_of("\r\n")) != std::string::npos) {
                    onErrorLine(pendingLine.substr(0, end));
                    pendingLine.erase(0, end + 1);
                }
            }
        }
    }
}

} // namespace

std::string FindTool(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    dirs += ":/usr/sbin:/sbin"; // mkfs.fat lives in sbin, often off a user's PATH
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string candidate = (end > start ? dirs.substr(start, end - start) : ".") + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

ToolRun RunTool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                const std::function<void(const std::string&)>& onErrorLine)
{
    ToolRun run;
    const std::string program = FindTool(argv.at(0));
    int outPipe[2], errPipe[2];
    if (program.empty() || pipe(outPipe) != 0)
        return run;
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return run;
    }
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), env.begin(), env.end());
    std::vector<char*> envp;
    for (const auto& e : envStrings)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return run;
    }
    Drain(outPipe[0], errPipe[0], run, onErrorLine);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string DescribeFailure(const std::string& what, const ToolRun& run)
{
    // The last lines say what went wrong; before them stand the tool's banner and progress.
    std::vector<std::string> lines;
    const std::string& text = run.errors.empty() ? run.output : run.errors;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::string tail;
    for (std::size_t i = lines.size() > 3 ? lines.size() - 3 : 0; i < lines.size(); ++i)
        tail += (tail.empty() ? "" : " / ") + lines[i];
    return what + (run.status < 0 ? " could not run" : " failed (exit status " + std::to_string(run.status) + ")") +
           (tail.empty() ? "" : ": " + tail);
}
