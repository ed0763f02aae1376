// The web page in headless Chromium, measured from outside the program: the
// ticks a second are the page's calls of its tick (a late timer call may run
// several), counted by wrapping the function the timer calls; the floor
// page's are its timer's runs. The processor time is the browser's, all its
// processes, from /proc. Scales are Chromium's own device scale, as a screen
// has it; "slow" cases slow the page's thread 4x (DevTools' CPU throttling,
// a Chromebook-class processor). Usage:
//   node bench/web_bench.js SECONDS RUNS
// Prints one line per case: median ticks/s and CPU % over the runs, and the
// time to the first picture.
const fs = require("fs");
const path = require("path");
const { launch, pageUrl } = require("../tests/web/browser");

const CASES = [
    // name, viewport, scale, throttling, N, m, v
    ["defaults", 1280, 720, 1, 1, "50", "200", "1000"],
    ["worst", 1280, 720, 1, 1, "500", "100000", "1000"],
    ["1080p-m200", 1920, 1080, 1, 1, "500", "200", "1000"],
    ["1080p@2", 1920, 1080, 2, 1, "50", "200", "1000"],
    ["1080p@2-worst", 1920, 1080, 2, 1, "500", "100000", "1000"],
    ["slow@1.5", 1366, 768, 1.5, 4, "50", "200", "1000"],
    ["slow@1.5-worst", 1366, 768, 1.5, 4, "500", "100000", "1000"],
    // What the browser itself costs: a page that changes one 16-pixel square
    // of a canvas as large as the viewport every 10 ms, and nothing else.
    ["floor", 1280, 720, 1, 1],
    ["floor-1080p", 1920, 1080, 1, 1],
];
const floorPage = (w, h) => `<body style="margin:0"><canvas id="c" width="${w}" height="${h}"></canvas>
<script>const c = document.getElementById("c").getContext("2d"), square = new ImageData(16, 16);
let k = 0; setInterval(() => c.putImageData(square, (k++ % 80) * 16, 0), 10);</script>`;
const ticksPerClock = 100; // USER_HZ on Linux

// Processor time, in clock ticks, of `root` and every process under it.
function treeCpu(root) {
    const stats = [];
    for (const pid of fs.readdirSync("/proc").filter((p) => /^\d+$/.test(p))) {
        try {
            const s = fs.readFileSync(`/proc/${pid}/stat`, "utf8");
            const f = s.slice(s.lastIndexOf(")") + 2).split(" ");
            stats.push({ pid: Number(pid), ppid: Number(f[1]), cpu: Number(f[11]) + Number(f[12]) });
        } catch { /* gone meanwhile */ }
    }
    const inTree = new Set([root]);
    for (let grew = true; grew;) {
        grew = false;
        for (const s of stats)
            if (!inTree.has(s.pid) && inTree.has(s.ppid)) inTree.add(s.pid), (grew = true);
    }
    return stats.filter((s) => inTree.has(s.pid)).reduce((sum, s) => sum + s.cpu, 0);
}

async function run([name, width, height, scale, slower, n, m, v], seconds) {
    const browser = await launch(width, height, scale);
    try {
        const page = await browser.newPage();
        let firstPicture = NaN;
        if (n === undefined) {
            await page.evaluateOnNewDocument(() => {
                window.ticks = 0;
                const every = window.setInterval;
                window.setInterval = (fn, ms, ...args) => every(() => (fn(...args), ++window.ticks), ms);
            });
            await page.goto("data:text/html," + encodeURIComponent(floorPage(width, height)));
        } else {
            await page.goto(pageUrl());
            await page.waitForFunction(() => document.getElementById("Picture1")?.width > 0, { polling: 1 });
            firstPicture = await page.evaluate(() => performance.now());
            for (const [id, text] of [["Text3", n], ["Text1", m], ["Text2", v]])
                await page.$eval("#" + id, (el, t) => (el.value = t), text);
            await page.click("#Command1");
        }
        const cdp = await page.target().createCDPSession();
        await cdp.send("Emulation.setCPUThrottlingRate", { rate: slower });
        await new Promise((r) => setTimeout(r, 1000)); // past the start's own work
        if (n !== undefined)
            await page.evaluate(() => {
                window.ticks = 0;
                const tick = window._web_tick;
                window._web_tick = () => (tick(), ++window.ticks);
            });
        const pid = browser.process().pid;
        const t0 = await page.evaluate(() => window.ticks), c0 = treeCpu(pid), w0 = Date.now();
        await new Promise((r) => setTimeout(r, seconds * 1000));
        const t1 = await page.evaluate(() => window.ticks), c1 = treeCpu(pid), w1 = Date.now();
        const wall = (w1 - w0) / 1000;
        return { tps: (t1 - t0) / wall, cpu: ((c1 - c0) / ticksPerClock / wall) * 100, firstPicture };
    } finally {
        await browser.finish();
    }
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

(async () => {
    const seconds = Number(process.argv[2] || 10), runs = Number(process.argv[3] || 3);
    const results = Object.fromEntries(CASES.map((c) => [c[0], []]));
    for (let r = 0; r < runs; ++r)
        for (const c of CASES) results[c[0]].push(await run(c, seconds));
    console.log("case            size       ticks/s (range)       CPU % (range)    first picture ms");
    for (const c of CASES) {
        const rs = results[c[0]], t = rs.map((x) => x.tps), u = rs.map((x) => x.cpu);
        const f = (xs) => `${median(xs).toFixed(1)} (${Math.min(...xs).toFixed(1)}-${Math.max(...xs).toFixed(1)})`;
        console.log(`${c[0].padEnd(15)} ${(c[1] + "x" + c[2]).padEnd(10)} ${f(t).padEnd(21)} ${f(u).padEnd(16)} ${median(rs.map((x) => x.firstPicture)).toFixed(0)}`);
    }
})().catch((e) => { console.error(e); process.exit(1); });
