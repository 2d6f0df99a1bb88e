// Extracts the land outline around Japan from Natural Earth's 1:50m land layer
// (world-atlas, public domain), clips it to the box the weather pictures use,
// simplifies it and writes ../picture-generator/data/japan-coast.json.
//
//   cd tools/coastline && npm ci && npm run extract
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { feature } from 'topojson-client';

const require = createRequire(import.meta.url);
const topology = JSON.parse(readFileSync(require.resolve('world-atlas/land-50m.json'), 'utf8'));

const BOX = { west: 112, east: 156, south: 20, north: 52 };
const TOLERANCE = 0.03;   // degrees, a third of a pixel at the pictures' scale
const MIN_AREA = 0.012;   // square degrees; smaller islands vanish at 280 pixels

// Sutherland-Hodgman against one edge of the box at a time.
function clipRing(ring) {
  const edges = [
    [p => p[0] >= BOX.west, (a, b) => cut(a, b, 0, BOX.west)],
    [p => p[0] <= BOX.east, (a, b) => cut(a, b, 0, BOX.east)],
    [p => p[1] >= BOX.south, (a, b) => cut(a, b, 1, BOX.south)],
    [p => p[1] <= BOX.north, (a, b) => cut(a, b, 1, BOX.north)],
  ];
  let out = ring;
  for (const [inside, intersect] of edges) {
    const input = out;
    out = [];
    for (let i = 0; i < input.length; ++i) {
      const cur = input[i];
      const prev = input[(i + input.length - 1) % input.length];
      if (inside(cur)) {
        if (!inside(prev)) out.push(intersect(prev, cur));
        out.push(cur);
      } else if (inside(prev)) {
        out.push(intersect(prev, cur));
      }
    }
    if (out.length === 0) break;
  }
  return out;
}

function cut(a, b, axis, value) {
  const t = (value - a[axis]) / (b[axis] - a[axis]);
  const p = [a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])];
  p[axis] = value;
  return p;
}

function area(ring) {
  let s = 0;
  for (let i = 0; i < ring.length; ++i) {
    const a = ring[i], b = ring[(i + 1) % ring.length];
    s += a[0] * b[1] - b[0] * a[1];
  }
  return Math.abs(s) / 2;
}

// Douglas-Peucker on a closed ring: split at the point farthest from the first.
function simplifyRing(ring) {
  let far = 0, best = -1;
  for (let i = 1; i < ring.length; ++i) {
    const d = Math.hypot(ring[i][0] - ring[0][0], ring[i][1] - ring[0][1]);
    if (d > best) { best = d; far = i; }
  }
  const a = simplifyOpen(ring.slice(0, far + 1));
  const b = simplifyOpen(ring.slice(far).concat([ring[0]]));
  return a.slice(0, -1).concat(b.slice(0, -1));
}

function simplifyOpen(pts) {
  if (pts.length <= 2) return pts;
  const [a, b] = [pts[0], pts[pts.length - 1]];
  let idx = 0, dmax = 0;
  for (let i = 1; i < pts.length - 1; ++i) {
    const d = segmentDistance(pts[i], a, b);
    if (d > dmax) { dmax = d; idx = i; }
  }
  if (dmax <= TOLERANCE) return [a, b];
  const left = simplifyOpen(pts.slice(0, idx + 1));
  const right = simplifyOpen(pts.slice(idx));
  return left.slice(0, -1).concat(right);
}

function segmentDistance(p, a, b) {
  const dx = b[0] - a[0], dy = b[1] - a[1];
  const len2 = dx * dx + dy * dy;
  let t = len2 > 0 ? ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / len2 : 0;
  t = Math.max(0, Math.min(1, t));
  return Math.hypot(p[0] - (a[0] + t * dx), p[1] - (a[1] + t * dy));
}

const land = feature(topology, topology.objects.land);
const polygons = land.geometry ? [land] : land.features;
const rings = [];
let sourcePoints = 0;
for (const f of polygons) {
  const g = f.geometry;
  const polys = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
  for (const poly of polys) {
    for (const ring of poly) {
      const open = ring.slice(0, -1);   // GeoJSON repeats the first point
      const clipped = clipRing(open);
      if (clipped.length < 3) continue;
      sourcePoints += clipped.length;
      if (area(clipped) < MIN_AREA) continue;
      const simple = simplifyRing(clipped);
      if (simple.length < 3 || area(simple) < MIN_AREA / 2) continue;
      rings.push(simple.map(p => [Math.round(p[0] * 100) / 100, Math.round(p[1] * 100) / 100]));
    }
  }
}

const points = rings.reduce((n, r) => n + r.length, 0);
const out = {
  attribution: 'Made with Natural Earth. Free vector and raster map data @ naturalearthdata.com',
  source: 'world-atlas 2.0.2, land-50m (Natural Earth 1:50m land, public domain)',
  box: [BOX.west, BOX.south, BOX.east, BOX.north],
  tolerance_degrees: TOLERANCE,
  rings,
};
const json = '{\n' + Object.entries(out).map(([k, v]) =>
  k === 'rings'
    ? `  "rings": [\n${v.map(r => '    ' + JSON.stringify(r)).join(',\n')}\n  ]`
    : `  ${JSON.stringify(k)}: ${JSON.stringify(v)}`).join(',\n') + '\n}\n';
writeFileSync(new URL('../picture-generator/data/japan-coast.json', import.meta.url), json);
console.log(`${rings.length} rings, ${points} points (from ${sourcePoints} inside the box)`);
