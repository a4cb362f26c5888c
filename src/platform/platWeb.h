#pragma once
// The browser side of the platform layer (WebAssembly builds only): the page
// drives the frames, saves live in the browser's storage, message boxes are
// shown on the page, and the music arrives after the first frame.
#include <cstdint>
#include <functional>
#include <string>

class TplatWindow;

namespace web {

// Where the packed data is mounted, and the folder kept in the browser's storage.
constexpr const char* DataFolder = "/data/";
constexpr const char* SaveFolder = "/saves/";
// Where the page writes the music archive once it has been fetched.
constexpr const char* ArrivedMusic = "/music/Music.asdb";

// Stores every save written or moved in the save folder to the browser's
// storage as soon as it is on disk, offers exported reports as downloads, and
// opens the player's level files with the page's file picker; data files
// the package lacks are fetched by the page.
void PersistSaves();
// Message boxes become messages on the page; the game runs on meanwhile.
void InstallPageMessages();
// The music is fetched after the first frame: until then an empty music
// archive stands in the data folder, so start-up finds no file missing.
void StandInForMusic();
// Called with ArrivedMusic once the page has written it.
void OnMusicArrived(std::function<void(const std::string& path)> handler);
// Called once the page has written a data file the game asked it to fetch
// (a language's pictures with words, FetchDataFile).
void OnDataArrived(std::function<void()> handler);
// One window pass per animation frame of the page; never returns. The page is
// told when the first frame is drawn and when the game has ended.
[[noreturn]] void RunPerAnimationFrame(TplatWindow* window);
// Asks for the animation frames to stop after this pass, until input reaches
// the page or the time has passed (a resting screen's wait).
void RestAfterThisFrame(std::uint32_t milliseconds);
// Starts the animation frames again if a rest stopped them.
void Wake();

}  // namespace web
