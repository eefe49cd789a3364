#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A virtual X server of the test's own (Xvfb) on a display number it picks itself, so that
// tests running at the same time never share one. Stopped when the object goes.
class XDisplay {
public:
    // Returns once the server takes clients; std::runtime_error when it does not within a minute.
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // ":N", for DISPLAY.
    const std::string& Name() const { return name_; }
    // Whether a window of the process, titled exactly `title`, is shown.
    bool ShowsWindow(pid_t pid, const std::string& title) const;
    // The identifiers of the windows of the process, titled exactly `title`, that are shown.
    std::vector<std::string> ShownWindows(pid_t pid, const std::string& title) const;
    // Gives the window the keyboard focus and types the key (an xdotool key name) into it.
    bool PressKey(const std::string& window, const std::string& key) const;

private:
    std::string folder_;
    pid_t pid_ = 0;
    std::string name_;
};
