// The widget gallery: every widget in each of its looks on one 1024 x 768 frame,
// drawn by the real SDL device with the real art and written as
// build/widget-gallery.png for people to look at. Skipped while the art is missing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/sysEventHandler.h"
#include "data/sysImages.h"
#include "data/sysResources.h"
#include "tables/defColours.h"
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabel.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objNumber.h"
#include "objects/objPushButton.h"
#include "objects/objSheet.h"
#include "objects/objSlider.h"
#include "objects/objText.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"

namespace {

constexpr std::int32_t GalleryGroup = 1;
constexpr double Column[5] = {140, 316, 492, 668, 844};
constexpr std::int32_t CellWidth = 168;

// Delivers one event to one widget only, so that several widgets can show a
// hovered or pressed look at once (through the bus they would all see one pointer).
void Send(TobjBase* widget, std::int32_t kind, std::uint16_t code, double x, double y) {
  TsysEvent e;
  e.Kind = kind;
  e.Code = code;
  e.Param = static_cast<std::intptr_t>(x);
  e.Value = static_cast<std::int32_t>(y);
  widget->HandleEvent(&e);
}

void Mouse(TobjBase* widget, std::uint16_t code, double x, double y) { Send(widget, ekMouse, code, x, y); }

void Typed(TobjText* box, const std::string& text) {
  for (char c : text) Send(box, ekKeys, 6, static_cast<unsigned char>(c), 0);
}

class TGallery {
 public:
  struct TArt {
    bool ChallengeSheet = false;
    bool PowerUpIcons = false;
  };
  TGallery(TsysObjects* objects, TArt art) : Objects(objects), Art(art) {}

  template <class T>
  T* Make(std::int32_t type, double x, double y, std::int32_t w, std::int32_t h, double layer = 3) {
    return Objects->Create<T>(GalleryGroup, type, x, y, layer, w, h);
  }

  // A small white note under a cell, naming what it shows.
  void Note(double x, double y, const std::string& text, std::int32_t width = CellWidth) {
    auto* label = Make<TobjLabel>(otLabel, x, y, width, 12, 6);
    label->Caption->SetText(text, 7, false, true, false, false, false);
  }
  void RowTitle(double y, const std::string& text) {
    auto* label = Make<TobjLabel>(otLabel, 10, y, 124, 30, 6);
    label->Caption->SetTextAt(text, 8, true, true, false, false, true, TPointD{2, 0});
  }

  void Build() {
    auto* panel = Make<TobjLabel>(otLabel, 4, 4, 1016, 760, 1);
    panel->SetFramed(true);
    panel->SetAlpha(255);
    auto* title = Make<TobjLabel>(otLabel, 4, 10, 1016, 24, 6);
    title->Caption->SetText("WIDGET GALLERY", 16, true, true, false, true, true);
    const char* heads[5] = {"NORMAL", "HOVERED", "PRESSED", "SELECTED / ON", "DISABLED / OTHER"};
    for (int c = 0; c < 5; ++c) {
      auto* head = Make<TobjLabel>(otLabel, Column[c], 38, CellWidth, 22, 6);
      head->Caption->SetText(heads[c], 8, true, true, false, true, true);
      head->SetFramed(true);
      head->SetColor(GameTypeColours[2]);
    }
    Buttons(70);
    Groups(142);
    CheckBoxes(196);
    Sliders(250);
    TextBoxes(306);
    PushButtons(362);
    Tiles(434);
    Lists(566);
  }

  void Buttons(double y) {
    RowTitle(y + 10, "Button");
    TobjButton* b[5];
    for (int c = 0; c < 5; ++c) {
      b[c] = Make<TobjButton>(otButton, Column[c], y, CellWidth, 50);
      b[c]->Caption->SetText(c == 4 ? "FADED" : "PLAY", 10, true, true, false, true, true);
    }
    Mouse(b[1], 1, Column[1] + 80, y + 20);
    Mouse(b[2], 1, Column[2] + 80, y + 20);
    Mouse(b[2], 2, Column[2] + 80, y + 20);
    b[3]->SetColor(GameTypeColours[0]);
    b[3]->Caption->SetText("ORANGE", 10, true, true, false, true, true);
    b[4]->SetButtonAlpha(96);
    Note(Column[0], y + 52, "menu button");
    Note(Column[1], y + 52, "pointer over it");
    Note(Column[2], y + 52, "held: 1 px down-right");
    Note(Column[3], y + 52, "retinted 0xFFA340");
    Note(Column[4], y + 52, "SetButtonAlpha(96)");
  }

