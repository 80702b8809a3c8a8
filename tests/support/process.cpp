#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

extern char** environ;

namespace {

struct Pipe {
  int Read = -1, Write = -1;
  Pipe() {
    int Ends[2];
    if (pipe2(Ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    Read = Ends[0];
    Write = Ends[1];
  }
};

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& Arguments, const std::string& Input) {
  std::signal(SIGPIPE, SIG_IGN);  // a child that exits without reading its input must not kill us
  Pipe In, Out, Err;
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, In.Read, 0);
  posix_spawn_file_actions_adddup2(&Actions, Out.Write, 1);
  posix_spawn_file_actions_adddup2(&Actions, Err.Write, 2);
  std::vector<char*> Argv;
  for (const auto& A : Arguments) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  pid_t Child;
  const int Spawned = posix_spawn(&Child, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  close(In.Read);
  close(Out.Write);
  close(Err.Write);
  if (Spawned != 0) {
    close(In.Write);
    close(Out.Read);
    close(Err.Read);
    throw std::runtime_error("cannot start " + Arguments[0]);
  }

  ProcessResult Result;
  size_t Written = 0;
  if (Input.empty()) close(In.Write), In.Write = -1;
  pollfd Fds[3] = {{Out.Read, POLLIN, 0}, {Err.Read, POLLIN, 0}, {In.Write, POLLOUT, 0}};
  int Open = 2;
  while (Open > 0 || Fds[2].fd >= 0) {
    if (poll(Fds, 3, -1) < 0 && errno != EINTR) break;
    for (int I = 0; I < 2; ++I) {
      if (Fds[I].fd < 0 || !(Fds[I].revents & (POLLIN | POLLHUP))) continue;
      char Buffer[65536];
      const ssize_t N = read(Fds[I].fd, Buffer, sizeof Buffer);
      if (N > 0) {
        (I == 0 ? Result.Stdout : Result.Stderr).append(Buffer, static_cast<size_t>(N));
      } else {
        close(Fds[I].fd);
        Fds[I].fd = -1;
        --Open;
      }
    }
    if (Fds[2].fd >= 0 && (Fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t N = write(Fds[2].fd, Input.data() + Written, Input.size() - Written);
      if (N > 0) Written += static_cast<size_t>(N);
      if (N <= 0 || Written == Input.size()) {
        close(Fds[2].fd);
        Fds[2].fd = -1;
      }
    }
  }
  int Status = 0;
  waitpid(Child, &Status, 0);
  if (WIFEXITED(Status)) Result.ExitCode = WEXITSTATUS(Status);
  return Result;
}
