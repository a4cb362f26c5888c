#pragma once
// Render items: the pictures and texts every on-screen object is drawn from.
#include <cstdint>
#include <string>
#include <vector>

#include "core/rndDevice.h"
#include "core/rndDrawn.h"

class TobjBase;
class TsysResources;

enum : std::uint8_t { gsImage = 0, gsTarget = 1 };

struct TTexCoord {
  TDrawn<std::int32_t> Pattern = 0;
  TDrawn<std::int32_t> SrcX = 0;
  TDrawn<std::int32_t> SrcY = 0;
  TDrawn<std::int32_t> SrcWidth = 0;  // 0 or less: the whole pattern
  TDrawn<std::int32_t> SrcHeight = 0;
  TDrawn<bool> Mirror = false;
  TDrawn<bool> Flip = false;
};

struct TPointD {
  double X = 0;
  double Y = 0;
};

// A corner of a free quadrilateral item.
struct TDrawnPoint {
  TDrawn<double> X = 0;
  TDrawn<double> Y = 0;
};

// A picture item: one pattern of an image, or the item's own render target.
class TrndGfx {
 public:
  TrndGfx(TobjBase* owner, TsysResources* resources);
  virtual ~TrndGfx();
  TrndGfx(const TrndGfx&) = delete;
  TrndGfx& operator=(const TrndGfx&) = delete;

  virtual bool IsText() const { return false; }

  void ApplyPreset(int index);
  void SetImage(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern);
  void SetPattern(std::int32_t pattern) { TexCoord.Pattern = pattern; }
  std::int32_t GetPattern() const { return TexCoord.Pattern; }
  void SetColor(std::uint32_t rgb);
  void SetAlpha(std::int32_t alpha);
  void SetColorAlpha(std::uint32_t rgb, std::int32_t alpha);
  void SetLayer(std::uint8_t layer);
  void SetSource(std::uint8_t source);
  // Index outside 0..3: nothing happens (and the getter leaves its result alone).
  void GetCorner(int index, TPointD& point) const;
  void SetCorner(int index, const TPointD& point);

  void RefreshTarget();
  void ReleaseTarget();
  // Paints the content into Target (called by the graphics module with the
  // target bound). Plain items paint nothing.
  virtual void PaintTarget() {}

  TobjBase* Owner;
  TsysResources* Resources;
  // Every field a frame is built from is a TDrawn (see rndDrawn.h).
  TDrawn<std::uint8_t> Source = gsImage;
  TDrawn<TTextureId> Target = 0;
  TDrawn<bool> TargetReady = false;
  TDrawn<std::uint8_t> DrawMode = 1;
  TDrawn<bool> Visible = true;
  TTexCoord TexCoord;
  TDrawn<std::int32_t> Width = 0;
  TDrawn<std::int32_t> Height = 0;
  TDrawn<double> RelX = 0;
  TDrawn<double> RelY = 0;
  TDrawn<double> Angle = 0;
  TDrawn<double> Scale = 1.0;
  std::uint8_t Layer = 0;  // the owner's item order, changed through SetLayer
  // Drawn after every object of its owner's layer, so that no neighbour of the
  // owner covers it (a monster's question). Set before the item is first drawn.
  bool AboveLayer = false;
  std::uint32_t Color = 0xFFFFFF;
  std::int32_t Alpha = 255;
  TDrawn<std::int32_t> ImageSet = 0;
  TDrawn<std::int32_t> ImageIndex = 0;
  TDrawn<std::uint32_t> DrawEffect = beAlpha;
  std::uint32_t ClearColor = 0xFF000000;
  std::uint8_t TargetFormat = 1;
  std::int32_t FadeBaseAlpha = 255;
  TDrawnPoint Corners[4];
  TDrawn<std::uint32_t> VertexColors[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
};

struct TTextSeg {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::string Text;
  bool Bold = false;
  std::int32_t Line = 0;
};

struct TTextWatch {
  const std::int32_t* Value = nullptr;  // not owned
  double LastValue = 0;
};

// Font sheet geometry of one size: cells in character order, codes 32..127
// from (OriginX, OriginY), the Windows-1252 letters and signs 128..255 in a
// grid of their own from (OriginX, HighOriginY), under every size's first grid.
struct TFontMetrics {
  std::int32_t Size;
  std::int32_t CharWidth;
  std::int32_t CharHeight;
  std::int32_t GlyphsPerRow;
  std::int32_t OriginX;
  std::int32_t OriginY;
  std::int32_t HighOriginY;
  // Rows an accented capital's cell is drawn above its line: its letter sits
  // that much lower in the cell (in rows a capital's descender would use), so
  // the accent finds room over a full-height letter.
  std::int32_t AccentLift;
};
constexpr std::int32_t FontSheetWidth = 512;
constexpr std::int32_t FontSheetHeight = 1024;
// The top-left texel of a code's cell (32..255) in a size, regular or bold.
struct TGlyphCell {
  std::int32_t X, Y;
};
TGlyphCell FontGlyphCell(const TFontMetrics& m, std::uint8_t code, bool bold);
// Whether a code is a capital with a mark over it (É, Ü, Ñ, Š...), drawn lifted.
bool IsAccentedCapital(std::uint8_t code);
// The rows a code's cell is drawn above its line in a size (0 for most).
std::int32_t GlyphLift(const TFontMetrics& m, std::uint8_t code);
// The seven sizes of the font sheet; any other size is drawn as size 8.
const TFontMetrics& FontMetrics(std::int32_t size);
const TFontMetrics* FontSheetSizes(int& count);
constexpr std::int32_t BoldSheetOffset = 253;
// The largest of the sheet's sizes up to size in which that many letters fit
// the width on one line; the smallest size when none does.
std::int32_t FittingFontSize(std::size_t letters, std::int32_t width, std::int32_t size);

// A text item: marked-up text laid out into segments and painted from the font
// sheet into its own render target, once per change.
class TrndText : public TrndGfx {
 public:
  TrndText(TobjBase* owner, TsysResources* resources);
  ~TrndText() override;

