"use strict";
// The map of a city with coordinates, drawn on a canvas: building outlines at their places
// (Web Mercator pixels at the plan's zoom, counted from its north-west corner), streets
// with their names, marked buildings with their blocks' images. Only what lies in view is
// drawn, the plain buildings a hundred to a path, so that a town of tens of thousands of buildings
// pans and zooms smoothly. The geometry comes once, with the plan.
const geoMap = (() => {
  let geo = null, canvas = null, pick = null;
  let scale = 1, left = 0, top = 0; // screen pixel = (unit - left|top) * scale
  let boxes = null; // minx, miny, maxx, maxy of each building
  let marks = new Map(), selected = null, frame = 0;
  const images = new Map(); // href -> Image, drawn once loaded

  function show(plan, box, onPick) {
    geo = plan;
    pick = onPick;
    boxes = new Float64Array(geo.buildings.length * 4);
    geo.buildings.forEach((b, i) => {
      let x0 = b.x, y0 = b.y, x1 = b.x, y1 = b.y;
      for (const ring of b.rings) for (let k = 0; k < ring.length; k += 2) {
        x0 = Math.min(x0, ring[k]); x1 = Math.max(x1, ring[k]);
        y0 = Math.min(y0, ring[k + 1]); y1 = Math.max(y1, ring[k + 1]);
      }
      boxes.set([x0, y0, x1, y1], i * 4);
    });
    canvas = el("canvas", { id: "geo-canvas", tabindex: 0, "aria-label": word("geoHint"), dataset: { wordLabel: "geoHint" } });
    // The tooltips follow the page's language as its fixed parts do.
    const button = (text, key, action) => el("button", { type: "button", title: word(key), text, dataset: { wordTitle: key },
      onclick: () => { action(); canvas.focus(); } });
    box.replaceChildren(canvas,
      el("div", { class: "geo-zoom" },
        button("+", "zoomIn", () => zoomAt(1.5)), button("−", "zoomOut", () => zoomAt(1 / 1.5)),
        button("⤢", "wholeCity", fit)),
      el("div", { class: "geo-attribution", text: geo.attribution }));
    listen();
    new ResizeObserver(() => { resize(); draw(); }).observe(box);
    resize();
    fit();
  }

  function resize() {
    const ratio = window.devicePixelRatio || 1;
    canvas.width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    canvas.height = Math.max(1, Math.round(canvas.clientHeight * ratio));
  }

  function fit() {
    const w = canvas.clientWidth || 1, h = canvas.clientHeight || 1;
    scale = 0.92 * Math.min(w / Math.max(geo.width, 50), h / Math.max(geo.height, 50));
    left = geo.width / 2 - w / 2 / scale;
    top = geo.height / 2 - h / 2 / scale;
    draw();
  }

  // Zooms by `factor` keeping the point under (sx, sy), the middle by default, where it is.
  function zoomAt(factor, sx = canvas.clientWidth / 2, sy = canvas.clientHeight / 2) {
    const next = Math.min(64, Math.max(1e-4, scale * factor));
    left += sx / scale - sx / next;
    top += sy / scale - sy / next;
    scale = next;
    draw();
  }

  function panBy(dx, dy) {
    left -= dx / scale;
    top -= dy / scale;
    draw();
  }

  function listen() {
    canvas.addEventListener("wheel", (e) => {
      e.preventDefault();
      const r = canvas.getBoundingClientRect();
      zoomAt(Math.exp(-e.deltaY * 0.002), e.clientX - r.left, e.clientY - r.top);
    }, { passive: false });
    let drag = null;
    canvas.addEventListener("pointerdown", (e) => {
      drag = { x: e.clientX, y: e.clientY, moved: false };
      canvas.setPointerCapture(e.pointerId);
    });
    canvas.addEventListener("pointermove", (e) => {
      if (!drag) return;
      const dx = e.clientX - drag.x, dy = e.clientY - drag.y;
      if (!drag.moved && Math.hypot(dx, dy) < 4) return; // a click, not yet a drag
      drag.moved = true;
      drag.x = e.clientX;
      drag.y = e.clientY;
      panBy(dx, dy);
    });
    canvas.addEventListener("pointerup", (e) => {
      const clicked = drag && !drag.moved;
      drag = null;
      if (!clicked) return;
      const r = canvas.getBoundingClientRect();
      const id = buildingAt(e.clientX - r.left, e.clientY - r.top);
      if (id !== null) pick(id);
    });
    canvas.addEventListener("keydown", (e) => {
      const step = 80, keys = {
        "+": () => zoomAt(1.5), "=": () => zoomAt(1.5), "-": () => zoomAt(1 / 1.5), "0": fit,
        ArrowLeft: () => panBy(step, 0), ArrowRight: () => panBy(-step, 0),
        ArrowUp: () => panBy(0, step), ArrowDown: () => panBy(0, -step),
      };
      if (!keys[e.key]) return;
      e.preventDefault();
      keys[e.key]();
    });
  }

  function inView(i, x0, y0, x1, y1) {
    return boxes[i * 4] <= x1 && boxes[i * 4 + 2] >= x0 && boxes[i * 4 + 1] <= y1 && boxes[i * 4 + 3] >= y0;
  }

  // The building under a point of the canvas: the smallest outline holding it, else a
  // building known by its point within a few pixels.
  function buildingAt(sx, sy) {
    const ux = left + sx / scale, uy = top + sy / scale, near = 6 / scale;
    let best = null, bestArea = Infinity;
    geo.buildings.forEach((b, i) => {
      if (!inView(i, ux - near, uy - near, ux + near, uy + near)) return;
      const area = (boxes[i * 4 + 2] - boxes[i * 4]) * (boxes[i * 4 + 3] - boxes[i * 4 + 1]);
      const hit = b.rings.length ? inside(b.rings, ux, uy) : true;
      if (hit && area < bestArea) { best = b.id; bestArea = area; }
    });
    return best;
  }

  function inside(rings, x, y) {
    let odd = false;
    for (const r of rings) for (let i = 0, j = r.length - 2; i < r.length; j = i, i += 2) {
      if ((r[i + 1] > y) !== (r[j + 1] > y) && x < r[i] + (y - r[i + 1]) * (r[j] - r[i]) / (r[j + 1] - r[i + 1])) odd = !odd;
    }
    return odd;
  }

  function draw() {
    if (!frame) frame = requestAnimationFrame(paint);
  }

  function paint() {
    frame = 0;
    const ratio = canvas.width / (canvas.clientWidth || 1);
    const ctx = canvas.getContext("2d");
    const w = canvas.clientWidth, h = canvas.clientHeight;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = "#eef1e8";
    ctx.fillRect(0, 0, w, h);
    const x0 = left, y0 = top, x1 = left + w / scale, y1 = top + h / scale;
    const sx = (x) => (x - left) * scale, sy = (y) => (y - top) * scale;

    // Outlines and lines go to the canvas in batches: a path grows slower the longer it is, so
    // one path of a whole town's buildings takes seconds to build where batches take
    // milliseconds. A building's rings stay in one batch, so that its courtyards stay open.
    const kBatch = 100;
    ctx.lineCap = ctx.lineJoin = "round";
    ctx.strokeStyle = "#c9ccd2";
    ctx.lineWidth = Math.max(2, Math.min(14, 8 * scale));
    let lines = new Path2D(), inLines = 0;
    for (const street of geo.streets) for (const line of street.lines) {
      for (let k = 0; k < line.length; k += 2) lines[k ? "lineTo" : "moveTo"](sx(line[k]), sy(line[k + 1]));
      if (++inLines === kBatch) { ctx.stroke(lines); lines = new Path2D(); inLines = 0; }
    }
    ctx.stroke(lines);

    const paintPath = (path, fill, stroke, width) => {
      ctx.fillStyle = fill; ctx.fill(path, "evenodd");
      ctx.strokeStyle = stroke; ctx.lineWidth = width; ctx.stroke(path);
    };
    const paintPlain = (path) => paintPath(path, "#ffffff", "#9aa0aa", 1);
    let plain = new Path2D(), inPlain = 0;
    const marked = new Path2D(), chosen = new Path2D();
    const shown = [];
    geo.buildings.forEach((b, i) => {
      if (!inView(i, x0, y0, x1, y1)) return;
      const path = b.id === selected ? chosen : marks.has(b.id) ? marked : plain;
      const bx = boxes[i * 4], by = boxes[i * 4 + 1], bw = boxes[i * 4 + 2] - bx, bh = boxes[i * 4 + 3] - by;
      if (!b.rings.length) path.rect(sx(b.x) - 3, sy(b.y) - 3, 6, 6);
      // An outline of a few pixels looks like its box: the box is one step to draw, not many.
      else if (bw * scale < 3 && bh * scale < 3) path.rect(sx(bx), sy(by), bw * scale, bh * scale);
      else for (const ring of b.rings) {
        for (let k = 0; k < ring.length; k += 2) path[k ? "lineTo" : "moveTo"](sx(ring[k]), sy(ring[k + 1]));
        path.closePath();
      }
      if (marks.has(b.id)) shown.push(b);
      if (path === plain && ++inPlain === kBatch) { paintPlain(plain); plain = new Path2D(); inPlain = 0; }
    });
    // The marked and the chosen buildings, few, are painted over the plain ones.
    paintPlain(plain);
    paintPath(marked, "#fff4ec", "#e8590c", 2.5);
    paintPath(chosen, "#dde6f5", "#3a5a9a", 2.5);

    for (const b of shown) marks.get(b.id).forEach((block, n) => {
      const image = imageOf(block.image);
      if (image.complete && image.naturalWidth) ctx.drawImage(image, sx(b.x) - 6 + (n % 3) * 13 - 13, sy(b.y) - 6 + Math.floor(n / 3) * 13, 12, 12);
    });

    if (scale > 0.08) { // street names once a street is long enough on screen to carry one
      ctx.font = "11px sans-serif";
      ctx.fillStyle = "#444";
      ctx.textAlign = "center";
      for (const street of geo.streets) {
        const line = street.lines.reduce((a, b) => (b.length > a.length ? b : a), []);
        if (line.length < 4) continue;
        const m = 2 * Math.floor((line.length / 2 - 1) / 2);
        const ax = sx(line[m]), ay = sy(line[m + 1]), bx = sx(line[m + 2]), by = sy(line[m + 3]);
        if (Math.max(ax, bx) < 0 || Math.min(ax, bx) > w || Math.max(ay, by) < 0 || Math.min(ay, by) > h) continue;
        let angle = Math.atan2(by - ay, bx - ax);
        if (Math.abs(angle) > Math.PI / 2) angle += Math.PI;
        ctx.save();
        ctx.translate((ax + bx) / 2, (ay + by) / 2);
        ctx.rotate(angle);
        ctx.fillText(street.name, 0, 4);
        ctx.restore();
      }
    }
  }

  function imageOf(href) {
    if (!images.has(href)) {
      const image = new Image();
      image.onload = draw;
      image.src = href || "";
      images.set(href, image);
    }
    return images.get(href);
  }

  // byBuilding: building id -> the blocks marking it.
  function mark(byBuilding, selectedBuilding) {
    marks = byBuilding;
    selected = selectedBuilding ?? null;
    if (geo) draw();
  }

  // Where a building's point is on the canvas now, and the view: for the page's tests.
  function screenOf(id) {
    const b = geo.buildings.find((x) => x.id === id);
    return b && { x: (b.x - left) * scale, y: (b.y - top) * scale, scale };
  }

  return { show, mark, screenOf, marked: () => [...marks.keys()] };
})();
