// The answer log's costs, in a temporary folder: what recording an answer
// adds to its frame (the answer kept, and every few seconds the held answers
// written), the reading and summing up behind the progress screen over
// 100,000 answers, and the two reports of 100,000 answers.
// Usage: bench_progress [ANSWERS] (100000 by default).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/sysProgress.h"
#include "data/sysReportFiles.h"
#include "data/sysSkills.h"

namespace {

using TClock = std::chrono::steady_clock;

double Ms(TClock::time_point a, TClock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

TAnswerRow Row(int i) {
  static const char* const questions[6] = {"(-3+5,2)", "(X,-Y)", "y=-(1/2)x+3", "(4,-1)", "x=2", "(-X,Y)"};
  static const char* const answers[6] = {"(2,2)", "IV", "y=-(1/2)x+3", "(4,-1)", "x=2", "II"};
  static const int games[6] = {2, 1, 3, 2, 3, 1};
  TAnswerRow r;
  r.Game = games[i % 6];
  r.Level = 1 + i % 9;
  r.Question = questions[i % 6];
  r.Answer = answers[i % 6];
  r.Correct = i % 7 != 0;
  r.Given = r.Correct ? r.Answer : "I";
  r.Ms = 800 + (i * 37) % 4000;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const int answers = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("plotfray-bench-progress-" + std::to_string(::getpid()))).string() + "/";
  std::filesystem::create_directories(folder);
  {
    TsysProgress log(folder);
    // A game as the log sees it: an answer every 20 steps (three a second),
    // every step one call to Step, which writes what is held every 300.
    std::vector<double> answerFrames;
    std::vector<double> flushFrames;
    answerFrames.reserve(static_cast<std::size_t>(answers));
    log.BeginSession("Ada", 2, 2, 1);
    const int steps = answers * 20;
    for (int step = 0; step < steps; ++step) {
      const bool answering = step % 20 == 0;
      const bool flushing = log.Pending() > 0 && (step + 1) % log.FlushSteps == 0;
      const TClock::time_point t0 = TClock::now();
      if (answering) log.Record(Row(step / 20));
      log.Step();
      const double ms = Ms(t0, TClock::now());
      if (answering) answerFrames.push_back(ms);
      if (flushing || (answering && ms > 0.2)) flushFrames.push_back(ms);
      // Each game is a session: a game of about two minutes.
      if (step % 7200 == 7199) log.BeginSession("Ada", 2, 2, 1);
    }
    log.EndSession();
    double sum = 0;
    for (double v : answerFrames) sum += v;
    std::sort(answerFrames.begin(), answerFrames.end());
    double flushSum = 0;
    for (double v : flushFrames) flushSum += v;
    std::printf("recording %d answers: %.4f ms a frame with an answer on average (median %.4f, worst %.3f ms)\n",
                answers, sum / static_cast<double>(answerFrames.size()), answerFrames[answerFrames.size() / 2],
                answerFrames.back());
    std::printf("  the frames that wrote the held answers (every 5 s of play, %zu of them): %.3f ms on average\n",
                flushFrames.size(), flushSum / static_cast<double>(std::max<std::size_t>(flushFrames.size(), 1)));
    // Spread over every frame of play, the average cost of the log per frame.
    std::printf("  the log over every frame of play: %.5f ms a frame\n", (sum) / static_cast<double>(steps));
  }
  {
    // The progress screen: its answers read and summed up, as BuildScreen does.
    TsysProgress log(folder);
    for (int turn = 0; turn < 3; ++turn) {
      const TClock::time_point t0 = TClock::now();
      const std::vector<TAnswerRow> rows = log.Answers("Ada");
      const TClock::time_point t1 = TClock::now();
      const TProgressSummary s = Summarise(rows);
      const TClock::time_point t2 = TClock::now();
      std::printf("progress screen over %zu answers: read %.1f ms, summed up %.1f ms, together %.1f ms (%d right)\n",
                  rows.size(), Ms(t0, t1), Ms(t1, t2), Ms(t0, t2), s.Right);
    }
  }
  for (const char* name : {"report.csv", "report.html"}) {
    TReportRequest request;
    request.SaveFolder = folder;
    request.Output = folder + name;
    std::string message;
    const TClock::time_point t0 = TClock::now();
    const int code = WriteReportFile(request, message);
    const double ms = Ms(t0, TClock::now());
    std::printf("%s: %.1f ms (%s, %ju bytes)\n", name, ms, code == 0 ? "written" : message.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(request.Output)));
  }
  std::printf("Progress.db: %ju bytes for %d answers\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(folder + ProgressFile)), answers);
  std::filesystem::remove_all(folder);
  return 0;
}
