#pragma once
// The on-screen object: a position, a size, a drawing layer and its render items.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/sysEventComponent.h"
#include "render/rndItems.h"

class TsysResources;

enum TObjectType : std::int32_t {
  otStatic = 0,
  otMap = 1,
  otGridPoint = 2,
  otMonster = 3,
  otEffect = 4,
  otSpark = 5,
  otLabel = 6,
  otHintLabel = 7,
  otButton = 8,
  otListbox = 9,
  otTextbox = 10,
  otGroupButton = 11,
  otCheckbox = 12,
  otMinimap = 13,
  otPushButton = 14,
  otSlider = 15,
  otNumber = 16,
  otHintLabelButton = 17,
};
constexpr std::int32_t ObjectTypeCount = 18;
const char* ObjectTypeName(std::int32_t type);
// 0 for world objects, 1 for interface objects.
std::int32_t ObjectTypeCategory(std::int32_t type);

enum TCoordSpace : std::uint8_t { csScreen = 1, csWorld = 2 };

struct TPointI {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

class TobjBase : public TsysEventComponent {
 public:
  TobjBase(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
           double layer, std::int32_t width, std::int32_t height);
  ~TobjBase() override;

  // Kind 0 a picture item, 1 a text item; Preset 0 picture, 1 text.
  TrndGfx* AddItem(int kind, int preset);
  TrndText* AddText() { return static_cast<TrndText*>(AddItem(1, 1)); }
  TrndGfx* AddPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                      const TTexCoord& texCoord, TPointD relPos, TPointI size, std::uint32_t color,
                      std::int32_t alpha);
  std::int32_t ItemCount() const { return static_cast<std::int32_t>(Items.size()); }
  TrndGfx* Item(std::int32_t i) const;
  void SortItems();
  void DeleteItem(std::int32_t i);
  void RemoveItem(TrndGfx* item);
  void ClearItems();

  double GetX() const { return X; }
  double GetY() const { return Y; }
  void SetX(double x) { X = x; }
  void SetY(double y) { Y = y; }
  double GetLayer() const { return Layer; }
  void SetVisible(bool visible) { Visible = visible; }
  void SetAlpha(std::int32_t alpha);
  void SetColor(std::uint32_t color);
  // True when the screen point lies inside the object's frame, edges included.
  bool Contains(double x, double y) const {
    return X <= x && x <= X + Width && Y <= y && y <= Y + Height;
  }
  // Drops the look of the pointer resting on it: the keys have moved the focus
  // to another control, and one control is marked at a time.
  virtual void Unhover() {}

  TsysResources* Resources;
  std::int32_t Index = 0;
  std::int32_t Group;
  std::int32_t ObjType;
  // Drawn fields: a change marks the scene changed (core/rndDrawn.h).
  TDrawn<bool> Visible = true;
  TDrawn<std::uint8_t> Space = csWorld;
  TDrawn<double> X;
  TDrawn<double> Y;
  double Layer;  // fixed at creation: the manager files the object by it
  TDrawn<std::int32_t> Width;
  TDrawn<std::int32_t> Height;
  std::uint32_t Color = 0;
  std::int32_t Alpha = 0;
  std::vector<std::unique_ptr<TrndGfx>> Items;
  TrndGfx* MainItem = nullptr;
};
