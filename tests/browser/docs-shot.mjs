// node docs-shot.mjs PAGE.html OUT.png CLICKED HOVERED PRESSED [TICKER.html LABEL]:
// the menu page as a person uses it, for the README: on the left after a click
// on CLICKED (its action under the window, the ticker moving) with the pointer
// resting on HOVERED (its Over look and tooltip); on the right the window while
// PRESSED is held down; below, when given, the label LABEL of another page at
// three moments 1.5 s apart, for a page whose own labels all fit. Names are the
// controls' names.
import fs from "node:fs";
import path from "node:path";
import { launch } from "./chromium.mjs";
import { decodePng, encodePng, picture } from "./png.mjs";

const [file, out, clicked, hovered, pressed, tickerFile, tickerLabel] = process.argv.slice(2);
const browser = await launch();
const page = await browser.newPage({ viewport: { width: 1280, height: 1000 }, deviceScaleFactor: 1 });
await page.goto("file://" + path.resolve(file));
await page.waitForSelector("#menu[data-ready]", { state: "attached" });
const centre = async (name) => {
  const b = await page.locator(`#menu .control[data-name="${name}"]`).first().boundingBox();
  return [b.x + b.width / 2, b.y + b.height / 2];
};
await page.mouse.click(...await centre(clicked));
await page.waitForTimeout(1200); // the ticker moves on
await page.mouse.move(...await centre(hovered));
await page.waitForTimeout(800); // past the tooltip's delay
// The window with a margin of the page around it, and the line saying what the click did.
const frame = await page.locator("#frame").boundingBox(), click = await page.locator("#click").boundingBox();
const stage = { x: 0, y: 0, width: Math.max(frame.x + frame.width + 24, 480), height: frame.y + frame.height + 24 };
const left = decodePng(await page.screenshot({ clip: { ...stage, height: click.y + click.height + 12 } }));
await page.mouse.move(...await centre(pressed));
await page.mouse.down();
const right = decodePng(await page.screenshot({ clip: stage }));
await page.mouse.up();
const ticks = [];
if (tickerFile) {
  await page.setViewportSize({ width: 2400, height: 1400 });
  await page.goto("file://" + path.resolve(tickerFile));
  await page.waitForSelector("#menu[data-ready]", { state: "attached" });
  const label = await page.locator(`#menu .control[data-name="${tickerLabel}"]`).boundingBox();
  for (let i = 0; i < 3; i++, await page.waitForTimeout(1500))
    ticks.push(decodePng(await page.screenshot({ clip: { x: label.x - 8, y: label.y - 4, width: label.width + 16, height: label.height + 8 } })));
}
await browser.close();

const gap = 12, white = [255, 255, 255];
const top = Math.max(left.height, right.height), width = left.width + gap + right.width;
const height = top + ticks.reduce((h, t) => h + gap + t.height, 0);
fs.writeFileSync(out, encodePng(picture(width, height, (x, y) => {
  if (y >= top) { // the ticker's moments, one under the other, from the left
    for (let i = 0, t0 = top + gap; i < ticks.length; t0 += ticks[i].height + gap, i++)
      if (y >= t0 && y < t0 + ticks[i].height) return x >= 24 && x < 24 + ticks[i].width ? ticks[i].at(x - 24, y - t0) : white;
    return white;
  }
  if (x < left.width) return y < left.height ? left.at(x, y) : white;
  x -= left.width + gap;
  return x >= 0 && y < right.height ? right.at(x, y) : white;
})));
console.log(`${out}: ${width} x ${height}`);
