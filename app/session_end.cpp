#include "app/session_end.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace bilan {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};

// One watch per process: a signal handler can reach nothing but globals.
int write_end = -1;
int read_end = -1;
std::array<struct sigaction, kSignals.size()> previous{};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Only async-signal-safe calls here. A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = ::write(write_end, &byte, 1);
  errno = saved;
}

}  // namespace

SessionEndWatch::SessionEndWatch(std::function<void()> on_end) : on_end_(std::move(on_end)) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return;
  write_end = ends[0];
  read_end = ends[1];
  notifier_ = new QSocketNotifier(read_end, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous[i]);
}

SessionEndWatch::~SessionEndWatch() {
  if (notifier_ == nullptr) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  delete notifier_;
  ::close(write_end);
  ::close(read_end);
  write_end = read_end = -1;
}

void SessionEndWatch::Drain() {
  char bytes[64];
  bool signalled = false;
  while (::read(read_end, bytes, sizeof bytes) > 0) signalled = true;
  if (signalled && on_end_) on_end_();
}

}  // namespace bilan
