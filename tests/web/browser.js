// Debian's Chromium, headless, as the page test and the speed bench start it:
// no sandbox when run as root, and nothing that would reach for the network.
const fs = require("fs");
const os = require("os");
const path = require("path");

async function launch(width, height) {
    const puppeteer = require("puppeteer-core"); // here, so that pageUrl() needs no modules
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "thermal-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        defaultViewport: { width, height, deviceScaleFactor: Number(process.env.SCALE || 1) },
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", `--window-size=${width},${height}`],
    });
    // Closes the browser and removes its profile, which Chromium may still be
    // writing as it goes.
    browser.finish = async () => {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    };
    return browser;
}

function pageUrl() {
    return "file://" + path.resolve(__dirname, "../../build/web/index.html");
}

module.exports = { launch, pageUrl };
