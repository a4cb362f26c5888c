#pragma once
// Whether the texts on screen fit: measured on the text items themselves, not
// guessed from pixels. A text item paints its laid-out lines into a target of
// its own size, so a line that runs past that box is cut off where the player
// sees it; two items whose letters share screen pixels are drawn over each
// other. And in the pseudo-language every sentence the game shows arrives in
// brackets from the catalogue, so letters outside them were never looked up.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/sysImages.h"
#include "data/sysResources.h"
#include "objects/objBase.h"
#include "objects/objHintLabel.h"
#include "objects/sysObjects.h"
#include "render/rndItems.h"

namespace textfit {

struct TRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  bool Meets(const TRect& o) const { return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom; }
};

// One text item as drawn this frame.
struct TShown {
  const TobjBase* Owner = nullptr;
  const TrndText* Item = nullptr;
  bool Hint = false;       // a hint box's text, drawn over whatever lies under it
  bool Board = false;      // on the game's board (world space)
  std::vector<TRect> Ink;  // each line's letters, on the screen
};

// The text a player reads in the item, tags and all.
inline std::string ShownText(const TrndText& t) {
  if (!t.LinesMode) return t.Text;
  std::string all;
  for (const std::string& line : t.PlainLines) all += line + "\n";
  return all;
}

inline std::string Quote(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return "\"" + out.substr(0, 90) + (out.size() > 90 ? "...\"" : "\"");
}

// Where each letter of the font sheet has ink inside its cell, by size, bold
// and code: what the text painter puts into an item's target.
class TFontInk {
 public:
  struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive; empty: no ink
  };
  explicit TFontInk(const TImage* sheet) {
    if (sheet == nullptr || sheet->Textures.empty()) return;
    const std::vector<std::uint32_t>& px = sheet->Textures[0];
    const int w = sheet->TextureWidth, h = sheet->TextureHeight;
    int count = 0;
    const TFontMetrics* sizes = FontSheetSizes(count);
    for (int k = 0; k < count; ++k)
      for (int bold = 0; bold < 2; ++bold)
        for (int code = 32; code < 256; ++code) {
          const TFontMetrics& m = sizes[k];
          const TGlyphCell cell = FontGlyphCell(m, static_cast<std::uint8_t>(code), bold != 0);
          TBox b{m.CharWidth, m.CharHeight, 0, 0};
          for (int y = 0; y < m.CharHeight; ++y)
            for (int x = 0; x < m.CharWidth; ++x) {
              const int sx = cell.X + x, sy = cell.Y + y;
              if (sx < 0 || sy < 0 || sx >= w || sy >= h || (px[static_cast<std::size_t>(sy * w + sx)] >> 24) == 0)
                continue;
              b.Left = std::min(b.Left, x), b.Top = std::min(b.Top, y);
              b.Right = std::max(b.Right, x + 1), b.Bottom = std::max(b.Bottom, y + 1);
            }
          Boxes[Key(m.Size, bold != 0, code)] = b;
        }
    Ready = true;
  }
  bool Ready = false;
  const TBox* Find(int size, bool bold, int code) const {
    auto it = Boxes.find(Key(FontMetrics(size).Size, bold, code));
    return it == Boxes.end() ? nullptr : &it->second;
  }

 private:
  static int Key(int size, bool bold, int code) { return (size * 2 + (bold ? 1 : 0)) * 256 + code; }
  std::map<int, TBox> Boxes;
};

// The ink of a segment's letters, in the item's own pixels (without the
// shadow: a shadow cut by a pixel leaves every letter whole). False for a
// segment without ink.
inline bool SegmentInk(const TFontInk& font, const TrndText& t, const TTextSeg& s, TRect& r) {
  const TFontMetrics& m = FontMetrics(t.FontSize);
  bool any = false;
  for (std::size_t i = 0; i < s.Text.size(); ++i) {
    const auto code = static_cast<std::uint8_t>(s.Text[i]);
    if (code < 32 || code == 127) continue;
    const TFontInk::TBox* b = font.Find(t.FontSize, s.Bold || t.Bold, code);
    if (b == nullptr || b->Right <= b->Left) continue;
    const double x = s.X + t.GlyphShiftX + static_cast<double>(i) * m.CharWidth, y = s.Y + t.GlyphShiftY;
    const TRect g{x + b->Left, y + b->Top, x + b->Right, y + b->Bottom};
    if (!any) r = g;
    r = {std::min(r.Left, g.Left), std::min(r.Top, g.Top), std::max(r.Right, g.Right), std::max(r.Bottom, g.Bottom)};
    any = true;
  }
  return any;
}

inline bool ItemShown(const TobjBase& o, const TrndGfx& item) {
  if (!o.Visible || !item.Visible || item.Alpha <= 0 || item.Scale <= 0) return false;
  if (item.Source == gsTarget && !item.TargetReady) return false;
  return true;
}

