#!/usr/bin/env python3
"""Draws Kestrum's pictures into resources/images/.

  charging.bmp    battery with a bolt, mains plug and cable across it
  charge_off.bmp  the same with a red prohibition sign over the bolt
  no_battery.bmp  mains plug and cable alone
  on_battery.bmp  tall battery whose bolt fades from yellow to white
  kestrum.ico     glossy red button with a white battery holding four charge
                  bars; 256/48/32/24/16 px at 16 colours, 256 colours and
                  32-bit alpha

Regenerate after changing a drawing:   python3 tools/draw_resources.py
The build runs                         python3 tools/draw_resources.py --check
which renders in memory and fails when a committed file is stale.

Standard library only. Output must be byte-identical from run to run and from
machine to machine, so the drawing code sticks to +, -, *, / and sqrt (all
exactly rounded in IEEE arithmetic) and never uses sum() on floats, whose
summation order changed between Python versions. The one outside dependency
is zlib's deflate for the PNG-compressed 256 px icon images: a different
deflate implementation (zlib-ng, say) would make --check report a difference
even though the pictures decode the same.
"""

import argparse
import math
import struct
import sys
import zlib
from pathlib import Path

OUT_DIR = Path(__file__).resolve().parent.parent / "resources" / "images"


# ---------------------------------------------------------------------------
# Small numeric helpers


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(t):
    t = clamp(t)
    return t * t * (3.0 - 2.0 * t)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def ramp(stops, t):
    """Piecewise-linear colour ramp over (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


# ---------------------------------------------------------------------------
# Shapes as signed distance fields in pixel units (negative inside). Edges are
# anti-aliased from the distance itself, which keeps most pixels to a single
# evaluation; only pixels straddling an edge are supersampled.


class Shape:
    def __init__(self, dist, box):
        self.dist = dist
        self.box = box  # x0, y0, x1, y1; nothing is drawn outside it

    def __or__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _box_union(self.box, other.box))

    def __and__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _box_meet(self.box, other.box))

    def __sub__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def grow(self, r):
        a = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: a(x, y) - r, (x0 - r, y0 - r, x1 + r, y1 + r))

    def stroke(self, width):
        a, h = self.dist, width / 2.0
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: abs(a(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))

    def shifted(self, dx, dy):
        a = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: a(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def _box_union(p, q):
    return (min(p[0], q[0]), min(p[1], q[1]), max(p[2], q[2]), max(p[3], q[3]))


def _box_meet(p, q):
    return (max(p[0], q[0]), max(p[1], q[1]), min(p[2], q[2]), min(p[3], q[3]))


def circle(cx, cy, r):
    def d(x, y):
        dx, dy = x - cx, y - cy
        return math.sqrt(dx * dx + dy * dy) - r

    return Shape(d, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    # Close to the true distance near the outline, which is all the
    # anti-aliasing needs.
    def d(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k0 = math.sqrt(px * px + py * py)
        if k0 == 0.0:
            return -min(rx, ry)
        qx, qy = px / rx, py / ry
        k1 = math.sqrt(qx * qx + qy * qy)
        return k0 * (k0 - 1.0) / k1

    return Shape(d, (cx - rx, cy - ry, cx + rx, cy + ry))


def rrect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - r

    return Shape(d, (x0, y0, x1, y1))


def _segment_distance(x, y, ax, ay, bx, by):
    ex, ey = bx - ax, by - ay
    px, py = x - ax, y - ay
    ee = ex * ex + ey * ey
    t = 0.0 if ee == 0.0 else clamp((px * ex + py * ey) / ee)
    dx, dy = px - ex * t, py - ey * t
    return math.sqrt(dx * dx + dy * dy)


def polygon(points):
    n = len(points)
    edges = [(points[i], points[(i + 1) % n]) for i in range(n)]

    def d(x, y):
        best = 1e9
        inside = False
        for (ax, ay), (bx, by) in edges:
            s = _segment_distance(x, y, ax, ay, bx, by)
            if s < best:
                best = s
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(d, (min(xs), min(ys), max(xs), max(ys)))


def polyline(points, width):
    """A stroke of the given width along the points, with round ends."""
    h = width / 2.0
    segs = list(zip(points, points[1:]))

    def d(x, y):
        best = 1e9
        for (ax, ay), (bx, by) in segs:
            s = _segment_distance(x, y, ax, ay, bx, by)
            if s < best:
                best = s
        return best - h

    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(d, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def bezier(p0, p1, p2, steps=16):
    """Points along a quadratic curve, for cables."""
    out = []
    for i in range(steps + 1):
        t = i / steps
        u = 1.0 - t
        out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


def fit(unit_points, x0, y0, x1, y1):
    """Maps points drawn in a unit square onto a box."""
    return [(x0 + (x1 - x0) * u, y0 + (y1 - y0) * v) for u, v in unit_points]


# ---------------------------------------------------------------------------
# Canvas: premultiplied RGBA, colour channels 0..255, alpha 0..1.


class Canvas:
    def __init__(self, width, height, background=None):
        self.w, self.h = width, height
        if background is None:
            self.px = [0.0] * (width * height * 4)
        else:
            r, g, b = background
            self.px = [r, g, b, 1.0] * (width * height)

    def fill(self, shape, paint, opacity=1.0, ss=4, soft=0.0):
        """Paints shape with a colour or a paint(x, y) function returning
        (r, g, b) or (r, g, b, a). soft > 0 blurs the edge over that many
        pixels instead of anti-aliasing it."""
        bx0, by0, bx1, by1 = shape.box
        pad = 1.0 + soft
        ix0 = max(0, int(math.floor(bx0 - pad)))
        iy0 = max(0, int(math.floor(by0 - pad)))
        ix1 = min(self.w, int(math.ceil(bx1 + pad)))
        iy1 = min(self.h, int(math.ceil(by1 + pad)))
        dist = shape.dist
        # Farthest a subsample can be from the pixel centre, plus the half
        # subpixel over which a subsample's own coverage ramps.
        reach = (ss - 1) / (2.0 * ss) * 1.4143 + 0.5 / ss
        offs = [(i + 0.5) / ss - 0.5 for i in range(ss)]
        inv = 1.0 / (ss * ss)
        fixed = None if callable(paint) else paint
        px = self.px
        for py in range(iy0, iy1):
            cy = py + 0.5
            for qx in range(ix0, ix1):
                cx = qx + 0.5
                d = dist(cx, cy)
                if soft:
                    cov = smooth(0.5 - d / soft)
                elif d >= reach:
                    continue
                elif d <= -reach:
                    cov = 1.0
                else:
                    cov = 0.0
                    for oy in offs:
                        for ox in offs:
                            c = 0.5 - dist(cx + ox, cy + oy) * ss
                            if c > 0.0:
                                cov += c if c < 1.0 else 1.0
                    cov *= inv
                if cov <= 0.0:
                    continue
                col = fixed if fixed is not None else paint(cx, cy)
                a = cov * opacity
                if len(col) == 4:
                    a *= col[3]
                if a <= 0.0:
                    continue
                k = (py * self.w + qx) * 4
                keep = 1.0 - a
                px[k] = col[0] * a + px[k] * keep
                px[k + 1] = col[1] * a + px[k + 1] * keep
                px[k + 2] = col[2] * a + px[k + 2] * keep
                px[k + 3] = a + px[k + 3] * keep

    def rgba8(self):
        """Rows top-down of straight (r, g, b, a) 0..255 tuples."""
        rows = []
        px = self.px
        for y in range(self.h):
            row = []
            for x in range(self.w):
                k = (y * self.w + x) * 4
                a = px[k + 3]
                a8 = int(clamp(a) * 255.0 + 0.5)
                if a8 == 0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(int(clamp(px[k + i] / a, 0.0, 255.0) + 0.5) for i in range(3)) + (a8,))
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------
# Status pictures

WHITE = (255.0, 255.0, 255.0)

BATTERY_OUTLINE = (14.0, 26.0, 70.0)
BATTERY_EDGE = (22.0, 44.0, 112.0)
BATTERY_MID = (52.0, 92.0, 184.0)
CAP_LIGHT = (176.0, 186.0, 206.0)
CAP_DARK = (104.0, 116.0, 142.0)

BOLT_TOP = (255.0, 230.0, 60.0)
BOLT_BOTTOM = (255.0, 176.0, 0.0)
BOLT_OUTLINE = (120.0, 70.0, 0.0)

PLUG_LIGHT = (96.0, 200.0, 96.0)
PLUG_DARK = (30.0, 128.0, 48.0)
PLUG_SHADOW = (22.0, 100.0, 38.0)
PLUG_OUTLINE = (12.0, 70.0, 26.0)
CABLE = (36.0, 140.0, 56.0)
PRONG_LIGHT = (236.0, 236.0, 240.0)
PRONG_DARK = (136.0, 140.0, 150.0)

SIGN_LIGHT = (250.0, 60.0, 50.0)
SIGN_DARK = (190.0, 10.0, 16.0)

# A lightning bolt in a unit square, clockwise from its top-left corner.
BOLT = [(0.42, 0.0), (0.90, 0.0), (0.58, 0.40), (0.86, 0.40),
        (0.22, 1.0), (0.40, 0.55), (0.12, 0.55)]


def draw_battery(cv, x0, y0, x1, y1, cap_w, cap_h):
    """Upright battery whose body spans the box; the cap sits above y0."""
    cx = (x0 + x1) / 2.0
    w = x1 - x0
    cap = rrect(cx - cap_w / 2.0, y0 - cap_h, cx + cap_w / 2.0, y0 + 2.0, 1.5)
    cv.fill(cap, BATTERY_OUTLINE)
    cv.fill(cap.grow(-1.0), lambda x, y: ramp([(0.0, CAP_DARK), (0.35, CAP_LIGHT), (1.0, CAP_DARK)],
                                              (x - (cx - cap_w / 2.0)) / cap_w))
    body = rrect(x0, y0, x1, y1, 3.0)
    cv.fill(body, BATTERY_OUTLINE)
    # Cylinder shading: brightest a little left of centre, as if lit from the
    # upper left.
    cv.fill(body.grow(-1.2), lambda x, y: ramp([(0.0, BATTERY_EDGE), (0.38, BATTERY_MID), (1.0, BATTERY_EDGE)],
                                               (x - x0) / w))
    strip = rrect(x0 + w * 0.16, y0 + 3.0, x0 + w * 0.16 + max(2.0, w * 0.1), y1 - 3.0, 1.0)
    cv.fill(strip, lambda x, y: WHITE + (0.42 - 0.22 * (y - y0) / (y1 - y0),))


def draw_bolt(cv, x0, y0, x1, y1, paint, outline=BOLT_OUTLINE, outline_alpha=0.9):
    bolt = polygon(fit(BOLT, x0, y0, x1, y1))
    cv.fill(bolt.grow(1.0), outline, opacity=outline_alpha)
    cv.fill(bolt, paint)


def yellow_bolt(y0, y1):
    return lambda x, y: mix(BOLT_TOP, BOLT_BOTTOM, clamp((y - y0) / (y1 - y0)))


def draw_plug(cv, x, y, s):
    """Mains plug with its prongs pointing right; (x, y) is where the cable
    meets the boot, s scales the whole plug (1.0 is 18 px tall)."""
    def P(u, v):
        return (x + u * s, y + v * s)

    for v in (-5.0, 3.0):
        (ax, ay), (bx, by) = P(20.0, v), P(28.5, v + 2.0)
        prong = rrect(ax, ay, bx, by, 0.6 * s)
        cv.fill(prong, PLUG_OUTLINE)
        cv.fill(prong.grow(-0.8), lambda px, py, ay=ay, by=by:
                mix(PRONG_LIGHT, PRONG_DARK, clamp((py - ay) / (by - ay))))
    boot = polygon([P(0.0, -2.6), P(6.0, -6.5), P(6.0, 6.5), P(0.0, 2.6)])
    (bx0, by0), (bx1, by1) = P(4.0, -9.0), P(21.0, 9.0)
    body = rrect(bx0, by0, bx1, by1, 3.2 * s) | boot
    cv.fill(body, PLUG_OUTLINE)
    shade = [(0.0, PLUG_LIGHT), (0.45, PLUG_DARK), (1.0, PLUG_SHADOW)]
    cv.fill(body.grow(-1.1), lambda px, py: ramp(shade, (py - by0) / (by1 - by0)))
    # Ridge where the face plate meets the grip.
    (rx0, ry0), (rx1, ry1) = P(17.0, -7.6), P(18.2, 7.6)
    cv.fill(rrect(rx0, ry0, rx1, ry1, 0.5), PLUG_OUTLINE, opacity=0.55)
    (hx0, hy0), (hx1, hy1) = P(7.0, -7.4), P(16.0, -5.6)
    cv.fill(rrect(hx0, hy0, hx1, hy1, 0.9 * s), WHITE, opacity=0.35)
    return (bx0, by0, bx1, by1)


def draw_cable(cv, points, width):
    cable = polyline(points, width)
    cv.fill(cable, PLUG_OUTLINE)
    cv.fill(cable.grow(-1.0), CABLE)
    sheen = polyline([(px, py - width * 0.18) for px, py in points], max(1.0, width * 0.22))
    cv.fill(sheen, WHITE, opacity=0.3)


def plugged_battery(prohibited):
    cv = Canvas(60, 59, WHITE)
    draw_battery(cv, 13.0, 8.0, 41.0, 57.0, 13.0, 4.5)
    b = (15.0, 12.0, 40.0, 44.0)
    draw_bolt(cv, *b, yellow_bolt(b[1], b[3]))
    if prohibited:
        cx, cy, r, w = 27.0, 27.5, 12.5, 3.4
        ring = circle(cx, cy, r).stroke(w)
        k = r * 0.7071
        bar = polyline([(cx - k, cy - k), (cx + k, cy + k)], w) & circle(cx, cy, r)
        sign = ring | bar
        # A white halo keeps the red legible against the dark battery.
        cv.fill(sign.grow(1.1), WHITE, opacity=0.95)
        cv.fill(sign, lambda x, y: mix(SIGN_LIGHT, SIGN_DARK, clamp((y - cy + r) / (2 * r))))
    draw_cable(cv, bezier((-3.0, 43.0), (16.0, 53.0), (35.0, 47.5)), 4.2)
    draw_plug(cv, 35.0, 47.5, 0.8)
    return cv


def draw_no_battery():
    cv = Canvas(60, 29, WHITE)
    draw_cable(cv, bezier((-3.0, 11.0), (12.0, 20.0), (25.0, 14.5)), 4.6)
    bx0, by0, bx1, by1 = draw_plug(cv, 25.0, 14.5, 1.18)
    mark = polygon(fit(BOLT, bx0 + 5.5, by0 + 2.8, bx1 - 4.5, by1 - 2.8))
    cv.fill(mark.grow(0.8), WHITE, opacity=0.35)
    cv.fill(mark, (16.0, 44.0, 22.0))
    return cv


def draw_on_battery():
    cv = Canvas(40, 78, WHITE)
    draw_battery(cv, 6.0, 9.0, 34.0, 76.0, 13.0, 5.0)
    y0, y1 = 15.0, 70.0
    draw_bolt(cv, 8.0, y0, 32.0, y1,
              lambda x, y: mix(BOLT_TOP, WHITE, smooth((y - y0) / (y1 - y0) * 1.1)),
              outline=(10.0, 20.0, 56.0), outline_alpha=0.8)
    return cv


# ---------------------------------------------------------------------------
# Program icon


ICON_SIZES = (256, 48, 32, 24, 16)

# Battery layout per size as (body left, top, right, bottom, cap width, cap
# height, stroke, inner gap, bar gap) in pixels. All but the largest size are
# placed by hand on whole pixels so the outline and bars stay crisp.
ICON_LAYOUT = {
    16: (4.0, 3.0, 12.0, 14.0, 4.0, 1.0, 1.0, 1.0, 1.0),
    24: (7.0, 5.0, 17.0, 20.0, 4.0, 2.0, 1.0, 1.0, 1.0),
    32: (10.0, 6.0, 22.0, 27.0, 6.0, 2.0, 2.0, 1.0, 1.0),
    48: (16.0, 12.0, 32.0, 40.0, 8.0, 3.0, 3.0, 2.0, 2.0),
}


def icon_layout(s):
    if s in ICON_LAYOUT:
        return ICON_LAYOUT[s]
    c = s / 2.0
    return (c - 0.165 * s, c - 0.235 * s, c + 0.165 * s, c + 0.315 * s,
            0.15 * s, 0.065 * s, 0.052 * s, 0.034 * s, 0.03 * s)


def draw_icon(s, effects=True):
    """effects=False leaves out the drop shadows, the gloss and the shading
    of the bars, which a 16-colour palette can only show as noise."""
    cv = Canvas(s, s)
    ss = 2 if s >= 128 else 4
    c = s / 2.0
    # Small buttons fill the square, but stop short of the edge midpoints,
    # where a lone pixel would poke out of the 16-colour silhouette.
    R = s * 0.47 if s > 24 else c - 0.6
    rim_w = max(1.0, s * 0.03)

    if effects and s >= 48:
        cv.fill(circle(c, c + s * 0.012, R), (0.0, 0.0, 0.0), opacity=0.35, soft=s * 0.02)

    cv.fill(circle(c, c, R),
            lambda x, y: mix((150.0, 18.0, 22.0), (76.0, 0.0, 8.0), clamp((y - c + R) / (2 * R))), ss=ss)
    face_r = R - rim_w
    fx, fy = c, c - R * 0.28

    def face(x, y):
        dx, dy = x - fx, y - fy
        t = math.sqrt(dx * dx + dy * dy) / (R * 1.25)
        return ramp([(0.0, (226.0, 52.0, 46.0)), (0.55, (170.0, 16.0, 22.0)), (1.0, (100.0, 2.0, 10.0))], t)

    cv.fill(circle(c, c, face_r), face, ss=ss)

    # Light thrown back onto the lower edge, which makes the face read as a
    # dome rather than a disc.
    if effects and s >= 32:
        glow = circle(c, c, face_r - rim_w * 0.3) - circle(c, c - face_r * 0.16, face_r * 0.98)
        cv.fill(glow, (255.0, 110.0, 90.0), opacity=0.35, soft=max(1.0, s * 0.03))

    # Gloss: a soft white lens over the upper half, strongest at the top.
    gy0 = c - face_r * 0.94
    gy1 = c + face_r * 0.08
    gloss = ellipse(c, (gy0 + gy1) / 2.0, face_r * 0.80, (gy1 - gy0) / 2.0) & circle(c, c, face_r - rim_w * 0.4)
    if effects:
        # Kept faint when small, where it would wash out the battery's cap.
        g = 0.62 if s >= 32 else 0.3
        cv.fill(gloss, lambda x, y: WHITE + (g * (1.0 - smooth((y - gy0) / (gy1 - gy0))) + 0.04,),
                soft=max(1.0, s * 0.012) if s >= 48 else 0.0, ss=ss)

    x0, y0, x1, y1, cap_w, cap_h, sw, gap, bar_gap = icon_layout(s)
    bc = (x0 + x1) / 2.0
    r_out = max(1.0, sw * 1.2)
    cap = rrect(bc - cap_w / 2.0, y0 - cap_h, bc + cap_w / 2.0, y0 + sw, min(r_out, cap_h) * 0.6)
    outer = rrect(x0, y0, x1, y1, r_out) | cap
    outline = outer - rrect(x0 + sw, y0 + sw, x1 - sw, y1 - sw, max(0.5, r_out - sw))
    if effects and s >= 48:
        cv.fill(outline.shifted(0.0, s * 0.012), (40.0, 0.0, 0.0), opacity=0.45, soft=s * 0.015)
    cv.fill(outline, lambda x, y: mix(WHITE, (232.0, 232.0, 236.0), clamp((y - y0) / (y1 - y0))), ss=ss)

    ix0, iy0, ix1, iy1 = x0 + sw + gap, y0 + sw + gap, x1 - sw - gap, y1 - sw - gap
    bar_h = (iy1 - iy0 - 3 * bar_gap) / 4.0
    for i in range(4):
        top = iy0 + i * (bar_h + bar_gap)
        bar = rrect(ix0, top, ix1, top + bar_h, min(bar_h * 0.25, s * 0.012 + 0.2))
        if effects:
            cv.fill(bar, lambda x, y, top=top: ramp([(0.0, (255.0, 226.0, 90.0)), (0.5, (255.0, 184.0, 24.0)),
                                                     (1.0, (236.0, 128.0, 8.0))], (y - top) / bar_h), ss=ss)
        else:
            cv.fill(bar, (255.0, 200.0, 40.0), ss=ss)
    return cv


# ---------------------------------------------------------------------------
# Palettes and quantisation

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
         (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
         (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


# The standard colours the button is made of. Matching against all sixteen
# turns the pale gloss grey and the orange in the bars olive.
VGA_USED = (0, 1, 9, 11, 15)


def _nearest(palette, r, g, b, candidates):
    best, best_d = candidates[0], None
    for i in candidates:
        pr, pg, pb = palette[i]
        d = 3 * (r - pr) * (r - pr) + 4 * (g - pg) * (g - pg) + 2 * (b - pb) * (b - pb)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def quantise_vga(rows, dither):
    """Indices into VGA16 for opaque pixels (alpha >= 128), None for the
    rest. dither is the amplitude of an ordered dither: a regular stipple
    reads as shading in a 16-colour icon, where error diffusion looks like
    dirt."""
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, (r, g, b, a) in enumerate(row):
            if a < 128:
                line.append(None)
                continue
            t = (BAYER4[y & 3][x & 3] + 0.5) / 16.0 - 0.5
            t *= dither
            line.append(_nearest(VGA16, r + t, g + t, b + t, VGA_USED))
        out.append(line)
    return VGA16, out


def quantise_fitted(rows):
    """A palette of up to 255 colours fitted to the opaque pixels by median
    cut, behind a black entry 0 reserved for transparent pixels so their XOR
    colour leaves the screen untouched."""
    counts = {}
    for row in rows:
        for p in row:
            if p[3] >= 128:
                counts[p[:3]] = counts.get(p[:3], 0) + 1
    colours = sorted(counts)
    boxes = [colours]
    while len(boxes) < 255:
        # Split the box with the widest weighted spread.
        best, best_score, best_axis = None, 0, 0
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                vals = [c[axis] for c in box]
                spread = max(vals) - min(vals)
                n = 0
                for col in box:
                    n += counts[col]
                score = spread * spread * n
                if score > best_score:
                    best, best_score, best_axis = bi, score, axis
        if best is None:
            break
        box = sorted(boxes[best], key=lambda col: (col[best_axis], col))
        total = 0
        for col in box:
            total += counts[col]
        acc, cut = 0, 1
        for k, col in enumerate(box):
            acc += counts[col]
            if acc * 2 >= total:
                cut = min(max(k + 1, 1), len(box) - 1)
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = [(0, 0, 0)]
    lookup = {}
    for box in boxes:
        n, sr, sg, sb = 0, 0, 0, 0
        for col in box:
            k = counts[col]
            n += k
            sr += col[0] * k
            sg += col[1] * k
            sb += col[2] * k
        for col in box:
            lookup[col] = len(palette)
        palette.append(((sr + n // 2) // n, (sg + n // 2) // n, (sb + n // 2) // n))
    while len(palette) < 256:
        palette.append((0, 0, 0))
    out = [[lookup[p[:3]] if p[3] >= 128 else None for p in row] for row in rows]
    return palette, out


# ---------------------------------------------------------------------------
# File formats

PPM = 2834  # 72 dpi


def encode_bmp(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), PPM, PPM, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + bytes(data)


def _and_mask(opaque):
    """1-bit mask rows bottom-up; a set bit lets the screen show through."""
    w = len(opaque[0])
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for row in reversed(opaque):
        line = bytearray(stride)
        for x, o in enumerate(row):
            if not o:
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def _icon_header(size, bpp, pixel_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, pixel_bytes, 0, 0, 0, 0)


def encode_icon_dib_palette(bpp, palette, index_rows):
    size = len(index_rows)
    stride = ((size * bpp + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(index_rows):
        line = bytearray(stride)
        for x, i in enumerate(row):
            i = 0 if i is None else i
            if bpp == 8:
                line[x] = i
            else:
                line[x >> 1] |= i << (4 if x % 2 == 0 else 0)
        xor += line
    mask = _and_mask([[i is not None for i in row] for row in index_rows])
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette[:1 << bpp])
    return _icon_header(size, bpp, len(xor) + len(mask)) + pal + bytes(xor) + mask


def encode_icon_dib_rgba(rows):
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = _and_mask([[p[3] >= 128 for p in row] for row in rows])
    return _icon_header(len(rows), 32, len(xor) + len(mask)) + bytes(xor) + mask


def _png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def encode_png_rgba(rows):
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    prev = bytes(w * 4)
    for row in rows:
        line = bytearray()
        for p in row:
            line += bytes(p)
        # The "up" filter suits the smooth vertical gradients of the button.
        raw.append(2)
        raw += bytes((line[i] - prev[i]) & 0xFF for i in range(len(line)))
        prev = line
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", ihdr)
            + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _png_chunk(b"IEND", b""))


def indexed_to_rgba(palette, index_rows):
    return [[(0, 0, 0, 0) if i is None else palette[i] + (255,) for i in row] for row in index_rows]


def encode_ico(images):
    """images: (size, bpp, colour count, payload) in directory order."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries, blobs = b"", b""
    for size, bpp, colours, payload in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(payload), offset)
        blobs += payload
        offset += len(payload)
    return head + entries + blobs


