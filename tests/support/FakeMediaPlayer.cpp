#include "support/FakeMediaPlayer.h"
