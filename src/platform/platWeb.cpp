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
EM_JS(void, PageFirstFrame, (), { if (Module.plotfray) Module.plotfray.firstFrame(); });
EM_JS(void, PageEnded, (), { if (Module.plotfray) Module.plotfray.ended(); });

namespace web {
namespace {

std::function<void(const std::string&)>& MusicHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void Frame(void* arg) {
  auto* window = static_cast<TplatWindow*>(arg);
  static bool first = true;
  window->PumpOnce();
  if (first) {
    first = false;
    PageFirstFrame();
  }
  if (window->IsTerminated()) {
    emscripten_cancel_main_loop();
    LogLine("the game has ended");
    PageEnded();
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

void RunPerAnimationFrame(TplatWindow* window) {
  // 0 frames per second: the page's animation frames set the pace. The
  // frame timer still counts its fixed steps from the clock.
  emscripten_set_main_loop_arg(Frame, window, 0, 1);
  __builtin_unreachable();
}

}  // namespace web

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayFilePicked() { NoteFilePicked(); }

extern "C" EMSCRIPTEN_KEEPALIVE void PlotfrayMusicArrived() {
  if (web::MusicHandler()) web::MusicHandler()(web::ArrivedMusic);
}
