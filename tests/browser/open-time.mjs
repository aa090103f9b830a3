// node open-time.mjs PAGE.html [RUNS]: how long the page takes to open in
// headless Chromium, from the start of loading until the menu is built and
// painted with its pictures; the median of RUNS (7) fresh pages. A benchmark
// (scripts/bench-menu-page.sh), not a test.
import fs from "node:fs";
import path from "node:path";
import { launch } from "./chromium.mjs";

const [file, runsArg] = process.argv.slice(2);
const runs = Number(runsArg || 7);
const browser = await launch();
const times = [];
for (let i = 0; i < runs; i++) {
  const context = await browser.newContext({ viewport: { width: 1920, height: 1200 }, deviceScaleFactor: 1 });
  const page = await context.newPage();
  // Counted inside the page, from the start of its navigation, so that no
  // round trip to the browser is counted: the menu built, the pictures
  // decoded, two frames painted.
  await page.addInitScript(() => {
    new MutationObserver((changes, observer) => {
      const menu = document.getElementById("menu");
      if (!menu || !menu.hasAttribute("data-ready")) return;
      observer.disconnect();
      const disc = JSON.parse(document.getElementById("disc").textContent);
      Promise.all(disc.pictures.map((p) => { const img = new Image(); img.src = p.src; return img.decode(); }))
        .then(() => requestAnimationFrame(() => requestAnimationFrame(() => { window.openedAfter = performance.now(); })));
    }).observe(document, { subtree: true, childList: true, attributes: true });
  });
  await page.goto("file://" + path.resolve(file), { waitUntil: "load" });
  await page.waitForFunction(() => window.openedAfter !== undefined);
  times.push(Math.round(await page.evaluate(() => window.openedAfter)));
  await context.close();
}
await browser.close();
times.sort((a, b) => a - b);
const size = fs.statSync(file).size;
console.log(`${path.basename(file)}: ${(size / 1024).toFixed(0)} KiB, opens in ${times[times.length >> 1]} ms ` +
  `(median of ${runs}; ${times[0]} to ${times[times.length - 1]} ms)`);
