#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace bilan::testing {
namespace {

// An unlinked temporary file: outputs of any size, no pipe to drain.
int TemporaryFile() {
  char name[] = "/tmp/bilan-cli-test-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  unlink(name);
  return fd;
}

std::string ReadAll(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  return text;
}

}  // namespace

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment) {
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  const int out = TemporaryFile();
  const int err = TemporaryFile();
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(out, 1);
    dup2(err, 2);
    execve(path.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ProgramRun run;
  run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  return run;
}

}  // namespace bilan::testing
