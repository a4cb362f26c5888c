#include "objects/objBase.h"

#include <algorithm>

namespace {

constexpr const char* TypeNames[ObjectTypeCount] = {
    "Static",   "Map",         "Grid Point", "Monster",  "Effect",     "Spark",
    "Label",    "HintLabel",   "Button",     "Listbox",  "Textbox",    "GroupButton",
    "Checkbox", "Minimap",     "PushButton", "Slider",   "Number",     "HintLabelButton",
};

}  // namespace

const char* ObjectTypeName(std::int32_t type) {
  return type >= 0 && type < ObjectTypeCount ? TypeNames[type] : "";
}

std::int32_t ObjectTypeCategory(std::int32_t type) { return type >= otLabel ? 1 : 0; }

TobjBase::TobjBase(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                   double layer, std::int32_t width, std::int32_t height)
    : Resources(resources), Group(group), ObjType(objType), X(x), Y(y), Layer(layer), Width(width),
      Height(height) {
  EventMask = 0;
  MainItem = AddItem(0, 0);
}

TobjBase::~TobjBase() { ClearItems(); }

TrndGfx* TobjBase::AddItem(int kind, int preset) {
  std::unique_ptr<TrndGfx> item;
  if (kind == 1)
    item = std::make_unique<TrndText>(this, Resources);
  else
    item = std::make_unique<TrndGfx>(this, Resources);
  item->ApplyPreset(preset);
  item->Width = Width;
  item->Height = Height;
  Items.push_back(std::move(item));
  return Items.back().get();
}

TrndGfx* TobjBase::AddPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                              const TTexCoord& texCoord, TPointD relPos, TPointI size, std::uint32_t color,
                              std::int32_t alpha) {
  TrndGfx* item = AddItem(0, 0);
  item->SetImage(imageSet, imageIndex, pattern);
  item->TexCoord = texCoord;
  item->TexCoord.Pattern = pattern;
  item->RelX = relPos.X;
  item->RelY = relPos.Y;
  item->Width = size.X;
  item->Height = size.Y;
  item->SetColorAlpha(color, alpha);
  return item;
}

TrndGfx* TobjBase::Item(std::int32_t i) const {
  if (i < 0 || i >= ItemCount()) return nullptr;
  return Items[static_cast<std::size_t>(i)].get();
}

void TobjBase::SortItems() {
  MarkSceneChanged();
  // Stable: an item moves only past items with a strictly greater layer.
  std::stable_sort(Items.begin(), Items.end(),
                   [](const std::unique_ptr<TrndGfx>& a, const std::unique_ptr<TrndGfx>& b) {
                     return a->Layer < b->Layer;
                   });
}

void TobjBase::DeleteItem(std::int32_t i) {
  if (i < 0 || i >= ItemCount() || Items[static_cast<std::size_t>(i)] == nullptr) return;
  if (Items[static_cast<std::size_t>(i)].get() == MainItem) MainItem = nullptr;
  Items.erase(Items.begin() + i);
}

void TobjBase::RemoveItem(TrndGfx* item) {
  for (std::int32_t i = ItemCount() - 1; i >= 0; --i) {
    if (Items[static_cast<std::size_t>(i)].get() == item) {
      if (i != 0) DeleteItem(i);
      return;
    }
  }
}

void TobjBase::ClearItems() {
  while (!Items.empty()) DeleteItem(0);
  MainItem = nullptr;
}

void TobjBase::SetAlpha(std::int32_t alpha) {
  Alpha = alpha;
  for (auto& item : Items) item->SetAlpha(alpha);
}

void TobjBase::SetColor(std::uint32_t color) {
  Color = color;
  for (auto& item : Items)
    if (!item->IsText()) item->SetColor(color);
}
