// node docs-shot.mjs PAGE.html OUT.png CLICKED HOVERED PRESSED: the menu page
// as a person uses it, for the README: on the left after a click on CLICKED
// (its action under the window, the ticker moving) with the pointer resting on
// HOVERED (its Over look and tooltip); on the right the window while PRESSED
// is held down. Names are the controls' names.
import fs from "node:fs";
import path from "node:path";
import { launch } from "./chromium.mjs";
import { decodePng, encodePng, picture } from "./png.mjs";

const [file, out, clicked, hovered, pressed] = process.argv.slice(2);
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
await browser.close();

const gap = 12, width = left.width + gap + right.width, height = Math.max(left.height, right.height);
fs.writeFileSync(out, encodePng(picture(width, height, (x, y) => {
  if (x < left.width) return y < left.height ? left.at(x, y) : [255, 255, 255];
  x -= left.width + gap;
  return x >= 0 && y < right.height ? right.at(x, y) : [255, 255, 255];
})));
console.log(`${out}: ${width} x ${height}`);
