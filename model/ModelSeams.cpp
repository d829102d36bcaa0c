#include "model/ModelSeams.h"

TModelSeams::TModelSeams() : ownRandom_(TSeededRandom::ClockSeed()) {}

void TModelSeams::SetTimer(TGameTimer *timer)
{
    timer_ = timer != nullptr ? timer : &ownTimer_;
}

void TModelSeams::SetMessageWindow(TMessageWindow *window)
{
    messageWindow_ = window;
}

void TModelSeams::SetSceneCallbacks(TSceneCallbacks *scene)
{
    scene_ = scene;
}

void TModelSeams::SetRandom(TRandomSource *random)
{
    random_ = random != nullptr ? random : &ownRandom_;
}

void TModelSeams::SetDateSource(TDateSource *dates)
{
    dates_ = dates != nullptr ? dates : &ownDates_;
}

void TModelSeams::SetHotelEvents(THotelEvents *events)
{
    events_ = events != nullptr ? events : &noEvents_;
}

void TModelSeams::ReseedOwnRandom()
{
    ownRandom_.Seed(TSeededRandom::ClockSeed());
}
