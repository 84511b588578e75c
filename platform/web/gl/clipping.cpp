// Clipping against GL's user clip planes, which WebGL lacks: segments and
// convex polygons are cut where a plane's distance changes sign, their
// window position and colour taken in proportion (the pictures that clip
// are drawn with parallel projections, where window position follows eye
// position linearly).
#include "fixed_function.hpp"

namespace vibsim::web {

namespace {

float mix(float a, float b, float t) { return a + t * (b - a); }

// The point at fraction t of the way from a to b.
Vertex between(const Vertex& a, const Vertex& b, float t)
{
    Vertex v;
    v.point = {mix(a.point.x, b.point.x, t), mix(a.point.y, b.point.y, t)};
    v.colour = {mix(a.colour.r, b.colour.r, t), mix(a.colour.g, b.colour.g, t), mix(a.colour.b, b.colour.b, t),
                mix(a.colour.a, b.colour.a, t)};
    for (int i = 0; i < clip_plane_count; ++i) v.distance[i] = mix(a.distance[i], b.distance[i], t);
    return v;
}

}  // namespace

bool clip_segment(Vertex& a, Vertex& b)
{
    for (int i = 0; i < clip_plane_count; ++i) {
        const float da = a.distance[i];
        const float db = b.distance[i];
        if (da < 0.0f && db < 0.0f) return false;
        if (da < 0.0f) a = between(a, b, da / (da - db));
        if (db < 0.0f) b = between(b, a, db / (db - da));
    }
    return true;
}

void clip_polygon(std::vector<Vertex>& polygon)
{
    const bool* enabled = gl_state().clip_enabled;
    for (int i = 0; i < clip_plane_count && !polygon.empty(); ++i) {
        if (!enabled[i]) continue;  // every distance is 0
        bool cut = false;
        for (const Vertex& v : polygon) cut = cut || v.distance[i] < 0.0f;
        if (!cut) continue;
        std::vector<Vertex> kept;
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            const Vertex& a = polygon[k];
            const Vertex& b = polygon[(k + 1) % polygon.size()];
            const float da = a.distance[i];
            const float db = b.distance[i];
            if (da >= 0.0f) kept.push_back(a);
            if ((da >= 0.0f) != (db >= 0.0f)) kept.push_back(between(a, b, da / (da - db)));
        }
        polygon.swap(kept);
    }
}

}  // namespace vibsim::web