  void Groups(double y) {
    RowTitle(y, "GroupButton");
    auto* group = Make<TobjGroupButton>(otGroupButton, Column[0], y, 10, 10);
    const char* names[4] = {"EASY", "MEDIUM", "HARD", "CRAZY"};
    for (int i = 0; i < 4; ++i) group->AddEntry(static_cast<std::int32_t>(Column[i] - Column[0]), 0, CellWidth, 30, names[i]);
    // The controls' colour, and one entry retinted in a game type's.
    group->SetEntryColor(3, GameTypeColours[1]);
    group->SetSelected(3);
    // Hover entry 2, press it, then hover entry 1: 2 keeps its press, 1 shows hovered.
    Mouse(group, 1, Column[2] + 50, y + 10);
    Mouse(group, 2, Column[2] + 50, y + 10);
    Mouse(group, 1, Column[1] + 50, y + 10);
    Note(Column[0], y + 34, "entry");
    Note(Column[1], y + 34, "entry, pointer over it");
    Note(Column[2], y + 34, "entry held down");
    Note(Column[3], y + 34, "selected, 0xF070F0");
    auto* lone = Make<TobjGroupButton>(otGroupButton, Column[4], y, 10, 10);
    lone->AddEntry(0, 0, CellWidth, 30, "<b>MARK</b>-UP");
    Note(Column[4], y + 34, "caption with mark-up");
  }

  void CheckBoxes(double y) {
    RowTitle(y, "Checkbox");
    const char* captions[5] = {"Fullscreen", "Antialiasing", "Blending", "Show Framerate", "Music"};
    TobjCheckBox* box[5];
    for (int c = 0; c < 5; ++c) {
      box[c] = Make<TobjCheckBox>(otCheckbox, Column[c], y, CellWidth, 30);
      box[c]->CheckCaption->SetPlainText(captions[c]);
    }
    Mouse(box[1], 1, Column[1] + 10, y + 10);
    Mouse(box[2], 1, Column[2] + 10, y + 10);
    Mouse(box[2], 3, Column[2] + 10, y + 10);
    box[3]->SetChecked(true);
    box[4]->SetChecked(true);
    box[4]->SetColor(GameTypeColours[2]);
    Note(Column[0], y + 32, "unchecked");
    Note(Column[1], y + 32, "pointer over it");
    Note(Column[2], y + 32, "clicked: checked");
    Note(Column[3], y + 32, "SetChecked(true)");
    Note(Column[4], y + 32, "retinted 0xC08CFF");
  }

  void Sliders(double y) {
    RowTitle(y, "Slider");
    const std::int32_t w = 120;
    TobjSlider* s[4];
    for (int c = 0; c < 4; ++c) {
      s[c] = Make<TobjSlider>(otSlider, Column[c], y, w, 30);
      s[c]->SetRange(0, 100);
      s[c]->SetValue(30 + 15 * c);
    }
    const double kx1 = Column[1] + s[1]->Knob->RelX + 9;
    Mouse(s[1], 1, kx1, y + 15);
    const double kx2 = Column[2] + s[2]->Knob->RelX + 9;
    Mouse(s[2], 1, kx2, y + 15);
    Mouse(s[2], 2, kx2, y + 15);
    Mouse(s[2], 1, kx2 + 20, y + 15);
    s[3]->ValueText->Visible = true;
    Note(Column[0], y + 32, "value 30");
    Note(Column[1], y + 32, "pointer on the knob");
    Note(Column[2], y + 32, "knob dragged");
    Note(Column[3], y + 32, "value text shown");
  }

