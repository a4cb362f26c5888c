#include "render/rndItems.h"

#include <algorithm>

#include "data/sysImages.h"
#include "data/sysResources.h"
#include "objects/objBase.h"

namespace {

struct TPreset {
  std::uint8_t Source;
  std::int32_t ImageIndex;
  std::uint32_t ClearColor;
};

constexpr TPreset Presets[2] = {
    {gsImage, 0, 0xFF000000},  // picture
    {gsTarget, 2, 0x00000000},  // text: the font sheet
};

constexpr TFontMetrics Sizes[] = {
    {6, 6, 9, 42, 2, 2, 444, 2},       {7, 7, 9, 36, 2, 30, 482, 2},      {8, 8, 11, 31, 2, 58, 520, 1},
    {10, 9, 13, 28, 2, 102, 577, 2},   {12, 10, 15, 25, 2, 155, 644, 1},  {14, 12, 17, 21, 2, 216, 736, 2},
    {16, 13, 20, 19, 2, 302, 857, 3},
};

std::uint32_t ClampAlpha(std::int32_t alpha) {
  return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
}

}  // namespace

const TFontMetrics& FontMetrics(std::int32_t size) {
  for (const TFontMetrics& m : Sizes)
    if (m.Size == size) return m;
  return Sizes[2];
}

TGlyphCell FontGlyphCell(const TFontMetrics& m, std::uint8_t code, bool bold) {
  const bool high = code >= 128;
  const std::int32_t index = high ? code - 128 : code - 32;
  return {(index % m.GlyphsPerRow) * m.CharWidth + m.OriginX + (bold ? BoldSheetOffset : 0),
          (index / m.GlyphsPerRow) * m.CharHeight + (high ? m.HighOriginY : m.OriginY)};
}

std::int32_t FittingFontSize(std::size_t letters, std::int32_t width, std::int32_t size) {
  std::int32_t best = Sizes[0].Size;
  for (const TFontMetrics& m : Sizes)
    if (m.Size <= size && static_cast<std::int64_t>(letters) * m.CharWidth <= width) best = m.Size;
  return best;
}

bool IsAccentedCapital(std::uint8_t code) {
  // Š Ž Ÿ, À..Å, È..Ï, Ñ..Ö, Ù..Ý (the cedilla of Ç hangs below instead).
  return code == 0x8A || code == 0x8E || code == 0x9F || (code >= 0xC0 && code <= 0xC5) ||
         (code >= 0xC8 && code <= 0xCF) || (code >= 0xD1 && code <= 0xD6) || (code >= 0xD9 && code <= 0xDD);
}

std::int32_t GlyphLift(const TFontMetrics& m, std::uint8_t code) {
  return IsAccentedCapital(code) ? m.AccentLift : 0;
}

const TFontMetrics* FontSheetSizes(int& count) {
  count = static_cast<int>(std::size(Sizes));
  return Sizes;
}

// ---------------------------------------------------------------- TrndGfx

TrndGfx::TrndGfx(TobjBase* owner, TsysResources* resources) : Owner(owner), Resources(resources) {
  MarkSceneChanged();
  ApplyPreset(0);
  RefreshTarget();
}

TrndGfx::~TrndGfx() {
  ReleaseTarget();
  MarkSceneChanged();
}

void TrndGfx::ApplyPreset(int index) {
  const TPreset& p = Presets[index == 1 ? 1 : 0];
  DrawMode = 1;
  Visible = true;
  TexCoord = TTexCoord{};
  Width = 0;
  Height = 0;
  RelX = 0;
  RelY = 0;
  Angle = 0;
  Scale = 1.0;
  Layer = 0;
  ImageSet = 0;
  ImageIndex = p.ImageIndex;
  DrawEffect = beAlpha;
  ClearColor = p.ClearColor;
  TargetFormat = 1;
  SetColor(0xFFFFFF);
  SetAlpha(255);
  SetSource(p.Source);
}

void TrndGfx::SetImage(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern) {
  ImageSet = imageSet;
  ImageIndex = imageIndex;
  TexCoord.Pattern = pattern;
}

void TrndGfx::SetColor(std::uint32_t rgb) {
  Color = rgb & 0xFFFFFF;
  for (auto& c : VertexColors) c = (ClampAlpha(Alpha) << 24) | Color;
}

void TrndGfx::SetAlpha(std::int32_t alpha) {
  Alpha = alpha;
  for (auto& c : VertexColors) c = (ClampAlpha(alpha) << 24) | (c & 0xFFFFFF);
}

