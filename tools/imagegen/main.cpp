// Draws every image the plug-in carries: the notes icon (126), the search group image (127), the
// settings button (128), the category marks (129 to 164) and the category swatch strip (183).
//
//   imagegen <outdir>
#include "resources/ResourceIds.h"
#include "tools/imagegen/Canvas.h"
#include "tools/imagegen/ImageWriters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

using imagegen::Canvas;
using imagegen::Point;
using imagegen::Rgba;
using imagegen::Shape;

struct Rgb {
    std::uint8_t r, g, b;
};

// The colours each category shows: its swatch in the strip, its map mark and its card mark. The
// centre pixel of each image carries exactly this colour; the rest is shading around it.
struct CategoryColours {
    Rgb swatch;
    Rgb small;
    Rgb large;
};

constexpr std::array<CategoryColours, 18> kCategories{{
    {{255, 56, 56}, {255, 26, 26}, {255, 50, 50}},       // red
    {{255, 204, 53}, {255, 197, 26}, {255, 204, 6}},     // yellow
    {{81, 216, 85}, {58, 211, 62}, {0, 216, 67}},        // green
    {{49, 209, 255}, {26, 204, 255}, {0, 209, 255}},     // light blue
    {{49, 143, 250}, {26, 131, 249}, {0, 142, 254}},     // blue
    {{180, 92, 255}, {167, 63, 255}, {204, 89, 255}},    // violet
    {{255, 147, 68}, {255, 123, 26}, {255, 146, 56}},    // orange
    {{255, 114, 168}, {255, 99, 158}, {255, 112, 169}},  // pink
    {{176, 243, 48}, {171, 242, 33}, {137, 242, 0}},     // apple-green
    {{47, 210, 150}, {28, 206, 141}, {0, 210, 146}},     // emerald
    {{45, 230, 233}, {26, 228, 231}, {0, 231, 234}},     // azure
    {{229, 86, 246}, {225, 59, 245}, {255, 82, 250}},    // fuchsia
    {{247, 251, 255}, {246, 251, 255}, {246, 251, 255}}, // white
    {{172, 172, 172}, {161, 161, 161}, {173, 173, 173}}, // gray
    {{56, 61, 64}, {35, 39, 44}, {48, 54, 59}},          // black
    {{148, 93, 53}, {134, 71, 26}, {164, 90, 42}},       // brown
    {{244, 220, 172}, {242, 215, 161}, {252, 220, 170}}, // creamy
    {{169, 191, 139}, {152, 179, 116}, {160, 191, 135}}, // olive
}};

constexpr int kSwatchWidth = 15;
constexpr int kStripHeight = 16;
// The strip's background is the image list's transparency key, so no swatch pixel may take it.
constexpr Rgba kStripKey{0, 153, 153, 255};

Rgba Opaque(Rgb c) {
    return {c.r, c.g, c.b, 255};
}

Rgba WithAlpha(Rgba c, std::uint8_t alpha) {
    return {c.r, c.g, c.b, alpha};
}

