#pragma once
// The report files: what `plotfray --report` writes from the save folder's
// answer log or from other computers' CSV reports, and what the progress
// screen's EXPORT writes beside the saves.
#include <string>
#include <vector>

class TsysProgress;

struct TReportRequest {
  std::string Output;   // FILE.csv or FILE.html
  std::string Profile;  // one player (UTF-8), or every player when empty
  std::string Since;    // YYYY-MM-DD, or every day when empty
  // CSV reports to merge; empty: the answer log of SaveFolder.
  std::vector<std::string> Inputs;
  std::string SaveFolder;  // '/'-ended
};

// Writes the report asked for. 0 when written; 1 when an input could not be
// read or the file not written. message says what was done or what went wrong.
int WriteReportFile(const TReportRequest& request, std::string& message);

// EXPORT: the CSV and the HTML report of every player, written into folder as
// plotfray-report-DATE.csv and .html (numbered when those exist). Returns the
// paths written; empty when nothing could be written.
std::vector<std::string> ExportReports(TsysProgress& log, const std::string& folder, const std::string& date);

// Whether the report's name asks for HTML (.html, .htm) rather than CSV.
bool IsHtmlReportName(const std::string& name);
