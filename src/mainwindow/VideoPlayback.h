#pragma once

namespace quorin {

class MainWindow;

// 视频播放: choose a file and play it over the plot, with the position bar.
void startVideo(MainWindow& w);

// Timer3 tick: the bar follows the playback; the clock stops with the video.
void followVideo(MainWindow& w);

// HScroll1 change: a move of more than 200 from the clock's last value is
// the user's, and seeks.
void seekVideo(MainWindow& w);

// A click on the picture: the left button pauses and resumes.
void toggleVideoPause(MainWindow& w, int button);

inline constexpr int videoBarMax = 32767;

} // namespace quorin