// Every text item drawn this frame with something to read, with where its letters are.
inline std::vector<TShown> Collect(const TFontInk& font, TsysObjects* objects, const TsysResources& res) {
  std::vector<TShown> out;
  const double zoom = res.Zoom, ox = 512 - res.CameraX * zoom, oy = 384 - res.CameraY * zoom;
  for (std::int32_t i = 0; i < objects->Count(); ++i) {
    const TobjBase* o = objects->ObjectAt(i);
    if (o == nullptr || !o->Visible) continue;
    const bool screen = o->Space == csScreen;
    const double s = screen ? 1.0 : zoom;
    const double sx = screen ? o->X.Get() : o->X * zoom + ox, sy = screen ? o->Y.Get() : o->Y * zoom + oy;
    const auto* hinted = dynamic_cast<const TobjHintLabel*>(o);
    for (const auto& item : o->Items) {
      if (!item->IsText() || !ItemShown(*o, *item)) continue;
      const auto& t = static_cast<const TrndText&>(*item);
      TShown shown;
      shown.Owner = o;
      shown.Item = &t;
      shown.Hint = hinted != nullptr && hinted->HintText == &t;
      shown.Board = !screen;
      const double srcW = t.TexCoord.SrcWidth > 0 ? t.TexCoord.SrcWidth.Get() : t.Width.Get();
      const double srcH = t.TexCoord.SrcHeight > 0 ? t.TexCoord.SrcHeight.Get() : t.Height.Get();
      double w = t.Width * s * t.Scale, h = t.Height * s * t.Scale;
      double x = t.RelX * s + sx, y = t.RelY * s + sy;
      if (t.DrawMode == 3) x -= w / 2, y -= h / 2;
      const double kx = srcW > 0 ? w / srcW : 0, ky = srcH > 0 ? h / srcH : 0;
      for (const TTextSeg& seg : t.Segments) {
        TRect c;
        if (!SegmentInk(font, t, seg, c)) continue;
        shown.Ink.push_back({x + (c.Left - t.TexCoord.SrcX) * kx, y + (c.Top - t.TexCoord.SrcY) * ky,
                             x + (c.Right - t.TexCoord.SrcX) * kx, y + (c.Bottom - t.TexCoord.SrcY) * ky});
      }
      if (!shown.Ink.empty()) out.push_back(shown);
    }
  }
  return out;
}

// Lines that run past the box the item paints them into (and are cut there).
inline void FitFaults(const TFontInk& font, const std::vector<TShown>& shown, std::vector<std::string>& faults) {
  for (const TShown& s : shown) {
    const TrndText& t = *s.Item;
    const double srcW = t.TexCoord.SrcWidth > 0 ? t.TexCoord.SrcWidth.Get() : t.Width.Get();
    const double srcH = t.TexCoord.SrcHeight > 0 ? t.TexCoord.SrcHeight.Get() : t.Height.Get();
    const TRect box{std::max(0.0, t.TexCoord.SrcX * 1.0), std::max(0.0, t.TexCoord.SrcY * 1.0),
                    std::min<double>(t.Width, t.TexCoord.SrcX + srcW), std::min<double>(t.Height, t.TexCoord.SrcY + srcH)};
    for (const TTextSeg& seg : t.Segments) {
      TRect c;
      if (!SegmentInk(font, t, seg, c)) continue;
      if (c.Left < box.Left || c.Right > box.Right || c.Top < box.Top || c.Bottom > box.Bottom) {
        faults.push_back("leaves its box: " + Quote(seg.Text) + " of " + Quote(ShownText(t)) + " at " +
                         std::to_string(int(c.Left)) + "," + std::to_string(int(c.Top)) + ".." +
                         std::to_string(int(c.Right)) + "," + std::to_string(int(c.Bottom)) + " in a box of " +
                         std::to_string(int(box.Right)) + " x " + std::to_string(int(box.Bottom)));
        break;
      }
    }
  }
}

// Texts of the same screen whose letters lie over each other. A hint box is
// drawn over what is under it, and the board's questions are placed by the
// game's own label placer: neither is measured against the others here.
inline void OverlapFaults(const std::vector<TShown>& shown, std::vector<std::string>& faults) {
  for (std::size_t a = 0; a < shown.size(); ++a)
    for (std::size_t b = a + 1; b < shown.size(); ++b) {
      const TShown &p = shown[a], &q = shown[b];
      if (p.Hint || q.Hint || p.Board || q.Board) continue;
      bool met = false;
      for (const TRect& r : p.Ink)
        for (const TRect& k : q.Ink) met = met || r.Meets(k);
      if (met)
        faults.push_back("overlaps: " + Quote(ShownText(*p.Item)) + " and " + Quote(ShownText(*q.Item)));
    }
}

// A word of letters outside the pseudo-language's brackets (empty for none):
// a text the catalogue did not give. What is not a sentence is let through:
// numbers and signs, the quadrants' roman numerals, a line's x and y, and the
// words the test typed itself (a player's name, a teacher's file).
inline std::string UncataloguedWord(const std::string& text, const std::set<std::string>& ownWords) {
  static const std::set<std::string> notSentences = {"I", "II", "III", "IV", "x", "y"};
  std::string outside;
  int depth = 0;
  bool inTag = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<') inTag = true;
    if (inTag) {
      if (c == '>') inTag = false;
      continue;
    }
    // The pseudo-language closes every text with a tilde and a bracket.
    if (c == '[') ++depth;
    else if (c == ']' && depth > 0 && i > 0 && text[i - 1] == '~') --depth;
    else if (depth == 0) outside += c;
  }
  std::string word;
  for (std::size_t i = 0; i <= outside.size(); ++i) {
    const unsigned char c = i < outside.size() ? static_cast<unsigned char>(outside[i]) : ' ';
    if (std::isalpha(c) || c >= 0x80 || (c == '\'' && !word.empty())) {
      word += static_cast<char>(c);
      continue;
    }
    if (!word.empty() && notSentences.count(word) == 0 && ownWords.count(word) == 0) return word;
    word.clear();
  }
  return {};
}

inline void CatalogueFaults(const std::vector<TShown>& shown, const std::set<std::string>& ownWords,
                            std::vector<std::string>& faults) {
  for (const TShown& s : shown) {
    const std::string text = ShownText(*s.Item);
    const std::string word = UncataloguedWord(text, ownWords);
    if (!word.empty()) faults.push_back("not from the catalogue: " + Quote(word) + " in " + Quote(text));
  }
}

}  // namespace textfit
