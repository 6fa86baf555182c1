#include "platform/sound/QueueTarget.h"

#include <algorithm>

cQueueTarget::cQueueTarget(int shortest, int longest, int growFrames, int quietFrames, int shrinkFrames)
    : m_shortest(shortest), m_longest(std::max(shortest, longest)), m_growFrames(growFrames),
      m_quietFrames(quietFrames), m_shrinkFrames(shrinkFrames), m_frames(shortest)
{
}

void cQueueTarget::Observe(int queuedFrames, int mixedFrames)
{
    if (mixedFrames <= 0)
        return;
    if (m_fed && queuedFrames <= 0) {
        m_frames = std::min(m_longest, m_frames + m_growFrames);
        m_quietSoFar = 0;
    } else if ((m_quietSoFar += mixedFrames) >= m_quietFrames) {
        m_frames = std::max(m_shortest, m_frames - m_shrinkFrames);
        m_quietSoFar = 0;
    }
    m_fed = true;
}
