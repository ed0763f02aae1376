// The web page in headless Chromium, driven as a user would: opened from a
// file, clicked, typed into and pointed at. Run by scripts/test after
// scripts/web-build.
const assert = require("assert/strict");
const { launch, pageUrl } = require("./browser");

const W = 1280, H = 720;
// The design's rectangles, twips (15 to a CSS pixel), within the container.
const design = {
    Command1: [240, 120, 1695, 375], Command2: [2160, 120, 1695, 375],
    Text1: [4320, 120, 735, 285], Text2: [5400, 120, 735, 285], Text3: [6480, 120, 735, 285],
    Label1: [4080, 240, 375, 255], Label2: [5160, 240, 255, 255], Label3: [6240, 240, 255, 255],
    Option1: [7320, 120, 2595, 195], Option2: [7320, 360, 2655, 195],
};

const checks = [];
const check = (name, fn) => checks.push([name, fn]);
let page;

const rect = (id) => page.evaluate((id) => {
    const el = document.getElementById(id);
    const r = (el.type === "radio" ? el.parentElement : el).getBoundingClientRect();
    return [r.left, r.top, r.width, r.height];
}, id);
const fields = () => page.$$eval("input[type=text]", (f) => f.map((e) => e.value));
// The canvas's pixels as a string of its yellow ones, and how many.
const picture = () => page.evaluate(() => {
    const c = document.getElementById("Picture1");
    const d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    let yellow = 0, hash = 0;
    for (let i = 0; i < d.length; i += 4) {
        const on = d[i] === 255 && d[i + 1] === 255 && d[i + 2] === 0;
        yellow += on;
        if (on) hash = (hash * 31 + i) >>> 0;
    }
    return { yellow, hash };
});
const waitFor = (fn) => page.waitForFunction(fn, { timeout: 5000, polling: 5 });
// Waits until the panel's top meets `cond`, "<= -41" (hidden) or "=== 0".
const panelTop = (cond) => waitFor(`parseFloat(document.getElementById("Frame1").style.top) ${cond}`);
const frames = (n) => page.evaluate((n) => new Promise((done) => {
    const step = () => (n-- > 0 ? requestAnimationFrame(step) : done());
    step();
}), n);

check("the title, and the drawing area fills the viewport", async () => {
    assert.equal(await page.title(), "тепловое движеие");
    assert.deepEqual(await rect("Picture1"), [0, 0, W, H]);
    assert.deepEqual(await rect("Frame1"), [0, 0, W + 16, 41]);
});

check("the twelve controls at their design rectangles, with their texts", async () => {
    assert.equal(await page.$$eval("body > :not(script), #Frame1 > :not([role=status])", (els) => els.length), 12);
    for (const [id, twips] of Object.entries(design))
        assert.deepEqual(await rect(id), twips.map((t) => t / 15), id);
    assert.deepEqual(await page.$$eval("button", (b) => b.map((e) => e.textContent)), ["Старт", "Пауза"]);
    assert.deepEqual(await fields(), [" 200", " 1000", " 50"]);
    assert.deepEqual(await page.$$eval("input[type=radio]", (r) => r.map((e) => [e.name, e.checked])),
                     [["boundary", true], ["boundary", false]]);
    // Each label is tied to its field, and each option's caption to its radio.
    assert.deepEqual(await page.$$eval("label", (l) => l.map((e) => [e.textContent, e.control && e.control.id])),
                     [["m", "Text1"], ["v", "Text2"], ["N", "Text3"],
                      ["Замкнутое прространство", "Option1"], ["Ограниченное пространство", "Option2"]]);
});

check("Start draws yellow discs that move", async () => {
    await page.click("#Command1");
    const first = await picture();
    assert.ok(first.yellow > 0, "no yellow pixel");
    await frames(20);
    assert.notDeepEqual(await picture(), first);
});

