#pragma once

// What a screen reader says for each control of the design: its name first,
// then its description (what it does, a field's range and unit); a field is
// also tied to the label beside it. Plain data, shared by every front end, so
// that each speaks the same words. Texts are UTF-8.

#include <array>
#include <cstddef>
#include <string_view>

#include "ui/design.h"

namespace accessibility {

struct Entry {
    std::string_view control; // the design's name
    // Empty: the caption as shown, which for Start/Stop changes with the run.
    std::string_view name;
    std::string_view description;
    std::string_view label; // the label that names a field, or empty
};

// The window is named by its title.
inline constexpr std::string_view kWindowName = design::kTitle;

// In the design's order. The fields are named by the design's own texts for
// them, which the settings replace on the screen.
inline constexpr std::array<Entry, design::kControls.size()> kEntries{{
    {"Picture1", "движение молекул",
     "Жёлтые круги — молекулы газа. Пока идёт движение, панель управления уезжает вверх, "
     "когда указатель опускается на картину, и возвращается, когда он поднимается к её "
     "верхнему краю; после «Стоп» или «Пауза» панель возвращается сама. Клавиша Tab "
     "переходит к кнопкам.",
     ""},
    {"Frame1", "панель управления",
     "Кнопки «Старт» и «Пауза», поля m, v и N и выбор границ.", ""},
    {"Command1", "",
     "«Старт» берёт значения из полей и запускает движение нового газа; «Стоп» "
     "останавливает его и очищает картину.",
     ""},
    {"Command2", "", "Приостанавливает движение и возобновляет его.", ""},
    {"Text1", design::control("Text1").caption,
     "Масса молекулы, от 5 до 100000 условных единиц; от неё зависит размер круга.", "Label1"},
    {"Text2", design::control("Text2").caption,
     "Наибольшая скорость молекулы вдоль каждой оси, от 1 до 30000 пикселей в секунду.",
     "Label2"},
    {"Text3", design::control("Text3").caption, "Число молекул, от 1 до 500.", "Label3"},
    {"Label1", "", "", ""},
    {"Label2", "", "", ""},
    {"Label3", "", "", ""},
    {"Option1", "",
     "Молекула, ушедшая за край, появляется у противоположного края; действует со "
     "следующего нажатия «Старт».",
     ""},
    {"Option2", "",
     "Молекулы отскакивают от краёв; действует со следующего нажатия «Старт».", ""},
}};

// Every control of the design has its entry in the same place, and a field's
// label is a label of the design.
consteval bool matchesTheDesign()
{
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const Entry& e = kEntries[i];
        if (e.control != design::kControls[i].name)
            return false;
        if (!e.label.empty() && design::control(e.label).kind != design::Kind::Label)
            return false;
    }
    return true;
}
static_assert(matchesTheDesign());

} // namespace accessibility
