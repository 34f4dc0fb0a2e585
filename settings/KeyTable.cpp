// The key table. Its order is the order of the HotKey dialog's caps
// (control 100 + index) and of the stored NormalKey indexes, so it must
// never be reordered.
#include "KeyTable.h"

const KeyCap kKeyTable[kKeyTableSize] = {
    {"Esc", 1, 27},
    {"F1", 0, 112}, {"F2", 0, 113}, {"F3", 0, 114}, {"F4", 0, 115}, {"F5", 0, 116}, {"F6", 0, 117},
    {"F7", 0, 118}, {"F8", 0, 119}, {"F9", 0, 120}, {"F10", 0, 121}, {"F11", 0, 122}, {"F12", 0, 123},
    {"Print", 0, 44}, {"Scrl", 0, 145}, {"Pau", 0, 19},
    {"`", 0, 192},
    {"1", 0, 49}, {"2", 0, 50}, {"3", 0, 51}, {"4", 0, 52}, {"5", 0, 53}, {"6", 0, 54},
    {"7", 0, 55}, {"8", 0, 56}, {"9", 0, 57}, {"0", 0, 48},
    {"-", 0, 189}, {"=", 0, 187}, {"Backspace", 0, 8},
    {"Ins", 0, 45}, {"Hom", 0, 36}, {"PgU", 0, 33},
    {"Num", 0, 144}, {"/", 0, 111}, {"*", 0, 106}, {"-", 0, 109},
    {"Tab", 0, 9},
    {"Q", 0, 'Q'}, {"W", 0, 'W'}, {"E", 0, 'E'}, {"R", 0, 'R'}, {"T", 0, 'T'},
    {"Y", 0, 'Y'}, {"U", 0, 'U'}, {"I", 0, 'I'}, {"O", 0, 'O'}, {"P", 0, 'P'},
    {"[", 0, 219}, {"]", 0, 221}, {"\\", 0, 220},
    {"Del", 0, 46}, {"End", 0, 35}, {"PgD", 0, 34},
    {"7", 0, 103}, {"8", 0, 104}, {"9", 0, 105}, {"+", 0, 107},
    {"Capslock", 0, 20},
    {"A", 0, 'A'}, {"S", 0, 'S'}, {"D", 0, 'D'}, {"F", 0, 'F'}, {"G", 0, 'G'},
    {"H", 0, 'H'}, {"J", 0, 'J'}, {"K", 0, 'K'}, {"L", 0, 'L'},
    {";", 0, 186}, {"'", 0, 222}, {"Enter", 0, 13},
    {"4", 0, 100}, {"5", 0, 101}, {"6", 0, 102},
    {"Shift", 1, 16},
    {"Z", 0, 'Z'}, {"X", 0, 'X'}, {"C", 0, 'C'}, {"V", 0, 'V'}, {"B", 0, 'B'}, {"N", 0, 'N'}, {"M", 0, 'M'},
    {",", 0, 188}, {".", 0, 190}, {"/", 0, 191},
    {"Shift", 1, 16},
    {" ", 0, 38},
    {"1", 0, 97}, {"2", 0, 98}, {"3", 0, 99}, {"Ent", 0, 13},
    {"Ctrl", 1, 17}, {"Alt", 1, 18}, {" ", 0, 32}, {"Alt", 1, 18}, {"Ctrl", 1, 17},
    {" ", 0, 37}, {" ", 0, 40}, {" ", 0, 39},
    {"0", 0, 96}, {".", 0, 110},
};

const char* KeyName(int index)
{
    if (!IsKeyIndex(index)) return "";
    // The arrow keys and the space bar have blank cap labels.
    switch (kKeyTable[index].virtualKey) {
    case 32: return "Space";
    case 37: return "Left";
    case 38: return "Up";
    case 39: return "Right";
    case 40: return "Down";
    default: return kKeyTable[index].label;
    }
}
