#pragma once

#include "model/FlagTimer.h"
#include "model/HotelEvents.h"
#include "model/SeededRandom.h"
#include "model/SystemDateSource.h"

class TMessageWindow;
class TSceneCallbacks;

// What the hotel model reaches outside itself: the clock, the message window,
// the scene callbacks, the random generator, the date and the listener of the
// hourly rules' events. The model does not own them; setting null puts back
// the model's own default (a clock that only keeps its switch, no message
// window, no scene, a clock-seeded generator, the system date, nobody
// listening). Every part of the model reads them from here.
class TModelSeams
{
public:
    TModelSeams();
    TModelSeams(const TModelSeams &) = delete;
    TModelSeams &operator=(const TModelSeams &) = delete;

    void SetTimer(TGameTimer *timer);
    void SetMessageWindow(TMessageWindow *window);
    void SetSceneCallbacks(TSceneCallbacks *scene);
    void SetRandom(TRandomSource *random);
    void SetDateSource(TDateSource *dates);
    void SetHotelEvents(THotelEvents *events);
    // Seeds the model's own generator from the clock, as every start does.
    void ReseedOwnRandom();

    TGameTimer &Timer() const { return *timer_; }
    // Null while nobody shows messages.
    TMessageWindow *MessageWindow() const { return messageWindow_; }
    // Null while nothing draws the hotel.
    TSceneCallbacks *Scene() const { return scene_; }
    TRandomSource &Random() const { return *random_; }
    TDateSource &Dates() const { return *dates_; }
    THotelEvents &Events() const { return *events_; }

private:
    TFlagTimer ownTimer_;
    TSeededRandom ownRandom_;
    TSystemDateSource ownDates_;
    THotelEvents noEvents_;
    TGameTimer *timer_ = &ownTimer_;
    TMessageWindow *messageWindow_ = nullptr;
    TSceneCallbacks *scene_ = nullptr;
    TRandomSource *random_ = &ownRandom_;
    TDateSource *dates_ = &ownDates_;
    THotelEvents *events_ = &noEvents_;
};
