#include "scene/PictureSprite.h"

#include <cmath>

void TPictureSprite::Step(int lagCount)
{
    FramePos += FrameSpeed * lagCount;
    if (Looping) {
        if (FrameCount > 0) {
            FramePos -= std::trunc(FramePos / FrameCount) * FrameCount;
            if (FramePos < 0)
                FramePos += FrameCount;
        } else {
            FramePos = 0;
        }
    } else {
        if (FramePos >= FrameCount) {
            FramePos = FrameCount - 1;
            FrameSpeed = 0;
        }
        if (FramePos < 0) {
            FramePos = 0;
            FrameSpeed = 0;
        }
    }
}

int TPictureSprite::CurrentPattern() const
{
    return static_cast<int>(std::trunc(FramePos)) + FrameBase;
}
