#pragma once

// Lets the window's pending events run from inside a drawing: a repaint of
// what is drawn so far and the clicks queued meanwhile. The window
// implements it; headless there are no events and NoEvents does nothing.
class EventPump
{
public:
    virtual ~EventPump() = default;
    // Throws ProgramEnding when one of the events ended the program.
    virtual void DoEvents() = 0;
};

// Thrown by DoEvents when a click handled inside it ended the program
// ("关闭窗口"): the running drawing stops at once and draws nothing more.
struct ProgramEnding
{
};

class NoEvents : public EventPump
{
public:
    void DoEvents() override {}
};

// The event pump of a drawing without a window.
inline EventPump &noEvents()
{
    static NoEvents none;
    return none;
}