  void TextBoxes(double y) {
    RowTitle(y, "Textbox");
    TobjText* t[4];
    for (int c = 0; c < 4; ++c) t[c] = Make<TobjText>(otTextbox, Column[c], y, CellWidth, 30);
    Typed(t[0], "Ada");  // keys reach only a focused box: this one stays empty
    t[3]->Focus();
    Typed(t[3], "A name longer than the box");
    t[2]->Focus();
    Typed(t[2], "Ada Lovelace");
    t[1]->Focus();  // the last one focused: the others gave the focus up
    Note(Column[0], y + 32, "empty, not focused");
    Note(Column[1], y + 32, "focused: caret shown");
    Note(Column[2], y + 32, "typed into, focus left");
    Note(Column[3], y + 32, "long text scrolled left");
    auto* number = Make<TobjNumber>(otNumber, Column[4] + CellWidth, y - 6, 10, 31);
    number->SetValue(1024);
    Note(Column[4], y + 32, "Number 1024");
  }

  void PushButtons(double y) {
    RowTitle(y + 8, "PushButton");
    TobjPushButton* p[5];
    for (int c = 0; c < 5; ++c) {
      p[c] = Make<TobjPushButton>(otPushButton, Column[c] + 60, y, 48, 48);
      if (Art.PowerUpIcons) {
        // As the game's power-up buttons: an icon frame, and the glow frame as highlight.
        TTexCoord icon;
        icon.Pattern = 1;
        TTexCoord glow;
        glow.Pattern = 10;
        p[c]->SetPicture(2, 6, 1, icon);
        p[c]->SetHighlightPicture(2, 6, 10, glow);
      } else {
        // No button pictures yet: a square goal icon, and a plain wash as highlight.
        p[c]->SetPicture(3, 4, 0, TTexCoord{0, 58, 112, 54, 54});
        p[c]->SetHighlightPicture(SheetImageSet, SheetImageIndex, 0, SheetTexCoord(Sheet::LabelFill));
      }
      p[c]->MainItem->SetColor(0xFFFFFF);
    }
    Mouse(p[1], 1, Column[1] + 80, y + 20);
    Mouse(p[2], 1, Column[2] + 80, y + 20);
    Mouse(p[2], 2, Column[2] + 80, y + 20);
    p[3]->SetEnabled(false);
    p[4]->SetAction(ekGame, 27, 0, 0);
    p[4]->Press();
    for (int i = 0; i < 36; ++i) p[4]->ProcessEvents();
    Note(Column[0], y + 52, "push button");
    Note(Column[1], y + 52, "pointer over it");
    Note(Column[2], y + 52, "held down");
    Note(Column[3], y + 52, "disabled");
    Note(Column[4], y + 52, "shrinking after use");
  }

  void Tiles(double y) {
    RowTitle(y + 40, "HintLabelButton");
    TobjHintLabelButton* t[3];
    for (int c = 0; c < 3; ++c) {
      t[c] = Make<TobjHintLabelButton>(otHintLabelButton, Column[c] + 24, y, 120, 120, 4);
      t[c]->Caption->Visible = false;
      t[c]->SetFramed(true);
      t[c]->SetTint(GameTypeColours[1]);
      if (Art.ChallengeSheet) {
        t[c]->AddPicture(3, 4, 0, TTexCoord{0, 222, 2, 108, 108}, TPointD{6, 6}, TPointI{108, 108}, 0xFFFFFF, 224);
        t[c]->AddPicture(3, 4, 0, TTexCoord{0, 58, 112, 54, 54}, TPointD{60, 60}, TPointI{54, 54}, 0xFFFFFF, 224);
      }
    }
    Mouse(t[1], 1, Column[1] + 80, y + 60);
    Mouse(t[2], 1, Column[2] + 80, y + 60);
    Mouse(t[2], 2, Column[2] + 80, y + 60);
    Note(Column[0], y + 122, "picture tile");
    Note(Column[1], y + 122, "pointer over it: lit");
    Note(Column[2], y + 122, "held down");

    auto* hint = Make<TobjHintLabel>(otHintLabel, Column[3], y, CellWidth, 30, 5);
    hint->Caption->SetText("HINT LABEL", 10, true, true, false, true, true);
    hint->SetFramed(true);
    hint->SetHint(0, 34, TPointI{2 * CellWidth - 8, 84});
    hint->HintText->SetMarkUpAt("<b>Help</b><r><r>Open the help screen for this Tutorial Level", 8, false, true, true,
                                false, false, TPointD{12, 12});
    Mouse(hint, 1, Column[3] + 20, y + 10);
    for (int i = 0; i < 9; ++i) hint->ProcessEvents();
    Note(Column[3], y + 122, "hint faded in, 9 steps");
  }

