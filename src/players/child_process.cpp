#include "players/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace qz {

namespace {

// How often a read that waits looks whether the child has ended.
constexpr int kEndCheckMs = 20;

int MillisecondsUntil(ChildProcess::Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - ChildProcess::Clock::now())
          .count();
  if (left <= 0) return 0;
  return left > 1000000 ? 1000000 : static_cast<int>(left);
}

}  // namespace

bool ChildProcess::Start(const std::string& command, std::string& problem) {
  Kill();
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) {
    problem = "cannot create a pipe";
    return false;
  }
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    problem = "cannot create a pipe";
    return false;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
    problem = "cannot start a process";
    return false;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // not left behind if this program is killed
    ::signal(SIGPIPE, SIG_DFL);
    if (::dup2(in[0], STDIN_FILENO) < 0 || ::dup2(out[1], STDOUT_FILENO) < 0) ::_exit(127);
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::setpgid(pid, pid);  // also here, whichever of the two runs first
  ::close(in[0]);
  ::close(out[1]);
  pid_ = pid;
  toChild_ = in[1];
  fromChild_ = out[0];
  ::fcntl(toChild_, F_SETFL, ::fcntl(toChild_, F_GETFL) | O_NONBLOCK);
  buffer_.clear();
  eof_ = false;
  exited_ = false;
  status_ = 0;
  return true;
}

bool ChildProcess::WriteLine(std::string_view text, Clock::time_point deadline) {
  if (toChild_ < 0) return false;
  std::string data(text);
  data += '\n';
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(toChild_, data.data() + done, data.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{toChild_, POLLOUT, 0};
      const int wait = MillisecondsUntil(deadline);
      if (wait == 0 || ::poll(&p, 1, wait) == 0) return false;
      continue;
    }
    return false;  // EPIPE: it no longer reads
  }
  return true;
}

ChildProcess::ReadResult ChildProcess::ReadLine(std::string& line, Clock::time_point deadline) {
  for (;;) {
    const std::size_t end = buffer_.find('\n');
    if (end != std::string::npos || buffer_.size() >= MaxLine || (eof_ && !buffer_.empty())) {
      const std::size_t cut = end == std::string::npos ? std::min(buffer_.size(), MaxLine) : end;
      line.assign(buffer_, 0, cut);
      buffer_.erase(0, end == std::string::npos ? cut : end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return ReadResult::Line;
    }
    if (eof_ || fromChild_ < 0) return ReadResult::Closed;
    // The deadline holds however fast the child writes: data waiting in the
    // pipe does not extend it.
    const int left = MillisecondsUntil(deadline);
    if (left == 0) return ReadResult::TimedOut;
    // In short waits, so that a child that has ended is noticed even while
    // something it started keeps the pipe open.
    pollfd p{fromChild_, POLLIN, 0};
    const int ready = ::poll(&p, 1, std::min(left, kEndCheckMs));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return ReadResult::TimedOut;
    if (ready == 0) {
      if (HasEnded()) {
        // What it wrote before it ended has been read: nothing more will come.
        pollfd again{fromChild_, POLLIN, 0};
        if (::poll(&again, 1, 0) <= 0) eof_ = true;
      }
      continue;
    }
    char chunk[4096];
    const ssize_t n = ::read(fromChild_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      eof_ = true;
      continue;
    }
    buffer_.append(chunk, static_cast<std::size_t>(n));
  }
}

void ChildProcess::Close(Clock::time_point deadline) {
  if (pid_ <= 0) return;
  if (toChild_ >= 0) ::close(toChild_);
  toChild_ = -1;
  while (!HasEnded() && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  Kill();
}

void ChildProcess::Kill() {
  if (pid_ > 0) {
    // Until it is reaped the child's id cannot be reused, so the group
    // signal reaches only what it started.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    int status = 0;
    pid_t r;
    do {
      r = ::waitpid(pid_, &status, 0);
    } while (r < 0 && errno == EINTR);
    status_ = r == pid_ ? status : 0;
    exited_ = true;
    pid_ = -1;
  }
  CloseFds();
}

bool ChildProcess::HasEnded() const {
  if (pid_ <= 0) return true;
  siginfo_t info{};
  // WNOWAIT: look without reaping, so that Kill can still signal the group.
  if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
    return true;
  return info.si_pid == pid_;
}

std::string ChildProcess::ExitDescription() const {
  if (!exited_) return "still running";
  if (WIFEXITED(status_)) return "exit status " + std::to_string(WEXITSTATUS(status_));
  if (WIFSIGNALED(status_)) return "signal " + std::to_string(WTERMSIG(status_));
  return "ended";
}

void ChildProcess::CloseFds() {
  if (toChild_ >= 0) ::close(toChild_);
  if (fromChild_ >= 0) ::close(fromChild_);
  toChild_ = fromChild_ = -1;
}

}  // namespace qz
