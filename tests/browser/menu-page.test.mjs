// The menu page in Debian's Chromium: pixels from screenshots at a device
// scale factor of 1, the pointer through Chromium's own input, timers through
// Playwright's clock so that every run sees the same steps.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { launch } from "./chromium.mjs";
import { spawnSync } from "node:child_process";
import { decodePng } from "./png.mjs";
import { CONTROLS, INFO_LABEL, WINDOW, expectedControls, inOutline, looks, writeDisc } from "./test-disc.mjs";

const work = fs.mkdtempSync(path.join(os.tmpdir(), "menu-page-"));
let browser;

before(async () => {
  browser = await launch();
});
after(async () => {
  await browser?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The page skincheck writes of the test disc at a scale.
function pageOf(scale) {
  const disc = path.join(work, "disc"), file = path.join(work, `menu-${scale}.html`);
  if (!fs.existsSync(disc)) writeDisc(disc);
  if (!fs.existsSync(file)) {
    const run = spawnSync(process.env.AK_SKINCHECK, ["--html", file, "--scale", String(scale), disc], { encoding: "utf8" });
    assert.equal(run.status, 1, run.stderr); // the guide is missing: one error
  }
  return file;
}

// The page of the test disc at a scale, opened from file:// with the clock held.
async function open(scale) {
  const file = pageOf(scale);
  const context = await browser.newContext({ viewport: { width: 1000, height: 800 }, deviceScaleFactor: 1 });
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  page.on("requestfailed", (r) => errors.push("request " + r.url()));
  await page.clock.install({ time: 0 });
  await page.clock.pauseAt(1000); // time moves only when a test moves it
  await page.goto("file://" + file);
  await page.waitForSelector("#menu[data-ready]", { state: "attached" });
  await page.evaluate(() => document.fonts.ready);
  const box = await page.locator("#menu").boundingBox();
  const at = (x, y) => [box.x + x + 0.5, box.y + y + 0.5]; // a skin pixel's centre on the page
  return {
    page, box, errors, at,
    shot: async () => decodePng(await page.screenshot({ clip: { x: box.x, y: box.y, width: box.width, height: box.height } })),
    move: (x, y) => page.mouse.move(...at(x, y)),
    action: () => page.textContent("#action"),
    label: (name) => page.textContent(`.label[data-name="${name}"] .text`),
    close: () => context.close(),
  };
}

// Every pixel of `rect` (window coordinates) that `where` accepts has the colour `picture` gives there.
function expectPixels(shot, rect, colour, what, where = () => true) {
  let bad = 0, first = "";
  for (let y = rect[1]; y < rect[3]; y++)
    for (let x = rect[0]; x < rect[2]; x++) {
      if (!where(x, y)) continue;
      const got = shot.at(x, y), want = colour(x, y);
      if (got.some((v, i) => v !== want[i]) && !bad++) first = `(${x}, ${y}) is ${got}, not ${want}`;
    }
  assert.equal(bad, 0, `${what}: ${bad} pixels differ, first ${first}`);
}
const within = (r) => (x, y) => x >= r[0] && y >= r[1] && x < r[2] && y < r[3];
const centre = (r) => [Math.trunc((r[0] + r[2]) / 2), Math.trunc((r[1] + r[3]) / 2)];
const byName = (s) => Object.fromEntries(expectedControls(s).map((c) => [c.name, c]));

for (const scale of [1, 2]) {
  test(`at rest at ${scale}x: Main inside the outline, the page outside it, which the pointer does not reach`, async () => {
    const m = await open(scale), pics = looks(scale), all = expectedControls(scale);
    const drawnOwn = all.filter((c) => c.kind === "label" || c.kind === "trackbar").map((c) => within(c.rect));
    const shot = await m.shot();
    expectPixels(shot, [0, 0, WINDOW[0] * scale, WINDOW[1] * scale], pics.main.at, "the window at rest",
      (x, y) => inOutline(scale)(x, y) && !drawnOwn.some((f) => f(x, y)));
    const corner = shot.at(2 * scale, 2 * scale);
    assert.notDeepEqual(corner, pics.main.at(2 * scale, 2 * scale), "the corner cut away shows the page");
    assert.equal(await m.page.evaluate(([x, y]) => !!document.elementFromPoint(x, y).closest("#menu"), m.at(2 * scale, 2 * scale)), false);
    await m.page.mouse.click(...m.at(2 * scale, 2 * scale));
    assert.equal(await m.action(), "");
    assert.deepEqual(m.errors, []);
    await m.close();
  });

  test(`at ${scale}x a button hovered, pressed, left and come back shows the Over, Down and Main crops`, async () => {
    const m = await open(scale), pics = looks(scale), b = byName(scale).ID_BUTTON1;
    const look = async (picture, what) => expectPixels(await m.shot(), b.rect, picture.at, what);
    await m.move(...centre(b.rect));
    await look(pics.over, "hovered");
    await m.page.mouse.down();
    await look(pics.down, "pressed");
    await m.move(75 * scale, 35 * scale); // off the button, onto the background, the button held
    await look(pics.main, "pressed, the pointer off it");
    await m.move(b.rect[0] + 1, b.rect[1] + 1);
    await look(pics.down, "pressed again when the pointer is back");
    await m.page.mouse.up();
    await look(pics.main, "released: the click ends the hover");
    assert.equal(await m.action(), b.action);
    await m.move(b.rect[0] + 2, b.rect[1] + 1);
    await look(pics.over, "hovered again at the next move");
    const t = byName(scale).ID_ICON; // the static look
    await m.move(...centre(t.rect));
    await m.page.mouse.down();
    expectPixels(await m.shot(), t.rect, pics.main.at, "a static look pressed");
    await m.page.mouse.up();
    await m.close();
  });
}

test("a ButtonEx reacts only inside its own outline, and is drawn only there", async () => {
  const m = await open(1), pics = looks(1), r = byName(1).ID_ROUND;
  const diamond = (x, y) => Math.abs(2 * (x - r.rect[0]) - 29) + Math.abs(2 * (y - r.rect[1]) - 29) <= 30;
  await m.move(r.rect[0] + 1, r.rect[1] + 1); // in the rectangle, outside the diamond
  expectPixels(await m.shot(), r.rect, pics.main.at, "the pointer outside the shape");
  await m.page.mouse.down();
  await m.page.mouse.up();
  assert.equal(await m.action(), "");
  await m.move(...centre(r.rect));
  const shot = await m.shot();
  expectPixels(shot, r.rect, pics.over.at, "inside the shape", diamond);
  expectPixels(shot, r.rect, pics.main.at, "around the shape", (x, y) => !diamond(x, y));
  await m.page.mouse.down(); // a press inside the shape released in the rectangle outside it is a click
  await m.move(r.rect[0] + 1, r.rect[1] + 1);
  expectPixels(await m.shot(), r.rect, pics.down.at, "pressed, the pointer outside the shape", diamond);
  await m.page.mouse.up();
  assert.equal(await m.action(), r.action);
  await m.close();
});

test("the tooltip shows after Windows' default delay of 500 ms and hides when the pointer leaves", async () => {
  const m = await open(1), c = byName(1);
  const tip = () => m.page.evaluate(() => { const t = document.getElementById("tooltip"); return t.hidden ? null : t.textContent; });
  await m.move(...centre(c.ID_BUTTON1.rect));
  await m.page.clock.runFor(490);
  assert.equal(await tip(), null);
  await m.page.clock.runFor(20);
  assert.equal(await tip(), "Install the product");
  await m.move(75, 35);
  assert.equal(await tip(), null);
  await m.move(...centre(c.ID_BAR.rect));
  await m.page.clock.runFor(510);
  assert.equal(await tip(), "Set the level");
  await m.move(...centre(c.ID_ICON.rect)); // no text: no tip
  await m.page.clock.runFor(1000);
  assert.equal(await tip(), null);
  await m.close();
});

test("a label too long for its width scrolls one character every 150 ms with ' ** ' between passes", async () => {
  const m = await open(1);
  const n = INFO_LABEL.length, shown = async (what) => assert.equal(await m.label("ID_INFO"), what);
  await shown(INFO_LABEL);
  for (const step of [1, 2, 3]) {
    await m.page.clock.runFor(150);
    await shown(INFO_LABEL.substring(step)); // still longer than the label
  }
  await m.page.clock.runFor(150 * (n - 5));
  assert.ok((await m.label("ID_INFO")).startsWith(INFO_LABEL.substring(n - 2) + " ** " + INFO_LABEL));
  await m.page.clock.runFor(300);
  assert.ok((await m.label("ID_INFO")).startsWith(" ** " + INFO_LABEL));
  await m.page.clock.runFor(150);
  await shown(INFO_LABEL); // n + 1 steps make one pass
  assert.equal(await m.label("ID_TITLE"), "Demo"); // a text that fits stays
  await m.close();
});

test("#action says what each click does, and a program button's text goes into ID_INFO", async () => {
  const m = await open(1);
  for (const c of expectedControls(1)) {
    await m.page.evaluate(() => { document.getElementById("action").textContent = ""; });
    await m.page.mouse.click(...m.at(...centre(c.rect)));
    assert.equal(await m.action(), c.action, c.name);
    if (c.info) assert.ok((await m.label("ID_INFO")).startsWith(c.info), c.name);
  }
  await m.close();
});

test("the trackbar shows its thumb at its position, the pressed thumb while dragged, and follows the drag", async () => {
  const m = await open(1), pics = looks(1), t = byName(1).ID_VOLUME;
  const thumbAt = (left) => [t.rect[0] + left, t.rect[1], t.rect[0] + left + 8, t.rect[1] + 10];
  const shows = async (left, pic, what) => {
    const r = thumbAt(left);
    expectPixels(await m.shot(), r, (x, y) => pic.at(x - r[0], y - r[1]), what);
  };
  await shows(36, pics.thumb, "position 50");
  await m.move(t.rect[0] + 40, t.rect[1] + 5);
  await m.page.mouse.down();
  await shows(36, pics.thumbDown, "pressed");
  await m.move(t.rect[2] + 20, t.rect[1] + 5); // past the end
  await shows(72, pics.thumbDown, "dragged to the end");
  await m.page.mouse.up();
  await shows(72, pics.thumb, "released");
  await m.close();
});

test("the progress bar fills from a press and follows the drag until the pointer leaves it", async () => {
  const m = await open(1), pics = looks(1), p = byName(1).ID_BAR;
  const filled = async (width) => {
    const shot = await m.shot();
    expectPixels(shot, p.rect, pics.down.at, `filled ${width}`, (x) => x < p.rect[0] + width);
    expectPixels(shot, p.rect, pics.main.at, `empty past ${width}`, (x) => x >= p.rect[0] + width);
  };
  await filled(0);
  await m.move(p.rect[0] + 10, p.rect[1] + 5);
  await m.page.mouse.down();
  await filled(10); // 25 % of 40
  await m.move(p.rect[0] + 30, p.rect[1] + 5);
  await filled(30);
  await m.move(p.rect[0] + 30, p.rect[3] + 3); // off the bar: the drag stops following
  await m.move(p.rect[0] + 5, p.rect[1] + 5);
  await filled(30);
  await m.page.mouse.up();
  await m.close();
});

test("a finding in the list outlines its control: on its line of main.ini or its entry in AUTORUN.INF", async () => {
  const m = await open(1), c = byName(1), outlined = [];
  for (const li of await m.page.locator("#findings li.tied").all()) {
    await li.click();
    const mark = await m.page.locator("#marks .mark").boundingBox();
    const r = [mark.x - m.box.x, mark.y - m.box.y, mark.x - m.box.x + mark.width, mark.y - m.box.y + mark.height];
    const name = Object.values(c).find((e) => e.rect.every((v, i) => v === r[i]))?.name;
    assert.ok((await li.textContent()).includes(name), `${await li.textContent()} outlines ${name}`);
    outlined.push(name);
  }
  for (const name of ["ID_TITLE", "ID_BUTTON3"]) assert.ok(outlined.includes(name), name); // main.ini, AUTORUN.INF
  await m.close();
});

test("the language choice shows the window as the users of the chosen language see it", async () => {
  const m = await open(1), c = byName(1);
  assert.deepEqual(await m.page.$$eval("#language option", (o) => o.map((e) => e.value)), ["", "tr"]);
  await Promise.all([m.page.waitForEvent("load"), m.page.selectOption("#language", "tr")]);
  await m.page.waitForSelector("#menu[data-ready]", { state: "attached" });
  assert.equal(await m.page.inputValue("#language"), "tr");
  const tips = await m.page.$$eval("#controls tbody tr", (rows) => rows.map((r) => r.cells[2].textContent));
  assert.equal(tips[1], "Kılavuzu okuyun");
  expectPixels(await m.shot(), c.ID_EXIT.rect, looks(1).over.at, "the Turkish Main look"); // the Over pictures at rest
  await m.close();
});

assert.equal(CONTROLS.length, expectedControls(1).length);
