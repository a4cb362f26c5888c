#include "screens/frmProgress.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "core/sysCatalogue.h"
#include "data/sysFiles.h"
#include "data/sysReportFiles.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "render/rndItems.h"
#include "screens/frmParts.h"
#include "tables/defSprites.h"

namespace {

constexpr double Layer = 2;
constexpr double PictureSize = 64;
constexpr std::uint32_t PictureGround = 0x101A3A;
constexpr std::uint32_t TextColour = 0xFFFFFF;
constexpr std::uint32_t QuietText = 0xA8B0C8;
constexpr std::uint32_t BarTrack = 0x303A58;
constexpr std::uint32_t BarFill = 0x2A8CFF;
constexpr double BarsY = 104;
constexpr double BarsHeight = 40;

// "Ana: 12 answers in 3 games, 9 right."
std::string SummaryLine(const std::string& name, const TProgressSummary& shown) {
  // TRANSLATORS: the games part of "Ana: 12 answers in 3 games, 9 right."
  const std::string games = Format(TrN("%s game", "%s games", static_cast<std::uint64_t>(shown.Sessions)),
                                   {std::to_string(shown.Sessions)});
  // TRANSLATORS: the player, the answers, "3 games" (the text above), the right answers.
  return Format(TrN("%1$s: %2$s answer in %3$s, %4$s right.", "%1$s: %2$s answers in %3$s, %4$s right.",
                    static_cast<std::uint64_t>(shown.All)),
                {name, std::to_string(shown.All), games, std::to_string(shown.Right)});
}

TrndGfx* Block(TobjBase* tile, double x, double y, double w, double h, std::uint32_t colour) {
  return tile->AddPicture(CoreSprite::Set, CoreSprite::White, 0, TTexCoord{}, TPointD{x, y},
                          TPointI{std::max(1, static_cast<std::int32_t>(std::lround(w))),
                                  std::max(1, static_cast<std::int32_t>(std::lround(h)))},
                          colour, 255);
}

TrndText* Text(TobjBase* tile, double x, double y, std::int32_t w, std::int32_t h, const std::string& text,
               std::int32_t size, bool centred, bool wrap, std::uint32_t colour) {
  TrndText* item = tile->AddText();
  item->RelX = x;
  item->RelY = y;
  item->Width = w;
  item->Height = h;
  item->SetColor(colour);
  item->SetText(text, size, true, true, wrap, centred, true);
  return item;
}

// The skill's picture, drawn from the same marks as the report's.
void DrawPicture(TobjBase* tile, TSkill skill, double x0, double y0, bool played) {
  const double k = PictureSize / 100.0;
  Block(tile, x0, y0, PictureSize, PictureSize, PictureGround);
  for (const TPictureMark& m : SkillPicture(skill)) {
    // A skill not played yet shows its picture greyed.
    const std::uint32_t colour = played ? m.Colour : (m.Colour == 0 ? 0 : 0x606880);
    switch (m.Kind) {
      case TPictureMark::Box:
        Block(tile, x0 + m.X1 * k, y0 + m.Y1 * k, (m.X2 - m.X1) * k, (m.Y2 - m.Y1) * k, colour);
        break;
      case TPictureMark::Line: {
        TrndGfx* line = Block(tile, x0, y0, 1, 1, colour);
        const double dx = m.X2 - m.X1;
        const double dy = m.Y2 - m.Y1;
        const double len = std::max(std::hypot(dx, dy), 1e-9);
        const double nx = -dy / len * m.Width * k / 2;
        const double ny = dx / len * m.Width * k / 2;
        line->DrawMode = 4;
        line->RelX = x0;
        line->RelY = y0;
        line->SetCorner(0, TPointD{m.X1 * k + nx, m.Y1 * k + ny});
        line->SetCorner(1, TPointD{m.X2 * k + nx, m.Y2 * k + ny});
        line->SetCorner(2, TPointD{m.X2 * k - nx, m.Y2 * k - ny});
        line->SetCorner(3, TPointD{m.X1 * k - nx, m.Y1 * k - ny});
        break;
      }
      case TPictureMark::Dot: {
        const double r = m.Width * k;
        Block(tile, x0 + m.X1 * k - r, y0 + m.Y1 * k - r, 2 * r, 2 * r, colour);
        break;
      }
      case TPictureMark::Label: {
        const std::int32_t size = m.Text.size() > 4 ? 6 : 10;
        Text(tile, x0 + m.X1 * k - 32, y0 + m.Y1 * k - 8, 64, 16, m.Text, size, true, false, colour);
        break;
      }
    }
  }
}

}  // namespace

TfrmProgress::TfrmProgress(TsysMainWindow* owner, TsysInterface* iface)
    : TsysForm(owner, iface, grProgress, sidProgress, true) {
  EventMask |= ekGame;
}

