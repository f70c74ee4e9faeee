#pragma once

#include "platform/desktop/Pointer.h"

namespace lumera {

// A pointer a test moves by hand; it counts hides and shows.
class FakePointer : public Pointer {
public:
    QPoint position() const override { return at; }
    void hide() override {
        ++hides;
        hidden = true;
    }
    void show() override {
        ++shows;
        hidden = false;
    }

    QPoint at{400, 300};
    bool hidden = false;
    int hides = 0;
    int shows = 0;
};

} // namespace lumera
