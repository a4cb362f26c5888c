#pragma once
// Building blocks the menu screens share: labels, panels and buttons set up the
// way every screen uses them.
#include <cstdint>
#include <string>

class TsysObjects;
class TobjBase;
class TobjLabel;
class TobjButton;

namespace frm {

// A label whose caption is set bold, shadowed and centred both ways.
TobjLabel* Label(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, const std::string& text, std::int32_t size, bool framed);
// A framed label with an empty caption, at the given opacity.
TobjLabel* Panel(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                 std::int32_t h, std::int32_t alpha);
// A menu button with its caption and action (kind 0: none).
TobjButton* Button(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                   std::int32_t h, const std::string& caption, std::int32_t size, std::int32_t kind,
                   std::uint16_t code, std::intptr_t param, std::int32_t value);
// Gives a button a hint box of w x h at (hx, hy) with the text inset (20, 10) at size 8.
void Hint(TobjButton* button, double hx, double hy, std::int32_t w, std::int32_t h, const std::string& text);
// A screen-space picture object showing one whole image.
TobjBase* Picture(TsysObjects* objects, std::int32_t group, double x, double y, double layer, std::int32_t w,
                  std::int32_t h, std::int32_t imageSet, std::int32_t imageIndex);

}  // namespace frm