check("a pointer low slides the panel away in 3-pixel steps; near the top brings it back", async () => {
    await page.evaluate(() => {
        window.tops = [];
        new MutationObserver(() => window.tops.push(parseFloat(document.getElementById("Frame1").style.top)))
            .observe(document.getElementById("Frame1"), { attributes: true });
    });
    await page.mouse.move(W / 2, H - 50);
    await panelTop("<= -41");
    const tops = await page.evaluate(() => window.tops.filter((t, i, a) => i === 0 || t !== a[i - 1]));
    for (let i = 1; i < tops.length; ++i)
        assert.equal(Math.round(tops[i - 1] - tops[i]), 3, `steps ${tops}`);
    await page.mouse.move(W / 2, 5);
    await panelTop("=== 0");
});

check("a touch in the top band brings the panel back", async () => {
    await page.mouse.move(W / 2, H - 50);
    await panelTop("<= -41");
    await page.mouse.move(W / 2, H - 50); // the mouse stays low
    await page.touchscreen.tap(W / 2, 10);
    await panelTop("=== 0");
});

check("Pause freezes the picture, and resumes it", async () => {
    await page.click("#Command2");
    const frozen = await picture();
    await frames(20);
    assert.deepEqual(await picture(), frozen);
    await page.click("#Command2");
    await frames(20);
    assert.notDeepEqual(await picture(), frozen);
});

check("Stop clears the picture", async () => {
    await page.click("#Command1");
    assert.equal((await picture()).yellow, 0);
});

// What a screen reader says of the page is the screen-reader test's (tests/e2e).
check("from the keyboard: a paused run brings the panel back, a resumed one sends it away", async () => {
    await page.focus("#Command1");
    await page.keyboard.press("Enter"); // Start
    await page.mouse.move(W / 2, H - 50);
    await panelTop("<= -41");
    await page.focus("#Command2");
    await page.keyboard.press("Space");
    await panelTop("=== 0");
    await page.keyboard.press("Space");
    await panelTop("<= -41"); // running again, the pointer still low
    await page.mouse.move(W / 2, 5);
    await panelTop("=== 0");
    await page.focus("#Command1");
    await page.keyboard.press("NumpadEnter"); // Stop
});

check("out-of-range and malformed numbers are clamped and written back", async () => {
    for (const [id, typed] of [["Text1", "1,5"], ["Text2", "1e400"], ["Text3", "abc"]]) {
        await page.click("#" + id, { clickCount: 3 });
        await page.keyboard.type(typed);
    }
    await page.click("#Command1");
    assert.deepEqual(await fields(), [" 5", " 30000", " 1"]);
    await page.click("#Command1");
});

check("a resized window and a HiDPI screen: the area follows, at device pixels", async () => {
    await page.setViewport({ width: 800, height: 500, deviceScaleFactor: 2 });
    await waitFor(() => document.getElementById("Picture1").getBoundingClientRect().width === 800);
    assert.deepEqual(await rect("Frame1"), [0, 0, 816, 41]);
    await page.click("#Command1");
    assert.deepEqual(await page.$eval("#Picture1", (c) => [c.width, c.height]), [1600, 1000]);
    assert.ok((await picture()).yellow > 0);
    await page.click("#Command1");
});

(async () => {
    const browser = await launch(W, H);
    let failed = 0;
    try {
        page = await browser.newPage();
        const elsewhere = [];
        page.on("request", (r) => /^(file|data):/.test(r.url()) || elsewhere.push(r.url()));
        const errors = [];
        page.on("pageerror", (e) => errors.push(String(e)));
        await page.goto(pageUrl());
        await page.waitForSelector("#Option2");
        for (const [name, fn] of checks) {
            try {
                await fn();
                console.log("ok   " + name);
            } catch (e) {
                ++failed;
                console.log("FAIL " + name + "\n     " + e.message);
            }
        }
        assert.deepEqual(elsewhere, [], "requests beyond the file");
        assert.deepEqual(errors, [], "errors on the page");
    } finally {
        await browser.finish();
    }
    process.exit(failed ? 1 : 0);
})().catch((e) => { console.error(e); process.exit(1); });