void TrndGfx::SetColorAlpha(std::uint32_t rgb, std::int32_t alpha) {
  Alpha = alpha;
  SetColor(rgb);
}

void TrndGfx::SetLayer(std::uint8_t layer) {
  Layer = layer;
  if (Owner != nullptr) Owner->SortItems();
}

void TrndGfx::SetSource(std::uint8_t source) {
  Source = source;
  RefreshTarget();
}

void TrndGfx::GetCorner(int index, TPointD& point) const {
  if (index >= 0 && index < 4) point = TPointD{Corners[index].X, Corners[index].Y};
}

void TrndGfx::SetCorner(int index, const TPointD& point) {
  if (index < 0 || index >= 4) return;
  Corners[index].X = point.X;
  Corners[index].Y = point.Y;
}

void TrndGfx::RefreshTarget() {
  ReleaseTarget();
  if (Source == gsTarget && Target == 0 && Width > 0 && Height > 0 && Resources != nullptr) {
    Target = Resources->CreateRenderTarget(Width, Height, TargetFormat);
    if (Target != 0) Resources->QueueTargetPaint(this);
  }
  if (Source == gsTarget) TargetReady = false;
}

void TrndGfx::ReleaseTarget() {
  if (Resources == nullptr) return;
  // A freed item must not stay in the paint queue.
  Resources->UnqueueTargetPaint(this);
  if (Target != 0) Resources->FreeRenderTarget(Target);
  Target = 0;
}

// ---------------------------------------------------------------- TrndText

TrndText::TrndText(TobjBase* owner, TsysResources* resources) : TrndGfx(owner, resources) {}

TrndText::~TrndText() = default;

void TrndText::SetFontSize(std::int32_t size) {
  const TFontMetrics& m = FontMetrics(size);
  FontSize = m.Size;
  CharWidth = m.CharWidth;
  CharHeight = m.CharHeight;
  GlyphsPerRow = m.GlyphsPerRow;
}

void TrndText::Set(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                   bool alignCenter, bool alignMiddle, TPointD margin, bool markUp) {
  Text = text;
  SetFontSize(size);
  Bold = bold;
  Shadow = shadow;
  WordWrap = wordWrap;
  AlignCenter = alignCenter;
  AlignMiddle = alignMiddle;
  MarginX = static_cast<std::int32_t>(margin.X);
  MarginY = static_cast<std::int32_t>(margin.Y);
  GlyphShiftX = 0;
  GlyphShiftY = 0;
  MarkUp = markUp;
  PlainLines.clear();
  LinesMode = false;
  Layout();
}

void TrndText::SetText(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                       bool alignCenter, bool alignMiddle) {
  Set(text, size, bold, shadow, wordWrap, alignCenter, alignMiddle, TPointD{}, false);
}

void TrndText::SetTextAt(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                         bool alignCenter, bool alignMiddle, TPointD margin) {
  Set(text, size, bold, shadow, wordWrap, alignCenter, alignMiddle, margin, false);
}

void TrndText::SetMarkUp(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                         bool alignCenter, bool alignMiddle) {
  Set(text, size, bold, shadow, wordWrap, alignCenter, alignMiddle, TPointD{}, true);
}

void TrndText::SetMarkUpAt(const std::string& text, std::int32_t size, bool bold, bool shadow, bool wordWrap,
                           bool alignCenter, bool alignMiddle, TPointD margin) {
  Set(text, size, bold, shadow, wordWrap, alignCenter, alignMiddle, margin, true);
}

void TrndText::SetMarkUpWrapped(const std::string& text, std::int32_t size, bool bold, bool shadow,
                                bool wordWrap) {
  Set(text, size, bold, shadow, wordWrap, false, false, TPointD{}, true);
}

void TrndText::SetPlainLines(const std::vector<std::string>& lines, std::int32_t size, bool bold, bool shadow) {
  std::string joined;
  for (const std::string& line : lines) joined += line + " ";
  Set(joined, size, bold, shadow, false, false, false, TPointD{}, false);
  PlainLines = lines;
  LinesMode = true;
  Layout();
}

void TrndText::SetPlainText(const std::string& text) {
  Text = text;
  MarkUp = false;
  PlainLines.clear();
  LinesMode = false;
  if (CharWidth == 0) SetFontSize(FontSize);
  Layout();
}

void TrndText::SetBold(bool bold) {
  Bold = bold;
  Layout();
}

