#pragma once

namespace quorin {

class PictureBox;
struct Services;

// A click on any label of the main window: AutoRedraw on, then the plot's
// persistent image goes to 11.jpg in the program folder as a bitmap (the name
// is kept as it always was). A failed write is reported in a short notice.
void savePlot(PictureBox& plot, const Services& services);

// A double click on the plot: Cls, keeping the back colour and the picture.
void clearPlot(PictureBox& plot);

inline const char* const plotSaveFailedMessage = "无法保存图片 11.jpg。";

} // namespace quorin
