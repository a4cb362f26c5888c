#include "data/sysReportFiles.h"

#include <algorithm>
#include <ctime>
#include <set>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "data/sysFiles.h"
#include "data/sysProgress.h"
#include "data/sysReport.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

std::string Made() { return IsoLocalTime(std::time(nullptr)).substr(0, 16).replace(10, 1, " at "); }

std::size_t PlayerCount(const std::vector<TAnswerRow>& rows) {
  std::set<std::string> players;
  for (const TAnswerRow& r : rows) players.insert(r.Profile);
  return players.size();
}

}  // namespace

bool IsHtmlReportName(const std::string& name) {
  const std::string lower = Lower(name);
  return EndsWith(lower, ".html") || EndsWith(lower, ".htm");
}

int WriteReportFile(const TReportRequest& request, std::string& message) {
  std::vector<TAnswerRow> rows;
  std::vector<TPowerRow> powers;
  if (request.Inputs.empty()) {
    const std::string path = request.SaveFolder + ProgressFile;
    std::string why;
    if (FileExists(path) && !TsysProgress::ReadLog(path, request.Profile, request.Since, rows, powers, why)) {
      message = why;
      return 1;
    }
  } else {
    std::vector<std::size_t> source;
    for (std::size_t i = 0; i < request.Inputs.size(); ++i) {
      std::vector<std::uint8_t> bytes;
      if (!ReadFileBytes(request.Inputs[i], bytes)) {
        message = Format(CodePageToUtf8(Tr("cannot read %s")).c_str(), {request.Inputs[i]});
        return 1;
      }
      std::vector<TAnswerRow> read;
      std::string why;
      if (!ReadCsvReport(std::string(bytes.begin(), bytes.end()), read, why)) {
        message = request.Inputs[i] + ": " + why;
        return 1;
      }
      for (TAnswerRow& r : read) {
        if (!request.Profile.empty() && r.Profile != request.Profile) continue;
        if (!request.Since.empty() && r.Time < request.Since) continue;
        rows.push_back(std::move(r));
        source.push_back(i);
      }
    }
    RenumberSessions(rows, source);
    // One class, the players in name order, each player's answers in time order.
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return rows[a].Profile != rows[b].Profile ? rows[a].Profile < rows[b].Profile : rows[a].Time < rows[b].Time;
    });
    std::vector<TAnswerRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order) sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
  }
  const std::string text =
      IsHtmlReportName(request.Output) ? HtmlReport(rows, THtmlReportInfo{Made(), request.Since, powers}) : CsvReport(rows);
  if (!WriteFileAtomic(request.Output, Bytes(text))) {
    message = Format(CodePageToUtf8(Tr("cannot write %s")).c_str(), {request.Output});
    return 1;
  }
  // TRANSLATORS: the answers, the players, the file written.
  message = Format(CodePageToUtf8(TrN("wrote %1$s answer of %2$s players to %3$s",
                                      "wrote %1$s answers of %2$s players to %3$s", rows.size()))
                       .c_str(),
                   {std::to_string(rows.size()), std::to_string(PlayerCount(rows)), request.Output});
  return 0;
}

std::vector<std::string> ExportReports(TsysProgress& log, const std::string& folder, const std::string& date) {
  const std::vector<TAnswerRow> rows = log.Answers();
  const std::vector<TPowerRow> powers = log.Powers();
  std::string base = folder + "plotfray-report-" + date;
  // The pair shares one name: the first number free for both.
  for (int n = 2; (FileExists(base + ".csv") || FileExists(base + ".html")) && n < 1000; ++n)
    base = folder + "plotfray-report-" + date + "-" + std::to_string(n);
  std::vector<std::string> written;
  if (WriteFileAtomic(base + ".html", Bytes(HtmlReport(rows, THtmlReportInfo{Made(), {}, powers}))))
    written.push_back(base + ".html");
  if (WriteFileAtomic(base + ".csv", Bytes(CsvReport(rows)))) written.push_back(base + ".csv");
  return written;
}
