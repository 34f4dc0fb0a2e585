// Command routing and the update step of command user interface.
// A CommandTarget answers one question per command id: "do you handle it?"
// When asked with a CmdUI it reports the enabled, checked and text state
// (menus ask when they open, toolbar and status bar at idle); when asked
// without one it runs the command. Targets list their commands in a static
// table of CommandEntry rows, which reads like a message map.
#pragma once

#include <windows.h>

#include <string>

class CmdUI {
public:
    explicit CmdUI(UINT id) : m_nID(id) {}

    void Enable(bool on = true) { m_bEnabled = on; }
    void SetCheck(bool on = true) { m_bChecked = on; }
    void SetText(const std::string& text) { m_strText = text; m_bTextSet = true; }

    UINT m_nID;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bTextSet = false;
    std::string m_strText;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs command id (ui null) or fills its state (ui set). True when this
    // target knows the id; routing then stops.
    virtual bool OnCmdMsg(UINT id, CmdUI* ui) { (void)id; (void)ui; return false; }
};

// One row of a command table: the handler runs the command, the update
// handler reports its state. Either may be null: a row without handler is an
// update-only entry (status bar panes); a row without update is always
// enabled.
template <class T>
struct CommandEntry {
    UINT first;
    UINT last;
    void (T::*handler)(UINT id);
    void (T::*update)(CmdUI& ui);
};

template <class T, size_t N>
bool DispatchCommand(T* self, const CommandEntry<T> (&table)[N], UINT id, CmdUI* ui)
{
    for (const CommandEntry<T>& entry : table) {
        if (id < entry.first || id > entry.last) continue;
        if (ui) {
            if (!entry.update && !entry.handler) continue;
            if (entry.update) (self->*entry.update)(*ui);
            return true;
        }
        if (!entry.handler) continue;
        (self->*entry.handler)(id);
        return true;
    }
    return false;
}
