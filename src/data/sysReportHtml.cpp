// The HTML report: one page a teacher opens in any browser, with nothing
// fetched from elsewhere (styles in the page, charts as inline SVG).
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "data/sysReport.h"
#include "data/sysSkills.h"
#include "tables/defLevels.h"

namespace {

// The questions most often missed that a player's page lists.
constexpr std::size_t MissedShown = 10;
// The days of play the accuracy chart shows, the newest.
constexpr std::size_t DaysShown = 30;

std::string Percent(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) return "-";
  return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

std::string Colour(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFF);
  return text;
}

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

std::string Picture(TSkill skill) {
  std::string svg = "<svg class=\"pic\" viewBox=\"0 0 100 100\" width=\"56\" height=\"56\" role=\"img\" aria-label=\"" +
                    HtmlEscape(CodePageToUtf8(SkillName(skill))) + "\"><rect width=\"100\" height=\"100\" rx=\"8\" fill=\"#101a3a\"/>";
  for (const TPictureMark& m : SkillPicture(skill)) {
    switch (m.Kind) {
      case TPictureMark::Box:
        svg += "<rect x=\"" + Num(m.X1) + "\" y=\"" + Num(m.Y1) + "\" width=\"" + Num(m.X2 - m.X1) + "\" height=\"" +
               Num(m.Y2 - m.Y1) + "\" fill=\"" + Colour(m.Colour) + "\"/>";
        break;
      case TPictureMark::Line:
        svg += "<line x1=\"" + Num(m.X1) + "\" y1=\"" + Num(m.Y1) + "\" x2=\"" + Num(m.X2) + "\" y2=\"" + Num(m.Y2) +
               "\" stroke=\"" + Colour(m.Colour) + "\" stroke-width=\"" + Num(m.Width) + "\"/>";
        break;
      case TPictureMark::Dot:
        svg += "<circle cx=\"" + Num(m.X1) + "\" cy=\"" + Num(m.Y1) + "\" r=\"" + Num(m.Width) + "\" fill=\"" +
               Colour(m.Colour) + "\"/>";
        break;
      case TPictureMark::Label:
        svg += "<text x=\"" + Num(m.X1) + "\" y=\"" + Num(m.Y1) + "\" fill=\"" + Colour(m.Colour) +
               "\" font-size=\"16\" font-weight=\"bold\" text-anchor=\"middle\" dominant-baseline=\"central\">" +
               HtmlEscape(m.Text) + "</text>";
        break;
    }
  }
  return svg + "</svg>";
}

// Ten bars, one a game: the height is the share right, the number under each
// says it again, so the chart needs no colour to be read.
std::string SessionBars(const std::vector<TSessionMark>& marks) {
  if (marks.empty()) return "<span class=\"none\">not played yet</span>";
  // Bars 30 apart: "10/12" under a bar needs about 22 units.
  std::string svg = "<svg class=\"bars\" viewBox=\"0 0 300 50\" width=\"300\" height=\"50\" role=\"img\" "
                    "aria-label=\"Share right in the last games\">";
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const double share = marks[i].All > 0 ? static_cast<double>(marks[i].Right) / marks[i].All : 0;
    const double h = 36 * share;
    const double x = 5 + 30 * static_cast<double>(i);
    svg += "<rect x=\"" + Num(x) + "\" y=\"2\" width=\"20\" height=\"36\" fill=\"none\" stroke=\"#8890a8\"/>";
    svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(38 - h) + "\" width=\"20\" height=\"" + Num(h) +
           "\" fill=\"#2a8cff\"><title>" + std::to_string(marks[i].Right) + " of " + std::to_string(marks[i].All) +
           " right</title></rect>";
    svg += "<text x=\"" + Num(x + 10) + "\" y=\"48\" font-size=\"8\" text-anchor=\"middle\">" +
           std::to_string(marks[i].Right) + "/" + std::to_string(marks[i].All) + "</text>";
  }
  return svg + "</svg>";
}

