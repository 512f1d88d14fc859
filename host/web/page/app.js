// The reference host's page. Everything it shows comes from the host (GET /api/state); every
// action is a POST that the host carries out on its interface thread. An action that opens a
// dialog is answered only when the dialog has closed, so the page keeps asking for the state
// meanwhile and draws the open modals over itself from what the host reports.
"use strict";

const view = {
  revision: 0,
  page: null,
  modals: [],
  plan: null,
  pending: 0,           // actions sent and not yet answered
  selectedBuilding: null,
  menuOpen: false,
  files: {},            // per file dialog serial: the folder shown and the name typed
  typing: new Map(),    // search-tab box -> what was typed there and not yet sent
  comboOpen: null,      // the search-tab combo whose list is dropped down
  showDirectory: false, // the city's companies rather than the search shown
};

// ---------------------------------------------------------------- talking to the host

function status(text, error) {
  const line = document.getElementById("status");
  line.textContent = text || "";
  line.className = error ? "error" : "";
}

// The run's key came with the address the host printed; the host set it as a cookie when the
// page loaded, and the page sends it along too, then drops it from the address bar.
const runKey = new URLSearchParams(location.search).get("key");
if (runKey !== null) history.replaceState(null, "", location.pathname);
const keyHeader = runKey ? { "X-Zelt-Key": runKey } : {};

async function getJson(path) {
  const response = await fetch(path, { cache: "no-store", headers: keyHeader });
  const body = await response.json();
  if (!response.ok) throw new Error(body.error || response.statusText);
  return body;
}

// Sends an action; the answer may come long after (a dialog it opened had to close first).
async function act(path, body) {
  view.pending++;
  busy();
  schedulePoll(50);
  try {
    const response = await fetch(path, {
      method: "POST",
      headers: { "Content-Type": "application/json", ...keyHeader },
      body: JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok) {
      status(answer.error || response.statusText, true);
    } else if (answer.ok === false) {
      status(word("answered", answer.result), true);
    } else {
      status("");
    }
    return answer;
  } catch (e) {
    status(word("hostUnreachable", e.message), true);
    return null;
  } finally {
    // What the action did is on the page before the page counts as settled again.
    await pollNow();
    view.pending--;
    busy();
  }
}

// Whether an action is under way; tests wait for the page to settle on it.
function busy() {
  document.body.dataset.busy = view.pending ? "1" : "0";
}

let pollTimer = null;
let polls = Promise.resolve();
function schedulePoll(delay) {
  if (pollTimer) clearTimeout(pollTimer);
  pollTimer = setTimeout(pollNow, delay);
}

// Polls one after the other, so that an answer never overtakes a later one.
function pollNow() {
  polls = polls.then(poll);
  return polls;
}

async function poll() {
  if (pollTimer) clearTimeout(pollTimer);
  pollTimer = null;
  try {
    const state = await getJson("/api/state?since=" + view.revision);
    if (!state.unchanged) {
      view.revision = state.revision;
      view.modals = state.modals || [];
      if (state.page) view.page = state.page;
      render();
    }
    document.body.dataset.revision = view.revision;
  } catch (e) {
    status(word("hostUnreachable", e.message), true);
  }
  // Quick while something is under way, slower while the page only waits for other tabs.
  if (!pollTimer) schedulePoll(view.pending || view.modals.length ? 250 : 1500);
}

// ---------------------------------------------------------------- small helpers

function el(tag, attributes, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) {
    if (value === undefined || value === null || value === false) continue;
    if (name.startsWith("on")) node.addEventListener(name.slice(2), value);
    else if (name === "text") node.textContent = value;
    else if (name === "dataset") Object.assign(node.dataset, value);
    else node.setAttribute(name, value === true ? "" : value);
  }
  for (const child of children) if (child !== null && child !== undefined) node.append(child);
  return node;
}

function svg(tag, attributes, ...children) {
  const node = document.createElementNS("http://www.w3.org/2000/svg", tag);
  for (const [name, value] of Object.entries(attributes || {})) {
    if (name.startsWith("on")) node.addEventListener(name.slice(2), value);
    else if (name === "text") node.textContent = value;
    else node.setAttribute(name, value);
  }
  for (const child of children) node.append(child);
  return node;
}

function image(src, alt, size) {
  return src ? el("img", { src, alt: alt || "", width: size, height: size }) : null;
}

// A caption without its keyboard mnemonic ("&OK" shows as "OK").
function caption(text) {
  return (text || "").replace(/&(.)/g, "$1");
}

