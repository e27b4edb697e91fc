// A program run as /bin/sh -c COMMAND with its standard input and output on
// pipes, in a process group of its own so that a time-out ends it together
// with whatever the shell started. Reads and writes never wait past the
// deadline they are given.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>

namespace qz {

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;
  enum class ReadResult { Line, TimedOut, Closed };

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Kill(); }

  // The command is handed to the shell as it is, and to nothing else.
  bool Start(const std::string& command, std::string& problem);
  bool Running() const { return pid_ > 0; }

  // Writes text and a line end; false when the child does not take it
  // before the deadline or no longer reads.
  bool WriteLine(std::string_view text, Clock::time_point deadline);
  // The next line of the child's output, without its line end. Lines longer
  // than MaxLine are cut there. Closed once the child has ended and its
  // output is read, even while a process it started holds the pipe open;
  // TimedOut once the deadline has passed, however much it writes.
  ReadResult ReadLine(std::string& line, Clock::time_point deadline);

  // Closes its input and gives it until the deadline to end, then kills it.
  void Close(Clock::time_point deadline);
  // Ends the whole process group at once and reaps the child.
  void Kill();
  // Whether the child has ended (it stays to be reaped by Close or Kill).
  bool HasEnded() const;
  // How the child ended ("exit status 1", "signal 9"), once it has.
  std::string ExitDescription() const;

  static constexpr std::size_t MaxLine = 64 * 1024;

 private:
  void CloseFds();

  pid_t pid_ = -1;
  int toChild_ = -1, fromChild_ = -1;
  std::string buffer_;
  bool eof_ = false;
  int status_ = 0;
  bool exited_ = false;
};

}  // namespace qz
