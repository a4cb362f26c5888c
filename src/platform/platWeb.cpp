#include "platform/platWeb.h"

#include <emscripten.h>

#include <utility>

#include "core/sysLog.h"
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "platform/platWindow.h"

// The page's side of each call lives in dist/web/index.html (Module.plotfray).
EM_JS(void, PageSaveChanged, (), { if (Module.plotfray) Module.plotfray.saveChanged(); });
EM_JS(void, PageMessage, (const char* caption, const char* text),
      { if (Module.plotfray) Module.plotfray.message(UTF8ToString(caption), UTF8ToString(text)); });
EM_JS(int, PageOffer, (const char* path),
      { return Module.plotfray && Module.plotfray.offer && Module.plotfray.offer(UTF8ToString(path)) ? 1 : 0; });
EM_JS(int, PagePickFile, (const char* folder),
      { return Module.plotfray && Module.plotfray.pickFile && Module.plotfray.pickFile(UTF8ToString(folder)) ? 1 : 0; });
EM_JS(int, PageFetchData, (const char* relative),
      { return Module.plotfray && Module.plotfray.fetchData && Module.plotfray.fetchData(UTF8ToString(relative)) ? 1 : 0; });
EM_JS(void, PageFirstFrame, (), { if (Module.plotfray) Module.plotfray.firstFrame(); });
EM_JS(void, PageEnded, (), { if (Module.plotfray) Module.plotfray.ended(); });
// Anything the player does on the page, or the page being shown again, wakes a
// resting game; so does the end of the rest's time.
EM_JS(void, PageListenForWake, (), {
  var wake = function() { if (Module._PlotfrayWake) Module._PlotfrayWake(); };
  var kinds = "keydown keyup mousedown mouseup mousemove wheel touchstart touchmove touchend " +
              "pointerdown pointerup pointermove focus blur resize visibilitychange";
  kinds.split(" ").forEach(function(kind) { window.addEventListener(kind, wake, { capture: true, passive: true }); });
  document.addEventListener("visibilitychange", wake, true);
  Module.plotfrayWake = wake;
});
EM_JS(void, PageWakeAfter, (int ms), {
  clearTimeout(Module.plotfrayWakeTimer);
  Module.plotfrayWakeTimer = setTimeout(Module.plotfrayWake, ms);
});

namespace web {
namespace {

std::function<void(const std::string&)>& MusicHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

std::function<void()>& DataHandler() {
  static std::function<void()> handler;
  return handler;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The rest asked for by this pass (0: none), and whether the frames are stopped.
std::uint32_t RestWanted = 0;
bool Resting = false;

void Frame(void* arg) {
  auto* window = static_cast<TplatWindow*>(arg);
  static bool first = true;
  RestWanted = 0;
  window->PumpOnce();
  if (first) {
    first = false;
    PageFirstFrame();
  }
  if (window->IsTerminated()) {
    emscripten_cancel_main_loop();
    LogLine("the game has ended");
    PageEnded();
    return;
  }
  if (RestWanted > 0) {
    // No animation frame is asked for while resting: the page itself idles.
    emscripten_pause_main_loop();
    Resting = true;
    PageWakeAfter(static_cast<int>(RestWanted));
  }
}

}  // namespace

void PersistSaves() {
  SetFileChangeObserver([](const std::string& path) {
    if (StartsWith(path, SaveFolder)) PageSaveChanged();
  });
  // The reports the player exports are offered as downloads.
  SetFileOffer([](const std::string& path) { return PageOffer(path.c_str()) != 0; });
  // Level sets opened from the player's own files are kept with the saves.
  SetFilePicker([](const std::string& folder) { return PagePickFile(folder.c_str()) != 0; });
  // The package holds one language's pictures with words: another is fetched when chosen.
  SetDataFetcher([](const std::string& relative) { return PageFetchData(relative.c_str()) != 0; });
}

void InstallPageMessages() {
  SetMessageBoxHandler([](const std::string& caption, const std::string& text) {
    PageMessage(caption.c_str(), text.c_str());
  });
}

void StandInForMusic() {
  const std::string path = std::string(DataFolder) + "Music.asdb";
  if (FileExists(path)) return;
  if (!TASDbWriter().Save(path)) LogLine("cannot write the stand-in music archive " + path);
}

void OnMusicArrived(std::function<void(const std::string& path)> handler) { MusicHandler() = std::move(handler); }

void OnDataArrived(std::function<void()> handler) { DataHandler() = std::move(handler); }

void RestAfterThisFrame(std::uint32_t milliseconds) { RestWanted = milliseconds; }

void Wake() {
  if (!Resting) return;
  Resting = false;
  emscripten_resume_main_loop();
}

void RunPerAnimationFrame(TplatWindow* window) {
  PageListenForWake();
  // 0 frames per second: the page's animation frames set the pace. The
  // frame timer still counts its fixed steps from the clock.
  emscripten_set_main_loop_arg(Frame, window, 0, 1);
  __builtin_unreachable();
}

}  // namespace web

void TplatClock::WaitForInput(std::uint32_t milliseconds) { web::RestAfterThisFrame(milliseconds); }

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayFilePicked() {
  NoteFilePicked();
  // A resting screen lists the new file at once.
  web::Wake();
}

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayMusicArrived() {
  if (web::MusicHandler()) web::MusicHandler()(web::ArrivedMusic);
  // The music starts on the next step.
  web::Wake();
}

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayDataArrived() {
  if (web::DataHandler()) web::DataHandler()();
  web::Wake();
}

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayWake() { web::Wake(); }
