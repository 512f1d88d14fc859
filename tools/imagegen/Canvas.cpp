#include "tools/imagegen/Canvas.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace imagegen {
namespace {

double Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
Point Minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

// How much of a pixel a shape covers, judged from the distance of the pixel's centre to the edge:
// a one-pixel ramp across the edge, which is exact enough for straight and gently curved edges.
double Coverage(const Shape& shape, Point centre) {
    return std::clamp(0.5 - shape(centre), 0.0, 1.0);
}

std::uint8_t ToByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

} // namespace

Shape Circle(Point centre, double radius) {
    return [=](Point p) { return std::hypot(p.x - centre.x, p.y - centre.y) - radius; };
}

Shape RoundedRect(double x0, double y0, double x1, double y1, double radius) {
    const Point centre{(x0 + x1) / 2, (y0 + y1) / 2};
    const Point inner{(x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius};
    return [=](Point p) {
        const double qx = std::abs(p.x - centre.x) - inner.x;
        const double qy = std::abs(p.y - centre.y) - inner.y;
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Segment(Point from, Point to, double width) {
    const Point along = Minus(to, from);
    const double lengthSquared = Dot(along, along);
    return [=](Point p) {
        const Point w = Minus(p, from);
        const double t = lengthSquared > 0 ? std::clamp(Dot(w, along) / lengthSquared, 0.0, 1.0) : 0.0;
        return std::hypot(w.x - along.x * t, w.y - along.y * t) - width / 2;
    };
}

Shape Polygon(std::vector<Point> points) {
    if (points.size() < 3) return [](Point) { return 1e9; };
    return [pts = std::move(points)](Point p) {
        double nearest = Dot(Minus(p, pts[0]), Minus(p, pts[0]));
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Point edge = Minus(pts[j], pts[i]);
            const Point w = Minus(p, pts[i]);
            const double t = std::clamp(Dot(w, edge) / Dot(edge, edge), 0.0, 1.0);
            const Point off{w.x - edge.x * t, w.y - edge.y * t};
            nearest = std::min(nearest, Dot(off, off));
            // A crossing of the horizontal ray through p flips inside and outside.
            const bool above = p.y >= pts[i].y;
            const bool below = p.y < pts[j].y;
            const bool left = edge.x * w.y > edge.y * w.x;
            if ((above && below && left) || (!above && !below && !left)) inside = !inside;
        }
        return (inside ? -1.0 : 1.0) * std::sqrt(nearest);
    };
}

Shape Unite(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](Point p) { return std::min(a(p), b(p)); };
}

Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](Point p) { return std::max(a(p), b(p)); };
}

Shape Subtract(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](Point p) { return std::max(a(p), -b(p)); };
}

Shape Grow(Shape s, double by) {
    return [s = std::move(s), by](Point p) { return s(p) - by; };
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas sides must be positive");
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

Rgba Canvas::Pixel(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::Clear(Rgba colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Canvas::FillRect(int x, int y, int width, int height, Rgba colour) {
    const int left = std::max(x, 0), right = std::min(x + width, width_);
    const int top = std::max(y, 0), bottom = std::min(y + height, height_);
    for (int row = top; row < bottom; ++row)
        for (int col = left; col < right; ++col)
            pixels_[static_cast<std::size_t>(row) * width_ + col] = colour;
}

void Canvas::Fill(const Shape& shape, Rgba colour) {
    Fill(shape, [colour](Point) { return colour; });
}

void Canvas::Fill(const Shape& shape, const std::function<Rgba(Point)>& paint) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const Point centre{x + 0.5, y + 0.5};
            const double coverage = Coverage(shape, centre);
            if (coverage > 0) Blend(x, y, paint(centre), coverage);
        }
}

// Source-over in straight alpha. A fully covered opaque source replaces the pixel exactly, so a
// shape's inside carries precisely the colour asked for.
void Canvas::Blend(int x, int y, Rgba colour, double coverage) {
    Rgba& dst = pixels_[static_cast<std::size_t>(y) * width_ + x];
    const double sa = coverage * colour.a / 255.0;
    if (sa >= 1.0) {
        dst = colour;
        return;
    }
    const double da = dst.a / 255.0;
    const double outA = sa + da * (1 - sa);
    if (outA <= 0) return;
    const auto mix = [&](std::uint8_t s, std::uint8_t d) {
        return ToByte((s * sa + d * da * (1 - sa)) / outA);
    };
    dst = {mix(colour.r, dst.r), mix(colour.g, dst.g), mix(colour.b, dst.b), ToByte(outA * 255)};
}

} // namespace imagegen