  void Lists(double y) {
    RowTitle(y + 20, "Listbox");
    auto* list = Make<TobjListbox>(otListbox, Column[0], y, 2 * CellWidth - 8, 180);
    const char* names[] = {"Ada", "Blaise", "Carl", "Emmy", "Evariste", "Hypatia", "Leonhard", "Sofia"};
    for (const char* n : names) list->AddLine(n);
    list->RebuildList();
    list->SelectLine(2);
    Note(Column[0], y + 182, "lines that fit, line 3 selected", 2 * CellWidth);

    auto* scrolled = Make<TobjListbox>(otListbox, Column[2], y, 2 * CellWidth - 8, 180);
    for (int i = 1; i <= 30; ++i) scrolled->AddLine("Player " + std::to_string(i) + (i == 7 ? " <b>(you)</b>" : ""));
    scrolled->RebuildList();
    scrolled->SelectLine(6);
    // Line 7 half scrolled out of the top: its bar is cut at the list area.
    scrolled->ScrollTo(scrolled->ThumbMin + 19);
    Note(Column[2], y + 182, "30 lines, scrolled: bar cut at the top", 2 * CellWidth);

    auto* label = Make<TobjLabel>(otLabel, Column[4], y, CellWidth, 60);
    label->SetFramed(true);
    label->Caption->SetText("Framed label", 10, true, true, false, false, false);
    label->SetFramed(true);
    Note(Column[4], y + 62, "Label, framed");
    auto* plain = Make<TobjLabel>(otLabel, Column[4], y + 84, CellWidth, 30);
    plain->Caption->SetText("Plain label", 10, true, true, false, false, true);
    Note(Column[4], y + 116, "Label, no frame");
  }

  TsysObjects* Objects;
  TArt Art;
};

bool HaveImage(TsysResources& res, std::int32_t set, std::int32_t index) {
  TImageSet* s = res.ImageSet(set);
  return s != nullptr && s->Image(index) != nullptr;
}

TEST(WidgetGallery, EveryWidgetInEachLookOnOneFrame) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  {
    TplatWindow window;
    ASSERT_TRUE(window.Create(false));
    TsysEventHandler bus;
    TsysInterface iface(&window, &bus, PLOTFRAY_BINARY_DIR);
    TsysResources& res = *iface.Resources;
    res.Settings.Fullscreen = 0;
    TmodGraphics graphics(&window, &iface, [&window]() -> std::unique_ptr<TrndDevice> {
      return TplatDevice::Create(&window, true, true);
    });
    ASSERT_TRUE(graphics.Initialise());
    res.SetDevice(graphics.GetDevice());
    bus.Register(iface.Objects.get());
    for (const char* name : {"core", "screens", "sprites", "interfaces"})
      res.LoadArchive(std::string(PLOTFRAY_DATA_DIR) + name + ".asdb");
    if (!HaveImage(res, 0, 2) || !HaveImage(res, 3, 0)) {
      iface.Objects->DeleteAll();
      graphics.Finalise();
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      GTEST_SKIP() << "the font sheet or the widget sheet is not in the data yet";
    }
    // The lower menu backdrop quarters behind the widgets (the upper ones carry the
    // game's name, which would show through the panel).
    if (HaveImage(res, 1, 3)) {
      for (int q = 0; q < 4; ++q) {
        TobjBase* quarter = iface.Objects->CreateObject(GalleryGroup, otStatic, (q % 2) * 512, (q / 2) * 384, 0, 512, 384);
        quarter->Space = csScreen;
        quarter->MainItem->SetImage(1, 2 + q % 2, 0);
      }
    }
    TGallery gallery(iface.Objects.get(), TGallery::TArt{HaveImage(res, 3, 4), HaveImage(res, 2, 6)});
    gallery.Build();

    graphics.RenderFrame();
    EXPECT_GT(graphics.Frame().size(), 300u) << "every widget drew its pieces";
    const std::string path = std::string(PLOTFRAY_BINARY_DIR) + "widget-gallery.png";
    ASSERT_TRUE(graphics.SaveScreenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 10000u);
    iface.Objects->DeleteAll();
    graphics.Finalise();
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
