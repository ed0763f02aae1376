// Debian's Chromium, headless, as the page test and the speed bench start it:
// no sandbox when run as root, and nothing that would reach for the network.
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const root = path.resolve(__dirname, "../..");

// A viewport of `width` x `height` CSS pixels on a screen of `scale` device
// pixels to one, as a real screen has them (the developer tools' emulated
// ratio leaves a box's device pixels as CSS pixels, unlike any screen).
async function launch(width, height, scale = 1) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "thermal-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        defaultViewport: { width, height, deviceScaleFactor: 0 }, // 0: the screen's own
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", `--window-size=${width},${height}`,
               `--force-device-scale-factor=${scale}`],
    });
    // Closes the browser and removes its profile, which Chromium may still be
    // writing as it goes.
    browser.finish = async () => {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    };
    return browser;
}

// The page as it is handed out: its one file, alone in a folder whose name a
// teacher might give it; made once a run.
let url;
function pageUrl() {
    if (url) return url;
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "Урок физики, 8 класс "));
    const file = path.join(folder, "thermal-motion.html");
    fs.copyFileSync(path.join(root, "build/web/thermal-motion.html"), file);
    process.on("exit", () => fs.rmSync(folder, { recursive: true, force: true }));
    return (url = "file://" + encodeURI(file));
}

// The controls of the window's design (ui/design.h), read where they are
// defined: name, container and rectangle in twips.
function design() {
    const source = fs.readFileSync(path.join(root, "ui/design.h"), "utf8");
    const row = /\{"(\w+)", Kind::\w+, "(\w+)", [^,]*, (\d+), (\d+), (\d+), (\d+)\}/g;
    return [...source.matchAll(row)].map(([, name, container, ...twips]) =>
        ({ name, container, twips: twips.map(Number) }));
}

module.exports = { launch, pageUrl, design };
