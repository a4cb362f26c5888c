#include "platform/platQuitSignal.h"

#ifdef __EMSCRIPTEN__
// The page has no signals and no message boxes of SDL's.
void InstallQuitSignals() {}
bool QuitSignalled() { return false; }
bool TakeQuitSignal() { return false; }
TplatMessageBoxWatch::TplatMessageBoxWatch() = default;
TplatMessageBoxWatch::~TplatMessageBoxWatch() = default;
void TplatMessageBoxWatch::Watch(long) {}
#else

#include <dirent.h>
#include <pthread.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/sysLog.h"

namespace {

volatile std::sig_atomic_t Arrived = 0;
volatile std::sig_atomic_t Pending = 0;
constexpr auto WatchInterval = std::chrono::milliseconds(50);

extern "C" void OnQuitSignal(int) {
  Arrived = 1;
  Pending = 1;
}

volatile std::sig_atomic_t CaughtInterrupt = 0;

// False when the signal was ignored and is left so.
bool Catch(int signal, bool unlessIgnored) {
  struct sigaction old {};
  if (unlessIgnored && sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) return false;
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
  return true;
}

// The processes a thread of this process has started (the box SDL forks).
std::vector<pid_t> ChildrenOf(long thread) {
  std::vector<pid_t> children;
  std::ifstream list("/proc/self/task/" + std::to_string(thread) + "/children");
  if (list) {
    pid_t pid = 0;
    while (list >> pid) children.push_back(pid);
    return children;
  }
  // Kernels without that list: every process whose parent is this one.
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return children;
  const pid_t self = getpid();
  while (const dirent* entry = readdir(proc)) {
    const pid_t pid = static_cast<pid_t>(std::atol(entry->d_name));
    if (pid <= 0) continue;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (name) state ppid ...: the name may hold spaces and brackets.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    std::string state;
    pid_t parent = 0;
    if (rest >> state >> parent && parent == self) children.push_back(pid);
  }
  closedir(proc);
  return children;
}

}  // namespace

// A process forked from this one (SDL shows its message boxes from one) must
// end on a signal sent to it alone, not note it for a loop it does not run.
extern "C" void DefaultSignalsInChild() {
  signal(SIGTERM, SIG_DFL);
  if (CaughtInterrupt != 0) signal(SIGINT, SIG_DFL);
}

void InstallQuitSignals() {
  Catch(SIGTERM, false);
  CaughtInterrupt = Catch(SIGINT, true) ? 1 : 0;
  static bool forkHandled = false;
  if (!forkHandled) forkHandled = pthread_atfork(nullptr, nullptr, DefaultSignalsInChild) == 0;
}

bool QuitSignalled() { return Arrived != 0; }

bool TakeQuitSignal() {
  if (Pending == 0) return false;
  Pending = 0;
  return true;
}

TplatMessageBoxWatch::TplatMessageBoxWatch() {
  const long thread = syscall(SYS_gettid);
  Watcher = std::thread([this, thread] { Watch(thread); });
  // The box is shown from a forked process: the fork must not catch the new
  // thread half-way through its start (under the sanitizers its allocator lock
  // would stay taken in the child, and the box would never appear).
  while (!Started) std::this_thread::yield();
}

TplatMessageBoxWatch::~TplatMessageBoxWatch() {
  Done = true;
  Watcher.join();
}

void TplatMessageBoxWatch::Watch(long boxThread) {
  Started = true;
  while (!Done) {
    // Until the box returns: a signal may come before the box's process exists.
    if (Arrived != 0) {
      // The box's process holds nothing of ours: it is ended outright (it would
      // catch a polite signal with the handler it inherited).
      for (const pid_t child : ChildrenOf(boxThread))
        if (kill(child, SIGKILL) == 0) EndedBox = true;
    }
    std::this_thread::sleep_for(WatchInterval);
  }
}

#endif  // __EMSCRIPTEN__