def build_icon():
    renders = {s: draw_icon(s).rgba8() for s in ICON_SIZES}
    # Below 256 px a stipple is coarser than the gloss it would stand for.
    flat = {s: renders[s] if s == 256 else draw_icon(s, effects=False).rgba8() for s in ICON_SIZES}
    images = []
    for bpp in (4, 8, 32):
        for s in ICON_SIZES:
            rows = renders[s]
            if bpp == 32:
                pal, idx = None, None
            elif bpp == 4:
                pal, idx = quantise_vga(flat[s], dither={256: 96.0, 48: 64.0}.get(s, 0.0))
            else:
                pal, idx = quantise_fitted(rows)
            # Windows only takes PNG-compressed icon images as 32 bpp RGBA, so
            # the 256 px palette images are stored as RGBA holding just their
            # palette colours; the directory entry still states the depth.
            if s == 256:
                payload = encode_png_rgba(rows if bpp == 32 else indexed_to_rgba(pal, idx))
            elif bpp == 32:
                payload = encode_icon_dib_rgba(rows)
            else:
                payload = encode_icon_dib_palette(bpp, pal, idx)
            images.append((s, bpp, 16 if bpp == 4 else 0, payload))
    return encode_ico(images)


def render_all():
    return {
        "charging.bmp": encode_bmp(plugged_battery(False).rgba8()),
        "charge_off.bmp": encode_bmp(plugged_battery(True).rgba8()),
        "no_battery.bmp": encode_bmp(draw_no_battery().rgba8()),
        "on_battery.bmp": encode_bmp(draw_on_battery().rgba8()),
        "kestrum.ico": build_icon(),
    }


