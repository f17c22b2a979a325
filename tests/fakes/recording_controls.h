#pragma once
// Stands in for the window: records every call the core makes on the controls, in order, and
// keeps the resulting visible and enabled states.
#include <map>
#include <string>
#include <vector>

#include "core/controls.h"

class RecordingControls : public Controls {
public:
    struct State {
        bool visible = true;  // every control is created visible and enabled
        bool enabled = true;
    };

    std::vector<std::string> calls;
    std::map<Control, State> states;
    int dropAreaRegistrations = 0;

    void SetVisible(Control control, bool visible) override {
        calls.push_back(Name(control) + (visible ? " shown" : " hidden"));
        states[control].visible = visible;
    }
    void SetEnabled(Control control, bool enabled) override {
        calls.push_back(Name(control) + (enabled ? " enabled" : " disabled"));
        states[control].enabled = enabled;
    }
    void RegisterDropArea() override {
        calls.push_back("register drop area");
        ++dropAreaRegistrations;
    }

    static std::string Name(Control control) {
        switch (control) {
            case Control::DropGroupBox: return "group box";
            case Control::SwitchToChineseButton: return "chinese";
            case Control::SwitchToEnglishButton: return "english";
        }
        return "?";
    }
};
