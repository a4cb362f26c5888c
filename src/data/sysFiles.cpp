#include "data/sysFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/sysLog.h"

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& out) {
  std::size_t fileSize = 0;
  return ReadFilePrefix(path, out, SIZE_MAX, fileSize);
}

bool ReadFilePrefix(const std::string& path, std::vector<std::uint8_t>& out, std::size_t limit, std::size_t& fileSize) {
  out.clear();
  fileSize = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Sized from the file, so a whole file comes in one read; a file that grows
  // meanwhile is still read to its end (or the limit).
  struct stat st {};
  fileSize = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  out.resize(std::min(fileSize + 1, limit));
  std::size_t have = 0;
  bool ok = true;
  while (have < limit) {
    if (have == out.size()) out.resize(std::min(std::max<std::size_t>(out.size() * 2, 1), limit));
    const ssize_t n = ::read(fd, out.data() + have, out.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    have += static_cast<std::size_t>(n);
  }
  const int saved = errno;
  ::close(fd);
  errno = saved;
  out.resize(ok ? have : 0);
  fileSize = std::max(fileSize, out.size());
  return ok;
}

bool WriteFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) {
    LogLine("cannot write " + temp + ": " + std::strerror(errno));
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      LogLine("cannot write " + temp + ": " + std::strerror(errno));
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    LogLine("cannot flush " + temp + ": " + std::strerror(errno));
    ::unlink(temp.c_str());
    return false;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    LogLine("cannot replace " + path + ": " + std::strerror(errno));
    ::unlink(temp.c_str());
    return false;
  }
  NoteFileChanged(path);
  return true;
}

namespace {
TFileChangeObserver& Observer() {
  static TFileChangeObserver observer;
  return observer;
}
}  // namespace

TFileChangeObserver SetFileChangeObserver(TFileChangeObserver observer) {
  std::swap(Observer(), observer);
  return observer;
}

void NoteFileChanged(const std::string& path) {
  if (Observer()) Observer()(path);
}

namespace {
TFileOffer& Offer() {
  static TFileOffer offer;
  return offer;
}
}  // namespace

TFileOffer SetFileOffer(TFileOffer offer) {
  std::swap(Offer(), offer);
  return offer;
}

bool OfferFile(const std::string& path) { return Offer() && Offer()(path); }

namespace {
TFilePicker& Picker() {
  static TFilePicker picker;
  return picker;
}
std::uint32_t& PickedCount() {
  static std::uint32_t count = 0;
  return count;
}
}  // namespace

TFilePicker SetFilePicker(TFilePicker picker) {
  std::swap(Picker(), picker);
  return picker;
}

bool CanPickFiles() { return static_cast<bool>(Picker()); }

bool PickFileInto(const std::string& folder) { return Picker() && Picker()(folder); }

void NoteFilePicked() { ++PickedCount(); }

namespace {
TDataFetcher& Fetcher() {
  static TDataFetcher fetcher;
  return fetcher;
}
}  // namespace

TDataFetcher SetDataFetcher(TDataFetcher fetcher) {
  std::swap(Fetcher(), fetcher);
  return fetcher;
}

bool FetchDataFile(const std::string& relative) { return Fetcher() && Fetcher()(relative); }

std::uint32_t FilesPicked() { return PickedCount(); }

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool FolderWritable(const std::string& folder) {
  const std::string probe = folder + ".plotfray-write-test-" + std::to_string(::getpid());
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

std::string FirstFreeNumberedName(const std::string& prefix, const std::string& suffix) {
  for (int n = 1;; ++n) {
    std::string name = prefix + std::to_string(n) + suffix;
    if (!FileExists(name)) return name;
  }
}