// The share right on each day played, the newest days.
std::string DayChart(const std::vector<const TAnswerRow*>& rows) {
  std::map<std::string, std::pair<int, int>> days;
  for (const TAnswerRow* r : rows) {
    auto& d = days[r->Time.substr(0, 10)];
    ++d.second;
    if (r->Correct) ++d.first;
  }
  std::vector<std::pair<std::string, std::pair<int, int>>> shown(days.begin(), days.end());
  if (shown.size() > DaysShown) shown.erase(shown.begin(), shown.end() - static_cast<std::ptrdiff_t>(DaysShown));
  const double w = 24;
  // The last date label leans right past its bar: leave it room.
  const double width = 40 + w * static_cast<double>(shown.size()) + 16;
  std::string svg = "<svg class=\"days\" viewBox=\"0 0 " + Num(width) + " 150\" width=\"" + Num(width) +
                    "\" height=\"150\" role=\"img\" aria-label=\"Share of right answers on each day played\">";
  for (int p : {0, 50, 100}) {
    const double y = 110 - p;
    svg += "<line x1=\"34\" y1=\"" + Num(y) + "\" x2=\"" + Num(width) + "\" y2=\"" + Num(y) +
           "\" stroke=\"#c8ccd8\"/><text x=\"30\" y=\"" + Num(y + 4) + "\" font-size=\"10\" text-anchor=\"end\">" +
           std::to_string(p) + "%</text>";
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto& [day, counts] = shown[i];
    const double h = 100.0 * counts.first / std::max(counts.second, 1);
    const double x = 40 + w * static_cast<double>(i);
    svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(110 - h) + "\" width=\"" + Num(w - 6) + "\" height=\"" + Num(h) +
           "\" fill=\"#2a8cff\"><title>" + HtmlEscape(day) + ": " + std::to_string(counts.first) + " of " +
           std::to_string(counts.second) + " right</title></rect>";
    svg += "<text transform=\"translate(" + Num(x + 12) + " 116) rotate(60)\" font-size=\"9\">" +
           HtmlEscape(day.substr(5)) + "</text>";
  }
  return svg + "</svg>";
}

struct TMissed {
  std::string Question;
  std::string Answer;
  int Asked = 0;
  int Missed = 0;
  std::map<std::string, int> Given;
};

std::string MissedTable(const std::vector<const TAnswerRow*>& rows) {
  std::map<std::string, TMissed> questions;
  for (const TAnswerRow* r : rows) {
    TMissed& m = questions[r->Question];
    m.Question = r->Question;
    m.Answer = r->Answer;
    ++m.Asked;
    if (!r->Correct) {
      ++m.Missed;
      ++m.Given[r->Given];
    }
  }
  std::vector<const TMissed*> missed;
  for (const auto& [q, m] : questions)
    if (m.Missed > 0) missed.push_back(&m);
  if (missed.empty()) return "<p>No question was missed.</p>";
  std::stable_sort(missed.begin(), missed.end(), [](const TMissed* a, const TMissed* b) { return a->Missed > b->Missed; });
  if (missed.size() > MissedShown) missed.resize(MissedShown);
  std::string html = "<table class=\"missed\"><tr><th>Question</th><th>Right answer</th><th>Missed</th>"
                     "<th>Most often given instead</th></tr>";
  for (const TMissed* m : missed) {
    const auto often = std::max_element(m->Given.begin(), m->Given.end(),
                                        [](const auto& a, const auto& b) { return a.second < b.second; });
    html += "<tr><td class=\"q\">" + HtmlEscape(m->Question) + "</td><td class=\"q\">" + HtmlEscape(m->Answer) +
            "</td><td>" + Fill("{0} of {1}", {std::to_string(m->Missed), std::to_string(m->Asked)}) +
            "</td><td class=\"q\">" + HtmlEscape(often->first) + "</td></tr>";
  }
  return html + "</table>";
}

