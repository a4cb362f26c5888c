#include "data/sysLevelSet.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <optional>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "tables/defColours.h"
#include "tables/defPowerUps.h"

namespace {

constexpr std::size_t TitleMaxChars = 40;
constexpr std::size_t HelpMaxChars = 400;
constexpr std::int32_t MissionSpawnInterval = 100;  // frames, as the missions spawn
constexpr std::int32_t MissionPowerUpScoreStep = 500;

const std::vector<std::string> SetKeys = {"title", "author"};
const std::vector<std::string> LevelKeys = {"title",    "game",    "range", "quadrants", "questions", "monsters",
                                            "at-once",  "speed",   "lives", "power-ups", "help"};
const std::vector<std::string> Sections = {"set", "level"};
const std::vector<std::string> QuadrantWords = {"axes", "I", "II", "III", "IV"};  // by quadrant index
const std::vector<std::string> PointKinds = {"plain", "one-sum", "two-sums"};
const std::vector<std::string> LineKinds = {"flat", "origin", "any"};
// By power-up row; row 0 is the Doom Device, which a level cannot list.
const std::vector<std::string> PowerUpWords = {"",           "plane-walls",     "translation-inhibiter", "radial-blast",
                                               "velocity-bisector", "quadrant-blitz", "functional-analyser"};
// Speed 3 is the missions' pace; the others are slower or faster by these factors.
constexpr double SpeedFactor[5] = {0.5, 0.75, 1.0, 1.5, 2.0};

std::string Trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return "";
  const auto e = s.find_last_not_of(" \t\r");
  return std::string(s.substr(b, e - b + 1));
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string Nearest(const std::string& word, const std::vector<std::string>& known) {
  std::string best;
  std::size_t bestDistance = SIZE_MAX;
  const std::string lower = Lower(word.substr(0, 64));
  for (const std::string& k : known) {
    if (k.empty()) continue;
    const std::size_t d = Distance(lower, Lower(k));
    if (d < bestDistance) {
      bestDistance = d;
      best = k;
    }
  }
  return best;
}

std::vector<std::string> SplitList(const std::string& value) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t comma = std::min(value.find(',', start), value.size());
    items.push_back(Trim(std::string_view(value).substr(start, comma - start)));
    start = comma + 1;
  }
  return items;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = 0;
    DecodeUtf8(text.substr(i), n);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::size_t CharCount(const std::string& utf8) {
  std::size_t n = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// A key's value and the line it was given on.
struct TEntry {
  std::string Value;
  std::int32_t Line = 0;
};

struct TSection {
  std::string Name;
  std::int32_t Line = 0;
  std::map<std::string, TEntry> Keys;
};

// A fault in the reader's language. Its values (keys, words, what the file
// says) are the file's UTF-8, and so is the text: the terminal prints it as it
// is, CLASS LEVELS converts it for the font.
std::string FaultText(const char* translated, const std::vector<std::string>& values = {}) {
  return Format(CodePageToUtf8(translated).c_str(), values);
}

class TReader {
 public:
  std::vector<TLevelFault> Faults;

  void Fault(std::int32_t line, std::string text) { Faults.push_back({line, std::move(text)}); }

  // A whole number within lo..hi; nothing (and a fault) otherwise.
  std::optional<std::int32_t> Number(const TSection& s, const std::string& key, std::int32_t lo, std::int32_t hi) {
    const TEntry& e = s.Keys.at(key);
    bool digits = !e.Value.empty() && e.Value.size() <= 9;
    for (char c : e.Value) digits = digits && c >= '0' && c <= '9';
    if (!digits) {
      Fault(e.Line, FaultText(Tr("'%1$s' must be a whole number from %2$s to %3$s, not '%4$s'"),
                              {key, std::to_string(lo), std::to_string(hi), e.Value}));
      return std::nullopt;
    }
    const std::int32_t n = std::stoi(e.Value);
    if (n < lo || n > hi) {
      Fault(e.Line, FaultText(Tr("'%1$s' must be from %2$s to %3$s, not %4$s"),
                              {key, std::to_string(lo), std::to_string(hi), e.Value}));
      return std::nullopt;
    }
    return n;
  }

  // A text the game can draw, of 1..maxChars characters, in its own bytes.
  std::optional<std::string> Text(const TSection& s, const std::string& key, std::size_t maxChars) {
    const TEntry& e = s.Keys.at(key);
    const std::size_t chars = CharCount(e.Value);
    if (chars > maxChars) {
      Fault(e.Line, FaultText(Tr("'%1$s' is %2$s characters long; at most %3$s fit"),
                              {key, std::to_string(chars), std::to_string(maxChars)}));
      return std::nullopt;
    }
    std::size_t badAt = 0;
    std::optional<std::string> bytes = Utf8ToCodePage(e.Value, &badAt);
    bool control = false;
    if (bytes)
      for (char c : *bytes) control = control || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    if (!bytes || control) {
      if (!bytes) {
        std::size_t length = 0;
        DecodeUtf8(std::string_view(e.Value).substr(badAt), length);
        Fault(e.Line, FaultText(Tr("'%1$s' has a character the game cannot draw such as '%2$s'; use letters, digits "
                                "and common punctuation"),
                                {key, e.Value.substr(badAt, std::max<std::size_t>(length, 1))}));
      } else {
        Fault(e.Line, FaultText(Tr("'%s' has a character the game cannot draw; use letters, digits and common "
                                "punctuation"),
                                {key}));
      }
      return std::nullopt;
    }
    return bytes;
  }

  // The known words of a list, true by index; nothing (and a fault per bad word) otherwise.
  template <std::size_t N>
  std::optional<std::array<bool, N>> Words(const TSection& s, const std::string& key,
                                           const std::vector<std::string>& known, const std::string& whatFits,
                                           const std::vector<std::string>& otherGame = {},
                                           const std::string& otherGameName = "") {
    const TEntry& e = s.Keys.at(key);
    std::array<bool, N> chosen = {};
    bool ok = true;
    for (const std::string& word : SplitList(e.Value)) {
      if (word.empty()) {
        Fault(e.Line, FaultText(Tr("'%s' has an empty item; separate the words by single commas"), {key}));
        ok = false;
        continue;
      }
      const auto it = std::find(known.begin(), known.end(), word);
      if (it != known.end() && !word.empty()) {
        chosen[static_cast<std::size_t>(it - known.begin())] = true;
      } else if (std::find(otherGame.begin(), otherGame.end(), word) != otherGame.end()) {
        Fault(e.Line, FaultText(Tr("'%1$s' is a question of the %2$s game; this level's '%3$s' can be %4$s"),
                                {word, otherGameName, key, whatFits}));
        ok = false;
      } else {
        Fault(e.Line, FaultText(Tr("'%1$s' is not one of %2$s (did you mean '%3$s'?)"),
                                {word, whatFits, Nearest(word, known)}));
        ok = false;
      }
    }
    if (!ok) return std::nullopt;
    return chosen;
  }

  // what: the English words of what the key holds, looked up when told.
  void Require(const TSection& s, const std::string& key, const std::string& what) {
    if (!s.Keys.count(key))
      Fault(s.Line, FaultText(Tr("this [%1$s] has no '%2$s' (%3$s)"), {s.Name, key, CodePageToUtf8(Tr(what))}));
  }

  void Forbid(const TSection& s, const std::string& key, const std::string& game) {
    if (s.Keys.count(key))
      Fault(s.Keys.at(key).Line, FaultText(Tr("the %1$s game has no '%2$s'; remove this line"), {game, key}));
  }

  std::optional<TSetLevel> Level(const TSection& s);
  void SetSection(const TSection& s, TLevelSet& set);
};

void FillRules(TSetLevel& out, std::int32_t gameType, std::int32_t range, const std::array<bool, 5>& quadrants,
               const std::array<bool, 7>& powerUps, std::int32_t monsters, std::int32_t atOnce, std::int32_t speed) {
  TLevel& l = out.Rules;
  l.Name = out.Title;
  l.GameType = gameType;
  l.LevelIndex = -1;
  for (std::size_t q = 0; q < 5; ++q) {
    l.QuadrantAllowed[q] = quadrants[q];
    l.QuadrantColour[q] = q == 0 ? NeutralAxisRow : quadrants[q] ? QuadrantColourRow[q] : ClosedQuadrantRow;
  }
  bool anyPowerUp = false;
  for (std::size_t p = 0; p < powerUps.size(); ++p) {
    l.PowerUpAllowed[p] = powerUps[p];
    anyPowerUp = anyPowerUp || powerUps[p];
  }
  l.BasicComboMin = 5;
  l.TimeComboMin = 5;
  l.TimeComboWindow = 800;
  // The missions of a game type set its pace: speed 3 is their average over
  // the first four levels.
  double pace = 0;
  for (std::int32_t i = 1; i <= 4; ++i) pace += MissionLevel(gameType, i)->BaseSpeed[Difficulty::Medium] / 4;
  const double factor = SpeedFactor[speed - 1];
  for (std::int32_t d = 0; d < DifficultyCount; ++d) {
    l.PowerUpScoreStep[d] = anyPowerUp ? MissionPowerUpScoreStep : 0;
    l.GridRange[d] = range;
    l.SpawnInterval[d] = static_cast<std::int32_t>(MissionSpawnInterval / factor + 0.5);
    l.BaseSpeed[d] = pace * factor;
    l.SpeedSpread[d] = 0;
    l.MaxMonsters[d] = atOnce;
    // The game completes a level on the kill after KillsPerLevel.
    l.KillsPerLevel[d] = monsters - 1;
    for (std::size_t k = 0; k < 3; ++k) l.SizeWeights[d][k] = out.QuestionKinds[k] ? 10 : 0;
  }
}

std::optional<TSetLevel> TReader::Level(const TSection& s) {
  const std::size_t before = Faults.size();
  for (const auto& [key, what] : std::initializer_list<std::pair<const char*, const char*>>{
           {"title", TrMark("a name of up to 40 characters")},
           // TRANSLATORS: quadrant, point and line are words of the file; keep them.
           {"game", TrMark("quadrant, point or line")},
           {"quadrants", TrMark("a list of I, II, III, IV, axes")},
           {"monsters", TrMark("answers to finish the level, 1 to 100")},
           {"at-once", TrMark("monsters on the board at most, 1 to 15")},
           {"speed", TrMark("1 slowest to 5")}})
    Require(s, key, what);

  TSetLevel out;
  if (s.Keys.count("title"))
    if (auto t = Text(s, "title", TitleMaxChars)) out.Title = *t;
  if (s.Keys.count("help"))
    if (auto t = Text(s, "help", HelpMaxChars)) out.Help = *t;

  std::int32_t gameType = 0;
  if (s.Keys.count("game")) {
    const TEntry& e = s.Keys.at("game");
    static const std::vector<std::string> games = {"quadrant", "point", "line"};
    const auto it = std::find(games.begin(), games.end(), e.Value);
    if (it == games.end())
      Fault(e.Line, FaultText(Tr("'game' must be quadrant, point or line, not '%1$s' (did you mean '%2$s'?)"),
                              {e.Value, Nearest(e.Value, games)}));
    else
      gameType = static_cast<std::int32_t>(it - games.begin()) + GameType::QuickQuadrants;
  }

  std::int32_t range = 1;  // the quadrant game's board
  if (gameType == GameType::QuickQuadrants) {
    Forbid(s, "range", "quadrant");
    Forbid(s, "questions", "quadrant");
    out.QuestionKinds[0] = true;
  } else if (gameType != 0) {
    const bool point = gameType == GameType::WhatsThePoint;
    Require(s, "range", TrMark("the grid runs from -range to range, 1 to 10"));
    Require(s, "questions", point ? TrMark("any of plain, one-sum, two-sums") : TrMark("any of flat, origin, any"));
    if (s.Keys.count("range")) range = Number(s, "range", 1, 10).value_or(0);
    if (s.Keys.count("questions")) {
      const auto kinds = point ? Words<3>(s, "questions", PointKinds, "plain, one-sum, two-sums", LineKinds, "line")
                               : Words<3>(s, "questions", LineKinds, "flat, origin, any", PointKinds, "point");
      if (kinds) std::copy(kinds->begin(), kinds->end(), out.QuestionKinds);
    }
  }

  std::array<bool, 5> quadrants = {};
  if (s.Keys.count("quadrants"))
    quadrants = Words<5>(s, "quadrants", QuadrantWords, "I, II, III, IV, axes").value_or(quadrants);

  std::array<bool, 7> powerUps = {};
  if (s.Keys.count("power-ups") && s.Keys.at("power-ups").Value != "none") {
    if (auto chosen = Words<7>(s, "power-ups", PowerUpWords,
                               CodePageToUtf8(Tr("none or translation-inhibiter, radial-blast, velocity-bisector, "
                                                 "quadrant-blitz, functional-analyser")))) {
      // The walls are never handed out as a button; a level promising them
      // would silently give nothing.
      if ((*chosen)[1])
        Fault(s.Keys.at("power-ups").Line,
              FaultText(Tr("'plane-walls' is never handed out as a power-up button, so no level can give it; remove "
                        "it from the list")));
      else
        powerUps = *chosen;
    }
  }

  std::int32_t monsters = 0, atOnce = 0, speed = 0;
  if (s.Keys.count("monsters")) monsters = Number(s, "monsters", 1, 100).value_or(0);
  if (s.Keys.count("at-once")) atOnce = Number(s, "at-once", 1, 15).value_or(0);
  if (s.Keys.count("speed")) speed = Number(s, "speed", 1, 5).value_or(0);
  if (s.Keys.count("lives")) out.Lives = Number(s, "lives", 1, 9).value_or(0);

  if (Faults.size() != before) return std::nullopt;
  if (!LevelCanAsk(gameType, quadrants.data(), range, out.QuestionKinds)) {
    std::string text = FaultText(Tr("this level can never ask a question: no question fits its quadrants"));
    if (gameType == GameType::QuickQuadrants)
      text = FaultText(
          Tr("this level can never ask a question: the quadrant game asks for quadrants I to IV, not the axes"));
    if (gameType == GameType::DefineTheLine)
      text = FaultText(Tr("this level can never ask a question: no line of its kinds has two grid points in its "
                       "quadrants on a range of %s"),
                       {std::to_string(range)});
    Fault(s.Keys.at("quadrants").Line, text);
    return std::nullopt;
  }
  out.Speed = speed;
  FillRules(out, gameType, range, quadrants, powerUps, monsters, atOnce, speed);
  return out;
}

void TReader::SetSection(const TSection& s, TLevelSet& set) {
  Require(s, "title", TrMark("the set's name, up to 40 characters"));
  if (s.Keys.count("title"))
    if (auto t = Text(s, "title", TitleMaxChars)) set.Title = *t;
  if (s.Keys.count("author"))
    if (auto t = Text(s, "author", TitleMaxChars)) set.Author = *t;
}

// Quadrant index of a point, 0 on the axes.
std::size_t QuadrantAt(std::int32_t x, std::int32_t y) {
  if (x == 0 || y == 0) return 0;
  if (y > 0) return x > 0 ? 1 : 2;
  return x < 0 ? 3 : 4;
}

// The grid points within range of the line through (x1,y1) and (x2,y2) that
// lie in the allowed quadrants, at most two of them.
std::vector<std::array<std::int32_t, 2>> OpenPointsOnLine(std::int32_t num, std::int32_t den, std::int32_t b,
                                                          std::int32_t range, const bool q[5]) {
  std::vector<std::array<std::int32_t, 2>> points;
  for (std::int32_t x = -range; x <= range && points.size() < 2; ++x) {
    if ((num * x) % den != 0) continue;
    const std::int32_t y = num * x / den + b;
    if (y >= -range && y <= range && q[QuadrantAt(x, y)]) points.push_back({x, y});
  }
  return points;
}

}  // namespace

