#pragma once
// Where things are on the screen, for the core's windows that sit over the
// grid (the column picker): pixel positions as the ui lays them out.
namespace tabulyst {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    // The top-left corner of a cell of the grid, in the main window's coordinates.
    virtual PixelPoint cellTopLeft(int col, int row) const = 0;
    // The main window's height in pixels.
    virtual int windowHeight() const = 0;
};

}  // namespace tabulyst
