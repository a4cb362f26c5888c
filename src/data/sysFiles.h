#pragma once
// Whole-file reads and atomic writes of the program's own files.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads the whole file; false when it cannot be opened or read (errno tells why).
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& out);
// Reads at most limit bytes from the start of the file; fileSize gets the size
// of the whole file, so that a caller can tell it was cut.
bool ReadFilePrefix(const std::string& path, std::vector<std::uint8_t>& out, std::size_t limit, std::size_t& fileSize);
// Writes a temporary file beside the target, flushes it to disk and renames it
// over the target, so a crash never leaves a half-written file.
bool WriteFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool FileExists(const std::string& path);

// Told the path of each file the program has finished writing or moved
// (after the rename), so a platform whose files live in memory can store them
// at once. None by default; returns the observer it replaces.
using TFileChangeObserver = std::function<void(const std::string& path)>;
TFileChangeObserver SetFileChangeObserver(TFileChangeObserver observer);
void NoteFileChanged(const std::string& path);
// Offers a file the program wrote to the player to keep (a browser saves it
// as a download). True when it was offered; where files are the player's own
// already (the desktop), no handler is set and nothing happens.
using TFileOffer = std::function<bool(const std::string& path)>;
TFileOffer SetFileOffer(TFileOffer offer);
bool OfferFile(const std::string& path);
// Lets the player choose a file of their own to copy into folder ('/'-ended;
// a browser's file picker). False where the platform has none (the desktop,
// where the player puts files in folders). The copy arrives later, counted by
// FilesPicked.
using TFilePicker = std::function<bool(const std::string& folder)>;
TFilePicker SetFilePicker(TFilePicker picker);
bool CanPickFiles();
bool PickFileInto(const std::string& folder);
// Asks for a data file the data folder lacks (a path relative to it) to be
// fetched: a browser's page downloads only some of the data at first. True
// when a fetch was asked for; the platform says when the file is there.
using TDataFetcher = std::function<bool(const std::string& relative)>;
TDataFetcher SetDataFetcher(TDataFetcher fetcher);
bool FetchDataFile(const std::string& relative);
// A picked file has been copied into its folder.
void NoteFilePicked();
std::uint32_t FilesPicked();
// Whether a file can be created in folder ('/'-ended): the only sure test is to try.
bool FolderWritable(const std::string& folder);
// prefix + n + suffix for the smallest n >= 1 that names no existing file, so
// that files numbered by an earlier run are not written over.
std::string FirstFreeNumberedName(const std::string& prefix, const std::string& suffix);
