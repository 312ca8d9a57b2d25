#include "animation.h"

#include "cview.h"
#include "cvstguitimer.h"
#include "platform/timerqueue.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI::Animation {

IdStringPtr Animator::kMsgAnimationFinished = "kMsgAnimationFinished";

void AlphaValueAnimation::animationStart(CView* view, IdStringPtr) { m_fStart = view->getAlphaValue(); }

void AlphaValueAnimation::animationTick(CView* view, IdStringPtr, float pos)
{
    view->setAlphaValue(m_fStart + (m_fEnd - m_fStart) * pos);
}

void AlphaValueAnimation::animationFinished(CView* view, IdStringPtr, bool)
{
    view->setAlphaValue(m_fEnd);
}

struct Animator::Entry
{
    CView* view;
    std::string name;
    std::unique_ptr<IAnimationTarget> target;
    std::unique_ptr<ITimingFunction> timing;
    CBaseObject* notification;
    uint64_t start;
    bool done = false;
};

Animator::Animator() = default;

Animator::~Animator()
{
    removeAll();
    if (m_pTimer)
        m_pTimer->forget();
}

void Animator::addAnimation(CView* view, IdStringPtr name, IAnimationTarget* target, ITimingFunction* timingFunction,
                            CBaseObject* notificationObject)
{
    if (!view || !name || !target || !timingFunction) {
        delete target;
        delete timingFunction;
        return;
    }
    removeAnimation(view, name);
    auto e = std::make_shared<Entry>();
    e->view = view;
    e->name = name;
    e->target.reset(target);
    e->timing.reset(timingFunction);
    e->notification = notificationObject;
    e->start = TimerQueue::current().now();
    view->remember();
    if (notificationObject)
        notificationObject->remember();
    m_Animations.push_back(e);
    e->target->animationStart(view, e->name.c_str());
    if (!m_pTimer)
        m_pTimer = new CVSTGUITimer([this](CVSTGUITimer*) { onTimer(); }, kFrameTimeMs, false);
    m_pTimer->start();
}

void Animator::finish(const std::shared_ptr<Entry>& e, bool canceled)
{
    if (e->done)
        return;
    e->done = true;
    m_Animations.erase(std::remove(m_Animations.begin(), m_Animations.end(), e), m_Animations.end());
    if (canceled)
        e->target->animationTick(e->view, e->name.c_str(), 1.f);
    e->target->animationFinished(e->view, e->name.c_str(), canceled);
    if (e->notification) {
        e->notification->notify(this, kMsgAnimationFinished);
        e->notification->forget();
    }
    e->view->forget();
    if (m_Animations.empty() && m_pTimer)
        m_pTimer->stop();
}

void Animator::removeAnimation(CView* view, IdStringPtr name)
{
    if (!name)
        return;
    for (const auto& e : std::vector(m_Animations))
        if (e->view == view && e->name == name)
            finish(e, true);
}

void Animator::removeAnimations(CView* view)
{
    for (const auto& e : std::vector(m_Animations))
        if (e->view == view)
            finish(e, true);
}

void Animator::removeAll()
{
    for (const auto& e : std::vector(m_Animations))
        finish(e, true);
}

bool Animator::hasAnimation(CView* view, IdStringPtr name) const
{
    return name && std::any_of(m_Animations.begin(), m_Animations.end(),
                               [&](const auto& e) { return e->view == view && e->name == name; });
}

void Animator::onTimer()
{
    CBaseObjectGuard guard(this);
    const uint64_t now = TimerQueue::current().now();
    for (const auto& e : std::vector(m_Animations)) {
        if (e->done)
            continue;
        const auto elapsed = static_cast<uint32_t>(now - e->start);
        if (e->timing->isDone(elapsed)) {
            e->target->animationTick(e->view, e->name.c_str(), e->timing->getPosition(elapsed));
            finish(e, false);
        } else {
            e->target->animationTick(e->view, e->name.c_str(), e->timing->getPosition(elapsed));
        }
    }
}

}  // namespace VSTGUI::Animation
