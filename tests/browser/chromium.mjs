// Debian's Chromium through playwright-core, as the tests and scripts use it:
// sRGB output, so that a picture's pixels reach a screenshot unchanged.
import path from "node:path";
import { createRequire } from "node:module";

const require = createRequire(path.join(process.env.AK_BROWSER_DEPS, "package.json"));
const { chromium } = require("playwright-core");

export function launch() {
  return chromium.launch({
    executablePath: process.env.AK_CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--force-color-profile=srgb", "--hide-scrollbars"],
  });
}
