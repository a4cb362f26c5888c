// The browser figures of bench/web_figures.sh: first frame after navigation
// (fresh profile each run, then a reload), and bench_gamescreen's output.
// Usage: node web_figures.js BUILD_WEB_FOLDER RUNS
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { serve } = require("../tests/web/serve.js");

const ARGS = ["--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader"];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function withBrowser(fn) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "plotfray-figures-"));
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: "new",
                                           userDataDir: dir, args: ARGS, protocolTimeout: 300000 });
  try { return await fn(browser); } finally { await browser.close(); fs.rmSync(dir, { recursive: true, force: true }); }
}

async function main() {
  const [folder, runsArg] = process.argv.slice(2);
  const runs = Number(runsArg || 5);
  let port = 0;
  const server = serve(folder, 0, (p) => { port = p; });
  for (let i = 0; i < 50 && !port; ++i) await sleep(100);
  const url = "http://127.0.0.1:" + port + "/";
  const first = [], reload = [], start = [];
  const frameOf = (page) => page.waitForFunction(() => window.plotfrayPage && window.plotfrayPage.firstFrameMs,
                                                 { timeout: 60000, polling: 20 }).then(() =>
                            page.evaluate(() => window.plotfrayPage.firstFrameMs));
  for (let i = 0; i < runs; ++i) {
    await withBrowser(async (browser) => {
      const page = await browser.newPage();
      await page.setViewport({ width: 1024, height: 768 });
      await page.goto(url, { waitUntil: "domcontentloaded" });
      first.push(await frameOf(page));
      start.push(await page.evaluate(() => window.plotfrayPage.startMs));
      await sleep(500);
      await page.reload({ waitUntil: "domcontentloaded" });
      reload.push(await frameOf(page));
    });
  }
  const fmt = (a) => a.map((v) => (v / 1000).toFixed(2)).join(", ") + " s";
  console.log("first frame after navigation: " + fmt(first));
  console.log("first frame after a reload:   " + fmt(reload));
  console.log("of which from the downloaded files to the first frame: " + fmt(start));

  await withBrowser(async (browser) => {
    const page = await browser.newPage();
    const lines = [];
    page.on("console", (m) => lines.push(m.text()));
    await page.setViewport({ width: 1024, height: 768 });
    await page.goto(url + "bench/bench_gamescreen.html", { waitUntil: "domcontentloaded" });
    // Its last line in a browser is the one saying the paused figure is not measured there.
    for (let i = 0; i < 1200 && !lines.some((l) => /^paused/.test(l)); ++i) await sleep(250);
    // The browser has no CPU clock: the CPU-time lines read 0 there; the frames
    // are timed by the wall clock.
    for (const l of lines) if (/^(frame|paused)/.test(l)) console.log("browser " + l);
  });
  server.close();
}

main().catch((e) => { console.error("web figures: " + e.message); process.exit(1); });
