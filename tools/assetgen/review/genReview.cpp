#include "review/genReview.h"

#include <map>
#include <memory>
#include <utility>

#include "render/rndItems.h"

using namespace art;

namespace {

// A picture multiplied by a colour, as vertex colours do.
std::unique_ptr<TSurface> MakeTinted(const TImage& image, std::uint32_t tint) {
  auto out = std::make_unique<TSurface>(image.TextureWidth, image.TextureHeight);
  std::vector<std::uint32_t> px = image.Textures[0];
  const std::uint32_t tr = (tint >> 16) & 0xFF, tg = (tint >> 8) & 0xFF, tb = tint & 0xFF;
  for (std::uint32_t& p : px) {
    const std::uint32_t r = ((p >> 16) & 0xFF) * tr / 255, g = ((p >> 8) & 0xFF) * tg / 255, b = (p & 0xFF) * tb / 255;
    p = (p & 0xFF000000) | (r << 16) | (g << 8) | b;
  }
  out->SetPixels(px);
  return out;
}

}  // namespace

TMockup::TMockup(const TImage& fontSheet, const TImage& widgetSheet)
    : Canvas(1024, 768), Font(fontSheet), Sheet(widgetSheet) {
  cairo_set_source_rgb(Canvas.Cr(), 0, 0, 0);
  cairo_paint(Canvas.Cr());
}

TMockup::~TMockup() = default;

const TSurface& TMockup::Tinted(const TImage& image, std::uint32_t tint) {
  auto& slot = Tints[{&image, tint}];
  if (!slot) slot = MakeTinted(image, tint);
  return *slot;
}

void TMockup::Region(const TImage& image, const TRect& src, double x, double y, double w, double h,
                     std::uint32_t tint, int alpha, bool mirror) {
  if (w <= 0 || h <= 0 || src.W <= 0 || src.H <= 0) return;
  cairo_t* cr = Canvas.Cr();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  if (mirror) {
    cairo_translate(cr, w, 0);
    cairo_scale(cr, -1, 1);
  }
  cairo_scale(cr, w / src.W, h / src.H);
  cairo_set_source_surface(cr, Tinted(image, tint).Raw(), -src.X, -src.Y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_paint_with_alpha(cr, alpha / 255.0);
  cairo_restore(cr);
}

void TMockup::Picture(const TImage& image, double x, double y, double w, double h, std::uint32_t tint, int alpha) {
  const TRect all{0, 0, image.TextureWidth, image.TextureHeight};
  Region(image, all, x, y, w > 0 ? w : all.W, h > 0 ? h : all.H, tint, alpha);
}

void TMockup::Widget(const char* frameName, double x, double y, int w, int h, std::uint32_t tint, int alpha) {
  for (const TSheetFrame& frame : WidgetFrames()) {
    if (std::string(frame.Name) != frameName) continue;
    for (const TSheetPiece& p : frame.Pieces)
      Region(Sheet, p.Sheet, x + p.Place.X.At(w), y + p.Place.Y.At(h), p.Place.W.At(w), p.Place.H.At(h), tint, alpha);
  }
}

void TMockup::Text(const std::string& text, int size, bool bold, bool shadow, double x, double y,
                   std::uint32_t color, int alpha) {
  const TFontMetrics& m = FontMetrics(size);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int code = static_cast<unsigned char>(text[i]);
    if (code < 32 || code > 150) continue;
    const int index = code - 32;
    const TRect cell{(index % m.GlyphsPerRow) * m.CharWidth + m.OriginX + (bold ? BoldSheetOffset : 0),
                     (index / m.GlyphsPerRow) * m.CharHeight + m.OriginY, m.CharWidth, m.CharHeight};
    const double gx = x + static_cast<double>(i) * m.CharWidth;
    if (shadow) Region(Font, cell, gx + 1, y + 1, cell.W, cell.H, 0x010101, alpha);
    Region(Font, cell, gx, y, cell.W, cell.H, color, alpha);
  }
}

void TMockup::TextCentred(const std::string& text, int size, bool bold, double x, double y, int w, int h,
                          std::uint32_t color) {
  // The text engine's centring: the added trailing space counts, and each
  // character is taken one pixel narrower than its cell.
  const TFontMetrics& m = FontMetrics(size);
  const int count = static_cast<int>(text.size()) + 1;
  const int dx = (w - count * (m.CharWidth - 1)) / 2;
  const int dy = (h - m.CharHeight) / 2 + (size == 6 ? 0 : 2);
  Text(text, size, bold, true, x + dx, y + dy, color);
}

