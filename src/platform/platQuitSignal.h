#pragma once
// A quit asked for from outside (SIGTERM, SIGINT) is honoured in every state.
// The signal handler only notes it; the window's loop turns it into a close
// request. While a message box is up (SDL shows it from a child process and
// waits for that child), a watcher ends the box's process, so that the quit
// does not wait for somebody to click the box away; the program then quits as
// from its loop. Saves need nothing: each is written when it changes.
#include <atomic>
#include <thread>

// Takes over SIGTERM, and SIGINT unless it is ignored (a background job).
void InstallQuitSignals();
// Whether a quit signal has arrived since start-up.
bool QuitSignalled();
// True once for each quit signal not yet turned into a close request.
bool TakeQuitSignal();

// Held while a message box is shown from this thread: a quit signal ends the box.
class TplatMessageBoxWatch {
 public:
  TplatMessageBoxWatch();
  ~TplatMessageBoxWatch();
  TplatMessageBoxWatch(const TplatMessageBoxWatch&) = delete;
  TplatMessageBoxWatch& operator=(const TplatMessageBoxWatch&) = delete;

  // Whether the box was ended by a quit signal.
  bool Ended() const { return EndedBox.load(); }

 private:
  void Watch(long boxThread);

  std::atomic<bool> Done{false};
  std::atomic<bool> EndedBox{false};
  std::atomic<bool> Started{false};
  std::thread Watcher;
};
