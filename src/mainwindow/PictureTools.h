#pragma once

namespace quorin {

class MainWindow;

// A click on any label: AutoRedraw on, then the plot's persistent image goes
// to 11.jpg in the program folder as a bitmap (the name is kept as it always
// was). A failed write is reported in a short notice.
void savePlot(MainWindow& w);

// A double click on the plot: Cls, keeping the back colour and the picture.
void clearPlot(MainWindow& w);

inline const char* const plotSaveFailedMessage = "无法保存图片 11.jpg。";

} // namespace quorin
