#pragma once
// The steps a scrolling picture has yet to draw. A graph records each step here and draws them
// when it is painted, so a graph nobody can see draws nothing; once a picture has scrolled its
// whole width, older steps no longer show and are dropped.
#include <cstddef>
#include <deque>
#include <utility>

namespace controls {

// Steps after which nothing drawn before them is left in a picture `width` pixels wide that
// scrolls `stepPixels` a step (one more for a part-width step, one for what is drawn left of the
// right edge).
constexpr std::size_t StepsAcross(int width, int stepPixels)
{
    return width <= 0 || stepPixels <= 0 ? 1 : static_cast<std::size_t>(width / stepPixels) + 2;
}

template <typename Step>
class PictureBacklog {
public:
    void SetLimit(std::size_t limit) { limit_ = limit; }
    void Add(Step step)
    {
        steps_.push_back(std::move(step));
        while (steps_.size() > limit_)
            steps_.pop_front();
    }
    // Draws every step, oldest first, and forgets them.
    template <typename Draw>
    void Drain(Draw draw)
    {
        for (const Step& step : steps_)
            draw(step);
        steps_.clear();
    }
    std::size_t Size() const { return steps_.size(); }

private:
    std::deque<Step> steps_;
    std::size_t limit_ = 1;
};

} // namespace controls
