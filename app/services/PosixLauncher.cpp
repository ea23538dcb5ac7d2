#include <cerrno>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/services/Launcher.h"

namespace tolvanw32 {

bool PosixProgramStarter::start(const std::string& program, const std::string& argument) {
    if (program.empty()) return false;
    // The pipe tells whether the exec succeeded: it closes on exec (nothing
    // read), or the grandchild writes its errno before exiting.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    std::string prog = program;
    std::string arg = argument;
    char* argv[] = {prog.data(), arg.data(), nullptr};

    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::setsid();
            ::execvp(argv[0], argv);
            int err = errno;
            ssize_t ignored = ::write(fds[1], &err, sizeof err);
            (void)ignored;
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    int err = 0;
    ssize_t n;
    while ((n = ::read(fds[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(fds[0]);
    return forked && n == 0;
}

} // namespace tolvanw32
