#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace imagegen {

// One pixel, 8 bits per channel, straight (not premultiplied) alpha.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// A point in canvas coordinates: pixel (x, y) covers [x, x + 1) × [y, y + 1).
struct Point {
    double x = 0, y = 0;
};

// Signed distance in pixels from a point to a shape's edge: negative inside, positive outside.
using Shape = std::function<double(Point)>;

// A disc.
Shape Circle(Point centre, double radius);
// An axis-aligned rectangle from (x0, y0) to (x1, y1) with corners rounded by `radius` (0 for sharp).
Shape RoundedRect(double x0, double y0, double x1, double y1, double radius);
// A stroke of the given width along a segment, with round caps.
Shape Segment(Point from, Point to, double width);
// A closed polygon (even-odd rule); nothing for fewer than three points.
Shape Polygon(std::vector<Point> points);
// Points inside either shape.
Shape Unite(Shape a, Shape b);
// Points inside both shapes.
Shape Intersect(Shape a, Shape b);
// Points inside `a` and outside `b`.
Shape Subtract(Shape a, Shape b);
// The shape grown outwards by `by` pixels (shrunk for a negative value).
Shape Grow(Shape s, double by);

// An RGBA image being drawn, transparent when made.
class Canvas {
public:
    // A transparent canvas; both sides must be positive.
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel at (x, y), counted from the top-left; the point must lie on the canvas.
    Rgba Pixel(int x, int y) const;
    // Rows from the top, each `Width()` pixels.
    const std::vector<Rgba>& Pixels() const { return pixels_; }

    // Replaces every pixel with the colour.
    void Clear(Rgba colour);
    // Replaces the pixels of a rectangle (clipped to the canvas) without blending or anti-aliasing.
    void FillRect(int x, int y, int width, int height, Rgba colour);
    // Paints the colour over the shape, blending its anti-aliased edge over what is there.
    void Fill(const Shape& shape, Rgba colour);
    // As above with a colour that depends on the pixel's centre (gradients).
    void Fill(const Shape& shape, const std::function<Rgba(Point)>& paint);

private:
    void Blend(int x, int y, Rgba colour, double coverage);

    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

} // namespace imagegen
