// Renews docs/screenshot-web.png, after scripts/web-build: the page at the
// design's client size (684 x 382 CSS pixels), a second after Start with the
// defaults.
const path = require("path");
const { launch, pageUrl } = require("../tests/web/browser");

(async () => {
    const browser = await launch(684, 382);
    try {
        const page = await browser.newPage();
        await page.goto(pageUrl());
        await page.waitForSelector("#Option2");
        await page.click("#Command1");
        await page.evaluate(() => new Promise((done) => setTimeout(done, 1000)));
        await page.screenshot({ path: path.resolve(__dirname, "../docs/screenshot-web.png") });
    } finally {
        await browser.finish();
    }
})().catch((e) => { console.error(e); process.exit(1); });
