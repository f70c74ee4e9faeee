#pragma once

#include "platform/screen/Pointer.h"

namespace lumera {

// A pointer a test moves by hand. It counts hides against shows as the desktop's cursor stack
// does, without the real pointer's guard: a form that hides more often than it shows leaves
// this pointer hidden, where the real one would hide the fault.
class FakePointer : public Pointer {
public:
    QPoint position() const override { return at; }
    void hide() override {
        ++hides;
        ++depth_;
    }
    void show() override {
        ++shows;
        if (depth_ > 0)
            --depth_;
    }
    bool hidden() const { return depth_ > 0; }

    QPoint at{400, 300};
    int hides = 0;
    int shows = 0;

private:
    int depth_ = 0;
};

} // namespace lumera