// The plug-in's HTML, kept to what a card shows: text, line breaks, simple formatting, its
// images (already turned into the host's addresses) and links, which the page follows itself.
const allowedTags = new Set(["A", "IMG", "B", "I", "U", "BR", "P", "DIV", "SPAN", "FONT", "STRONG", "EM", "SMALL", "BIG"]);
function sanitize(html, onLink) {
  const template = document.createElement("template");
  template.innerHTML = html || "";
  const clean = (node) => {
    for (const child of [...node.childNodes]) {
      if (child.nodeType === Node.TEXT_NODE) continue;
      if (child.nodeType !== Node.ELEMENT_NODE || !allowedTags.has(child.tagName)) {
        if (child.nodeType === Node.ELEMENT_NODE) {
          clean(child);
          child.replaceWith(...child.childNodes);
        } else {
          child.remove();
        }
        continue;
      }
      const keep = { href: child.getAttribute("href"), src: child.getAttribute("src"),
                     align: child.getAttribute("align"), color: child.getAttribute("color"),
                     title: child.getAttribute("title") };
      for (const attribute of [...child.attributes]) child.removeAttribute(attribute.name);
      if (child.tagName === "IMG") {
        if (keep.src && keep.src.startsWith("/img/")) child.setAttribute("src", keep.src);
        if (keep.align) child.setAttribute("align", keep.align);
      }
      if (child.tagName === "FONT" && keep.color && /^#?[0-9a-zA-Z]+$/.test(keep.color)) child.setAttribute("color", keep.color);
      if (keep.title) child.setAttribute("title", keep.title);
      if (child.tagName === "A" && !onLink) {
        // A link nobody follows here is shown as what it holds.
        clean(child);
        child.replaceWith(...child.childNodes);
        continue;
      }
      if (child.tagName === "A") {
        const target = (keep.href || "").trim();
        child.setAttribute("href", "#");
        child.dataset.target = target;
        if (onLink) child.addEventListener("click", (e) => { e.preventDefault(); onLink(target); });
      }
      clean(child);
    }
  };
  clean(template.content);
  const span = el("span");
  span.append(template.content);
  return span;
}

function html(part, onLink) {
  return part && part.html ? sanitize(part.html, onLink) : el("span");
}

// ---------------------------------------------------------------- the page

// Each part of the page is built anew only when what the host says of it has changed, so
// that nothing the person is pointing at is replaced under the pointer for nothing.
const shown = {};
function part(name, data, draw) {
  const text = JSON.stringify(data);
  if (shown[name] === text) return;
  shown[name] = text;
  draw(data);
}

function render() {
  const page = view.page;
  if (page) {
    document.getElementById("city").textContent = page.city;
    part("language", { language: page.language, running: page.running }, () => renderLanguage(page));
    part("searchTab", page.searchTab, renderSearchTab);
    part("results", { directory: page.directory, search: page.search, showDirectory: view.showDirectory }, renderResults);
    part("card", page.card, renderCard);
    // The open panel follows the map: a toggled category or a renamed one shows there too.
    part("map", page.map, (marks) => {
      renderMap(marks);
      if (view.selectedBuilding !== null) loadPanel(view.selectedBuilding);
    });
  }
  renderModals(view.modals);
}

function renderLanguage(page) {
  const select = document.getElementById("language");
  const language = page.language;
  // The page speaks as the plug-in does, so both change together at its start.
  if (pageLanguage !== language.started) {
    pageLanguage = language.started;
    sayPageWords();
    for (const name of Object.keys(shown)) if (name !== "language") delete shown[name];
  }
  if (select.options.length !== language.choices.length) {
    select.replaceChildren(...language.choices.map((c) => el("option", { value: c.id, text: c.name })));
  }
  if (document.activeElement !== select) select.value = language.chosen;
  const started = language.choices.find((c) => c.id === language.started);
  const note = document.getElementById("language-note");
  note.textContent = language.chosen === language.started
    ? word("speaks", started ? started.name : language.started)
    : word("nextStart");
  if (!page.running) note.textContent += " " + word("notRunning");
}

// ---------------------------------------------------------------- the search tab

// What is typed into a box of the search tab reaches the host's box shortly after, and
// always before the search runs.
function typed(key, value, send) {
  const pending = view.typing.get(key);
  if (pending) clearTimeout(pending.timer);
  view.typing.set(key, { value, send, timer: setTimeout(flushTyping, 400) });
}

// Flushes run one after the other, so that a search waits for the text a timer is still sending.
let flushing = Promise.resolve();
function flushTyping() {
  flushing = flushing.then(async () => {
    for (const [key, pending] of [...view.typing]) {
      clearTimeout(pending.timer);
      view.typing.delete(key);
      await act(...pending.send(pending.value));
    }
  });
  return flushing;
}

function find() {
  view.comboOpen = null;
  view.showDirectory = false;
  return flushTyping().then(() => act("/api/search-tab/find", {}));
}

function clearSearch() {
  for (const pending of view.typing.values()) clearTimeout(pending.timer);
  view.typing.clear();
  view.comboOpen = null;
  // After any text already on its way, which the clear then empties.
  return flushing.then(() => act("/api/search-tab/clear", {}));
}

// A text box of the tab; `send` makes the request that puts a text into the host's box.
function textBox(key, text, hint, title, send) {
  const pending = view.typing.get(key);
  const input = el("input", { type: "text", placeholder: hint, title, dataset: { key } });
  input.value = pending ? pending.value : text;
  input.addEventListener("input", () => typed(key, input.value, send));
  input.addEventListener("keydown", (e) => { if (e.key === "Enter") { e.preventDefault(); find(); } });
  return input;
}

// A drawing the host recorded for the page: the plug-in's calls, drawn again in their order.
// The context starts with black text on an opaque white background, as a device context does.
function drawing(operations, { width, height, fontSize }, className) {
  const box = el("div", { class: "drawing " + (className || "") });
  Object.assign(box.style, { width: width + "px", height: height + "px", fontSize: fontSize + "px" });
  let color = "#000000", transparent = false;
  const at = (node, [left, top, right, bottom]) => {
    Object.assign(node.style, { left: left + "px", top: top + "px", width: right - left + "px", height: bottom - top + "px" });
    return node;
  };
  for (const op of operations || []) {
    if (op.op === "textColor") color = op.color;
    else if (op.op === "bkMode") transparent = op.transparent;
    else if (op.op === "fill") box.append(at(el("div", { class: "fill", style: "background:" + op.color }), op.rect));
    else if (op.op === "image") box.append(at(el("img", { src: op.src, alt: "" }), [op.x, op.y, op.x + op.w, op.y + op.h]));
    else if (op.op === "text") {
      const text = at(el("div", { class: "text" + (op.vcenter ? " vcenter" : "") + (op.singleLine ? " single" : "") }), op.rect);
      // An opaque background is painted behind the letters only.
      text.append(el("span", { text: op.text, style: `color:${color};background:${transparent ? "none" : "#ffffff"}` }));
      box.append(text);
    }
  }
  return box;
}

// A combo box the plug-in draws: its closed face and the items of its list, each as drawn.
function comboBox(key, control, title, select) {
  const open = view.comboOpen === key;
  const face = el("button", { type: "button", class: "combo-face", title, "aria-haspopup": "listbox", "aria-expanded": open ? "true" : "false",
    dataset: { key, selected: control.selected } },
    drawing(control.face, control), el("span", { class: "arrow", text: "▾" }));
  const list = el("ul", { class: "combo-list", role: "listbox", hidden: !open });
  const toggle = (show) => {
    view.comboOpen = show ? key : null;
    list.hidden = !show;
    face.setAttribute("aria-expanded", show ? "true" : "false");
    if (show) (list.querySelector("li.current") || list.firstChild)?.focus();
  };
  const choose = (index) => { toggle(false); face.focus(); select(index); };
  list.append(...control.items.map((item, index) => el("li", {
    role: "option", tabindex: "-1", class: index === control.selected ? "current" : null,
    "aria-selected": index === control.selected ? "true" : "false", dataset: { item: index }, title: item.text,
    onclick: () => choose(index),
    onmouseover: (e) => e.currentTarget.focus(),
    onkeydown: (e) => { if (e.key === "Enter" || e.key === " ") { e.preventDefault(); choose(index); } },
  }, drawing(item.plain, control, "plain"), drawing(item.highlighted, control, "highlighted"))));
  face.addEventListener("click", () => toggle(list.hidden));
  face.addEventListener("keydown", (e) => {
    // As on a closed combo: the arrows step through the items, Enter searches.
    const last = control.items.length - 1;
    if (e.key === "ArrowDown" && e.altKey) { e.preventDefault(); toggle(true); }
    else if (e.key === "ArrowDown" && control.selected < last) { e.preventDefault(); select(control.selected + 1); }
    else if (e.key === "ArrowUp" && control.selected > 0) { e.preventDefault(); select(control.selected - 1); }
    else if (e.key === "Enter") { e.preventDefault(); find(); }
  });
  list.addEventListener("keydown", (e) => {
    if (e.key === "Escape") { e.preventDefault(); toggle(false); face.focus(); }
    const step = e.key === "ArrowDown" ? "nextElementSibling" : e.key === "ArrowUp" ? "previousElementSibling" : null;
    if (step && document.activeElement[step]) { e.preventDefault(); document.activeElement[step].focus(); }
  });
  return el("div", { class: "combo" }, face, list);
}

// Where the plug-in asked its control to go: its row, and its order in the row.
function position(control) {
  const xml = new DOMParser().parseFromString(control.placement || "<none/>", "application/xml");
  const at = xml.querySelector("position");
  return { row: at ? at.getAttribute("row_id") || "" : "", order: at ? Number(at.getAttribute("order_in_row")) || 0 : 0 };
}

function controlRows(group) {
  const rows = new Map();
  const placed = group.controls.map((c) => ({ c, ...position(c) }))
    .sort((a, b) => a.row.localeCompare(b.row) || a.order - b.order || a.c.index - b.c.index);
  for (const { c, row } of placed) {
    if (!rows.has(row)) rows.set(row, []);
    rows.get(row).push(c);
  }
  return [...rows.values()].map((controls) => el("div", { class: "control-row" }, ...controls.map((c) => {
    const key = group.id + ":" + c.index;
    const target = { group: group.id, control: c.index };
    let widget;
    if (c.kind === "edit") {
      widget = textBox(key, c.text, c.hint, c.tooltip, (text) => ["/api/search-tab/text", { ...target, text }]);
    } else if (c.kind === "combo") {
      widget = comboBox(key, c, c.tooltip, (item) => act("/api/search-tab/select", { ...target, item }));
    } else {
      widget = el("span", { class: "empty", text: word("unknownControl") });
    }
    // A label would pass every click inside the combo's list on to its face.
    return el(c.kind === "edit" ? "label" : "div", { class: "search-control", title: c.tooltip, dataset: { tag: c.tag, key } },
      el("span", { class: "control-caption", text: caption(c.caption) }), widget);
  })));
}

function renderSearchTab(tab) {
  const box = document.getElementById("search-tab");
  // The box the person is typing in is the same box after the tab is drawn anew.
  const active = document.activeElement;
  const focused = active && box.contains(active) && active.dataset.key
    ? { key: active.dataset.key, start: active.selectionStart, end: active.selectionEnd } : null;
  const own = el("div", { class: "group host-group" },
    el("label", { class: "search-control", dataset: { key: "name" } },
      el("span", { class: "control-caption", text: word("companyName") }),
      textBox("name", tab.name, word("nameHint"), word("nameTip"), (text) => ["/api/search-tab/name", { text }])));
  const groups = tab.groups.map((group) => {
    const buttons = group.buttons.map((button, index) => el("button", {
      type: "button", title: button.tooltip, disabled: !button.enabled, dataset: { tag: button.tag },
      onclick: () => act("/api/search-tab/button", { group: group.id, index }),
    }, image(button.image, "", 16), " ", caption(button.caption)));
    return el("div", { class: "group", dataset: { group: group.id } },
      el("div", { class: "group-head" }, image(group.icon, "", 32), el("h3", { text: group.caption }), image(group.image, "", 48)),
      el("p", { class: "description", text: group.description }),
      el("div", { class: "controls" }, ...controlRows(group)),
      buttons.length ? el("div", { class: "buttons" }, ...buttons) : null);
  });
  const actions = el("div", { class: "search-actions" },
    el("button", { type: "button", id: "find", onclick: find }, word("find")),
    el("button", { type: "button", id: "clear", onclick: clearSearch }, word("clear")));
  box.replaceChildren(own, ...groups, actions);
  if (!tab.groups.length) box.insertBefore(el("p", { class: "empty", text: word("noGroup") }), actions);
  if (focused) {
    const again = box.querySelector(`[data-key="${CSS.escape(focused.key)}"]:is(input, button)`);
    if (again) {
      again.focus();
      if (again.tagName === "INPUT" && focused.start !== null) again.setSelectionRange(focused.start, focused.end);
    }
  }
}

// ---------------------------------------------------------------- the organisation page

// The description a search gave: its criteria, then what the person was looking for.
function searchDescription(text) {
  const template = document.createElement("template");
  template.innerHTML = text || "";
  const criteria = [...template.content.querySelectorAll("criterion")].map((c) => c.textContent.trim()).filter(Boolean);
  const described = [...template.content.querySelectorAll("description")].map((d) => d.textContent.trim()).filter(Boolean);
  if (!criteria.length && !described.length) return [el("span", { text: template.content.textContent })];
  // Each on a line of its own: the criteria one phrase apiece, then what was looked for.
  return [criteria.length ? el("span", { class: "criteria", text: criteria.join("; ") }) : null,
          described.length ? el("strong", { class: "described", text: described.join("; ") }) : null].filter(Boolean);
}

function renderResults({ directory, search, showDirectory }) {
  const searching = search && !showDirectory;
  const shownList = searching ? search : directory;
  document.getElementById("results-title").textContent = shownList.title;
  document.getElementById("results-description").replaceChildren(...(searching ? searchDescription(search.description) : []));
  const rows = shownList.rows;
  document.getElementById("results-count").textContent = searching
    ? (search.count === 1 && rows.length === 1 ? word("foundOne") : search.count ? word("found", counted(rows.length, search.count)) : word("noneFound"))
    : word("listed", counted(rows.length, directory.count));
  const switcher = document.getElementById("results-switch");
  switcher.hidden = !search;
  switcher.textContent = searching ? word("allOf", directory.title) : word("backToFound");
  const list = document.getElementById("results");
  list.dataset.listing = searching ? "search" : "directory";
  list.replaceChildren(...rows.map((row) => el("li", { dataset: { company: row.id } },
    el("button", { class: "name", type: "button", text: row.name, onclick: () => openCard(row.id) }),
    el("span", { class: "marks" }, nameImages(html(row.marks))),
    el("span", { class: "note" }, html(row.note)))));
}

// How many of a list are shown: all of them, or the first of more.
function counted(shownRows, count) {
  return shownRows < count ? word("partOf", shownRows, count) : String(count);
}

function showListing(directory) {
  view.showDirectory = directory;
  if (view.page) part("results", { directory: view.page.directory, search: view.page.search, showDirectory: view.showDirectory }, renderResults);
}

function openCard(company) {
  view.menuOpen = false;
  act("/api/open", { company });
}

// The plug-in's category marks are bare images. The host gives equal pictures one address, so
// a mark is named after the card command or legend entry showing the same picture: its category.
function nameImages(box, card) {
  const names = new Map();
  for (const block of view.page && view.page.map ? view.page.map.blocks : []) if (block.image) names.set(block.image, block.caption);
  const commands = card ? [...card.buttons, ...card.submenus.flatMap((menu) => menu.items)] : [];
  for (const command of commands) if (command.image) names.set(command.image, caption(command.caption));
  for (const img of box.querySelectorAll("img")) {
    const name = names.get(img.getAttribute("src"));
    if (!name) continue;
    img.alt = name;
    (img.closest("a") || img).title = name;
  }
  return box;
}

// The card's note as the plug-in wrote it, from its first line on; nothing for no note, which
// the card then says in grey.
function noteText(note) {
  const text = html(note);
  if (text.firstChild && text.firstChild.nodeType === Node.TEXT_NODE) text.firstChild.textContent = text.firstChild.textContent.replace(/^\s+/, "");
  return text.textContent.trim() || text.querySelector("img") ? text : null;
}

function renderCard(card) {
  const box = document.getElementById("card");
  if (!card) {
    box.replaceChildren(el("p", { class: "empty", text: word("pickCompany") }));
    return;
  }
  const command = (c, event) => {
    view.menuOpen = false;
    for (const list of box.querySelectorAll(".menu ul")) list.hidden = true;
    const body = { card: card.id, tag: c.tag };
    if (event) body.pointer = { x: Math.round(event.clientX), y: Math.round(event.clientY) };
    act("/api/card/command", body);
  };
  const buttons = card.buttons.map((b) => el("button", {
    type: "button", title: b.tooltip, disabled: !b.enabled, class: b.checked ? "checked" : null,
    dataset: { tag: b.tag }, onclick: (e) => command(b, e),
  }, image(b.image, "", 16), b.image ? " " : null, caption(b.caption)));
  const menus = card.submenus.map((menu, index) => {
    const list = el("ul", { hidden: !view.menuOpen, role: "menu" }, ...menu.items.map((item) => el("li", { role: "none" },
      el("button", {
        type: "button", role: "menuitemcheckbox", "aria-checked": item.checked ? "true" : "false",
        disabled: !item.enabled, dataset: { tag: item.tag }, onclick: (e) => command(item, e),
      }, el("span", { class: "check", text: item.checked ? "✓" : "" }), image(item.image, "", 16), caption(item.caption)))));
    return el("div", { class: "menu", dataset: { menu: index } },
      el("button", { type: "button", "aria-haspopup": "menu", onclick: () => { view.menuOpen = !view.menuOpen; list.hidden = !view.menuOpen; } },
        caption(menu.caption), " ▾"), list);
  });
  box.replaceChildren(
    el("div", { class: "company", dataset: { company: card.id }, text: card.name }),
    card.address ? el("div", { class: "address", text: card.address }) : null,
    el("div", { class: "note", id: "card-note", dataset: { empty: word("noNote") } }, noteText(card.note)),
    el("div", { class: "marks", id: "card-marks" }, nameImages(html(card.marks, (target) => {
      view.showDirectory = false;
      act("/api/card/link", { card: card.id, target });
    }), card)),
    el("div", { class: "commands" }, ...menus, ...buttons),
    el("div", { class: "card-foot" },
      el("button", { type: "button", id: "card-close", onclick: () => { view.menuOpen = false; act("/api/card/close", { card: card.id }); } }, word("closeCard")),
      card.open > 1 ? el("span", { text: word("moreCards", card.open - 1) }) : null));
}

// ---------------------------------------------------------------- the map

async function loadPlan() {
  try {
    view.plan = await getJson("/api/plan");
    drawPlan();
    delete shown.map;
    if (view.page) part("map", view.page.map, renderMap);
  } catch (e) {
    status(word("noMap", e.message), true);
  }
}

function drawPlan() {
  const plan = view.plan;
  if (plan.geo) { // a city with coordinates: a map, not the plan of rows
    document.getElementById("map-scroll").hidden = true;
    const hint = document.getElementById("map-hint");
    hint.dataset.word = "geoHint";
    hint.textContent = word("geoHint");
    geoMap.show(plan.geo, document.getElementById("geo-map"), showPanel);
    return;
  }
  const map = document.getElementById("map");
  map.setAttribute("width", plan.width);
  map.setAttribute("height", plan.height);
  map.setAttribute("viewBox", `0 0 ${plan.width} ${plan.height}`);
  const parts = [];
  for (const street of plan.streets) {
    parts.push(svg("rect", { class: "road", x: street.x, y: street.y, width: street.w, height: 10, rx: 3 }));
    parts.push(svg("text", { class: "street-name", x: street.x + 4, y: street.y + 22, text: street.name }));
  }
  for (const b of plan.buildings) {
    // A house is reached with Tab and opened with Enter or Space, as a button is.
    parts.push(svg("g", { class: "house", id: "building-" + b.id, "data-building": b.id, tabindex: 0, role: "button",
      "aria-label": b.address, onclick: () => showPanel(b.id),
      onkeydown: (e) => { if (e.key === "Enter" || e.key === " ") { e.preventDefault(); showPanel(b.id); } } },
      svg("title", { text: b.address }),
      svg("rect", { x: b.x, y: b.y, width: b.w, height: b.h, rx: 2 }),
      svg("text", { x: b.x + 3, y: b.y + 10, text: b.label }),
      svg("g", { class: "marks" })));
  }
  map.replaceChildren(...parts);
}

function renderMap(marks) {
  const legend = document.getElementById("legend");
  legend.replaceChildren(...marks.blocks.map((block) => el("li", { dataset: { block: block.tag } },
    image(block.image, "", 16), el("span", { text: block.caption }),
    el("span", { class: "count", text: block.buildings.length ? `(${block.buildings.length})` : "" }))));
  if (!view.plan) return;
  const byBuilding = new Map();
  for (const block of marks.blocks) {
    for (const id of block.buildings) {
      if (!byBuilding.has(id)) byBuilding.set(id, []);
      byBuilding.get(id).push(block);
    }
  }
  if (view.plan.geo) return geoMap.mark(byBuilding, view.selectedBuilding);
  for (const b of view.plan.buildings) {
    const house = document.getElementById("building-" + b.id);
    if (!house) continue;
    const blocks = byBuilding.get(b.id) || [];
    house.classList.toggle("marked", blocks.length > 0);
    house.classList.toggle("selected", view.selectedBuilding === b.id);
    house.dataset.blocks = blocks.map((block) => block.tag).join(" ");
    const images = house.querySelector(".marks");
    images.replaceChildren(...blocks.map((block, n) => svg("image", {
      href: block.image || "", x: b.x + 2 + (n % 3) * 12, y: b.y + 13 + Math.floor(n / 3) * 12, width: 12, height: 12,
      "data-block": block.tag,
    })));
  }
}

function showPanel(building) {
  view.selectedBuilding = building;
  if (view.page) renderMap(view.page.map);
  if (!view.plan.geo) scrollHouseIntoView(building);
  return loadPanel(building);
}

// Scrolls the plan's own box, not the page, until the chosen house is whole in view.
function scrollHouseIntoView(building) {
  const box = document.getElementById("map-scroll");
  const house = document.getElementById("building-" + building);
  if (!house) return;
  const outer = box.getBoundingClientRect(), inner = house.getBoundingClientRect();
  const right = outer.left + box.clientLeft + box.clientWidth, bottom = outer.top + box.clientTop + box.clientHeight;
  if (inner.left < outer.left) box.scrollLeft -= outer.left - inner.left;
  else if (inner.right > right) box.scrollLeft += inner.right - right;
  if (inner.top < outer.top) box.scrollTop -= outer.top - inner.top;
  else if (inner.bottom > bottom) box.scrollTop += inner.bottom - bottom;
}

async function loadPanel(building) {
  const box = document.getElementById("panel");
  try {
    const panel = await getJson("/api/panel?building=" + building);
    const names = new Map(panel.companies.map((c) => [c.id, c.name]));
    box.replaceChildren(
      el("h3", { id: "panel-address", dataset: { building }, text: panel.address }),
      panel.companies.length
        ? el("ul", { class: "companies" }, ...panel.companies.map((c) => el("li", { dataset: { company: c.id } },
          el("button", { type: "button", class: "company-link", text: c.name, onclick: () => openCard(c.id) }))))
        : el("p", { class: "empty", text: word("noCompanyHere") }),
      ...panel.filters.map((f) => el("div", { class: "filter", dataset: { block: f.tag } },
        el("div", {}, image(f.image, "", 16), " ", sanitize(f.description)),
        el("div", { class: "hint", text: f.companies.map((id) => names.get(id) || id).join(", ") }))));
  } catch (e) {
    box.replaceChildren(el("p", { class: "empty", text: e.message }));
  }
}

// ---------------------------------------------------------------- modals

// The page draws each modal once and then only updates it, so that what the person is typing
// is not lost when the host reports again.
const drawn = new Map(); // serial -> { node, update(modal) }

function renderModals(modals) {
  const layer = document.getElementById("modals");
  const open = new Set(modals.map((m) => m.serial));
  for (const [serial, entry] of drawn) {
    if (!open.has(serial)) { entry.node.remove(); drawn.delete(serial); delete view.files[serial]; }
  }
  if (!modals.length) { layer.replaceChildren(); return; }
  modals.forEach((modal, depth) => {
    let entry = drawn.get(modal.serial);
    if (!entry) {
      entry = modal.kind === "dialog" ? drawDialog(modal) : modal.kind === "message" ? drawMessage(modal) : drawFileDialog(modal);
      drawn.set(modal.serial, entry);
      const shade = el("div", { class: "modal-layer", dataset: { serial: modal.serial, kind: modal.kind } }, entry.node);
      entry.node = shade;
      layer.append(shade);
    }
    entry.update(modal, depth === modals.length - 1);
  });
}

// Where a window goes: where the host put it, kept inside the browser's window.
function place(node, x, y, w, h) {
  const left = Math.max(8, Math.min(x, window.innerWidth - w - 8));
  const top = Math.max(8, Math.min(y, window.innerHeight - h - 8));
  Object.assign(node.style, { left: left + "px", top: top + "px", width: w + "px", height: h + "px" });
}

function windowFrame(title, onClose, clientTop) {
  const close = el("button", { type: "button", class: "close-box", title: word("close"), onclick: onClose }, "×");
  const bar = el("div", { class: "caption" }, el("span", { class: "title", text: title }), close);
  if (clientTop) bar.style.height = clientTop + "px";
  return { bar, close };
}

function toWindows(text) { return text.replace(/\r?\n/g, "\r\n"); }
function fromWindows(text) { return text.replace(/\r\n/g, "\n"); }

// The icon a dialog's icon control names by its standard resource id; any other is a warning.
const kInformationIcon = 32516;
const kListRowHeight = 16;

// How each kind of dialog control is made and kept up to date. `d` is the dialog the control is
// in: send, flush (typed text first), the edits it watches, its window and whether it is on top.
const buttonControl = (extraClass) => ({
  make: (c, d) => el("button", { type: "button", class: "control" + extraClass, dataset: { control: c.id },
    onclick: async () => { if (await d.flush()) d.send({ action: "press", control: c.id }); } }),
  update: (n, c) => { n.textContent = caption(c.text); n.disabled = !c.enabled; },
});

const staticControl = { make: (c) => el("div", { class: "control static", dataset: { control: c.id } }) };

const dialogControls = {
  "button": buttonControl(""),
  "default-button": buttonControl(" default"),
  "edit": {
    make(c, d) {
      const n = c.multiline ? el("textarea", { class: "control", dataset: { control: c.id } })
                            : el("input", { class: "control", type: "text", dataset: { control: c.id } });
      const edit = { input: n, dirty: false, timer: null, multiline: c.multiline };
      d.edits.set(c.id, edit);
      n.addEventListener("input", () => {
        edit.dirty = true;
        clearTimeout(edit.timer);
        edit.timer = setTimeout(d.flush, 400);
      });
      n.addEventListener("keydown", async (e) => {
        // Enter in a multi-line edit is a line break; the host is told with the rest of the text.
        if (e.key === "Enter" && !c.multiline) { e.preventDefault(); e.stopPropagation(); if (await d.flush()) d.send({ action: "enter" }); }
      });
      return n;
    },
    update(n, c, d) {
      const edit = d.edits.get(c.id);
      const text = c.multiline ? fromWindows(c.text) : c.text;
      if (!edit.dirty && n.value !== text) n.value = text;
      n.disabled = !c.enabled;
      if (c.focused && d.onTop && !d.node.dataset.focused) { d.node.dataset.focused = "1"; setTimeout(() => n.focus(), 0); }
    },
  },
  "group": {
    make: (c) => el("div", { class: "control group-box", dataset: { control: c.id } }, el("span")),
    update: (n, c) => { n.firstChild.textContent = caption(c.text); },
  },
  "icon": {
    make: (c) => el("div", { class: "control icon", dataset: { control: c.id }, text: c.icon === kInformationIcon ? "i" : "!" }),
  },
  "list": {
    make: (c) => el("div", { class: "control list", role: "listbox", dataset: { control: c.id } }),
    update: (n, c, d) => updateDialogList(n, c, d),
  },
  "static": { ...staticControl, update: (n, c) => { n.textContent = caption(c.text); } },
};

// A list of items laid out in columns, its item being renamed (if any) as a box of its own.
function updateDialogList(n, c, d) {
  const editingInput = n.querySelector(".item.editing input");
  if (editingInput && document.activeElement === editingInput && c.editing >= 0) return;
  const rows = Math.max(1, Math.floor((c.h - 2) / kListRowHeight));
  let widest = 0;
  for (const item of c.items) widest = Math.max(widest, item.text.length * 6 + 24);
  n.replaceChildren(...c.items.map((item, i) => {
    const at = { left: Math.floor(i / rows) * (widest + 4) + 2 + "px", top: (i % rows) * kListRowHeight + 1 + "px" };
    if (i === c.editing) {
      const input = el("input", { type: "text", value: item.text });
      let ended = false;
      const end = (text) => { if (ended) return; ended = true; d.send(text === null ? { action: "cancel-edit" } : { action: "end-edit", text }); };
      input.addEventListener("keydown", (e) => {
        if (e.key === "Enter") { e.preventDefault(); e.stopPropagation(); end(input.value); }
        if (e.key === "Escape") { e.preventDefault(); e.stopPropagation(); end(null); }
      });
      input.addEventListener("blur", () => end(input.value));
      const row = el("div", { class: "item editing", role: "option", dataset: { item: i } }, image(item.image, "", 16), input);
      Object.assign(row.style, at);
      setTimeout(() => { input.focus(); input.select(); }, 0);
      return row;
    }
    const row = el("div", { class: "item", role: "option", dataset: { item: i },
      onclick: async () => { if (await d.flush()) d.send({ action: "click-item", item: i }); } },
      image(item.image, "", 16), el("span", { text: item.text }));
    Object.assign(row.style, at);
    return row;
  }));
}

function drawDialog(modal) {
  const serial = modal.serial;
  const send = (body) => act("/api/dialog", { serial, ...body });
  const node = el("div", { class: "window dialog", role: "dialog", "aria-modal": "true", dataset: { template: modal.template } });
  const frame = windowFrame(modal.caption, async () => { if (await flush()) send({ action: "close" }); }, modal.client.y);
  const client = el("div", { class: "client" });
  const trouble = el("div", { class: "dialog-error", role: "alert", hidden: true });
  node.append(frame.bar, client, trouble);
  const edits = new Map(); // control id -> { input, dirty, timer, multiline }
  const controls = new Map();
  const dialog = { send, flush, edits, node, onTop: false };

  // Typed text reaches the dialog before any click or key that follows it. When it cannot, the
  // dialog stays as it is and says why: nothing typed is dropped without a word.
  async function flush() {
    for (const [id, edit] of edits) {
      if (!edit.dirty) continue;
      clearTimeout(edit.timer);
      edit.dirty = false;
      const value = edit.multiline ? toWindows(edit.input.value) : edit.input.value;
      const answer = await send({ action: "set", control: id, text: value });
      if (!answer || answer.error) {
        edit.dirty = true;
        trouble.textContent = word("notTyped", answer ? answer.error : word("unreachable"));
        trouble.hidden = false;
        return false;
      }
    }
    trouble.hidden = true;
    return true;
  }

  function update(m, onTop) {
    place(node, m.x, m.y, m.w, m.h);
    frame.bar.querySelector(".title").textContent = m.caption;
    Object.assign(client.style, { left: m.client.x + "px", top: m.client.y + "px",
      width: m.w - 2 * m.client.x + "px", height: m.h - m.client.y - m.client.x + "px" });
    node.inert = !onTop;
    dialog.onTop = onTop;
    m.controls.forEach((c, index) => {
      // Several static texts may share the id -1: those are told apart by their place.
      const key = c.id === -1 ? "#" + index : c.id + ":" + c.kind;
      const kind = dialogControls[c.kind] || staticControl;
      let n = controls.get(key);
      if (!n) {
        n = kind.make(c, dialog);
        Object.assign(n.style, { left: c.x + "px", top: c.y + "px", width: c.w + "px", height: c.h + "px" });
        client.append(n);
        controls.set(key, n);
      }
      if (kind.update) kind.update(n, c, dialog);
    });
  }

  node.addEventListener("keydown", async (e) => {
    if (e.key === "Escape") { e.preventDefault(); await flush(); send({ action: "escape" }); }
    if (e.key === "Enter" && e.target.tagName !== "TEXTAREA" && e.target.tagName !== "BUTTON") {
      e.preventDefault(); if (await flush()) send({ action: "enter" });
    }
  });
  return { node, update };
}

const iconGlyphs = { information: "i", warning: "!", question: "?", error: "×" };

function drawMessage(modal) {
  const answer = (name) => act("/api/message", { serial: modal.serial, answer: name });
  const way = modal.buttons.includes("cancel") ? "cancel" : modal.buttons.includes("no") ? null : "ok";
  const frame = windowFrame(modal.caption, () => way && answer(way));
  if (!way) frame.close.disabled = true;
  frame.bar.style.position = "static";
  frame.bar.style.height = "26px";
  const icon = modal.icon !== "none" ? el("div", { class: "control icon " + modal.icon, style: "position:static;width:32px;height:32px;flex:none", text: iconGlyphs[modal.icon] }) : null;
  const node = el("div", { class: "window message", role: "alertdialog", "aria-modal": "true" },
    frame.bar,
    el("div", { class: "body" }, icon, el("div", { class: "text", text: modal.text })),
    el("div", { class: "buttons" }, ...modal.buttons.map((name, i) =>
      el("button", { type: "button", dataset: { answer: name }, autofocus: i === 0, onclick: () => answer(name) }, ["ok", "cancel", "yes", "no"].includes(name) ? word(name) : name))));
  node.addEventListener("keydown", (e) => { if (e.key === "Escape" && way) { e.preventDefault(); answer(way); } });
  const update = (m, onTop) => {
    node.style.position = "absolute";
    node.style.left = Math.max(8, (window.innerWidth - node.offsetWidth) / 2) + "px";
    node.style.top = Math.max(8, window.innerHeight / 3 - node.offsetHeight / 2) + "px";
    node.inert = !onTop;
    if (onTop && !node.dataset.focused) { node.dataset.focused = "1"; setTimeout(() => { const b = node.querySelector(".buttons button"); if (b) b.focus(); }, 0); }
  };
  return { node, update };
}

// A pattern such as "*.xml" as a test of names.
function matcher(pattern) {
  const parts = (pattern || "*").split(";").map((p) => p.trim()).filter(Boolean).map((p) =>
    new RegExp("^" + p.replace(/[.+^${}()|[\]\\]/g, "\\$&").replace(/\*/g, ".*").replace(/\?/g, ".") + "$", "i"));
  return (name) => parts.some((re) => re.test(name));
}

function drawFileDialog(modal) {
  const serial = modal.serial;
  const state = view.files[serial] = { folder: modal.roots.length ? modal.roots[0].path : "", name: modal.name || "", filter: 0 };
  const title = modal.save ? word("saveAs") : word("open");
  const frame = windowFrame(title, () => act("/api/file", { serial, cancel: true }));
  frame.bar.style.position = "static";
  frame.bar.style.height = "26px";
  const roots = el("div", { class: "roots" }, ...modal.roots.map((root) =>
    el("button", { type: "button", dataset: { root: root.name }, onclick: () => { state.folder = root.path; list(); } }, root.name)));
  const path = el("div", { class: "path" });
  const entries = el("ul", { class: "entries", role: "listbox" });
  const name = el("input", { type: "text", class: "file-name", value: state.name, "aria-label": word("fileName").replace(/:\s*$/, "") });
  const filter = el("select", { class: "filter" }, ...modal.filters.map((f, i) => el("option", { value: i, text: `${f.description} (${f.pattern})` })));
  const error = el("div", { class: "error" });
  const choose = () => {
    const file = name.value.trim();
    if (!file) { error.textContent = word("typeName"); return; }
    act("/api/file", { serial, path: state.folder.replace(/\/$/, "") + "/" + file });
  };
  name.addEventListener("keydown", (e) => { if (e.key === "Enter") { e.preventDefault(); choose(); } });
  filter.addEventListener("change", () => { state.filter = Number(filter.value); list(); });
  async function list() {
    path.textContent = state.folder;
    error.textContent = "";
    try {
      const answer = await getJson("/api/files?path=" + encodeURIComponent(state.folder));
      const keep = matcher(modal.filters.length ? modal.filters[state.filter].pattern : "*");
      const rows = [];
      const atRoot = modal.roots.some((r) => r.path === answer.path);
      if (!atRoot) rows.push(el("li", { class: "folder", onclick: () => { state.folder = answer.path.replace(/\/[^/]*$/, "") || "/"; list(); } }, ".."));
      for (const entry of answer.entries) {
        if (!entry.folder && !keep(entry.name)) continue;
        rows.push(el("li", { class: entry.folder ? "folder" : "file", dataset: { name: entry.name },
          onclick: (e) => {
            if (entry.folder) { state.folder = answer.path + "/" + entry.name; list(); return; }
            name.value = entry.name;
            for (const li of entries.children) li.classList.toggle("selected", li === e.currentTarget);
          },
          ondblclick: () => { if (!entry.folder) { name.value = entry.name; choose(); } } }, entry.name));
      }
      entries.replaceChildren(...rows);
    } catch (e) {
      error.textContent = e.message;
    }
  }
  const node = el("div", { class: "window filedialog", role: "dialog", "aria-modal": "true", dataset: { save: modal.save ? "1" : "0" } },
    frame.bar,
    el("div", { class: "body" }, roots, path, entries,
      el("label", {}, word("fileName"), name), filter, error),
    el("div", { class: "buttons" },
      el("button", { type: "button", class: "choose", onclick: choose }, modal.save ? word("save") : word("open")),
      el("button", { type: "button", class: "cancel", onclick: () => act("/api/file", { serial, cancel: true }) }, word("cancel"))));
  node.addEventListener("keydown", (e) => { if (e.key === "Escape") { e.preventDefault(); act("/api/file", { serial, cancel: true }); } });
  list();
  const update = (m, onTop) => {
    node.style.position = "absolute";
    node.style.left = Math.max(8, (window.innerWidth - 520) / 2) + "px";
    node.style.top = "80px";
    node.inert = !onTop;
    if (onTop && !node.dataset.focused) { node.dataset.focused = "1"; setTimeout(() => name.focus(), 0); }
  };
  return { node, update };
}

// ---------------------------------------------------------------- start

document.getElementById("language").addEventListener("change", (e) => act("/api/language", { language: Number(e.target.value) }));
document.getElementById("restart").addEventListener("click", () => act("/api/restart", {}));
document.getElementById("options").addEventListener("click", () => act("/api/options", {}));
document.getElementById("results-switch").addEventListener("click", () => showListing(!view.showDirectory));
document.addEventListener("click", (e) => {
  if (view.menuOpen && !e.target.closest(".menu")) {
    view.menuOpen = false;
    for (const list of document.querySelectorAll(".menu ul")) list.hidden = true;
  }
  if (view.comboOpen && !e.target.closest(".combo")) {
    view.comboOpen = null;
    for (const list of document.querySelectorAll(".combo-list")) list.hidden = true;
    for (const face of document.querySelectorAll(".combo-face")) face.setAttribute("aria-expanded", "false");
  }
});
busy();
loadPlan();
pollNow();