namespace {

void Backdrop(TMockup& m, const std::vector<TImage>& quarters, std::size_t first) {
  for (std::size_t q = 0; q < 4; ++q) m.Picture(quarters[first + q], (q % 2) * 512.0, (q / 2) * 384.0);
}

// A menu button with its caption, as the button widget draws it.
void Button(TMockup& m, const char* caption, int x, int y, int w, bool hovered = false, std::uint32_t tint = ControlTint,
            int alpha = 255) {
  m.Widget(hovered ? "button hovered" : "button", x, y, w, 50, tint, alpha);
  m.TextCentred(caption, 10, true, x, y, w, 50);
}

void FramedLabel(TMockup& m, int x, int y, int w, int h, int alpha = 196) {
  m.Widget("label frame", x, y, w, h, ControlTint, alpha);
}

void HintBox(TMockup& m, int x, int y, int w, int h, const std::vector<std::string>& lines, int alpha = 255) {
  m.Widget("hint box", x, y, w, h, ControlTint, alpha);
  for (std::size_t i = 0; i < lines.size(); ++i) m.Text(lines[i], 8, i == 0, true, x + 12, y + 12 + 12.0 * i);
}

}  // namespace

namespace {

// A picture over a dark ground, enlarged without smoothing, for contact sheets.
void Contact(const TImage& image, const TRect& crop, int scale, std::uint32_t tint, const std::string& path) {
  TSurface out(crop.W * scale, crop.H * scale);
  cairo_t* cr = out.Cr();
  SetColor(cr, Hex(0x101830));
  cairo_paint(cr);
  cairo_scale(cr, scale, scale);
  const std::unique_ptr<TSurface> tinted = MakeTinted(image, tint);
  cairo_set_source_surface(cr, tinted->Raw(), -crop.X, -crop.Y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  out.WritePng(path);
}

}  // namespace

void WriteContactSheets(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& screens,
                        const std::vector<TImage>& interfaces) {
  const TImage& font = core[2];
  Contact(font, {0, 0, 512, 512}, 1, 0xFFFFFF, dir + "contact-font.png");
  // Sizes 6, 7 and 8, regular and bold.
  Contact(font, {0, 0, 512, 102}, 4, 0xFFFFFF, dir + "contact-font-small-4x.png");
  const TImage& sheet = interfaces[0];
  Contact(sheet, {0, 0, sheet.TextureWidth, sheet.TextureHeight}, 2, 0xFFFFFF, dir + "contact-widgets.png");
  Contact(sheet, {0, 0, sheet.TextureWidth, sheet.TextureHeight}, 2, ControlTint, dir + "contact-widgets-tinted.png");
  Contact(interfaces[4], {0, 0, 512, 512}, 1, 0xFFFFFF, dir + "contact-challenges.png");
  TMockup m(font, sheet);
  for (std::size_t q = 0; q < 4; ++q) m.Picture(screens[q], (q % 2) * 512.0, (q / 2) * 384.0);
  m.Screen().WritePng(dir + "contact-menu-backdrop.png");
}

void WriteMockups(const std::string& dir, const std::vector<TImage>& core, const std::vector<TImage>& screens,
                  const std::vector<TImage>& interfaces) {
  const TImage& font = core[2];
  const TImage& sheet = interfaces[0];
  {
    TMockup m(font, sheet);
    Backdrop(m, core, 4);
    m.Picture(core[3], (1024 - 450) / 2, (768 - 232) / 2);
    m.TextCentred("CLICK TO CONTINUE", 14, false, 272, 728, 480, 20, 0x000000);
    m.Screen().WritePng(dir + "mockup-loading.png");
  }
  {
    TMockup m(font, sheet);
    Backdrop(m, screens, 0);
    m.Picture(screens[8], 0, 708);
    FramedLabel(m, 372, 240, 280, 480);
    m.TextCentred("MAIN MENU", 16, true, 397, 247, 230, 50);
    const char* captions[6] = {"TUTORIAL", "ARCADE", "CHALLENGES", "HIGH SCORES", "OPTIONS", "EXIT"};
    for (int i = 0; i < 6; ++i) Button(m, captions[i], 397, 300 + 70 * i, 230, i == 1, ControlTint, 200);
    HintBox(m, 397 + 232, 370, 220, 100, {"Play an arcade mode game.", "Click here if you know", "the game and want to",
                                          "play for a high score"});
    FramedLabel(m, 804, 0, 220, 30, 255);
    m.TextCentred("Version: v1.0", 10, true, 814, 0, 200, 30);
    Button(m, "CREDITS", 804, 30, 220, false, ControlTint, 200);
    FramedLabel(m, 0, 0, 220, 30, 255);
    m.TextCentred("Hi Player! ", 10, true, 10, 0, 200, 30);
    Button(m, "CHANGE PROFILE", 0, 30, 220);
    m.Screen().WritePng(dir + "mockup-menu.png");
  }
  {
    // The arcade set-up screen with its preview, and a few more widgets.
    TMockup m(font, sheet);
    Backdrop(m, screens, 0);
    m.Picture(screens[8], 0, 708);
    FramedLabel(m, 172, 244, 680, 480);
    m.TextCentred("ARCADE", 16, true, 272, 255, 480, 20);
    FramedLabel(m, 182, 280, 660, 80);
    m.Text("DIFFICULTY", 10, true, true, 199, 290);
    const char* diff[4] = {"EASY", "MEDIUM", "HARD", "CRAZY"};
    const int dx[4] = {0, 157, 314, 471}, dw[4] = {157, 157, 158, 158};
    const std::uint32_t dc[4] = {0x00FF00, 0x00F0FF, 0x007EFF, 0x3333FF};
    for (int i = 0; i < 4; ++i) {
      const char* look = i == 1 ? "group entry selected" : i == 2 ? "group entry hovered" : "group entry";
      m.Widget(look, 197 + dx[i] + (i == 1 ? 1 : 0), 315 + (i == 1 ? 1 : 0), dw[i], 30, dc[i]);
      m.TextCentred(diff[i], 8, i == 1, 197 + dx[i] + 9 + (i == 1 ? 1 : 0), 315 + 9 + (i == 1 ? 1 : 0), dw[i] - 18, 12);
    }
    FramedLabel(m, 182, 370, 660, 270);
    m.Text("GAME MODE", 10, true, true, 199, 380);
    m.Text("PREVIEW", 10, true, true, 419, 380);
    const char* modes[3] = {"ROZIR IVIVURUDA", "VOVE'R UDA ZERIR?", "DEFINE THE LINE"};
    const std::uint32_t mc[3] = {0x00FF00, 0x007EFF, 0x3333FF};
    for (int i = 0; i < 3; ++i) Button(m, modes[i], 197, 410 + 80 * i, 210, i == 1, mc[i], i == 0 ? 255 : 200);
    m.Widget("hint box", 417, 410, 410, 210, 0x007EFF);
    if (interfaces.size() > 2) m.Picture(interfaces[2], 427, 420);
    Button(m, "BACK", 397, 650, 220);
    m.Screen().WritePng(dir + "mockup-arcade.png");
  }
  {
    // Options and profile widgets on one board.
    TMockup m(font, sheet);
    Backdrop(m, screens, 0);
    FramedLabel(m, 112, 244, 800, 470);
    m.TextCentred("WIDGETS", 16, true, 112, 255, 800, 20);
    // Check boxes: the bar and cap, and the box in its three looks.
    const char* boxes[3] = {"check box normal", "check box hovered", "check box checked"};
    const char* labels[3] = {"Fullscreen", "Antialiasing (hovered)", "Blending Effects"};
    for (int i = 0; i < 3; ++i) {
      const int y = 300 + 40 * i;
      m.Region(sheet, {163, 54, 1, 30}, 150 + 35, y, 220 - 44, 30, ControlTint, 255);
      m.Region(sheet, {168, 54, 9, 30}, 150 + 220 - 9, y, 9, 30, ControlTint, 255);
      for (const TSheetFrame& f : WidgetFrames())
        for (const TSheetPiece& p : f.Pieces)
          if (std::string(p.Name) == boxes[i]) m.Region(sheet, p.Sheet, 150, y, 35, 30, ControlTint, 255);
      m.Text(labels[i], 8, false, true, 189, y + 11);
    }
    m.Widget("slider", 150, 430, 215, 30);
    m.Widget("slider knob", 150 + 98.5, 436, 18, 18);
    m.Text("50", 12, true, true, 150 + 215 + 5, 437);
    m.Widget("slider", 150, 470, 215, 30);
    m.Widget("slider knob hovered", 150 + 150, 476, 18, 18);
    m.Widget("text box", 150, 520, 240, 40);
    m.Text("Ada_Lovelace", 8, false, true, 159, 529);
    m.Region(sheet, {179, 45, 1, 1}, 158 + 12 * 8, 528, 2, 12, ControlTint, 200);
    // A list box with a scroll bar.
    const int lx = 440, ly = 300, lw = 300, lh = 240;
    m.Widget("list box", lx, ly, lw, lh);
    m.Region(sheet, {87, 100, 1, 1}, lx + 8, ly + 25 + 12 * 2 - 1, lw - 32, 12, ControlTint, 255);
    const char* names[16] = {"Ada", "Blaise", "Carl", "Dora", "Emmy", "Felix", "Gauss", "Hypatia",
                             "Isaac", "Jia", "Kurt", "Leonhard", "Maryam", "Niels", "Olga", "Pierre"};
    for (int i = 0; i < 16; ++i) m.Text(names[i], 8, false, true, lx + 15, ly + 26 + 12 * i);
    m.Region(sheet, {98, 55, 18, 18}, lx + lw - 21, ly + 25, 18, 18, ControlTint, 255);
    m.Region(sheet, {98, 55, 18, 18}, lx + lw - 21, ly + lh - 43, 18, 18, ControlTint, 255, true);
    m.Region(sheet, {78, 54, 18, 42}, lx + lw - 21, ly + 70, 18, 42, ControlTint, 255);
    // Picture digits, and a progress bar with two levels done and the marker.
    const char* number = "1024";
    for (int i = 0; i < 4; ++i) m.Region(sheet, DigitRect(number[i] - '0'), 780 + 26 * i, 300, 26, 31, ControlTint, 255);
    m.Region(sheet, ProgressBarRect, 440, 580, 250, 35, 0x00FF00, 255);
    for (int j = 0; j < 2; ++j)
      m.Region(sheet, ProgressSegmentRect, 444 + 50 * j, 584, 42, 27, 0x00FF00, 255);
    m.Region(sheet, ProgressMarkerRect, 544, 584, 42, 27, 0xFFFFFF, 64);
    m.Region(sheet, ProgressBarRect, 440, 630, 250, 35, 0x3333FF, 255);
    Button(m, "RESET", 707, 580, 120, false, 0x00FF00);
    m.Screen().WritePng(dir + "mockup-widgets.png");
  }
  if (interfaces.size() > 4) {
    // The challenge screen: tiles framed in their type colour with the sheet's pictures.
    TMockup m(font, sheet);
    Backdrop(m, screens, 0);
    m.Picture(screens[8], 0, 708);
    FramedLabel(m, 112, 244, 808, 480);
    m.TextCentred("CHALLENGES", 16, true, 212, 255, 608, 20);
    FramedLabel(m, 122, 280, 788, 80);
    m.Text("DIFFICULTY", 10, true, true, 139, 290);
    const char* diff[4] = {"EASY", "MEDIUM", "HARD", "CRAZY"};
    const int dx[4] = {0, 189, 378, 568}, dw[4] = {189, 189, 190, 190};
    const std::uint32_t dc[4] = {0x00FF00, 0x00F0FF, 0x007EFF, 0x3333FF};
    for (int i = 0; i < 4; ++i) {
      m.Widget(i == 2 ? "group entry selected" : "group entry", 137 + dx[i], 315, dw[i], 30, dc[i]);
      m.TextCentred(diff[i], 8, i == 2, 137 + dx[i] + 9, 315 + 9, dw[i] - 18, 12);
    }
    FramedLabel(m, 122, 370, 788, 270);
    const TImage& ch = interfaces[4];
    const std::uint32_t typeColor[3] = {0x00FF00, 0x007EFF, 0x3333FF};
    const int types[12] = {1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3};
    const int goals[12] = {1, 2, 1, 2, 1, 2, 3, 4, 3, 4, 3, 4};
    for (int i = 0; i < 12; ++i) {
      const int x = 136 + 128 * (i % 6), y = 381 + 128 * (i / 6);
      m.Widget("label frame", x, y, 120, 120, typeColor[types[i] - 1], i == 3 ? 255 : 255);
      m.Region(ch, ChallengeRect(types[i] - 1), x + 6, y + 6, 108, 108, 0xFFFFFF, 224);
      m.Region(ch, ChallengeRect(goals[i] + 2), x + 60, y + 60, 54, 54, 0xFFFFFF, 224);
      if (i == 0 || i == 4 || i == 9) m.Region(ch, ChallengeRect(10), x + 12, y + 12, 96, 96, 0xFFFFFF, 255);
    }
    m.Region(ch, ChallengeRect(15), 124, 654, 285, 50, 0xFFFFFF, 255);
    Button(m, "BACK", 417, 650, 220);
    m.Screen().WritePng(dir + "mockup-challenges.png");
  }
}
