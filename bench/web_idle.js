// The main menu at rest in headless chromium, two builds side by side: each in
// its own browser, both at once over the same seconds, RUNS times. Counts the
// CPU seconds of every process of each browser (utime + stime from /proc, the
// browser's process and all under it) and the main loop's passes a second.
// Both are silent: their audio contexts are suspended once on the menu.
// Usage: node web_idle.js OURS_BUILD_WEB REFERENCE_BUILD_WEB [RUNS] [SECONDS]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { serve } = require("../tests/web/serve.js");

const ARGS = ["--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader"];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const TICK = 100;  // clock ticks a second (getconf CLK_TCK on Linux)

// Every process whose parent chain reaches root, with its CPU ticks.
function treeTicks(root) {
  const parent = new Map();
  const ticks = new Map();
  for (const name of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = fs.readFileSync("/proc/" + name + "/stat", "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      parent.set(Number(name), Number(fields[1]));
      ticks.set(Number(name), Number(fields[11]) + Number(fields[12]));
    } catch (e) { /* gone meanwhile */ }
  }
  let total = 0;
  for (const [pid, t] of ticks) {
    for (let p = pid, hops = 0; p > 1 && hops < 64; p = parent.get(p) || 0, ++hops)
      if (p === root) { total += t; break; }
  }
  return total;
}

async function serveFolder(folder) {
  let port = 0;
  const server = serve(folder, 0, (p) => { port = p; });
  for (let i = 0; i < 50 && !port; ++i) await sleep(100);
  return { server, url: "http://127.0.0.1:" + port + "/" };
}

// A fresh browser on the game's main menu, a first profile typed in.
async function openMenu(url) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "plotfray-idle-"));
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: "new",
                                           userDataDir: dir, args: ARGS, protocolTimeout: 120000 });
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(url, { waitUntil: "domcontentloaded" });
  await page.waitForFunction(() => window.plotfrayPage && window.plotfrayPage.phase === "running",
                             { timeout: 90000, polling: 100 });
  await sleep(1500);
  const at = async (x, y) => {
    const b = await page.evaluate(() => {
      const r = document.getElementById("canvas").getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    return { x: b.left + x * b.width / 1024, y: b.top + y * b.height / 768 };
  };
  let p = await at(500, 400);
  await page.mouse.click(p.x, p.y);
  await sleep(2500);
  p = await at(600, 369);
  await page.mouse.click(p.x, p.y);
  await page.keyboard.type("Ada", { delay: 80 });
  await page.keyboard.press("Enter");
  await sleep(1500);
  p = await at(1000, 740);
  await page.mouse.move(p.x, p.y);
  await sleep(2000);
  await page.evaluate(() => Module.SDL2 && Module.SDL2.audioContext && Module.SDL2.audioContext.suspend());
  await sleep(1000);
  return { browser, page, dir };
}

async function main() {
  const [ours, reference, runsArg, secondsArg] = process.argv.slice(2);
  const runs = Number(runsArg || 3);
  const seconds = Number(secondsArg || 20);
  const a = await serveFolder(ours);
  const b = await serveFolder(reference);
  const rows = [];
  for (let run = 1; run <= runs; ++run) {
    const sides = [await openMenu(a.url), await openMenu(b.url)];
    const pids = sides.map((s) => s.browser.process().pid);
    const frames0 = await Promise.all(sides.map((s) => s.page.evaluate(() => Browser.mainLoop.currentFrameNumber)));
    const t0 = pids.map(treeTicks);
    const w0 = Date.now();
    await sleep(seconds * 1000);
    const t1 = pids.map(treeTicks);
    const wall = (Date.now() - w0) / 1000;
    const frames1 = await Promise.all(sides.map((s) => s.page.evaluate(() => Browser.mainLoop.currentFrameNumber)));
    const load = fs.readFileSync("/proc/loadavg", "utf8").split(" ").slice(0, 3).join(" ");
    const cpu = t1.map((t, i) => (t - t0[i]) / TICK);
    const passes = frames1.map((f, i) => (f - frames0[i]) / wall);
    console.log(`run ${run}: ours ${cpu[0].toFixed(2)} s CPU in ${wall.toFixed(1)} s, ${passes[0].toFixed(1)} passes/s; ` +
                `reference ${cpu[1].toFixed(2)} s, ${passes[1].toFixed(1)} passes/s; ratio ` +
                `${(cpu[1] > 0 ? cpu[0] / cpu[1] : 0).toFixed(2)} (load ${load})`);
    rows.push(cpu);
    for (const s of sides) {
      await s.browser.close();
      fs.rmSync(s.dir, { recursive: true, force: true });
    }
  }
  a.server.close();
  b.server.close();
}

main().catch((e) => { console.error("web idle: " + e.message); process.exit(1); });
