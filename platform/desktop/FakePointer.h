#pragma once

#include "platform/desktop/Pointer.h"

namespace lumera {

// A pointer a test moves by hand; it counts hides and shows.
class FakePointer : public Pointer {
public:
    QPoint position() const override { return at; }
    void hide() override { ++hides; }
    void show() override { ++shows; }
    bool visible() const { return hides <= shows; }

    QPoint at{400, 300};
    int hides = 0;
    int shows = 0;
};

} // namespace lumera
