// The program as a web page: the controls are made from the design table as
// the page's own elements, the toolkit adapters stand in front of them, and
// the page's events reach the handlers of `Form1` through the functions
// exported below.

#include <cstdint>
#include <memory>
#include <string>

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

// The page's element for each kind of design control: its tag, and the
// type of an <input>. An option is a radio input wrapped in the <label> that
// holds its caption; a field's caption is its text, others' their content.
struct ElementKind {
    const char* tag;
    const char* type;
};

ElementKind elementKind(design::Kind kind)
{
    switch (kind) {
    case design::Kind::Picture: return {"canvas", ""};
    case design::Kind::Frame: return {"div", ""};
    case design::Kind::Command: return {"button", ""};
    case design::Kind::Text: return {"input", "text"};
    case design::Kind::Label: return {"label", ""};
    case design::Kind::Option: return {"input", "radio"};
    }
    return {"div", ""};
}

// The field a label names, if any, as the screen readers' table ties them.
std::string labelledField(const design::Control& c)
{
    for (const accessibility::Entry& e : accessibility::kEntries)
        if (!e.label.empty() && e.label == c.name)
            return std::string(e.control);
    return "";
}

// clang-format off
// One element for a design control, at its rectangle in CSS pixels within
// its container; ids are the design names, so the adapters find them.
EM_JS(void, make_element, (const char* tag, const char* type, const char* name, const char* container,
                           const char* caption, const char* labelFor, float left, float top, float width, float height), {
    const el = document.createElement(UTF8ToString(tag));
    el.id = UTF8ToString(name);
    el.className = el.id.slice(0, -1); // the design's kind, for the page's style
    const text = UTF8ToString(caption);
    let box = el;
    if (UTF8ToString(type)) el.type = UTF8ToString(type);
    if (el.type === "text") el.value = text;
    else if (el.type === "radio") {
        el.name = "boundary";
        box = document.createElement("label");
        box.className = "Option";
        box.append(el, text);
    } else if (text) el.textContent = text;
    if (UTF8ToString(labelFor)) el.htmlFor = UTF8ToString(labelFor);
    Object.assign(box.style, { left: left + "px", top: top + "px", width: width + "px", height: height + "px" });
    (document.getElementById(UTF8ToString(container)) || document.body).append(box);
});
EM_JS(void, set_title, (const char* title), { document.title = UTF8ToString(title); });
// What a screen reader says for an element beyond what it shows: a name
// where the caption is not one, and a description. The picture is an image
// to it, the panel a group; neither changes what shows. Pause is a toggle
// from the start, unpressed. Start is followed by a status, out of sight,
// that repeats its caption once a press has changed it (show_paused): a
// reader says a status's new text, not a button's new name. Empty until
// then, it is not read as the page is built.
EM_JS(void, describe, (const char* id, const char* name, const char* description), {
    const el = document.getElementById(UTF8ToString(id));
    if (UTF8ToString(name)) el.setAttribute("aria-label", UTF8ToString(name));
    if (UTF8ToString(description)) el.setAttribute("aria-description", UTF8ToString(description));
    if (el.id === "Picture1") el.setAttribute("role", "img");
    if (el.id === "Frame1") el.setAttribute("role", "group");
    if (el.id === "Command2") el.setAttribute("aria-pressed", "false");
    if (el.id === "Command1") {
        const status = document.createElement("span");
        status.setAttribute("role", "status");
        status.dataset.caption = el.textContent;
        el.after(status);
    }
});
// After every press: Pause reads as pressed exactly while the run is paused,
// and Start's status repeats a caption that has changed.
EM_JS(void, show_paused, (bool paused), {
    document.getElementById("Command2").setAttribute("aria-pressed", paused ? "true" : "false");
    const start = document.getElementById("Command1");
    const status = start.nextElementSibling;
    if (status.dataset.caption !== start.textContent)
        status.textContent = status.dataset.caption = start.textContent;
});
// The page's events to the exported handlers, and the timer, for the page's
// whole life.
EM_JS(void, start_events, (int intervalMs), {
    document.getElementById("Option1").checked = true;
    document.getElementById("Command1").onclick = () => _web_click(1);
    document.getElementById("Command2").onclick = () => _web_click(2);
    const picture = document.getElementById("Picture1");
    const moved = (e) => _web_pointer(e.buttons, e.shiftKey | e.ctrlKey << 1 | e.altKey << 2, e.offsetX, e.offsetY);
    picture.addEventListener("pointermove", moved);
    picture.addEventListener("pointerdown", moved); // a touch has no move before it
    window.addEventListener("resize", () => _web_resize());
    document.addEventListener("visibilitychange", () => _web_resize());
    setInterval(() => _web_tick(), intervalMs);
});
// clang-format on

// Declaration order is construction order: the adapters, then the form that
// refers to them.
struct Page {
    web::Window window;
    web::Screen screen;
    web::PictureBox picture1;
    web::Frame frame1{cssPixels(design::control("Frame1").height)};
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

// Every handler may draw; the page shows it once the handler is done.
template <class Handler>
void handle(Handler&& handler)
{
    handler(page->form);
    page->picture1.present();
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
    show_paused(page->form.pauseBool);
}

EMSCRIPTEN_KEEPALIVE void web_resize()
{
    handle([](Form1& f) { f.Form_Resize(); });
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
    for (const design::Control& c : design::kControls) {
        const ElementKind kind = elementKind(c.kind);
        make_element(kind.tag, kind.type, std::string(c.name).c_str(),
                     std::string(c.container).c_str(), std::string(c.caption).c_str(),
                     labelledField(c).c_str(), cssPixels(c.left), cssPixels(c.top),
                     cssPixels(c.width), cssPixels(c.height));
    }
    for (const accessibility::Entry& e : accessibility::kEntries)
        describe(std::string(e.control).c_str(), std::string(e.name).c_str(),
                 std::string(e.description).c_str());
    set_title(std::string(design::kTitle).c_str());
    page = std::make_unique<Page>();
    handle([](Form1& f) { f.Form_Load(); });
    start_events(design::kTimerIntervalMs);
}
