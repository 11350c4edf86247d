#include "app/KeyPositions.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace sk {

namespace {

struct Place {
    int Code;  // Linux input event code
    int Key;   // its Qt key on a US QWERTY keyboard
    bool Keypad;
    const char* Name;
};

// The places a player may bind.
constexpr Place kPlaces[] = {
    {2, Qt::Key_1, false, "1"}, {3, Qt::Key_2, false, "2"}, {4, Qt::Key_3, false, "3"},
    {5, Qt::Key_4, false, "4"}, {6, Qt::Key_5, false, "5"}, {7, Qt::Key_6, false, "6"},
    {8, Qt::Key_7, false, "7"}, {9, Qt::Key_8, false, "8"}, {10, Qt::Key_9, false, "9"},
    {11, Qt::Key_0, false, "0"}, {12, Qt::Key_Minus, false, "-"}, {13, Qt::Key_Equal, false, "="},
    {14, Qt::Key_Backspace, false, "Backspace"},
    {16, Qt::Key_Q, false, "Q"}, {17, Qt::Key_W, false, "W"}, {18, Qt::Key_E, false, "E"},
    {19, Qt::Key_R, false, "R"}, {20, Qt::Key_T, false, "T"}, {21, Qt::Key_Y, false, "Y"},
    {22, Qt::Key_U, false, "U"}, {23, Qt::Key_I, false, "I"}, {24, Qt::Key_O, false, "O"},
    {25, Qt::Key_P, false, "P"}, {26, Qt::Key_BracketLeft, false, "["}, {27, Qt::Key_BracketRight, false, "]"},
    {28, Qt::Key_Return, false, "Enter"},
    {30, Qt::Key_A, false, "A"}, {31, Qt::Key_S, false, "S"}, {32, Qt::Key_D, false, "D"},
    {33, Qt::Key_F, false, "F"}, {34, Qt::Key_G, false, "G"}, {35, Qt::Key_H, false, "H"},
    {36, Qt::Key_J, false, "J"}, {37, Qt::Key_K, false, "K"}, {38, Qt::Key_L, false, "L"},
    {39, Qt::Key_Semicolon, false, ";"}, {40, Qt::Key_Apostrophe, false, "'"}, {41, Qt::Key_QuoteLeft, false, "`"},
    {42, Qt::Key_Shift, false, "Shift"}, {43, Qt::Key_Backslash, false, "\\"},
    {44, Qt::Key_Z, false, "Z"}, {45, Qt::Key_X, false, "X"}, {46, Qt::Key_C, false, "C"},
    {47, Qt::Key_V, false, "V"}, {48, Qt::Key_B, false, "B"}, {49, Qt::Key_N, false, "N"},
    {50, Qt::Key_M, false, "M"}, {51, Qt::Key_Comma, false, ","}, {52, Qt::Key_Period, false, "."},
    {53, Qt::Key_Slash, false, "/"}, {54, 0, false, "Shift (R)"}, {55, Qt::Key_Asterisk, true, "Num *"},
    {57, Qt::Key_Space, false, "Space"},
    {71, Qt::Key_7, true, "Num 7"}, {72, Qt::Key_8, true, "Num 8"}, {73, Qt::Key_9, true, "Num 9"},
    {74, Qt::Key_Minus, true, "Num -"}, {75, Qt::Key_4, true, "Num 4"}, {76, Qt::Key_5, true, "Num 5"},
    {77, Qt::Key_6, true, "Num 6"}, {78, Qt::Key_Plus, true, "Num +"}, {79, Qt::Key_1, true, "Num 1"},
    {80, Qt::Key_2, true, "Num 2"}, {81, Qt::Key_3, true, "Num 3"}, {82, Qt::Key_0, true, "Num 0"},
    {83, Qt::Key_Period, true, "Num ."}, {96, Qt::Key_Enter, true, "Num Enter"}, {98, Qt::Key_Slash, true, "Num /"},
    {102, Qt::Key_Home, false, "Home"}, {103, Qt::Key_Up, false, "↑"}, {104, Qt::Key_PageUp, false, "PageUp"},
    {105, Qt::Key_Left, false, "←"}, {106, Qt::Key_Right, false, "→"}, {107, Qt::Key_End, false, "End"},
    {108, Qt::Key_Down, false, "↓"}, {109, Qt::Key_PageDown, false, "PageDown"},
    {110, Qt::Key_Insert, false, "Insert"}, {111, Qt::Key_Delete, false, "Delete"},
};

// X11 and Wayland number keys as XKB does: the input event code + 8.
constexpr quint32 kXkbOffset = 8;

bool ScanCodesAreEventCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

// Qt marks the keypad's keys, and on X11 the arrows too, with the keypad
// modifier; only keys that exist twice are told apart by it.
int PlaceOfKey(int key, bool keypad) {
    const Place* fallback = nullptr;
    for (const Place& place : kPlaces) {
        if (place.Key != key) continue;
        if (place.Keypad == keypad) return place.Code;
        fallback = &place;
    }
    return fallback ? fallback->Code : 0;
}

}  // namespace

int KeyPosition(const QKeyEvent& event) {
    return KeyPlace(event.nativeScanCode(), event.key(), event.modifiers() & Qt::KeypadModifier,
                    ScanCodesAreEventCodes());
}

int KeyPlace(quint32 scanCode, int key, bool keypad, bool scanCodesArePlaces) {
    if (scanCodesArePlaces && scanCode > kXkbOffset) return static_cast<int>(scanCode - kXkbOffset);
    return PlaceOfKey(key, keypad);
}

QString KeyPositionName(int code) {
    for (const Place& place : kPlaces) {
        if (place.Code == code) return QString::fromUtf8(place.Name);
    }
    return {};
}

}  // namespace sk
