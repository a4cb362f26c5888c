// The browser build played in the system's headless chromium: the loading bar
// and screen, a first profile typed in, a message on the page closed by the
// keys alone, an arcade game whose monsters die by clicks, the profile and the
// answers still there after a reload, the reports offered as downloads, sound
// held until the first click, a second tab turned away, the main loop at the
// page's frame rate, no routine line written as a console error, and EXIT
// leading to a page with a way back; a level set opened with the browser's file
// picker on CLASS LEVELS, listed and kept with the saves; a start in French.
// Prints "web: N passed, M failed".
// Usage: node browser_test.js BUILD_WEB_FOLDER [SCREENSHOT_FOLDER]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve } = require("./serve.js");

const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium";
const folder = process.argv[2];
const shots = process.argv[3] || path.join(folder || ".", "test-screenshots");
if (!folder || !fs.existsSync(path.join(folder, "plotfray.wasm"))) {
  console.error("usage: node browser_test.js BUILD_WEB_FOLDER [SCREENSHOT_FOLDER] (build it with scripts/web.sh)");
  process.exit(2);
}
let puppeteer;
try {
  puppeteer = require("puppeteer-core");
} catch (e) {
  console.error("web: puppeteer-core is missing: run npm ci in tests/web");
  process.exit(2);
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const results = [];
function check(name, ok, detail) {
  results.push({ name, ok: !!ok });
  console.log((ok ? "ok   " : "FAIL ") + name + (detail ? " (" + detail + ")" : ""));
}

// Waits for a condition in the page; false after the timeout, never hangs.
async function until(page, fn, timeoutMs, arg) {
  try {
    await page.waitForFunction(fn, { timeout: timeoutMs, polling: 100 }, arg);
    return true;
  } catch (e) {
    return false;
  }
}

// Game pixels (1024 x 768) to page pixels, through the letterboxed canvas.
async function toPage(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.getElementById("canvas").getBoundingClientRect();
    return { left: b.left, top: b.top, width: b.width, height: b.height };
  });
  return { x: r.left + (x + 0.5) * r.width / 1024, y: r.top + (y + 0.5) * r.height / 768 };
}

async function click(page, x, y, pause = 250) {
  const p = await toPage(page, x, y);
  await page.mouse.move(p.x, p.y);
  await sleep(60);
  await page.mouse.down();
  await sleep(60);
  await page.mouse.up();
  await sleep(pause);
}

async function shot(page, name) {
  const r = await page.evaluate(() => {
    const b = document.getElementById("canvas").getBoundingClientRect();
    return { x: b.left, y: b.top, width: b.width, height: b.height };
  });
  const file = path.join(shots, name + ".png");
  await page.screenshot({ path: file, clip: r });
  return file;
}

// Mean difference (0..255) of two screenshots, or of one region of them (in
// game pixels); worked out by the page's own 2D canvas.
async function compare(page, fileA, fileB, region) {
  const a = fs.readFileSync(fileA).toString("base64");
  const b = fs.readFileSync(fileB).toString("base64");
  return page.evaluate(async (a, b, region) => {
    const load = async (data) => {
      const img = new Image();
      img.src = "data:image/png;base64," + data;
      await img.decode();
      const c = document.createElement("canvas");
      c.width = 256; c.height = 192;
      const g = c.getContext("2d");
      const r = region || { x: 0, y: 0, w: 1024, h: 768 };
      const sx = img.naturalWidth / 1024, sy = img.naturalHeight / 768;
      g.drawImage(img, r.x * sx, r.y * sy, r.w * sx, r.h * sy, 0, 0, 256, 192);
      return g.getImageData(0, 0, 256, 192).data;
    };
    const pa = await load(a), pb = await load(b);
    let sum = 0;
    for (let i = 0; i < pa.length; i += 4)
      sum += (Math.abs(pa[i] - pb[i]) + Math.abs(pa[i + 1] - pb[i + 1]) + Math.abs(pa[i + 2] - pb[i + 2])) / 3;
    return sum / (pa.length / 4);
  }, a, b, region || null);
}