void TfrmProgress::BuildScreen() {
  TsysObjects* objects = Objects();
  TsysResources* res = Resources();
  const std::string name = res->GetActiveProfile().Name;
  if (res->Progress) Shown = Summarise(res->Progress->Answers(CodePageToUtf8(name)));

  Panel = frm::Panel(objects, Group, 12, 8, Layer, 1000, 752, 245);
  Title = frm::Label(objects, Group, 12, 14, Layer, 1000, 36, Tr("PROGRESS"), 16, false);
  Summary = frm::Label(objects, Group, 12, 50, Layer, 1000, 24,
                       SummaryLine(name, Shown),
                       10, false);
  if (Shown.All == 0) Summary->Caption->SetText(Format(Tr("%s has not answered any questions yet."), {name}), 10, true, true,
                                                false, true, true);

  // A row for each group: the quadrants and axes, the points, the lines.
  std::array<int, SkillGroupCount> column{};
  for (std::int32_t s = 0; s < SkillCount; ++s) {
    const auto skill = static_cast<TSkill>(s);
    const TSkillGroup group = GroupOf(skill);
    const int c = column[static_cast<std::size_t>(group)]++;
    BuildTile(skill, 30 + c * (TileWidth + 2), 80 + static_cast<int>(group) * (TileHeight + 8));
  }

  Weakest = frm::Label(objects, Group, 30, 606, Layer, 964, 34, WeakestLine(Shown), 10, true);
  Notice = frm::Label(objects, Group, 30, 644, Layer, 964, 40, "", 8, false);
  Notice->Caption->SetText("", 8, true, true, true, true, true);
  Export = frm::Button(objects, Group, 292, 692, Layer, 210, 50, Tr("EXPORT"), 10, ekGame, ExportCode, 0, 0);
  frm::Hint(Export, 0, -90, 210, 88,
            Tr("Write the report of every player (a web page and a spreadsheet file) for the teacher."));
  Back = frm::Button(objects, Group, 522, 692, Layer, 210, 50, Tr("BACK"), 10, ekForm, sidProgress, sidMainMenu, 0);
  EscapeButton = Back;
  Focus->SetFirst(Back);
}

void TfrmProgress::BuildTile(TSkill skill, double x, double y) {
  TsysObjects* objects = Objects();
  frm::Panel(objects, Group, x, y, Layer, static_cast<std::int32_t>(TileWidth), static_cast<std::int32_t>(TileHeight),
             200);
  TobjBase* tile = objects->CreateObject(Group, otStatic, x, y, Layer, static_cast<std::int32_t>(TileWidth),
                                         static_cast<std::int32_t>(TileHeight));
  tile->Space = csScreen;
  tile->MainItem->Visible = false;
  Tiles[static_cast<std::size_t>(skill)] = tile;
  const TSkillStats& s = Shown.Skills[static_cast<std::size_t>(skill)];
  const bool played = s.All > 0;

  // Two lines above the picture; a longer name (in another language) takes
  // smaller letters rather than running into it.
  TrndText* name = Text(tile, 8, 5, static_cast<std::int32_t>(TileWidth) - 16, 28, SkillName(skill), 8, true, true,
                        TextColour);
  for (std::int32_t size : {7, 6})
    if (!name->Segments.empty() && name->Segments.back().Line >= 2) name->SetText(SkillName(skill), size, true, true, true, true, true);
  DrawPicture(tile, skill, 10, 34, played);
  if (played) {
    const std::string right = Format(Tr("%1$s of %2$s right"), {std::to_string(s.Right), std::to_string(s.All)});
    const std::string time = Format(Tr("Median %s"), {SecondsText(s.MedianMs)});
    const std::int32_t size = std::max(right.size(), time.size()) <= 13 ? 8 : 6;
    TrndText* lines = tile->AddText();
    lines->RelX = 82;
    lines->RelY = 46;
    lines->Width = static_cast<std::int32_t>(TileWidth) - 86;
    lines->Height = 40;
    lines->SetColor(TextColour);
    lines->SetPlainLines({right, time}, size, true, true);
  } else {
    Text(tile, 82, 46, static_cast<std::int32_t>(TileWidth) - 86, 40, Tr("Not played yet"), 8, false, true, QuietText);
  }

  // The last ten games: each bar's height is the share right in that game.
  const double slot = (TileWidth - 20) / static_cast<double>(SessionsShown);
  for (std::size_t i = 0; i < SessionsShown; ++i) {
    const double bx = 10 + slot * static_cast<double>(i);
    Block(tile, bx, BarsY, slot - 3, BarsHeight, BarTrack);
    if (i >= s.LastSessions.size()) continue;
    const TSessionMark& mark = s.LastSessions[i];
    const double share = mark.All > 0 ? static_cast<double>(mark.Right) / mark.All : 0;
    const double h = std::round(BarsHeight * share);
    if (h >= 1) Block(tile, bx, BarsY + BarsHeight - h, slot - 3, h, BarFill);
  }
  Text(tile, 8, BarsY + BarsHeight + 2, static_cast<std::int32_t>(TileWidth) - 16, 14,
       played ? Tr("The last ten games") : "", 6, true, false, QuietText);
}

void TfrmProgress::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (Closing || event->Kind != ekGame || event->Code != ExportCode) return;
  ExportReports();
}

void TfrmProgress::ExportReports() {
  TsysResources* res = Resources();
  if (!res->Progress) return;
  const std::string date = IsoLocalTime(std::time(nullptr)).substr(0, 10);
  const std::vector<std::string> written = ::ExportReports(*res->Progress, res->SavePath, date);
  std::string text;
  if (written.size() < 2) {
    text = Format(Tr("The report could not be written in %s."), {res->SavePath});
  } else {
    const std::string html = written[0].substr(written[0].rfind('/') + 1);
    const std::string csv = written[1].substr(written[1].rfind('/') + 1);
    bool offered = false;
    for (const std::string& path : written) offered = OfferFile(path) || offered;
    text = offered ? Format(Tr("The report is offered as two downloads: %1$s (a web page) and %2$s (for a spreadsheet)."),
                            {html, csv})
                   : Format(Tr("The report is saved in %1$s as %2$s (a web page) and %3$s (for a spreadsheet)."),
                            {res->SavePath, html, csv});
  }
  Notice->Caption->SetText(text, 8, true, true, true, true, true);
}
