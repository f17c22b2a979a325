#pragma once
// The three controls the core switches between set-up mode and switch mode. The window
// implements this; tests record the calls.

enum class Control { DropGroupBox, SwitchToChineseButton, SwitchToEnglishButton };

class Controls {
public:
    virtual ~Controls() = default;
    virtual void SetVisible(Control control, bool visible) = 0;
    virtual void SetEnabled(Control control, bool enabled) = 0;
    // Makes the drop group box the window whose file drops reach OnFileDropped.
    virtual void RegisterDropArea() = 0;
};
