#pragma once
// Turns the signals by which a session ends a program (SIGTERM at logout or
// shutdown, SIGHUP when the terminal goes, SIGINT from Ctrl+C) into a call on
// the GUI thread, between two events, without any polling: the handler only
// writes one byte into a socket pair whose other end the event loop watches.
//
// It does not decide what ending means; the caller's action does.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace bilan {

class SessionEndWatch : public QObject {
 public:
  // Installs the handlers; `on_end` runs on the GUI thread once per signal.
  explicit SessionEndWatch(std::function<void()> on_end);
  // Restores the previous handlers.
  ~SessionEndWatch() override;
  SessionEndWatch(const SessionEndWatch&) = delete;
  SessionEndWatch& operator=(const SessionEndWatch&) = delete;

 private:
  void Drain();

  std::function<void()> on_end_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace bilan
