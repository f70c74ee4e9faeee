#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace lumera::saver {

// The full-screen copies of the saver that run at one time are one activation: an engine runs
// one copy a screen, all at once, and the rotation must move on once, not once a screen. The
// first copy chooses the mode and leaves it in a file of the runtime folder; a copy that
// starts while another still runs shows the same mode. Each copy holds a shared lock on that
// file for as long as it runs, so a crashed copy counts no longer.
class SharedActivation {
public:
    // The file the copies meet at; empty: every copy chooses on its own.
    explicit SharedActivation(QString path);
    ~SharedActivation();
    SharedActivation(const SharedActivation&) = delete;
    SharedActivation& operator=(const SharedActivation&) = delete;

    // The mode of this run: the running activation's, else the one `chooseNew` gives, which
    // the copies that follow then share.
    std::int32_t join(const std::function<std::int32_t()>& chooseNew);

private:
    QString path_;
    int running_ = -1;
};

} // namespace lumera::saver