std::uint8_t Channel(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

// `t` = 0 gives `a`, 1 gives `b`.
Rgba Mix(Rgba a, Rgba b, double t) {
    const auto m = [t](std::uint8_t x, std::uint8_t y) { return Channel(x + (y - x) * t); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba Darker(Rgba c, double factor) {
    return {Channel(c.r * factor), Channel(c.g * factor), Channel(c.b * factor), c.a};
}

constexpr Rgba kWhite{255, 255, 255, 255};

// A vertical blend from `top` at y0 to `bottom` at y1.
std::function<Rgba(Point)> VerticalGradient(Rgba top, Rgba bottom, double y0, double y1) {
    return [=](Point p) { return Mix(top, bottom, std::clamp((p.y - y0) / (y1 - y0), 0.0, 1.0)); };
}

// The mark's face: its own colour from the centre row down, lightened a little towards the top so
// the mark reads as a rounded button; the centre pixel keeps the colour exactly.
std::function<Rgba(Point)> MarkFace(Rgba colour, double centreY, double radius) {
    return [=](Point p) {
        const double above = (centreY - 0.5) - p.y;
        return above <= 0 ? colour : Mix(colour, kWhite, 0.28 * std::min(above / radius, 1.0));
    };
}

// A category mark: a darker rim, the face, and a soft highlight up and to the left.
void DrawMark(Canvas& canvas, const Shape& outline, double rim, Rgba colour, Point highlight, double glow) {
    const double centreY = canvas.Height() / 2.0;
    canvas.Fill(outline, Darker(colour, 0.68));
    canvas.Fill(imagegen::Grow(outline, -rim), MarkFace(colour, centreY, centreY - 1));
    canvas.Fill(imagegen::Circle(highlight, glow), WithAlpha(kWhite, 110));
}

// Map marks, 14 × 14: round.
Canvas SmallMark(Rgb colour) {
    Canvas canvas(14, 14);
    DrawMark(canvas, imagegen::Circle({7, 7}, 6.5), 0.9, Opaque(colour), {4.9, 4.6}, 1.5);
    return canvas;
}

// Card and menu marks, 16 × 16: a rounded square.
Canvas LargeMark(Rgb colour) {
    Canvas canvas(16, 16);
    DrawMark(canvas, imagegen::RoundedRect(1, 1, 15, 15, 3.5), 0.9, Opaque(colour), {5.2, 4.9}, 1.6);
    return canvas;
}

// The strip of 18 swatches, 15 pixels apart, each a square with a darker border and clipped corners
// on the key colour. Edges are hard: a blended pixel would neither be the key nor the swatch.
Canvas SwatchStrip() {
    Canvas canvas(kSwatchWidth * static_cast<int>(kCategories.size()), kStripHeight);
    canvas.Clear(kStripKey);
    for (std::size_t n = 0; n < kCategories.size(); ++n) {
        const Rgba face = Opaque(kCategories[n].swatch);
        const Rgba border = Darker(face, 0.7);
        if (face == kStripKey || border == kStripKey) throw std::logic_error("a swatch takes the key colour");
        const int left = kSwatchWidth * static_cast<int>(n) + 1, top = 2, side = 13;
        canvas.FillRect(left + 1, top, side - 2, side, border);
        canvas.FillRect(left, top + 1, side, side - 2, border);
        canvas.FillRect(left + 1, top + 1, side - 2, side - 2, face);
    }
    return canvas;
}

// A yellow note sheet with its bottom-right corner folded over and a few lines of writing.
void DrawNoteSheet(Canvas& canvas, double x0, double y0, double x1, double y1, double fold, int lines) {
    const double scale = (x1 - x0) / 22.0;
    const double edge = std::max(1.0, scale);
    const Shape corner = imagegen::Polygon({{x1 - fold, y1 + 2}, {x1 + 2, y1 - fold}, {x1 + 2, y1 + 2}});
    const Shape sheet = imagegen::Subtract(imagegen::RoundedRect(x0, y0, x1, y1, 2 * scale), corner);
    const Rgba outline{186, 132, 18, 255};

    canvas.Fill(imagegen::Grow(sheet, 0.6 * scale), WithAlpha({0, 0, 0, 255}, 28)); // soft halo
    canvas.Fill(sheet, outline);
    canvas.Fill(imagegen::Grow(sheet, -edge),
                VerticalGradient({255, 242, 168, 255}, {255, 222, 96, 255}, y0, y1));

    const double gap = (y1 - y0 - 6 * scale) / (lines + 1);
    for (int i = 0; i < lines; ++i) {
        const double y = y0 + 5 * scale + gap * i;
        const double right = (i == lines - 1) ? x0 + (x1 - x0) * 0.55 : x1 - 4 * scale;
        canvas.Fill(imagegen::Segment({x0 + 4 * scale, y}, {right, y}, 1.3 * scale), Rgba{196, 150, 52, 255});
    }

    const Shape flap = imagegen::Polygon({{x1 - fold, y1}, {x1, y1 - fold}, {x1 - fold, y1 - fold}});
    canvas.Fill(imagegen::Grow(flap, 0.5 * edge), outline);
    canvas.Fill(imagegen::Grow(flap, -0.5 * edge),
                VerticalGradient({255, 236, 150, 255}, {236, 190, 60, 255}, y1 - fold, y1));
}

// A red push pin's head seen from above.
void DrawPin(Canvas& canvas, Point centre, double radius) {
    canvas.Fill(imagegen::Circle({centre.x + 0.6, centre.y + 0.9}, radius), Rgba{0, 0, 0, 60});
    canvas.Fill(imagegen::Circle(centre, radius), Rgba{150, 20, 24, 255});
    canvas.Fill(imagegen::Circle(centre, radius - 1), VerticalGradient({255, 96, 90, 255}, {205, 30, 34, 255},
                                                                       centre.y - radius, centre.y + radius));
    canvas.Fill(imagegen::Circle({centre.x - radius * 0.35, centre.y - radius * 0.4}, radius * 0.3),
                WithAlpha(kWhite, 190));
}

// A magnifying glass whose lens is centred on `centre`, handle towards the bottom right.
void DrawMagnifier(Canvas& canvas, Point centre, double radius) {
    const Rgba metal{62, 72, 88, 255};
    const double ring = radius * 0.3;
    const double reach = radius + ring / 2;
    const Point handleFrom{centre.x + reach * 0.68, centre.y + reach * 0.68};
    const Point handleTo{centre.x + radius * 1.65, centre.y + radius * 1.65};
    canvas.Fill(imagegen::Segment(handleFrom, handleTo, ring * 1.6), metal);
    canvas.Fill(imagegen::Circle(centre, radius), Rgba{205, 232, 255, 170});
    canvas.Fill(imagegen::Subtract(imagegen::Circle(centre, reach), imagegen::Circle(centre, radius)), metal);
    canvas.Fill(imagegen::Segment({centre.x - radius * 0.5, centre.y - radius * 0.2},
                                  {centre.x - radius * 0.2, centre.y - radius * 0.5}, ring * 0.6),
                WithAlpha(kWhite, 200));
}

// A gear wheel with `teeth` teeth; the hub is left open.
void DrawGear(Canvas& canvas, Point centre, double radius, int teeth) {
    const double body = radius * 0.74;
    Shape gear = imagegen::Circle(centre, body);
    for (int i = 0; i < teeth; ++i) {
        const double a = 2 * std::numbers::pi * i / teeth;
        const double baseHalf = std::numbers::pi / teeth * 0.62, tipHalf = std::numbers::pi / teeth * 0.44;
        const auto at = [&](double angle, double r) {
            return Point{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
        };
        const double tipR = radius - 0.8;
        gear = imagegen::Unite(
            gear, imagegen::Grow(imagegen::Polygon({at(a - baseHalf, body - 1), at(a - tipHalf, tipR),
                                                    at(a + tipHalf, tipR), at(a + baseHalf, body - 1)}),
                                 0.8));
    }
    const Shape hub = imagegen::Circle(centre, radius * 0.3);
    const double edge = std::max(1.0, radius / 12);
    canvas.Fill(imagegen::Subtract(imagegen::Grow(gear, 1.0), imagegen::Grow(hub, -1.0)), Rgba{0, 0, 0, 40});
    canvas.Fill(imagegen::Subtract(gear, hub), Rgba{52, 60, 74, 255});
    canvas.Fill(
        imagegen::Subtract(imagegen::Grow(gear, -edge), imagegen::Grow(hub, edge)),
        VerticalGradient({176, 186, 200, 255}, {104, 116, 134, 255}, centre.y - radius, centre.y + radius));
}

Canvas NotesIcon() {
    Canvas canvas(32, 32);
    DrawNoteSheet(canvas, 5, 5, 27, 30, 7, 4);
    DrawPin(canvas, {16, 6}, 4);
    return canvas;
}

Canvas SearchGroupImage() {
    Canvas canvas(48, 48);
    DrawNoteSheet(canvas, 5, 4, 35, 42, 9, 5);
    DrawPin(canvas, {20, 5.5}, 4.5);
    DrawMagnifier(canvas, {30, 29}, 7.5);
    return canvas;
}

Canvas SettingsButton() {
    Canvas canvas(90, 60);
    DrawNoteSheet(canvas, 22, 7, 58, 54, 11, 5);
    DrawPin(canvas, {40, 8}, 5.5);
    DrawGear(canvas, {61, 40}, 15, 8);
    return canvas;
}

void Png(const Canvas& canvas, const std::filesystem::path& dir, int id) {
    imagegen::WritePng(canvas, dir / (std::to_string(id) + ".png"));
}

void DrawAll(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());

    Png(NotesIcon(), dir, IDP_NOTES_ICON);
    Png(SearchGroupImage(), dir, IDP_SEARCH_GROUP_IMAGE);
    Png(SettingsButton(), dir, IDP_SETTINGS_BUTTON);
    for (std::size_t n = 0; n < kCategories.size(); ++n) {
        Png(SmallMark(kCategories[n].small), dir, IDP_FIRST_SMALL_MARK + static_cast<int>(n));
        Png(LargeMark(kCategories[n].large), dir, IDP_FIRST_LARGE_MARK + static_cast<int>(n));
    }
    imagegen::WriteBmp(SwatchStrip(), dir / (std::to_string(IDB_SWATCHES) + ".bmp"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: imagegen <outdir>\n");
        return 2;
    }
    try {
        DrawAll(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "imagegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
