#pragma once

namespace tonaq {

// What the system says about drawing with visual styles. Asked lazily, in the order the
// decision needs, so that an old system is never asked about themes or common controls.
class VisualStyleProbe {
public:
    virtual ~VisualStyleProbe() = default;
    struct Version {
        int major = 0;
        int minor = 0;
    };
    virtual Version systemVersion() = 0;
    virtual bool appThemed() = 0;
    virtual int commonControlsMajor() = 0;
};

// True when the system is 5.1 or later, themes this application, and has version 6 or later
// of the common controls. The minor version counts as a tenth: 5.2 passes, 5.0 does not.
bool visualStylesActive(VisualStyleProbe &probe);

// Registers the themed control classes when visual styles are active; called before the
// main window exists. Elsewhere Qt draws themed controls by itself.
void initVisualStyles();

} // namespace tonaq