  bool IsText() const override { return true; }

  void SetText(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
               bool alignCenter, bool alignMiddle);
  void SetTextAt(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                 bool alignCenter, bool alignMiddle, TPointD margin);
  void SetMarkUp(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                 bool alignCenter, bool alignMiddle);
  void SetMarkUpAt(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                   bool alignCenter, bool alignMiddle, TPointD margin);
  void SetMarkUpWrapped(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap);
  void SetPlainText(const std::string& text);
  // One line of plain text per entry, one under the other, from the top left:
  // no mark-up and no wrapping, so a line never spills onto another.
  void SetPlainLines(const std::vector<std::string>& lines, std::int32_t size, bool bold, bool shadow);
  void SetBold(bool bold);
  void SetAlignMiddle(bool alignMiddle);
  void SetMargin(TPointD margin);
  void SetGlyphShift(TPointD shift);
  void SetFontSize(std::int32_t size);

  // Watches an integer that <v=N> prints; the item re-lays itself out when it changes.
  void AddWatch(const std::int32_t* value);
  void CheckWatches();

  void PaintTarget() override;  // the glyph painter
  // Lays the text out again (every setter ends with it).
  void Layout();

  std::vector<TTextSeg> Segments;
  std::vector<TTextWatch> Watches;
  bool MarkUp = false;
  std::string Text;
  std::int32_t FontSize = 8;
  std::int32_t CharWidth = 0;
  std::int32_t CharHeight = 0;
  std::int32_t GlyphsPerRow = 0;
  bool Bold = false;
  bool Shadow = false;
  bool WordWrap = false;
  bool AlignCenter = false;
  bool AlignMiddle = false;
  std::int32_t MarginX = 0;
  std::int32_t MarginY = 0;
  std::int32_t GlyphShiftX = 0;
  std::int32_t GlyphShiftY = 0;
  // Set by SetPlainLines, cleared by every other text setter.
  bool LinesMode = false;
  std::vector<std::string> PlainLines;

 private:
  void Set(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
           bool alignCenter, bool alignMiddle, TPointD margin, bool markUp);
  void NewSegment(std::int32_t x, std::int32_t line, bool bold);
  void FlushWord(std::string& word);
  void CentreLines();
  void CentreBlock();

  // Layout state (valid during Layout only).
  std::int32_t Column = 0;
  std::int32_t LineNo = 0;
  std::int32_t OriginY = 0;
};