async function openGame(browser, url, log, errors = []) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  page.on("console", (m) => {
    log.push(m.text());
    if (m.type() === "error") errors.push(m.text());
  });
  page.on("pageerror", (e) => log.push("page error: " + e.message));
  // Headless chromium lets sound start at once; a browser on a desk does not
  // until the page is clicked. Every sound context starts suspended here, as there.
  await page.evaluateOnNewDocument(() => {
    const Real = window.AudioContext;
    if (Real) window.AudioContext = class extends Real { constructor(...a) { super(...a); this.suspend(); } };
  });
  await page.goto(url, { waitUntil: "domcontentloaded", timeout: 30000 });
  return page;
}

async function main() {
  fs.mkdirSync(shots, { recursive: true });
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "plotfray-web-"));
  let port = 0;
  const server = serve(folder, 0, (p) => { port = p; });
  for (let i = 0; i < 50 && !port; ++i) await sleep(100);
  const url = "http://127.0.0.1:" + port + "/";
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: "new",
    userDataDir: profile,
    protocolTimeout: 60000,
    args: ["--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
           // as a browser without the headless exemption: no sound before a click
           "--autoplay-policy=user-gesture-required"]
  });
  const log = [];
  const consoleErrors = [];
  const testNote = "A note of the browser test.";
  try {
    const page = await openGame(browser, url, log, consoleErrors);

    // Loading: the bar counts the bytes, then the first frame shows the game's loading screen.
    const sawBar = await until(page, () => window.plotfrayPage && window.plotfrayPage.bytesLoaded > 0 &&
                                          document.getElementById("loading").style.display !== "none", 30000);
    const running = await until(page, () => window.plotfrayPage.phase === "running", 60000);
    const st = await page.evaluate(() => window.plotfrayPage);
    check("the loading bar counted the download, then the first frame came",
          sawBar && running && st.bytesTotal > 0 && st.bytesLoaded === st.bytesTotal,
          st.bytesLoaded + " of " + st.bytesTotal + " bytes, first frame after " + Math.round(st.firstFrameMs) + " ms");
    if (!running) throw new Error("the game never drew a frame");
    // English's pictures with words are an archive of their own, as each language's.
    const enFetched = await page.evaluate(() => performance.getEntriesByType("resource")
      .map((e) => /\/lang\/([A-Za-z_]+)\.asdb$/.exec(e.name)).filter((m) => m).map((m) => m[1]).join(","));
    check("in English the page fetches English's pictures with words alone", enFetched === "en", "fetched " + (enFetched || "none"));
    await sleep(1500);
    const audioBefore = await page.evaluate(() => Module.SDL2 && Module.SDL2.audioContext ? Module.SDL2.audioContext.state : "none");
    const loadingShot = await shot(page, "web-loading");

    // The first click ends the loading wait and lets sound start.
    await click(page, 500, 400, 1500);
    const audioAfter = await page.evaluate(() => Module.SDL2 && Module.SDL2.audioContext ? Module.SDL2.audioContext.state : "none");
    check("sound waits for the first click and starts with it", audioBefore === "suspended" && audioAfter === "running",
          audioBefore + " -> " + audioAfter);
    const music = await until(page, () => window.plotfrayPage.musicArrived, 20000);
    check("the music arrives after the first frame", music && !log.some((l) => /Music\.asdb/.test(l)));

    // First run: the name box takes a typed name; Enter makes the profile.
    const welcomeShot = await shot(page, "web-welcome");
    await click(page, 600, 369, 300);
    await page.keyboard.type("Ada", { delay: 80 });
    await sleep(300);
    await page.keyboard.press("Enter");
    const stored = await until(page, () => {
      try {
        const p = Module.FS.readFile("/saves/Profiles.dat");
        return p.length === 504 && p[0] === 3 && String.fromCharCode(p[1], p[2], p[3]) === "Ada" &&
               window.plotfrayPage.savesStored > 0;
      } catch (e) { return false; }
    }, 10000);
    await sleep(2000);
    const menuShot = await shot(page, "web-menu");
    check("a typed name makes a profile, stored in the browser", stored);
    const welcomeToMenu = await compare(page, welcomeShot, menuShot);
    // The screens share one navy look: the same screen taken twice differs by
    // under 1, another screen by several.
    check("Enter leads from the welcome screen to another screen", welcomeToMenu > 3, "difference " + welcomeToMenu.toFixed(1));
    check("the game's routine lines are not console errors", consoleErrors.length === 0, consoleErrors.slice(0, 3).join(" | "));

    // The main loop runs at most once per frame the page shows, not as often as
    // setTimeout allows; on the menu at rest it stops the page's frames and
    // wakes a few times a second, and the pointer moving wakes it at once.
    const loopRates = (move) => page.evaluate(async (move) => {
      let frames = 0, stop = false;
      const count = () => { frames++; if (!stop) requestAnimationFrame(count); };
      requestAnimationFrame(count);
      const first = Browser.mainLoop.currentFrameNumber;
      const canvas = document.querySelector("canvas");
      const box = canvas.getBoundingClientRect();
      for (let t = 0; t < 20; ++t) {
        if (move) canvas.dispatchEvent(new MouseEvent("mousemove", { bubbles: true, clientX: box.left + 5 + t, clientY: box.top + 5 }));
        await new Promise((r) => setTimeout(r, 100));
      }
      stop = true;
      return { page: frames / 2, loop: (Browser.mainLoop.currentFrameNumber - first) / 2 };
    }, move).catch(() => ({ page: 0, loop: -1 }));
    const resting = await loopRates(false);
    check("the resting menu's loop wakes a few times a second, never more often than the page's frames",
          resting.loop >= 0 && resting.loop <= 5 && resting.loop <= resting.page,
          resting.loop + " passes a second, the page " + resting.page);
    const moving = await loopRates(true);
    check("the pointer moving over the page wakes the loop to the page's frames",
          moving.page > 0 && moving.loop >= moving.page * 0.5 && moving.loop <= moving.page * 1.2,
          moving.loop + " passes a second, the page " + moving.page);

    // A message on the page takes the keys until it is closed: Tab stays on
    // OK, Enter or Esc closes it, and the main menu under it hears none of them.
    for (const key of ["Enter", "Escape"]) {
      const before = await shot(page, "web-before-note");
      await page.evaluate((t) => Module.plotfray.message("Saved Games Not Read", t), testNote);
      await sleep(300);
      const onOk = () => page.evaluate(() => !!(document.activeElement && document.activeElement.closest(".note")));
      const focused = await onOk();
      await page.keyboard.press("Tab");
      await sleep(200);
      const stayed = await onOk();
      await page.keyboard.press(key);
      await sleep(1500);
      const open = await page.evaluate(() => document.querySelectorAll(".note").length);
      const after = await shot(page, "web-after-note");
      const moved = await compare(page, before, after);
      check("a message on the page is closed by " + key + " and the game under it hears no key",
            focused && stayed && open === 0 && moved < 3,
            "OK focused " + focused + ", after Tab " + stayed + ", notes open " + open + ", the menu changed by " +
            moved.toFixed(1));
    }

    // An arcade game at Easy: the quadrant tiles are clicked in turn until monsters die.
    await click(page, 510, 395, 1500);  // ARCADE
    await click(page, 275, 330, 300);   // EASY
    await click(page, 302, 435, 2000);  // ROZIR IVIVURUDA
    const tiles = [[768, 256], [512, 256], [512, 512], [768, 512]];
    for (let round = 0; round < 40; ++round) {
      for (const [x, y] of tiles) await click(page, x, y, 200);
      if (round === 20) await shot(page, "web-game");
    }
    await page.keyboard.press("Escape");
    await sleep(1500);
    await click(page, 640, 550, 2000);  // EXIT TO MENU
    const closed = log.map((l) => /game screen closed: .*kills (\d+)/.exec(l)).filter(Boolean).pop();
    const kills = closed ? Number(closed[1]) : 0;
    check("monsters die by clicks in an arcade game", kills >= 3, kills + " kills");
    await click(page, 507, 675, 1500);  // BACK to the main menu

    // A second tab of the same game is turned away with a sentence.
    const second = await openGame(browser, url, []);
    const refused = await until(second, () => window.plotfrayPage && window.plotfrayPage.phase === "stopped", 15000);
    const sentence = await second.evaluate(() => document.getElementById("sentence").textContent);
    check("a second tab says the game is already open", refused && /already open/.test(sentence), sentence);
    await second.close();

    // After a reload the stored profile is read back: the loading click leads
    // to the main menu greeting it, not to the welcome screen.
    await page.reload({ waitUntil: "domcontentloaded", timeout: 30000 });
    const again = await until(page, () => window.plotfrayPage && window.plotfrayPage.phase === "running", 60000);
    const kept = again && await page.evaluate(() => {
      try { return String.fromCharCode(...Module.FS.readFile("/saves/Profiles.dat").slice(1, 4)) === "Ada"; }
      catch (e) { return false; }
    });
    check("the profile survives a reload", kept);
    await sleep(1500);
    await click(page, 500, 400, 2500);
    const reloadShot = await shot(page, "web-menu-after-reload");
    const sameMenu = await compare(page, menuShot, reloadShot);
    const notWelcome = await compare(page, welcomeShot, reloadShot);
    check("after the reload the main menu greets the profile", sameMenu < notWelcome / 3,
          "difference " + sameMenu.toFixed(1) + " to the menu, " + notWelcome.toFixed(1) + " to the welcome screen");

    // The answers of the game above are in the log the browser stored: each
    // row names its input, and the schema names it once more.
    const answersKept = await page.evaluate(() => {
      try {
        const text = new TextDecoder("latin1").decode(Module.FS.readFile("/saves/Progress.db"));
        return { header: text.startsWith("SQLite format 3"), pointer: text.split("pointer").length - 2 };
      } catch (e) { return { header: false, pointer: 0 }; }
    });
    check("the answers recorded in the browser survive a reload",
          answersKept.header && answersKept.pointer >= kills && kills > 0,
          answersKept.pointer + " answers by the pointer for " + kills + " kills");
    // PROGRESS, then EXPORT: the two reports are offered as downloads.
    await click(page, 510, 565, 2000);  // PROGRESS
    await shot(page, "web-progress");
    await click(page, 397, 717, 1500);  // EXPORT
    const offered = await page.evaluate(() => window.plotfrayPage.offered.slice());
    check("EXPORT offers the two reports as downloads",
          offered.length === 2 && offered.some((n) => n.endsWith(".html")) && offered.some((n) => n.endsWith(".csv")),
          offered.join(", "));
    await page.keyboard.press("Escape");  // back to the main menu
    await sleep(1500);

    // TUTORIAL, CLASS LEVELS, OPEN A LEVEL FILE: the browser's file picker; the
    // chosen set is listed and kept with the saves.
    await click(page, 510, 325, 1500);  // TUTORIAL
    await click(page, 732, 675, 1500);  // CLASS LEVELS
    const beforeOpen = await shot(page, "web-class-levels-before");
    const setFile = path.join(os.tmpdir(), "friday-quiz.txt");
    fs.writeFileSync(setFile, "[set]\ntitle = Friday quiz\nauthor = Room 12\n[level]\ntitle = Left half\n" +
      "game = point\nrange = 4\nquadrants = II, III\nquestions = plain\nmonsters = 10\nat-once = 3\nspeed = 2\n");
    let chooser = null;
    try {
      [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 10000 }), click(page, 512, 680, 300)]);
    } catch (e) { chooser = null; }
    if (chooser) await chooser.accept([setFile]);
    const opened = chooser !== null && await until(page, () => window.plotfrayPage.levelFiles.length === 1, 10000);
    await sleep(1000);
    const afterOpen = await shot(page, "web-class-levels");
    const listed = await compare(page, beforeOpen, afterOpen);
    const inSaves = await page.evaluate(() => {
      try { return new TextDecoder().decode(Module.FS.readFile("/saves/levels/friday-quiz.txt")).includes("Friday quiz"); }
      catch (e) { return false; }
    });
    check("OPEN A LEVEL FILE takes a file from the browser's picker into the saves and lists it",
          opened && inSaves && listed > 1, "picker " + (chooser !== null) + ", stored " + inSaves +
          ", screen difference " + listed.toFixed(1));
    await page.keyboard.press("Escape");  // the tutorial screen
    await sleep(1500);
    await page.keyboard.press("Escape");  // the main menu
    await sleep(1500);

    // EXIT leaves a page with a way back into the game, reached by the keys.
    await click(page, 510, 685, 2500);  // EXIT
    const ended = await until(page, () => window.plotfrayPage.phase === "ended", 15000);
    const back = ended && await page.evaluate(() => document.activeElement && document.activeElement.id === "again");
    await Promise.all([page.waitForNavigation({ waitUntil: "domcontentloaded", timeout: 30000 }).catch(() => {}),
                       page.keyboard.press("Enter")]);
    const restarted = await until(page, () => window.plotfrayPage && window.plotfrayPage.phase === "running", 60000);
    const setKept = restarted && await page.evaluate(() => {
      try { return Module.FS.readdir("/saves/levels").includes("friday-quiz.txt"); } catch (e) { return false; }
    });
    check("the opened level file is still with the saves when the game starts again", setKept);
    check("EXIT leads to a page whose PLAY AGAIN, by Enter, starts the game again", ended && back && restarted,
          "ended " + ended + ", PLAY AGAIN focused " + back + ", running again " + restarted + " " +
          await page.evaluate(() => (window.plotfrayPage ? window.plotfrayPage.phase + " " + (window.plotfrayPage.sentence || "") : "none")).catch((e) => e.message));
    void loadingShot;

    // Once more in a browser that speaks French, with saves of its own: the
    // page fetches French's pictures with words and no other language's, and
    // the welcome panel speaks French.
    const french = await browser.createBrowserContext();
    const fr = await french.newPage();
    await fr.setViewport({ width: 1280, height: 800 });
    const fetched = [];
    fr.on("request", (r) => { const m = /\/lang\/([A-Za-z_]+)\.asdb$/.exec(r.url()); if (m) fetched.push(m[1]); });
    fr.on("pageerror", (e) => log.push("page error: " + e.message));
    await fr.evaluateOnNewDocument(() => {
      Object.defineProperty(navigator, "language", { get: () => "fr-FR" });
      Object.defineProperty(navigator, "languages", { get: () => ["fr-FR", "fr"] });
    });
    await fr.goto(url, { waitUntil: "domcontentloaded", timeout: 30000 });
    const frRunning = await until(fr, () => window.plotfrayPage && window.plotfrayPage.phase === "running", 60000);
    await sleep(1500);
    await click(fr, 500, 400, 1500);
    const frWelcome = await shot(fr, "web-welcome-fr");
    check("in French the page fetches French's pictures with words alone", frRunning && fetched.join(",") === "fr",
          "fetched " + (fetched.join(",") || "none"));
    // The panel's title and label: another language's words differ by many
    // levels; the same screen taken twice by under 1.
    const panel = { x: 270, y: 300, w: 480, h: 90 };
    const frToEn = await compare(fr, welcomeShot, frWelcome, panel);
    check("in French the welcome panel is not the English one", frToEn > 5, "difference " + frToEn.toFixed(1));
    // Another language chosen later: the game asks, the page fetches it into
    // the data folder and tells the game (which shows its pictures).
    const asked = await fr.evaluate(() => Module.plotfray.fetchData("lang/de.asdb") &&
                                          !Module.plotfray.fetchData("../saves/x.asdb"));
    const arrived = asked && await until(fr, () => window.plotfrayPage.fetchedData.includes("lang/de.asdb"), 20000);
    const deSize = arrived && await fr.evaluate(() => Module.FS.stat("/data/lang/de.asdb").size);
    check("a language chosen later has its pictures fetched into the data folder", arrived && deSize > 1000000,
          "asked " + asked + ", arrived " + arrived + ", " + deSize + " bytes; fetched " + fetched.join(","));
    await french.close();
  } catch (e) {
    check("the test ran to its end", false, e.message);
  } finally {
    const errors = log.filter((l) => /page error|Aborted|RuntimeError|Failed to load/.test(l));
    check("no script error or missing file in the page", errors.length === 0, errors.slice(0, 3).join(" | "));
    const notes = await browser.pages().then((p) => p[p.length - 1].evaluate(() => window.plotfrayPage ? window.plotfrayPage.notes : []))
      .catch(() => []);
    const shown = notes.filter((n) => n.text !== testNote);
    check("no message was shown on the page", shown.length === 0, shown.map((n) => n.caption).join(", "));
    fs.writeFileSync(path.join(shots, "console.log"), log.join("\n") + "\n");
    await browser.close().catch(() => {});
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  const failed = results.filter((r) => !r.ok).length;
  console.log("web: " + (results.length - failed) + " passed, " + failed + " failed");
  process.exit(failed === 0 ? 0 : 1);
}

// The whole run has a ceiling: a stuck browser fails the test instead of hanging it.
setTimeout(() => { console.log("web: 0 passed, 1 failed (the test ran over 6 minutes)"); process.exit(1); }, 360000).unref();
main().catch((e) => { console.log("FAIL " + e.message); console.log("web: 0 passed, 1 failed"); process.exit(1); });