# ---------------------------------------------------------------------------
# Reading the output back, so a broken encoder fails here rather than in the
# resource compiler or, worse, as a blank picture at run time.

BMP_SIZES = {
    "charging.bmp": (60, 59),
    "charge_off.bmp": (60, 59),
    "no_battery.bmp": (60, 29),
    "on_battery.bmp": (40, 78),
}


class BadOutput(Exception):
    pass


def _expect(cond, what):
    if not cond:
        raise BadOutput(what)


def verify_bmp(name, data):
    w, h = BMP_SIZES[name]
    magic, fsize, r1, r2, off = struct.unpack_from("<2sIHHI", data, 0)
    (bsize, bw, bh, planes, bpp, comp, isize,
     xppm, yppm, used, important) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    stride = (w * 3 + 3) & ~3
    _expect(magic == b"BM" and fsize == len(data) and r1 == r2 == 0 and off == 54, name + ": file header")
    _expect((bsize, bw, bh, planes, bpp, comp) == (40, w, h, 1, 24, 0), name + ": info header")
    _expect(isize == stride * h and len(data) == 54 + isize, name + ": image size")
    _expect((xppm, yppm, used, important) == (PPM, PPM, 0, 0), name + ": resolution or colour count")
    # The picture sits on its own white background.
    corners = [54, 54 + (w - 1) * 3, 54 + (h - 1) * stride, 54 + (h - 1) * stride + (w - 1) * 3]
    _expect(all(data[k:k + 3] == b"\xff\xff\xff" for k in corners), name + ": corners not white")


