#pragma once
#include <QString>
#include <QStringList>

class QScrollBar;
class QTimer;

namespace quorin {

class Dialogs;
class MediaPlayer;
class PictureBox;
struct SharedState;

// What video playback over the main window's plot acts on, built by the window.
struct VideoEnv {
    MediaPlayer* player; // WindowsMediaPlayer1; may be absent
    QScrollBar& bar;     // HScroll1, the position bar
    QTimer& barClock;    // Timer3
    PictureBox& plot;    // Picture1, hidden while a video plays
    SharedState& state;
    Dialogs& dialogs;
    bool& paused;
    const bool& closing;   // the window is closing: start nothing more
    QString& file;         // the video started last
    QStringList& failed;   // videos the player could not play, not yet told
    QTimer& failureNotice; // ticks until the program is free to tell them
};

// 视频播放: choose a file and play it over the plot, with the position bar.
void startVideo(VideoEnv& env);

// Timer3 tick: the bar follows the playback; the clock stops with the video.
void followVideo(VideoEnv& env);

// HScroll1 change: a move of more than 200 from the clock's last value is
// the user's, and seeks.
void seekVideo(VideoEnv& env);

// A click on the picture: the left button pauses and resumes.
void toggleVideoPause(VideoEnv& env, int button);

// The player could not play `file`. It is told at the next tick of the notice
// that finds no command in a wait or a dialog: the report may come while the
// user has started something else, which must not be held up by a message.
void noteVideoFailure(VideoEnv& env, const QString& file);

// The notice's tick, with the program free: each failed file is told once.
// When it is the video over the plot, the plot comes back in its place.
void tellVideoFailures(VideoEnv& env);

QString videoNotPlayedMessage(const QString& file);

inline constexpr int videoBarMax = 32767;

} // namespace quorin
