#include "data/sysRecords.h"

#include <algorithm>

#include "tables/defTitles.h"

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

bool IsControlByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 32 || byte == 127;
}

// Keeps v when inside lo..hi, else counts a repair and gives fallback.
std::int32_t Checked(std::int32_t v, std::int32_t lo, std::int32_t hi, std::int32_t fallback, TDecodeNotes& notes) {
  if (v >= lo && v <= hi) return v;
  ++notes.Repaired;
  return fallback;
}

// A switch byte is 0 or 1; anything else takes the default.
std::uint8_t Switch(std::uint8_t v, std::uint8_t fallback, TDecodeNotes& notes) {
  if (v <= 1) return v;
  ++notes.Repaired;
  return fallback;
}

// Why a 504-byte record cannot be a profile the game wrote; empty when it can.
std::string ImplausibleProfile(const std::uint8_t* p) {
  const std::size_t n = p[0];
  if (n == 0) return "an empty name";
  if (n > MaxNameLength) return "a name longer than 17 characters";
  for (std::size_t i = 1; i <= n; ++i)
    if (IsControlByte(static_cast<char>(p[i]))) return "a name with control bytes";
  for (std::size_t at = 20; at <= 28; at += 4)
    if (GetI32(p + at) < 0 || GetI32(p + at) > 3) return "a difficulty outside 0..3";
  for (std::size_t t = 0; t < 3; ++t) {
    const std::uint8_t* m = p + 36 + 12 * t;
    if (GetI32(m) < 0 || GetI32(m) > 5) return "levels done outside 0..5";
    if (GetI32(m + 4) < 0 || GetI32(m + 8) < 0) return "a negative mission score or kill count";
  }
  for (std::size_t c = 0; c < 12; ++c) {
    const std::uint8_t* r = p + 72 + 36 * c;
    for (std::size_t d = 0; d < 4; ++d) {
      if (r[d] > 1) return "a challenge flag other than 0 or 1";
      if (GetI32(r + 4 + 4 * d) < 0 || GetI32(r + 20 + 4 * d) < 0) return "a negative challenge result";
    }
  }
  return "";
}

}  // namespace

std::string CleanName(const std::string& name) {
  std::string clean;
  for (char c : name)
    if (!IsControlByte(c) && clean.size() < MaxNameLength) clean += c;
  return clean;
}

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
  const TSettingsRecord defaults;
  s.Fullscreen = Switch(p[0], defaults.Fullscreen, notes);
  s.Antialias = Switch(p[1], defaults.Antialias, notes);
  s.BlendingEffects = Switch(p[2], defaults.BlendingEffects, notes);
  s.ShowFPS = Switch(p[3], defaults.ShowFPS, notes);
  s.SoundEffectsOn = Switch(p[4], defaults.SoundEffectsOn, notes);
  s.MusicOn = Switch(p[5], defaults.MusicOn, notes);
  s.Reserved6 = static_cast<std::uint16_t>(p[6] | p[7] << 8);
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
  profiles.reserve(std::min(whole, MaxProfileCount));
  for (std::size_t i = 0; i < whole; ++i) {
    const std::uint8_t* p = data + i * ProfileRecordSize;
    const std::string why = ImplausibleProfile(p);
    if (!why.empty()) {
      if (notes.Rejected++ == 0) notes.Why = "record " + std::to_string(i + 1) + " has " + why;
      continue;
    }
    TProfileRecord r;
    r.Name = GetName(p, notes);
    r.MissionDifficulty = GetI32(p + 20);
    r.ArcadeDifficulty = GetI32(p + 24);
    r.ChallengeDifficulty = GetI32(p + 28);
    std::copy_n(p + 32, 3, r.Reserved32);
    const std::uint8_t* m = p + 36;
    for (TMissionProgress& progress : r.MissionProgress) {
      progress.LevelsDone = GetI32(m);
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
  for (std::size_t t = 0; t < ScoreTableCount; ++t) {
    TScoreTable& table = tables[t];
    std::size_t kept = 0;
    for (std::size_t r = 0; r < ScoreRowCount; ++r) {
      const std::size_t i = t * ScoreRowCount + r;
      if (i >= whole) break;
      const std::uint8_t* p = data + i * ScoreEntrySize;
      TScoreEntry e;
      e.Score = GetI32(p + 20);
      e.Level = GetI32(p + 32);
      e.Kills = GetI32(p + 36);
      if (e.Score < 0 || e.Level < 0 || e.Kills < 0) {
        if (notes.Rejected++ == 0)
          notes.Why = "table " + std::to_string(t) + " row " + std::to_string(r) + " holds a negative number";
        continue;
      }
      const std::string name = GetName(p, notes);
      e.Name = CleanName(name);
      if (e.Name != name) ++notes.Repaired;
      e.Title = Checked(GetI32(p + 24), 0, TitleCount - 1, 0, notes);
      e.Difficulty = Checked(GetI32(p + 28), 0, 3, static_cast<std::int32_t>(t % 4), notes);
      table[kept++] = std::move(e);
    }
    for (std::size_t r = kept; r < ScoreRowCount; ++r) table[r] = TScoreEntry{};
    // New scores are placed by walking down the table, so it must be best first.
    if (!std::is_sorted(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(kept),
                        [](const TScoreEntry& a, const TScoreEntry& b) { return a.Score > b.Score; })) {
      std::stable_sort(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(kept),
                       [](const TScoreEntry& a, const TScoreEntry& b) { return a.Score > b.Score; });
      ++notes.Repaired;
    }
  }
  return whole;
}
