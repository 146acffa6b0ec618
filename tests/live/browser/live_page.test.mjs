// The live page in a real browser: headless Chromium opens the page from
// aqgalarec-live, the desk saves an event, the event appears within 3
// seconds without a reload, and a swimmer's name made of markup shows as
// text and runs nothing.
//
//   node live_page.test.mjs BINDIR TESTDIR WORKDIR
import { spawn, execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

const [binDir, testDir, workRoot] = process.argv.slice(2);
const hostile = "<img src=x onerror=alert(1)>";
const work = mkdtempSync(join(workRoot, "live-"));
const folder = join(work, "live");
const db = join(work, "gala.mdb");
let server, browser;

// The whole test is bounded: it stops by itself.
const watchdog = setTimeout(() => finish("timed out after 60 s"), 60000);

function finish(failure) {
  clearTimeout(watchdog);
  if (server) server.kill();
  const closing = browser ? browser.close().catch(() => {}) : Promise.resolve();
  closing.then(() => {
    rmSync(work, { recursive: true, force: true });
    if (failure) {
      console.error("FAIL: " + failure);
      process.exit(1);
    }
    console.log("PASS: live page");
    process.exit(0);
  });
}

function desk(args) {
  execFileSync(join(testDir, "live_desk"), ["--db", db, "--folder", folder, ...args], {
    stdio: "inherit",
    timeout: 20000,
  });
}

function startServer() {
  return new Promise((resolve, reject) => {
    server = spawn(join(binDir, "aqgalarec-live"), ["--folder", folder, "--port", "0"]);
    let out = "";
    server.stdout.on("data", (chunk) => {
      out += chunk;
      const m = out.match(/http:\/\/127\.0\.0\.1:(\d+)\//);
      if (m) resolve(m[0]);
    });
    server.on("exit", (code) => reject(new Error("aqgalarec-live ended with " + code)));
  });
}

async function main() {
  desk(["--event", "1", "--times", "40.10,41.20,42.30"]);
  const url = await startServer();
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-proxy-server"],
  });
  const page = await browser.newPage();
  const dialogs = [];
  page.on("dialog", async (d) => {
    dialogs.push(d.message());
    await d.dismiss();
  });
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  await page.goto(url, { waitUntil: "load", timeout: 15000 });
  const first = await page.$$eval("article.event h2", (hs) => hs.map((h) => h.textContent));
  if (first.length !== 1 || !first[0].startsWith("Event 1:"))
    throw new Error("the first page shows " + JSON.stringify(first));
  await page.evaluate(() => {
    window.notReloaded = true;
  });

  desk(["--event", "2", "--times", "38.00,39.00", "--swimmer", hostile]);
  const saved = Date.now();
  await page.waitForFunction(
    () => [...document.querySelectorAll("article.event h2")].some((h) => h.textContent.startsWith("Event 2:")),
    { timeout: 3000, polling: 100 },
  );
  console.log("event 2 shown " + (Date.now() - saved) + " ms after the save");

  const state = await page.evaluate(() => ({
    notReloaded: window.notReloaded === true,
    images: document.querySelectorAll("img").length,
    text: document.getElementById("events").textContent,
  }));
  if (!state.notReloaded) throw new Error("the page was reloaded");
  if (!state.text.includes("<img src=x onerror=alert(1)>"))
    throw new Error("the swimmer's name is not shown as text");
  if (state.images !== 0) throw new Error("the swimmer's name became an element");
  await new Promise((r) => setTimeout(r, 500));
  if (dialogs.length) throw new Error("a script ran: " + dialogs.join(", "));
  if (errors.length) throw new Error("the page's script failed: " + errors.join(", "));
}

main().then(
  () => finish(null),
  (e) => finish(e.message || String(e)),
);
