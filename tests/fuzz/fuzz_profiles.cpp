// "Profiles.dat" from outside: every whole record is read or rejected, what is
// kept is a profile the game could have written, and it survives being written
// and read again unchanged.
#include <cstdint>

#include "data/sysRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<TProfileRecord> profiles;
  TDecodeNotes notes;
  const std::size_t leftOver = DecodeProfiles(data, size, profiles, notes);
  if (profiles.size() + static_cast<std::size_t>(notes.Rejected) != size / ProfileRecordSize ||
      leftOver != size % ProfileRecordSize)
    __builtin_trap();
  if ((notes.Rejected > 0) == notes.Why.empty()) __builtin_trap();
  const std::vector<std::uint8_t> written = EncodeProfiles(profiles);
  if (written.size() != profiles.size() * ProfileRecordSize) __builtin_trap();
  std::vector<TProfileRecord> again;
  TDecodeNotes notesAgain;
  if (DecodeProfiles(written.data(), written.size(), again, notesAgain) != 0 || notesAgain.Repaired != 0 ||
      notesAgain.Rejected != 0)
    __builtin_trap();
  if (EncodeProfiles(again) != written) __builtin_trap();
  for (const TProfileRecord& p : again) {
    if (p.Name.empty() || p.Name != CleanName(p.Name)) __builtin_trap();
    for (std::int32_t d : {p.MissionDifficulty, p.ArcadeDifficulty, p.ChallengeDifficulty})
      if (d < 0 || d > 3) __builtin_trap();
    for (const TMissionProgress& m : p.MissionProgress)
      if (m.LevelsDone < 0 || m.LevelsDone > 5 || m.MissionScore < 0 || m.MissionKills < 0) __builtin_trap();
  }
  return 0;
}
