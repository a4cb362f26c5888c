#pragma once
// The teacher's reports of the answer log. The CSV holds every answer, one row
// each, for any spreadsheet (RFC 4180, UTF-8 with a byte-order mark, a text
// cell that a spreadsheet would run as a formula led by an apostrophe); it is
// also what several computers' reports are merged from. The HTML is one
// self-contained page: a class summary when there are several players, then a
// page per player with the skills and their pictures, accuracy over time and
// the questions most often missed.
#include <string>
#include <vector>

#include "data/sysAnswerRow.h"

extern const char* const CsvHeader;

std::string CsvReport(const std::vector<TAnswerRow>& rows);

// Reads a CSV report strictly: the header above, thirteen fields a row, quotes
// only around whole fields. False, with the line and what is wrong, for
// anything else. Text cells lose the apostrophe the writer put before them.
bool ReadCsvReport(const std::string& text, std::vector<TAnswerRow>& rows, std::string& why);

// Gives the sessions new numbers from 1 in the order they first appear, so
// that the logs of several computers never share one. source tells each
// row's log apart (rows of one log have one source).
void RenumberSessions(std::vector<TAnswerRow>& rows, const std::vector<std::size_t>& source);

struct THtmlReportInfo {
  std::string Made;   // when the report was made, as a reader reads it
  std::string Since;  // YYYY-MM-DD the answers start from; empty for all
  std::vector<TPowerRow> Powers;
};
std::string HtmlReport(const std::vector<TAnswerRow>& rows, const THtmlReportInfo& info);

// Text made safe inside HTML, attributes included.
std::string HtmlEscape(const std::string& text);
