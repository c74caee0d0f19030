#pragma once
// TPlacementInterceptor stands for a window while its placement is read or written: its
// Left, Top, Width and Height are the normal-state rectangle even when the window is
// minimised or maximised.

#include "placement/PlacementWindow.h"
#include "placement/PlacementStream.h"

namespace morva {

class TPlacementInterceptor {
public:
    // Takes everything from the window as it is now.
    explicit TPlacementInterceptor(IPlacementWindow& window);

    int Left, Top, Width, Height;
    int PixelsPerInch;
    TWindowState WindowState;
    std::string ActiveControl;
    // Left or Top was read.
    bool PositionPresent = false;

    static bool HasProperty(const std::string& name);
    // The value of an integer property, for writing the stream.
    std::optional<int> IntegerProperty(const std::string& name) const;
    // Reads the named property's value from the stream; a value of the wrong kind is
    // skipped and raises EPropertyError.
    void ReadProperty(const std::string& name, TStreamReader& reader);
    // Puts the (scaled) rectangle, state and active control back on the window; a rectangle
    // that would leave the window out of reach is brought back onto a screen.
    void Apply();

private:
    IPlacementWindow& window_;
};

// a * b / c rounded to the nearest integer, halves away from zero, held within the integer
// range; c must not be 0.
int MulDiv(int a, int b, int c);

} // namespace morva