std::vector<TLineChoice> AskableLines(std::int32_t kind, std::int32_t range, const bool quadrants[5]) {
  std::vector<TLineChoice> lines;
  if (range < 1) return lines;
  if (kind == 1) {
    // x = a and y = a: two of their points must be open to be clicked.
    for (std::int32_t a = -range; a <= range; ++a)
      for (bool vertical : {true, false}) {
        std::vector<std::array<std::int32_t, 2>> points;
        for (std::int32_t t = -range; t <= range && points.size() < 2; ++t) {
          const std::int32_t x = vertical ? a : t;
          const std::int32_t y = vertical ? t : a;
          if (quadrants[QuadrantAt(x, y)]) points.push_back({x, y});
        }
        if (points.size() == 2) lines.push_back({points[0][0], points[0][1], points[1][0], points[1][1]});
      }
    return lines;
  }
  if (kind != 2 && kind != 3) return lines;
  // The slopes the monsters ask: whole numbers up to the range, or one over a
  // whole number up to the range, either sign; a whole, non-zero intercept
  // within the range for lines off the origin.
  const bool throughOrigin = kind == 2;
  for (std::int32_t k = 1; k <= range; ++k)
    for (std::int32_t sign : {1, -1})
      // k and 1/k; for k = 1 the two are one slope.
      for (std::int32_t form = 0; form < (k == 1 ? 1 : 2); ++form) {
        const std::int32_t num = form == 0 ? sign * k : sign;
        const std::int32_t den = form == 0 ? 1 : k;
        for (std::int32_t b = throughOrigin ? 0 : -range; b <= (throughOrigin ? 0 : range); ++b) {
          if (!throughOrigin && b == 0) continue;
          const auto points = OpenPointsOnLine(num, den, b, range, quadrants);
          if (points.size() == 2) lines.push_back({points[0][0], points[0][1], points[1][0], points[1][1]});
        }
      }
  return lines;
}

