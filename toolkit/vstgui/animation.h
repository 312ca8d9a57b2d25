#pragma once
// View animations: a target changes a view at positions 0..1 given by a timing function, ticked
// by a timer of the frame's animator (about 60 per second).
//
// Ownership: the animator takes the target and the timing function (deletes them when the
// animation ends) and remembers the view while it animates. Threading: GUI thread.

#include "vstguibase.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class CView;
class CVSTGUITimer;

namespace Animation {

class IAnimationTarget
{
public:
    virtual ~IAnimationTarget() = default;
    virtual void animationStart(CView* view, IdStringPtr name) = 0;
    virtual void animationTick(CView* view, IdStringPtr name, float pos) = 0;
    // wasCanceled: stopped before its end; the last step (pos 1) has then been applied.
    virtual void animationFinished(CView* view, IdStringPtr name, bool wasCanceled) = 0;
};

class ITimingFunction
{
public:
    virtual ~ITimingFunction() = default;
    virtual float getPosition(uint32_t milliseconds) = 0;
    virtual bool isDone(uint32_t milliseconds) = 0;
};

class TimingFunctionBase : public ITimingFunction
{
public:
    explicit TimingFunctionBase(uint32_t length) : m_nLength(length) {}
    uint32_t getLength() const { return m_nLength; }
    bool isDone(uint32_t milliseconds) override { return milliseconds >= m_nLength; }

protected:
    uint32_t m_nLength;
};

class LinearTimingFunction : public TimingFunctionBase
{
public:
    explicit LinearTimingFunction(uint32_t length) : TimingFunctionBase(length) {}
    float getPosition(uint32_t milliseconds) override
    {
        if (m_nLength == 0 || milliseconds >= m_nLength)
            return 1.f;
        return static_cast<float>(milliseconds) / static_cast<float>(m_nLength);
    }
};

// Fades a view's alpha from its value at the start to endValue.
class AlphaValueAnimation : public IAnimationTarget
{
public:
    explicit AlphaValueAnimation(float endValue) : m_fEnd(endValue) {}
    void animationStart(CView* view, IdStringPtr name) override;
    void animationTick(CView* view, IdStringPtr name, float pos) override;
    void animationFinished(CView* view, IdStringPtr name, bool wasCanceled) override;

private:
    float m_fStart = 0.f;
    float m_fEnd;
};

class Animator : public CBaseObject
{
public:
    static constexpr uint32_t kFrameTimeMs = 16;

    Animator();
    ~Animator() override;

    // Starts at once (animationStart is called now). An animation of the same view and name
    // is cancelled first.
    void addAnimation(CView* view, IdStringPtr name, IAnimationTarget* target, ITimingFunction* timingFunction,
                      CBaseObject* notificationObject = nullptr);
    // Cancels: applies the last step, then reports the end as cancelled.
    void removeAnimation(CView* view, IdStringPtr name);
    void removeAnimations(CView* view);
    void removeAll();
    bool hasAnimation(CView* view, IdStringPtr name) const;
    size_t getAnimationCount() const { return m_Animations.size(); }

    static IdStringPtr kMsgAnimationFinished;

private:
    struct Entry;
    void onTimer();
    void finish(const std::shared_ptr<Entry>& e, bool canceled);

    std::vector<std::shared_ptr<Entry>> m_Animations;
    CVSTGUITimer* m_pTimer = nullptr;
};

}  // namespace Animation
}  // namespace VSTGUI
