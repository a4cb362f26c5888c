// "Scores.dat" from outside: whole entries are read in order, impossible rows
// are left out, what is kept is tables the game could have written (clean
// names, titles and difficulties inside their tables, best first), and a
// read-write-read changes nothing.
#include <algorithm>
#include <cstdint>

#include "data/sysRecords.h"
#include "tables/defTitles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TScoreTables tables;
  TDecodeNotes notes;
  const std::size_t entries = DecodeScores(data, size, tables, notes);
  if (entries != std::min<std::size_t>(size / ScoreEntrySize, ScoreTableCount * ScoreRowCount)) __builtin_trap();
  if (static_cast<std::size_t>(notes.Rejected) > entries) __builtin_trap();
  for (const TScoreTable& table : tables)
    for (std::size_t r = 0; r < ScoreRowCount; ++r) {
      const TScoreEntry& e = table[r];
      if (e.Title < 0 || e.Title >= TitleCount || e.Difficulty < 0 || e.Difficulty > 3 ||
          e.Name != CleanName(e.Name) || e.Score < 0 || e.Level < 0 || e.Kills < 0)
        __builtin_trap();
      if (r > 0 && e.Score > table[r - 1].Score) __builtin_trap();
    }
  const std::vector<std::uint8_t> written = EncodeScores(tables);
  if (written.size() != ScoresFileSize) __builtin_trap();
  TScoreTables again;
  TDecodeNotes notesAgain;
  if (DecodeScores(written.data(), written.size(), again, notesAgain) != ScoreTableCount * ScoreRowCount ||
      notesAgain.Repaired != 0 || notesAgain.Rejected != 0)
    __builtin_trap();
  if (EncodeScores(again) != written) __builtin_trap();
  return 0;
}
