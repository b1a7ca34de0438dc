#pragma once

namespace quorin {

// The canvas's plot window and the switches of its plots: the start point,
// the world window the picture shows, the interceptor's last velocities and
// how the plots draw.
class PlotWindow {
public:
    double zx = 0, zy = 0;
    double xa = 0, xb = 0, ya = 0, yb = 0;
    double fv = 0, fvx0 = 0, fvy0 = 0;
    // The canvas derive's rays: in random shades (caise, 彩色) or in the pen
    // colour (danse, 单色); Command1(4) and Command1(5) switch it.
    enum class Yae { caise, danse };
    Yae yae = Yae::caise;
    bool huatuo = true;
    bool huaxian = false;
    bool baochi = false;

protected:
    PlotWindow() = default;
    ~PlotWindow() = default;
};

} // namespace quorin
