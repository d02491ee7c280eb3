// SPDX-License-Identifier: MIT
// The window's definition: where every control stands, its colours and its texts.
#pragma once

#include "app/ProgramInfo.h"

#include <QRect>
#include <QSize>
#include <array>

namespace window {

// The window was laid out in twips, 1/1440 inch; at 96 dots per inch 15 of them make one
// device-independent pixel, which Qt scales again on high-density screens.
inline constexpr int kTwipsPerPixel = 15;

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr QRect ToPixels(Twips twips) {
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
            twips.height / kTwipsPerPixel};
}

inline constexpr Twips kClient{0, 0, 9615, 5175};

// Label1 0 is the title; 1 and 2 head the two pick lists.
inline constexpr std::array<Twips, 3> kLabel1{{
    {960, 0, 5415, 375},
    {120, 480, 1935, 375},
    {2160, 480, 7335, 375},
}};
inline constexpr std::array<Twips, 1> kCommand1{{{6720, 0, 1215, 375}}};
// List1 0 offers the settlements, List1 1 the sites.
inline constexpr std::array<Twips, 2> kList1{{
    {120, 840, 1935, 2055},
    {2160, 840, 7335, 2055},
}};
inline constexpr std::array<Twips, 1> kText1{{{120, 3240, 9375, 1815}}};
// The running score fills the top row from the clear button to the window's edge: the widest
// score, "Верни: 60 от 60", needs nearly all of it at the window's font.
inline constexpr Twips kScore{7935, 0, 1680, 375};
// The menu button, in the free corner left of the title, after every defined control.
inline constexpr Twips kMenuButton{60, 30, 840, 315};

constexpr bool WholePixels(Twips twips) {
    return twips.left % kTwipsPerPixel == 0 && twips.top % kTwipsPerPixel == 0 &&
           twips.width % kTwipsPerPixel == 0 && twips.height % kTwipsPerPixel == 0;
}
static_assert(WholePixels(kClient) && WholePixels(kLabel1[0]) && WholePixels(kLabel1[1]) &&
                  WholePixels(kLabel1[2]) && WholePixels(kCommand1[0]) && WholePixels(kList1[0]) &&
                  WholePixels(kList1[1]) && WholePixels(kText1[0]) && WholePixels(kScore) &&
                  WholePixels(kMenuButton),
              "every control must stand on whole pixels");

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline constexpr Rgb kWindowColour{192, 192, 255};
inline constexpr Rgb kLabelColour{255, 192, 128};
inline constexpr Rgb kButtonColour{255, 128, 128};
// The text on those three backgrounds; the lists and the message box keep the platform's.
inline constexpr Rgb kTextColour{0, 0, 0};

inline constexpr const char* kFontFamily = "Times New Roman";
// Metric-compatible with Times New Roman and with Cyrillic, so the layout holds without it.
inline constexpr const char* kFallbackFontFamily = "Liberation Serif";
inline constexpr int kFontPointSize = 12;

inline constexpr const char* kPublisherAddress = kHomepage;
inline constexpr const char* kCaption = "География - селища, местности, туристически обекти";
inline constexpr std::array<const char*, 3> kLabel1Captions{
    "География - национални туристически обекти",
    "Селище/местност",
    "Име на забележителност/туристически обект",
};
inline constexpr std::array<const char*, 1> kCommand1Captions{"Чисти"};
inline constexpr const char* kText1AccessibleName = "Съобщение";
// Said by a screen reader when a list takes the focus: how to hear the items before picking.
inline constexpr const char* kListAccessibleDescription =
    "Ctrl и стрелките: разглеждане; интервал: избор";
// The window's context menu, and the file dialogs and messages of its tables.
inline constexpr const char* kOpenTableCaption = "Отвори таблица…";
inline constexpr const char* kBuiltInTableCaption = "Вградената таблица";
inline constexpr const char* kSaveTableCaption = "Запиши таблицата като CSV…";
inline constexpr const char* kOpenTableTitle = "Отвори таблица";
inline constexpr const char* kSaveTableTitle = "Запиши таблицата като CSV";
inline constexpr const char* kOpenTableFilters =
    "Таблици (*.xlsx *.ods *.csv *.txt *.xml *.gift);;Всички файлове (*)";
inline constexpr const char* kSaveTableFilters = "Таблици (*.csv *.txt);;Всички файлове (*)";
inline constexpr const char* kTableNotSaved = "Таблицата не е записана във файла „%1“:\n%2.";
inline constexpr const char* kQuestionsSkipped = "Таблицата от файла „%1“ е отворена: %2.";
// A screen reader reads this, then the score itself.
inline constexpr const char* kScoreAccessibleName = "Резултат";
// The window's icon, in the sizes a title bar and a task switcher use; the larger ones are
// for the desktop, which takes them from the installed icon theme. Each is decoded when the
// window is shown, so the large ones would only slow the start.
inline constexpr const char* kIconFile = ":/icons/trevika-%1.png";
inline constexpr std::array<int, 4> kWindowIconSizes{16, 32, 48, 64};

// The task of the exercise, shown until the first verdict replaces it.
inline constexpr const char* kTaskText =
    "БТС е независимо сдружение за отдих, културна, природолюбива и екологична дейност.\r\n"
    "През 1966 година е създадено движението за обхождане и изучаване на културни, исторически, "
    "географски, археологически, архитектурни паметници в България с регионално, национално и "
    "световно значение.\r\n"
    "Да се реализира проект, представящ междупредметни връзки между География и Информатика.\r\n"
    "Тема на проекта: География - национални туристически обекти.\r\n"
    "В отделни листови полета да се въведат данни за име на селище/местност и название на "
    "популярен туристически обект.\r\n"
    "Информацията и в двата списъка да е сортирана възходящо. След посочване на ред и от двета "
    "списъка да се изтрива посочената информация и в отделно текстово поле да се извежда съобщение "
    "дали релацията име и време е вярна, както и съпътстваща информация за съответния туристически "
    "обект.\r\n"
    "Съберете допълнително информация за представяните туристически обекти.\r\n";

} // namespace window
