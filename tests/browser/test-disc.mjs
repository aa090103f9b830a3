// The disc the browser tests try, written as a disc folder for skincheck
// --html: its pictures as functions of the pixel (with @2x versions of their
// own), so that every expected colour is known without reading the page, and
// its controls with what the menu does when each is clicked.
import fs from "node:fs";
import path from "node:path";
import { picture } from "./png.mjs";

// Pictures at 1x and, for a scale of 2, their own @2x versions (not resized copies).
const LOOKS = {
  1: {
    main: (x, y) => [(x * 5) & 255, (y * 7) & 255, 40],
    over: (x, y) => [200, (x * 3) & 255, (y * 3) & 255],
    down: (x, y) => [30, 220, (x + y) & 255],
    disabled: (x, y) => [128, 128, (x ^ y) & 255],
    thumb: (x, y) => [250, 250 - x * 10, y * 20],
    thumbDown: (x, y) => [10, x * 20, 250],
  },
  2: {
    main: (x, y) => [(x * 3) & 255, 90, (y * 5) & 255],
    over: (x, y) => [(y * 2) & 255, 180, (x * 2) & 255],
    down: (x, y) => [240, (x + 2 * y) & 255, 60],
    disabled: (x, y) => [60, (x ^ y) & 255, 60],
    thumb: (x, y) => [240, 240 - x * 5, y * 10],
    thumbDown: (x, y) => [20, x * 10, 240],
  },
};

export const WINDOW = [160, 120];
export const INFO_LABEL = "Welcome to the product disc: choose an item";

// The window lacks its top-left corner; the shaped button is a diamond.
export const inOutline = (s) => (x, y) => !(x < 20 * s && y < 20 * s);
const inDiamond = (s) => (x, y) => Math.abs(2 * x - (30 * s - 1)) + Math.abs(2 * y - (30 * s - 1)) <= 30 * s;

// [section, line, what the page knows of it]; rectangles at 1x.
export const CONTROLS = [
  ["BUTTONINFO", "ID_BUTTON1,30,10,40,20,Install the product,F",
    { tooltip: "Install the product", action: "opens Setup\\Setup.exe", info: "Installs the product" }],
  ["BUTTONINFO", "ID_BUTTON3,80,10,40,20,Read the guide,F",
    { tooltip: "Read the guide", action: "shows \"File Not Found !\" (Docs\\Guide.htm is not on the disc)", info: "The user guide" }],
  ["BUTTONINFO", "ID_BROWSE,30,40,40,20,Browse the disc,F", { tooltip: "Browse the disc", action: "opens the disc folder" }],
  ["BUTTONINFO", "ID_HOMEPAGE,80,40,40,20,Our home page,F", { tooltip: "Our home page", action: "opens http://example.com/" }],
  ["BUTTONINFO", "ID_MINIMIZE,130,10,20,10,Minimise,F", { tooltip: "Minimise", action: "minimises the window" }],
  ["BUTTONINFO", "ID_EXIT,130,25,20,10,Exit,F", { tooltip: "Exit", action: "closes the menu" }],
  ["BUTTONINFO", "ID_BUTTON8,130,40,20,10,Install for this Windows,F",
    { tooltip: "Install for this Windows", info: "Installs for this Windows",
      action: "starts verpick.exe, which starts Setup\\Vista\\Setup.exe on Windows Vista and later and Setup\\XP\\Setup.exe before" }],
  ["BUTTONINFO", "ID_ICON,130,52,20,10,,T", { tooltip: "", action: "does nothing", static: true }],
  ["BUTTONEXINFO", "ID_ROUND,30,70,30,30,Round button,F,round.bmp", { tooltip: "Round button", action: "does nothing" }],
  ["TEXTINFO", `ID_INFO,Arial,F,F,-12,255,70,70,80,15,${INFO_LABEL},0`, { text: INFO_LABEL, action: "does nothing" }],
  ["TEXTINFO", "ID_TITLE,Arial,T,F,-11,16777215,70,88,80,12,Demo,0,spare", { text: "Demo", action: "does nothing" }],
  ["TRACKBARINFO", "ID_VOLUME,thumb.bmp,thumbdown.bmp,70,102,80,10,H,50,0", { action: "does nothing" }],
  ["PROGRESSINFO", "ID_BAR,Set the level,30,106,40,10,V", { tooltip: "Set the level", action: "does nothing" }],
];

const KIND = { BUTTONINFO: "button", BUTTONEXINFO: "buttonex", TEXTINFO: "label", TRACKBARINFO: "trackbar", PROGRESSINFO: "progress" };
const RECT_FIELD = { BUTTONINFO: 1, BUTTONEXINFO: 1, TEXTINFO: 6, TRACKBARINFO: 3, PROGRESSINFO: 2 };

