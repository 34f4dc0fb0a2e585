// The program's own object behind each window of one kind, by handle. Every
// message looks its window up here: a window property would cost a trip to
// the window manager on each one. All the program's windows live on its one
// UI thread. Never freed, so that an object outliving static destruction
// still finds its map.
#pragma once

#include <windows.h>

#include <unordered_map>

template <typename Object>
class HandleObjects {
public:
    static Object* Find(HWND hwnd)
    {
        const auto found = Map().find(hwnd);
        return found != Map().end() ? found->second : nullptr;
    }
    static void Add(HWND hwnd, Object* object) { Map()[hwnd] = object; }
    static void Remove(HWND hwnd) { Map().erase(hwnd); }

private:
    static std::unordered_map<HWND, Object*>& Map()
    {
        static auto* objects = new std::unordered_map<HWND, Object*>;
        return *objects;
    }
};
