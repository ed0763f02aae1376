// The program as a web page: the controls are made from the design table as
// the page's own elements, the toolkit adapters stand in front of them, and
// the page's events reach the handlers of `Form1` through the functions
// exported below.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include <emscripten.h>

#include "sim/state.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/web/web_toolkit.h"

namespace {

float cssPixels(int twips)
{
    return static_cast<float>(twips) * web::kCssPixelsPerInch /
           static_cast<float>(design::kTwipsPerInch);
}

// The page's element for each kind of design control: its tag, the type of
// an <input>, the role a screen reader knows it by where the tag does not
// say it, and its class for the page's style. An option is a radio input
// wrapped in the <label> that holds its caption; a field's caption is its
// text, others' their content.
struct ElementKind {
    std::string_view tag, type, role, className;
};

ElementKind elementKind(design::Kind kind)
{
    switch (kind) {
    case design::Kind::Picture: return {"canvas", "", "img", "Picture"};
    case design::Kind::Frame: return {"div", "", "group", "Frame"};
    case design::Kind::Command: return {"button", "", "", "Command"};
    case design::Kind::Text: return {"input", "text", "", "Text"};
    case design::Kind::Label: return {"label", "", "", "Label"};
    case design::Kind::Option: return {"input", "radio", "", "Option"};
    }
    return {"div", "", "", ""};
}

// The field a label names, if any, as the screen readers' table ties them.
std::string_view labelledField(std::string_view label)
{
    for (const accessibility::Entry& e : accessibility::kEntries)
        if (e.label == label)
            return e.control;
    return "";
}

// The texts here hold no control characters: quotes and backslashes are
// all that JSON needs escaped.
void appendJson(std::string& out, std::string_view key, std::string_view value)
{
    out.append(out.back() == '{' ? "\"" : ",\"").append(key).append("\":\"");
    for (const char c : value)
        out.append(c == '"' || c == '\\' ? "\\" : "").push_back(c);
    out.push_back('"');
}

// Every control of the design, with what a screen reader says of it beyond
// what shows (a name where the caption is not one, and a description), as
// a JSON array for the page to build; ids are the design names, so the
// adapters find the elements.
std::string pageControls()
{
    std::string json = "[";
    for (std::size_t k = 0; k < design::kControls.size(); ++k) {
        const design::Control& c = design::kControls[k];
        const accessibility::Entry& a = accessibility::kEntries[k];
        const ElementKind kind = elementKind(c.kind);
        json += json.size() > 1 ? ",{" : "{";
        for (const auto& [key, value] :
             {std::pair{"tag", kind.tag}, {"type", kind.type}, {"role", kind.role},
              {"class", kind.className}, {"id", c.name}, {"in", c.container},
              {"text", c.caption}, {"for", labelledField(c.name)}, {"name", a.name},
              {"description", a.description}})
            appendJson(json, key, value);
        json += ",\"rect\":[" + std::to_string(cssPixels(c.left)) + "," +
                std::to_string(cssPixels(c.top)) + "," + std::to_string(cssPixels(c.width)) + "," +
                std::to_string(cssPixels(c.height)) + "]}";
    }
    return json + "]";
}

// clang-format off
// The controls, each at its rectangle in CSS pixels within its container.
EM_JS(void, make_elements, (const char* controls), {
    for (const c of JSON.parse(UTF8ToString(controls))) {
        const el = document.createElement(c.tag);
        let box = el;
        el.id = c.id;
        if (c.type) el.type = c.type;
        // A touch screen offers a keyboard of digits; any text still goes in.
        if (el.type === "text") el.value = c.text, el.inputMode = "decimal";
        else if (el.type === "radio") el.name = "boundary", box = document.createElement("label"), box.append(el, c.text);
        else el.textContent = c.text;
        box.className = c.class;
        if (c.tag === "canvas") el.tabIndex = 0; // a stop of the Tab key, as on the desktop
        if (c.for) el.htmlFor = c.for;
        if (c.role) el.setAttribute("role", c.role);
        if (c.name) el.setAttribute("aria-label", c.name);
        if (c.description) el.setAttribute("aria-description", c.description);
        const [left, top, width, height] = c.rect;
        Object.assign(box.style, { left: left + "px", top: top + "px", width: width + "px", height: height + "px" });
        (document.getElementById(c.in) || document.body).append(box);
    }
});
EM_JS(void, set_title, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(void, set_checked, (const char* id), { document.getElementById(UTF8ToString(id)).checked = true; });
// A button with a pressed state, unpressed to begin with.
EM_JS(void, make_toggle, (const char* id), {
    document.getElementById(UTF8ToString(id)).setAttribute("aria-pressed", "false");
});
// A status out of sight after a button, which repeats its caption once a
// press has changed it (show_run): a screen reader says a status's new
// text, not a button's new name. Empty until then, it is not read as the
// page is built.
EM_JS(void, announce_caption, (const char* id), {
    const button = document.getElementById(UTF8ToString(id));
    const status = document.createElement("span");
    status.setAttribute("role", "status");
    status.dataset.caption = button.textContent;
    button.after(status);
});
// After every press: Pause reads as pressed exactly while the run is paused,
// and Start's status repeats a caption that has changed.
EM_JS(void, show_run, (bool paused), {
    document.getElementById("Command2").setAttribute("aria-pressed", paused ? "true" : "false");
    const start = document.getElementById("Command1");
    const status = start.nextElementSibling;
    if (status.dataset.caption !== start.textContent)
        status.textContent = status.dataset.caption = start.textContent;
});
// The page's events to the exported handlers, for the page's whole life.
// The timer keeps the ticks' own clock: a call that comes late runs the
// ticks that are due, up to `maxTicks`, so that on a slow processor the gas
// still moves at the speed its v states; a page further behind (a hidden
// tab's timers run once a second) lets the rest go. A tick only collects
// its drawing: the canvas is drawn at the screen's next frame, and when its
// box of device pixels changes (a resize, a zoom, another screen).
EM_JS(void, start_events, (int intervalMs, int maxTicks), {
    document.getElementById("Command1").onclick = () => _web_click(1);
    document.getElementById("Command2").onclick = () => _web_click(2);
    const picture = document.getElementById("Picture1");
    const moved = (e) => _web_pointer(e.buttons, e.shiftKey | e.ctrlKey << 1 | e.altKey << 2, e.offsetX, e.offsetY);
    picture.addEventListener("pointermove", moved);
    picture.addEventListener("pointerdown", moved); // a touch has no move before it
    document.getElementById("Frame1").addEventListener("focusin", () => _web_panel_focus());
    window.addEventListener("resize", () => _web_resize());
    document.addEventListener("visibilitychange", () => _web_resize());

    const box = { width: 0, height: 0 };
    Module.showFrame = () => _web_frame(box.width, box.height, window.devicePixelRatio || 1);
    // The box exactly as the screen has it where the browser tells; a ratio
    // that the developer tools emulate leaves it in CSS pixels.
    const observer = new ResizeObserver(([entry]) => {
        const ratio = window.devicePixelRatio || 1, css = entry.contentRect;
        const device = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
        const exact = device && Math.abs(device.inlineSize - css.width * ratio) < 1 &&
                      Math.abs(device.blockSize - css.height * ratio) < 1;
        box.width = exact ? device.inlineSize : Math.round(css.width * ratio);
        box.height = exact ? device.blockSize : Math.round(css.height * ratio);
        Module.showFrame();
    });
    // A new ratio (a zoom, another screen) may leave the box in CSS pixels
    // as it was; observing afresh measures it at once.
    const observe = () => {
        observer.disconnect();
        try {
            observer.observe(picture, { box: "device-pixel-content-box" });
        } catch (e) {
            observer.observe(picture);
        }
        matchMedia("(resolution: " + (window.devicePixelRatio || 1) + "dppx)")
            .addEventListener("change", observe, { once: true });
    };
    observe();

    let due = performance.now() + intervalMs;
    setInterval(() => {
        const now = performance.now();
        for (let n = 0; n < maxTicks && now + intervalMs / 2 >= due; ++n, due += intervalMs)
            _web_tick();
        if (now >= due) due = now + intervalMs;
    }, intervalMs);
});
EM_JS(void, ask_frame, (), {
    if (Module.frameAsked) return;
    Module.frameAsked = true;
    requestAnimationFrame(() => {
        Module.frameAsked = false;
        Module.showFrame();
    });
});
// clang-format on

// Declaration order is construction order: the adapters, then the form that
// refers to them.
struct Page {
    web::Window window;
    web::Screen screen;
    web::PictureBox picture1;
    web::Frame frame1{cssPixels(design::control("Frame1").width),
                     cssPixels(design::control("Frame1").height)};
    web::TextBox text1{"Text1"};
    web::TextBox text2{"Text2"};
    web::TextBox text3{"Text3"};
    web::OptionButton option1{"Option1"};
    web::CommandButton command1{"Command1"};
    web::Timer timer1;
    Form1 form{toolkit::Controls{window, screen, picture1, frame1, text1, text2, text3, option1,
                                 command1, timer1}};
};

std::unique_ptr<Page> page;

// A late timer call runs at most this many ticks.
constexpr int kMostTicksAtOnce = 5;

// Every handler may draw; what it drew shows at the screen's next frame.
template <class Handler>
void handle(Handler&& handler)
{
    handler(page->form);
    if (page->picture1.wanted())
        ask_frame();
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void web_tick()
{
    handle([](Form1& f) { f.Timer1_Timer(); });
}

EMSCRIPTEN_KEEPALIVE void web_click(int button)
{
    handle([button](Form1& f) { button == 1 ? f.Command1_Click() : f.Command2_Click(); });
    show_run(page->form.pauseBool);
}

EMSCRIPTEN_KEEPALIVE void web_resize()
{
    handle([](Form1& f) { f.Form_Resize(); });
}

EMSCRIPTEN_KEEPALIVE void web_panel_focus()
{
    handle([](Form1& f) { f.Frame1_GotFocus(); });
}

EMSCRIPTEN_KEEPALIVE void web_frame(int width, int height, float ratio)
{
    page->picture1.present(width, height, ratio);
}

EMSCRIPTEN_KEEPALIVE void web_pointer(int buttons, int shift, float x, float y)
{
    handle([=](Form1& f) {
        f.Picture1_MouseMove(static_cast<std::int16_t>(buttons), static_cast<std::int16_t>(shift), x,
                             y);
    });
}

} // extern "C"

int main()
{
    make_elements(pageControls().c_str());
    set_title(std::string(design::kTitle).c_str());
    set_checked("Option1");
    make_toggle("Command2");
    announce_caption("Command1");
    page = std::make_unique<Page>();
    handle([](Form1& f) { f.Form_Load(); });
    start_events(design::kTimerIntervalMs, kMostTicksAtOnce);
}
