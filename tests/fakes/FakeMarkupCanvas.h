#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "markup/core/MarkupCanvas.h"

namespace velmora::test {

// Fixed metrics: the base font is 10 high with an average width of 5; a
// character is 6 wide, or 7 wide and 12 high when bold. Icon 7 is 16 by 16,
// icon 8 32 by 32, bitmap 31 40 by 20; nothing else loads. Every drawing
// call is logged with the text colour and the font weight.
class FakeMarkupCanvas : public MarkupCanvas {
public:
    void SelectFont(const MarkupFont& font) override { font_ = font; }
    MarkupTextMetrics TextMetrics() override { return {Bold() ? 12 : 10, 5}; }
    MarkupSize MeasureText(std::string_view text) override {
        return {static_cast<int>(text.size()) * (Bold() ? 7 : 6), Bold() ? 12 : 10};
    }
    void DrawText(int x, int y, std::string_view text) override {
        Log("text %d,%d '%s' %06X w%d%s%s%s%s", x, y, std::string(text).c_str(), text_,
            font_.weight, font_.italic ? " i" : "", font_.underline ? " u" : "",
            font_.strikeOut ? " s" : "", opaque_ ? " opaque" : "");
    }
    void SetTextColour(ColourRef colour) override { text_ = colour; }
    ColourRef TextColour() const override { return text_; }
    void SetBackColour(ColourRef) override {}
    void SetBackOpaque(bool opaque) override { opaque_ = opaque; }
    void DrawLine(int x, int y, int length, ColourRef colour) override {
        Log("line %d,%d %d %06X", x, y, length, colour);
    }
    MarkupSize IconSize(int id, int cx, int cy) override {
        const int own = id == 7 ? 16 : id == 8 ? 32 : 0;
        return own == 0 ? MarkupSize{} : MarkupSize{cx != 0 ? cx : own, cy != 0 ? cy : own};
    }
    void DrawIcon(int id, int x, int y, MarkupSize s) override {
        Log("icon %d %d,%d %dx%d", id, x, y, s.width, s.height);
    }
    MarkupSize BitmapSize(int id) override { return id == 31 ? MarkupSize{40, 20} : MarkupSize{}; }
    void DrawBitmap(int id, int x, int y, MarkupSize s, std::optional<ColourRef> mask) override {
        Log("bitmap %d %d,%d %dx%d mask %X", id, x, y, s.width, s.height, mask.value_or(0));
    }
    int ImageCount() override { return 0; }
    MarkupSize ImageSize() override { return {}; }
    void DrawImage(int, int, int) override {}

    std::vector<std::string> calls;

private:
    bool Bold() const { return font_.weight > 400; }
    template <typename... Args>
    void Log(const char* format, Args... args) {
        char line[512];
        std::snprintf(line, sizeof line, format, args...);
        calls.emplace_back(line);
    }
    MarkupFont font_;
    ColourRef text_ = 0;
    bool opaque_ = false;
};

}  // namespace velmora::test
