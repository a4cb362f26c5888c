// The CSV report: written for spreadsheets, read back to merge several
// computers' reports into one.
#include <charconv>
#include <map>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "data/sysReport.h"
#include "tables/defLevels.h"

const char* const CsvHeader = "profile,session,time,kind,game,level,difficulty,question,answer,given,correct,ms,input";

namespace {

constexpr std::size_t FieldCount = 13;
const char* const Bom = "\xEF\xBB\xBF";

// A spreadsheet runs a cell that starts with one of these as a formula; the
// apostrophe before it (and before a leading apostrophe, so that one survives
// the way back) makes it text.
bool NeedsGuard(const std::string& text) {
  return !text.empty() && std::string("=+-@'\t\r").find(text.front()) != std::string::npos;
}

void Field(std::string& out, const std::string& value, bool text) {
  const std::string v = text && NeedsGuard(value) ? "'" + value : value;
  if (v.find_first_of(",\"\r\n") == std::string::npos) {
    out += v;
    return;
  }
  out += '"';
  for (const char c : v) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

bool ParseInt(const std::string& text, std::int64_t& value) {
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end && !text.empty();
}

std::string Unguard(const std::string& text) { return !text.empty() && text.front() == '\'' ? text.substr(1) : text; }

// What is wrong with a file, for the teacher who gave it: in the reader's
// language, in UTF-8 as the file's own words put in it.
std::string Told(const char* translated, const std::vector<std::string>& values) {
  return Format(CodePageToUtf8(translated).c_str(), values);
}

}  // namespace

std::string CsvReport(const std::vector<TAnswerRow>& rows) {
  std::string out = Bom;
  out.reserve(rows.size() * 110 + 128);
  out += CsvHeader;
  out += "\r\n";
  for (const TAnswerRow& r : rows) {
    Field(out, r.Profile, true);
    out += ',';
    out += std::to_string(r.Session);
    out += ',';
    Field(out, r.Time, true);
    out += ',';
    Field(out, KindWord(r.Kind), true);
    out += ',';
    Field(out, GameTypeName(r.Game), true);
    out += ',';
    out += std::to_string(r.Level);
    out += ',';
    Field(out, DifficultyName(r.Difficulty), true);
    out += ',';
    Field(out, r.Question, true);
    out += ',';
    Field(out, r.Answer, true);
    out += ',';
    Field(out, r.Given, true);
    out += r.Correct ? ",1," : ",0,";
    out += std::to_string(r.Ms);
    out += r.Keys ? ",keys\r\n" : ",pointer\r\n";
  }
  return out;
}

bool ReadCsvReport(const std::string& text, std::vector<TAnswerRow>& rows, std::string& why) {
  why.clear();
  std::size_t at = text.rfind(Bom, 0) == 0 ? 3 : 0;
  std::size_t line = 1;
  std::vector<std::string> fields;
  bool header = true;
  const std::size_t n = text.size();
  while (at < n) {
    // One record: fields up to a line break outside quotes.
    fields.clear();
    const std::size_t recordLine = line;
    bool endOfRecord = false;
    while (!endOfRecord) {
      std::string value;
      if (at < n && text[at] == '"') {
        ++at;
        bool closed = false;
        while (at < n) {
          if (text[at] == '"') {
            if (at + 1 < n && text[at + 1] == '"') {
              value += '"';
              at += 2;
              continue;
            }
            ++at;
            closed = true;
            break;
          }
          if (text[at] == '\n') ++line;
          value += text[at++];
        }
        if (!closed) {
          why = Told(Tr("line %s: a quoted field is never closed"), {std::to_string(recordLine)});
          return false;
        }
      } else {
        while (at < n && text[at] != ',' && text[at] != '\r' && text[at] != '\n') {
          if (text[at] == '"') {
            why = Told(Tr("line %s: a quote inside a field that does not start with one"), {std::to_string(line)});
            return false;
          }
          value += text[at++];
        }
      }
      fields.push_back(std::move(value));
      if (at >= n) {
        endOfRecord = true;
      } else if (text[at] == ',') {
        ++at;
      } else if (text[at] == '\r' && at + 1 < n && text[at + 1] == '\n') {
        at += 2;
        ++line;
        endOfRecord = true;
      } else if (text[at] == '\n') {
        ++at;
        ++line;
        endOfRecord = true;
      } else {
        why = Told(Tr("line %s: text after the closing quote of a field"), {std::to_string(line)});
        return false;
      }
    }
    if (header) {
      std::string joined;
      for (std::size_t i = 0; i < fields.size(); ++i) joined += (i > 0 ? "," : "") + fields[i];
      if (joined != CsvHeader) {
        why = Told(Tr("line 1 is not the header of a Plotfray report (%s)"), {CsvHeader});
        return false;
      }
      header = false;
      continue;
    }
    if (fields.size() != FieldCount) {
      why = Told(Tr("line %1$s: %2$s fields instead of 13"), {std::to_string(recordLine), std::to_string(fields.size())});
      return false;
    }
    TAnswerRow r;
    std::int64_t session = 0;
    std::int64_t level = 0;
    std::int64_t ms = 0;
    r.Profile = Unguard(fields[0]);
    r.Time = Unguard(fields[2]);
    r.Kind = KindOfWord(Unguard(fields[3]));
    const std::string game = Unguard(fields[4]);
    for (std::int32_t g = 1; g <= GameTypeCount; ++g)
      if (game == GameTypeName(g)) r.Game = g;
    const std::string difficulty = Unguard(fields[6]);
    r.Difficulty = -1;
    for (std::int32_t d = 0; d < DifficultyCount; ++d)
      if (difficulty == DifficultyName(d)) r.Difficulty = d;
    r.Question = Unguard(fields[7]);
    r.Answer = Unguard(fields[8]);
    r.Given = Unguard(fields[9]);
    const std::string input = Unguard(fields[12]);
    // The columns' names and words stay as the file writes them.
    const std::string at = std::to_string(recordLine);
    if (r.Profile.empty()) why = Told(Tr("line %s: no profile"), {at});
    else if (!ParseInt(fields[1], session)) why = Told(Tr("line %s: the session is not a number"), {at});
    else if (r.Kind == 0)
      why = Told(Tr("line %1$s: the kind \"%2$s\" is not mission, arcade or challenge"), {at, fields[3]});
    else if (r.Game == 0) why = Told(Tr("line %1$s: the game \"%2$s\" is not one of the game's"), {at, game});
    else if (!ParseInt(fields[5], level)) why = Told(Tr("line %s: the level is not a number"), {at});
    else if (r.Difficulty < 0)
      why = Told(Tr("line %1$s: the difficulty \"%2$s\" is not one of the game's"), {at, difficulty});
    else if (fields[10] != "0" && fields[10] != "1") why = Told(Tr("line %s: correct is not 1 or 0"), {at});
    else if (!ParseInt(fields[11], ms) || ms < 0) why = Told(Tr("line %s: ms is not a number"), {at});
    else if (input != "keys" && input != "pointer") why = Told(Tr("line %s: the input is not keys or pointer"), {at});
    if (!why.empty()) return false;
    r.Session = session;
    r.Level = static_cast<std::int32_t>(level);
    r.Correct = fields[10] == "1";
    r.Ms = static_cast<std::int32_t>(std::min<std::int64_t>(ms, INT32_MAX));
    r.Keys = input == "keys";
    rows.push_back(std::move(r));
  }
  if (header) {
    why = Told(Tr("the file is empty"), {});
    return false;
  }
  return true;
}

void RenumberSessions(std::vector<TAnswerRow>& rows, const std::vector<std::size_t>& source) {
  std::map<std::pair<std::size_t, std::int64_t>, std::int64_t> numbers;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto key = std::make_pair(i < source.size() ? source[i] : 0, rows[i].Session);
    const auto found = numbers.try_emplace(key, static_cast<std::int64_t>(numbers.size()) + 1).first;
    rows[i].Session = found->second;
  }
}
