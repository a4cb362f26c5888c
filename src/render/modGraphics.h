#pragma once
// The graphics module: owns the drawing device and draws the whole scene every
// frame from the object manager's layers.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/modTimer.h"
#include "core/sysModule.h"
#include "core/rndDevice.h"

class TsysInterface;
class TrndGfx;
class TrndText;

class TmodGraphics : public TsysModule, public TsysFramePresenter {
 public:
  using TDeviceFactory = std::function<std::unique_ptr<TrndDevice>()>;

  TmodGraphics(TsysMainWindow* owner, TsysInterface* iface, TDeviceFactory createDevice);
  ~TmodGraphics() override;

  // Makes the device; on failure shows "No Graphics :(" and ends the program.
  bool Initialise();
  void Finalise();
  void RenderFrame() override;
  void Present() override;
  bool LastFrameUnchanged() const override { return LastUnchanged; }
  void HandleEvent(TsysEvent* event) override;
  // After the device lost its render targets: every text and target item is painted again.
  void RestoreTargets();
  void ApplyDisplaySettings();
  // The window was exposed or resized: the next frame is drawn even if unchanged.
  void Invalidate() { ForceDraw = true; }
  // Draws the current frame into a 1024 x 768 picture and writes it as PNG.
  bool SaveScreenshot(const std::string& path);

  TrndDevice* GetDevice() const { return Device.get(); }
  // Builds the frame's quads without painting targets or drawing (for tests).
  void BuildFrameForTest() { BuildScene(); }
  // The quads of the last frame built (drawn or skipped).
  const std::vector<TDrawCmd>& Frame() const { return Commands; }

  TsysInterface* Interface;
  bool RestoreNeeded = false;
  bool ShowFPS = false;
  // Frames identical to the one on screen are neither drawn nor presented; when
  // nothing drawn changed (SceneRevision did not move) they are not even built.
  bool SkipIdenticalFrames = true;
  std::uint64_t FramesDrawn = 0;
  std::uint64_t FramesSkipped = 0;    // built or not
  std::uint64_t FramesUnchanged = 0;  // of those, skipped without being built
  // Frames that differ from the one on screen in a small area only are drawn
  // there alone, over the last scene (when the device keeps it).
  bool DrawChangedAreaOnly = true;
  std::uint64_t FramesDrawnInPart = 0;  // of FramesDrawn
  // The area the last partly drawn frame was drawn in.
  TSceneRect LastArea;

 private:
  void PaintTargets();
  void BuildScene();
  void AddItem(const TrndGfx& item, double sx, double sy, double s, bool screenSpace, bool effectsOn);
  void AddFrameCounter();
  void Emit(TTextureId texture, const TQuad& quad, const TSourceRect& source, const std::uint32_t colors[4],
            std::uint32_t blend);
  std::uint64_t HashFrame() const;
  // Where the frame built differs from the one on screen: the quads that are
  // not the same in both lists, and those drawn from a target painted this
  // frame. False when that is most of the screen.
  bool ChangedArea(TSceneRect& area) const;

  TDeviceFactory CreateDevice;
  std::unique_ptr<TrndDevice> Device;
  std::vector<TDrawCmd> Commands;
  std::vector<TDrawCmd> Shown;  // the quads of the frame on screen
  std::vector<TTextureId> PaintedTargets;  // painted this frame
  std::uint64_t PresentedHash = 0;
  bool HavePresented = false;
  bool ForceDraw = true;
  bool TargetsPainted = false;
  bool FrameDrawn = false;
  bool LastUnchanged = false;
  std::string FpsText;
  // What the last built frame was built from.
  std::uint64_t BuiltRevision = 0;
  bool BuiltEffects = true;
  bool BuiltShowFPS = false;
  std::string BuiltFpsText;
  // Text items of the last built frame that watch numbers: checked on every
  // frame, built or not (a deleted item moves SceneRevision, so none dangles).
  std::vector<TrndText*> Watching;
  // Items of the layer being built that are drawn after all of its objects.
  struct TDeferredItem {
    const TrndGfx* Item;
    double X, Y, Scale;
    bool ScreenSpace;
  };
  std::vector<TDeferredItem> Deferred;
};