// What the tests expect of every control at a scale.
export function expectedControls(s) {
  return CONTROLS.map(([section, line, known], index) => {
    const f = line.split(",");
    const [x, y, w, h] = f.slice(RECT_FIELD[section], RECT_FIELD[section] + 4).map(Number);
    return { index, kind: KIND[section], name: f[0], rect: [x * s, y * s, (x + w) * s, (y + h) * s],
      static: false, tooltip: "", ...known, info: known.info === undefined ? null : known.info };
  });
}

export function looks(s) {
  const l = LOOKS[s], [w, h] = WINDOW;
  return { main: picture(w * s, h * s, l.main), over: picture(w * s, h * s, l.over), down: picture(w * s, h * s, l.down),
    disabled: picture(w * s, h * s, l.disabled), thumb: picture(8 * s, 10 * s, l.thumb), thumbDown: picture(8 * s, 10 * s, l.thumbDown) };
}

export function writeFile(file, text) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, text);
}

// ---- the disc folder itself, for skincheck --html: 24-bit BMPs, main.ini, AUTORUN.INF, verpick's config.ini
export function bmp(pic) {
  const stride = (pic.width * 3 + 3) & ~3, size = 54 + stride * pic.height, b = Buffer.alloc(size);
  b.write("BM", 0, "latin1");
  b.writeUInt32LE(size, 2);
  b.writeUInt32LE(54, 10);
  b.writeUInt32LE(40, 14);
  b.writeInt32LE(pic.width, 18);
  b.writeInt32LE(pic.height, 22);
  b.writeUInt16LE(1, 26);
  b.writeUInt16LE(24, 28);
  for (let y = 0; y < pic.height; y++)
    for (let x = 0; x < pic.width; x++) {
      const [r, g, bl] = pic.at(x, y), o = 54 + (pic.height - 1 - y) * stride + x * 3;
      b[o] = bl; b[o + 1] = g; b[o + 2] = r;
    }
  return b;
}

const MAGENTA = [255, 0, 255], WHITE = [255, 255, 255];
const maskOf = (w, h, inside) => picture(w, h, (x, y) => (inside(x, y) ? WHITE : MAGENTA));

export function writeDisc(root) {
  const put = (name, bytes) => writeFile(path.join(root, ...name.split("/")), bytes);
  for (const s of [1, 2]) {
    const at = s === 1 ? "" : "@2x", l = looks(s), [w, h] = WINDOW;
    for (const k of ["main", "over", "down", "disabled", "thumb"]) put(`Data/${k}${at}.bmp`, bmp(l[k]));
    put(`Data/thumbdown${at}.bmp`, bmp(l.thumbDown));
    put(`Data/mask${at}.bmp`, bmp(maskOf(w * s, h * s, inOutline(s))));
    put(`Data/round${at}.bmp`, bmp(maskOf(30 * s, 30 * s, inDiamond(s))));
  }
  const sections = ["BUTTONINFO", "BUTTONEXINFO", "TEXTINFO", "TRACKBARINFO", "PROGRESSINFO"].map((section) => {
    const lines = CONTROLS.filter(([sec]) => sec === section).map(([, line], i) => `${i + 1}=${line}`);
    return `[${section}]\r\n${lines.join("\r\n")}\r\n`;
  });
  // Its Turkish users see the Over look at rest, and the guide button under another tooltip.
  const turkish = "[Screen.tr]\r\nMain=over.bmp\r\n[BUTTONINFO.tr]\r\n2=ID_BUTTON3,80,10,40,20,Kılavuzu okuyun,F\r\n";
  put("Data/main.ini", "[Screen]\r\nMain=main.bmp\r\nMask=mask.bmp\r\nOver=over.bmp\r\nDown=down.bmp\r\nDisabled=disabled.bmp\r\n" +
    sections.join("") + turkish);
  put("AUTORUN.INF", "[RUN_FILES]\r\nID_BUTTON1=Setup\\Setup.exe\r\nID_BUTTON3=Docs\\Guide.htm\r\nID_HOMEPAGE=http://example.com/\r\n" +
    "ID_BUTTON8=verpick.exe\r\n[TEXT_INFO]\r\nID_BUTTON1=Installs the product\r\nID_BUTTON3=The user guide\r\nID_BUTTON8=Installs for this Windows\r\n");
  put("config.ini", "[FILES_NAME]\r\nVISTA=Setup\\Vista\\Setup.exe\r\nXP=Setup\\XP\\Setup.exe\r\n");
  for (const f of ["verpick.exe", "Setup/Setup.exe", "Setup/Vista/Setup.exe", "Setup/XP/Setup.exe"]) put(f, "MZ");
}
