#include "data/sysRecords.h"

#include <algorithm>

#include "game/defTitles.h"

namespace {

void PutI32At(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// A name field: a length byte and room for 17 characters; unused room is zero.
void PutName(std::uint8_t* p, const std::string& name) {
  const std::size_t n = std::min(name.size(), MaxNameLength);
  p[0] = static_cast<std::uint8_t>(n);
  std::copy_n(name.begin(), n, p + 1);
}

std::string GetName(const std::uint8_t* p, TDecodeNotes& notes) {
  std::size_t n = p[0];
  if (n > MaxNameLength) {
    n = MaxNameLength;
    ++notes.Repaired;
  }
  return std::string(reinterpret_cast<const char*>(p + 1), n);
}

// Keeps v when inside lo..hi, else counts a repair and gives fallback.
std::int32_t Checked(std::int32_t v, std::int32_t lo, std::int32_t hi, std::int32_t fallback, TDecodeNotes& notes) {
  if (v >= lo && v <= hi) return v;
  ++notes.Repaired;
  return fallback;
}

}  // namespace

std::vector<std::uint8_t> EncodeSettings(const TSettingsRecord& s) {
  std::vector<std::uint8_t> out(SettingsRecordSize, 0);
  out[0] = s.Fullscreen;
  out[1] = s.Antialias;
  out[2] = s.BlendingEffects;
  out[3] = s.ShowFPS;
  out[4] = s.SoundEffectsOn;
  out[5] = s.MusicOn;
  out[6] = static_cast<std::uint8_t>(s.Reserved6);
  out[7] = static_cast<std::uint8_t>(s.Reserved6 >> 8);
  PutI32At(&out[8], s.EffectsVolume);
  PutI32At(&out[12], s.MusicVolume);
  PutI32At(&out[16], s.ActiveProfile);
  PutI32At(&out[20], s.Reserved20);
  return out;
}

bool DecodeSettings(const std::uint8_t* p, std::size_t size, TSettingsRecord& s, TDecodeNotes& notes) {
  if (size < SettingsRecordSize) return false;
  s.Fullscreen = p[0];
  s.Antialias = p[1];
  s.BlendingEffects = p[2];
  s.ShowFPS = p[3];
  s.SoundEffectsOn = p[4];
  s.MusicOn = p[5];
  s.Reserved6 = static_cast<std::uint16_t>(p[6] | p[7] << 8);
  const TSettingsRecord defaults;
  // Volumes outside their sliders' range would reach the mixer as they are.
  s.EffectsVolume = Checked(GetI32(p + 8), 0, 4500, defaults.EffectsVolume, notes);
  s.MusicVolume = Checked(GetI32(p + 12), 0, 100, defaults.MusicVolume, notes);
  s.ActiveProfile = GetI32(p + 16);  // checked against the profile list on every use
  s.Reserved20 = GetI32(p + 20);
  return true;
}

void AppendProfile(std::vector<std::uint8_t>& out, const TProfileRecord& r) {
  const std::size_t base = out.size();
  out.resize(base + ProfileRecordSize, 0);
  std::uint8_t* p = &out[base];
  PutName(p, r.Name);
  PutI32At(p + 20, r.MissionDifficulty);
  PutI32At(p + 24, r.ArcadeDifficulty);
  PutI32At(p + 28, r.ChallengeDifficulty);
  std::copy_n(r.Reserved32, 3, p + 32);
  std::uint8_t* m = p + 36;
  for (const TMissionProgress& progress : r.MissionProgress) {
    PutI32At(m, progress.LevelsDone);
    PutI32At(m + 4, progress.MissionScore);
    PutI32At(m + 8, progress.MissionKills);
    m += 12;
  }
  std::uint8_t* c = p + 72;
  for (const TChallengeRecord& challenge : r.ChallengeRecords) {
    for (int d = 0; d < 4; ++d) {
      c[d] = challenge.Completed[d] ? 1 : 0;
      PutI32At(c + 4 + 4 * d, challenge.Best[d]);
      PutI32At(c + 20 + 4 * d, challenge.BestTime[d]);
    }
    c += 36;
  }
}

std::vector<std::uint8_t> EncodeProfiles(const std::vector<TProfileRecord>& profiles) {
  std::vector<std::uint8_t> out;
  out.reserve(profiles.size() * ProfileRecordSize);
  for (const TProfileRecord& r : profiles) AppendProfile(out, r);
  return out;
}

std::size_t DecodeProfiles(const std::uint8_t* data, std::size_t size, std::vector<TProfileRecord>& profiles,
                           TDecodeNotes& notes) {
  profiles.clear();
  const std::size_t whole = size / ProfileRecordSize;
  profiles.reserve(whole);
  for (std::size_t i = 0; i < whole; ++i) {
    const std::uint8_t* p = data + i * ProfileRecordSize;
    TProfileRecord r;
    r.Name = GetName(p, notes);
    // Difficulties index per-difficulty tables all over the game.
    r.MissionDifficulty = Checked(GetI32(p + 20), 0, 3, 1, notes);
    r.ArcadeDifficulty = Checked(GetI32(p + 24), 0, 3, 1, notes);
    r.ChallengeDifficulty = Checked(GetI32(p + 28), 0, 3, 1, notes);
    std::copy_n(p + 32, 3, r.Reserved32);
    const std::uint8_t* m = p + 36;
    for (TMissionProgress& progress : r.MissionProgress) {
      progress.LevelsDone = std::clamp(GetI32(m), 0, 5);
      if (progress.LevelsDone != GetI32(m)) ++notes.Repaired;
      progress.MissionScore = GetI32(m + 4);
      progress.MissionKills = GetI32(m + 8);
      m += 12;
    }
    const std::uint8_t* c = p + 72;
    for (TChallengeRecord& challenge : r.ChallengeRecords) {
      for (int d = 0; d < 4; ++d) {
        challenge.Completed[d] = c[d] != 0;
        challenge.Best[d] = GetI32(c + 4 + 4 * d);
        challenge.BestTime[d] = GetI32(c + 20 + 4 * d);
      }
      c += 36;
    }
    profiles.push_back(std::move(r));
  }
  return size - whole * ProfileRecordSize;
}

std::vector<std::uint8_t> EncodeScores(const TScoreTables& tables) {
  std::vector<std::uint8_t> out(ScoresFileSize, 0);
  std::uint8_t* p = out.data();
  for (const TScoreTable& table : tables)
    for (const TScoreEntry& e : table) {
      PutName(p, e.Name);
      PutI32At(p + 20, e.Score);
      PutI32At(p + 24, e.Title);
      PutI32At(p + 28, e.Difficulty);
      PutI32At(p + 32, e.Level);
      PutI32At(p + 36, e.Kills);
      p += ScoreEntrySize;
    }
  return out;
}

std::size_t DecodeScores(const std::uint8_t* data, std::size_t size, TScoreTables& tables, TDecodeNotes& notes) {
  const std::size_t whole = std::min(size / ScoreEntrySize, ScoreTableCount * ScoreRowCount);
  for (std::size_t i = 0; i < ScoreTableCount * ScoreRowCount; ++i) {
    TScoreEntry& e = tables[i / ScoreRowCount][i % ScoreRowCount];
    e = TScoreEntry{};
    if (i >= whole) continue;
    const std::uint8_t* p = data + i * ScoreEntrySize;
    e.Name = GetName(p, notes);
    e.Score = GetI32(p + 20);
    e.Title = Checked(GetI32(p + 24), 0, TitleCount - 1, 0, notes);
    const auto tableDifficulty = static_cast<std::int32_t>(i / ScoreRowCount % 4);
    e.Difficulty = Checked(GetI32(p + 28), 0, 3, tableDifficulty, notes);
    e.Level = GetI32(p + 32);
    e.Kills = GetI32(p + 36);
  }
  return whole;
}

std::string ImplausibleScores(const TScoreTables& tables) {
  for (std::size_t t = 0; t < ScoreTableCount; ++t)
    for (std::size_t r = 0; r < ScoreRowCount; ++r) {
      const TScoreEntry& e = tables[t][r];
      const std::string where = "table " + std::to_string(t) + " row " + std::to_string(r);
      if (e.Score < 0 || e.Level < 0 || e.Kills < 0) return where + " holds a negative number";
      if (r > 0 && e.Score > tables[t][r - 1].Score) return where + " scores more than the row above it";
      for (char c : e.Name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) return where + " has a name with control bytes";
      }
    }
  return "";
}
