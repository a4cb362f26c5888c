#include "data/sysSlowScores.h"

#include <string>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "data/sysOptions.h"
#include "data/sysResources.h"

const char* const SlowScoresFile = "SlowScores.dat";

std::int32_t SlowScoreBlock(std::int32_t speed) {
  if (speed == SpeedThreeQuarters) return 0;
  if (speed == SpeedHalf) return 1;
  return -1;
}

TScoreTables& TsysResources::TablesOfSpeed(std::int32_t speed) {
  const std::int32_t block = SlowScoreBlock(speed);
  return block < 0 ? ScoreTables : SlowScoreTables[static_cast<std::size_t>(block)];
}

const TScoreTables& TsysResources::TablesOfSpeed(std::int32_t speed) const {
  const std::int32_t block = SlowScoreBlock(speed);
  return block < 0 ? ScoreTables : SlowScoreTables[static_cast<std::size_t>(block)];
}

bool TsysResources::SaveSlowScores() {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(SlowScoresFileSize);
  for (const TScoreTables& tables : SlowScoreTables) {
    const std::vector<std::uint8_t> block = EncodeScores(tables);
    bytes.insert(bytes.end(), block.begin(), block.end());
  }
  return WriteSave(SlowScoresFile, bytes);
}

void TsysResources::ReadSlowScores() {
  for (TScoreTables& tables : SlowScoreTables) {
    TDecodeNotes none;
    DecodeScores(nullptr, 0, tables, none);
  }
  std::vector<std::uint8_t> bytes;
  bool fromSaveFolder = true;
  std::size_t fileSize = 0;
  const TFileRead read = ReadSaveFile(SlowScoresFile, bytes, SlowScoresFileSize, fromSaveFolder, fileSize);
  if (read == TFileRead::Missing) return;
  if (read == TFileRead::Forbidden) return KeepUnread(SlowScoresFile, TrMark("new high scores of slowed games"));
  if (read == TFileRead::Unreadable) {
    if (fromSaveFolder)
      NoteSetAside(SlowScoresFile, SetAside(SlowScoresFile, "cannot be read"),
                   [] { return std::string(Tr("the high scores of slowed games start again empty")); });
    return;
  }
  std::size_t good = 0;
  std::int32_t rejected = 0;
  std::string why;
  for (std::size_t block = 0; block < SlowSpeedCount; ++block) {
    const std::size_t at = block * ScoresFileSize;
    const std::size_t size = bytes.size() > at ? std::min(ScoresFileSize, bytes.size() - at) : 0;
    TDecodeNotes notes;
    const std::size_t entries = DecodeScores(size > 0 ? bytes.data() + at : nullptr, size, SlowScoreTables[block], notes);
    good += entries - static_cast<std::size_t>(notes.Rejected);
    rejected += notes.Rejected;
    if (why.empty()) why = notes.Why;
  }
  std::string damage;
  if (fileSize != SlowScoresFileSize)
    damage = "holds " + std::to_string(fileSize) + " bytes, not the " + std::to_string(SlowScoresFileSize) +
             " of its tables";
  if (rejected > 0)
    damage += (damage.empty() ? "" : "; ") + std::to_string(rejected) + " rows are impossible (" + why + ")";
  if (damage.empty()) {
    if (!fromSaveFolder) SaveSlowScores();
    return;
  }
  const std::string aside = fromSaveFolder ? SetAside(SlowScoresFile, damage) : "";
  if (!fromSaveFolder) LogLine(std::string(SlowScoresFile) + " " + damage);
  if (!fromSaveFolder || !aside.empty()) SaveSlowScores();
  NoteSetAside(SlowScoresFile, aside, [good] {
    return Format(Tr("%s of the 240 high scores of slowed games were read whole"), {std::to_string(good)});
  });
}