const char* const Style = R"(
body { font-family: sans-serif; margin: 2em; color: #111; max-width: 60em; }
h1 { margin-bottom: 0.2em; }
table { border-collapse: collapse; margin: 0.6em 0 1.2em; }
th, td { border: 1px solid #bbb; padding: 0.3em 0.6em; text-align: left; vertical-align: middle; }
th { background: #e8ebf3; }
td.q { font-family: monospace; font-size: 1.1em; }
.none { color: #666; font-style: italic; }
.weakest { font-weight: bold; font-size: 1.1em; }
section.player { page-break-before: always; border-top: 3px solid #101a3a; margin-top: 2em; }
svg text { font-family: sans-serif; }
)";

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string HtmlReport(const std::vector<TAnswerRow>& rows, const THtmlReportInfo& info) {
  // The players in the order they first appear, each with their rows.
  std::vector<std::string> players;
  std::map<std::string, std::vector<const TAnswerRow*>> byPlayer;
  for (const TAnswerRow& r : rows) {
    auto& list = byPlayer[r.Profile];
    if (list.empty()) players.push_back(r.Profile);
    list.push_back(&r);
  }
  std::map<std::string, int> powered;
  for (const TPowerRow& p : info.Powers) powered[p.Profile] += p.Monsters;

  std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                     "<title>Plotfray: what each player has learnt</title>\n<style>" +
                     std::string(Style) + "</style>\n</head>\n<body>\n<h1>Plotfray: what each player has learnt</h1>\n";
  html += "<p>" +
          HtmlEscape(Fill(players.size() == 1
                              ? (info.Since.empty() ? "Made {0} from {1} answers of one player."
                                                    : "Made {0} from {1} answers of one player, given on {3} or later.")
                              : (info.Since.empty() ? "Made {0} from {1} answers of {2} players."
                                                    : "Made {0} from {1} answers of {2} players, given on {3} or later."),
                          {info.Made, std::to_string(rows.size()), std::to_string(players.size()), info.Since})) +
          "</p>\n";
  if (players.empty()) html += "<p>No answers have been recorded yet.</p>\n";

  std::vector<TProgressSummary> summaries;
  for (const std::string& p : players) {
    std::vector<TAnswerRow> own;
    own.reserve(byPlayer[p].size());
    for (const TAnswerRow* r : byPlayer[p]) own.push_back(*r);
    summaries.push_back(Summarise(own));
  }

  if (players.size() > 1) {
    html += "<h2>The class</h2>\n<table class=\"class\"><tr><th>Player</th><th>Games</th><th>Answers</th>"
            "<th>Right</th>";
    for (std::int32_t g = 1; g <= GameTypeCount; ++g) html += "<th>" + HtmlEscape(GameTypeName(g)) + "</th>";
    html += "<th>Needs the most practice</th></tr>\n";
    for (std::size_t i = 0; i < players.size(); ++i) {
      const TProgressSummary& s = summaries[i];
      std::array<std::pair<int, int>, 4> games{};
      for (const TAnswerRow* r : byPlayer[players[i]]) {
        auto& g = games[static_cast<std::size_t>(std::clamp(r->Game, 0, 3))];
        ++g.second;
        if (r->Correct) ++g.first;
      }
      html += "<tr><td><a href=\"#player-" + std::to_string(i + 1) + "\">" + HtmlEscape(players[i]) + "</a></td><td>" +
              std::to_string(s.Sessions) + "</td><td>" + std::to_string(s.All) + "</td><td>" +
              Percent(s.Right, s.All) + "</td>";
      for (std::size_t g = 1; g <= 3; ++g) html += "<td>" + Percent(games[g].first, games[g].second) + "</td>";
      html += "<td>" + HtmlEscape(s.Weakest == SkillCount ? std::string("-") : CodePageToUtf8(SkillName(s.Weakest))) + "</td></tr>\n";
    }
    html += "</table>\n";
  }

  for (std::size_t i = 0; i < players.size(); ++i) {
    const TProgressSummary& s = summaries[i];
    const std::vector<const TAnswerRow*>& own = byPlayer[players[i]];
    html += "<section class=\"player\" id=\"player-" + std::to_string(i + 1) + "\">\n<h2>" + HtmlEscape(players[i]) +
            "</h2>\n";
    html += "<p>" +
            HtmlEscape(Fill("{0} answers in {1} games, {2} right ({3}).",
                            {std::to_string(s.All), std::to_string(s.Sessions), std::to_string(s.Right),
                             Percent(s.Right, s.All)})) +
            "</p>\n<p class=\"weakest\">" + HtmlEscape(CodePageToUtf8(WeakestLine(s))) + "</p>\n";
    if (const auto p = powered.find(players[i]); p != powered.end())
      html += "<p>" + HtmlEscape(Fill("The Doom Device and the power-ups stopped {0} monsters besides.",
                                      {std::to_string(p->second)})) +
              "</p>\n";
    html += "<h3>Skills</h3>\n<table class=\"skills\"><tr><th>Skill</th><th></th><th>Right</th><th>Median time</th>"
            "<th>The last ten games</th></tr>\n";
    for (std::int32_t k = 0; k < SkillCount; ++k) {
      const auto skill = static_cast<TSkill>(k);
      const TSkillStats& st = s.Skills[static_cast<std::size_t>(k)];
      html += "<tr><td>" + HtmlEscape(CodePageToUtf8(SkillName(skill))) + "</td><td>" + Picture(skill) + "</td><td>" +
              (st.All > 0 ? HtmlEscape(Fill("{0} of {1}", {std::to_string(st.Right), std::to_string(st.All)}))
                          : std::string("-")) +
              "</td><td>" + (st.All > 0 ? HtmlEscape(CodePageToUtf8(SecondsText(st.MedianMs))) : std::string("-")) + "</td><td>" +
              SessionBars(st.LastSessions) + "</td></tr>\n";
    }
    html += "</table>\n<h3>Accuracy over time</h3>\n" + DayChart(own) +
            "\n<h3>The questions most often missed</h3>\n" + MissedTable(own) + "\n</section>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}