bool LevelCanAsk(std::int32_t gameType, const bool quadrants[5], std::int32_t range, const bool kinds[3]) {
  switch (gameType) {
    case GameType::QuickQuadrants:
      return quadrants[1] || quadrants[2] || quadrants[3] || quadrants[4];
    case GameType::WhatsThePoint:
      if (range < 1 || !(kinds[0] || kinds[1] || kinds[2])) return false;
      return std::any_of(quadrants, quadrants + 5, [](bool b) { return b; });
    case GameType::DefineTheLine:
      if (range < 1) return false;
      for (std::int32_t kind = 1; kind <= 3; ++kind)
        if (kinds[kind - 1] && !AskableLines(kind, range, quadrants).empty()) return true;
      return false;
    default:
      return false;
  }
}

TLevelSetRead ReadLevelSet(std::string_view text) {
  TLevelSetRead result;
  TReader reader;
  if (text.size() > LevelSetMaxBytes) {
    result.Faults.push_back({1, FaultText(Tr("the file is larger than 64 KB; a level set is a small text file"))});
    return result;
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  std::vector<TSection> sections;
  std::int32_t lineNo = 0;
  std::size_t levels = 0;
  bool inUnknown = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    ++lineNo;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!IsUtf8(raw)) {
      reader.Fault(lineNo, FaultText(Tr("this line is not UTF-8 text; save the file as UTF-8 in your editor")));
      continue;
    }
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      const std::string name = Trim(std::string_view(line).substr(1, close == std::string::npos ? 0 : close - 1));
      if (close != line.size() - 1) {
        reader.Fault(lineNo,
                     FaultText(Tr("a section header is a name in brackets alone on its line, such as [level]")));
        inUnknown = true;
        continue;
      }
      if (name != "set" && name != "level") {
        reader.Fault(lineNo,
                     FaultText(Tr("unknown section [%1$s] (did you mean [%2$s]?)"), {name, Nearest(name, Sections)}));
        inUnknown = true;
        continue;
      }
      inUnknown = false;
      if (name == "set" && std::any_of(sections.begin(), sections.end(), [](auto& s) { return s.Name == "set"; }))
        reader.Fault(lineNo, FaultText(Tr("a second [set] section; a file holds one set")));
      if (name == "level" && ++levels == LevelSetMaxLevels + 1)
        reader.Fault(lineNo, FaultText(Tr("a set holds at most 20 levels; this is level 21")));
      sections.push_back({name, lineNo, {}});
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
      reader.Fault(lineNo, FaultText(Tr("this line is not 'key = value', a [section] or a comment")));
      continue;
    }
    if (inUnknown) continue;
    if (sections.empty()) {
      reader.Fault(lineNo, FaultText(Tr("this line comes before the first section; start the file with [set]")));
      continue;
    }
    TSection& s = sections.back();
    const std::string key = Trim(std::string_view(line).substr(0, eq));
    const std::string value = Trim(std::string_view(line).substr(eq + 1));
    const std::vector<std::string>& known = s.Name == "set" ? SetKeys : LevelKeys;
    if (std::find(known.begin(), known.end(), key) == known.end()) {
      reader.Fault(lineNo, FaultText(Tr("unknown key '%1$s' in [%2$s] (did you mean '%3$s'?)"),
                                     {key, s.Name, Nearest(key, known)}));
      continue;
    }
    if (s.Keys.count(key)) {
      reader.Fault(lineNo, FaultText(Tr("'%1$s' is given twice in this [%2$s] (first on line %3$s)"),
                                     {key, s.Name, std::to_string(s.Keys.at(key).Line)}));
      continue;
    }
    if (value.empty()) {
      reader.Fault(lineNo, FaultText(Tr("'%s' is given no value"), {key}));
      continue;
    }
    s.Keys[key] = {value, lineNo};
  }

  TLevelSet& set = result.Set;
  bool hasSet = false;
  for (const TSection& s : sections) {
    if (s.Name == "set") {
      if (!hasSet) reader.SetSection(s, set);
      hasSet = true;
    } else if (auto level = reader.Level(s)) {
      set.Levels.push_back(std::move(*level));
    }
  }
  if (!hasSet) reader.Fault(1, FaultText(Tr("the file has no [set] section with the set's title")));
  if (levels == 0) reader.Fault(1, FaultText(Tr("the file has no [level] section")));

  result.Faults = std::move(reader.Faults);
  std::stable_sort(result.Faults.begin(), result.Faults.end(),
                   [](const TLevelFault& a, const TLevelFault& b) { return a.Line < b.Line; });
  if (!result.Faults.empty()) result.Set = TLevelSet{};
  return result;
}

TLevelSetRead ReadLevelSetFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    TLevelSetRead result;
    result.Faults.push_back({1, FaultText(Tr("the file cannot be read"))});
    return result;
  }
  std::string bytes(LevelSetMaxBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return ReadLevelSet(bytes);
}

int CheckLevelSetFile(const std::string& path, std::string& out) {
  const TLevelSetRead read = ReadLevelSetFile(path);
  if (read.Ok()) {
    const std::size_t n = read.Set.Levels.size();
    out = Format(CodePageToUtf8(TrN("%1$s: ok, %2$s level", "%1$s: ok, %2$s levels", n)).c_str(),
                 {path, std::to_string(n)}) +
          "\n";
    return 0;
  }
  out.clear();
  for (const TLevelFault& f : read.Faults) out += path + ":" + std::to_string(f.Line) + ": " + f.Text + "\n";
  return 2;
}