void TrndText::SetAlignMiddle(bool alignMiddle) {
  AlignMiddle = alignMiddle;
  Layout();
}

void TrndText::SetMargin(TPointD margin) {
  MarginX = static_cast<std::int32_t>(margin.X);
  MarginY = static_cast<std::int32_t>(margin.Y);
  Layout();
}

void TrndText::SetGlyphShift(TPointD shift) {
  GlyphShiftX = static_cast<std::int32_t>(shift.X);
  GlyphShiftY = static_cast<std::int32_t>(shift.Y);
  Layout();
}

void TrndText::AddWatch(const std::int32_t* value) {
  if (value == nullptr) return;
  Watches.push_back(TTextWatch{value, static_cast<double>(*value)});
}

void TrndText::CheckWatches() {
  bool changed = false;
  for (TTextWatch& w : Watches) {
    const double now = static_cast<double>(*w.Value);
    if (now != w.LastValue) changed = true;
    w.LastValue = now;
  }
  if (changed) Layout();
}

void TrndText::NewSegment(std::int32_t x, std::int32_t line, bool bold) {
  TTextSeg seg;
  seg.X = x;
  seg.Y = line * (CharHeight + 1) + MarginY;
  seg.Bold = bold;
  seg.Line = line;
  Segments.push_back(std::move(seg));
}

void TrndText::FlushWord(std::string& word) {
  const std::int32_t lineWidth = CharWidth > 0 ? (Width - 2 * MarginX) / CharWidth : 0;
  const auto length = static_cast<std::int32_t>(word.size());
  if (length == 0) return;
  if (!WordWrap) {
    Segments.back().Text += word;
    Column += length;
  } else if (length > lineWidth) {
    for (char c : word) {
      if (Column == lineWidth) {
        ++LineNo;
        NewSegment(MarginX, LineNo, Segments.back().Bold);
        Column = 0;
      }
      Segments.back().Text += c;
      ++Column;
    }
  } else if (length < lineWidth - Column) {
    Segments.back().Text += word;
    Column += length;
  } else {
    ++LineNo;
    const bool bold = Segments.back().Bold;
    NewSegment(MarginX, LineNo, bold);
    Segments.back().Text = word;
    Column = length;
  }
  word.clear();
}

void TrndText::Layout() {
  if (CharWidth == 0) SetFontSize(FontSize);
  Segments.clear();
  Column = 0;
  LineNo = 0;
  NewSegment(MarginX, 0, Bold);

  const std::string text = Text + " ";  // flushes the last word
  if (LinesMode) {
    // Taken as they are: whatever a line holds, it stays on its own line.
    for (std::size_t i = 0; i < PlainLines.size(); ++i) {
      if (i > 0) NewSegment(MarginX, static_cast<std::int32_t>(i), Bold);
      Segments.back().Text = PlainLines[i];
    }
  } else if (MarkUp) {
    bool insideTag = false;
    bool closing = false;
    bool boldState = false;
    std::string tag;
    std::string word;
    for (char c : text) {
      if (c == ' ') {
        word += ' ';
        FlushWord(word);
      } else if (c == '/') {
        if (insideTag) closing = true;
      } else if (c == '<') {
        insideTag = true;
        tag.clear();
      } else if (c == '>') {
        switch (tag.empty() ? '\0' : tag[0]) {
          case 'b':
            boldState = !closing;
            FlushWord(word);
            NewSegment(Column * CharWidth + MarginX, LineNo, boldState || Bold);
            break;
          case 'r':
            FlushWord(word);
            ++LineNo;
            Column = 0;
            NewSegment(MarginX, LineNo, boldState || Bold);
            break;
          case 'l':
            word += '<';
            break;
          case 'g':
            word += '>';
            break;
          case 'v': {
            const auto eq = tag.find('=');
            if (eq != std::string::npos) {
              char* end = nullptr;
              const long n = std::strtol(tag.c_str() + eq + 1, &end, 10);
              if (end != tag.c_str() + eq + 1 && n >= 0 && n < static_cast<long>(Watches.size()))
                word += std::to_string(*Watches[static_cast<std::size_t>(n)].Value);
            }
            break;
          }
          default:
            break;
        }
        insideTag = false;
        closing = false;
      } else if (insideTag) {
        tag += c;
      } else {
        word += c;
      }
    }
  } else if (WordWrap) {
    std::string word;
    for (char c : text) {
      if (c == ' ') {
        word += ' ';
        FlushWord(word);
      } else {
        word += c;
      }
    }
  } else {
    Segments.front().Text = text;
  }

  Segments.erase(std::remove_if(Segments.begin(), Segments.end(),
                                [](const TTextSeg& s) { return s.Text.empty() || s.Text == " "; }),
                 Segments.end());
  if (AlignCenter) CentreLines();
  if (AlignMiddle) CentreBlock();

  Source = gsTarget;
  RefreshTarget();
}

