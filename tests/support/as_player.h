// File modes stop a player but not root, and CI runs as root. AsPlayer runs
// a check with an ordinary user's rights: as root, in a child process that
// has dropped to the user "nobody"; otherwise in this process.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace qz::test {

struct PlayerIds {
  uid_t uid;
  gid_t gid;
};

// Who AsPlayer runs as.
inline PlayerIds Player() {
  if (::geteuid() != 0) return {::geteuid(), ::getegid()};
  const passwd* nobody = ::getpwnam("nobody");
  return nobody ? PlayerIds{nobody->pw_uid, nobody->pw_gid} : PlayerIds{65534, 65534};
}

// Hands a folder and everything in it to the player, as their own files.
inline void GiveToPlayer(const std::filesystem::path& path) {
  if (::geteuid() != 0) return;
  const PlayerIds p = Player();
  [[maybe_unused]] int ignored = ::lchown(path.c_str(), p.uid, p.gid);
  if (!std::filesystem::is_directory(path)) return;
  for (const auto& e : std::filesystem::recursive_directory_iterator(path))
    ignored = ::lchown(e.path().c_str(), p.uid, p.gid);
}

// Runs check as the player; its result ("" when everything held, else what
// went wrong) comes back, or why the check could not run. The child must not
// use gtest assertions: they would be lost with it.
inline std::string AsPlayer(const std::function<std::string()>& check) {
  if (::geteuid() != 0) return check();
  int fds[2];
  if (::pipe(fds) != 0) return "no pipe to the player's process";
  const pid_t pid = ::fork();
  if (pid < 0) return "cannot start the player's process";
  if (pid == 0) {
    ::close(fds[0]);
    const PlayerIds p = Player();
    std::string result = "cannot drop root's rights";
    if (::setgroups(0, nullptr) == 0 && ::setgid(p.gid) == 0 && ::setuid(p.uid) == 0 &&
        ::geteuid() != 0)
      result = check();
    for (std::size_t done = 0; done < result.size();) {
      const ssize_t n = ::write(fds[1], result.data() + done, result.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string result;
  char buffer[512];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return "the player's process failed: " + result;
  return result;
}

}  // namespace qz::test