def _png_pixels(blob):
    _expect(blob[:8] == b"\x89PNG\r\n\x1a\n", "PNG signature")
    pos, idat, ihdr = 8, b"", None
    while pos < len(blob):
        n, kind = struct.unpack_from(">I4s", blob, pos)
        body = blob[pos + 8:pos + 8 + n]
        crc, = struct.unpack_from(">I", blob, pos + 8 + n)
        _expect(crc == zlib.crc32(kind + body) & 0xFFFFFFFF, "PNG chunk CRC")
        if kind == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    _expect(ihdr is not None and ihdr[2:] == (8, 6, 0, 0, 0), "PNG header")
    w, h = ihdr[0], ihdr[1]
    raw = zlib.decompress(idat)
    _expect(len(raw) == h * (1 + w * 4), "PNG data length")
    return w, h, raw


def verify_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    _expect((reserved, kind, count) == (0, 1, 15), "icon directory header")
    expected_order = [(s, bpp) for bpp in (4, 8, 32) for s in ICON_SIZES]
    next_offset = 6 + 16 * count
    for n, (s, bpp) in enumerate(expected_order):
        w, h, colours, res, planes, bits, nbytes, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        where = "icon entry %d (%d px, %d bpp)" % (n, s, bpp)
        _expect((w, h) == (s % 256, s % 256) and bits == bpp, where + ": size or depth out of order")
        _expect(colours == (16 if bpp == 4 else 0) and res == 0 and planes == 1,
                where + ": colour count/planes")
        _expect(offset == next_offset and offset + nbytes <= len(data), where + ": offset")
        blob = data[offset:offset + nbytes]
        next_offset = offset + nbytes
        if s == 256:
            pw, ph, raw = _png_pixels(blob)
            _expect((pw, ph) == (256, 256), where + ": PNG size")
            continue
        hdr = struct.unpack_from("<IiiHHIIiiII", blob, 0)
        xor_stride = ((s * bpp + 31) // 32) * 4
        and_stride = ((s + 31) // 32) * 4
        pal = (1 << bpp) * 4 if bpp <= 8 else 0
        pixels = (xor_stride + and_stride) * s
        _expect(hdr[:6] == (40, s, 2 * s, 1, bpp, 0) and hdr[6] == pixels, where + ": bitmap header")
        _expect(nbytes == 40 + pal + pixels, where + ": byte count")
        if bpp == 4:
            _expect(blob[40:40 + pal] == b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16),
                    where + ": not the standard 16-colour palette")
        if bpp <= 8:
            # Masked pixels must be black in the colour image, or XOR drawing
            # would tint the screen behind the icon.
            black = {i for i in range(1 << bpp) if blob[40 + 4 * i:43 + 4 * i] == b"\0\0\0"}
            for y in range(s):
                for x in range(s):
                    bit = blob[40 + pal + xor_stride * s + y * and_stride + (x >> 3)] >> (7 - (x & 7)) & 1
                    v = blob[40 + pal + y * xor_stride + (x * bpp >> 3)]
                    i = v if bpp == 8 else (v >> 4 if x % 2 == 0 else v & 15)
                    _expect(not bit or i in black, where + ": masked pixel is not black")
        if bpp == 32:
            # The mask must agree with alpha so alpha-blind consumers show the
            # same silhouette.
            for y in range(s):
                for x in range(s):
                    a = blob[40 + y * xor_stride + x * 4 + 3]
                    bit = blob[40 + xor_stride * s + y * and_stride + (x >> 3)] >> (7 - (x & 7)) & 1
                    _expect(bit == (1 if a < 128 else 0), where + ": mask disagrees with alpha")
    _expect(next_offset == len(data), "icon file length")


def verify(files):
    for name, data in files.items():
        if name.endswith(".bmp"):
            verify_bmp(name, data)
        else:
            verify_ico(data)


# ---------------------------------------------------------------------------


def main():
    ap = argparse.ArgumentParser(description="Draw Kestrum's bitmaps and icon into resources/images/.")
    ap.add_argument("--check", action="store_true",
                    help="compare with the committed files instead of writing; exit 1 if any differ")
    ap.add_argument("--out", type=Path, default=OUT_DIR, help="output directory (default: %(default)s)")
    args = ap.parse_args()

    files = render_all()
    try:
        verify(files)
    except BadOutput as e:
        print("draw_resources: generated output is malformed: %s" % e, file=sys.stderr)
        return 2

    if args.check:
        stale = []
        for name, data in files.items():
            path = args.out / name
            if not path.is_file():
                stale.append(name + " (missing)")
            elif path.read_bytes() != data:
                stale.append(name)
        if stale:
            print("draw_resources: out of date in %s: %s" % (args.out, ", ".join(stale)), file=sys.stderr)
            print("draw_resources: run python3 tools/draw_resources.py and commit the result", file=sys.stderr)
            return 1
        return 0

    args.out.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        path = args.out / name
        if not path.is_file() or path.read_bytes() != data:
            path.write_bytes(data)
            print("wrote %s (%d bytes)" % (path, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