void TrndText::CentreLines() {
  auto centre = [this](std::size_t first, std::size_t last, std::int32_t count) {
    std::int32_t d = (Width - 2 * MarginX - count * (CharWidth - 1)) / 2;
    // A line near the box's width would be pushed past its right edge by that
    // guess and cut there: it is kept inside, and a longer one starts at the margin.
    std::int32_t left = Segments[first].X, right = left;
    for (std::size_t i = first; i < last; ++i) {
      const std::size_t end = Segments[i].Text.find_last_not_of(' ');
      if (end != std::string::npos)
        right = std::max(right, Segments[i].X + static_cast<std::int32_t>(end + 1) * CharWidth);
    }
    if (right + d > Width - MarginX) d = Width - MarginX - right;
    if (left + d < MarginX) d = MarginX - left;
    for (std::size_t i = first; i < last; ++i) Segments[i].X += d;
  };
  std::size_t first = 0;
  std::int32_t sum = 0;
  std::int32_t pieces = 0;
  for (std::size_t i = 0; i < Segments.size(); ++i) {
    if (i > first && Segments[i].Line > Segments[first].Line) {
      centre(first, i, sum + pieces);
      first = i;
      sum = 0;
      pieces = 0;
    }
    sum += static_cast<std::int32_t>(Segments[i].Text.size());
    ++pieces;
  }
  if (!Segments.empty()) centre(first, Segments.size(), sum);
}

void TrndText::CentreBlock() {
  if (Segments.empty()) return;
  const std::int32_t lastLine = Segments.back().Line;
  std::int32_t d = (Height - 2 * MarginY - (lastLine + 1) * CharHeight) / 2;
  if (FontSize != 6) d += 2;
  for (TTextSeg& s : Segments) s.Y += d;
}

void TrndText::PaintTarget() {
  if (Resources == nullptr || Resources->Device == nullptr) return;
  TImageSet* set = Resources->ImageSet(ImageSet);
  TImage* sheet = set != nullptr ? set->Image(ImageIndex) : nullptr;
  if (sheet == nullptr || sheet->DeviceTextures.empty()) return;
  const TTextureId texture = sheet->DeviceTextures[0];
  const TFontMetrics& m = FontMetrics(FontSize);
  static const std::uint32_t shadowColors[4] = {0xFF010101, 0xFF010101, 0xFF010101, 0xFF010101};
  static const std::uint32_t glyphColors[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  TrndDevice* device = Resources->Device;
  for (const TTextSeg& seg : Segments) {
    const bool bold = seg.Bold || Bold;
    for (std::size_t i = 0; i < seg.Text.size(); ++i) {
      const auto code = static_cast<std::uint8_t>(seg.Text[i]);
      if (code < 32 || code == 127) continue;
      const TGlyphCell cell = FontGlyphCell(m, code, bold);
      TSourceRect src;
      src.X = static_cast<float>(cell.X);
      src.Y = static_cast<float>(cell.Y);
      src.W = static_cast<float>(m.CharWidth);
      src.H = static_cast<float>(m.CharHeight);
      const float x = static_cast<float>(seg.X + GlyphShiftX + static_cast<std::int32_t>(i) * m.CharWidth);
      // Lifted as far as the target has room: a first line at its very top
      // keeps its accents, with the letter a little low.
      const std::int32_t top = seg.Y + GlyphShiftY;
      const float y = static_cast<float>(top - std::clamp(top, 0, GlyphLift(m, code)));
      auto quadAt = [&](float qx, float qy) {
        TQuad q;
        q.P[0] = {qx, qy};
        q.P[1] = {qx + src.W, qy};
        q.P[2] = {qx + src.W, qy + src.H};
        q.P[3] = {qx, qy + src.H};
        return q;
      };
      if (Shadow) device->DrawQuad(texture, quadAt(x + 1, y + 1), src, shadowColors, beAlpha);
      device->DrawQuad(texture, quadAt(x, y), src, glyphColors, beAlpha);
    }
  }
}
